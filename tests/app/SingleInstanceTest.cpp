// Starts the real program several times, offscreen, to check the
// single-instance guard end to end: what a second start says, where its
// file goes, whose starts the guard refuses and what a crash leaves behind.
#include "SingleInstance.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// A session of its own: a runtime folder and a home folder.
struct Session {
    QTemporaryDir runtime; // made 0700, as a session's folder is
    QTemporaryDir home;

    QProcessEnvironment env(int autoCloseMs) const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("QT_QPA_PLATFORM", "offscreen");
        e.insert("SNIPWELL_AUTOCLOSE_MS", QString::number(autoCloseMs));
        e.insert("XDG_RUNTIME_DIR", runtime.path());
        e.insert("HOME", home.path());
        e.insert("XDG_DATA_HOME", home.path() + "/.local/share");
        e.insert("XDG_CONFIG_HOME", home.path() + "/.config");
        return e;
    }
};

// Reads a process's standard error until it holds `text`.
bool waitForText(QProcess &p, QByteArray &err, const QByteArray &text, int ms = 20000)
{
    QElapsedTimer t;
    t.start();
    while (!err.contains(text) && t.elapsed() < ms) {
        p.waitForReadyRead(100);
        err += p.readAllStandardError();
        if (p.state() == QProcess::NotRunning) {
            err += p.readAllStandardError();
            break;
        }
    }
    return err.contains(text);
}

// Starts the program and waits until it reports its window is up.
bool startFirst(QProcess &p, const Session &s, QByteArray &err)
{
    p.setProcessEnvironment(s.env(600000));
    p.start(SNIPWELL_EXE, {});
    return p.waitForStarted(10000) && waitForText(p, err, "started");
}

struct ProgramRun {
    int code = -1;
    QByteArray err;
    qint64 ms = 0;
};

ProgramRun runToEnd(const Session &s, int autoCloseMs, const QStringList &args = {})
{
    QProcess p;
    p.setProcessEnvironment(s.env(autoCloseMs));
    QElapsedTimer t;
    t.start();
    p.start(SNIPWELL_EXE, args);
    ProgramRun r;
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.ms = t.elapsed();
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = p.readAllStandardError();
    return r;
}

void stop(QProcess &p)
{
    p.kill();
    p.waitForFinished();
}

} // namespace

TEST(SingleInstance, SecondStartWithoutAFileIsToldInTheProgramsOwnDialog)
{
    Session session;
    QProcess first;
    QByteArray firstErr;
    ASSERT_TRUE(startFirst(first, session, firstErr)) << firstErr.constData();

    const ProgramRun second = runToEnd(session, 0);
    EXPECT_EQ(second.code, 0);
    EXPECT_EQ(second.err.count("message: An instance has already been running."), 1) << second.err.constData();
    EXPECT_TRUE(second.err.contains("dialog: QVoMessageBox")) << second.err.constData();
    EXPECT_FALSE(second.err.contains("started"));
    EXPECT_EQ(first.state(), QProcess::Running);

    // After a crash the next start runs, and it is the guard again.
    stop(first);
    QProcess third;
    QByteArray thirdErr;
    ASSERT_TRUE(startFirst(third, session, thirdErr)) << thirdErr.constData();
    EXPECT_FALSE(thirdErr.contains("message:"));
    const ProgramRun fourth = runToEnd(session, 0);
    EXPECT_TRUE(fourth.err.contains("message: An instance has already been running.")) << fourth.err.constData();
    stop(third);

    // And after a normal exit as well.
    const ProgramRun fifth = runToEnd(session, 100);
    EXPECT_EQ(fifth.code, 0);
    EXPECT_TRUE(fifth.err.contains("started")) << fifth.err.constData();
}

TEST(SingleInstance, SecondStartWithAFileHandsItToTheRunningWindow)
{
    Session session;
    QProcess first;
    QByteArray firstErr;
    ASSERT_TRUE(startFirst(first, session, firstErr)) << firstErr.constData();

    const QString file = testsupport::fixture("h264_aac.mp4");
    const ProgramRun second = runToEnd(session, 600000, {file});
    EXPECT_EQ(second.code, 0) << second.err.constData();
    EXPECT_FALSE(second.err.contains("message:")) << second.err.constData();
    EXPECT_FALSE(second.err.contains("started")) << second.err.constData();
    EXPECT_LT(second.ms, 10000);

    // The running window opens it, as it opens a dropped file.
    EXPECT_TRUE(waitForText(first, firstErr, ("instance: opening " + file).toUtf8())) << firstErr.constData();
    EXPECT_TRUE(waitForText(first, firstErr, "adding files: 1")) << firstErr.constData();
    EXPECT_EQ(first.state(), QProcess::Running);
    stop(first);
}

TEST(SingleInstance, TheGuardBelongsToOneSessionAndACrashNeverBlocksIt)
{
    Session one;
    Session other;
    QProcess first;
    QByteArray firstErr;
    ASSERT_TRUE(startFirst(first, one, firstErr)) << firstErr.constData();

    // Another session of the same user starts as if alone.
    const ProgramRun elsewhere = runToEnd(other, 100);
    EXPECT_EQ(elsewhere.code, 0);
    EXPECT_TRUE(elsewhere.err.contains("started")) << elsewhere.err.constData();
    EXPECT_FALSE(elsewhere.err.contains("message:")) << elsewhere.err.constData();

    // The same session with another home folder is the same user's session.
    Session sameRuntime;
    QProcessEnvironment env = sameRuntime.env(0);
    env.insert("XDG_RUNTIME_DIR", one.runtime.path());
    QProcess again;
    again.setProcessEnvironment(env);
    again.start(SNIPWELL_EXE, {});
    ASSERT_TRUE(again.waitForFinished(30000));
    EXPECT_TRUE(again.readAllStandardError().contains("message:"));

    // kill -9 leaves the guard's files behind; they must not count.
    stop(first);
    const QStringList left = QDir(one.runtime.path()).entryList(QDir::Files | QDir::System);
    EXPECT_FALSE(left.isEmpty());
    const ProgramRun afterCrash = runToEnd(one, 100);
    EXPECT_TRUE(afterCrash.err.contains("started")) << afterCrash.err.constData();
    EXPECT_FALSE(afterCrash.err.contains("message:")) << afterCrash.err.constData();
}

TEST(SingleInstance, TheKeyNamesTheUserAndTheRuntimeFolder)
{
    QTemporaryDir a, b;
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", a.path().toUtf8());
    const QString keyA = SingleInstance::guardKey("Zelvane Snipwell");
    EXPECT_EQ(SingleInstance::runtimeFolder(), a.path());
    {
        SingleInstance guard("Zelvane Snipwell");
        ASSERT_TRUE(guard.acquire());
        EXPECT_TRUE(guard.lockPath().startsWith(a.path() + "/"));
        SingleInstance second("Zelvane Snipwell");
        EXPECT_FALSE(second.acquire());
    }
    qputenv("XDG_RUNTIME_DIR", b.path().toUtf8());
    const QString keyB = SingleInstance::guardKey("Zelvane Snipwell");
    EXPECT_NE(keyA, keyB);
    EXPECT_TRUE(keyA.contains(QString::number(::getuid())));

    // A folder anybody may write into is no session folder.
    QFile::setPermissions(b.path(), QFileDevice::Permissions(0x7777));
    EXPECT_NE(SingleInstance::runtimeFolder(), b.path());
    qputenv("XDG_RUNTIME_DIR", saved);
}
