// Frame-exact stream copies and key-frame lists, judged by ffprobe/ffmpeg
// and by decoding source and output independently of the cut's own check.
#include "TestSupport.h"
#include "orlcodec.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QThread>

#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

struct Picture {
    int64_t pts = 0; // stream time base
    std::vector<uint8_t> luma;
    int width = 0, height = 0;
};

struct StreamDump {
    AVRational tb{1, 1};
    int64_t fileStart_us = 0;
    struct Pkt {
        int64_t pts, dts;
        bool key;
        std::string data;
    };
    std::vector<Pkt> packets; // decoding order
    std::vector<Picture> pictures; // presentation order (pts ascending)
};

// Reads every video packet and decodes every picture of a file with the
// FFmpeg libraries directly (not through the library under test).
StreamDump dumpVideo(const QString &path, bool decode)
{
    StreamDump d;
    AVFormatContext *ctx = nullptr;
    if (avformat_open_input(&ctx, path.toUtf8().constData(), nullptr, nullptr) < 0)
        return d;
    avformat_find_stream_info(ctx, nullptr);
    const int vi = av_find_best_stream(ctx, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (vi < 0) {
        avformat_close_input(&ctx);
        return d;
    }
    AVStream *st = ctx->streams[vi];
    d.tb = st->time_base;
    d.fileStart_us = ctx->start_time == AV_NOPTS_VALUE ? 0 : ctx->start_time;
    const AVCodec *codec = avcodec_find_decoder(st->codecpar->codec_id);
    AVCodecContext *dec = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(dec, st->codecpar);
    dec->pkt_timebase = st->time_base;
    avcodec_open2(dec, codec, nullptr);
    AVPacket *pkt = av_packet_alloc();
    AVFrame *frame = av_frame_alloc();
    auto receive = [&] {
        while (avcodec_receive_frame(dec, frame) == 0) {
            Picture p;
            p.pts = frame->best_effort_timestamp;
            p.width = frame->width;
            p.height = frame->height;
            for (int y = 0; y < frame->height; ++y)
                p.luma.insert(p.luma.end(), frame->data[0] + y * frame->linesize[0],
                              frame->data[0] + y * frame->linesize[0] + frame->width);
            d.pictures.push_back(std::move(p));
            av_frame_unref(frame);
        }
    };
    while (av_read_frame(ctx, pkt) >= 0) {
        if (pkt->stream_index == vi) {
            // Zero bytes at the end belong to the next start code; a
            // transport stream's parser may hand them to either packet.
            int size = pkt->size;
            while (size > 0 && pkt->data[size - 1] == 0)
                --size;
            d.packets.push_back({pkt->pts, pkt->dts, (pkt->flags & AV_PKT_FLAG_KEY) != 0,
                                 std::string(reinterpret_cast<const char *>(pkt->data), size)});
            if (decode) {
                avcodec_send_packet(dec, pkt);
                receive();
            }
        }
        av_packet_unref(pkt);
    }
    if (decode) {
        avcodec_send_packet(dec, nullptr);
        receive();
    }
    av_frame_free(&frame);
    av_packet_free(&pkt);
    avcodec_free_context(&dec);
    avformat_close_input(&ctx);
    return d;
}

double lumaPsnr(const Picture &a, const Picture &b)
{
    if (a.luma.size() != b.luma.size() || a.luma.empty())
        return -1;
    double sum = 0;
    for (size_t i = 0; i < a.luma.size(); ++i) {
        const double e = double(a.luma[i]) - b.luma[i];
        sum += e * e;
    }
    const double mse = sum / a.luma.size();
    return mse == 0 ? 100 : 10 * std::log10(255.0 * 255.0 / mse);
}

int64_t toMicros(int64_t t, AVRational tb)
{
    return av_rescale_q(t, tb, AVRational{1, 1000000});
}

struct CutResult {
    bool ok = false;
    int mode = -1;
    QString report;
};

CutResult cut(const QString &src, const QString &dst, const char *format, uint64_t start_us, uint64_t length_us,
              bool frameExact, const char *psnr = nullptr)
{
    CutResult r;
    ORL_HANDLE c = Conv_CreateCopy(-1);
    ORL_HANDLE p = Param_Create();
    Param_SetFrameExactCut(p, frameExact ? 1 : 0);
    if (psnr)
        Param_SetOption(p, "frame-exact-psnr", psnr);
    if (Conv_Open(c, src.toUtf8().constData(), dst.toUtf8().constData(), format, p) == 1
        && Conv_SetRange(c, start_us, length_us) == 1 && Conv_Start(c) == 1) {
        r.ok = testsupport::waitForDone([c] { return Conv_IsFinished(c) == 1; }, "the cut")
               && Conv_IsAborted(c) == 0;
    }
    r.mode = Conv_GetCutMode(c);
    r.report = QString::fromUtf8(Conv_GetCutReport(c));
    Param_Release(p);
    Conv_Close(c);
    Conv_Destroy(c);
    return r;
}

// No line on ffmpeg's error channel while decoding every stream.
QString decodeErrors(const QString &path)
{
    const ProcessResult r = runProcess("ffmpeg", {"-v", "error", "-nostdin", "-i", path, "-f", "null", "-"});
    if (r.exitCode != 0)
        return "exit " + QString::number(r.exitCode) + ": " + QString::fromUtf8(r.err);
    return QString::fromUtf8(r.err).trimmed();
}

double streamStart(const QJsonObject &probe, const char *type)
{
    for (const QJsonValue &v : probe["streams"].toArray())
        if (v.toObject()["codec_type"].toString() == type)
            return v.toObject()["start_time"].toString().toDouble();
    return NAN;
}

// Positions of the source's first and last picture of a range (µs from the
// start of the file): from the one showing at the start to the last one
// before the end.
std::pair<size_t, size_t> rangePictures(const StreamDump &source, int64_t start, int64_t length)
{
    const int64_t s = source.fileStart_us + start, e = s + length;
    size_t from = 0;
    for (size_t i = 0; i < source.pictures.size(); ++i)
        if (toMicros(source.pictures[i].pts, source.tb) <= s)
            from = i;
    size_t to = from;
    while (to + 1 < source.pictures.size() && toMicros(source.pictures[to + 1].pts, source.tb) < e)
        ++to;
    return {from, to};
}

struct Case {
    const char *fixture;
    const char *format; // output container
    const char *suffix;
    bool hevc;
    bool exact = true; // false: the cut falls back to key frames, and says so
    // H.264 open groups: the reference marking of the first copied group's
    // pictures may be rewritten, so only later groups are copied byte for byte.
    bool firstGroupRewritten = false;
};

class FrameExactCut : public ::testing::TestWithParam<Case> {
};

TEST_P(FrameExactCut, RandomRangesAreExactCopiedInTheMiddleAndClean)
{
    const Case c = GetParam();
    const QString src = fixture(c.fixture);
    const StreamDump source = dumpVideo(src, true);
    ASSERT_FALSE(source.pictures.empty());
    QTemporaryDir dir;
    std::mt19937 rng(2112);
    const int64_t first = toMicros(source.pictures.front().pts, source.tb) - source.fileStart_us;
    const int64_t last = toMicros(source.pictures.back().pts, source.tb) - source.fileStart_us;
    // 20 ranges per file; fewer while debugging (SNIPWELL_SMARTCUT_RANGES).
    const int rounds = qEnvironmentVariableIsSet("SNIPWELL_SMARTCUT_RANGES")
        ? qEnvironmentVariableIntValue("SNIPWELL_SMARTCUT_RANGES")
        : 20;
    for (int round = 0; round < rounds; ++round) {
        const int64_t start = std::uniform_int_distribution<int64_t>(std::max<int64_t>(first, 0), last - 1500000)(rng);
        const int64_t length = std::uniform_int_distribution<int64_t>(300000, 12000000)(rng);
        SCOPED_TRACE(QString("%1 range %2 us + %3 us").arg(c.fixture).arg(start).arg(length).toStdString());
        const QString dst = dir.filePath(QString("cut%1.%2").arg(round).arg(c.suffix));
        const CutResult r = cut(src, dst, c.format, start, length, true);
        ASSERT_TRUE(r.ok);
        // A range that copies no key frame of an open group is encoded
        // whole and exact even there.
        if (!c.exact && r.mode != ORL_CUT_FRAME_EXACT) {
            EXPECT_EQ(r.mode, ORL_CUT_FELL_BACK);
            EXPECT_TRUE(r.report.startsWith("cut at key frames: ")) << r.report.toStdString();
            EXPECT_EQ(decodeErrors(dst), QString());
            continue;
        }
        EXPECT_EQ(r.mode, ORL_CUT_FRAME_EXACT) << r.report.toStdString();

        const auto [from, to] = rangePictures(source, start, length);
        const int64_t e = source.fileStart_us + start + length;

        const StreamDump out = dumpVideo(dst, true);
        ASSERT_EQ(out.pictures.size(), to - from + 1);
        for (size_t i = 1; i < out.pictures.size(); ++i)
            ASSERT_GT(out.pictures[i].pts, out.pictures[i - 1].pts);
        EXPECT_GE(lumaPsnr(out.pictures.front(), source.pictures[from]), 38.0);
        EXPECT_GE(lumaPsnr(out.pictures.back(), source.pictures[to]), 38.0);
        EXPECT_EQ(decodeErrors(dst), QString());

        // ffprobe agrees on the picture count and the start of the sound.
        const QJsonObject probe = ffprobeJson(dst, {"-show_streams", "-count_frames"});
        long long counted = -1;
        for (const QJsonValue &v : probe["streams"].toArray())
            if (v.toObject()["codec_type"].toString() == "video")
                counted = v.toObject()["nb_read_frames"].toString().toLongLong();
        EXPECT_EQ(counted, static_cast<long long>(to - from + 1));
        EXPECT_LE(std::fabs(streamStart(probe, "audio") - streamStart(probe, "video")), 1024.0 / 44100 + 0.002);

        // The middle is copied: every packet from the first key frame at or
        // after the first picture up to the last key frame at or before the
        // end is in the output unchanged (HEVC's first copied key frame
        // carries its parameter sets in front).
        int64_t k1 = -1, k2 = -1;
        const int64_t firstPts = source.pictures[from].pts;
        for (const auto &p : source.packets) {
            if (!p.key)
                continue;
            if (k1 < 0 && p.pts >= firstPts)
                k1 = p.pts;
            if (toMicros(p.pts, source.tb) <= e)
                k2 = p.pts;
        }
        std::set<std::string> written;
        for (const auto &p : out.packets)
            written.insert(p.data);
        bool inside = false, rewritable = false;
        int copied = 0, copiedKeys = 0;
        for (const auto &p : source.packets) {
            if (p.key && p.pts == k2)
                break;
            if (p.key && p.pts == k1) {
                inside = true;
                rewritable = c.firstGroupRewritten;
                if (c.hevc)
                    continue;
            } else if (p.key) {
                rewritable = false;
            }
            if (!inside || p.pts < k1 || k2 <= k1)
                continue;
            copiedKeys += p.key;
            if (rewritable)
                continue;
            EXPECT_TRUE(written.count(p.data)) << "source packet at " << p.pts << " not copied";
            ++copied;
        }
        if (k2 > k1 && k1 >= 0 && (!c.firstGroupRewritten || copiedKeys > 1)) {
            EXPECT_GT(copied, 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Containers, FrameExactCut,
    ::testing::Values(Case{"gop_h264.mp4", "mp4", "mp4", false}, Case{"gop_h264.mov", "mov", "mov", false},
                      Case{"gop_h264.mkv", "matroska", "mkv", false}, Case{"gop_h264.ts", "mpegts", "ts", false},
                      Case{"gop_h264.m2ts", "mpegts", "m2ts", false},
                      Case{"gop_h264_open.mkv", "matroska", "mkv", false, true, true},
                      Case{"gop_h264_open.ts", "mpegts", "ts", false, true, true},
                      Case{"open_gop_pyramid.ts", "mpegts", "ts", false, true, true},
                      Case{"gop_hevc.mp4", "mp4", "mp4", true},
                      Case{"gop_hevc.mov", "mov", "mov", true}, Case{"gop_hevc.m2ts", "mpegts", "m2ts", true},
                      Case{"gop_hevc_open.mkv", "matroska", "mkv", true},
                      Case{"gop_hevc_open.ts", "mpegts", "ts", true}),
    [](const ::testing::TestParamInfo<Case> &info) {
        std::string name = info.param.fixture;
        for (char &ch : name)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(FrameExactFallBack, UnsupportedCodecAndFailedCheckGiveKeyFrameCuts)
{
    QTemporaryDir dir;
    // VP8 cannot be encoded to match: a key-frame cut, reported.
    {
        const QString dst = dir.filePath("vp8.webm");
        const CutResult r = cut(fixture("plain.webm"), dst, "webm", 1300000, 1000000, true);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.mode, ORL_CUT_FELL_BACK);
        EXPECT_TRUE(r.report.startsWith("cut at key frames")) << r.report.toStdString();
        const StreamDump out = dumpVideo(dst, true);
        const StreamDump src = dumpVideo(fixture("plain.webm"), false);
        // Starts at the key frame at 1 s (a group of 25 pictures), ends before 2.3 s.
        EXPECT_EQ(out.pictures.size(), 33u);
        EXPECT_EQ(decodeErrors(dst), QString());
    }
    // A check that cannot pass: the output is removed and cut again at key frames.
    {
        const QString src = fixture("gop_h264.mkv");
        const QString dst = dir.filePath("forced.mkv");
        const CutResult r = cut(src, dst, "matroska", 5000000, 3000000, true, "200");
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.mode, ORL_CUT_FELL_BACK);
        EXPECT_TRUE(r.report.contains("failed its check")) << r.report.toStdString();
        const QString plain = dir.filePath("plain.mkv");
        ASSERT_TRUE(cut(src, plain, "matroska", 5000000, 3000000, false).ok);
        const StreamDump a = dumpVideo(dst, false), b = dumpVideo(plain, false);
        ASSERT_EQ(a.packets.size(), b.packets.size());
        for (size_t i = 0; i < a.packets.size(); ++i)
            EXPECT_EQ(a.packets[i].data, b.packets[i].data);
        EXPECT_EQ(decodeErrors(dst), QString());
    }
    // Without the choice nothing is reported.
    const CutResult r = cut(fixture("gop_h264.mp4"), dir.filePath("none.mp4"), "mp4", 1000000, 1000000, false);
    EXPECT_EQ(r.mode, ORL_CUT_KEY_FRAMES);
    EXPECT_EQ(r.report, QString());
}

// A copy of file with noise over the middle of a video packet shown at or
// after `at` seconds, as a damaged download or disk leaves it: the first such
// packet whose damage the ffmpeg decoder reports.
QString damagedCopy(const QString &file, double at, const QString &dst)
{
    const ProcessResult r = runProcess("ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_entries",
                                                   "packet=pts_time,size,pos", "-of", "csv=p=0", file});
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray whole = in.readAll();
    int tries = 0;
    for (const QString &line : QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(',');
        const qint64 size = f.value(1).toLongLong(), pos = f.value(2).toLongLong();
        if (f.size() != 3 || f[0].toDouble() < at || size < 64 || pos + size > whole.size())
            continue;
        if (++tries > 10)
            break;
        QByteArray bytes = whole;
        std::mt19937 rng(static_cast<unsigned>(pos));
        for (qint64 i = pos + size / 3; i < pos + size / 3 + size / 2; ++i)
            bytes[static_cast<int>(i)] = static_cast<char>(rng());
        QFile out(dst);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            return QString();
        out.close();
        if (!decodeErrors(dst).isEmpty())
            return dst;
    }
    return QString();
}

TEST(FrameExactCheck, DamageAtEitherSeamFailsTheCheck)
{
    // The check skips the untouched middle of the copy, but the copied
    // groups right after the encoded start and right before the encoded
    // end are where the two streams meet: a picture that does not decode
    // there is found, and the range is cut at key frames instead.
    // gop_h264.mp4 has key frames at 0, 3.2, 10.4, 12.8 and 20 s: from 2 s
    // to 21 s the groups of 3.2 s and 12.8 s are the seams, 10.4 s the middle.
    QTemporaryDir dir;
    const QString src = fixture("gop_h264.mp4");
    const CutResult clean = cut(src, dir.filePath("clean.mp4"), "mp4", 2000000, 19000000, true);
    ASSERT_TRUE(clean.ok);
    EXPECT_EQ(clean.mode, ORL_CUT_FRAME_EXACT) << clean.report.toStdString();
    for (double at : {6.0, 16.0}) {
        SCOPED_TRACE(at);
        const QString damaged = damagedCopy(src, at, dir.filePath(QString("damaged%1.mp4").arg(at)));
        ASSERT_FALSE(damaged.isEmpty());
        const QString dst = dir.filePath(QString("cut%1.mp4").arg(at));
        const CutResult r = cut(damaged, dst, "mp4", 2000000, 19000000, true);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.mode, ORL_CUT_FELL_BACK);
        EXPECT_TRUE(r.report.contains("failed its check")) << r.report.toStdString();
    }
}

TEST(FrameExactMerge, ThreeRangesJoinContinuously)
{
    for (const char *name : {"gop_h264.mp4", "gop_hevc_open.ts"}) {
        SCOPED_TRACE(name);
        const QString src = fixture(name);
        const StreamDump source = dumpVideo(src, true);
        QTemporaryDir dir;
        const bool ts = QString(name).endsWith(".ts");
        const QString dst = dir.filePath(ts ? "merged.ts" : "merged.mp4");
        ORL_HANDLE m = Merge_CreateCopy(-1);
        ORL_HANDLE p = Param_Create();
        Param_SetFrameExactCut(p, 1);
        ASSERT_EQ(Merge_Open(m, dst.toUtf8().constData(), ts ? "mpegts" : "mp4", p), 1);
        ASSERT_EQ(Merge_Start(m), 1);
        const int64_t ranges[3][2] = {{1300000, 4100000}, {11000000, 2500000}, {6100000, 7300000}};
        size_t expected = 0;
        for (const auto &r : ranges) {
            ASSERT_EQ(Merge_Add(m, src.toUtf8().constData(), r[0], r[1], p), 1);
            ASSERT_TRUE(testsupport::waitForDone([m] { return Merge_IsDone(m) == 1; }, "a merged range"));
            ASSERT_EQ(Merge_HasError(m), 0) << Engine_GetLastError(m);
            const auto [from, to] = rangePictures(source, r[0], r[1]);
            expected += to - from + 1;
        }
        EXPECT_EQ(Merge_GetCutMode(m), ORL_CUT_FRAME_EXACT) << Merge_GetCutReport(m);
        EXPECT_EQ(Merge_Finish(m), 1);
        Param_Release(p);
        Merge_Close(m);
        Merge_Destroy(m);
        const QJsonObject probe = ffprobeJson(dst, {"-show_streams", "-count_frames", "-select_streams", "v"});
        EXPECT_EQ(probe["streams"].toArray()[0].toObject()["nb_read_frames"].toString().toULongLong(), expected);
        EXPECT_EQ(decodeErrors(dst), QString());
        // No part files are left beside the merged file.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    }
}

std::vector<double> ffprobeKeyTimes(const QString &path)
{
    const QJsonObject fmt = ffprobeJson(path, {"-show_format"});
    const double start = fmt["format"].toObject()["start_time"].toString().toDouble();
    const QJsonObject frames = ffprobeJson(path, {"-select_streams", "v:0", "-skip_frame", "nokey", "-show_entries",
                                                  "frame=pts_time,best_effort_timestamp_time,key_frame"});
    std::vector<double> times;
    for (const QJsonValue &v : frames["frames"].toArray()) {
        const QJsonObject f = v.toObject();
        if (f["key_frame"].toInt() != 1)
            continue;
        times.push_back(f["best_effort_timestamp_time"].toString().toDouble() - start);
    }
    return times;
}

TEST(KeyFrames, AgreeWithFfprobeOnEveryFixtureAndStopOnInterrupt)
{
    for (const char *name : {"gop_h264.mp4", "gop_h264.mov", "gop_h264.mkv", "gop_h264.ts", "gop_h264.m2ts",
                             "gop_h264_open.mkv", "gop_h264_open.ts", "gop_hevc.mp4", "gop_hevc.mov",
                             "gop_hevc.m2ts", "gop_hevc_open.mkv", "gop_hevc_open.ts", "long_h264_aac.mp4",
                             "two_programs.ts", "plain.webm", "plain.avi"}) {
        SCOPED_TRACE(name);
        const QString path = fixture(name);
        const std::vector<double> expected = ffprobeKeyTimes(path);
        ORL_HANDLE h = Info_Create(-1);
        ASSERT_EQ(Info_Open(h, path.toUtf8().constData()), 1);
        const uint64_t *times = nullptr;
        const int n = Info_GetKeyFrames(h, &times);
        ASSERT_EQ(static_cast<size_t>(n), expected.size());
        for (int i = 0; i < n; ++i)
            EXPECT_NEAR(times[i] / 1e6, std::max(expected[i], 0.0), 0.0015) << "key frame " << i;
        Info_Close(h);
        Info_Destroy(h);
    }
    // A stopped search returns nothing and is not remembered as the answer.
    const QString ts = fixture("gop_h264_open.ts");
    QFile::copy(ts, QDir::temp().filePath("snipwell-keyframes-stop.ts"));
    const QString copy = QDir::temp().filePath("snipwell-keyframes-stop.ts");
    ORL_HANDLE h = Info_Create(-1);
    ASSERT_EQ(Info_Open(h, copy.toUtf8().constData()), 1);
    const uint64_t *times = nullptr;
    Engine_SetInterrupt(1);
    EXPECT_EQ(Info_GetKeyFrames(h, &times), 0);
    Engine_SetInterrupt(0);
    EXPECT_EQ(Info_GetKeyFrames(h, &times), 8);
    EXPECT_EQ(Info_GetKeyFrames(0, &times), 0);
    Info_Close(h);
    Info_Destroy(h);
    QFile::remove(copy);
}

} // namespace
