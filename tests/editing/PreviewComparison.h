// Shared by the preview-equals-output tests: encodes a file with edits
// through the real converter, grabs the preview player's picture of the same
// edits (paused after a seek) and measures the two with ffmpeg's PSNR filter.
#pragma once

#include "CAVConverter.h"
#include "ConvertJob.h"
#include "OutputFormatParams.h"
#include "TestSupport.h"
#include "VoPlayerManager.h"
#include "VoVideoConvertItem.h"
#include "orlcodec.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <functional>

namespace previewcompare {

using testsupport::fixture;

constexpr int32_t kH264 = 28;
constexpr int32_t kAac = 0x15002;

struct Report {
    std::atomic<int> state{0};
};

inline void record(int32_t, void *context, int32_t state)
{
    if (state != 5)
        static_cast<Report *>(context)->state = state;
}

inline OutputFormatParams h264Params()
{
    OutputFormatParams p;
    p.quality = 90;
    p.container = "mp4";
    p.extension = "mp4";
    p.videoCodec = "H264";
    p.videoCodecId = kH264;
    p.videoBitrate = 4000; // near-lossless at this size: the comparison measures the edits, not the codec
    p.audioCodec = "AAC";
    p.audioCodecId = kAac;
    return p;
}

// Encodes the whole of src with edits through the converter; true when it
// finished.
inline bool encode(const QString &src, const QString &dst, const VEEditConfig &edits)
{
    VoVideoConvertItem item;
    if (!item.open(src))
        return false;
    const OutputFormatParams params = h264Params();
    item.applyOutputFormat(params);
    const VEEditConfig base = item.m_editConfig;
    item.m_editConfig = edits;
    // The item's own facts of the file stay.
    item.m_editConfig.subtitleChoices = base.subtitleChoices;
    item.m_editConfig.audioTracks = base.audioTracks;
    item.m_editConfig.subtitleTracks = base.subtitleTracks;
    std::unique_ptr<ConvertJob> job(item.assembleConvertJob(params));
    if (!job)
        return false;
    job->editConfig.streamChoice = edits.streamChoice;
    CAVConverter converter;
    Report report;
    if (!converter.StartConvert(src.toUtf8().constData(), dst.toUtf8().constData(), *job, &report, &record, false))
        return false;
    QElapsedTimer t;
    t.start();
    while (report.state.load() == 0 && t.elapsed() < 120000) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return report.state.load() == 2;
}

// The output's picture at t, as the ffmpeg CLI decodes it, saved as PNG.
inline bool outputFrame(const QString &file, double t, const QString &png)
{
    const auto r = testsupport::runProcess(
        "ffmpeg", {"-nostdin", "-v", "error", "-y", "-ss", QString::number(t, 'f', 3), "-i", file, "-frames:v", "1", png});
    return r.exitCode == 0;
}

// PSNR (dB) of two pictures by ffmpeg's psnr filter; NAN when they cannot
// be compared (different sizes, unreadable).
inline double psnr(const QString &a, const QString &b)
{
    const auto r = testsupport::runProcess("ffmpeg", {"-nostdin", "-hide_banner", "-i", a, "-i", b, "-lavfi",
                                                      "[0:v]format=rgb24[x];[1:v]format=rgb24[y];[x][y]psnr", "-f",
                                                      "null", "-"});
    const QRegularExpressionMatch m = QRegularExpression("average:([0-9.]+|inf)").match(QString::fromUtf8(r.err));
    if (r.exitCode != 0 || !m.hasMatch())
        return NAN;
    return m.captured(1) == "inf" ? 100.0 : m.captured(1).toDouble();
}

class PreviewComparison : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // The preview's pictures of edits at the times, saved as PNG.
    QStringList previewFrames(const QString &src, const VEEditConfig &edits, const QList<double> &times,
                              const QString &tag)
    {
        VoPlayerManager player;
        // As the dialog's loading step gives it: the picture's shown size.
        VEEditConfig config = edits;
        config.displayWidth = 320;
        config.displayHeight = 240;
        EXPECT_TRUE(player.openWithConfig(src, config, 0));
        // The hand-over the settings holder makes after loading.
        player.setCrop(edits.crop);
        player.setPicture(edits.picture);
        player.setOverlay(0, edits.watermark);
        player.setOverlay(1, edits.effectOverlay);
        player.setOverlay(2, edits.frameOverlay);
        player.setStreamChoice(edits.streamChoice);
        player.setSubtitleStyle(edits.subtitleStyle);
        EXPECT_TRUE(player.editsShown()) << Engine_GetLastError(player.handle());
        QStringList files;
        for (double t : times) {
            EXPECT_EQ(Player_Seek(player.handle(), static_cast<uint64_t>(std::llround(t * 1e6))), 1);
            const QString file = m_dir.filePath(QString("%1_preview_%2.png").arg(tag).arg(t));
            EXPECT_TRUE(player.snapshot(file, "PNG"));
            files << file;
        }
        return files;
    }

    // PSNR of preview against output at each time.
    QList<double> compare(const VEEditConfig &previewEdits, const VEEditConfig &outputEdits, const QString &tag,
                          const QString &src = fixture("h264_aac.mp4"))
    {
        const QList<double> times{0.6, 1.6, 3.2};
        const QString out = m_dir.filePath(tag + ".mp4");
        EXPECT_TRUE(encode(src, out, outputEdits));
        const QStringList previews = previewFrames(src, previewEdits, times, tag);
        QList<double> values;
        for (int i = 0; i < times.size(); ++i) {
            const QString png = m_dir.filePath(QString("%1_output_%2.png").arg(tag).arg(times[i]));
            EXPECT_TRUE(outputFrame(out, times[i], png));
            values << psnr(previews[i], png);
            // The edit must show at all, or agreeing proves nothing: the
            // preview differs from the unedited source (a different size
            // cannot even be compared).
            const QString unedited = m_dir.filePath(QString("%1_source_%2.png").arg(tag).arg(times[i]));
            EXPECT_TRUE(outputFrame(src, times[i], unedited));
            const double fromSource = psnr(previews[i], unedited);
            EXPECT_TRUE(std::isnan(fromSource) || fromSource < 45.0) << tag.toStdString() << " " << fromSource;
            std::printf("preview/output %s at %.1f s: PSNR %.1f dB\n", qPrintable(tag), times[i], values.last());
        }
        return values;
    }

    void expectSame(const VEEditConfig &edits, const QString &tag)
    {
        const QList<double> values = compare(edits, edits, tag);
        for (double v : values)
            EXPECT_GE(v, 35.0) << tag.toStdString();
    }

    QTemporaryDir m_dir;
};

} // namespace previewcompare
