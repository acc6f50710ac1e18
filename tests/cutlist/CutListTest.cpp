// The samples below are written by hand the way other programs write
// these files: a spreadsheet's CSV with a byte order mark and CRLF, a
// video description's chapter lines, editing systems' EDLs at 25 fps and
// at 29.97 drop frame, a concert's CUE sheet with a pregap and minutes
// past 99.
#include "CutList.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

using namespace cutlist;

namespace {

constexpr std::uint64_t kS = 1000000;

Segment seg(std::uint64_t start, std::uint64_t end, std::string label = {})
{
    return Segment{start, end, std::move(label)};
}

} // namespace

namespace cutlist {
void PrintTo(const Segment &s, std::ostream *out)
{
    *out << "{" << s.start_us << ", " << s.end_us << ", \"" << s.label << "\"}";
}
} // namespace cutlist

namespace {

std::string show(const SegmentList &list)
{
    std::ostringstream out;
    for (const Segment &s : list)
        out << "{" << s.start_us << ", " << s.end_us << ", \"" << s.label << "\"} ";
    return out.str();
}

ReadOptions at(std::uint64_t duration, FrameRate rate = {25, 1})
{
    ReadOptions o;
    o.duration_us = duration;
    o.rate = rate;
    return o;
}

SegmentList readOk(Format format, std::string_view bytes, const ReadOptions &options = {})
{
    const ReadResult r = read(format, bytes, options);
    EXPECT_TRUE(r.ok()) << describe(r.error);
    return r.segments;
}

const std::string kEdl25 = "TITLE: Interview rough cut\n"
                           "FCM: NON-DROP FRAME\n"
                           "\n"
                           "001  BL       V     C        00:00:00:00 00:00:02:00 01:00:00:00 01:00:02:00\n"
                           "002  AX       V     C        00:00:10:00 00:00:20:12 01:00:02:00 01:00:12:12\n"
                           "002  AX       A     C        00:00:10:00 00:00:20:12 01:00:02:00 01:00:12:12\n"
                           "* FROM CLIP NAME: interview.mov\n"
                           "003  AX       AA/V  C        00:01:00:00 00:01:00:00 01:00:12:12 01:00:12:12\n"
                           "003  AX       AA/V  D    025 00:02:00:00 00:02:30:20 01:00:12:12 01:00:43:07\n"
                           "* FROM CLIP NAME: interview.mov\n"
                           "* TO CLIP NAME: Answer, part \"two\"\n"
                           "M2   AX       050.0                00:02:00:00\n";

const std::string kEdlDropFrame = "TITLE: News at six\r\n"
                                  "FCM: DROP FRAME\r\n"
                                  "\r\n"
                                  "001  AX       V     C        00:00:59;28 00:01:00;02 00:00:00;00 00:00:00;04\r\n"
                                  "* FROM CLIP NAME: Minute turn\r\n"
                                  "002  AX       V     C        00:09:59;29 00:10:00;00 00:00:00;04 00:00:00;05\r\n";

const std::string kCue = "REM GENRE \"Concert\"\r\n"
                         "REM DATE 2019\r\n"
                         "PERFORMER \"The Band\"\r\n"
                         "TITLE \"Live at the Hall\"\r\n"
                         "FILE \"concert.mkv\" WAVE\r\n"
                         "  TRACK 01 AUDIO\r\n"
                         "    TITLE \"Opening, part 1\"\r\n"
                         "    PERFORMER \"The Band\"\r\n"
                         "    INDEX 01 00:00:00\r\n"
                         "  TRACK 02 AUDIO\r\n"
                         "    TITLE \"Say \"hello\"\"\r\n"
                         "    INDEX 00 04:58:50\r\n"
                         "    INDEX 01 05:00:00\r\n"
                         "  TRACK 03 AUDIO\r\n"
                         "    TITLE \"Encore\"\r\n"
                         "    INDEX 01 105:30:15\r\n";

const std::string kChapters = "0:00 Intro\n"
                              "0:45 - First look\n"
                              "\n"
                              "12:07 \xE2\x80\x93 Setup, tools & \"tips\"\n"
                              "1:02:03 Part two\n"
                              "1:40:00 Outro\n";

} // namespace

TEST(CutListRead, SpreadsheetCsvWithMarkCrlfHeaderAndQuotes)
{
    const std::string csv = "\xEF\xBB\xBF"
                            "Start,End,Label\r\n"
                            "0,12.5,Opening\r\n"
                            "00:12.5,1:02.250,\"Scene 2, the \"\"big\"\" one\"\r\n"
                            "1:02:03.5,1:45:00,Long part\r\n"
                            "105:00,106:30.125,Past 99 minutes\r\n"
                            "\r\n"
                            "2:00:00,,Credits\r\n";
    const SegmentList expected = {
        seg(0, 12500000, "Opening"),
        seg(12500000, 62250000, "Scene 2, the \"big\" one"),
        seg(3723500000, 6300 * kS, "Long part"),
        seg(6300 * kS, 6390125000, "Past 99 minutes"),
        seg(7200 * kS, 7500 * kS, "Credits"),
    };
    EXPECT_EQ(readOk(Format::Csv, csv, at(7500 * kS)), expected) << show(readOk(Format::Csv, csv, at(7500 * kS)));
    // Without the file's duration an empty end stays open.
    EXPECT_EQ(readOk(Format::Csv, csv).back(), seg(7200 * kS, 0, "Credits"));

    // Tab-separated, as a spreadsheet saves it: padded rows, a quoted tab.
    const std::string tsv = "1.5\t3\tTab one\t\t\n3\t4.25\t\"quoted\ttab\"\n";
    EXPECT_EQ(readOk(Format::Tsv, tsv), (SegmentList{seg(1500000, 3 * kS, "Tab one"), seg(3 * kS, 4250000, "quoted\ttab")}));

    // Text from older Windows programs: UTF-16 with its mark, or Windows-1252.
    const std::string utf16 = std::string("\xFF\xFE", 2) + std::string("1\0,\0002\0,\0\xE9\0\n\0", 12);
    EXPECT_EQ(readOk(Format::Csv, utf16), (SegmentList{seg(kS, 2 * kS, "\xC3\xA9")}));
    EXPECT_EQ(readOk(Format::Csv, "1,2,Caf\xE9 \x93z\x94\n"),
              (SegmentList{seg(kS, 2 * kS, "Caf\xC3\xA9 \xE2\x80\x9Cz\xE2\x80\x9D")}));
}

TEST(CutListRead, ChapterTextEachRunsToTheNext)
{
    const SegmentList expected = {
        seg(0, 45 * kS, "Intro"),
        seg(45 * kS, 727 * kS, "First look"),
        seg(727 * kS, 3723 * kS, "Setup, tools & \"tips\""),
        seg(3723 * kS, 6000 * kS, "Part two"),
        seg(6000 * kS, 6100 * kS, "Outro"),
    };
    EXPECT_EQ(readOk(Format::ChapterText, kChapters, at(6100 * kS)), expected);
    EXPECT_EQ(readOk(Format::ChapterText, kChapters).back().end_us, 0u);
}

TEST(CutListRead, EdlSourceTimesAtTheFilesRate)
{
    // Black is no source; the audio line repeats event 2; event 3 is a
    // dissolve whose incoming clip names it.
    EXPECT_EQ(readOk(Format::Edl, kEdl25, at(0, {25, 1})),
              (SegmentList{seg(10 * kS, 20480000, "interview.mov"),
                           seg(120 * kS, 150800000, "Answer, part \"two\"")}));
    // The same timecodes at 24 and 30 frames a second.
    EXPECT_EQ(readOk(Format::Edl, kEdl25, at(0, {24, 1}))[0].end_us, 20500000u);
    EXPECT_EQ(readOk(Format::Edl, kEdl25, at(0, {30, 1}))[0].end_us, 20400000u);

    // Drop frame: ;00 and ;01 do not exist after minute 1, so 59;28 to
    // 00;02 is two frames; 10:00;00 is frame 17982, within a frame of the
    // clock's ten minutes.
    EXPECT_EQ(readOk(Format::Edl, kEdlDropFrame, at(0, {30000, 1001})),
              (SegmentList{seg(59993267, 60060000, "Minute turn"), seg(599966033, 599999400)}));
}

TEST(CutListRead, CueTracksWithPregapAndLongMinutes)
{
    // Track 1 ends where track 2's pregap begins; "Say "hello"" keeps its
    // inner quotes; 105 minutes are 105 minutes.
    EXPECT_EQ(readOk(Format::Cue, kCue, at(7000 * kS)),
              (SegmentList{seg(0, 298666667, "Opening, part 1"), seg(300 * kS, 6330200000, "Say \"hello\""),
                           seg(6330200000, 7000 * kS, "Encore")}));
}

TEST(CutListRead, FaultsNameTheLineAndReasonAndKeepNothing)
{
    struct Case {
        Format format;
        std::string text;
        ErrorKind kind;
        std::size_t line;
        ReadOptions options = {};
    };
    const Case cases[] = {
        {Format::Csv, "start,end\n1,2\n5,5\n", ErrorKind::EndNotAfterStart, 3},
        {Format::Csv, "1,2\n-3,4\n", ErrorKind::NegativeTime, 2},
        {Format::Csv, "1,2\nabc,4\n", ErrorKind::BadTime, 2},
        {Format::Csv, "1,2\n1:75,4\n", ErrorKind::BadTime, 2},
        {Format::Csv, "1,2,\"open quote\n3,4\n", ErrorKind::BadQuote, 1},
        {Format::Csv, "1,2,\"a\"b\n", ErrorKind::BadQuote, 1},
        {Format::Csv, "1,2,a,extra\n", ErrorKind::TooManyFields, 1},
        {Format::Csv, "1,2\n,4\n", ErrorKind::MissingStart, 2},
        {Format::Csv, "1,2\n99999999999,\n", ErrorKind::TimeTooLarge, 2},
        {Format::Csv, "1,2\n8,\n", ErrorKind::PastEnd, 2, at(8 * kS)},
        {Format::Csv, "start,end\n", ErrorKind::Empty, 0},
        {Format::Csv, std::string("1,2\n\0\x01\x02", 7), ErrorKind::NotText, 0},
        {Format::ChapterText, "0:00 Intro\nWatch the whole thing!\n", ErrorKind::Unrecognised, 2},
        {Format::ChapterText, "0:00 Intro\n2:00 B\n1:00 C\n", ErrorKind::NotInOrder, 3},
        {Format::ChapterText, "0:00 Intro\n1:5 B\n", ErrorKind::BadTime, 2},
        {Format::ChapterText, "0:00 Intro\n9:00 B\n", ErrorKind::PastEnd, 2, at(9 * kS)},
        {Format::Edl, "001  AX  V  C  00:00:01:25 00:00:02:00 00:00:00:00 00:00:01:00\n", ErrorKind::BadTimecode, 1},
        {Format::Edl, "TITLE: x\n\n001  AX  V  C  00:00:01:00 00:00:01:00 00:00:00:00 00:00:00:00\n",
         ErrorKind::EndNotAfterStart, 3},
        {Format::Edl, "001  AX  V  C  00:01:00;00 00:01:02;00 00:00:00;00 00:00:02;00\n", ErrorKind::BadTimecode,
         1, at(0, {30000, 1001})},
        {Format::Edl, "FCM: DROP FRAME\n", ErrorKind::BadFrameRate, 1, at(0, {25, 1})},
        {Format::Edl, "001  AX  V  C  00:00:01:00 00:00:02:00\n", ErrorKind::Unrecognised, 1},
        {Format::Edl, "TITLE: x\nthis is not an edl\n", ErrorKind::Unrecognised, 2},
        {Format::Edl, "TITLE: x\n", ErrorKind::Empty, 0},
        {Format::Edl, kEdl25, ErrorKind::BadFrameRate, 0, at(0, {0, 1})},
        {Format::Cue, "FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n  TRACK 02 AUDIO\n    INDEX 01 00:01:00\n",
         ErrorKind::MissingIndex, 2},
        {Format::Cue, "FILE \"a.wav\" WAVE\nFILE \"b.wav\" WAVE\n", ErrorKind::SecondFile, 2},
        {Format::Cue, "TRACK 01 AUDIO\n INDEX 01 00:00:75\n", ErrorKind::BadTime, 2},
        {Format::Cue, "TRACK 01 AUDIO\n INDEX 01 00:10:00\nTRACK 02 AUDIO\n INDEX 01 00:05:00\n",
         ErrorKind::NotInOrder, 4},
        {Format::Cue, "TRACK 01 AUDIO\n TITLE \"unclosed\n INDEX 01 00:00:00\n", ErrorKind::BadQuote, 2},
        {Format::Cue, "TRACK 01 AUDIO\n INDEX 01 00:00:00\nLYRICS la la\n", ErrorKind::Unrecognised, 3},
    };
    for (const Case &c : cases) {
        const ReadResult r = read(c.format, c.text, c.options);
        EXPECT_EQ(r.error.kind, c.kind) << c.text << " -> " << describe(r.error);
        EXPECT_EQ(r.error.where, c.line) << c.text << " -> " << describe(r.error);
        EXPECT_TRUE(r.segments.empty()) << c.text;
    }
}

TEST(CutListWrite, ExactTextOfEachFormat)
{
    WriteOptions o;
    o.duration_us = 7200 * kS;
    const SegmentList list = {seg(0, 45 * kS, "Intro"), seg(45 * kS, 3723 * kS, "Part, \"two\""),
                              seg(3723 * kS, 0, "- minus")};
    EXPECT_EQ(write(Format::ChapterText, list, o).text, "0:00 Intro\n0:45 Part, \"two\"\n1:02:03 - - minus\n");
    EXPECT_EQ(write(Format::Csv, list, o).text, "start,end,label\n"
                                                "00:00:00.000,00:00:45.000,Intro\n"
                                                "00:00:45.000,01:02:03.000,\"Part, \"\"two\"\"\"\n"
                                                "01:02:03.000,,- minus\n");

    // A gap between tracks becomes the next track's pregap.
    o.fileName = "concert.flac";
    const SegmentList tracks = {seg(0, 298666667, "Opening"), seg(300 * kS, 6330200000, "Say \"hello\""),
                                seg(6330200000, 7200 * kS)};
    EXPECT_EQ(write(Format::Cue, tracks, o).text, "FILE \"concert.flac\" WAVE\n"
                                                  "  TRACK 01 AUDIO\n"
                                                  "    TITLE \"Opening\"\n"
                                                  "    INDEX 01 00:00:00\n"
                                                  "  TRACK 02 AUDIO\n"
                                                  "    TITLE \"Say \"hello\"\"\n"
                                                  "    INDEX 00 04:58:50\n"
                                                  "    INDEX 01 05:00:00\n"
                                                  "  TRACK 03 AUDIO\n"
                                                  "    INDEX 01 105:30:15\n");

    o.rate = {30000, 1001};
    o.title = "News";
    EXPECT_EQ(write(Format::Edl, {seg(59993267, 60060000, "Minute turn"), seg(599966033, 599999400)}, o).text,
              "TITLE: News\nFCM: DROP FRAME\n\n"
              "001  AX       AA/V  C        00:00:59;28 00:01:00;02 00:00:00;00 00:00:00;02\n"
              "* FROM CLIP NAME: Minute turn\n\n"
              "002  AX       AA/V  C        00:09:59;29 00:10:00;00 00:00:00;02 00:00:00;03\n\n");
}

TEST(CutListWrite, RefusesWhatTheFormatCannotSay)
{
    struct Case {
        Format format;
        SegmentList list;
        ErrorKind kind;
        std::size_t where;
        std::uint64_t duration = 100 * kS;
    };
    const Case cases[] = {
        {Format::ChapterText, {seg(5 * kS, 10 * kS)}, ErrorKind::FirstNotAtZero, 1},
        {Format::ChapterText, {seg(0, 10 * kS), seg(20 * kS, 0)}, ErrorKind::Gap, 1},
        {Format::ChapterText, {seg(0, 10 * kS), seg(10 * kS, 50 * kS)}, ErrorKind::LastNotAtEnd, 2},
        {Format::ChapterText, {seg(0, 10 * kS), seg(10 * kS, 50 * kS)}, ErrorKind::LastNotAtEnd, 2, 0},
        {Format::Cue, {seg(0, 10 * kS), seg(5 * kS, 0)}, ErrorKind::NotInOrder, 2},
        {Format::Cue, SegmentList(100, seg(0, 0)), ErrorKind::TooMany, 100},
        {Format::Edl, {seg(0, 0)}, ErrorKind::OpenEnd, 1, 0},
        {Format::Edl, {seg(0, 1000)}, ErrorKind::EndNotAfterStart, 1},
        {Format::Edl, {seg(0, 101 * 3600 * kS)}, ErrorKind::TimeTooLarge, 1},
        {Format::Csv, {seg(0, kS), seg(kS, 2 * kS, "two\nlines")}, ErrorKind::LineBreakInLabel, 2},
        {Format::Csv, {seg(5 * kS, 5 * kS)}, ErrorKind::EndNotAfterStart, 1},
    };
    for (const Case &c : cases) {
        WriteOptions o;
        o.duration_us = c.duration;
        const WriteResult r = write(c.format, c.list, o);
        EXPECT_EQ(r.error.kind, c.kind) << show(c.list) << " -> " << describe(r.error);
        EXPECT_EQ(r.error.where, c.where) << show(c.list) << " -> " << describe(r.error);
        EXPECT_TRUE(r.text.empty());
    }
}

TEST(CutListWrite, ExportThenImportGivesTheSameList)
{
    const ReadOptions film = at(7000 * kS);
    WriteOptions o;
    o.duration_us = film.duration_us;
    const auto roundTrip = [&](Format format, const SegmentList &list, const ReadOptions &ro) {
        o.rate = ro.rate;
        const WriteResult w = write(format, list, o);
        ASSERT_TRUE(w.ok()) << describe(w.error);
        EXPECT_EQ(readOk(format, w.text, ro), list) << w.text;
    };
    const SegmentList fine = {seg(1, 12345678, " padded, \"quoted\" "), seg(3723500000, 7000 * kS, "tab\there"),
                              seg(6300 * kS, 6300 * kS + 1, "")};
    roundTrip(Format::Csv, fine, film);
    roundTrip(Format::Tsv, fine, film);
    roundTrip(Format::ChapterText, readOk(Format::ChapterText, kChapters, film), film);
    roundTrip(Format::Cue, readOk(Format::Cue, kCue, film), film);
    roundTrip(Format::Edl, readOk(Format::Edl, kEdl25, at(0, {25, 1})), at(0, {25, 1}));
    roundTrip(Format::Edl, readOk(Format::Edl, kEdlDropFrame, at(0, {30000, 1001})), at(0, {30000, 1001}));
    o.dropFrame = false;
    roundTrip(Format::Edl, readOk(Format::Edl, kEdlDropFrame, at(0, {30000, 1001})), at(0, {30000, 1001}));
    roundTrip(Format::Edl, readOk(Format::Edl, kEdl25, at(0, {24, 1})), at(0, {24, 1}));

    // Through files: the suffix picks the format; nothing is left beside it.
    char folder[] = "/tmp/cutlistXXXXXX";
    ASSERT_TRUE(mkdtemp(folder));
    const std::string path = std::string(folder) + "/list.CUE";
    ASSERT_EQ(formatForFileName(path), Format::Cue);
    ASSERT_EQ(writeFile(path, readOk(Format::Cue, kCue, film), o).kind, ErrorKind::None);
    EXPECT_EQ(readFile(path, film).segments, readOk(Format::Cue, kCue, film));
    EXPECT_FALSE(std::ifstream(path + ".part").good());
    EXPECT_EQ(readFile(std::string(folder) + "/missing.csv").error.kind, ErrorKind::CannotOpen);
    EXPECT_EQ(writeFile(std::string(folder) + "/list.doc", {seg(0, 1)}).kind, ErrorKind::Unrecognised);
    std::remove(path.c_str());
    rmdir(folder);
}

TEST(CutListSource, ChaptersAndDurationMakeSegments)
{
    // Out of order, one without an end, one running past the file.
    const std::vector<SourceChapter> chapters = {
        {60 * kS, 0, "Second"}, {0, 60 * kS, "First"}, {120 * kS, 999 * kS, "Third"}};
    const ReadResult r = segmentsFromChapters(chapters, 150 * kS);
    ASSERT_TRUE(r.ok()) << describe(r.error);
    EXPECT_EQ(r.segments, (SegmentList{seg(0, 60 * kS, "First"), seg(60 * kS, 120 * kS, "Second"),
                                       seg(120 * kS, 150 * kS, "Third")}));
    const ReadResult past = segmentsFromChapters(chapters, 100 * kS);
    EXPECT_EQ(past.error.kind, ErrorKind::PastEnd);
    EXPECT_EQ(past.error.where, 3u);

    const Fit fit = fitToDuration({seg(0, 10 * kS), seg(5 * kS, 30 * kS), seg(20 * kS, 40 * kS), seg(8 * kS, 0)},
                                  20 * kS);
    EXPECT_EQ(fit.segments, (SegmentList{seg(0, 10 * kS), seg(5 * kS, 20 * kS), seg(8 * kS, 0)}));
    EXPECT_EQ(fit.clipped, std::vector<std::size_t>{1});
    EXPECT_EQ(fit.outside, std::vector<std::size_t>{2});
}
