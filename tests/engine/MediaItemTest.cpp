// Media items opened from the fixtures, checked against ffprobe.
#include "LanguageTable.h"
#include "TestSupport.h"
#include "VoInfoManager.h"
#include "VoVideoConvertItem.h"
#include "orlcodec.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTranslator>
#include <algorithm>
#include <memory>
#include <gtest/gtest.h>

using testsupport::ffprobeJson;
using testsupport::fixture;
using testsupport::fixtureDir;

namespace {

uint64_t seconds_to_us(const QJsonValue &v)
{
    return static_cast<uint64_t>(v.toString().toDouble() * 1e6 + 0.5);
}

class ItemAgainstProbe : public ::testing::TestWithParam<const char *> {};

} // namespace

TEST_P(ItemAgainstProbe, MatchesFfprobe)
{
    const QString path = fixture(GetParam());
    const QJsonObject probe = ffprobeJson(path);
    VoVideoConvertItem item;
    ASSERT_TRUE(item.open(path));
    EXPECT_EQ(item.m_videoPath, path);
    EXPECT_EQ(item.m_videoName, QString(GetParam()));
    EXPECT_EQ(item.m_fileSuffix, QString(GetParam()).section('.', -1));
    // A partial download is measured to where its data ends (its own test
    // judges that against ffprobe's last packet); whole files by the header.
    const bool partial = QString(GetParam()).startsWith("partial") || QString(GetParam()).startsWith("truncated");
    if (partial)
        EXPECT_LE(item.m_duration, seconds_to_us(probe["format"].toObject()["duration"]));
    else
        EXPECT_EQ(item.m_duration, seconds_to_us(probe["format"].toObject()["duration"]));

    QStringList audioLanguages;
    int video = 0, subtitles = 0;
    QJsonObject firstVideo;
    for (const QJsonValue &v : probe["streams"].toArray()) {
        const QJsonObject s = v.toObject();
        const QString type = s["codec_type"].toString();
        if (type == "video" && s["disposition"].toObject()["attached_pic"].toInt() == 0) {
            if (video++ == 0)
                firstVideo = s;
        } else if (type == "audio") {
            audioLanguages << s["tags"].toObject()["language"].toString();
        } else if (type == "subtitle") {
            ++subtitles;
        }
    }
    EXPECT_EQ(item.m_hasVideo, video > 0);
    EXPECT_EQ(item.m_hasAudio, !audioLanguages.isEmpty());
    EXPECT_EQ(item.m_videoStreams.size(), video);
    EXPECT_EQ(item.m_subtitleStreams.size(), subtitles);
    ASSERT_EQ(item.m_audioStreams.size(), audioLanguages.size());
    ASSERT_EQ(item.m_audioTrackNames.size(), audioLanguages.size());
    for (int i = 0; i < audioLanguages.size(); ++i) {
        QString expected = lookupLanguageName(audioLanguages[i]);
        if (expected.isNull())
            expected = audioLanguages[i].isEmpty() ? "Undefined" : audioLanguages[i];
        EXPECT_TRUE(item.m_audioTrackNames[i].startsWith(expected + "("))
            << item.m_audioTrackNames[i].toStdString();
    }
    if (video) {
        EXPECT_EQ(item.m_width, firstVideo["width"].toInt());
        EXPECT_EQ(item.m_height, firstVideo["height"].toInt());
        // Without an attached picture the cover is a picture of the video.
        ASSERT_FALSE(item.m_cover.isNull());
        EXPECT_EQ(item.m_coverSize, item.m_coverData.size());
        EXPECT_GT(item.m_coverSize, 0);
    }
    EXPECT_EQ(int(item.m_editConfig.audioTracks.size()), audioLanguages.size());
    EXPECT_EQ(item.m_editConfig.streamChoice.subtitleCount, subtitles);
    EXPECT_EQ(item.m_index, -1);
    EXPECT_FALSE(item.m_isCurrent);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ItemAgainstProbe,
                         ::testing::Values("h264_aac.mp4", "two_audio_subs.mkv", "quicktime.mov",
                                           "plain.avi", "plain.webm", "tone.mp3", "tone.flac",
                                           "tone.ogg", "tone.wav", "tone.m4a", "tone.wma",
                                           "vfr.mp4", "eng_audio.mp4", "truncated_faststart.mp4",
                                           "partial.mkv"));

TEST(MediaItem, ContainersNamesAndLanguages)
{
    VoVideoConvertItem mov;
    ASSERT_TRUE(mov.open(fixture("quicktime.mov")));
    EXPECT_EQ(mov.m_sourceFormat, "mov");
    VoVideoConvertItem mkv;
    ASSERT_TRUE(mkv.open(fixture("two_audio_subs.mkv")));
    EXPECT_EQ(mkv.m_sourceFormat, "matroska"); // from the EBML document type: Matroska stays Matroska
    EXPECT_EQ(mkv.m_audioTrackNames, (QStringList{"English(aac)", "French(aac)"}));
    ASSERT_EQ(mkv.m_subtitleChoices.size(), 3);
    EXPECT_EQ(mkv.m_subtitleChoices[0].first, "No Subtitle");
    EXPECT_EQ(mkv.m_subtitleChoices[1].first, "English (subrip)");
    EXPECT_EQ(mkv.m_subtitleChoices[2].first, "Video Internal CC");
    EXPECT_EQ(mkv.m_editConfig.subtitleChoices.size(), 3u);
    EXPECT_EQ(mkv.m_subtitleStreams[0].language, "English");
    VoVideoConvertItem eng;
    ASSERT_TRUE(eng.open(fixture("eng_audio.mp4")));
    EXPECT_EQ(eng.m_audioTrackNames, QStringList{"English(aac)"});
    EXPECT_EQ(eng.m_sourceFormat, "mp4");
    VoVideoConvertItem avi;
    ASSERT_TRUE(avi.open(fixture("plain.avi")));
    EXPECT_EQ(avi.m_sourceFormat, "avi");
    // A name without "." gets the suffix mp4.
    QTemporaryDir dir;
    const QString bare = dir.path() + "/clip";
    ASSERT_TRUE(QFile::copy(fixture("h264_aac.mp4"), bare));
    VoVideoConvertItem noDot;
    ASSERT_TRUE(noDot.open(bare));
    EXPECT_EQ(noDot.m_videoName, "clip");
    EXPECT_EQ(noDot.m_fileSuffix, "mp4");
    // Blanks and characters beyond ASCII reach the engine intact.
    const QString odd = dir.path() + QString::fromUtf8("/Über clip 日本.MOV");
    ASSERT_TRUE(QFile::copy(fixture("quicktime.mov"), odd));
    VoVideoConvertItem unicode;
    ASSERT_TRUE(unicode.open(odd));
    EXPECT_EQ(unicode.m_videoName, QString::fromUtf8("Über clip 日本.MOV"));
    EXPECT_EQ(unicode.m_fileSuffix, "MOV");
    EXPECT_EQ(unicode.m_videoPath, odd);
}

TEST(MediaItem, EveryKindOfStreamRecordsItsLanguageAlike)
{
    // Languages whose names carry parentheses, on a video, an audio and a
    // subtitle stream: each record holds the name as shown, whole.
    QTemporaryDir dir;
    const QString path = dir.path() + "/languages.mkv";
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-nostdin", "-v", "error", "-f", "lavfi", "-i", "testsrc2=d=1:s=64x64:r=10", "-f", "lavfi",
                            "-i", "sine=d=1", "-i", fixture("subs.srt"), "-map", "0", "-map", "1", "-map", "2",
                            "-c:v", "libx264", "-c:a", "aac", "-c:s", "srt", "-metadata:s:v", "language=ina",
                            "-metadata:s:a", "language=oci", "-metadata:s:s", "language=ton", "-y", path});
    ASSERT_TRUE(ffmpeg.waitForFinished(30000));
    ASSERT_EQ(ffmpeg.exitCode(), 0) << ffmpeg.readAllStandardError().toStdString();
    VoVideoConvertItem item;
    ASSERT_TRUE(item.open(path));
    ASSERT_EQ(item.m_videoStreams.size(), 1);
    ASSERT_EQ(item.m_audioStreams.size(), 1);
    ASSERT_EQ(item.m_subtitleStreams.size(), 1);
    EXPECT_EQ(item.m_videoStreams[0].language, "Interlingua (International Auxiliary Language Association)");
    EXPECT_EQ(item.m_audioStreams[0].language, "Occitan (post 1500)");
    EXPECT_EQ(item.m_subtitleStreams[0].language, "Tonga (Tonga Islands)");
    EXPECT_EQ(item.m_audioStreams[0].displayText, "aac (Occitan (post 1500))");
    EXPECT_EQ(item.m_videoStreams[0].codecName, "h264");
    EXPECT_GE(item.m_videoStreams[0].streamIndex, 0);
}

TEST(MediaItem, TransportStreamOpensOnItsFirstProgramWithVideo)
{
    VoVideoConvertItem item;
    ASSERT_TRUE(item.open(fixture("two_programs.ts")));
    EXPECT_EQ(item.m_titleIndex, 0);
    EXPECT_EQ(item.m_videoName, "First"); // several titles: the title's name
    EXPECT_EQ(item.m_fileSuffix, "ts");   // ... but the suffix is the file's
    EXPECT_EQ(item.m_sourceFormat, "mpegts");
    EXPECT_EQ(item.m_editConfig.streamChoice.ProgramIndex, 0);
    VoVideoConvertItem second;
    ASSERT_TRUE(second.open(fixture("two_programs.ts"), 1));
    EXPECT_EQ(second.m_titleIndex, 1);
    EXPECT_EQ(second.m_videoName, "Second");
    ASSERT_EQ(second.m_videoStreams.size(), 1);
    EXPECT_EQ(second.m_videoStreams[0].frameRateNum / std::max(1, second.m_videoStreams[0].frameRateDen), 30);
    VoVideoConvertItem missing;
    EXPECT_FALSE(missing.open(fixture("two_programs.ts"), 2));

    // A first title with neither video nor audio is passed over...
    VoVideoConvertItem skipping;
    ASSERT_TRUE(skipping.open(fixture("empty_first_program.ts")));
    EXPECT_EQ(skipping.m_titleIndex, 1);
    EXPECT_EQ(skipping.m_videoName, "Main");
    EXPECT_TRUE(skipping.m_hasVideo);
    // ...but asked for by number it cannot be opened.
    VoVideoConvertItem empty;
    EXPECT_FALSE(empty.open(fixture("empty_first_program.ts"), 0));
}

TEST(MediaItem, HdrPicturesAreNamed)
{
    for (const auto &expected : {std::make_pair("hdr10_hevc.mp4", "HDR10"), std::make_pair("hlg_hevc.mkv", "HLG"),
                                 std::make_pair("h264_aac.mp4", "")}) {
        SCOPED_TRACE(expected.first);
        VoVideoConvertItem item;
        ASSERT_TRUE(item.open(fixture(expected.first)));
        ASSERT_EQ(item.m_videoStreams.size(), 1);
        EXPECT_EQ(item.m_videoStreams[0].hdr, expected.second);
    }
}

TEST(MediaItem, RotatedVideoReportsDisplayedSize)
{
    VoVideoConvertItem item;
    ASSERT_TRUE(item.open(fixture("rotated.mp4")));
    EXPECT_EQ(item.m_width, 240);
    EXPECT_EQ(item.m_height, 320);
    ASSERT_FALSE(item.m_cover.isNull());
    EXPECT_EQ(item.m_cover.size(), QSize(240, 320));
    // The size read from the JPEG's header is the decoded picture's.
    EXPECT_EQ(item.m_cover.image().size(), QSize(240, 320));
}

TEST(MediaItem, CoversTagsAndChapters)
{
    const QString path = fixture("chapters_cover.mp4");
    const QJsonObject probe = ffprobeJson(path, {"-show_chapters", "-show_format"});
    VoVideoConvertItem item;
    ASSERT_TRUE(item.open(path));
    // The attached picture, not a frame of the video.
    ASSERT_FALSE(item.m_cover.isNull());
    EXPECT_EQ(item.m_cover.size(), QSize(64, 64));
    EXPECT_TRUE(item.m_coverData.startsWith("\x89PNG"));
    EXPECT_EQ(item.m_cover.image().size(), QSize(64, 64));
    EXPECT_EQ(item.m_editConfig.tags.coverSize, item.m_coverSize);
    const QJsonObject tags = probe["format"].toObject()["tags"].toObject();
    EXPECT_EQ(QString::fromStdString(item.m_editConfig.tags.title), tags["title"].toString());
    EXPECT_EQ(QString::fromStdString(item.m_editConfig.tags.album), tags["album"].toString());
    EXPECT_EQ(QString::fromStdString(item.m_editConfig.tags.artist), tags["artist"].toString());

    const QJsonArray chapters = probe["chapters"].toArray();
    ASSERT_EQ(item.m_chapterCount, chapters.size());
    VoInfoManager manager;
    ASSERT_TRUE(manager.open(path, false, 0));
    const std::vector<ChapterEntry> rows = manager.chapters();
    ASSERT_EQ(int(rows.size()), chapters.size() + 1);
    EXPECT_EQ(rows[0].name, "Current");
    EXPECT_EQ(rows[0].label, "Current, 00:00:00-00:00:06");
    EXPECT_EQ(rows[0].end, item.m_duration);
    for (int i = 0; i < chapters.size(); ++i) {
        const QJsonObject c = chapters[i].toObject();
        const ChapterEntry &row = rows[size_t(i) + 1];
        EXPECT_EQ(row.number, i + 1);
        EXPECT_EQ(row.start, seconds_to_us(c["start_time"]));
        EXPECT_EQ(row.end, seconds_to_us(c["end_time"]));
        EXPECT_EQ(QString::fromStdString(row.name), c["tags"].toObject()["title"].toString());
    }
    EXPECT_EQ(rows[1].label, "  1, 00:00:00-00:00:02 (Opening)");
    EXPECT_EQ(rows[3].label, "  3, 00:00:04-00:00:06 (Ending)");
    const VEAudioTagInfo t = manager.tags();
    EXPECT_EQ(t.title, "Chaptered");
    EXPECT_EQ(t.year, t.date);
    EXPECT_EQ(manager.cover(32).size(), QSize(32, 32));

    // Splitting by chapters gives their ranges.
    Split_Info info;
    info.mode = 3;
    item.setSplitInfo(info);
    EXPECT_EQ(item.m_splitMode, 3);
    ASSERT_EQ(item.m_splitSegments.size(), chapters.size());
    for (int i = 0; i < chapters.size(); ++i) {
        EXPECT_EQ(item.m_splitSegments[i].start, rows[size_t(i) + 1].start);
        EXPECT_EQ(item.m_splitSegments[i].end, rows[size_t(i) + 1].end);
    }
}

TEST(MediaItem, ChapterSplitWithoutChaptersKeepsTheMode)
{
    VoVideoConvertItem item;
    ASSERT_TRUE(item.open(fixture("h264_aac.mp4")));
    ASSERT_EQ(item.m_chapterCount, 0);
    Split_Info info;
    info.mode = 2;
    info.parts = 2;
    item.setSplitInfo(info);
    info.mode = 3;
    info.parts = 5;
    item.setSplitInfo(info);
    EXPECT_EQ(item.m_splitMode, 2);
    EXPECT_EQ(item.m_splitSegments,
              (QList<SplitSegment>{{0, 1000000}, {1000000, 2000000}, {2000000, 3000000},
                                   {3000000, 4000000}, {4000000, 0}}));
}

TEST(MediaItem, CoversOfOtherKinds)
{
    VoVideoConvertItem audio;
    ASSERT_TRUE(audio.open(fixture("tone.mp3")));
    EXPECT_TRUE(audio.m_cover.isNull()); // audio without picture: none
    EXPECT_EQ(audio.m_coverSize, 0);
    VoVideoConvertItem tagged;
    ASSERT_TRUE(tagged.open(fixture("cover_tone.mp3")));
    EXPECT_FALSE(tagged.m_hasVideo); // the picture is no video stream
    ASSERT_FALSE(tagged.m_cover.isNull());
    EXPECT_EQ(tagged.m_cover.size(), QSize(64, 64));
    EXPECT_EQ(tagged.m_editConfig.tags.coverSize, tagged.m_coverSize);

    // A video's thumbnail is the key-frame picture near a third of the
    // duration.
    VoVideoConvertItem video;
    ASSERT_TRUE(video.open(fixture("long_h264_aac.mp4")));
    ASSERT_FALSE(video.m_cover.isNull());
    ORL_HANDLE h = Info_Create(-1);
    ASSERT_EQ(Info_Open(h, fixture("long_h264_aac.mp4").toUtf8().constData()), 1);
    const orl_picture *third =
        Info_GrabFrame(h, video.m_duration / 3, 0, 0, ORL_PICTURE_JPEG | ORL_PICTURE_KEY_FRAME);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(video.m_coverData, QByteArray(reinterpret_cast<const char *>(third->data), third->size));
    Info_ReleaseFrame(h, third);
    Info_Destroy(h);
}

TEST(MediaItem, SubtitleFilesBesideTheInputInTableOrder)
{
    QTemporaryDir dir;
    const QString input = dir.path() + "/my.clip.mp4";
    ASSERT_TRUE(QFile::copy(fixture("h264_aac.mp4"), input));
    const QStringList extensions = {"lrc", "srt", "vtt", "ass", "sup", "sami",
                                    "ssa", "idx", "smi", "sub"};
    for (const QString &ext : extensions) {
        QFile f(dir.path() + "/my.clip." + ext);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QFile other(dir.path() + "/my.srt"); // another base name: not listed
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    VoVideoConvertItem item;
    ASSERT_TRUE(item.open(input));
    const QStringList kinds = {"ASS", "SSA", "SRT", "VOBSUB", "SUB", "SMI", "SAMI", "SUP", "WEBVTT", "LRC"};
    const QStringList order = {"ass", "ssa", "srt", "idx", "sub", "smi", "sami", "sup", "vtt", "lrc"};
    ASSERT_EQ(item.m_subtitleChoices.size(), 2 + kinds.size());
    EXPECT_EQ(item.m_subtitleChoices[1].first, "Video Internal CC");
    for (int i = 0; i < kinds.size(); ++i) {
        const auto &choice = item.m_subtitleChoices[2 + i];
        EXPECT_EQ(QString::fromUtf8(choice.first), "(my.clip)[" + kinds[i] + "]");
        EXPECT_EQ(QString::fromUtf8(choice.second), dir.path() + "/my.clip." + order[i]);
    }
    ASSERT_EQ(item.m_editConfig.subtitleTracks.size(), size_t(kinds.size()));
    EXPECT_EQ(item.m_editConfig.subtitleTracks[3].info.path,
              (dir.path() + "/my.clip.idx").toStdString());
    EXPECT_EQ(item.m_editConfig.subtitleTracks[3].info.codecName, "VOBSUB");
    EXPECT_EQ(item.m_editConfig.streamChoice.subtitleCount, 0);
}

TEST(MediaItem, CloneMakesAnIndependentSegment)
{
    VoVideoConvertItem item;
    ASSERT_TRUE(item.open(fixture("h264_aac.mp4")));
    item.m_TrimStartTime = 1000000;
    item.m_index = 4;
    std::unique_ptr<VoVideoConvertItem> copy(item.clone());
    EXPECT_TRUE(copy->m_isCurrent);
    EXPECT_EQ(copy->m_index, -1);
    EXPECT_EQ(copy->m_TrimStartTime, 1000000u);
    EXPECT_EQ(copy->m_videoPath, item.m_videoPath);
    ASSERT_FALSE(copy->m_cover.isNull());
    EXPECT_EQ(copy->m_cover, item.m_cover);
    EXPECT_EQ(copy->m_audioStreams.size(), item.m_audioStreams.size());
}

TEST(MediaItem, BadInputIsRefusedQuickly)
{
    const int before = Engine_GetHandleCount();
    const QStringList paths = {
        fixture("truncated_noindex.mp4"), fixture("not_media.mp4"), fixture("random_bytes.mp4"),
        fixture("empty.mp4"),             fixtureDir(),             fixtureDir() + "/missing.mp4",
        fixture("subtitle_only.mkv"),     fixture("aa_brand.m4a"),  fixture("aax_brand.m4a"),
    };
    for (const QString &path : paths) {
        QElapsedTimer timer;
        timer.start();
        VoVideoConvertItem item;
        EXPECT_FALSE(item.open(path)) << path.toStdString();
        EXPECT_LT(timer.elapsed(), 2000) << path.toStdString();
        // Every refusal has a reason the user can be shown, without the
        // path the user sees beside it anyway.
        EXPECT_FALSE(item.openError().isEmpty()) << path.toStdString();
        EXPECT_FALSE(item.openError().contains(path)) << item.openError().toStdString();
        VoInfoManager manager;
        if (!path.endsWith(".m4a") && !path.endsWith(".mkv")) {
            EXPECT_FALSE(manager.open(path, false, 0)) << path.toStdString();
        }
    }
    EXPECT_EQ(Engine_GetHandleCount(), before);
    // The brands are refused, not the files: the same audio opens otherwise.
    VoVideoConvertItem plain;
    EXPECT_TRUE(plain.open(fixture("tone.m4a")));
}

TEST(MediaItem, VisibleTextsAreTranslated)
{
    QTranslator german;
    ASSERT_TRUE(german.load(testsupport::appDir() + "/Language/snipwell_de.qm"));
    QCoreApplication::installTranslator(&german);
    VoVideoConvertItem item;
    const bool opened = item.open(fixture("h264_aac.mp4"));
    VoInfoManager manager;
    const bool managed = manager.open(fixture("h264_aac.mp4"), false, 0);
    const std::vector<ChapterEntry> rows = manager.chapters();
    QCoreApplication::removeTranslator(&german);
    ASSERT_TRUE(opened);
    ASSERT_TRUE(managed);
    ASSERT_EQ(item.m_subtitleChoices.size(), 2);
    EXPECT_EQ(QString::fromUtf8(item.m_subtitleChoices[0].first), "Kein Untertitel");
    EXPECT_EQ(QString::fromUtf8(item.m_subtitleChoices[1].first), "Video-interne Untertitel (CC)");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(QString::fromStdString(rows[0].name), "Aktuell");
    EXPECT_EQ(QString::fromStdString(rows[0].label), "Aktuell, 00:00:00-00:00:05");
}

// A partial download: the item's length is where the data ends (ffprobe's
// last packet), the declared length is kept for telling the user; its
// clone for a segment keeps both. Whole files, and partial ones whose
// length the demuxer measures from the data (AVI without its index, transport
// streams), have nothing to tell.
TEST(MediaItem, APartialFileIsMeasuredToWhereItsDataEnds)
{
    const QString partial = fixture("partial.mkv");
    const QJsonObject probe = testsupport::ffprobeJson(partial, {"-show_packets", "-show_format"});
    double dataEnd = 0;
    for (const QJsonValue &v : probe["packets"].toArray()) {
        const QJsonObject p = v.toObject();
        dataEnd = std::max(dataEnd, p["pts_time"].toString().toDouble() + p["duration_time"].toString().toDouble());
    }
    const double declared = probe["format"].toObject()["duration"].toString().toDouble();

    VoVideoConvertItem item;
    ASSERT_TRUE(item.open(partial));
    EXPECT_TRUE(item.endsEarly());
    EXPECT_NEAR(item.m_duration / 1e6, dataEnd, 0.15);
    EXPECT_NEAR(item.m_declaredDuration / 1e6, declared, 0.01);
    std::unique_ptr<VoVideoConvertItem> copy(item.clone());
    EXPECT_TRUE(copy->endsEarly());
    EXPECT_EQ(copy->m_declaredDuration, item.m_declaredDuration);

    for (const char *whole : {"long.mkv", "long_h264_aac.mp4", "plain.avi", "tone.mp3", "partial.avi", "partial.ts"}) {
        VoVideoConvertItem w;
        ASSERT_TRUE(w.open(fixture(whole))) << whole;
        EXPECT_FALSE(w.endsEarly()) << whole;
    }
    // A few milliseconds between the streams' ends are no partial file.
    EXPECT_FALSE(VoVideoConvertItem::endsNoticeablyEarly(10000000, 9950000));
    EXPECT_TRUE(VoVideoConvertItem::endsNoticeablyEarly(10000000, 8500000));
    EXPECT_FALSE(VoVideoConvertItem::endsNoticeablyEarly(7200000000, 7190000000));
}

// An item opened only to be converted (the command line) reads the
// container's headers where they describe every stream, without decoding a
// picture: what it holds must be what the full open finds.
TEST(MediaItem, AnItemOpenedForConversionHoldsWhatTheFullOpenFinds)
{
    for (const char *name : {"h264_aac.mp4", "long_h264_aac.mp4", "two_audio_subs.mkv", "quicktime.mov", "vfr.mp4",
                             "rotated.mp4", "chapters_cover.mp4", "tone.m4a", "truncated_faststart.mp4", "partial.mkv",
                             "long_h264_aac.ts", "plain.webm", "gop_hevc.mp4"}) {
        SCOPED_TRACE(name);
        VoVideoConvertItem full, light;
        ASSERT_TRUE(full.open(fixture(name)));
        ASSERT_TRUE(light.open(fixture(name), -1, false, VoVideoConvertItem::OpenMode::ForConversion));
        EXPECT_EQ(light.m_sourceFormat, full.m_sourceFormat);
        EXPECT_EQ(light.m_duration, full.m_duration);
        EXPECT_EQ(light.m_declaredDuration, full.m_declaredDuration);
        EXPECT_EQ(light.m_width, full.m_width);
        EXPECT_EQ(light.m_height, full.m_height);
        EXPECT_EQ(light.m_hasVideo, full.m_hasVideo);
        EXPECT_EQ(light.m_hasAudio, full.m_hasAudio);
        EXPECT_EQ(light.m_chapterCount, full.m_chapterCount);
        EXPECT_TRUE(light.m_cover.isNull());
        ASSERT_EQ(light.m_videoStreams.size(), full.m_videoStreams.size());
        for (int i = 0; i < full.m_videoStreams.size(); ++i) {
            EXPECT_EQ(light.m_videoStreams[i].codecName, full.m_videoStreams[i].codecName);
            EXPECT_EQ(light.m_videoStreams[i].width, full.m_videoStreams[i].width);
            EXPECT_EQ(light.m_videoStreams[i].height, full.m_videoStreams[i].height);
            EXPECT_EQ(light.m_videoStreams[i].frameRateNum * int64_t(full.m_videoStreams[i].frameRateDen),
                      full.m_videoStreams[i].frameRateNum * int64_t(light.m_videoStreams[i].frameRateDen));
        }
        ASSERT_EQ(light.m_audioStreams.size(), full.m_audioStreams.size());
        for (int i = 0; i < full.m_audioStreams.size(); ++i) {
            EXPECT_EQ(light.m_audioStreams[i].codecName, full.m_audioStreams[i].codecName);
            EXPECT_EQ(light.m_audioStreams[i].channels, full.m_audioStreams[i].channels);
            EXPECT_EQ(light.m_audioStreams[i].sampleRate, full.m_audioStreams[i].sampleRate);
            EXPECT_EQ(light.m_audioStreams[i].language, full.m_audioStreams[i].language);
        }
        EXPECT_EQ(light.m_subtitleStreams.size(), full.m_subtitleStreams.size());
    }
}
