// Ranges of several recordings joined into one file by stream copy: those
// that a decoder set up for the first can play are joined, and decode
// cleanly (the ffmpeg CLI is the judge) wherever playback starts; those
// that cannot are refused before anything is written, with what differs.
#include "TestSupport.h"
#include "orlcodec.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using testsupport::ffprobeJson;
using testsupport::fixture;

namespace {

struct Part {
    QString source;
    double start, length;
};

struct Joined {
    int fits = -1;
    std::string fitReport;
    bool finished = false;
    std::string error;
};

Joined join(const std::vector<Part> &parts, const QString &dst, const char *format)
{
    Joined out;
    ORL_HANDLE m = Merge_CreateCopy(-1);
    ORL_HANDLE p = Param_Create();
    const QByteArray target = dst.toUtf8();
    EXPECT_EQ(Merge_Open(m, target.constData(), format, p), 1) << Engine_GetLastError(m);
    std::vector<QByteArray> names;
    std::vector<const char *> sources;
    for (const Part &part : parts)
        names.push_back(part.source.toUtf8());
    for (const QByteArray &n : names)
        sources.push_back(n.constData());
    out.fits = Merge_CheckSources(m, sources.data(), int(sources.size()), p);
    out.fitReport = Merge_GetFitReport(m);
    bool added = true;
    if (out.fits == 1) {
        EXPECT_EQ(Merge_Start(m), 1);
        for (size_t i = 0; i < parts.size() && added; ++i) {
            added = Merge_Add(m, sources[i], uint64_t(parts[i].start * 1e6), uint64_t(parts[i].length * 1e6), p) == 1;
            if (added && testsupport::waitForDone([m] { return Merge_IsDone(m) == 1; }, "a joined range"))
                added = Merge_HasError(m) == 0;
            if (!added)
                out.error = Engine_GetLastError(m);
        }
        out.finished = added && Merge_Finish(m) == 1;
        if (added && !out.finished)
            out.error = Engine_GetLastError(m);
    }
    Merge_Close(m);
    Merge_Destroy(m);
    Param_Release(p);
    return out;
}

// What the ffmpeg CLI reports as errors while decoding every stream,
// starting at `from` seconds.
QString decodeErrors(const QString &file, double from = 0)
{
    const testsupport::ProcessResult r = testsupport::runProcess(
        "ffmpeg", {"-nostdin", "-v", "error", "-ss", QString::number(from), "-i", file, "-f", "null", "-"});
    if (!r.finished || r.exitCode != 0)
        return "ffmpeg failed: " + QString::fromUtf8(r.err);
    return QString::fromUtf8(r.err).trimmed();
}

// From the first packet's start to the last one's end.
double streamLength(const QString &file, const QString &kind)
{
    const QJsonObject probe
        = ffprobeJson(file, {"-select_streams", kind.left(1), "-show_entries", "packet=pts_time,duration_time"});
    double start = 1e9, end = -1;
    for (const QJsonValue &v : probe["packets"].toArray()) {
        const QJsonObject o = v.toObject();
        const double pts = o["pts_time"].toString().toDouble();
        start = std::min(start, pts);
        end = std::max(end, pts + o["duration_time"].toString().toDouble());
    }
    return end - start;
}

} // namespace

// Two H.264 recordings (and two HEVC ones) with the same codec, size and
// rates but other encoder settings: the second's pictures need their own
// parameter sets. Joined first-second-first into every container that takes
// them, the file decodes without an error from its start and from inside
// each range (a player seeking there), and lasts as long as its ranges.
TEST(Join, RecordingsWithOtherParameterSetsJoinAndDecodeCleanly)
{
    struct Case {
        QString first, second;
        double keyFrame; // a key frame of the first, 1 s before its end or more
        std::vector<const char *> formats;
    };
    const std::vector<Case> cases = {
        {fixture("h264_aac.mp4"), fixture("join_params_h264.mp4"), 2.0, {"mp4", "matroska", "mpegts"}},
        {fixture("gop_hevc.mp4"), fixture("join_params_hevc.mp4"), 3.2, {"mp4", "matroska"}},
    };
    for (const Case &c : cases) {
        for (const char *format : c.formats) {
            SCOPED_TRACE(QString("%1 into %2").arg(c.first, format).toStdString());
            QTemporaryDir dir;
            const QString dst = dir.filePath(QString("joined.") + (QString(format) == "matroska" ? "mkv" : format));
            // Key-frame cuts: every range starts on a key frame of its file.
            const Joined j = join({{c.first, 0, 2}, {c.second, 0, 2}, {c.first, c.keyFrame, 1}}, dst, format);
            ASSERT_EQ(j.fits, 1) << j.fitReport;
            ASSERT_TRUE(j.finished) << j.error;
            EXPECT_EQ(decodeErrors(dst), QString());
            if (QString(format) != "mpegts") {
                // A transport stream has no index: a decoder started inside
                // it waits for the next key frame, and says so.
                EXPECT_EQ(decodeErrors(dst, 2.5), QString());
                EXPECT_EQ(decodeErrors(dst, 4.2), QString());
            }
            // A range keeps the pictures its last ones refer to: up to
            // three past its end with the HEVC file's B-pictures.
            EXPECT_NEAR(streamLength(dst, "video"), 5.0, 0.15);
            EXPECT_NEAR(streamLength(dst, "audio"), 5.0, 0.15);
        }
    }
}

// Recordings that a decoder set up for the first cannot play after it are
// named with what differs, and nothing is written; adding such a range to
// a merge that has begun fails with the same words.
TEST(Join, RecordingsThatDoNotJoinAreNamedWithWhatDiffersAndNothingIsWritten)
{
    QTemporaryDir dir;
    const QString dst = dir.filePath("joined.mp4");
    const Joined j = join({{fixture("h264_aac.mp4"), 0, 1},
                           {fixture("join_48k.mp4"), 0, 1},
                           {fixture("gop_hevc.mp4"), 0, 1},
                           {fixture("join_params_h264.mp4"), 0, 1}},
                          dst, "mp4");
    EXPECT_EQ(j.fits, 0);
    EXPECT_EQ(j.fitReport, "join_48k.mp4: audio 48 kHz, others 44.1 kHz; gop_hevc.mp4: video HEVC, others H264");
    EXPECT_FALSE(QFile::exists(dst));

    // HEVC parameter sets that differ cannot go into a transport stream
    // made from length-prefixed files: the muxer puts the first file's in
    // front of every key picture.
    const Joined ts = join({{fixture("gop_hevc.mp4"), 0, 1}, {fixture("join_params_hevc.mp4"), 0, 1}},
                           dir.filePath("joined.ts"), "mpegts");
    EXPECT_EQ(ts.fits, 0);
    EXPECT_NE(ts.fitReport.find("join_params_hevc.mp4: video parameter sets differ"), std::string::npos)
        << ts.fitReport;

    // Not asked first: the range is refused when it comes, the same way.
    ORL_HANDLE m = Merge_CreateCopy(-1);
    ORL_HANDLE p = Param_Create();
    const QByteArray target = dir.filePath("late.mkv").toUtf8();
    const QByteArray first = fixture("h264_aac.mp4").toUtf8(), second = fixture("join_48k.mp4").toUtf8();
    ASSERT_EQ(Merge_Open(m, target.constData(), "matroska", p), 1);
    ASSERT_EQ(Merge_Start(m), 1);
    ASSERT_EQ(Merge_Add(m, first.constData(), 0, 1000000, p), 1) << Engine_GetLastError(m);
    ASSERT_TRUE(testsupport::waitForDone([m] { return Merge_IsDone(m) == 1; }, "the first range"));
    EXPECT_EQ(Merge_Add(m, second.constData(), 0, 1000000, p), 0);
    EXPECT_NE(std::string(Engine_GetLastError(m)).find("join_48k.mp4: audio 48 kHz, others 44.1 kHz"),
              std::string::npos)
        << Engine_GetLastError(m);
    Merge_Close(m);
    Merge_Destroy(m);
    Param_Release(p);

    // A source that cannot be read is named with why.
    const Joined unreadable = join({{fixture("h264_aac.mp4"), 0, 1}, {fixture("not_media.mp4"), 0, 1}},
                                   dir.filePath("x.mp4"), "mp4");
    EXPECT_EQ(unreadable.fits, -1);
    EXPECT_EQ(unreadable.fitReport.rfind("not_media.mp4: ", 0), 0u) << unreadable.fitReport;
}

// Files that do not join by copy join by encoding, into the first one's
// frame and rates: a 16:9 picture after a 4:3 one keeps its shape with bars
// above and below (the ffmpeg CLI's crop detection finds them), and sound
// at 48 kHz after 44.1 kHz keeps its length.
TEST(Join, AnEncodedJoinKeepsEachPicturesShapeInTheFirstOnesFrame)
{
    QTemporaryDir dir;
    const QString dst = dir.filePath("joined.mp4");
    const QByteArray first = fixture("h264_aac.mp4").toUtf8(), wide = fixture("sd_wide.ts").toUtf8(),
                     rate = fixture("join_48k.mp4").toUtf8();
    ORL_HANDLE m = Merge_CreateTranscode(-1);
    ORL_HANDLE p = Param_Create();
    Param_SetEncodeVideo(p, 1);
    Param_SetEncodeAudio(p, 1);
    Param_SetVideoCodec(p, 28);    // H.264
    Param_SetAudioCodec(p, 86018); // AAC
    ASSERT_EQ(Merge_Open(m, dst.toUtf8().constData(), "mp4", p), 1) << Engine_GetLastError(m);
    const char *sources[] = {first.constData(), wide.constData(), rate.constData()};
    EXPECT_EQ(Merge_CheckSources(m, sources, 3, p), 1) << Merge_GetFitReport(m);
    ASSERT_EQ(Merge_Start(m), 1);
    for (const char *src : sources) {
        ASSERT_EQ(Merge_Add(m, src, 0, 1000000, p), 1) << Engine_GetLastError(m);
        ASSERT_TRUE(testsupport::waitForDone([m] { return Merge_IsDone(m) == 1; }, "an encoded range"));
        ASSERT_EQ(Merge_HasError(m), 0) << Engine_GetLastError(m);
    }
    EXPECT_EQ(Merge_Finish(m), 1) << Engine_GetLastError(m);
    Merge_Close(m);
    Merge_Destroy(m);
    Param_Release(p);

    const QJsonObject probe = ffprobeJson(dst);
    const QJsonObject video = probe["streams"].toArray()[0].toObject();
    EXPECT_EQ(video["width"].toInt(), 320);
    EXPECT_EQ(video["height"].toInt(), 240);
    EXPECT_NEAR(streamLength(dst, "video"), 3.0, 0.1);
    EXPECT_NEAR(streamLength(dst, "audio"), 3.0, 0.1);

    auto croppedTo = [&](double at) {
        const testsupport::ProcessResult r = testsupport::runProcess(
            "ffmpeg", {"-nostdin", "-ss", QString::number(at), "-i", dst, "-vf", "cropdetect=limit=24:round=2",
                       "-frames:v", "5", "-f", "null", "-"});
        const QString err = QString::fromUtf8(r.err);
        const int i = err.lastIndexOf("crop=");
        return i < 0 ? std::string() : err.mid(i, err.indexOf(QRegularExpression("\\s"), i) - i).toStdString();
    };
    EXPECT_EQ(croppedTo(0.4), "crop=320:240:0:0");
    // 16:9 in a 4:3 frame: 320x180 between bars of 30 lines.
    EXPECT_EQ(croppedTo(1.4), "crop=320:180:0:30");
}

// An HDR10 range first, then an SDR one, encoded to HEVC: the file stays
// HDR10, and the SDR pictures are put into its colours (SDR white at
// 203 cd/m2), so that turned back to SDR by the ffmpeg CLI's own colour
// conversion they match the source; written as they were, a player reading
// them as PQ would show them far too bright and pale.
TEST(Join, AnHdrMergeTakesSdrRangesIntoItsColours)
{
    QTemporaryDir dir;
    const QString dst = dir.filePath("joined.mp4");
    const QByteArray hdr = fixture("hdr10_hevc.mp4").toUtf8(), sdr = fixture("h264_aac.mp4").toUtf8();
    ORL_HANDLE m = Merge_CreateTranscode(-1);
    ORL_HANDLE p = Param_Create();
    Param_SetEncodeVideo(p, 1);
    Param_SetEncodeAudio(p, 1);
    Param_SetVideoCodec(p, ('H' << 24) | ('2' << 16) | ('6' << 8) | '5'); // HEVC
    Param_SetAudioCodec(p, 86018);                                        // AAC
    ASSERT_EQ(Merge_Open(m, dst.toUtf8().constData(), "mp4", p), 1) << Engine_GetLastError(m);
    ASSERT_EQ(Merge_Start(m), 1);
    for (const QByteArray &src : {hdr, sdr}) {
        ASSERT_EQ(Merge_Add(m, src.constData(), 0, 1000000, p), 1) << Engine_GetLastError(m);
        ASSERT_TRUE(testsupport::waitForDone([m] { return Merge_IsDone(m) == 1; }, "an encoded range"));
        ASSERT_EQ(Merge_HasError(m), 0) << Engine_GetLastError(m);
    }
    EXPECT_EQ(Merge_Finish(m), 1) << Engine_GetLastError(m);
    Merge_Close(m);
    Merge_Destroy(m);
    Param_Release(p);

    const QJsonObject video = ffprobeJson(dst)["streams"].toArray()[0].toObject();
    EXPECT_EQ(video["color_transfer"].toString(), "smpte2084");
    EXPECT_EQ(video["color_primaries"].toString(), "bt2020");
    // The 4:3 SDR picture sits in the 16:9 frame between bars: 240x180 at 40.
    const testsupport::ProcessResult r = testsupport::runProcess(
        "ffmpeg", {"-nostdin", "-ss", "1.4", "-i", dst, "-ss", "0.4", "-i", QString::fromUtf8(sdr), "-lavfi",
                   "[0]crop=240:180:40:0,zscale=t=bt709:p=smpte170m:m=smpte170m:r=tv:npl=203,format=yuv420p[a];"
                   "[1]scale=240:180,format=yuv420p[b];[a][b]psnr",
                   "-frames:v", "1", "-f", "null", "-"});
    const QRegularExpressionMatch psnr = QRegularExpression("PSNR y:([0-9.]+)").match(QString::fromUtf8(r.err));
    ASSERT_TRUE(psnr.hasMatch()) << r.err.constData();
    EXPECT_GT(psnr.captured(1).toDouble(), 20.0);
}

namespace {

// The loudness (dB) of the sound around freq Hz in [from, from + length) s.
double bandLevel(const QString &file, double from, double length, int freq)
{
    const testsupport::ProcessResult r = testsupport::runProcess(
        "ffmpeg", {"-nostdin", "-ss", QString::number(from), "-t", QString::number(length), "-i", file, "-vn", "-af",
                   QString("bandpass=f=%1:width_type=h:w=60,volumedetect").arg(freq), "-f", "null", "-"});
    const QRegularExpressionMatch m = QRegularExpression("mean_volume: (-?[0-9.]+) dB").match(QString::fromUtf8(r.err));
    return m.hasMatch() ? m.captured(1).toDouble() : -200;
}

} // namespace

// Asked to match the sound, a copy joins a recording whose sound is at
// 48 kHz into one at 44.1 kHz: its pictures are copied, its sound encoded
// at 44.1 kHz, and it is still its own sound (the 660 Hz tone, where the
// first recording has 440 Hz), in sync with its pictures.
TEST(Join, SoundThatDiffersIsEncodedToMatchWhenAskedAndThePicturesAreCopied)
{
    for (const char *format : {"mp4", "matroska", "mpegts"}) {
        SCOPED_TRACE(format);
        QTemporaryDir dir;
        const QString dst = dir.filePath(QString("joined.") + (QString(format) == "matroska" ? "mkv" : format));
        const QByteArray first = fixture("h264_aac.mp4").toUtf8(), other = fixture("join_48k.mp4").toUtf8();
        ORL_HANDLE m = Merge_CreateCopy(-1);
        ORL_HANDLE p = Param_Create();
        Param_SetOption(p, "match-sound", "1");
        ASSERT_EQ(Merge_Open(m, dst.toUtf8().constData(), format, p), 1) << Engine_GetLastError(m);
        const char *sources[] = {first.constData(), other.constData()};
        EXPECT_EQ(Merge_CheckSources(m, sources, 2, p), 1) << Merge_GetFitReport(m);
        ASSERT_EQ(Merge_Start(m), 1);
        const std::pair<const char *, double> ranges[] = {{first.constData(), 0}, {other.constData(), 0},
                                                          {first.constData(), 3}};
        for (const auto &r : ranges) {
            ASSERT_EQ(Merge_Add(m, r.first, uint64_t(r.second * 1e6), 2000000, p), 1) << Engine_GetLastError(m);
            ASSERT_TRUE(testsupport::waitForDone([m] { return Merge_IsDone(m) == 1; }, "a joined range"));
            ASSERT_EQ(Merge_HasError(m), 0) << Engine_GetLastError(m);
        }
        ASSERT_EQ(Merge_Finish(m), 1) << Engine_GetLastError(m);
        EXPECT_NE(std::string(Merge_GetCutReport(m)).find("range 2: its sound was encoded to match"),
                  std::string::npos)
            << Merge_GetCutReport(m);
        Merge_Close(m);
        Merge_Destroy(m);
        Param_Release(p);

        const QJsonArray streams = ffprobeJson(dst)["streams"].toArray();
        ASSERT_EQ(streams.size(), 2);
        EXPECT_EQ(streams[1].toObject()["sample_rate"].toString(), "44100");
        EXPECT_EQ(decodeErrors(dst), QString());
        EXPECT_NEAR(streamLength(dst, "video"), 6.0, 0.1);
        EXPECT_NEAR(streamLength(dst, "audio"), 6.0, 0.1);
        // The middle second of each part sounds its own tone.
        EXPECT_GT(bandLevel(dst, 2.5, 1, 660), bandLevel(dst, 2.5, 1, 440) + 10);
        EXPECT_GT(bandLevel(dst, 0.5, 1, 440), bandLevel(dst, 0.5, 1, 660) + 10);
        EXPECT_GT(bandLevel(dst, 4.5, 1, 440), bandLevel(dst, 4.5, 1, 660) + 10);
    }
}
