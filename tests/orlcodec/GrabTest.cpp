// Frame grabbing against the ffmpeg CLI: the picture at a time must be the
// one ffmpeg shows for "-ss T -frames:v 1".
#include "TestSupport.h"
#include "orlcodec.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using testsupport::fixture;
using testsupport::runProcess;

namespace {

QImage ffmpegFrame(const QString &path, double seconds)
{
    QTemporaryDir dir;
    const QString out = dir.path() + "/frame.png";
    const auto r = runProcess("ffmpeg", {"-nostdin", "-v", "error", "-y", "-ss",
                                         QString::number(seconds, 'f', 3), "-i", path,
                                         "-frames:v", "1", "-f", "image2", "-c:v", "png", out});
    if (r.exitCode != 0)
        return QImage();
    return QImage(out).convertToFormat(QImage::Format_RGB32);
}

QImage decode(const orl_picture *pic)
{
    QImage image;
    image.loadFromData(pic->data, pic->size);
    return image.convertToFormat(QImage::Format_RGB32);
}

// Mean absolute difference per channel, 0..255; large when sizes differ.
double difference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull())
        return 1e9;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb *pa = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const QRgb *pb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qRed(pa[x]) - qRed(pb[x])) + std::abs(qGreen(pa[x]) - qGreen(pb[x]))
                + std::abs(qBlue(pa[x]) - qBlue(pb[x]));
    }
    return sum / (3.0 * a.width() * a.height());
}

struct Grab {
    ORL_HANDLE h;
    const orl_picture *pic;
    Grab(ORL_HANDLE handle, uint64_t t, int w = 0, int hh = 0, int fmt = ORL_PICTURE_JPEG)
        : h(handle), pic(Info_GrabFrame(handle, t, w, hh, fmt))
    {
    }
    ~Grab() { Info_ReleaseFrame(h, pic); }
};

} // namespace

TEST(Grab, PictureAtTimeMatchesFfmpeg)
{
    const QString path = fixture("long_h264_aac.mp4");
    ORL_HANDLE h = Info_Create(-1);
    ASSERT_EQ(Info_Open(h, path.toUtf8().constData()), 1);
    // 7.5 s lies mid-group (key frames every second) and 7.52 s between
    // two frames: the grab must decode forward to the next frame.
    for (double t : {0.0, 7.5, 7.52, 13.0}) {
        Grab g(h, uint64_t(t * 1e6));
        ASSERT_NE(g.pic, nullptr) << Engine_GetLastError(h);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(g.pic->data), 2), QByteArray("\xff\xd8", 2));
        const QImage ours = decode(g.pic);
        const double same = difference(ours, ffmpegFrame(path, t));
        const double other = difference(ours, ffmpegFrame(path, t + 0.4));
        EXPECT_LT(same, 4.0) << "t=" << t;
        EXPECT_GT(other, same * 2) << "t=" << t;
    }
    Info_Destroy(h);
}

TEST(Grab, KeyFrameGrabGivesTheKeyFrameBeforeAndLeavesExactGrabsRight)
{
    const QString path = fixture("long_h264_aac.mp4");
    ORL_HANDLE h = Info_Create(-1);
    ASSERT_EQ(Info_Open(h, path.toUtf8().constData()), 1);
    // Key frames every second: 7.5 s and 12.6 s give the pictures of 7 s
    // and 12 s; exact grabs in between on the same handle stay exact.
    for (int round = 0; round < 2; ++round) {
        for (double t : {7.5, 12.6}) {
            {
                Grab key(h, uint64_t(t * 1e6), 0, 0, ORL_PICTURE_JPEG | ORL_PICTURE_KEY_FRAME);
                ASSERT_NE(key.pic, nullptr) << Engine_GetLastError(h);
                EXPECT_LT(difference(decode(key.pic), ffmpegFrame(path, std::floor(t))), 4.0) << "t=" << t;
            }
            Grab exact(h, uint64_t(t * 1e6));
            ASSERT_NE(exact.pic, nullptr);
            EXPECT_LT(difference(decode(exact.pic), ffmpegFrame(path, t)), 4.0) << "t=" << t;
        }
    }
    Info_Destroy(h);
}

TEST(Grab, RotatedVideoIsTurnedLikeFfmpeg)
{
    const QString path = fixture("rotated.mp4");
    ORL_HANDLE h = Info_Create(-1);
    ASSERT_EQ(Info_Open(h, path.toUtf8().constData()), 1);
    Grab g(h, 1000000, 0, 0, ORL_PICTURE_PNG);
    ASSERT_NE(g.pic, nullptr);
    EXPECT_EQ(g.pic->width, 240);
    EXPECT_EQ(g.pic->height, 320);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(g.pic->data), 4), QByteArray("\x89PNG", 4));
    EXPECT_LT(difference(decode(g.pic), ffmpegFrame(path, 1.0)), 4.0);
    Info_Destroy(h);
}

TEST(Grab, SizesAndTimesPastTheEnd)
{
    ORL_HANDLE h = Info_Create(-1);
    ASSERT_EQ(Info_Open(h, fixture("h264_aac.mp4").toUtf8().constData()), 1);
    {
        Grab g(h, 1000000, 160, 90);
        ASSERT_NE(g.pic, nullptr);
        EXPECT_EQ(decode(g.pic).size(), QSize(160, 90));
    }
    {
        Grab g(h, 1000000, 0, 120); // width from the display aspect 4:3
        ASSERT_NE(g.pic, nullptr);
        EXPECT_EQ(decode(g.pic).size(), QSize(160, 120));
    }
    {
        // Past the end gives the last picture rather than nothing.
        Grab g(h, 60000000);
        ASSERT_NE(g.pic, nullptr);
        EXPECT_EQ(decode(g.pic).size(), QSize(320, 240));
    }
    EXPECT_EQ(Info_GrabFrame(h, 0, 100000, 10, ORL_PICTURE_JPEG), nullptr);
    Info_Destroy(h);

    ORL_HANDLE audio = Info_Create(-1);
    ASSERT_EQ(Info_Open(audio, fixture("tone.mp3").toUtf8().constData()), 1);
    EXPECT_EQ(Info_GrabFrame(audio, 0, 0, 0, ORL_PICTURE_JPEG), nullptr);
    EXPECT_STRNE(Engine_GetLastError(audio), "");
    Info_Destroy(audio);
}

TEST(Grab, GrabberStripAcrossTheFile)
{
    ORL_HANDLE g = Grabber_Create();
    ASSERT_NE(g, 0);
    EXPECT_EQ(Grabber_Open(g, fixture("tone.mp3").toUtf8().constData()), 0);
    // The transport stream's first video title is found.
    ASSERT_EQ(Grabber_Open(g, fixture("two_programs.ts").toUtf8().constData()), 1);
    ASSERT_EQ(Grabber_Open(g, fixture("long_h264_aac.mp4").toUtf8().constData()), 1);
    EXPECT_EQ(Grabber_GetWidth(g), 320);
    EXPECT_EQ(Grabber_GetHeight(g), 240);
    int a = 0, b = 0;
    ASSERT_EQ(Grabber_GetDisplayAspect(g, &a, &b), 1);
    EXPECT_EQ(a * 240, b * 320);
    EXPECT_NE(Grabber_CanSeek(g), 0);
    const uint64_t d = Grabber_GetDuration(g);
    ASSERT_EQ(d, 20000000u);
    QImage previous;
    for (int i = 0; i < 10; ++i) {
        const orl_picture *pic = Grabber_GrabFrame(g, d * i / 10, 120, 90, ORL_PICTURE_JPEG);
        ASSERT_NE(pic, nullptr) << i;
        const QImage image = decode(pic);
        EXPECT_EQ(image.size(), QSize(120, 90));
        EXPECT_GT(difference(image, previous), 0.5) << "picture " << i << " repeats the previous one";
        previous = image;
        Grabber_ReleaseFrame(g, pic);
    }
    Grabber_Close(g);
    EXPECT_EQ(Grabber_GrabFrame(g, 0, 0, 0, ORL_PICTURE_JPEG), nullptr);
    Grabber_Destroy(g);
}

TEST(Grab, StreamThatCannotSeekStillGivesPictures)
{
    // A failed seek leaves the reader at the end of a raw stream; the grab
    // goes back and decodes from the start instead of giving up.
    ORL_HANDLE h = Info_Create(-1);
    ASSERT_EQ(Info_Open(h, fixture("raw.h264").toUtf8().constData()), 1);
    for (uint64_t t : {uint64_t(0), uint64_t(13000000), uint64_t(1000000)}) {
        Grab g(h, t);
        ASSERT_NE(g.pic, nullptr) << t << ": " << Engine_GetLastError(h);
        EXPECT_EQ(decode(g.pic).size(), QSize(320, 240));
    }
    Info_Destroy(h);
}
