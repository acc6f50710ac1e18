#include "TestSupport.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace testsupport {

QString fixtureDir()
{
    return qEnvironmentVariable("SNIPWELL_FIXTURES");
}

QString fixture(const QString &name)
{
    const QString path = fixtureDir() + "/" + name;
    EXPECT_TRUE(QFileInfo::exists(path)) << "missing fixture " << path.toStdString();
    return path;
}

QString appDir()
{
    return qEnvironmentVariable("SNIPWELL_APPDIR");
}

QString sourceDir()
{
    return qEnvironmentVariable("SNIPWELL_SOURCE_DIR");
}

ProcessResult runProcess(const QString &program, const QStringList &args, int timeout_ms)
{
    ProcessResult r;
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return r;
    r.finished = p.waitForFinished(timeout_ms);
    if (!r.finished) {
        p.kill();
        p.waitForFinished(5000);
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

bool waitForDone(const std::function<bool()> &done, const char *what, int timeout_ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            ADD_FAILURE() << what << " did not end within " << timeout_ms << " ms";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

QJsonObject ffprobeJson(const QString &file, const QStringList &extraArgs)
{
    QStringList args{"-v", "error", "-of", "json"};
    args << extraArgs << file;
    const ProcessResult r = runProcess("ffprobe", args);
    if (!r.finished || r.exitCode != 0)
        return {};
    return QJsonDocument::fromJson(r.out).object();
}

} // namespace testsupport
