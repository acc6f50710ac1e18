#include "TestSupport.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <gtest/gtest.h>

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
