// Lossless cuts at the edges real files have: a start exactly on a key
// frame, sound muxed late in a transport stream, open groups of pictures and
// sources that end early (partial downloads). Judged by ffprobe and the
// ffmpeg decoder.
#include "CAVConverter.h"
#include "ConvertJob.h"
#include "MediaProbe.h"
#include "OutputFormatParams.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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

constexpr double kFrame = 0.04; // 25 fps sources

void recordState(int32_t, void *context, int32_t state)
{
    if (state != 5)
        static_cast<std::atomic<int> *>(context)->store(state);
}

std::unique_ptr<ConvertJob> cutJob(const QString &file, const QString &container, double start, double end)
{
    VoVideoConvertItem item;
    if (!item.open(file))
        return nullptr;
    OutputFormatParams params;
    params.lossless = true;
    params.container = container;
    params.extension = container;
    params.videoCodecId = 0;
    params.audioCodecId = 0;
    item.m_TrimStartTime = static_cast<uint64_t>(start * 1e6);
    // A negative end: the item's own end, as the window sets it for a
    // range that runs to the end of the file.
    item.m_TrimEndTime = end < 0 ? item.m_duration : static_cast<uint64_t>(end * 1e6);
    item.applyOutputFormat(params);
    return std::unique_ptr<ConvertJob>(item.assembleConvertJob(params));
}

// Runs a cut to its end; the final state (2 finished), and where the
// source ended early (µs, 0 when it did not).
int cut(const QString &src, const QString &dst, const ConvertJob &job, uint64_t *sourceEnd = nullptr)
{
    CAVConverter converter;
    std::atomic<int> state{0};
    if (!converter.StartConvert(src.toUtf8().constData(), dst.toUtf8().constData(), job, &state, &recordState,
                                false))
        return -1;
    QElapsedTimer t;
    t.start();
    while (state.load() == 0 && t.elapsed() < 30000) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    if (sourceEnd)
        *sourceEnd = converter.sourceEndedAt();
    return state.load();
}

double formatStart(const QString &file)
{
    return testsupport::ffprobeJson(file)["format"].toObject()["start_time"].toString().toDouble();
}

// MD5 of the first picture ffmpeg decodes from file (from `at` seconds after its start,
// frame-exact, when given).
QByteArray firstPictureMd5(const QString &file, double at = -1)
{
    QStringList args{"-nostdin", "-v", "error"};
    if (at >= 0)
        args << "-ss" << QString::number(at, 'f', 6);
    args << "-i" << file << "-map" << "0:v:0" << "-frames:v" << "1" << "-f" << "md5" << "-";
    return testsupport::runProcess("ffmpeg", args).out.trimmed();
}

class CutEdgeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString out(const QString &name) const { return m_dir.filePath(name); }
    // A source made with the ffmpeg CLI (arguments before the output name).
    QString make(const QString &name, const QStringList &args)
    {
        const QString path = out(name);
        const auto r = testsupport::runProcess("ffmpeg", QStringList{"-nostdin", "-v", "error", "-y"} + args + QStringList{path});
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        return path;
    }
    // The first size bytes of file, as a download cut short leaves it.
    QString truncated(const QString &file, const QString &name, double fraction)
    {
        QFile in(file);
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        QFile outFile(out(name));
        EXPECT_TRUE(outFile.open(QIODevice::WriteOnly));
        outFile.write(in.read(static_cast<qint64>(in.size() * fraction)));
        return outFile.fileName();
    }
    QTemporaryDir m_dir;
};

const QString kVideo = "testsrc2=size=320x240:rate=25:duration=12";
const QString kTone48 = "sine=frequency=440:sample_rate=48000:duration=12";

} // namespace

TEST_F(CutEdgeTest, StartOnAKeyFrameBeginsWithThatPictureAndKeepsTheLength)
{
    // Containers without an edit list show every copied picture: a start
    // exactly on a key frame must not copy the group before it.
    struct Case {
        const char *source;
        const char *container;
        const char *ext;
    } cases[] = {{"long_h264_aac.mp4", "matroska", "mkv"}, {"long_h264_aac.ts", "mpegts", "ts"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.container);
        const QString src = fixture(c.source);
        const double origin = formatStart(src);
        const QVector<double> keys = keyFrameTimes(src);
        ASSERT_GT(keys.size(), 6);
        const double key = keys[5] - origin;
        auto job = cutJob(src, c.container, key, key + 3.0);
        ASSERT_TRUE(job);
        const QString dst = out(QString("on_key.%1").arg(c.ext));
        ASSERT_EQ(cut(src, dst, *job), 2);
        const Probe p = probeFile(dst);
        ASSERT_TRUE(p.ok);
        EXPECT_NEAR(p.duration, 3.0, 3 * kFrame);
        EXPECT_EQ(firstPictureMd5(dst), firstPictureMd5(src, key)); // -ss counts from the file's start
        EXPECT_EQ(decodeErrors(dst), "");
    }
}

TEST_F(CutEdgeTest, SoundAndPictureKeepTheSourcesGapAtTheCut)
{
    // Sound muxed up to 0.6 s after its pictures, as broadcast recordings
    // carry it; B-frames give the pictures a reordering delay.
    const QStringList x264{"-c:v", "libx264", "-preset", "veryfast", "-bf", "3", "-g", "50", "-pix_fmt", "yuv420p"};
    const QString m2ts = make("late.m2ts", QStringList{"-f", "lavfi", "-i", kVideo, "-f", "lavfi", "-i", kTone48} + x264
                                               + QStringList{"-c:a", "ac3", "-f", "mpegts", "-mpegts_m2ts_mode", "1",
                                                             "-pes_payload_size", "16000"});
    const QString aacTs = make("late_aac.ts", QStringList{"-f", "lavfi", "-i", kVideo, "-f", "lavfi", "-i", kTone48} + x264
                                                  + QStringList{"-c:a", "aac", "-f", "mpegts", "-pes_payload_size", "16000"});
    struct Case {
        QString source;
        const char *container;
        const char *ext;
        double audioFrame;
    };
    const Case cases[] = {{m2ts, "mpegts", "ts", 0.032},   {m2ts, "mpegts", "m2ts", 0.032},
                          {m2ts, "mpeg", "mpg", 0.032},    {m2ts, "matroska", "mkv", 0.032},
                          {aacTs, "flv", "flv", 0.0214},   {aacTs, "mpegts", "ts", 0.0214}};
    for (const Case &c : cases) {
        for (double start : {2.0, 3.3}) {
            SCOPED_TRACE(QString("%1 at %2").arg(c.ext).arg(start).toStdString());
            auto job = cutJob(c.source, c.container, start, start + 3.0);
            ASSERT_TRUE(job);
            const QString dst = out(QString("gap_%1_%2.%3").arg(c.container).arg(start).arg(c.ext));
            ASSERT_EQ(cut(c.source, dst, *job), 2);
            // The source's gap at the cut: the key frame the copy starts
            // from, and the sound packet that covers it.
            const double origin = formatStart(c.source);
            double key = 0;
            for (double k : keyFrameTimes(c.source))
                if (k - origin <= start + 1e-6)
                    key = k;
            double soundStart = NAN;
            for (const ProbedPacket &pk : probePackets(c.source, 1))
                if (pk.pts + pk.duration > key + 1e-6) {
                    soundStart = pk.pts;
                    break;
                }
            ASSERT_FALSE(std::isnan(soundStart));
            const Probe p = probeFile(dst);
            ASSERT_NE(p.first("video"), nullptr);
            ASSERT_NE(p.first("audio"), nullptr);
            const double gap = p.first("video")->startTime - p.first("audio")->startTime;
            EXPECT_NEAR(gap, key - soundStart, c.audioFrame);
        }
    }
}

TEST_F(CutEdgeTest, OpenGroupCutsDecodeWithoutAnError)
{
    // Key frames that are recovery points, not IDR pictures: the pictures
    // after them that show before them refer to the group before.
    const QStringList open{"-c:v", "libx264", "-preset", "veryfast", "-bf", "3", "-pix_fmt", "yuv420p",
                           "-x264-params", "open-gop=1:keyint=50:min-keyint=50:scenecut=0", "-c:a", "aac"};
    const QString mkv = make("open.mkv", QStringList{"-f", "lavfi", "-i", kVideo, "-f", "lavfi", "-i", kTone48} + open
                                             + QStringList{"-f", "matroska"});
    const QString ts = make("open.ts", QStringList{"-f", "lavfi", "-i", kVideo, "-f", "lavfi", "-i", kTone48} + open
                                           + QStringList{"-f", "mpegts"});
    struct Case {
        QString source;
        const char *container;
        const char *ext;
    } cases[] = {{mkv, "matroska", "mkv"}, {mkv, "mpegts", "ts"}, {mkv, "mp4", "mp4"},
                 {ts, "mpegts", "ts"},     {ts, "matroska", "mkv"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(QString("%1 -> %2").arg(c.source, c.ext).toStdString());
        auto job = cutJob(c.source, c.container, 2.5, 6.0);
        ASSERT_TRUE(job);
        const QString dst = out(QString("open_%1_%2.%3").arg(QFileInfo(c.source).suffix(), c.container, c.ext));
        ASSERT_EQ(cut(c.source, dst, *job), 2);
        EXPECT_EQ(decodeErrors(dst), "");
        EXPECT_GT(probeFile(dst).duration, 3.0);
    }
}

TEST_F(CutEdgeTest, PartialDownloadEndsAtTheLastWholePictureWithANote)
{
    const QString mp4 = fixture("long_h264_aac.mp4");
    const QString flv = make("whole.flv", {"-i", mp4, "-c", "copy", "-f", "flv"});
    const QString avi = make("whole.avi", {"-i", mp4, "-c:v", "copy", "-bsf:v", "h264_mp4toannexb", "-c:a", "libmp3lame", "-f", "avi"});
    const QString wma = make("whole.wma", {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=20",
                                           "-c:a", "wmav2", "-f", "asf"});
    struct Case {
        QString source;
        const char *container;
        const char *ext;
    } cases[] = {{fixture("truncated_faststart.mp4"), "matroska", "mkv"},
                 {truncated(fixture("long_h264_aac.ts"), "part.ts", 0.5), "mpegts", "ts"},
                 {truncated(flv, "part.flv", 0.5), "flv", "flv"},
                 {truncated(avi, "part.avi", 0.5), "avi", "avi"},
                 {truncated(wma, "part.wma", 0.5), "asf", "wma"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.source.toStdString());
        // The range reaches to the end the source's header promises.
        auto job = cutJob(c.source, c.container, 0.0, 19.0);
        ASSERT_TRUE(job);
        const QString dst = out(QString("partial_%1.%2").arg(QFileInfo(c.source).baseName(), c.ext));
        uint64_t sourceEnd = 0;
        ASSERT_EQ(cut(c.source, dst, *job, &sourceEnd), 2);
        EXPECT_EQ(decodeErrors(dst), "");
        const double length = probeFile(dst).duration;
        EXPECT_GT(length, 1.0);
        // The note names where the source ended: the output's end.
        EXPECT_GT(sourceEnd, 0u);
        EXPECT_NEAR(sourceEnd / 1e6, length, 0.1);
    }
    // A whole source read to its end gets no note.
    auto job = cutJob(mp4, "matroska", 1.0, 19.0);
    uint64_t sourceEnd = 1;
    ASSERT_EQ(cut(mp4, out("whole.mkv"), *job, &sourceEnd), 2);
    EXPECT_EQ(sourceEnd, 0u);
}

TEST_F(CutEdgeTest, WholeSourcesCutToTheirEndGetNoNote)
{
    // Encoders end a sound stream with a short frame (a few bytes of
    // silence, or fewer samples): that is no sign of a cut-off file.
    // Ranges reaching the end, given as the item's end or as "to the end",
    // from the start and from inside, read the file whole.
    struct Case {
        const char *source;
        const char *container;
        const char *ext;
    } cases[] = {{"long_h264_aac.mp4", "mp4", "mp4"}, {"long_h264_aac.mp4", "matroska", "mkv"},
                 {"long_h264_aac.ts", "mpegts", "ts"}, {"long.mkv", "matroska", "mkv"},
                 {"chapters_cover.mp4", "mp4", "mp4"}, {"two_audio_subs.mkv", "matroska", "mkv"},
                 {"plain.avi", "avi", "avi"}, {"plain.webm", "webm", "webm"},
                 {"tone.aac", "adts", "aac"}, {"tone.mp3", "mp3", "mp3"},
                 {"tone.flac", "flac", "flac"}, {"tone.ogg", "ogg", "ogg"},
                 {"tone.m4a", "ipod", "m4a"}, {"tone.wma", "asf", "wma"},
                 {"tone.ac3", "ac3", "ac3"}};
    const QString ac3 = make("tone.ac3", {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=3.01",
                                          "-c:a", "ac3", "-b:a", "96k"});
    int n = 0;
    for (const Case &c : cases) {
        const QString src = QString(c.source) == "tone.ac3" ? ac3 : fixture(c.source);
        const double length = probeFile(src).duration;
        ASSERT_GT(length, 1.0) << c.source;
        const double ranges[][2] = {{0.0, -1.0}, {0.0, 0.0}, {length / 2, -1.0}};
        for (const auto &range : ranges) {
            SCOPED_TRACE(QString("%1 from %2 to %3").arg(c.source).arg(range[0]).arg(range[1]).toStdString());
            auto job = cutJob(src, c.container, range[0], range[1]);
            ASSERT_TRUE(job);
            uint64_t sourceEnd = 1;
            ASSERT_EQ(cut(src, out(QString("end%1.%2").arg(++n).arg(c.ext)), *job, &sourceEnd), 2);
            EXPECT_EQ(sourceEnd, 0u);
        }
    }
}

TEST_F(CutEdgeTest, SoundCutOffInsideItsLastFrameGetsTheNote)
{
    // Raw sound files declare no length: only the last frame, read short,
    // tells that the file was cut off. The cut ends before that piece.
    const QString ac3 = make("tone.ac3", {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=3",
                                          "-c:a", "ac3", "-b:a", "96k"});
    for (const char *name : {"tone.aac", "tone.mp3", "tone.flac", "tone.ac3"}) {
        SCOPED_TRACE(name);
        const QString src = QString(name) == "tone.ac3" ? ac3 : fixture(name);
        // Ten bytes into a frame in the middle.
        const auto r = testsupport::runProcess(
            "ffprobe", {"-v", "error", "-show_entries", "packet=pos,pts_time", "-of", "csv=p=0", src});
        const QStringList packets = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
        ASSERT_GT(packets.size(), 20);
        const QStringList middle = packets[packets.size() / 2].split(',');
        ASSERT_EQ(middle.size(), 2);
        const double cutAt = middle[0].toDouble();
        const qint64 pos = middle[1].toLongLong();
        ASSERT_GT(pos, 0);
        QFile in(src);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        const QString part = out(QString("part_%1").arg(name));
        QFile partFile(part);
        ASSERT_TRUE(partFile.open(QIODevice::WriteOnly));
        partFile.write(in.read(pos + 10));
        partFile.close();
        const QString ext = QFileInfo(name).suffix();
        auto job = cutJob(part, ext == "aac" ? "adts" : ext, 0.0, 0.0);
        ASSERT_TRUE(job);
        const QString dst = out(QString("end_of_part.%1").arg(ext));
        uint64_t sourceEnd = 0;
        ASSERT_EQ(cut(part, dst, *job, &sourceEnd), 2);
        EXPECT_GT(sourceEnd, 0u);
        EXPECT_NEAR(sourceEnd / 1e6, cutAt, 0.06);
        EXPECT_EQ(decodeErrors(dst), "");
    }
}

TEST_F(CutEdgeTest, SourcesWithoutAnIndexAreCutFromInsideTheirReadablePart)
{
    // Partial downloads and files without an index: the range starts well
    // inside what the file holds, so the reader must find its way back to
    // the key frame before it (by a seek, or by reading from an earlier place).
    const QString mp4 = fixture("long_h264_aac.mp4");
    const QString flv = make("whole.flv", {"-i", mp4, "-c", "copy", "-f", "flv"});
    const QString avi = make("whole.avi", {"-i", mp4, "-c:v", "copy", "-bsf:v", "h264_mp4toannexb", "-c:a", "libmp3lame", "-f", "avi"});
    struct Case {
        QString source;
        const char *container;
        const char *ext;
    } cases[] = {{fixture("partial.mkv"), "matroska", "mkv"},
                 {truncated(fixture("long.mkv"), "cut.mkv", 0.3), "matroska", "mkv"},
                 {fixture("truncated_faststart.mp4"), "mp4", "mp4"},
                 {truncated(fixture("long_h264_aac.ts"), "part.ts", 0.5), "mpegts", "ts"},
                 {truncated(flv, "part.flv", 0.5), "flv", "flv"},
                 {truncated(avi, "part.avi", 0.5), "avi", "avi"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.source.toStdString());
        auto job = cutJob(c.source, c.container, 1.5, 2.5);
        ASSERT_TRUE(job);
        const QString dst = out(QString("inside_%1.%2").arg(QFileInfo(c.source).baseName(), c.ext));
        ASSERT_EQ(cut(c.source, dst, *job), 2);
        EXPECT_EQ(decodeErrors(dst), "");
        // One second, and at most the lead-in from the key frame before
        // the start (one a second) besides.
        const double length = probeFile(dst).duration;
        EXPECT_GT(length, 1.0 - 2 * kFrame);
        EXPECT_LT(length, 2.0 + 2 * kFrame);
    }
}
