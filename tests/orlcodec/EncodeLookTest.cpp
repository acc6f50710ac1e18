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

// Encodes the whole of src; the engine's error when it did not finish.
QString encode(const QString &src, const QString &dst, const char *format, int videoCodec)
{
    ORL_HANDLE c = Conv_CreateTranscode(-1);
    ORL_HANDLE p = Param_Create();
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

} // namespace

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
