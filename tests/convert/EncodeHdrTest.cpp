// HDR and interlaced sources through the encoding path. HDR is kept (10
// bits, colours, mastering display and light level) where the output's codec
// carries it, tone-mapped to BT.709 SDR where it does not; fields stay
// fields where the output keeps the source's size and rate, and are
// deinterlaced otherwise. ffprobe and the ffmpeg CLI's decoder and field
// detector judge the outputs.
#include "CAVConverter.h"
#include "ConvertJob.h"
#include "OutputFormatParams.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>

using testsupport::fixture;

namespace {

constexpr int32_t kH264 = 28;
constexpr int32_t kH265 = 0x48323635;
constexpr int32_t kAac = 0x15002;

OutputFormatParams mp4Params(const QString &codec, int32_t codecId)
{
    OutputFormatParams p;
    p.lossless = false;
    p.quality = 90;
    p.container = "mp4";
    p.extension = "mp4";
    p.videoCodec = codec;
    p.videoCodecId = codecId;
    p.audioCodec = "AAC";
    p.audioCodecId = kAac;
    return p;
}

void record(int32_t, void *context, int32_t state)
{
    if (state != 5)
        *static_cast<std::atomic<int> *>(context) = state;
}

// Encodes the whole of src to dst; the converter's final state (2 = done).
int encode(const QString &src, const QString &dst, const OutputFormatParams &params, QString *error)
{
    VoVideoConvertItem item;
    if (!item.open(src))
        return -1;
    item.applyOutputFormat(params);
    std::unique_ptr<ConvertJob> job(item.assembleConvertJob(params));
    if (!job)
        return -1;
    CAVConverter converter;
    std::atomic<int> state{0};
    if (!converter.StartConvert(src.toUtf8().constData(), dst.toUtf8().constData(), *job, &state, &record, false)) {
        *error = QString::fromStdString(converter.lastError());
        return -1;
    }
    if (!testsupport::waitForDone([&] { return state.load() != 0; }, "the encode", 120000))
        return -2;
    *error = QString::fromStdString(converter.lastError());
    return state.load();
}

QJsonObject videoStream(const QString &file)
{
    for (const QJsonValue &s : testsupport::ffprobeJson(file)["streams"].toArray())
        if (s.toObject()["codec_type"].toString() == "video")
            return s.toObject();
    return {};
}

// The first decoded picture of the first video stream, as ffprobe reports it.
QJsonObject firstFrame(const QString &file)
{
    const QJsonArray frames = testsupport::ffprobeJson(file, {"-show_frames", "-select_streams", "v:0",
                                                             "-read_intervals", "%+#1"})["frames"]
                                  .toArray();
    return frames.isEmpty() ? QJsonObject() : frames.first().toObject();
}

QJsonObject sideData(const QJsonObject &holder, const QString &type)
{
    for (const QJsonValue &v : holder["side_data_list"].toArray())
        if (v.toObject()["side_data_type"].toString() == type)
            return v.toObject();
    return {};
}

// The fixture's mastering display and light level, wherever ffprobe finds them.
void expectHdr10Metadata(const QJsonObject &holder, const char *where)
{
    SCOPED_TRACE(where);
    const QJsonObject master = sideData(holder, "Mastering display metadata");
    EXPECT_EQ(master["max_luminance"].toString(), "10000000/10000");
    EXPECT_EQ(master["min_luminance"].toString(), "50/10000");
    EXPECT_EQ(master["red_x"].toString(), "34000/50000");
    EXPECT_EQ(master["green_y"].toString(), "34500/50000");
    EXPECT_EQ(master["white_point_x"].toString(), "15635/50000");
    const QJsonObject light = sideData(holder, "Content light level metadata");
    EXPECT_EQ(light["max_content"].toInt(), 1000);
    EXPECT_EQ(light["max_average"].toInt(), 400);
}

// The first picture as 8-bit RGB, decoded by the ffmpeg CLI with the
// output's own colour description.
QByteArray firstPictureRgb(const QString &file, const QString &filter = QString())
{
    QStringList args{"-nostdin", "-v", "error", "-i", file, "-frames:v", "1"};
    if (!filter.isEmpty())
        args << "-vf" << filter;
    args << "-f" << "rawvideo" << "-pix_fmt" << "rgb24" << "-";
    return testsupport::runProcess("ffmpeg", args).out;
}

double psnr(const QByteArray &a, const QByteArray &b)
{
    if (a.isEmpty() || a.size() != b.size())
        return 0;
    double sum = 0;
    for (int i = 0; i < a.size(); ++i) {
        const double d = double(uint8_t(a[i])) - double(uint8_t(b[i]));
        sum += d * d;
    }
    const double mse = sum / a.size();
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

double meanLuma(const QByteArray &rgb)
{
    double sum = 0;
    const int n = rgb.size() / 3;
    for (int i = 0; i < n; ++i)
        sum += 0.299 * uint8_t(rgb[3 * i]) + 0.587 * uint8_t(rgb[3 * i + 1]) + 0.114 * uint8_t(rgb[3 * i + 2]);
    return n ? sum / n : 0;
}

// First pictures' scan as ffprobe reports it: "tt", "bb" or "progressive"
// when all agree, else "mixed".
QString scanOfFirstPictures(const QString &file)
{
    QString scan;
    for (const QJsonValue &f : testsupport::ffprobeJson(file, {"-show_frames", "-select_streams", "v:0",
                                                              "-read_intervals", "%+#6"})["frames"]
                                   .toArray()) {
        const QJsonObject o = f.toObject();
        const QString one = o["interlaced_frame"].toInt() ? (o["top_field_first"].toInt() ? "tt" : "bb")
                                                           : "progressive";
        scan = scan.isEmpty() || scan == one ? one : "mixed";
    }
    return scan;
}

// Frames the ffmpeg CLI's field detector takes for woven fields (combing).
int combedFrames(const QString &file)
{
    const QString err = QString::fromUtf8(
        testsupport::runProcess("ffmpeg", {"-nostdin", "-hide_banner", "-i", file, "-vf", "idet", "-an", "-f",
                                           "null", "-"})
            .err);
    const int at = err.lastIndexOf("Multi frame detection:");
    if (at < 0)
        return -1;
    const QStringList words = err.mid(at).split(' ', Qt::SkipEmptyParts);
    const auto after = [&](const QString &key) {
        const int i = words.indexOf(key);
        return i >= 0 && i + 1 < words.size() ? words[i + 1].toInt() : -1;
    };
    return after("TFF:") + after("BFF:");
}

class EncodeHdrTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString out(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(EncodeHdrTest, Hdr10ToHevcKeepsTenBitsColoursAndMetadata)
{
    const QString dst = out("hdr10.mp4");
    QString error;
    ASSERT_EQ(encode(fixture("hdr10_hevc.mp4"), dst, mp4Params("H265", kH265), &error), 2) << error.toStdString();

    const QJsonObject st = videoStream(dst);
    EXPECT_EQ(st["codec_name"].toString(), "hevc");
    EXPECT_EQ(st["pix_fmt"].toString(), "yuv420p10le");
    EXPECT_EQ(st["profile"].toString(), "Main 10");
    EXPECT_EQ(st["color_primaries"].toString(), "bt2020");
    EXPECT_EQ(st["color_transfer"].toString(), "smpte2084");
    EXPECT_EQ(st["color_space"].toString(), "bt2020nc");
    EXPECT_EQ(st["color_range"].toString(), "tv");
    // In the MP4 headers (what players read before decoding) and in the
    // stream's own SEI (what reaches the display).
    expectHdr10Metadata(st, "stream");
    const QJsonObject frame = firstFrame(dst);
    EXPECT_EQ(frame["pix_fmt"].toString(), "yuv420p10le");
    EXPECT_EQ(frame["color_transfer"].toString(), "smpte2084");
    expectHdr10Metadata(frame, "first frame");
    // The pictures are the source's, not converted on the way.
    EXPECT_GT(psnr(firstPictureRgb(dst), firstPictureRgb(fixture("hdr10_hevc.mp4"))), 30.0);
}

TEST_F(EncodeHdrTest, HlgToHevcStaysHlg)
{
    const QString dst = out("hlg.mp4");
    QString error;
    ASSERT_EQ(encode(fixture("hlg_hevc.mkv"), dst, mp4Params("H265", kH265), &error), 2) << error.toStdString();
    const QJsonObject st = videoStream(dst);
    EXPECT_EQ(st["pix_fmt"].toString(), "yuv420p10le");
    EXPECT_EQ(st["color_primaries"].toString(), "bt2020");
    EXPECT_EQ(st["color_transfer"].toString(), "arib-std-b67");
    EXPECT_EQ(st["color_space"].toString(), "bt2020nc");
    EXPECT_EQ(firstFrame(dst)["color_transfer"].toString(), "arib-std-b67");
    // HLG has no mastering display: none is made up.
    EXPECT_TRUE(sideData(st, "Mastering display metadata").isEmpty());
}

TEST_F(EncodeHdrTest, HdrToH264IsToneMappedToBt709)
{
    // The fixtures were made from the SDR test pictures: a good tone-map
    // brings them back near those; the HDR signal read as SDR (what an
    // 8-bit copy without tone-mapping shows) is pale and grey.
    const QByteArray original
        = testsupport::runProcess("ffmpeg", {"-nostdin", "-v", "error", "-f", "lavfi", "-i",
                                             "testsrc2=size=320x180:rate=25", "-frames:v", "1", "-f", "rawvideo",
                                             "-pix_fmt", "rgb24", "-"})
              .out;
    ASSERT_EQ(original.size(), 320 * 180 * 3);
    for (const char *name : {"hdr10_hevc.mp4", "hlg_hevc.mkv"}) {
        SCOPED_TRACE(name);
        const QString src = fixture(name);
        const QString dst = out(QString(name) + ".h264.mp4");
        QString error;
        ASSERT_EQ(encode(src, dst, mp4Params("H264", kH264), &error), 2) << error.toStdString();
        const QJsonObject st = videoStream(dst);
        EXPECT_EQ(st["codec_name"].toString(), "h264");
        EXPECT_EQ(st["pix_fmt"].toString(), "yuv420p");
        EXPECT_EQ(st["color_primaries"].toString(), "bt709");
        EXPECT_EQ(st["color_transfer"].toString(), "bt709");
        EXPECT_EQ(st["color_space"].toString(), "bt709");
        EXPECT_TRUE(sideData(st, "Mastering display metadata").isEmpty());

        const QByteArray washedOut = firstPictureRgb(src, "format=yuv420p,setparams=colorspace=bt709");
        ASSERT_LT(psnr(washedOut, original), 12.0) << "the fixture should look wrong without tone-mapping";
        const QByteArray ours = firstPictureRgb(dst);
        EXPECT_GT(psnr(ours, original), 15.0);
        EXPECT_GT(meanLuma(ours), 80.0);
        EXPECT_LT(meanLuma(ours), 170.0);
    }
}

TEST_F(EncodeHdrTest, InterlacedSourcesKeepTheirFieldsAtTheirOwnSizeAndRate)
{
    for (const char *name : {"interlaced_mpeg2.ts", "interlaced_h264.mkv"}) {
        SCOPED_TRACE(name);
        const QString src = fixture(name);
        const QString sourceScan = scanOfFirstPictures(src);
        ASSERT_TRUE(sourceScan == "tt" || sourceScan == "bb") << sourceScan.toStdString();
        const QString dst = out(QString(name) + ".mp4");
        QString error;
        ASSERT_EQ(encode(src, dst, mp4Params("H264", kH264), &error), 2) << error.toStdString();
        // The stream says it is interlaced (even where the source's
        // container did not), and each picture keeps its field order.
        EXPECT_TRUE(QStringList({"tt", "bb", "tb", "bt"}).contains(videoStream(dst)["field_order"].toString()));
        EXPECT_EQ(scanOfFirstPictures(dst), sourceScan);
    }
}

TEST_F(EncodeHdrTest, ResizedInterlacedSourceIsDeinterlacedWithoutCombing)
{
    const QString src = fixture("interlaced_mpeg2.ts");
    ASSERT_GT(combedFrames(src), 20) << "the fixture's fields should comb";
    OutputFormatParams params = mp4Params("H264", kH264);
    params.width = 640;
    params.height = 480;
    const QString dst = out("resized.mp4");
    QString error;
    ASSERT_EQ(encode(src, dst, params, &error), 2) << error.toStdString();
    EXPECT_EQ(scanOfFirstPictures(dst), "progressive");
    EXPECT_LE(combedFrames(dst), 2);
    EXPECT_EQ(videoStream(dst)["width"].toInt(), 640);
}
