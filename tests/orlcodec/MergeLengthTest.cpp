// A merged file lasts as long as its ranges together, and its check holds
// it to that sum; ffprobe reads the lengths back.
#include "TestSupport.h"
#include "orlcodec.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using testsupport::ffprobeJson;
using testsupport::fixture;

namespace {

struct Range {
    uint64_t start_us, length_us;
};

struct Merged {
    bool finished = false;
    std::string check;
    double video = -1, audio = -1; // stream durations, -1 when absent
};

double seconds(const QJsonValue &v)
{
    bool ok = false;
    const double d = v.toString().toDouble(&ok);
    return ok ? d : -1;
}

// The last packet's end of each kind of stream: Matroska states no stream
// durations.
void readEnds(const QString &path, Merged &out)
{
    const QJsonObject probe = ffprobeJson(path, {"-show_streams", "-show_entries", "packet=stream_index,pts_time,duration_time"});
    std::vector<QString> kinds;
    for (const QJsonValue &s : probe["streams"].toArray())
        kinds.push_back(s.toObject()["codec_type"].toString());
    for (const QJsonValue &p : probe["packets"].toArray()) {
        const QJsonObject o = p.toObject();
        const int index = o["stream_index"].toInt();
        const double end = seconds(o["pts_time"]) + std::max(seconds(o["duration_time"]), 0.0);
        if (index < 0 || index >= static_cast<int>(kinds.size()))
            continue;
        if (kinds[index] == "video")
            out.video = std::max(out.video, end);
        else if (kinds[index] == "audio")
            out.audio = std::max(out.audio, end);
    }
}

Merged merge(const QString &source, const std::vector<Range> &ranges, bool transcode, const QTemporaryDir &dir)
{
    const QByteArray src = source.toUtf8();
    const QByteArray dst = dir.filePath(transcode ? "merged.mp4" : "merged.mkv").toUtf8();
    ORL_HANDLE m = transcode ? Merge_CreateTranscode(-1) : Merge_CreateCopy(-1);
    ORL_HANDLE p = Param_Create();
    if (transcode) {
        Param_SetEncodeVideo(p, 1);
        Param_SetEncodeAudio(p, 1);
        Param_SetVideoCodec(p, 28);    // H.264
        Param_SetAudioCodec(p, 86018); // AAC
    }
    Merged out;
    EXPECT_EQ(Merge_Open(m, dst.constData(), transcode ? "mp4" : "matroska", p), 1) << Engine_GetLastError(m);
    EXPECT_EQ(Merge_Start(m), 1);
    for (const Range &r : ranges) {
        EXPECT_EQ(Merge_Add(m, src.constData(), r.start_us, r.length_us, p), 1) << Engine_GetLastError(m);
        if (!testsupport::waitForDone([m] { return Merge_IsDone(m) == 1; }, "a merged range"))
            break;
        EXPECT_EQ(Merge_HasError(m), 0) << Engine_GetLastError(m);
    }
    out.finished = Merge_Finish(m) == 1;
    const char *check = Merge_GetCheckReport(m);
    out.check = check ? check : "";
    if (!out.finished)
        out.check += std::string(" / ") + Engine_GetLastError(m);
    Merge_Close(m);
    Merge_Destroy(m);
    Param_Release(p);
    if (out.finished)
        readEnds(QString::fromUtf8(dst), out);
    return out;
}

} // namespace

// Three ranges of a 20 s file, 2 + 1 + 3.5 s: the file lasts 6.5 s (not
// the last range's 3.5 s, nor its end at 12.5 s) and its check passes.
TEST(MergeLength, ThreeRangesLastTheirSum)
{
    const std::vector<Range> ranges = {{1000000, 2000000}, {5000000, 1000000}, {9000000, 3500000}};
    for (bool transcode : {false, true}) {
        SCOPED_TRACE(transcode ? "encode" : "copy");
        QTemporaryDir dir;
        const Merged m = merge(fixture("long_h264_aac.mp4"), ranges, transcode, dir);
        ASSERT_TRUE(m.finished) << m.check;
        EXPECT_EQ(m.check, "passed");
        // Encoded ranges start and end on their pictures; copies at key
        // frames (one a second in this file), each up to a group early.
        const double tolerance = transcode ? 0.1 : 1.1;
        EXPECT_NEAR(m.video, 6.5, tolerance);
        EXPECT_NEAR(m.audio, 6.5, tolerance);
    }
}

// A partial download (a 10 s file cut off after 5 s) merged from 2.5 s to
// its end: the sound, made as long as the range, stops with the pictures
// where the data stops instead of running on to the declared 10 s.
TEST(MergeLength, ARangeIntoAPartialSourceEndsWhereItsDataEnds)
{
    QTemporaryDir dir;
    const Merged m = merge(fixture("partial.mkv"), {{2500000, 0}}, true, dir);
    ASSERT_TRUE(m.finished) << m.check;
    EXPECT_EQ(m.check, "passed");
    EXPECT_NEAR(m.video, 2.5, 0.2);
    EXPECT_NEAR(m.audio, m.video, 0.1);
}
