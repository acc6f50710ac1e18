// The program on a real X display (Xvfb): started with a file, it imports
// it and shows its first picture; a second start meets the single-instance
// guard; a click on the close button ends it cleanly; SIGTERM in the middle
// of a conversion ends it as "Exit" does. Keys are typed with xdotool,
// through the X server as a keyboard would.
#include "TestSupport.h"

#include "MediaProbe.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <csignal>
#include <memory>

namespace {

QProcessEnvironment programEnv(const QString &runtimeDir = QString())
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!runtimeDir.isEmpty())
        env.insert("XDG_RUNTIME_DIR", runtimeDir);
    env.insert("QT_QPA_PLATFORM", "xcb");
    // The window paints without OpenGL; the GL driver Qt would load for the
    // X display keeps a block of its own that the leak check at exit reports.
    env.insert("QT_XCB_GL_INTEGRATION", "none");
    // Core pointer events, so the synthetic click below is seen as a click.
    env.insert("QT_XCB_NO_XI2", "1");
    env.insert("SDL_AUDIODRIVER", "dummy");
    return env;
}

// The first viewable window whose title ends with title: the main window
// puts the name of the work before the program's.
// A window's title as the window system shows it: the UTF-8 name where
// there is one (a title with a file name and a dash is not plain Latin-1).
std::string windowTitle(Display *dpy, Window w)
{
    std::string title;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(dpy, w, XInternAtom(dpy, "_NET_WM_NAME", False), 0, 1024, False,
                           XInternAtom(dpy, "UTF8_STRING", False), &type, &format, &count, &after, &data)
            == Success
        && data) {
        title.assign(reinterpret_cast<const char *>(data), count);
        XFree(data);
    }
    char *name = nullptr;
    if (title.empty() && XFetchName(dpy, w, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

Window findWindow(Display *dpy, Window under, const char *title)
{
    {
        const std::string found = windowTitle(dpy, under), tail(title);
        const bool match = found.size() >= tail.size() && found.compare(found.size() - tail.size(), tail.size(), tail) == 0;
        XWindowAttributes a{};
        if (match && XGetWindowAttributes(dpy, under, &a) && a.map_state == IsViewable)
            return under;
    }
    Window root = 0, parent = 0;
    Window *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(dpy, under, &root, &parent, &children, &n))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < n && !found; ++i)
        found = findWindow(dpy, children[i], title);
    if (children)
        XFree(children);
    return found;
}

// Pixels of strong colour in a rectangle of the window: the interface is
// grey and black, the test picture is a rainbow.
int colourfulPixels(Display *dpy, Window w, int x, int y, int width, int height)
{
    XImage *image = XGetImage(dpy, w, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image)
        return -1;
    int count = 0;
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            const unsigned long p = XGetPixel(image, i, j);
            const int r = int((p >> 16) & 0xff), g = int((p >> 8) & 0xff), b = int(p & 0xff);
            if (std::max({r, g, b}) - std::min({r, g, b}) > 100)
                ++count;
        }
    }
    XDestroyImage(image);
    return count;
}

void click(Display *dpy, Window w, int x, int y)
{
    for (int type : {ButtonPress, ButtonRelease}) {
        XEvent e{};
        e.xbutton.type = type;
        e.xbutton.display = dpy;
        e.xbutton.window = w;
        e.xbutton.root = DefaultRootWindow(dpy);
        e.xbutton.x = x;
        e.xbutton.y = y;
        int rx = 0, ry = 0;
        Window child = 0;
        XTranslateCoordinates(dpy, w, e.xbutton.root, x, y, &rx, &ry, &child);
        e.xbutton.x_root = rx;
        e.xbutton.y_root = ry;
        e.xbutton.button = Button1;
        e.xbutton.state = type == ButtonRelease ? Button1Mask : 0;
        e.xbutton.same_screen = True;
        e.xbutton.time = CurrentTime;
        XSendEvent(dpy, w, False, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
        XFlush(dpy);
        QThread::msleep(50);
    }
}

// Settings of a user who answered the close question with "Exit" and
// "Don't show this window again": the close button then ends the program.
bool rememberExitOnClose()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty())
        data = QDir::homePath() + "/.local/share";
    const QString folder = data + "/Zelvane Snipwell";
    QDir().mkpath(folder);
    QFile file(folder + "/VideoDefaultSetting.xml");
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ROOTITEM>\n"
                      "    <REMIND_ITEM isShowRemind=\"N\"/>\n    <CLOSE_ITEM bIsCloseDlg=\"Y\"/>\n</ROOTITEM>\n")
               > 0;
}

// Starts the program with a file and waits for its window to show the
// file's first picture; 0 when it never does.
Window startWithPicture(Display *dpy, QProcess &p, const QString &file, const QString &runtimeDir,
                        XWindowAttributes &attrs)
{
    p.setProcessEnvironment(programEnv(runtimeDir));
    p.start(SNIPWELL_EXE, {file});
    if (!p.waitForStarted(10000))
        return 0;
    Window w = 0;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 30000 && p.state() == QProcess::Running) {
        // Looked up afresh each time: the loading dialog carries the same
        // title while it is up.
        w = findWindow(dpy, DefaultRootWindow(dpy), "Zelvane Snipwell");
        // The player panel's picture area, below the title bar.
        if (w && XGetWindowAttributes(dpy, w, &attrs) && colourfulPixels(dpy, w, 20, 45, attrs.width - 40, 240) > 2000)
            return w;
        QThread::msleep(100);
    }
    return 0;
}

// The middle of the cut tool's row of buttons: the orange "Open" button
// sits at its left end (its label breaks the orange for a few pixels);
// -1 when it is not found.
int cutToolRowY(Display *dpy, Window w, const XWindowAttributes &attrs)
{
    XImage *image = XGetImage(dpy, w, 40, 0, 1, unsigned(attrs.height), AllPlanes, ZPixmap);
    if (!image)
        return -1;
    int bestStart = -1, bestLength = 0, first = -1, last = -1;
    for (int y = 0; y <= attrs.height; ++y) {
        bool orange = false;
        if (y < attrs.height) {
            const unsigned long p = XGetPixel(image, 0, y);
            const int r = int((p >> 16) & 0xff), g = int((p >> 8) & 0xff), b = int(p & 0xff);
            orange = r > 180 && g > 90 && g < 170 && b < 110;
        }
        if (orange) {
            if (first < 0 || y - last > 10)
                first = y;
            last = y;
        } else if (first >= 0 && (y - last > 10 || y == attrs.height)) {
            if (last - first > bestLength) {
                bestLength = last - first;
                bestStart = first;
            }
            first = -1;
        }
    }
    XDestroyImage(image);
    return bestLength >= 30 ? bestStart + bestLength / 2 : -1;
}

QStringList filesUnder(const QString &folder)
{
    QStringList files;
    // Hidden too: an output is written under a hidden temporary name.
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

void stop(QProcess &program)
{
    if (program.state() == QProcess::NotRunning)
        return;
    program.kill();
    program.waitForFinished();
}

QString documentsOutput()
{
    return QDir::homePath() + "/Documents/Zelvane Snipwell/Converted";
}

// Files under the output folder that ffprobe reads as whole.
QStringList finishedOutputs()
{
    QStringList files;
    QDirIterator it(documentsOutput(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        if (probeFile(f).ok)
            files << f;
    }
    return files;
}

} // namespace

TEST(RealDisplay, StartsWithAFileShowsItsPictureAndClosesOnTheCloseButton)
{
    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy)
        GTEST_SKIP() << "no X display (run under xvfb-run)";
    std::unique_ptr<Display, int (*)(Display *)> display(dpy, XCloseDisplay);

    ASSERT_TRUE(rememberExitOnClose());
    QProcess first;
    first.setProcessEnvironment(programEnv());
    first.start(SNIPWELL_EXE, {testsupport::fixture("long_h264_aac.mp4")});
    ASSERT_TRUE(first.waitForStarted(10000));

    Window w = 0;
    int colourful = 0;
    XWindowAttributes attrs{};
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 30000 && first.state() == QProcess::Running) {
        // Looked up afresh each time: the loading dialog carries the same
        // title while it is up.
        w = findWindow(dpy, DefaultRootWindow(dpy), "Zelvane Snipwell");
        if (w && XGetWindowAttributes(dpy, w, &attrs)) {
            // The player panel's picture area, below the title bar.
            colourful = colourfulPixels(dpy, w, 20, 45, attrs.width - 40, 240);
            if (colourful > 2000)
                break;
        }
        QThread::msleep(100);
    }
    ASSERT_NE(w, Window(0)) << first.readAllStandardError().constData();
    EXPECT_GT(colourful, 2000) << "the first picture never appeared";
    EXPECT_GE(attrs.width, 720);

    // A second start meets the guard, hands its file to this window and
    // ends with 0 without a word.
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("SNIPWELL_AUTOCLOSE_MS", "0");
    second.setProcessEnvironment(env);
    second.start(SNIPWELL_EXE, {testsupport::fixture("h264_aac.mp4")});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(second.readAllStandardError().contains("An instance has already been running."));
    EXPECT_EQ(first.state(), QProcess::Running);

    // The close button sits 25 pixels in from the right edge. The window
    // is opening the handed-over file and may not take the click yet; a
    // user clicks again.
    bool ended = false;
    for (int i = 0; i < 15 && !ended; ++i) {
        click(dpy, w, attrs.width - 13, 12);
        ended = first.waitForFinished(1000);
    }
    if (!ended) {
        first.kill();
        first.waitForFinished();
    }
    ASSERT_TRUE(ended) << "the close button did not end the program";
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().constData();
}

TEST(RealDisplay, SigtermDuringAConversionRemovesThePartialFileAndExitsZero)
{
    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy)
        GTEST_SKIP() << "no X display (run under xvfb-run)";
    std::unique_ptr<Display, int (*)(Display *)> display(dpy, XCloseDisplay);

    // A source that takes a good while to encode, so the signal finds the
    // conversion under way.
    QTemporaryDir work;
    const QString source = work.filePath("holiday.mp4");
    const testsupport::ProcessResult made = testsupport::runProcess(
        "ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "testsrc2=size=1280x720:rate=25", "-f", "lavfi", "-i",
                   "sine=frequency=440", "-t", "40", "-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac",
                   "-shortest", source});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();

    QTemporaryDir runtime;
    QProcess program;
    XWindowAttributes attrs{};
    const Window w = startWithPicture(dpy, program, source, runtime.path(), attrs);
    ASSERT_NE(w, Window(0)) << program.readAllStandardError().constData();

    // "Start" sits at the right end of the cut tool's row.
    const int rowY = cutToolRowY(dpy, w, attrs);
    ASSERT_GT(rowY, 0);
    click(dpy, w, attrs.width - 48, rowY);

    const QString converted =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Zelvane Snipwell/Converted";
    QElapsedTimer t;
    t.start();
    QStringList partial;
    while (t.elapsed() < 20000) {
        partial = filesUnder(converted);
        if (!partial.isEmpty() && QFileInfo(partial.first()).size() > 0)
            break;
        QThread::msleep(100);
    }
    ASSERT_FALSE(partial.isEmpty()) << "the conversion never started";

    ::kill(pid_t(program.processId()), SIGTERM);
    const bool ended = program.waitForFinished(20000);
    if (!ended) {
        program.kill();
        program.waitForFinished();
    }
    const QByteArray err = program.readAllStandardError();
    ASSERT_TRUE(ended) << "SIGTERM did not end the program";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << err.constData();
    EXPECT_TRUE(filesUnder(converted).isEmpty()) << filesUnder(converted).join(", ").toStdString();
}

// The first minute of a keyboard user: "snipwell FILE", then without a click
// Ctrl+Right, I, Ctrl+Right, O, Ctrl+Return. Each key-frame step stops on the
// next key frame (one a second), so the output holds one second.
TEST(RealDisplay, KeysAloneCutASegmentRightAfterTheStart)
{
    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy)
        GTEST_SKIP() << "no X display (run under xvfb-run)";
    std::unique_ptr<Display, int (*)(Display *)> display(dpy, XCloseDisplay);
    const testsupport::ProcessResult version = testsupport::runProcess("xdotool", {"version"}, 10000);
    ASSERT_EQ(version.exitCode, 0) << "xdotool is missing";
    QDir(documentsOutput()).removeRecursively();

    QTemporaryDir runtime;
    QProcess program;
    XWindowAttributes attrs{};
    const Window w = startWithPicture(dpy, program, testsupport::fixture("long_h264_aac.mp4"), runtime.path(), attrs);
    ASSERT_NE(w, Window(0)) << program.readAllStandardError().constData();

    // The window gets the input focus as a window manager gives it; the
    // keys go to whatever has the focus inside.
    const QString id = QString::number(w);
    EXPECT_EQ(testsupport::runProcess("xdotool", {"windowfocus", "--sync", id}, 10000).exitCode, 0);
    const testsupport::ProcessResult typed = testsupport::runProcess(
        "xdotool", {"key", "--delay", "300", "ctrl+Right", "i", "ctrl+Right", "o", "ctrl+Return"}, 20000);
    EXPECT_EQ(typed.exitCode, 0) << typed.err.constData();

    QStringList outputs;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 60000 && program.state() == QProcess::Running && outputs.isEmpty()) {
        QThread::msleep(200);
        outputs = finishedOutputs();
    }
    stop(program);
    ASSERT_EQ(outputs.size(), 1) << "the keys wrote nothing";
    const Probe p = probeFile(outputs.first());
    EXPECT_NEAR(p.duration, 1.0, 0.1);
    EXPECT_EQ(p.count("video"), 1);
    EXPECT_EQ(p.count("audio"), 1);
}
