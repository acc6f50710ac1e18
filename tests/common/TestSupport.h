#pragma once
// Helpers shared by the tests: where fixtures and the application folder
// are, and the external oracles (ffprobe, mutagen) that check our outputs.
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <functional>

namespace testsupport {

// Folder of the generated media fixtures (SNIPWELL_FIXTURES).
QString fixtureDir();
// Full path of one fixture; fails the current test when it is missing.
QString fixture(const QString &name);
// Application folder of the build tree (SNIPWELL_APPDIR).
QString appDir();
// Source tree root (SNIPWELL_SOURCE_DIR).
QString sourceDir();

struct ProcessResult {
    int exitCode = -1;
    bool finished = false;
    QByteArray out;
    QByteArray err;
};
// Runs a program to completion (killed after timeout_ms).
ProcessResult runProcess(const QString &program, const QStringList &args, int timeout_ms = 60000);

// Polls done until it holds; false (and a test failure naming what) when
// timeout_ms pass first, so a job that never ends fails the test instead of
// hanging the run.
bool waitForDone(const std::function<bool()> &done, const char *what, int timeout_ms = 300000);

// ffprobe -of json with the given extra arguments; empty object on failure.
QJsonObject ffprobeJson(const QString &file, const QStringList &extraArgs = {"-show_format", "-show_streams"});

} // namespace testsupport
