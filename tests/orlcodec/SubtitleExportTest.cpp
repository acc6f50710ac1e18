// Subtitle streams written to files of their own, judged against the
// ffmpeg CLI's SRT and ASS of the same stream.
#include "TestSupport.h"
#include "orlcodec_subs.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

using testsupport::fixture;
using testsupport::runProcess;

namespace {

struct Event {
    int startMs = 0;
    int endMs = 0;
    QString text;
};

// The events of an SRT file.
std::vector<Event> readSrt(const QByteArray &bytes)
{
    std::vector<Event> events;
    static const QRegularExpression time(
        R"((\d+):(\d\d):(\d\d),(\d\d\d) --> (\d+):(\d\d):(\d\d),(\d\d\d))");
    const QStringList blocks = QString::fromUtf8(bytes).replace("\r\n", "\n").split("\n\n", Qt::SkipEmptyParts);
    for (const QString &block : blocks) {
        QStringList lines = block.split('\n');
        if (lines.size() < 2)
            continue;
        const QRegularExpressionMatch m = time.match(lines[1]);
        if (!m.hasMatch())
            continue;
        const auto ms = [&m](int first) {
            return ((m.captured(first).toInt() * 60 + m.captured(first + 1).toInt()) * 60
                    + m.captured(first + 2).toInt()) * 1000 + m.captured(first + 3).toInt();
        };
        events.push_back({ms(1), ms(5), lines.mid(2).join('\n').trimmed()});
    }
    return events;
}

// The Dialogue and Style lines of an ASS file, in order.
QStringList assLines(const QByteArray &bytes, const QString &prefix)
{
    QStringList out;
    for (const QString &line : QString::fromUtf8(bytes).split('\n'))
        if (line.startsWith(prefix))
            out << line.trimmed();
    return out;
}

QByteArray cliSubtitles(const QString &source, const QString &map, const QString &format)
{
    const auto r = runProcess("ffmpeg", {"-nostdin", "-v", "error", "-i", source, "-map", map, "-f", format, "-"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    return r.out;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Subs {
public:
    Subs() : h(Subs_Create()) {}
    ~Subs() { Subs_Destroy(h); }
    bool run(const QString &source, int stream, int kind, const QString &out,
             const std::vector<std::pair<uint64_t, uint64_t>> &ranges = {})
    {
        std::vector<uint64_t> starts, ends;
        for (const auto &r : ranges) {
            starts.push_back(r.first);
            ends.push_back(r.second);
        }
        return Subs_Export(h, source.toUtf8().constData(), stream, kind, starts.data(), ends.data(),
                           static_cast<int>(ranges.size()), out.toUtf8().constData())
            == 1;
    }
    QString error() const { return QString::fromUtf8(Engine_GetLastError(h)); }
    ORL_HANDLE h;
};

void expectSameEvents(const std::vector<Event> &ours, const std::vector<Event> &theirs)
{
    ASSERT_EQ(ours.size(), theirs.size());
    for (size_t i = 0; i < ours.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(ours[i].startMs, theirs[i].startMs, 1);
        EXPECT_NEAR(ours[i].endMs, theirs[i].endMs, 1);
        EXPECT_EQ(ours[i].text, theirs[i].text);
    }
}

} // namespace

// SubRip in Matroska, an ASS script with two styles, overlapping, italic
// and two-line events, and MP4 timed text: as SRT, event for event what the
// ffmpeg CLI writes; the ASS script as ASS keeps its styles and dialogue.
TEST(SubtitleFiles, TextStreamsAsTheCliWritesThem)
{
    QTemporaryDir dir;
    Subs subs;
    struct Case {
        const char *file;
        int stream;
    };
    for (const Case &c : {Case{"two_audio_subs.mkv", 3}, Case{"styled_subs.mkv", 0}, Case{"timed_text.mp4", 1}}) {
        SCOPED_TRACE(c.file);
        orl_subs_stream listed[4];
        ASSERT_EQ(Subs_ListStreams(subs.h, fixture(c.file).toUtf8().constData(), listed, 4), 1);
        EXPECT_EQ(listed[0].index, c.stream);
        EXPECT_EQ(listed[0].kind, ORL_SUBS_SRT);
        const QString out = dir.filePath(QString(c.file) + ".srt");
        ASSERT_TRUE(subs.run(fixture(c.file), c.stream, ORL_SUBS_NONE, out)) << subs.error().toStdString();
        const std::vector<Event> ours = readSrt(readAll(out));
        EXPECT_GE(ours.size(), 2u);
        expectSameEvents(ours, readSrt(cliSubtitles(fixture(c.file), QString("0:%1").arg(c.stream), "srt")));
        EXPECT_FALSE(QFile::exists(out + ".part"));
    }
    const QString ass = dir.filePath("styled.ass");
    ASSERT_TRUE(subs.run(fixture("styled_subs.mkv"), 0, ORL_SUBS_ASS, ass)) << subs.error().toStdString();
    const QByteArray theirs = cliSubtitles(fixture("styled_subs.mkv"), "0:0", "ass");
    EXPECT_EQ(assLines(readAll(ass), "Style:"), assLines(theirs, "Style:"));
    EXPECT_EQ(assLines(readAll(ass), "Dialogue:"), assLines(theirs, "Dialogue:"));
    EXPECT_EQ(assLines(readAll(ass), "Dialogue:").size(), 5);
}

// With ranges, only what they show, moved to where each range lands when
// they are joined in order: an event across a range's edge is shortened to
// it, one spanning two ranges appears in both, and ranges given out of
// order place their events in the order given.
TEST(SubtitleFiles, RangesKeepWhatTheyShowWhereTheCutPlacesIt)
{
    QTemporaryDir dir;
    Subs subs;
    const QString out = dir.filePath("cut.srt");
    // styled.ass: 0.40-1.90, 1.50-3.25 (Sign), 2.10-2.80, 4.00-5.50, 6.20-7.00.
    ASSERT_TRUE(subs.run(fixture("styled_subs.mkv"), 0, ORL_SUBS_SRT, out,
                         {{6000000, 7500000}, {1000000, 2500000}}))
        << subs.error().toStdString();
    const std::vector<Event> events = readSrt(readAll(out));
    ASSERT_EQ(events.size(), 4u);
    // 6.0-7.5 lands at 0: "Last word" at 0.2-1.0.
    EXPECT_EQ(events[0].startMs, 200);
    EXPECT_EQ(events[0].endMs, 1000);
    EXPECT_TRUE(events[0].text.contains("Last word"));
    // 1.0-2.5 lands at 1.5: the opening words shortened to 1.0-1.9 → 1.5-2.4,
    // the sign from 1.5 → 2.0-3.0, the aside from 2.1 → 2.6-3.0.
    EXPECT_EQ(events[1].startMs, 1500);
    EXPECT_EQ(events[1].endMs, 2400);
    EXPECT_TRUE(events[1].text.contains("Opening words"));
    EXPECT_EQ(events[2].startMs, 2000);
    EXPECT_EQ(events[2].endMs, 3000);
    EXPECT_TRUE(events[2].text.contains("A sign above"));
    EXPECT_EQ(events[3].startMs, 2600);
    EXPECT_EQ(events[3].endMs, 3000);
}

// What cannot be written says why and leaves nothing behind.
TEST(SubtitleFiles, RefusalsNameTheirReasonAndWriteNothing)
{
    QTemporaryDir dir;
    Subs subs;
    const QString out = dir.filePath("x.srt");
    EXPECT_FALSE(subs.run(fixture("two_audio_subs.mkv"), 1, ORL_SUBS_SRT, out));
    EXPECT_TRUE(subs.error().contains("not a subtitle stream")) << subs.error().toStdString();
    EXPECT_FALSE(subs.run(fixture("two_audio_subs.mkv"), 9, ORL_SUBS_SRT, out));
    EXPECT_TRUE(subs.error().contains("no stream 9")) << subs.error().toStdString();
    orl_subs_stream listed[2];
    EXPECT_EQ(Subs_ListStreams(subs.h, fixture("h264_aac.mp4").toUtf8().constData(), listed, 2), 0);
    EXPECT_EQ(Subs_ListStreams(subs.h, fixture("not_media.mp4").toUtf8().constData(), listed, 2), -1);
    EXPECT_FALSE(subs.error().isEmpty());
    EXPECT_FALSE(subs.run(fixture("two_audio_subs.mkv"), 3, ORL_SUBS_SUP, out));
    EXPECT_TRUE(subs.error().contains("SRT or ASS")) << subs.error().toStdString();
    EXPECT_FALSE(subs.run(fixture("two_audio_subs.mkv"), 3, ORL_SUBS_SRT, out, {{3000000, 1000000}}));
    EXPECT_FALSE(subs.run(fixture("not_media.mp4"), 0, ORL_SUBS_SRT, out));
    EXPECT_FALSE(subs.run(fixture("two_audio_subs.mkv"), 3, ORL_SUBS_SRT, dir.filePath("no/such/folder/x.srt")));
    EXPECT_FALSE(subs.error().isEmpty());
    // A cancel before the export ends it at once, with no file.
    Subs_Cancel(subs.h);
    EXPECT_FALSE(subs.run(fixture("styled_subs.mkv"), 0, ORL_SUBS_SRT, out));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}
