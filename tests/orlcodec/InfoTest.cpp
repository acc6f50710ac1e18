// The information family against ffprobe on the generated fixtures.
#include "TestSupport.h"
#include "orlcodec.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <gtest/gtest.h>

using testsupport::ffprobeJson;
using testsupport::fixture;

namespace {

struct Info {
    ORL_HANDLE h = Info_Create(-1);
    ~Info() { Info_Destroy(h); }
    bool open(const QString &path) { return Info_Open(h, path.toUtf8().constData()) == 1; }
};

uint64_t seconds_to_us(const QJsonValue &v)
{
    return static_cast<uint64_t>(v.toString().toDouble() * 1e6 + 0.5);
}

bool isAttachedPicture(const QJsonObject &stream)
{
    return stream["disposition"].toObject()["attached_pic"].toInt() == 1;
}

int probeRotation(const QJsonObject &stream)
{
    for (const QJsonValue &sd : stream["side_data_list"].toArray())
        if (sd.toObject().contains("rotation"))
            return ((-sd.toObject()["rotation"].toInt()) % 360 + 360) % 360;
    return 0;
}

class InfoAgainstProbe : public ::testing::TestWithParam<const char *> {};

} // namespace

// Duration, picture size (as displayed), stream counts, codecs and
// languages as ffprobe sees them.
TEST_P(InfoAgainstProbe, MatchesFfprobe)
{
    const QString path = fixture(GetParam());
    const QJsonObject probe = ffprobeJson(path);
    ASSERT_FALSE(probe.isEmpty());
    Info info;
    ASSERT_TRUE(info.open(path)) << Engine_GetLastError(info.h);
    ASSERT_EQ(Info_GetTitleCount(info.h), 1);

    EXPECT_EQ(QString::fromUtf8(Info_GetFormatName(info.h)),
              probe["format"].toObject()["format_name"].toString());
    const uint64_t duration = seconds_to_us(probe["format"].toObject()["duration"]);
    EXPECT_NEAR(double(Info_GetDuration(info.h)), double(duration), 1.0);

    QList<QJsonObject> byKind[3];
    for (const QJsonValue &v : probe["streams"].toArray()) {
        const QJsonObject s = v.toObject();
        const QString type = s["codec_type"].toString();
        if (type == "video" && !isAttachedPicture(s))
            byKind[0] << s;
        else if (type == "audio")
            byKind[1] << s;
        else if (type == "subtitle")
            byKind[2] << s;
    }
    const int kinds[3] = {ORL_STREAM_VIDEO, ORL_STREAM_AUDIO, ORL_STREAM_SUBTITLE};
    for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(Info_GetStreamCount(info.h, kinds[k]), byKind[k].size()) << "kind " << kinds[k];
        for (int i = 0; i < byKind[k].size(); ++i) {
            const QJsonObject &s = byKind[k][i];
            orl_stream_info si{};
            ASSERT_EQ(Info_GetStreamInfo(info.h, kinds[k], i, &si), 1);
            EXPECT_EQ(si.index, s["index"].toInt());
            EXPECT_EQ(QString::fromUtf8(si.codec_name), s["codec_name"].toString());
            EXPECT_EQ(QString::fromUtf8(si.language), s["tags"].toObject()["language"].toString());
            if (kinds[k] == ORL_STREAM_AUDIO) {
                EXPECT_EQ(si.sample_rate, s["sample_rate"].toString().toInt());
                EXPECT_EQ(si.channels, s["channels"].toInt());
            }
        }
    }
    EXPECT_EQ(Info_HasVideo(info.h) != 0, !byKind[0].isEmpty());
    EXPECT_EQ(Info_HasAudio(info.h) != 0, !byKind[1].isEmpty());
    if (!byKind[0].isEmpty()) {
        const QJsonObject &v = byKind[0].first();
        const bool quarter = probeRotation(v) % 180 == 90;
        EXPECT_EQ(Info_GetWidth(info.h), v[quarter ? "height" : "width"].toInt());
        EXPECT_EQ(Info_GetHeight(info.h), v[quarter ? "width" : "height"].toInt());
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, InfoAgainstProbe,
                         ::testing::Values("h264_aac.mp4", "two_audio_subs.mkv", "quicktime.mov",
                                           "plain.avi", "plain.webm", "tone.mp3", "tone.flac",
                                           "tone.ogg", "tone.wav", "tone.m4a", "tone.wma",
                                           "chapters_cover.mp4", "rotated.mp4", "vfr.mp4",
                                           "truncated_faststart.mp4", "partial.mkv"));

TEST(Info, RotatedVideoReportsItsDisplayedSizeAndAspect)
{
    Info info;
    ASSERT_TRUE(info.open(fixture("rotated.mp4")));
    EXPECT_EQ(Info_GetWidth(info.h), 240);
    EXPECT_EQ(Info_GetHeight(info.h), 320);
    int num = 0, den = 0;
    ASSERT_EQ(Info_GetDisplayAspect(info.h, &num, &den), 1);
    EXPECT_EQ(num, 3);
    EXPECT_EQ(den, 4);
}

TEST(Info, TransportStreamProgramsAreTitles)
{
    const QString path = fixture("two_programs.ts");
    const QJsonObject probe = ffprobeJson(path, {"-show_programs"});
    const QJsonArray programs = probe["programs"].toArray();
    ASSERT_EQ(programs.size(), 2);
    Info info;
    ASSERT_TRUE(info.open(path));
    ASSERT_EQ(Info_GetTitleCount(info.h), 2);
    for (int t = 0; t < 2; ++t) {
        const QJsonObject prog = programs[t].toObject();
        EXPECT_EQ(QString::fromUtf8(Info_GetTitleName(info.h, t)),
                  prog["tags"].toObject()["service_name"].toString());
        ASSERT_EQ(Info_SelectTitle(info.h, t), 1);
        // Each title holds exactly its program's streams.
        QList<int> indexes;
        for (const QJsonValue &s : prog["streams"].toArray())
            indexes << s.toObject()["index"].toInt();
        orl_stream_info v{}, a{};
        ASSERT_EQ(Info_GetStreamCount(info.h, ORL_STREAM_VIDEO), 1);
        ASSERT_EQ(Info_GetStreamCount(info.h, ORL_STREAM_AUDIO), 1);
        ASSERT_EQ(Info_GetStreamInfo(info.h, ORL_STREAM_VIDEO, 0, &v), 1);
        ASSERT_EQ(Info_GetStreamInfo(info.h, ORL_STREAM_AUDIO, 0, &a), 1);
        EXPECT_TRUE(indexes.contains(v.index));
        EXPECT_TRUE(indexes.contains(a.index));
        EXPECT_NEAR(double(Info_GetDuration(info.h)), 4e6, 0.1e6);
    }
    EXPECT_EQ(Info_SelectTitle(info.h, 2), 0);
    EXPECT_EQ(Info_SelectTitle(info.h, -1), 0);
}

TEST(Info, ChaptersTagsAndCoverMatchFfprobe)
{
    const QString path = fixture("chapters_cover.mp4");
    const QJsonObject probe = ffprobeJson(path, {"-show_chapters", "-show_format"});
    Info info;
    ASSERT_TRUE(info.open(path));
    const QJsonArray chapters = probe["chapters"].toArray();
    ASSERT_EQ(Info_GetChapterCount(info.h), chapters.size());
    for (int i = 0; i < chapters.size(); ++i) {
        const QJsonObject c = chapters[i].toObject();
        const uint64_t start = seconds_to_us(c["start_time"]);
        const uint64_t end = seconds_to_us(c["end_time"]);
        EXPECT_EQ(Info_GetChapterStart(info.h, i), start);
        EXPECT_EQ(Info_GetChapterDuration(info.h, i), end - start);
        EXPECT_EQ(QString::fromUtf8(Info_GetChapterTitle(info.h, i)), c["tags"].toObject()["title"].toString());
    }
    EXPECT_EQ(Info_GetChapterTitle(info.h, chapters.size()), nullptr);

    const QJsonObject tags = probe["format"].toObject()["tags"].toObject();
    EXPECT_EQ(QString::fromUtf8(Info_GetMetadata(info.h, "title")), tags["title"].toString());
    EXPECT_EQ(QString::fromUtf8(Info_GetMetadata(info.h, "ARTIST")), tags["artist"].toString());
    EXPECT_EQ(QString::fromUtf8(Info_GetMetadata(info.h, "major_brand")), tags["major_brand"].toString());
    EXPECT_STREQ(Info_GetMetadata(info.h, "ffmpeg_format"), "mov,mp4,m4a,3gp,3g2,mj2");
    EXPECT_EQ(Info_GetMetadata(info.h, "no_such_key"), nullptr);

    int size = 0;
    const uint8_t *cover = Info_GetMetadataBlob(info.h, "cover_image", &size);
    ASSERT_NE(cover, nullptr);
    ASSERT_GT(size, 8);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(cover), 4), QByteArray("\x89PNG", 4));
    // The cover is no video stream of its own.
    EXPECT_EQ(Info_GetStreamCount(info.h, ORL_STREAM_VIDEO), 1);
}

TEST(Info, OggCommentsAreReadFromTheStream)
{
    // Ogg keeps Vorbis comments on the stream; write one and read it back.
    const QString path = QDir::tempPath() + "/orl_tagged.ogg";
    auto r = testsupport::runProcess("ffmpeg", {"-nostdin", "-v", "error", "-y", "-i",
                                                fixture("tone.ogg"), "-c", "copy", "-metadata",
                                                "title=Ogg Title", path});
    ASSERT_EQ(r.exitCode, 0);
    Info info;
    ASSERT_TRUE(info.open(path));
    EXPECT_STREQ(Info_GetMetadata(info.h, "title"), "Ogg Title");
    QFile::remove(path);
}

TEST(Info, MemoryBufferOpensAndOutlivesItsHandle)
{
    QFile f(fixture("h264_aac.mp4"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const int before = Engine_GetHandleCount();
    ORL_HANDLE buffer = Buffer_Create(bytes.constData(), size_t(bytes.size()));
    ASSERT_NE(buffer, 0);
    {
        Info info;
        ASSERT_EQ(Info_OpenMemory(info.h, buffer), 1) << Engine_GetLastError(info.h);
        Buffer_Destroy(buffer);
        EXPECT_EQ(Info_GetDuration(info.h), 5000000u);
        const orl_picture *pic = Info_GrabFrame(info.h, 1000000, 0, 0, ORL_PICTURE_JPEG);
        ASSERT_NE(pic, nullptr);
        Info_ReleaseFrame(info.h, pic);
    }
    EXPECT_EQ(Engine_GetHandleCount(), before);
    EXPECT_EQ(Buffer_Create(nullptr, 10), 0);
    EXPECT_EQ(Buffer_Create(bytes.constData(), 0), 0);
}

// Where the data of a file ends, against the end of the last packet ffprobe
// reads from it: below the declared duration for partial files of every
// kind, exactly the duration for whole ones.
TEST(Info, ReadableEndIsWhereTheLastPacketEnds)
{
    auto lastPacketEnd = [](const QString &path) {
        const QJsonObject probe = ffprobeJson(path, {"-show_packets", "-show_format"});
        // Times count from the container's start, as the duration does.
        const double start = probe["format"].toObject()["start_time"].toString().toDouble();
        double end = 0;
        for (const QJsonValue &v : probe["packets"].toArray()) {
            const QJsonObject p = v.toObject();
            if (p.contains("pts_time"))
                end = std::max(end, p["pts_time"].toString().toDouble() + p["duration_time"].toString().toDouble());
        }
        return end - start;
    };
    struct Case {
        const char *name;
        bool partial; // declares more than it holds
    };
    const Case cases[] = {
        {"partial.mkv", true},       {"truncated_faststart.mp4", true}, {"partial.avi", false},
        {"partial.ts", false},       {"long.mkv", false},               {"faststart.mp4", false},
        {"long_h264_aac.mp4", false}, {"plain.avi", false},             {"long_h264_aac.ts", false},
        {"plain.webm", false},       {"tone.mp3", false},               {"two_audio_subs.mkv", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = fixture(c.name);
        Info info;
        ASSERT_TRUE(info.open(path)) << Engine_GetLastError(info.h);
        const uint64_t declared = Info_GetDuration(info.h);
        const uint64_t readable = Info_GetReadableEnd(info.h);
        const double oracle = lastPacketEnd(path);
        ASSERT_GT(oracle, 0.5);
        EXPECT_NEAR(readable / 1e6, oracle, 0.15);
        if (c.partial)
            EXPECT_GT(declared / 1e6 - oracle, 2.0) << "the fixture no longer declares more than it holds";
        else // the streams' last packets end a few milliseconds apart
            EXPECT_NEAR(readable / 1e6, declared / 1e6, 0.1);
        // Asking again gives the same answer without reading again.
        EXPECT_EQ(Info_GetReadableEnd(info.h), readable);
        // The handle still reads pictures after the tail was looked at.
        if (Info_HasVideo(info.h)) {
            const orl_picture *picture = Info_GrabFrame(info.h, readable / 2, 64, 0, ORL_PICTURE_JPEG);
            EXPECT_NE(picture, nullptr) << Engine_GetLastError(info.h);
            Info_ReleaseFrame(info.h, picture);
        }
    }
}

// A file that cannot be opened says why, in words a user can act on.
TEST(Info, FailedOpensNameTheirReason)
{
    const std::pair<const char *, const char *> cases[] = {
        {"empty.mp4", "file is empty"},
        {"not_media.mp4", "no known media format"},
        {"random_bytes.mp4", "no known media format"},
        {"truncated_noindex.mp4", "no index (moov box)"},
    };
    for (const auto &c : cases) {
        Info info;
        EXPECT_FALSE(info.open(fixture(c.first))) << c.first;
        EXPECT_TRUE(QString::fromUtf8(Engine_GetLastError(info.h)).contains(c.second))
            << c.first << ": " << Engine_GetLastError(info.h);
    }
}
