// The program on a real X display (Xvfb): started with a file, it imports
// it and shows its first picture; a second start meets the single-instance
// guard; a click on the close button ends it cleanly.
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <memory>

namespace {

QProcessEnvironment programEnv()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    // Core pointer events, so the synthetic click below is seen as a click.
    env.insert("QT_XCB_NO_XI2", "1");
    env.insert("SDL_AUDIODRIVER", "dummy");
    return env;
}

Window findWindow(Display *dpy, Window under, const char *title)
{
    char *name = nullptr;
    if (XFetchName(dpy, under, &name) && name) {
        const bool match = std::string(name) == title;
        XFree(name);
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
        if (!w)
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
