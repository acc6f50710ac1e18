// The program on a real X display (Xvfb), worked through the X server's own
// input (xdotool): started with a 20 s file, the user clicks the Start Time
// field, selects it all, types 00:00:12.000 and presses Return, does the
// same with End Time and 00:00:17.000, and presses Start. ffprobe must find
// a 5 s output.
#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

bool xdotool(const QStringList &args, QByteArray *out = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return false;
    if (out)
        *out = p.readAllStandardOutput().trimmed();
    return true;
}

// Settings of a user who chose the output folder, answered the close
// question with "Exit" for good, and works with the segment list.
bool writeSettings(const QString &outputFolder)
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty())
        data = QDir::homePath() + "/.local/share";
    const QString folder = data + "/Zelvane Snipwell";
    QDir().mkpath(folder);
    QFile file(folder + "/VideoDefaultSetting.xml");
    const QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ROOTITEM>\n"
                           "    <REMIND_ITEM isShowRemind=\"N\"/>\n    <CLOSE_ITEM bIsCloseDlg=\"Y\"/>\n"
                           "    <LISTMODEL_ITEM ListModel_Line=\"N\"/>\n"
                           "    <OutPut_path path_value=\""
        + outputFolder.toUtf8().toPercentEncoding("/") + "/\"/>\n</ROOTITEM>\n";
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(xml) > 0;
}

// The light plates of the time fields: runs of light grey pixels, the
// digits' small gaps bridged, merged into rectangles of a field's size. The
// cut tool's two fields are the topmost pair; the segment rows' follow.
std::vector<QRect> timeFieldPlates(Display *dpy, Window w, int width, int height)
{
    std::vector<QRect> plates;
    XImage *image = XGetImage(dpy, w, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image)
        return plates;
    constexpr int kBridged = 10;
    for (int y = height / 3; y < height; ++y) {
        int start = -1, lastLight = -1;
        for (int x = 0; x <= width; ++x) {
            bool light = false;
            if (x < width) {
                const unsigned long p = XGetPixel(image, x, y);
                const int r = int((p >> 16) & 0xff), g = int((p >> 8) & 0xff), b = int(p & 0xff);
                light = std::min({r, g, b}) > 170 && std::max({r, g, b}) - std::min({r, g, b}) < 30;
            }
            if (light) {
                if (start < 0)
                    start = x;
                lastLight = x;
                continue;
            }
            if (start < 0 || (x < width && x - lastLight <= kBridged))
                continue;
            const QRect line(start, y, lastLight - start + 1, 1);
            start = -1;
            if (line.width() < 90)
                continue;
            auto joined = std::find_if(plates.begin(), plates.end(), [&](const QRect &r) {
                return r.bottom() + 1 == y && std::abs(r.left() - line.left()) < 6;
            });
            if (joined != plates.end())
                *joined = joined->united(line);
            else
                plates.push_back(line);
        }
    }
    XDestroyImage(image);
    // A field is about 23 pixels high and 100 to 200 wide; bars and thin
    // lines are something else.
    plates.erase(std::remove_if(plates.begin(), plates.end(),
                                [](const QRect &r) { return r.height() < 12 || r.width() > 220; }),
                 plates.end());
    std::sort(plates.begin(), plates.end(), [](const QRect &a, const QRect &b) {
        return std::abs(a.y() - b.y()) > 6 ? a.y() < b.y() : a.x() < b.x();
    });
    if (plates.size() > 2)
        plates.resize(2);
    return plates;
}

// Whether the two plates show the same picture: before the file is in,
// both fields read 00:00:00.000.
bool platesLookAlike(Display *dpy, Window w, const QRect &a, const QRect &b)
{
    const int width = std::min(a.width(), b.width()), height = std::min(a.height(), b.height());
    XImage *ia = XGetImage(dpy, w, a.x(), a.y(), unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    XImage *ib = XGetImage(dpy, w, b.x(), b.y(), unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    bool same = ia && ib;
    for (int y = 0; same && y < height; ++y)
        for (int x = 0; same && x < width; ++x)
            same = XGetPixel(ia, x, y) == XGetPixel(ib, x, y);
    if (ia)
        XDestroyImage(ia);
    if (ib)
        XDestroyImage(ib);
    return same;
}

// The program's visible top-level windows: the main window alone once the
// loading dialog has gone.
// (The search also names the root window; it does not count.)
int visibleWindows(Display *dpy, qint64 pid)
{
    QByteArray ids;
    if (!xdotool({"search", "--onlyvisible", "--pid", QString::number(pid), ""}, &ids))
        return 0;
    const QByteArray root = QByteArray::number(qulonglong(DefaultRootWindow(dpy)));
    int count = 0;
    for (const QByteArray &id : ids.split('\n'))
        count += id != root ? 1 : 0;
    return count;
}

void clickAt(const QString &window, const QPoint &p)
{
    ASSERT_TRUE(xdotool({"mousemove", "--window", window, QString::number(p.x()), QString::number(p.y())}));
    ASSERT_TRUE(xdotool({"click", "1"}));
}

void typeTime(const QString &window, const QPoint &field, const QString &text)
{
    clickAt(window, field);
    ASSERT_TRUE(xdotool({"key", "--clearmodifiers", "ctrl+a"}));
    ASSERT_TRUE(xdotool({"type", "--delay", "30", text}));
    ASSERT_TRUE(xdotool({"key", "Return"}));
}

} // namespace

TEST(RealDisplay, TimesTypedIntoTheFieldsAfterTheStartIsPastZeroAreTheTimesCut)
{
    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy)
        GTEST_SKIP() << "no X display (run under xvfb-run)";
    std::unique_ptr<Display, int (*)(Display *)> display(dpy, XCloseDisplay);
    if (!xdotool({"version"}))
        GTEST_SKIP() << "xdotool is not installed";

    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    ASSERT_TRUE(writeSettings(out.path()));
    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    // Painted without OpenGL: the X display's GL driver keeps a block the
    // leak check at exit would report.
    env.insert("QT_XCB_GL_INTEGRATION", "none");
    env.insert("SDL_AUDIODRIVER", "dummy");
    app.setProcessEnvironment(env);
    app.start(SNIPWELL_EXE, {testsupport::fixture("long_h264_aac.mp4")});
    ASSERT_TRUE(app.waitForStarted(10000));
    auto stop = [&app] {
        if (app.state() != QProcess::NotRunning) {
            app.kill();
            app.waitForFinished(5000);
        }
    };

    // The window, once the file is in (its title names the file): both
    // fields show their plates, the end field no longer reads zero (the
    // plates are found by their colour) and the loading dialog has gone, as
    // a user waits for it.
    QString window;
    std::vector<QRect> plates;
    XWindowAttributes attrs{};
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 30000 && app.state() == QProcess::Running) {
        QByteArray id;
        if (window.isEmpty() && xdotool({"search", "--onlyvisible", "--name", "^long_h264_aac\\.mp4 .* Zelvane Snipwell$"}, &id))
            window = QString::fromLatin1(id.split('\n').first());
        if (!window.isEmpty() && XGetWindowAttributes(dpy, Window(window.toULong()), &attrs)) {
            plates = timeFieldPlates(dpy, Window(window.toULong()), attrs.width, attrs.height);
            if (plates.size() == 2 && !platesLookAlike(dpy, Window(window.toULong()), plates[0], plates[1])
                && visibleWindows(dpy, app.processId()) == 1)
                break;
            plates.clear();
        }
        QThread::msleep(100);
    }
    if (plates.size() != 2)
        stop();
    ASSERT_FALSE(window.isEmpty()) << app.readAllStandardError().constData();
    ASSERT_EQ(plates.size(), 2u) << "the two time fields were not found";
    std::sort(plates.begin(), plates.end(), [](const QRect &a, const QRect &b) { return a.x() < b.x(); });
    ASSERT_TRUE(xdotool({"windowfocus", "--sync", window}));

    // Into the hours and minutes, away from the step buttons at the right.
    auto inside = [](const QRect &plate) { return QPoint(plate.x() + 30, plate.center().y()); };
    typeTime(window, inside(plates[0]), QStringLiteral("00:00:12.000"));
    typeTime(window, inside(plates[1]), QStringLiteral("00:00:17.000"));

    // "Start" sits at the right edge of the cut tool, level with the fields.
    clickAt(window, QPoint(attrs.width - 48, plates[1].center().y() - 5));

    // The output: complete once ffprobe reads a duration from it and it
    // stopped growing between two looks.
    double seconds = -1;
    QString written;
    qint64 lastSize = -1;
    t.restart();
    while (t.elapsed() < 60000 && app.state() == QProcess::Running && seconds < 0) {
        // Outputs go into a folder named after the source; the hidden
        // temporary name does not count.
        QDirIterator it(out.path(), QDir::Files, QDirIterator::Subdirectories);
        if (it.hasNext()) {
            written = it.next();
            const qint64 size = QFileInfo(written).size();
            const QJsonObject format = testsupport::ffprobeJson(written)["format"].toObject();
            if (size > 0 && size == lastSize && format.contains("duration"))
                seconds = format["duration"].toString().toDouble();
            lastSize = size;
        }
        if (seconds < 0)
            QThread::msleep(200);
    }
    const QByteArray log = app.readAllStandardError();
    stop();
    ASSERT_FALSE(written.isEmpty()) << "nothing was written\n" << log.right(3000).constData();
    EXPECT_NEAR(seconds, 5.0, 0.1) << written.toStdString();
}
