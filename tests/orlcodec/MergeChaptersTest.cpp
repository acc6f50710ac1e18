// Merged files with one chapter per range, titled by the caller, in place
// of the chapters the source has there; ffprobe reads them back.
#include "TestSupport.h"
#include "orlcodec.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using testsupport::fixture;
using testsupport::ffprobeJson;

namespace {

struct Case {
    const char *name;
    bool transcode;
    const char *format;
    const char *suffix;
};

// Merges [1 s, 3 s) and [4 s, 6 s) of a file whose own chapters are
// "Opening" 0–2, "Middle" 2–4 and "Ending" 4–6.
QJsonArray mergeWithChapters(const Case &c, const QTemporaryDir &dir, bool titled)
{
    const QByteArray src = fixture("chapters_cover.mp4").toUtf8();
    const QByteArray dst = dir.filePath(QStringLiteral("merged.") + c.suffix).toUtf8();
    ORL_HANDLE m = c.transcode ? Merge_CreateTranscode(-1) : Merge_CreateCopy(-1);
    ORL_HANDLE p = Param_Create();
    if (c.transcode) {
        Param_SetEncodeVideo(p, 1);
        Param_SetEncodeAudio(p, 1);
        Param_SetVideoCodec(p, 28);    // H.264
        Param_SetAudioCodec(p, 86018); // AAC
    }
    EXPECT_EQ(Merge_Open(m, dst.constData(), c.format, p), 1) << Engine_GetLastError(m);
    EXPECT_EQ(Merge_Start(m), 1);
    const char *titles[] = {"Alpha", "Beta, \"quoted\" – ünï"};
    const uint64_t ranges[2][2] = {{1000000, 2000000}, {4000000, 2000000}};
    for (int i = 0; i < 2; ++i) {
        if (titled) {
            EXPECT_EQ(Param_SetOption(p, "part-chapter", titles[i]), 1);
        }
        EXPECT_EQ(Merge_Add(m, src.constData(), ranges[i][0], ranges[i][1], p), 1) << Engine_GetLastError(m);
        if (!testsupport::waitForDone([m] { return Merge_IsDone(m) == 1; }, "a merged range"))
            break;
        EXPECT_EQ(Merge_HasError(m), 0) << Engine_GetLastError(m);
    }
    EXPECT_EQ(Merge_Finish(m), 1) << Engine_GetLastError(m);
    Merge_Close(m);
    Merge_Destroy(m);
    Param_Release(p);
    return ffprobeJson(QString::fromUtf8(dst), {"-show_chapters"})["chapters"].toArray();
}

} // namespace

TEST(MergeChapters, EachRangeBecomesOneChapterWithItsTitle)
{
    const Case cases[] = {
        {"copy mp4", false, "mp4", "mp4"},
        {"copy mkv", false, "matroska", "mkv"},
        {"copy mov", false, "mov", "mov"},
        {"encode mkv", true, "matroska", "mkv"},
        {"encode mp4", true, "mp4", "mp4"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QJsonArray chapters = mergeWithChapters(c, dir, true);
        ASSERT_EQ(chapters.size(), 2);
        const QJsonObject a = chapters[0].toObject();
        const QJsonObject b = chapters[1].toObject();
        EXPECT_EQ(a["tags"].toObject()["title"].toString(), "Alpha");
        EXPECT_EQ(b["tags"].toObject()["title"].toString(), QString::fromUtf8("Beta, \"quoted\" – ünï"));
        // Cuts land on key frames (copies) or on the frame (encodes): a
        // tenth of a second either way.
        EXPECT_NEAR(a["start_time"].toString().toDouble(), 0.0, 0.1);
        EXPECT_NEAR(a["end_time"].toString().toDouble(), 2.0, 0.1);
        // The second follows the first without overlap; where a copy's
        // joined range ended a few packets late, QuickTime chapter tracks
        // keep that little gap.
        const double gap = b["start_time"].toString().toDouble() - a["end_time"].toString().toDouble();
        EXPECT_GE(gap, -0.001);
        EXPECT_LE(gap, 0.05);
        EXPECT_NEAR(b["end_time"].toString().toDouble(), 4.0, 0.1);
    }
    // Without titles a merge keeps the source's chapters over its ranges.
    QTemporaryDir dir;
    const QJsonArray source = mergeWithChapters(cases[0], dir, false);
    QStringList titles;
    for (const QJsonValue &v : source)
        titles << v.toObject()["tags"].toObject()["title"].toString();
    EXPECT_EQ(titles, (QStringList{"Opening", "Middle", "Ending"}));
}
