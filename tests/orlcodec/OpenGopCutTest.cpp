// Lossless cuts of an open-group H.264 recording (recovery-point key frames,
// reference B-pictures): judged by the ffmpeg CLI's decoder, next to the
// CLI's own copy of the same range, and picture for picture against the
// source.
#include "TestSupport.h"
#include "orlcodec.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

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

bool cutRange(const QString &src, const QString &dst, const char *format, double start, double length,
              QString &report)
{
    ORL_HANDLE c = Conv_CreateCopy(-1);
    ORL_HANDLE p = Param_Create();
    bool ok = false;
    if (Conv_Open(c, src.toUtf8().constData(), dst.toUtf8().constData(), format, p) == 1
        && Conv_SetRange(c, static_cast<uint64_t>(start * 1e6), static_cast<uint64_t>(length * 1e6)) == 1
        && Conv_Start(c) == 1) {
        while (Conv_IsFinished(c) != 1)
            QThread::msleep(5);
        ok = Conv_IsAborted(c) == 0;
    }
    report = QString::fromUtf8(Conv_GetCutReport(c));
    Param_Release(p);
    Conv_Close(c);
    Conv_Destroy(c);
    return ok;
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
