// Chapters of cut and merged outputs, stream copies and encodes alike:
// trimmed to each range, shifted to where the range lands in the output.
// Judged by what ffprobe reads back.
#include "CAVConverter.h"
#include "ConvertJob.h"
#include "OutputFormatParams.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

using testsupport::fixture;

namespace {

struct Chapter {
    QString title;
    double start = 0;
    double end = 0;
};

std::vector<Chapter> chaptersOf(const QString &file)
{
    std::vector<Chapter> list;
    const QJsonObject json = testsupport::ffprobeJson(file, {"-show_chapters"});
    for (const QJsonValue &v : json["chapters"].toArray()) {
        const QJsonObject c = v.toObject();
        list.push_back({c["tags"].toObject()["title"].toString(), c["start_time"].toString().toDouble(),
                        c["end_time"].toString().toDouble()});
    }
    return list;
}

std::string describe(const std::vector<Chapter> &list)
{
    std::string text;
    for (const Chapter &c : list)
        text += c.title.toStdString() + " " + std::to_string(c.start) + "-" + std::to_string(c.end) + "; ";
    return text;
}

void expectChapters(const QString &file, const std::vector<Chapter> &expected, double tolerance = 0.06)
{
    const std::vector<Chapter> got = chaptersOf(file);
    ASSERT_EQ(got.size(), expected.size()) << describe(got);
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].title, expected[i].title) << describe(got);
        EXPECT_NEAR(got[i].start, expected[i].start, tolerance) << describe(got);
        EXPECT_NEAR(got[i].end, expected[i].end, tolerance) << describe(got);
    }
}

void record(int32_t, void *context, int32_t state)
{
    if (state != 5)
        static_cast<std::atomic<int> *>(context)->store(state);
}

bool waitFor(const std::atomic<int> &state)
{
    QElapsedTimer t;
    t.start();
    while (state.load() == 0) {
        if (t.elapsed() > 60000)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

OutputFormatParams paramsFor(const QString &container, bool lossless)
{
    OutputFormatParams p;
    p.lossless = lossless;
    p.container = container;
    p.extension = container;
    if (lossless) {
        p.videoCodecId = 0;
        p.audioCodecId = 0;
    } else {
        p.quality = 90;
        p.videoCodec = "H264";
        p.videoCodecId = 28;
        p.audioCodec = "AAC";
        p.audioCodecId = 0x15002;
    }
    return p;
}

std::unique_ptr<ConvertJob> jobFor(const QString &file, const OutputFormatParams &params, double start, double end)
{
    VoVideoConvertItem item;
    if (!item.open(file))
        return nullptr;
    item.m_TrimStartTime = static_cast<uint64_t>(start * 1e6);
    item.m_TrimEndTime = static_cast<uint64_t>(end * 1e6);
    item.applyOutputFormat(params);
    return std::unique_ptr<ConvertJob>(item.assembleConvertJob(params));
}

class ChapterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        // 20 s with four chapters of 5 s each; pictures from 0.023 s with a
        // key frame every second. The cuts below start just after a key
        // frame, so that a container that shows the lead-in shows next to none.
        QFile meta(out("chapters.txt"));
        ASSERT_TRUE(meta.open(QIODevice::WriteOnly));
        meta.write(";FFMETADATA1\n");
        const char *titles[] = {"Alpha", "Bravo", "Charlie", "Delta"};
        for (int i = 0; i < 4; ++i)
            meta.write(QString("[CHAPTER]\nTIMEBASE=1/1000\nSTART=%1\nEND=%2\ntitle=%3\n")
                           .arg(i * 5000)
                           .arg((i + 1) * 5000)
                           .arg(titles[i])
                           .toUtf8());
        meta.close();
        for (const QString &ext : {QString("mkv"), QString("mp4")}) {
            const auto r = testsupport::runProcess(
                "ffmpeg", {"-nostdin", "-v", "error", "-y", "-i", fixture("long_h264_aac.mp4"), "-i", out("chapters.txt"),
                           "-map", "0", "-map_chapters", "1", "-c", "copy", out("source." + ext)});
            ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        }
    }
    QString out(const QString &name) const { return m_dir.filePath(name); }

    // One range of source into dst; the final state (2 finished).
    int cut(const QString &source, const QString &dst, const OutputFormatParams &params, double start, double end)
    {
        auto job = jobFor(source, params, start, end);
        if (!job)
            return -1;
        CAVConverter converter;
        std::atomic<int> state{0};
        if (!converter.StartConvert(source.toUtf8().constData(), dst.toUtf8().constData(), *job, &state, &record,
                                    false))
            return -1;
        return waitFor(state) ? state.load() : -2;
    }

    // The ranges of source joined into dst; true when the merged file is complete.
    bool merge(const QString &source, const QString &dst, const OutputFormatParams &params,
               const std::vector<std::pair<double, double>> &ranges)
    {
        CAVConverter converter;
        auto first = jobFor(source, params, ranges[0].first, ranges[0].second);
        if (!first || !converter.OpenMerger(dst.toUtf8().constData(), *first))
            return false;
        for (const auto &range : ranges) {
            auto job = jobFor(source, params, range.first, range.second);
            std::atomic<int> state{0};
            if (!job || !converter.AddMergeSegment(source.toUtf8().constData(), *job, &state, &record)
                || !waitFor(state) || state.load() != 2)
                return false;
        }
        converter.StopMerger(false);
        return converter.mergedFileComplete();
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ChapterTest, CutOutputsCarryOnlyTheirRangesChaptersFromZero)
{
    for (const bool lossless : {true, false}) {
        for (const QString &ext : {QString("mkv"), QString("mp4")}) {
            const OutputFormatParams params = paramsFor(ext == "mkv" ? "matroska" : "mp4", lossless);
            const QString source = out("source." + ext);
            const QString kind = lossless ? "copy" : "encode";
            SCOPED_TRACE((kind + " " + ext).toStdString());
            // Inside one chapter: that chapter alone, from 0 to the end.
            const QString inside = out(kind + "_inside." + ext);
            ASSERT_EQ(cut(source, inside, params, 6.03, 9.03), 2);
            expectChapters(inside, {{"Bravo", 0.0, 3.0}});
            // Across a chapter change: both, each cut to the range.
            const QString across = out(kind + "_across." + ext);
            ASSERT_EQ(cut(source, across, params, 8.03, 13.03), 2);
            expectChapters(across, {{"Bravo", 0.0, 2.0}, {"Charlie", 2.0, 5.0}});
        }
    }
}

TEST_F(ChapterTest, MergedOutputsCarryEveryRangesChaptersAtItsOffset)
{
    for (const bool lossless : {true, false}) {
        for (const QString &ext : {QString("mkv"), QString("mp4")}) {
            const OutputFormatParams params = paramsFor(ext == "mkv" ? "matroska" : "mp4", lossless);
            const QString source = out("source." + ext);
            const QString kind = lossless ? "copy" : "encode";
            SCOPED_TRACE((kind + " " + ext).toStdString());
            const QString dst = out(kind + "_merged." + ext);
            ASSERT_TRUE(merge(source, dst, params, {{1.03, 3.03}, {11.03, 14.03}, {14.03, 16.03}}));
            // A copied range lands where the one before it ends, which may
            // be up to a picture after its asked length.
            expectChapters(
                dst, {{"Alpha", 0.0, 2.0}, {"Charlie", 2.0, 5.0}, {"Charlie", 5.0, 5.97}, {"Delta", 5.97, 7.0}}, 0.15);
            // Chapters added after the start leave the reader nothing to complain about.
            EXPECT_EQ(testsupport::runProcess("ffprobe", {"-v", "error", dst}).err.trimmed(), QByteArray());
        }
    }
}
