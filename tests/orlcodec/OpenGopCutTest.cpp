// Lossless cuts of an open-group H.264 recording (recovery-point key frames,
// reference B-pictures): judged by the ffmpeg CLI's decoder, next to the
// CLI's own copy of the same range, and picture for picture against the
// source.
#include "TestSupport.h"
#include "CopyCut.h"
#include "orlcodec.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

using testsupport::fixture;
using testsupport::ProcessResult;
using testsupport::runProcess;

namespace {

struct Decoded {
    QString errors;      // what the decoder printed at level "error"
    QStringList pictures; // one checksum per video picture, in output order
};

// Decodes every stream (for the messages) and hashes the pictures.
Decoded decode(const QString &path)
{
    const ProcessResult r = runProcess("ffmpeg", {"-v", "error", "-nostdin", "-i", path, "-map", "0", "-f", "null",
                                                  "-", "-map", "0:v", "-f", "framemd5", "-"});
    Decoded d;
    d.errors = QString::fromUtf8(r.err).trimmed();
    if (r.exitCode != 0)
        d.errors += " (exit " + QString::number(r.exitCode) + ")";
    for (const QString &line : QString::fromUtf8(r.out).split('\n')) {
        if (line.startsWith('#') || line.trimmed().isEmpty())
            continue;
        d.pictures << line.section(',', -1).trimmed();
    }
    return d;
}


} // namespace

TEST(OpenGopCut, StartsInTenGroupsDecodeWithoutMessagesAndShowTheSourcePictures)
{
    const QString src = fixture("open_gop_pyramid.ts");
    const Decoded source = decode(src);
    ASSERT_EQ(source.errors.toStdString(), "");
    ASSERT_GT(source.pictures.size(), 300);
    QTemporaryDir dir;
    struct Container {
        const char *format, *suffix;
    };
    const Container containers[] = {{"mpegts", "ts"}, {"matroska", "mkv"}, {"mp4", "mp4"}};
    int ours = 0, theirs = 0, cuts = 0;
    for (int group = 0; group < 10; ++group) {
        // Key frames every 1.2 s; each start lies at another place in its group.
        const double start = 0.25 + 1.2 * group + 0.09 * group;
        for (const Container &c : containers) {
            SCOPED_TRACE(QString("start %1 s into %2").arg(start).arg(c.suffix).toStdString());
            const QString out = dir.filePath(QString("ours%1.%2").arg(group).arg(c.suffix));
            QString report;
            ASSERT_TRUE(cutRange(src, out, c.format, start, 3.0, report));
            ++cuts;
            const Decoded cut = decode(out);
            const QString cli = dir.filePath(QString("cli%1.%2").arg(group).arg(c.suffix));
            runProcess("ffmpeg", {"-v", "error", "-nostdin", "-y", "-ss", QString::number(start), "-i", src, "-t",
                                  "3", "-c", "copy", cli});
            const Decoded reference = QFileInfo(cli).size() > 0 ? decode(cli) : Decoded{"not written", {}};
            ours += !cut.errors.isEmpty();
            theirs += !reference.errors.isEmpty();
            if (reference.errors.isEmpty()) {
                EXPECT_EQ(cut.errors.toStdString(), "") << "the ffmpeg CLI's copy of this range decodes clean";
            }
            // The rewritten headers change no picture: the output is a run
            // of the source's pictures.
            // (A start in the first group once began a group late.)
            EXPECT_GE(cut.pictures.size(), 75) << "the range is 3 s of 25 pictures a second";
            const int at = cut.pictures.isEmpty() ? -1 : source.pictures.indexOf(cut.pictures.front());
            EXPECT_GE(at, 0) << "the first picture is not one of the source's";
            for (int i = 0; at >= 0 && i < cut.pictures.size(); ++i)
                if (cut.pictures[i] != source.pictures.value(at + i)) {
                    ADD_FAILURE() << "picture " << i << " is not the source's picture " << at + i;
                    break;
                }
            // Every message was avoided, so the report has nothing to own up to.
            if (cut.errors.isEmpty()) {
                EXPECT_EQ(report.toStdString(), "");
            }
        }
    }
    std::printf("open-group cuts with decoder messages: %d of %d (the ffmpeg CLI's copies: %d)\n", ours, cuts,
                theirs);
    EXPECT_EQ(ours, 0);
}

namespace {

// Times (s, from the start of the file as ranges count them) of the
// source's pictures in showing order, and of its key frames.
struct Timeline {
    std::vector<double> pictures, keys;
};

Timeline timeline(const QString &path)
{
    Timeline t;
    const QJsonObject probe =
        testsupport::ffprobeJson(path, {"-show_format", "-select_streams", "v", "-show_packets"});
    const double start = probe["format"].toObject()["start_time"].toString().toDouble();
    for (const QJsonValue &v : probe["packets"].toArray()) {
        const QJsonObject p = v.toObject();
        const double at = p["pts_time"].toString().toDouble() - start;
        t.pictures.push_back(at);
        if (p["flags"].toString().startsWith('K'))
            t.keys.push_back(at);
    }
    std::sort(t.pictures.begin(), t.pictures.end());
    return t;
}

// The longest run of consecutive source pictures the output shows unchanged.
int longestCopiedRun(const QStringList &out, const QStringList &source)
{
    int best = 0;
    for (int i = 0; i < out.size(); ++i) {
        const int at = source.indexOf(out[i]);
        int n = 0;
        while (at >= 0 && i + n < out.size() && out[i + n] == source.value(at + n))
            ++n;
        best = std::max(best, n);
    }
    return best;
}

} // namespace

namespace {

void checkFrameExactCuts(const QString &src, const std::vector<double> &starts,
                         const std::vector<std::pair<const char *, const char *>> &containers)
{
    const Timeline source = timeline(src);
    const Decoded sourcePictures = decode(src);
    QTemporaryDir dir;
    for (double start : starts) {
        // The pictures from the one showing at the start to the last one
        // before the end.
        const double end = start + 3.0, slack = 1e-4;
        double first = source.pictures.front();
        for (double at : source.pictures)
            if (at <= start + slack)
                first = at;
        int expected = 0;
        for (double at : source.pictures)
            expected += at >= first && at < end - slack;
        for (const auto &[format, suffix] : containers) {
            SCOPED_TRACE(QString("%1: start %2 s into %3").arg(src).arg(start).arg(suffix).toStdString());
            const QString out = dir.filePath(QString("exact%1.%2").arg(start).arg(suffix));
            ORL_HANDLE h = Conv_CreateCopy(-1);
            ORL_HANDLE p = Param_Create();
            Param_SetFrameExactCut(p, 1);
            ASSERT_EQ(Conv_Open(h, src.toUtf8().constData(), out.toUtf8().constData(), format, p), 1);
            ASSERT_EQ(Conv_SetRange(h, static_cast<uint64_t>(start * 1e6), 3000000), 1);
            ASSERT_EQ(Conv_Start(h), 1);
            ASSERT_TRUE(testsupport::waitForDone([h] { return Conv_IsFinished(h) == 1; }, "the cut"));
            EXPECT_EQ(Conv_IsAborted(h), 0);
            EXPECT_EQ(Conv_GetCutMode(h), ORL_CUT_FRAME_EXACT) << Conv_GetCutReport(h);
            Param_Release(p);
            Conv_Close(h);
            Conv_Destroy(h);

            const Decoded cut = decode(out);
            EXPECT_EQ(cut.errors.toStdString(), "");
            EXPECT_EQ(cut.pictures.size(), expected);
            // At least one whole group (1.2 s or more) is copied picture for picture.
            EXPECT_GE(longestCopiedRun(cut.pictures, sourcePictures.pictures), 30);
        }
    }
}

} // namespace

TEST(OpenGopCut, FrameExactCutsEncodeUpToARecoveryPointAndCopyFromIt)
{
    const QString pyramid = fixture("open_gop_pyramid.ts");
    const Timeline keys = timeline(pyramid);
    ASSERT_GE(keys.keys.size(), 10u);
    const double frame = 0.04;
    // Inside a group; one picture before a key frame (a single picture to
    // encode); exactly on a key frame (nothing to encode at the start).
    checkFrameExactCuts(pyramid, {keys.keys[1] + 0.43, keys.keys[3] - frame, keys.keys[5]},
                        {{"mpegts", "ts"}, {"matroska", "mkv"}, {"mp4", "mp4"}});
    // A stream whose parameter sets come only in front of IDR pictures (a
    // transport stream made from an MP4): the copy that begins right at a
    // recovery point brings them along.
    const QString remuxed = fixture("gop_h264_open.ts");
    const Timeline remuxedKeys = timeline(remuxed);
    ASSERT_GE(remuxedKeys.keys.size(), 3u);
    checkFrameExactCuts(remuxed, {remuxedKeys.keys[1]}, {{"mpegts", "ts"}});
}
