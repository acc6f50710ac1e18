// Starts the real program several times, offscreen, to check the
// single-instance guard end to end.
#include "SingleInstance.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

QProcessEnvironment programEnv(int autoCloseMs)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("SNIPWELL_AUTOCLOSE_MS", QString::number(autoCloseMs));
    return env;
}

// Starts the program and waits until it reports its window is up.
bool startFirst(QProcess &p, int autoCloseMs)
{
    p.setProcessEnvironment(programEnv(autoCloseMs));
    p.start(SNIPWELL_EXE, {});
    if (!p.waitForStarted(10000))
        return false;
    QElapsedTimer t;
    t.start();
    QByteArray err;
    while (t.elapsed() < 20000) {
        p.waitForReadyRead(200);
        err += p.readAllStandardError();
        if (err.contains("started"))
            return true;
        if (p.state() == QProcess::NotRunning)
            return false;
    }
    return false;
}

struct ProgramRun {
    int code = -1;
    QByteArray err;
};

ProgramRun runToEnd(int autoCloseMs)
{
    QProcess p;
    p.setProcessEnvironment(programEnv(autoCloseMs));
    p.start(SNIPWELL_EXE, {});
    ProgramRun r;
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = p.readAllStandardError();
    return r;
}

} // namespace

TEST(SingleInstance, SecondStartShowsOneMessageAndExitsZero)
{
    QProcess first;
    ASSERT_TRUE(startFirst(first, 600000));

    const ProgramRun second = runToEnd(0);
    EXPECT_EQ(second.code, 0);
    EXPECT_EQ(second.err.count("message: An instance has already been running."), 1) << second.err.constData();
    EXPECT_FALSE(second.err.contains("started"));
    EXPECT_EQ(first.state(), QProcess::Running);

    // After a crash (SIGKILL) the guard is stale; the next start succeeds.
    first.kill();
    first.waitForFinished();
    const ProgramRun third = runToEnd(100);
    EXPECT_EQ(third.code, 0);
    EXPECT_TRUE(third.err.contains("started")) << third.err.constData();
    EXPECT_FALSE(third.err.contains("message:"));

    // And after a normal exit as well.
    const ProgramRun fourth = runToEnd(100);
    EXPECT_TRUE(fourth.err.contains("started")) << fourth.err.constData();
}

TEST(SingleInstance, GuardInOneProcessRefusesASecondGuard)
{
    const QString name = "Snipwell guard test";
    SingleInstance a(name);
    ASSERT_TRUE(a.acquire());
    {
        SingleInstance b(name);
        EXPECT_FALSE(b.acquire());
    }
    EXPECT_EQ(SingleInstance::segmentKey("X"), "SystemObject_X");
}
