// The interface's hold on a player, with the real engine underneath: a mark
// asked for while seeks and steps decode gets the picture they land on, in
// the order asked, even when a newer seek follows at once; a mark of a
// player let go of never arrives.
#include "TestSupport.h"
#include "VoPlayerClass.h"
#include "VoPlayerControl.h"
#include "orlcodec.h"

#include <QCoreApplication>
#include <QObject>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using testsupport::fixture;

namespace {

// Key frames every 10 s at 23.976 pictures a second: a seek far past a key
// frame decodes long enough for the next command to arrive meanwhile.
const char *const kLongGop = "gop10s_h264.mp4";

// The presentation times of the file's pictures, in seconds, as ffprobe
// lists them.
std::vector<double> pictureTimes(const QString &path)
{
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-select_streams"), QStringLiteral("v:0"),
                 QStringLiteral("-show_entries"), QStringLiteral("frame=pts_time"), QStringLiteral("-of"),
                 QStringLiteral("csv=p=0"), path});
    probe.waitForFinished(60000);
    std::vector<double> times;
    for (const QByteArray &line : probe.readAllStandardOutput().split('\n')) {
        bool ok = false;
        const double t = line.trimmed().toDouble(&ok);
        if (ok)
            times.push_back(t);
    }
    return times;
}

// The picture on screen after an exact seek to t: the last one starting at
// or before it.
double pictureAt(const std::vector<double> &times, double t)
{
    double best = 0;
    for (double x : times)
        if (x <= t + 1e-6 && x > best)
            best = x;
    return best;
}

} // namespace

TEST(PlayerControl, AMarkGetsThePictureOfTheSeeksBeforeItAndALaterSeekCannotReplaceThem)
{
    const QString path = fixture(kLongGop);
    const std::vector<double> times = pictureTimes(path);
    ASSERT_GT(times.size(), 500u);
    VoPlayerClass player;
    ASSERT_TRUE(player.open(path));
    VoPlayerControl control;
    control.attach(player.handle());
    QObject context;

    std::vector<double> marks;
    auto mark = [&] { control.whenShown(&context, [&](quint64 us) { marks.push_back(us / 1e6); }); };
    // As a user seeks, marks, seeks on and marks again, all before the
    // first picture is decoded.
    ASSERT_TRUE(control.seek(uint64_t(8.3 * 1e6)));
    mark();
    EXPECT_TRUE(marks.empty()) << "a mark answered before its picture was decoded";
    ASSERT_TRUE(control.seek(uint64_t(17.9 * 1e6)));
    mark();
    ASSERT_TRUE(control.stepFrame(1));
    ASSERT_TRUE(control.stepFrame(1));
    mark();
    EXPECT_FALSE(control.isSettled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return control.isSettled(); }, 20000));
    ASSERT_EQ(marks.size(), 3u);
    const double first = pictureAt(times, 8.3);
    const double second = pictureAt(times, 17.9);
    EXPECT_NEAR(marks[0], first, 0.002);
    EXPECT_NEAR(marks[1], second, 0.002);
    // Two pictures on from the second mark.
    const auto after = std::upper_bound(times.begin(), times.end(), second + 1e-6);
    ASSERT_TRUE(after + 1 < times.end());
    EXPECT_NEAR(marks[2], *(after + 1), 0.002);
    EXPECT_NEAR(control.frameTime() / 1e6, *(after + 1), 0.002);

    // Nothing on its way: answered at once with the picture on screen.
    mark();
    ASSERT_EQ(marks.size(), 4u);
    EXPECT_NEAR(marks[3], marks[2], 0.002);
}

TEST(PlayerControl, MarksOfAPlayerLetGoOfOrOfAContextGoneNeverArrive)
{
    VoPlayerClass player;
    ASSERT_TRUE(player.open(fixture(kLongGop)));
    VoPlayerControl control;
    control.attach(player.handle());
    int called = 0;
    {
        QObject gone;
        ASSERT_TRUE(control.seek(uint64_t(9.5 * 1e6)));
        control.whenShown(&gone, [&](quint64) { ++called; });
    }
    QObject context;
    control.whenShown(&context, [&](quint64) { ++called; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return control.isSettled(); }, 20000));
    EXPECT_EQ(called, 1);

    ASSERT_TRUE(control.seek(uint64_t(19.5 * 1e6)));
    control.whenShown(&context, [&](quint64) { ++called; });
    EXPECT_TRUE(control.isWaiting());
    control.attach(0);
    EXPECT_FALSE(control.isWaiting());
    // The report of the seek may still be on its way: it is dropped.
    ASSERT_EQ(Player_WaitPosted(player.handle(), 20000), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(called, 1);
}
