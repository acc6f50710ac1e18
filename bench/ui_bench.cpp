// Measures of the real main window (offscreen) that a user feels but no
// test should time: uibench ui_stall FILE | uibench idle_cpu FILE
//
// ui_stall: the file is opened (dropped on the window) and plays for a
// second, then thirty Up steps of the Start Time edit's seconds, 50 ms
// apart, as a held key makes them. Prints the longest time the interface
// thread stayed away from its event loop (a 5 ms timer records how late it
// fires) while the file opened and played, the same during the steps, and
// how long after the last step the picture of the last position was on
// screen.
// idle_cpu: CPU time of the whole process over 10 s with no file, then over
// 10 s with a file open and paused, in percent of one core.
#include "AppPaths.h"
#include "MainWindow.h"
#include "QCustomTimeEdit.h"
#include "QTimeEditEx.h"
#include "QVideoCutDlg.h"
#include "QVideoPlayDlg.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"
#include "orlcodec.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

// Runs the event loop until cond holds (checked every 5 ms) or ms pass.
bool waitFor(const std::function<bool()> &cond, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!cond()) {
        if (t.elapsed() > ms)
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// User and system time of this process, in seconds.
double cpuSeconds()
{
    QFile f(QStringLiteral("/proc/self/stat"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = f.readAll();
    // Fields after the command name, which ends with the last ')'.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble(); // utime, stime
    return ticks / double(sysconf(_SC_CLK_TCK));
}

// The longest time between two firings of a 5 ms timer while it runs: how
// long the interface thread stayed away from its event loop.
class StallProbe {
public:
    StallProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.elapsed();
            m_worst = std::max(m_worst, now - m_last);
            m_last = now;
        });
    }
    void start()
    {
        m_clock.start();
        m_last = 0;
        m_worst = 0;
        m_timer.start(5);
    }
    // The worst gap, in ms, counting the one still open.
    qint64 stop()
    {
        m_worst = std::max(m_worst, m_clock.elapsed() - m_last);
        m_timer.stop();
        return m_worst;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_worst = 0;
};

bool openFile(MainWindow &w, const QString &path)
{
    QTimer::singleShot(0, &w, [&w, path] { emit w.emitAddFileNames({path}); });
    runFor(1);
    if (!waitFor([&] { return !w.isImporting() && VoVideoConvertManager::instance()->count() == 1; }, 60000))
        return false;
    return waitFor([&] { return !w.playerPanel()->isPaused(); }, 10000);
}

int uiStall(const QString &path)
{
    MainWindow w;
    w.show();
    runFor(500);
    StallProbe opening;
    opening.start();
    if (!openFile(w, path)) {
        std::fprintf(stderr, "uibench: %s did not open\n", qPrintable(path));
        return 1;
    }
    runFor(1000);
    const qint64 openStall = opening.stop();
    QVideoPlayDlg *panel = w.playerPanel();
    // Paused first, as a user does before looking for a picture.
    QWidget *pause = panel->findChild<QWidget *>(QStringLiteral("m_btnPause"));
    if (!pause) {
        std::fprintf(stderr, "uibench: no pause button\n");
        return 1;
    }
    QTest::mouseClick(pause, Qt::LeftButton);
    runFor(500);
    QCustomTimeEdit *start = w.cutTool()->startTimeEdit();
    // A click into the seconds, where a user clicks to step whole seconds.
    QLineEdit *line = start->timeEdit()->editor();
    const int x = line->contentsRect().left() + line->textMargins().left() + 2
        + QFontMetrics(line->font()).horizontalAdvance(QStringLiteral("00:00:0"));
    QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, QPoint(x, line->height() / 2));
    if (start->timeEdit()->currentSection() != QDateTimeEdit::SecondSection) {
        std::fprintf(stderr, "uibench: the click did not reach the seconds\n");
        return 1;
    }

    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 worst = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        worst = std::max(worst, now - last);
        last = now;
    });
    int sent = 0;
    qint64 lastStep = 0;
    QTimer keys;
    keys.setTimerType(Qt::PreciseTimer);
    QObject::connect(&keys, &QTimer::timeout, [&] {
        QTest::keyClick(start->timeEdit(), Qt::Key_Up);
        lastStep = clock.elapsed();
        if (++sent == 30)
            keys.stop();
    });
    last = clock.elapsed();
    probe.start(5);
    keys.start(50);
    waitFor([&] { return sent == 30; }, 120000);
    // The picture of the last position: within a picture of the start time.
    const uint64_t target = w.cutTool()->currentItem()->m_TrimStartTime;
    const ORL_HANDLE player = panel->player();
    const bool shown = waitFor(
        [&] {
            const uint64_t t = Player_GetFrameTime(player);
            return Player_GetPosition(player) == t && t <= target + 1000 && target < t + 40000;
        },
        60000);
    if (!shown)
        std::fprintf(stderr, "uibench: the last picture did not come: asked %llu, shown %llu, position %llu\n",
                     static_cast<unsigned long long>(target),
                     static_cast<unsigned long long>(Player_GetFrameTime(player)),
                     static_cast<unsigned long long>(Player_GetPosition(player)));
    const qint64 landed = clock.elapsed();
    runFor(100);
    probe.stop();
    std::printf("ui_open_stall ours=%.4f\n", openStall / 1000.0);
    std::printf("ui_stall ours=%.4f\n", worst / 1000.0);
    std::printf("ui_final_picture ours=%.4f\n", shown ? (landed - lastStep) / 1000.0 : -1.0);
    return shown ? 0 : 1;
}

int idleCpu(const QString &path)
{
    MainWindow w;
    w.show();
    runFor(1000);
    double c0 = cpuSeconds();
    runFor(10000);
    const double noFile = (cpuSeconds() - c0) / 10.0 * 100.0;
    if (!openFile(w, path)) {
        std::fprintf(stderr, "uibench: %s did not open\n", qPrintable(path));
        return 1;
    }
    QWidget *pause = w.playerPanel()->findChild<QWidget *>(QStringLiteral("m_btnPause"));
    if (!pause) {
        std::fprintf(stderr, "uibench: no pause button\n");
        return 1;
    }
    QTest::mouseClick(pause, Qt::LeftButton);
    runFor(1000);
    c0 = cpuSeconds();
    runFor(10000);
    const double paused = (cpuSeconds() - c0) / 10.0 * 100.0;
    std::printf("idle_cpu_nofile ours=%.4f\n", noFile);
    std::printf("idle_cpu_paused ours=%.4f\n", paused);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(productTitle());
    if (argc != 3) {
        std::fprintf(stderr, "usage: uibench ui_stall|idle_cpu FILE\n");
        return 2;
    }
    const QString job = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    if (job == QLatin1String("ui_stall"))
        return uiStall(path);
    if (job == QLatin1String("idle_cpu"))
        return idleCpu(path);
    std::fprintf(stderr, "uibench: unknown job %s\n", argv[1]);
    return 2;
}
