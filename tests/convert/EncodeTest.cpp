// Encoding conversions and merges through the converter and the media
// library, with every kind of edit. Outputs are judged by what the ffmpeg
// CLI decodes from them: pixels of frames, sound levels, ffprobe's streams.
#include "CAVConverter.h"
#include "ConfigState.h"
#include "ConvertJob.h"
#include "MediaProbe.h"
#include "OutputFormatParams.h"
#include "OutputNaming.h"
#include "QConverterObject.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cmath>
#include <functional>
#include <memory>

#include <sys/resource.h>

using testsupport::fixture;

namespace {

constexpr int32_t kH264 = 28;
constexpr int32_t kAac = 0x15002;
constexpr double kFrame = 0.04;

struct Rgb {
    double r = 0, g = 0, b = 0;
    double luma() const { return 0.299 * r + 0.587 * g + 0.114 * b; }
};

// One decoded frame as RGB, from the ffmpeg CLI.
struct Picture {
    int width = 0;
    int height = 0;
    QByteArray rgb;

    bool valid() const { return width > 0 && rgb.size() == width * height * 3; }
    Rgb at(int x, int y) const
    {
        const auto *p = reinterpret_cast<const uint8_t *>(rgb.constData()) + (y * width + x) * 3;
        return {double(p[0]), double(p[1]), double(p[2])};
    }
    // Mean colour of [x0, x1) x [y0, y1).
    Rgb mean(int x0, int y0, int x1, int y1) const
    {
        Rgb sum;
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const Rgb c = at(x, y);
                sum.r += c.r, sum.g += c.g, sum.b += c.b;
                ++n;
            }
        if (n)
            sum.r /= n, sum.g /= n, sum.b /= n;
        return sum;
    }
    // Pixels of [x0, x1) x [y0, y1) that are near white.
    int whitish(int x0, int y0, int x1, int y1) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const Rgb c = at(x, y);
                n += c.r > 200 && c.g > 200 && c.b > 200;
            }
        return n;
    }
};

Picture frameAt(const QString &file, double t)
{
    Picture pic;
    const QJsonObject probe = testsupport::ffprobeJson(file);
    for (const QJsonValue &s : probe["streams"].toArray())
        if (s.toObject()["codec_type"].toString() == "video") {
            pic.width = s.toObject()["width"].toInt();
            pic.height = s.toObject()["height"].toInt();
            break;
        }
    // The CLI shows pictures turned as their stream asks.
    const Probe probed = probeFile(file); // the stream below lives in it
    const ProbedStream *video = probed.first("video");
    if (video && std::abs(video->rotation) % 180 == 90)
        std::swap(pic.width, pic.height);
    const auto r = testsupport::runProcess("ffmpeg", {"-nostdin", "-v", "error", "-ss", QString::number(t), "-i", file,
                                                      "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
    pic.rgb = r.out;
    return pic;
}

// Mean sound level (dB) of [start, start + length) after an optional filter.
double meanVolume(const QString &file, double start, double length, const QString &filter = QString())
{
    const QString chain = filter.isEmpty() ? "volumedetect" : filter + ",volumedetect";
    const auto r = testsupport::runProcess("ffmpeg", {"-nostdin", "-hide_banner", "-ss", QString::number(start), "-t",
                                                      QString::number(length), "-i", file, "-vn", "-af", chain, "-f",
                                                      "null", "-"});
    const QRegularExpressionMatch m
        = QRegularExpression("mean_volume: (-?[0-9.]+|-inf) dB").match(QString::fromUtf8(r.err));
    if (!m.hasMatch())
        return NAN;
    return m.captured(1) == "-inf" ? -200.0 : m.captured(1).toDouble();
}

double streamDuration(const QString &file, const QString &type)
{
    for (const QJsonValue &s : testsupport::ffprobeJson(file)["streams"].toArray())
        if (s.toObject()["codec_type"].toString() == type)
            return s.toObject()["duration"].toString().toDouble();
    return NAN;
}

QJsonObject streamInfo(const QString &file, const QString &type)
{
    for (const QJsonValue &s : testsupport::ffprobeJson(file)["streams"].toArray())
        if (s.toObject()["codec_type"].toString() == type)
            return s.toObject();
    return {};
}

// Raw RGB of one decoded picture: the index-th the ffmpeg CLI decodes
// from the file's first byte.
QByteArray pictureNumber(const QString &file, int index)
{
    return testsupport::runProcess("ffmpeg", {"-nostdin", "-v", "error", "-i", file, "-vf",
                                              QString("select=eq(n\\,%1)").arg(index), "-fps_mode", "passthrough",
                                              "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "rgb24", "-"})
        .out;
}

// Number of the source's picture showing at t (s from the start of the
// file), by ffprobe's frame list; -1 before the first.
int pictureShownAt(const QString &file, double t)
{
    const double start = testsupport::ffprobeJson(file)["format"].toObject()["start_time"].toString().toDouble();
    const QVector<double> times = probeFrameTimes(file);
    int shown = -1;
    for (int i = 0; i < times.size(); ++i)
        if (times[i] - start <= t + 1e-6)
            shown = i;
    return shown;
}

// Peak signal-to-noise ratio of two pictures of the same size (dB).
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

// Frames of the first video stream with times in [from, to) (s from the
// start of the file).
int picturesWithin(const QString &file, double from, double to)
{
    const double start = testsupport::ffprobeJson(file)["format"].toObject()["start_time"].toString().toDouble();
    int n = 0;
    for (double t : probeFrameTimes(file))
        n += t - start >= from - 1e-6 && t - start < to - 1e-6;
    return n;
}

struct Report {
    std::atomic<int> state{0};
};

void record(int32_t, void *context, int32_t state)
{
    if (state != 5)
        static_cast<Report *>(context)->state = state;
}

bool waitFor(const std::function<bool()> &done, int timeout_ms = 60000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeout_ms)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

OutputFormatParams h264Params()
{
    OutputFormatParams p;
    p.lossless = false;
    p.quality = 90;
    p.container = "mp4";
    p.extension = "mp4";
    p.videoCodec = "H264";
    p.videoCodecId = kH264;
    p.audioCodec = "AAC";
    p.audioCodecId = kAac;
    return p;
}

using EditFn = std::function<void(VEEditConfig &)>;

std::unique_ptr<ConvertJob> encodeJob(const QString &file, double start, double length, const EditFn &edit = {},
                                      const OutputFormatParams &params = h264Params())
{
    VoVideoConvertItem item;
    if (!item.open(file))
        return nullptr;
    item.m_TrimStartTime = static_cast<uint64_t>(start * 1e6);
    item.m_TrimEndTime = length > 0 ? static_cast<uint64_t>((start + length) * 1e6) : 0;
    item.applyOutputFormat(params);
    if (edit)
        edit(item.m_editConfig);
    return std::unique_ptr<ConvertJob>(item.assembleConvertJob(params));
}

class EncodeTest : public ::testing::Test {
protected:
    // The first picture of dst is the source's picture showing at start;
    // its last the one showing at its last frame time (25 a second).
    static void expectPicturesOfRange(const QString &src, const QString &dst, double start, double end)
    {
        const int first = pictureShownAt(src, start);
        const int frames = int(std::ceil((end - start) / kFrame - 1e-6));
        const int last = pictureShownAt(src, start + (frames - 1) * kFrame);
        ASSERT_GE(first, 0);
        EXPECT_GT(psnr(pictureNumber(dst, 0), pictureNumber(src, first)), 30.0);
        const int count = probeFrameTimes(dst).size();
        EXPECT_EQ(count, frames);
        ASSERT_GT(count, 1);
        EXPECT_GT(psnr(pictureNumber(dst, count - 1), pictureNumber(src, last)), 30.0);
    }
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString out(const QString &name) const { return m_dir.filePath(name); }

    // Encodes [start, start + length) of src with the edit; the final state.
    int encode(const QString &src, const QString &dst, double start, double length, const EditFn &edit = {},
               const OutputFormatParams &params = h264Params())
    {
        auto job = encodeJob(src, start, length, edit, params);
        if (!job)
            return -1;
        CAVConverter converter;
        Report report;
        if (!converter.StartConvert(src.toUtf8().constData(), dst.toUtf8().constData(), *job, &report, &record,
                                    false)) {
            m_lastError = QString::fromStdString(converter.lastError());
            return -1;
        }
        if (!waitFor([&] { return report.state.load() != 0; }))
            return -2;
        m_lastError = QString::fromStdString(converter.lastError());
        return report.state.load();
    }

    QTemporaryDir m_dir;
    QString m_lastError;
};

} // namespace

TEST_F(EncodeTest, CropRotationMirrorAndAspectShapeThePicture)
{
    // The green centre of centre.mp4 is 160x120 at (80, 60): cropping it
    // leaves nothing but green.
    const QString cropped = out("crop.mp4");
    ASSERT_EQ(encode(fixture("centre.mp4"), cropped, 0, 1,
                     [](VEEditConfig &c) { c.crop.cropRect = VERect{0.25, 0.25, 0.5, 0.5}; }),
              2);
    Picture p = frameAt(cropped, 0.5);
    ASSERT_TRUE(p.valid());
    for (const Rgb &c : {p.mean(0, 0, 20, 20), p.mean(300, 220, 320, 240), p.mean(150, 110, 170, 130)}) {
        EXPECT_LT(c.r, 40);
        EXPECT_GT(c.g, 90);
        EXPECT_LT(c.b, 40);
    }

    const QString turned = out("rotate.mp4");
    ASSERT_EQ(encode(fixture("split.mp4"), turned, 0, 1, [](VEEditConfig &c) { c.crop.rotation = 90; }), 2);
    p = frameAt(turned, 0.5);
    ASSERT_TRUE(p.valid());
    EXPECT_EQ(p.width, 240);
    EXPECT_EQ(p.height, 320);
    // Clockwise: the left (red) half ends on top.
    EXPECT_GT(p.mean(0, 0, 240, 100).r, 200);
    EXPECT_GT(p.mean(0, 220, 240, 320).b, 200);

    const QString mirrored = out("mirror.mp4");
    ASSERT_EQ(encode(fixture("split.mp4"), mirrored, 0, 1, [](VEEditConfig &c) { c.crop.mirrored = 1; }), 2);
    p = frameAt(mirrored, 0.5);
    EXPECT_GT(p.mean(10, 10, 150, 230).b, 200);
    EXPECT_GT(p.mean(170, 10, 310, 230).r, 200);

    // "16:9" in a 320x240 frame: a 320x180 picture between green bars.
    const QString wide = out("wide.mp4");
    ASSERT_EQ(encode(fixture("split.mp4"), wide, 0, 1,
                     [](VEEditConfig &c) {
                         c.crop.aspectMode = 3;
                         c.crop.aspectNum = 16;
                         c.crop.aspectDen = 9;
                         c.crop.fillColor = 0xff00ff00u;
                     }),
              2);
    p = frameAt(wide, 0.5);
    ASSERT_TRUE(p.valid());
    EXPECT_EQ(p.width, 320);
    EXPECT_EQ(p.height, 240);
    for (const Rgb &bar : {p.mean(0, 0, 320, 26), p.mean(0, 214, 320, 240)}) {
        EXPECT_GT(bar.g, 200);
        EXPECT_LT(bar.r, 40);
    }
    EXPECT_GT(p.mean(10, 40, 150, 200).r, 200);

    // The left half (a 160x240 picture) padded shows bars at the sides;
    // "Full Screen" stretches it over the whole frame.
    const auto leftHalf = [](int mode) {
        return [mode](VEEditConfig &c) {
            c.crop.cropRect = VERect{0, 0, 0.5, 1};
            c.crop.aspectMode = mode;
            if (mode == 2) {
                c.crop.aspectNum = 320;
                c.crop.aspectDen = 240;
            }
        };
    };
    ASSERT_EQ(encode(fixture("split.mp4"), out("padded.mp4"), 0, 1, leftHalf(0)), 2);
    p = frameAt(out("padded.mp4"), 0.5);
    EXPECT_LT(p.mean(0, 0, 70, 240).luma(), 20);     // black bar
    EXPECT_GT(p.mean(120, 0, 200, 240).r, 200);       // the picture
    ASSERT_EQ(encode(fixture("split.mp4"), out("full.mp4"), 0, 1, leftHalf(2)), 2);
    p = frameAt(out("full.mp4"), 0.5);
    EXPECT_GT(p.mean(0, 0, 40, 240).r, 200);
    EXPECT_GT(p.mean(280, 0, 320, 240).r, 200);

    // Pan-scan takes the pan rectangle (right half), not the crop rectangle.
    ASSERT_EQ(encode(fixture("split.mp4"), out("pan.mp4"), 0, 1,
                     [](VEEditConfig &c) {
                         c.crop.panScan = 1;
                         c.crop.padEnabled = 1;
                         c.crop.cropRect = VERect{0, 0, 0.5, 1};
                         c.crop.panRect = VERect{0.5, 0, 0.5, 1};
                         c.displayWidth = 320;
                         c.displayHeight = 240;
                     }),
              2);
    p = frameAt(out("pan.mp4"), 0.5);
    EXPECT_GT(p.mean(0, 0, 320, 240).b, 200);
    EXPECT_LT(p.mean(0, 0, 320, 240).r, 40);
}

TEST_F(EncodeTest, SourceRotationIsAppliedBeforeTheEdits)
{
    // rotated.mp4 stores 320x240 pictures that players turn by 90 degrees;
    // the output is upright and matches what the ffmpeg CLI shows.
    const QString src = fixture("rotated.mp4");
    ASSERT_EQ(encode(src, out("upright.mp4"), 0, 1), 2);
    const Picture ours = frameAt(out("upright.mp4"), 0.48);
    const Picture shown = frameAt(src, 0.48);
    ASSERT_TRUE(ours.valid());
    ASSERT_TRUE(shown.valid());
    ASSERT_EQ(ours.width, 240);
    ASSERT_EQ(ours.height, 320);
    ASSERT_EQ(shown.width * 1000 + shown.height, ours.width * 1000 + ours.height);
    EXPECT_EQ(probeFile(out("upright.mp4")).first("video")->rotation, 0);
    double difference = 0;
    for (int i = 0; i < ours.rgb.size(); ++i)
        difference += std::abs(uint8_t(ours.rgb[i]) - uint8_t(shown.rgb[i]));
    EXPECT_LT(difference / ours.rgb.size(), 12.0);
}

TEST_F(EncodeTest, PictureAdjustmentMovesColoursTheExpectedWay)
{
    const QString plainFile = out("plain.mp4");
    ASSERT_EQ(encode(fixture("split.mp4"), plainFile, 0, 1), 2);
    const Picture plain = frameAt(plainFile, 0.5);
    ASSERT_TRUE(plain.valid());
    const Rgb red = plain.mean(20, 20, 140, 220), blue = plain.mean(180, 20, 300, 220);

    ASSERT_EQ(encode(fixture("split.mp4"), out("bright.mp4"), 0, 1, [](VEEditConfig &c) { c.picture.brightness = 127; }),
              2);
    Picture p = frameAt(out("bright.mp4"), 0.5);
    EXPECT_GT(p.mean(20, 20, 140, 220).luma(), red.luma() + 30);

    ASSERT_EQ(encode(fixture("split.mp4"), out("contrast.mp4"), 0, 1, [](VEEditConfig &c) { c.picture.contrast = 40; }),
              2);
    p = frameAt(out("contrast.mp4"), 0.5);
    EXPECT_LT(std::fabs(p.mean(20, 20, 140, 220).luma() - p.mean(180, 20, 300, 220).luma()),
              std::fabs(red.luma() - blue.luma()) * 0.7);

    ASSERT_EQ(encode(fixture("split.mp4"), out("grey.mp4"), 0, 1, [](VEEditConfig &c) { c.picture.saturation = 0; }),
              2);
    p = frameAt(out("grey.mp4"), 0.5);
    for (const Rgb &c : {p.mean(20, 20, 140, 220), p.mean(180, 20, 300, 220)}) {
        EXPECT_NEAR(c.r, c.g, 8);
        EXPECT_NEAR(c.g, c.b, 8);
    }

    // A third of a turn takes red towards green.
    ASSERT_EQ(encode(fixture("split.mp4"), out("hue.mp4"), 0, 1, [](VEEditConfig &c) { c.picture.hue = 120; }), 2);
    p = frameAt(out("hue.mp4"), 0.5);
    const Rgb shifted = p.mean(20, 20, 140, 220);
    EXPECT_GT(shifted.g, shifted.r + 50);
}

TEST_F(EncodeTest, OverlaysShowWhereAndWhenTheyAreAsked)
{
    const QString plainFile = out("plain.mp4");
    ASSERT_EQ(encode(fixture("split.mp4"), plainFile, 0, 3), 2);
    const Picture plain = frameAt(plainFile, 0.5);

    // The picture's left half is opaque white, its right half transparent;
    // at alpha 128 the opaque half blends half-way into the blue.
    const QString marked = out("watermark.mp4");
    ASSERT_EQ(encode(fixture("split.mp4"), marked, 0, 1,
                     [](VEEditConfig &c) {
                         c.watermark.imagePath = fixture("wm_alpha.png").toStdString();
                         c.watermark.imageX = 0.75;
                         c.watermark.imageY = 0.75;
                         c.watermark.imageAlpha = 128;
                     }),
              2);
    Picture p = frameAt(marked, 0.5);
    ASSERT_TRUE(p.valid());
    const Rgb blended = p.mean(244, 184, 268, 224); // inside (240..272, 180..228)
    EXPECT_NEAR(blended.r, 128, 30);
    EXPECT_NEAR(blended.g, 128, 30);
    EXPECT_GT(blended.b, 200);
    EXPECT_LT(p.mean(276, 184, 300, 224).r, 40);   // transparent half: still blue
    EXPECT_GT(p.mean(20, 20, 140, 220).r, 200);    // elsewhere untouched
    EXPECT_LT(p.mean(180, 20, 300, 170).r, 40);

    // A text shown from 1 s to 2 s of the source.
    const QString texted = out("text.mp4");
    ASSERT_EQ(encode(fixture("split.mp4"), texted, 0, 3,
                     [](VEEditConfig &c) {
                         c.watermark.text = "Snipwell";
                         c.watermark.fontSize = 40;
                         c.watermark.textX = 0.05;
                         c.watermark.textY = 0.05;
                         c.watermark.textStartTime = 1000000;
                         c.watermark.textEndTime = 2000000;
                     }),
              2);
    EXPECT_EQ(frameAt(texted, 0.5).whitish(0, 0, 320, 240), 0);
    p = frameAt(texted, 1.5);
    EXPECT_GT(p.whitish(0, 0, 160, 60), 40);
    EXPECT_EQ(p.whitish(0, 80, 320, 240), 0);
    EXPECT_EQ(frameAt(texted, 2.5).whitish(0, 0, 320, 240), 0);
    EXPECT_EQ(plain.whitish(0, 0, 320, 240), 0);

    // Effect overlay through its source rectangle (only the opaque half, so
    // the whole frame turns white) and a frame overlay of the whole picture.
    const QString effects = out("effects.mp4");
    ASSERT_EQ(encode(fixture("split.mp4"), effects, 0, 1,
                     [](VEEditConfig &c) {
                         c.effectOverlay.imagePath = fixture("wm_alpha.png").toStdString();
                         c.effectOverlay.imageSourceRect = VERect{0, 0, 0.5, 1};
                     }),
              2);
    p = frameAt(effects, 0.5);
    EXPECT_GT(p.mean(0, 0, 320, 240).luma(), 230);
    ASSERT_EQ(encode(fixture("split.mp4"), out("frame.mp4"), 0, 1,
                     [](VEEditConfig &c) { c.frameOverlay.imagePath = fixture("wm_alpha.png").toStdString(); }),
              2);
    p = frameAt(out("frame.mp4"), 0.5);
    EXPECT_GT(p.mean(10, 10, 150, 230).luma(), 230);
    EXPECT_GT(p.mean(170, 10, 310, 230).b, 200);
}

TEST_F(EncodeTest, SubtitlesAreBurnedInAtTheirTimes)
{
    // subs.srt: "First line" 0.5-2.0 s, "Second line" 2.5-4.0 s.
    const QString external = out("srt.mp4");
    ASSERT_EQ(encode(fixture("split.mp4"), external, 0, 3,
                     [](VEEditConfig &c) {
                         c.streamChoice.subtlType = -3;
                         c.streamChoice.path = fixture("subs.srt").toStdString();
                     }),
              2);
    Picture p = frameAt(external, 1.0);
    EXPECT_GT(p.whitish(0, 180, 320, 240), 50);
    EXPECT_EQ(p.whitish(0, 0, 320, 150), 0);
    EXPECT_EQ(frameAt(external, 2.2).whitish(0, 0, 320, 240), 0);
    EXPECT_GT(frameAt(external, 2.8).whitish(0, 180, 320, 240), 50);

    // The source's own subtitle stream, chosen in encoding mode; the
    // "Top" position moves it up.
    const QString embedded = out("embedded.mp4");
    ASSERT_EQ(encode(fixture("split_subs.mkv"), embedded, 0, 3,
                     [](VEEditConfig &c) {
                         ASSERT_EQ(c.subtitleTracks.size(), 1u);
                         c.subtitleTracks[0].selected = true;
                         c.streamChoice.subtlType = 0;
                         c.subtitleStyle.position = 16;
                     }),
              2);
    EXPECT_EQ(probeFile(embedded).count("subtitle"), 0);
    p = frameAt(embedded, 1.0);
    EXPECT_GT(p.whitish(0, 0, 320, 60), 50);
    EXPECT_EQ(p.whitish(0, 90, 320, 240), 0);
}

TEST_F(EncodeTest, SoundEditsChangeLevelsAndLength)
{
    ASSERT_EQ(encode(fixture("split.mp4"), out("plain.mp4"), 0, 2), 2);
    const double plain = meanVolume(out("plain.mp4"), 0.3, 1.4);
    ASSERT_FALSE(std::isnan(plain));

    ASSERT_EQ(encode(fixture("split.mp4"), out("loud.mp4"), 0, 2, [](VEEditConfig &c) { c.soundEffect.volume = 200; }),
              2);
    EXPECT_NEAR(meanVolume(out("loud.mp4"), 0.3, 1.4) - plain, 6.0, 1.0);

    ASSERT_EQ(encode(fixture("split.mp4"), out("fade.mp4"), 0, 2, [](VEEditConfig &c) { c.soundEffect.fadeIn = 1000000; }),
              2);
    EXPECT_LT(meanVolume(out("fade.mp4"), 0, 0.1), plain - 20);
    EXPECT_NEAR(meanVolume(out("fade.mp4"), 1.2, 0.6), plain, 1.0);

    // An equaliser point on the tone lifts it; one far away leaves it.
    const auto eq = [](double hz) {
        return [hz](VEEditConfig &c) {
            c.soundEffect.eqFrequencies = {hz};
            c.soundEffect.eqGains = {6.0};
        };
    };
    ASSERT_EQ(encode(fixture("split.mp4"), out("eq440.mp4"), 0, 2, eq(440)), 2);
    EXPECT_NEAR(meanVolume(out("eq440.mp4"), 0.3, 1.4) - plain, 6.0, 1.5);
    ASSERT_EQ(encode(fixture("split.mp4"), out("eq8k.mp4"), 0, 2, eq(8000)), 2);
    EXPECT_NEAR(meanVolume(out("eq8k.mp4"), 0.3, 1.4) - plain, 0.0, 1.0);

    // 150 % speed: 3 s of source become 2 s, picture and sound alike.
    ASSERT_EQ(encode(fixture("split.mp4"), out("fast.mp4"), 0, 3, [](VEEditConfig &c) { c.soundEffect.rate = 150; }),
              2);
    EXPECT_NEAR(streamDuration(out("fast.mp4"), "video"), 2.0, 2 * kFrame);
    EXPECT_NEAR(streamDuration(out("fast.mp4"), "audio"), 2.0, 0.05);

    // A 1 s 880 Hz background at weight 50 %: with repeat it is still heard
    // in the third second, without it only in the first.
    const QString band = "bandpass=f=880:width_type=q:width=20";
    for (int repeat : {1, 0}) {
        SCOPED_TRACE(repeat);
        const QString mixed = out(QString("bg%1.mp4").arg(repeat));
        ASSERT_EQ(encode(fixture("split.mp4"), mixed, 0, 3,
                         [&](VEEditConfig &c) {
                             c.audio.backgroundPath = fixture("bg_tone.wav").toStdString();
                             c.audio.weight = 50;
                             c.audio.repeat = repeat;
                         }),
                  2);
        EXPECT_GT(meanVolume(mixed, 0.2, 0.6, band), -35);
        if (repeat)
            EXPECT_GT(meanVolume(mixed, 2.1, 0.6, band), -35);
        else
            EXPECT_LT(meanVolume(mixed, 2.1, 0.6, band), -40);
    }
    EXPECT_LT(meanVolume(out("plain.mp4"), 0.2, 0.6, band), -40);
}

TEST_F(EncodeTest, EncoderSettingsReachTheFile)
{
    // H.264 in Baseline; mono 44.1 kHz sound becomes stereo when the
    // profile leaves channels and sample rate at 0.
    ASSERT_EQ(encode(fixture("split.mp4"), out("baseline.mp4"), 0, 1), 2);
    const QJsonObject video = streamInfo(out("baseline.mp4"), "video");
    EXPECT_TRUE(video["profile"].toString().contains("Baseline")) << video["profile"].toString().toStdString();
    QJsonObject audio = streamInfo(out("baseline.mp4"), "audio");
    EXPECT_EQ(audio["channels"].toInt(), 2);
    EXPECT_EQ(audio["sample_rate"].toString(), "44100");

    // An audio-only profile: no picture at all.
    OutputFormatParams mp3 = h264Params();
    mp3.audioOnly = true;
    mp3.container = "mp3";
    mp3.extension = "mp3";
    mp3.audioCodec = "MP3";
    mp3.audioCodecId = 0x15001;
    auto job = encodeJob(fixture("split.mp4"), 0, 1, {}, mp3);
    EXPECT_EQ(job->videoCodecId, -1);
    EXPECT_EQ(job->width, 0);
    ASSERT_EQ(encode(fixture("split.mp4"), out("sound.mp3"), 0, 1, {}, mp3), 2);
    EXPECT_EQ(probeFile(out("sound.mp3")).count("video"), 0);
    EXPECT_EQ(probeFile(out("sound.mp3")).count("audio"), 1);

    // Vorbis at 22.05 kHz asked for 192 kbit/s is held to 160.
    OutputFormatParams ogg = mp3;
    ogg.container = "ogg";
    ogg.extension = "ogg";
    ogg.audioCodec = "OGG";
    ogg.audioCodecId = 0x15005;
    ogg.sampleRate = 22050;
    ogg.audioBitrate = 192;
    job = encodeJob(fixture("split.mp4"), 0, 2, {}, ogg);
    EXPECT_EQ(job->audioBitrate, 160u);
    ASSERT_EQ(encode(fixture("split.mp4"), out("low.ogg"), 0, 2, {}, ogg), 2) << m_lastError.toStdString();
    audio = streamInfo(out("low.ogg"), "audio");
    EXPECT_EQ(audio["sample_rate"].toString(), "22050");
    const double bitrate = testsupport::ffprobeJson(out("low.ogg"))["format"].toObject()["bit_rate"].toString().toDouble();
    EXPECT_GT(bitrate, 0);
    EXPECT_LE(bitrate, 160000 * 1.1);

    // Frame rate, size and bit rate of the profile.
    OutputFormatParams custom = h264Params();
    custom.width = 160;
    custom.height = 120;
    custom.frameRateNum = 30000;
    custom.frameRateDen = 1001;
    custom.videoBitrate = 300;
    ASSERT_EQ(encode(fixture("long_h264_aac.mp4"), out("custom.mp4"), 2, 3, {}, custom), 2);
    const QJsonObject v = streamInfo(out("custom.mp4"), "video");
    EXPECT_EQ(v["width"].toInt(), 160);
    EXPECT_EQ(v["height"].toInt(), 120);
    EXPECT_EQ(v["avg_frame_rate"].toString(), "30000/1001");
    EXPECT_NEAR(probeFile(out("custom.mp4")).duration, 3.0, 0.06);
}

TEST_F(EncodeTest, EveryProfileCodecEncodesOrFailsClearly)
{
    struct Case {
        const char *container;
        int32_t video;
        int32_t audio;
    };
    // Each row is one container with its usual codecs.
    const Case cases[] = {
        {"avi", 13, 0x15001},         {"avi", 1145656920, 0x15001}, {"avi", 808802372, 0x15000},
        {"asf", 18, 0x15007},         {"asf", 19, 0x15008},         {"flv", 22, 0x1100D},
        {"mpeg", 1, 0x15000},         {"mpeg", 2, 0x15003},         {"avi", 8, 0x10000},
        {"ogg", 31, 0x15005},         {"webm", 141, 0x15005},       {"webm", 169, 0x15005},
        {"matroska", 1211250229, 0x1500C}, {"mov", 28, 0x15010},    {"mov", 28, 0x11000},
        {"mov", 28, 0x1000D},         {"mov", 28, 0x10001},         {"avi", 17, 0x15001},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString("%1 %2 %3").arg(c.container).arg(c.video).arg(c.audio, 0, 16).toStdString());
        OutputFormatParams p = h264Params();
        p.container = c.container;
        p.videoCodecId = c.video;
        p.audioCodecId = c.audio;
        p.quality = 50;
        const QString dst = out(QString("codec_%1_%2_%3").arg(c.container).arg(c.video).arg(c.audio));
        ASSERT_EQ(encode(fixture("split.mp4"), dst, 0, 0.5, {}, p), 2) << m_lastError.toStdString();
        const Probe probe = probeFile(dst);
        EXPECT_EQ(probe.count("video"), 1);
        EXPECT_EQ(probe.count("audio"), 1);
        EXPECT_EQ(decodeErrors(dst), "");
    }
    // DV takes only its broadcast sizes.
    OutputFormatParams dv = h264Params();
    dv.container = "avi";
    dv.videoCodecId = 25;
    dv.audioCodecId = 0x10000;
    dv.width = 720;
    dv.height = 576;
    dv.frameRateNum = 25;
    dv.frameRateDen = 1;
    ASSERT_EQ(encode(fixture("split.mp4"), out("dv.avi"), 0, 0.5, {}, dv), 2) << m_lastError.toStdString();
    EXPECT_EQ(streamInfo(out("dv.avi"), "video")["codec_name"].toString(), "dvvideo");

    // Codecs no encoder exists for, and H.263 at a size it cannot take,
    // fail with the reason.
    const QPair<int32_t, int32_t> refused[] = {{72, 0x15001}, {71, 0x15001}, {5, 0x15001}, {13, 0x15026}, {13, 0x12000}};
    for (const auto &codecs : refused) {
        OutputFormatParams p = h264Params();
        p.container = "avi";
        p.videoCodecId = codecs.first;
        p.audioCodecId = codecs.second;
        const QString dst = out(QString("refused_%1_%2.avi").arg(codecs.first).arg(codecs.second));
        EXPECT_EQ(encode(fixture("split.mp4"), dst, 0, 0.5, {}, p), -1);
        EXPECT_TRUE(m_lastError.contains("encoder") || m_lastError.contains("sizes")) << m_lastError.toStdString();
        EXPECT_FALSE(QFile::exists(dst));
    }
}

TEST_F(EncodeTest, MergedRangesAddUpAndFormOneTimeline)
{
    const QString src = fixture("long_h264_aac.mp4");
    const double ranges[][2] = {{1.3, 2.0}, {7.5, 1.5}, {12.1, 2.5}};
    for (const QString &container : {QString("mp4"), QString("matroska")}) {
        SCOPED_TRACE(container.toStdString());
        OutputFormatParams p = h264Params();
        p.container = container;
        const QString dst = out("merged." + container);
        CAVConverter converter;
        auto first = encodeJob(src, ranges[0][0], ranges[0][1], {}, p);
        ASSERT_TRUE(converter.OpenMerger(dst.toUtf8().constData(), *first));
        double expected = 0;
        for (const auto &range : ranges) {
            // The middle range is played faster: its share shrinks.
            const bool fast = &range == &ranges[1];
            auto job = encodeJob(src, range[0], range[1],
                                 [&](VEEditConfig &c) { c.soundEffect.rate = fast ? 200 : 100; }, p);
            Report report;
            ASSERT_TRUE(converter.AddMergeSegment(src.toUtf8().constData(), *job, &report, &record));
            ASSERT_TRUE(waitFor([&] { return report.state.load() != 0; }));
            ASSERT_EQ(report.state.load(), 2);
            expected += fast ? range[1] / 2 : range[1];
        }
        converter.StopMerger(false);
        ASSERT_TRUE(converter.mergedFileComplete());
        if (container == "mp4") {
            EXPECT_NEAR(streamDuration(dst, "video"), expected, 2 * kFrame);
            // The sound stays in step: no gaps at the joins (AAC adds its
            // priming frame at the start).
            EXPECT_NEAR(streamDuration(dst, "audio"), expected, 0.05);
        }
        EXPECT_NEAR(probeFile(dst).duration, expected, 2 * kFrame);
        QString where;
        EXPECT_TRUE(dtsStrictlyIncreasing(dst, &where)) << where.toStdString();
        EXPECT_EQ(decodeErrors(dst), "");
    }
}

TEST_F(EncodeTest, MergeTakesSourcesOfOtherSizesAndWithoutSound)
{
    // A landscape file, a portrait one and one without sound: the later
    // ranges fit the first one's frame, and the silent one gets silence so
    // the sound stays in step.
    const QString dst = out("mixed.mp4");
    const QStringList sources{fixture("split.mp4"), fixture("rotated.mp4"), fixture("centre.mp4")};
    CAVConverter converter;
    ASSERT_TRUE(converter.OpenMerger(dst.toUtf8().constData(), *encodeJob(sources[0], 0, 1)));
    for (const QString &src : sources) {
        auto job = encodeJob(src, 0, 1);
        Report report;
        ASSERT_TRUE(converter.AddMergeSegment(src.toUtf8().constData(), *job, &report, &record));
        ASSERT_TRUE(waitFor([&] { return report.state.load() != 0; }));
        ASSERT_EQ(report.state.load(), 2) << converter.lastError();
    }
    converter.StopMerger(false);
    ASSERT_TRUE(converter.mergedFileComplete());
    EXPECT_NEAR(streamDuration(dst, "video"), 3.0, 2 * kFrame);
    EXPECT_NEAR(streamDuration(dst, "audio"), 3.0, 0.06);
    const Picture p = frameAt(dst, 1.5);
    EXPECT_EQ(p.width, 320);
    EXPECT_EQ(p.height, 240);
    EXPECT_LT(p.mean(0, 0, 60, 240).luma(), 20); // the portrait picture between bars
    EXPECT_GT(frameAt(dst, 2.5).mean(150, 110, 170, 130).g, 90);
    EXPECT_LT(meanVolume(dst, 2.2, 0.6), -60);   // the silent range
    EXPECT_EQ(decodeErrors(dst), "");
}

TEST_F(EncodeTest, PartialDownloadEncodesWhatItHolds)
{
    // The index promises 10 s, the data holds about 6: picture and sound
    // both end where the data ends, with no silence after the pictures.
    const QString dst = out("partial.mp4");
    ASSERT_EQ(encode(fixture("truncated_faststart.mp4"), dst, 0, 0), 2);
    const double video = streamDuration(dst, "video");
    EXPECT_GT(video, 4.0);
    EXPECT_LT(video, 7.0);
    EXPECT_NEAR(streamDuration(dst, "audio"), video, 0.1);
    EXPECT_EQ(decodeErrors(dst), "");
}

TEST_F(EncodeTest, FailuresEndAsFailuresWithTheLibraryText)
{
    // A watermark picture that is not there: the graph cannot be built.
    EXPECT_EQ(encode(fixture("split.mp4"), out("nopic.mp4"), 0, 1,
                     [](VEEditConfig &c) { c.watermark.imagePath = "/nonexistent/logo.png"; }),
              -1);
    EXPECT_TRUE(m_lastError.contains("logo.png")) << m_lastError.toStdString();
    EXPECT_FALSE(QFile::exists(out("nopic.mp4")));

    // A disk that fills up while frames are written (a file size limit on
    // this process): the conversion starts but must end as failed, never as
    // finished, and the unfinished file goes.
    struct rlimit previous;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = previous;
    limited.rlim_cur = 60000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const int state = encode(fixture("long_h264_aac.mp4"), out("full.mp4"), 0, 0);
    setrlimit(RLIMIT_FSIZE, &previous);
    signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(state, 4);
    EXPECT_FALSE(m_lastError.isEmpty());
    EXPECT_FALSE(QFile::exists(out("full.mp4")));
}

TEST_F(EncodeTest, ManagerCancelsPromptlyAndReportsFailuresWithTheirReason)
{
    const QString root = m_dir.path() + "/manager/";
    ConfigState::instance().setConverterPath(root);
    OutputFormatParams::instance() = h264Params();
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    items->clear();
    const auto addItem = [&](const QString &file, const EditFn &edit) {
        VoVideoConvertItem source;
        ASSERT_TRUE(source.open(file));
        VoVideoConvertItem *item = source.clone();
        item->applyOutputFormat(OutputFormatParams::instance());
        if (edit)
            edit(item->m_editConfig);
        items->insert(item, -1);
        setAdjustFileName(source.m_fileSuffix, source.m_videoName);
    };
    const auto outputs = [&] {
        QStringList files;
        for (const QString &sub : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            for (const QString &f : QDir(root + sub).entryList(QDir::Files))
                files << f;
        return files;
    };

    // Cancel while the whole 20 s file is being encoded.
    addItem(fixture("long_h264_aac.mp4"), {});
    {
        QConverterObject converter;
        QEventLoop loop;
        qint64 cancelDuration = -1;
        bool cancelled = false;
        QObject::connect(&converter, &QConverterObject::emitConvertProToCtrl, [&](int pro) {
            if (pro >= 5 && pro < 90 && !cancelled) {
                cancelled = true;
                QElapsedTimer t;
                t.start();
                converter.OnCancelConvert();
                cancelDuration = t.elapsed();
                QTimer::singleShot(300, &loop, &QEventLoop::quit);
            }
        });
        QTimer::singleShot(0, &converter, [&] { converter.startConvert(currentWorkRun(false)); });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
        ASSERT_TRUE(cancelled);
        EXPECT_GE(cancelDuration, 0);
        EXPECT_LE(cancelDuration, 200);
        EXPECT_TRUE(outputs().isEmpty()) << outputs().join(",").toStdString();
    }

    // Failing items, one that cannot start and one that fails while being
    // written (a file size limit on this process): the manager reports a
    // failure each time, logs the library's reason and leaves no file.
    static QStringList logged;
    const auto runFailing = [&](const QString &file, const EditFn &edit, rlim_t sizeLimit) {
        items->clear();
        addItem(file, edit);
        logged.clear();
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &m) { logged << m; });
        struct rlimit saved;
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
        if (sizeLimit) {
            struct rlimit limited = saved;
            limited.rlim_cur = sizeLimit;
            setrlimit(RLIMIT_FSIZE, &limited);
        }
        int failures = 0, successes = 0;
        {
            QConverterObject converter;
            QEventLoop loop;
            QObject::connect(&converter, &QConverterObject::emitConvertedFinish,
                             [&](bool ok) { ++(ok ? successes : failures); });
            QObject::connect(&converter, &QConverterObject::emitIsStartConverter, [&](bool started) {
                if (!started)
                    QTimer::singleShot(200, &loop, &QEventLoop::quit);
            });
            QTimer::singleShot(0, &converter, [&] { converter.startConvert(currentWorkRun(false)); });
            QTimer::singleShot(30000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, oldHandler);
        qInstallMessageHandler(previous);
        items->clear();
        EXPECT_EQ(failures, 1);
        EXPECT_EQ(successes, 0);
        EXPECT_TRUE(outputs().isEmpty());
        return logged.join("\n");
    };
    QString log = runFailing(fixture("split.mp4"),
                             [](VEEditConfig &c) { c.watermark.imagePath = "/nonexistent/mark.png"; }, 0);
    EXPECT_TRUE(log.contains("mark.png")) << log.toStdString();
    log = runFailing(fixture("long_h264_aac.mp4"), {}, 60000);
    EXPECT_TRUE(log.contains("File too large")) << log.toStdString();
}

TEST_F(EncodeTest, BroadcastRangesStartAndEndAtTheAskedPictures)
{
    // Interlaced MPEG-2 in open groups of 12 with B-pictures, time stamps
    // from about 26 hours, the recording begun mid-group. Starts inside a
    // group, just after a key frame and on a B-picture shown before its
    // group's key frame all need decoding from an earlier key frame. A
    // range from the start of the file, where sound comes half a second
    // before the first picture, starts with that picture.
    const QString src = fixture("mpeg2_broadcast.ts");
    const double firstPicture = probeFrameTimes(src).value(0)
        - testsupport::ffprobeJson(src)["format"].toObject()["start_time"].toString().toDouble();
    ASSERT_GT(firstPicture, 0.3);
    const QVector<QPair<double, double>> ranges{{1.14, 2.5}, {2.02, 3.0}, {1.87, 2.7}, {0, 1.5}};
    for (const auto &range : ranges) {
        SCOPED_TRACE(range.first);
        const QString dst = out(QString("broadcast_%1.mp4").arg(range.first));
        ASSERT_EQ(encode(src, dst, range.first, range.second - range.first), 2) << m_lastError.toStdString();
        const double start = std::max(range.first, firstPicture);
        expectPicturesOfRange(src, dst, start, range.second);
        // The sound starts with the picture and lasts as long.
        const QJsonObject video = streamInfo(dst, "video"), audio = streamInfo(dst, "audio");
        EXPECT_NEAR(video["start_time"].toString().toDouble(), audio["start_time"].toString().toDouble(), 0.024);
        EXPECT_NEAR(streamDuration(dst, "audio"), range.second - start, 0.05);
        EXPECT_NEAR(streamDuration(dst, "video"), range.second - start, kFrame + 0.001);
        // The sound kept is the first track, in its language.
        const Probe probed = probeFile(dst);
        EXPECT_EQ(probed.count("video"), 1);
        ASSERT_EQ(probed.count("audio"), 1);
        EXPECT_EQ(probed.first("audio")->language, "deu");
    }
}

TEST_F(EncodeTest, RangesStartAtThePictureShowingThenOnEverySource)
{
    // Open groups of H.264 (with B-pyramids) and HEVC in transport streams,
    // and Matroska, whose times are rounded to milliseconds: the start falls
    // 3 ms before a picture, which is not yet the one showing.
    for (const QString name : {"open_gop_pyramid.ts", "gop_hevc_open.ts", "two_audio_subs.mkv"}) {
        SCOPED_TRACE(name.toStdString());
        const QString dst = out(name + ".mp4");
        ASSERT_EQ(encode(fixture(name), dst, 2.14, 1.0), 2) << m_lastError.toStdString();
        expectPicturesOfRange(fixture(name), dst, 2.14, 3.14);
    }
}

TEST_F(EncodeTest, PhoneRecordingsKeepTheirFrameTimingAndTags)
{
    // 30, 24 and 15 pictures a second one after the other: each picture of
    // the range is written once, at its own time, and the phone's tags stay.
    const QString src = fixture("vfr_phone.mp4");
    OutputFormatParams mkv = h264Params();
    mkv.container = "matroska";
    mkv.extension = "mkv";
    for (const auto &[name, params] : {std::pair{QString("phone.mp4"), h264Params()}, std::pair{QString("phone.mkv"), mkv}}) {
        SCOPED_TRACE(name.toStdString());
        const QString dst = out(name);
        ASSERT_EQ(encode(src, dst, 1.0, 4.0, {}, params), 2) << m_lastError.toStdString();
        EXPECT_EQ(probeFrameTimes(dst).size(), picturesWithin(src, 1.0, 5.0));
        EXPECT_NEAR(streamDuration(dst, "video") > 0 ? streamDuration(dst, "video") : probeFile(dst).duration, 4.0,
                    0.07);
        QJsonObject tags;
        const QJsonObject found = testsupport::ffprobeJson(dst)["format"].toObject()["tags"].toObject();
        for (auto it = found.begin(); it != found.end(); ++it)
            tags.insert(it.key().toLower(), it.value());
        EXPECT_TRUE(tags["creation_time"].toString().startsWith("2024-05-01T10:20:30")) << tags["creation_time"].toString().toStdString();
        EXPECT_EQ(tags["com.apple.quicktime.location.iso6709"].toString(), "+48.8583+002.2945+035.000/");
        EXPECT_EQ(tags["com.apple.quicktime.make"].toString(), "Zelvane");
        EXPECT_EQ(tags["com.apple.quicktime.model"].toString(), "Phone 7");
        EXPECT_EQ(probeFile(dst).first("audio")->language, "eng");
    }
    // A rate the user chose is kept as chosen.
    OutputFormatParams fixed = h264Params();
    fixed.frameRateNum = 25;
    fixed.frameRateDen = 1;
    ASSERT_EQ(encode(src, out("fixed.mp4"), 1.0, 4.0, {}, fixed), 2) << m_lastError.toStdString();
    EXPECT_EQ(probeFrameTimes(out("fixed.mp4")).size(), 100);
}

TEST_F(EncodeTest, TheCommandLineNamesTheTracksAnEncodingLeavesOut)
{
    const auto r = testsupport::runProcess(
        SNIPWELL_CLI, {"cut", "--mode", "encode", "--json", "--size", "320x240", "--cut", "1.14-2", "--cut", "2-2.5",
                       "--output-dir", out("cli"), fixture("mpeg2_broadcast.ts")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QStringList notes, outputs;
    for (const QByteArray &line : r.out.split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        if (o["type"] == "note")
            notes << o["message"].toString();
        else if (o["type"] == "output")
            outputs << o["path"].toString();
    }
    ASSERT_EQ(notes.size(), 1) << notes.join('|').toStdString();
    EXPECT_TRUE(notes[0].contains("ac3 (English)")) << notes[0].toStdString();
    ASSERT_EQ(outputs.size(), 2);
    for (const QString &file : outputs) {
        ASSERT_EQ(probeFile(file).count("audio"), 1);
        EXPECT_EQ(probeFile(file).first("audio")->language, "deu");
    }
}

TEST_F(EncodeTest, WideScreenSDKeepsItsShapeInTheWindowAndOnTheCommandLine)
{
    // 16:9 pictures in a 352x288 frame of wide pixels, to the first format
    // with its sizes left on "Auto": the same frame, the same pixels, the
    // picture filling it (no bars), from the window's path and the CLI's.
    const QString src = fixture("sd_wide.ts");
    const QString window = out("window.mp4");
    ASSERT_EQ(encode(src, window, 0.2, 0.6), 2) << m_lastError.toStdString();
    const auto r = testsupport::runProcess(SNIPWELL_CLI, {"cut", "--mode", "encode", "--cut", "0.2-0.8", "--output-dir",
                                                          out("cli"), src});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString cli = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts).value(0);
    for (const QString &file : {window, cli}) {
        SCOPED_TRACE(file.toStdString());
        const QJsonObject video = streamInfo(file, "video");
        EXPECT_EQ(video["width"].toInt(), 352);
        EXPECT_EQ(video["height"].toInt(), 288);
        EXPECT_EQ(video["sample_aspect_ratio"].toString(), "16:11");
        EXPECT_EQ(video["display_aspect_ratio"].toString(), "16:9");
        EXPECT_GT(psnr(pictureNumber(file, 0), pictureNumber(src, pictureShownAt(src, 0.2))), 30.0);
    }
}

TEST_F(EncodeTest, TheCommandLineEncodesWithEditsFromJson)
{
    QFile edits(out("edits.json"));
    ASSERT_TRUE(edits.open(QIODevice::WriteOnly));
    edits.write(R"({"crop": {"rotation": 270, "mirrored": 1}, "soundEffect": {"volume": 50}})");
    edits.close();
    const QString root = out("cli");
    const auto r = testsupport::runProcess(
        SNIPWELL_CLI, {"cut", "--format", "MKV Video", "--video-codec", "H264", "--audio-codec", "AAC", "--size",
                       "320x240", "--fps", "25", "--quality", "high", "--edits", out("edits.json"), "--cut", "0-1",
                       "--cut", "1-2", "--merge", "--output-dir", root, fixture("split.mp4")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString file = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts).filter(root).value(0);
    ASSERT_TRUE(file.endsWith(".mkv")) << file.toStdString();
    const Picture p = frameAt(file, 0.5);
    ASSERT_EQ(p.width, 240);
    ASSERT_EQ(p.height, 320);
    // Anticlockwise (the left, red half goes to the bottom), then mirrored
    // left to right, which keeps top and bottom.
    EXPECT_GT(p.mean(0, 220, 240, 320).r, 200);
    EXPECT_GT(p.mean(0, 0, 240, 100).b, 200);
    EXPECT_NEAR(probeFile(file).duration, 2.0, 2 * kFrame);

    // A broken edits file is refused before anything is written.
    QFile bad(out("bad.json"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(R"({"crop": {"rotation": "sideways"}})");
    bad.close();
    const auto refused = testsupport::runProcess(
        SNIPWELL_CLI, {"cut", "--format", "4000", "--edits", out("bad.json"), "--output-dir", out("cli2"),
                       fixture("split.mp4")});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains("crop.rotation"));
}
