// How an encode's pictures are described: what the source says of its
// pictures beyond their size reaches the encoded stream, judged by ffprobe.
#include "TestSupport.h"
#include "orlcodec.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

constexpr int kH264 = 28;
constexpr int kH265 = 0x48323635;
constexpr int kAac = 0x15002;

// Encodes the whole of src, at width x height when given; the engine's
// error when it did not finish.
QString encode(const QString &src, const QString &dst, const char *format, int videoCodec, int width = 0,
               int height = 0)
{
    ORL_HANDLE c = Conv_CreateTranscode(-1);
    ORL_HANDLE p = Param_Create();
    if (width > 0) {
        Param_SetSize(p, width, height);
        Param_SetVideoBitrate(p, 20000000); // near lossless: the siting is what differs
    }
    Param_SetEncodeVideo(p, 1);
    Param_SetEncodeAudio(p, 1);
    Param_SetVideoCodec(p, videoCodec);
    Param_SetAudioCodec(p, kAac);
    bool finished = false;
    if (Conv_Open(c, src.toUtf8().constData(), dst.toUtf8().constData(), format, p) == 1 && Conv_Start(c) == 1)
        finished = testsupport::waitForDone([c] { return Conv_IsFinished(c) == 1; }, "the encode", 120000)
            && Conv_IsAborted(c) == 0;
    const QString error = finished ? QString() : QString::fromUtf8(Engine_GetLastError(c)) + " ";
    Param_Release(p);
    Conv_Close(c);
    Conv_Destroy(c);
    return error;
}

QJsonObject videoStream(const QString &file)
{
    for (const QJsonValue &s : testsupport::ffprobeJson(file)["streams"].toArray())
        if (s.toObject()["codec_type"].toString() == "video")
            return s.toObject();
    return {};
}

// The chroma planes of the first picture of file, after ffmpeg's filters
// when given, as 8-bit 4:2:0 of w x h; empty when ffmpeg fails.
QByteArray chromaPlanes(const QString &file, int w, int h, const QString &filters = QString())
{
    QStringList args = {"-v", "error", "-i", file, "-frames:v", "1"};
    if (!filters.isEmpty())
        args << "-vf" << filters;
    args << "-pix_fmt" << "yuv420p" << "-f" << "rawvideo" << "pipe:1";
    const testsupport::ProcessResult r = testsupport::runProcess("ffmpeg", args);
    if (!r.finished || r.exitCode != 0 || r.out.size() != w * h * 3 / 2)
        return {};
    return r.out.mid(w * h);
}

double meanSquareDifference(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size() || a.isEmpty())
        return 1e9;
    double sum = 0;
    for (int i = 0; i < a.size(); ++i) {
        const int d = int(uint8_t(a[i])) - int(uint8_t(b[i]));
        sum += d * d;
    }
    return sum / a.size();
}

} // namespace

// A resized picture keeps its chroma where the siting its stream declares
// puts it: the source's top-left siting, four times enlarged, is declared
// by the output and matches ffmpeg's scaler told that siting on both sides,
// not the scaler's own assumption of centred chroma (which shifts the
// colours by three quarters of a chroma sample here).
TEST(EncodeLook, AResizedPictureKeepsItsChromaSiting)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString src = fixture("chroma_topleft.mkv");
    const QString dst = dir.filePath("resized.mkv");
    ASSERT_EQ(encode(src, dst, "matroska", kH264, 640, 480), QString());
    const QJsonObject st = videoStream(dst);
    ASSERT_EQ(st["width"].toInt(), 640);
    EXPECT_EQ(st["chroma_location"].toString(), "topleft");
    const QByteArray written = chromaPlanes(dst, 640, 480);
    const QByteArray sited = chromaPlanes(
        src, 640, 480, "scale=640:480:in_h_chr_pos=0:in_v_chr_pos=0:out_h_chr_pos=0:out_v_chr_pos=0");
    const QByteArray centred = chromaPlanes(src, 640, 480, "scale=640:480");
    ASSERT_FALSE(written.isEmpty());
    ASSERT_FALSE(sited.isEmpty());
    ASSERT_FALSE(centred.isEmpty());
    const double right = meanSquareDifference(written, sited);
    const double shifted = meanSquareDifference(written, centred);
    EXPECT_LT(right, 0.5 * shifted) << "against the declared siting " << right << ", against centred " << shifted;
}

// A source whose chroma sits at the top left keeps that siting through
// H.264 and H.265 encodes into MP4 (which has no place for it but the
// stream itself) and into Matroska (whose header tells it too).
TEST(EncodeLook, ChromaSitingIsKept)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString src = fixture("chroma_topleft.mkv");
    // Anything but the siting a decoder assumes when none is given.
    ASSERT_EQ(videoStream(src)["chroma_location"].toString(), "topleft");
    struct Case {
        const char *name;
        const char *format;
        int codec;
    } cases[] = {{"h264.mp4", "mp4", kH264}, {"h265.mp4", "mp4", kH265}, {"h264.mkv", "matroska", kH264}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString dst = dir.filePath(c.name);
        ASSERT_EQ(encode(src, dst, c.format, c.codec), QString());
        const QJsonObject st = videoStream(dst);
        EXPECT_EQ(st["codec_name"].toString(), c.codec == kH265 ? "hevc" : "h264");
        EXPECT_EQ(st["chroma_location"].toString(), "topleft");
    }
}
