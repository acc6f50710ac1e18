// The times a frame-exact cut writes, read back by ffprobe: decoding times
// that advance with the pictures through the encoded ends and the copied
// middle, and a video stream as long as what it shows.
#include "TestSupport.h"
#include "orlcodec.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using testsupport::ffprobeJson;
using testsupport::fixture;

namespace {

struct VideoTimes {
    std::vector<double> pts, dts; // in stored order
    double streamDuration = -1;
};

VideoTimes videoTimes(const QString &path)
{
    VideoTimes t;
    const QJsonObject probe = ffprobeJson(
        path, {"-select_streams", "v:0", "-show_entries", "packet=pts_time,dts_time:stream=duration"});
    for (const QJsonValue &v : probe["packets"].toArray()) {
        t.pts.push_back(v.toObject()["pts_time"].toString().toDouble());
        t.dts.push_back(v.toObject()["dts_time"].toString().toDouble());
    }
    const QJsonArray streams = probe["streams"].toArray();
    if (!streams.isEmpty())
        t.streamDuration = streams[0].toObject()["duration"].toString().toDouble();
    return t;
}

} // namespace

// Ranges of a 25 fps file with a key frame each second: one that starts on
// a key frame (nothing encoded before the copy) and one that starts inside
// a group, both ending half a group after a key frame (pictures encoded
// after the copy).
TEST(FrameExactTimes, DecodingTimesAdvanceWithThePicturesThroughBothEnds)
{
    const QByteArray src = fixture("long_h264_aac.mp4").toUtf8();
    const struct {
        uint64_t start_us, length_us;
    } ranges[] = {{9000000, 3500000}, {4400000, 3100000}};
    for (const auto &r : ranges) {
        SCOPED_TRACE(r.start_us);
        QTemporaryDir dir;
        const QByteArray dst = dir.filePath("cut.mp4").toUtf8();
        ORL_HANDLE c = Conv_CreateCopy(-1);
        ORL_HANDLE p = Param_Create();
        Param_SetFrameExactCut(p, 1);
        bool ok = Conv_Open(c, src.constData(), dst.constData(), "mp4", p) == 1 && Conv_SetRange(c, r.start_us, r.length_us) == 1
            && Conv_Start(c) == 1;
        ok = ok && testsupport::waitForDone([c] { return Conv_IsFinished(c) == 1; }, "the cut") && Conv_IsAborted(c) == 0;
        EXPECT_EQ(Conv_GetCutMode(c), ORL_CUT_FRAME_EXACT) << Conv_GetCutReport(c);
        Conv_Close(c);
        Conv_Destroy(c);
        Param_Release(p);
        ASSERT_TRUE(ok);

        const VideoTimes t = videoTimes(QString::fromUtf8(dst));
        const double length = r.length_us / 1e6;
        ASSERT_NEAR(t.pts.size(), length * 25, 1.0);
        // Each picture decoded no later than shown, and decoded about a
        // picture after the one before: the encoded start may end a tick
        // or two before the copied key frame's decoding time, but no run
        // of pictures is squeezed into a few ticks with their shown times
        // running far ahead.
        int squeezed = 0;
        for (size_t i = 0; i < t.dts.size(); ++i) {
            EXPECT_LE(t.dts[i], t.pts[i] + 1e-6) << "packet " << i;
            if (i > 0 && t.dts[i] - t.dts[i - 1] < 0.04 / 20)
                ++squeezed;
        }
        EXPECT_LE(squeezed, 3);
        EXPECT_LT(t.pts.back() - t.dts.back(), 0.2);
        // The stream lasts as long as its pictures are shown.
        EXPECT_NEAR(t.streamDuration, length, 0.1);
    }
}
