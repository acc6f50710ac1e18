// The program on a real X display (Xvfb), worked through the X server's own
// input (xdotool): started with a file, two segments are marked by keys
// alone; once the autosave has them the program is killed (SIGKILL). The
// next start asks to restore them, Return answers, Ctrl+Return converts,
// and ffprobe must find the two marked ranges in the outputs. A SIGTERM
// then ends the program with the work still kept for the start after.
#include "TestSupport.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QPair>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <functional>
#include <memory>

// Last: the X headers define names the Qt headers use.
#include "RealDisplayHelpers.h"

using namespace realdisplay;

namespace {

const QString kTitle = QStringLiteral("long_h264_aac.mp4 — Zelvane Snipwell");

// Polls cond every 100 ms while the program runs, for up to ms.
bool waitFor(const QProcess &program, const std::function<bool()> &cond, int ms)
{
    QElapsedTimer t;
    t.start();
    while (program.state() == QProcess::Running) {
        if (cond())
            return true;
        if (t.elapsed() > ms)
            return false;
        QThread::msleep(100);
    }
    return false;
}

// The program's only visible window once it carries title; 0 before.
Window soleWindowNamed(Display *dpy, const QProcess &program, const QString &title)
{
    const QList<Window> windows = visibleWindows(dpy, program.processId());
    return windows.size() == 1 && windowName(windows.first()) == title ? windows.first() : 0;
}

// The segments of an autosave, as [start, end] in seconds.
QList<QPair<double, double>> autosavedSegments(const QString &path)
{
    QList<QPair<double, double>> segments;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return segments;
    const QJsonArray list = QJsonDocument::fromJson(file.readAll()).object().value("segments").toArray();
    for (const QJsonValue &v : list)
        segments.append({v["start_us"].toDouble() / 1e6, v["end_us"].toDouble() / 1e6});
    return segments;
}

bool near(double a, double b) { return std::abs(a - b) < 0.1; }

QString describe(const QList<QPair<double, double>> &segments)
{
    QStringList parts;
    for (const auto &s : segments)
        parts << QStringLiteral("[%1, %2]").arg(s.first).arg(s.second);
    return parts.join(' ');
}

} // namespace

TEST(RealDisplay, SegmentsMarkedByKeysComeBackAfterAKillAndConvertToTheMarkedRanges)
{
    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy)
        GTEST_SKIP() << "no X display (run under xvfb-run)";
    std::unique_ptr<Display, int (*)(Display *)> display(dpy, XCloseDisplay);
    ASSERT_TRUE(xdotool({"version"})) << "xdotool is missing";

    QTemporaryDir out, state;
    ASSERT_TRUE(out.isValid() && state.isValid());
    ASSERT_TRUE(writeSettings(out.path()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    // Painted without OpenGL: the X display's GL driver keeps a block the
    // leak check at exit would report.
    env.insert("QT_XCB_GL_INTEGRATION", "none");
    env.insert("SDL_AUDIODRIVER", "dummy");
    env.insert("XDG_STATE_HOME", state.path());
    const QString autosaves = state.path() + "/zelvane-snipwell";

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(SNIPWELL_EXE, {testsupport::fixture("long_h264_aac.mp4")});
    ASSERT_TRUE(first.waitForStarted(10000));
    auto end = [](QProcess &p) {
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished(10000);
        }
    };

    // The window, once the file is in: the loading dialog has gone and the
    // title names the file, as the task bar shows it.
    Window main = 0;
    waitFor(first, [&] { return (main = soleWindowNamed(dpy, first, kTitle)); }, 60000);
    if (!main)
        end(first);
    ASSERT_NE(main, Window(0)) << first.readAllStandardError().constData();

    // Key frames are a second apart: [1 s, 2 s], then a second segment
    // whose end goes to 6 s before its start comes back to 3 s.
    ASSERT_TRUE(xdotool({"windowfocus", "--sync", QString::number(main)}));
    ASSERT_TRUE(xdotool({"key", "--delay", "300", "ctrl+Right", "i", "ctrl+Right", "o", "Insert", "ctrl+Right",
                         "ctrl+Right", "ctrl+Right", "ctrl+Right", "o", "ctrl+Left", "ctrl+Left", "ctrl+Left", "i"}));
    EXPECT_TRUE(waitFor(first, [&] { return soleWindowNamed(dpy, first, "*" + kTitle); }, 10000))
        << "the title does not mark the unsaved work: " << windowName(main).toStdString();

    // Killed once the autosave holds both segments as marked.
    const QString firstAutosave = autosaves + QStringLiteral("/session-%1.snipwell").arg(first.processId());
    QList<QPair<double, double>> saved;
    const bool autosaved = waitFor(first, [&] {
        saved = autosavedSegments(firstAutosave);
        return saved.size() == 2 && near(saved[0].first, 1) && near(saved[0].second, 2) && near(saved[1].first, 3)
            && near(saved[1].second, 6);
    }, 60000);
    ::kill(pid_t(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(10000));
    ASSERT_TRUE(autosaved) << "the autosave holds " << describe(saved).toStdString() << "\n"
                           << first.readAllStandardError().right(3000).constData();
    EXPECT_EQ(first.exitStatus(), QProcess::CrashExit);
    ASSERT_TRUE(QFileInfo::exists(firstAutosave));

    // The next start asks first, before its main window shows any work.
    QProcess second;
    second.setProcessEnvironment(env);
    second.start(SNIPWELL_EXE, QStringList());
    ASSERT_TRUE(second.waitForStarted(10000));
    Window question = 0;
    waitFor(second, [&] {
        for (Window w : visibleWindows(dpy, second.processId())) {
            XWindowAttributes a{};
            // The main window is far wider than a message box.
            if (XGetWindowAttributes(dpy, w, &a) && a.width < 700 && windowName(w) == "Zelvane Snipwell")
                question = w;
        }
        return question != 0;
    }, 60000);
    if (!question)
        end(second);
    ASSERT_NE(question, Window(0)) << "no restore question\n" << second.readAllStandardError().constData();
    ASSERT_TRUE(xdotool({"windowfocus", "--sync", QString::number(question)}));
    ASSERT_TRUE(xdotool({"key", "Return"}));

    // Restored: the file is in again and the work is unsaved.
    main = 0;
    waitFor(second, [&] { return (main = soleWindowNamed(dpy, second, "*" + kTitle)); }, 60000);
    if (!main)
        end(second);
    ASSERT_NE(main, Window(0)) << second.readAllStandardError().constData();
    EXPECT_FALSE(QFileInfo::exists(firstAutosave));

    ASSERT_TRUE(xdotool({"windowfocus", "--sync", QString::number(main)}));
    ASSERT_TRUE(xdotool({"key", "ctrl+Return"}));

    // The outputs: complete once ffprobe reads a duration from each and
    // none grew between two looks. Hidden temporary names do not count.
    QMap<QString, qint64> sizes;
    QList<double> seconds;
    waitFor(second, [&] {
        QMap<QString, qint64> now;
        QDirIterator it(out.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString f = it.next();
            now.insert(f, QFileInfo(f).size());
        }
        const bool settled = now.size() == 2 && now == sizes;
        sizes = now;
        if (!settled)
            return false;
        seconds.clear();
        for (const QString &f : now.keys()) {
            const QJsonObject format = testsupport::ffprobeJson(f)["format"].toObject();
            if (!format.contains("duration"))
                return false;
            seconds << format["duration"].toString().toDouble();
        }
        return true;
    }, 90000);
    ASSERT_EQ(seconds.size(), 2) << "outputs: " << QStringList(sizes.keys()).join(", ").toStdString() << "\n"
                                 << second.readAllStandardError().right(3000).constData();
    std::sort(seconds.begin(), seconds.end());
    EXPECT_NEAR(seconds[0], 1.0, 0.1);
    EXPECT_NEAR(seconds[1], 3.0, 0.1);

    // A logout's SIGTERM cannot ask about the unsaved work: it ends the
    // program cleanly and keeps the work for the next start.
    const QString secondAutosave = autosaves + QStringLiteral("/session-%1.snipwell").arg(second.processId());
    ::kill(pid_t(second.processId()), SIGTERM);
    const bool ended = second.waitForFinished(30000);
    if (!ended)
        end(second);
    ASSERT_TRUE(ended) << "SIGTERM did not end the program";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(autosavedSegments(secondAutosave).size(), 2) << "the work was not kept";
}
