// Reading subtitle files: each format in each accepted encoding gives the
// same entries, and files that are not subtitles of their kind are refused.
#include "SubtitleFile.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace subtitles;

namespace {

// Each sample has two entries, the second with accented letters.
const char *const kSrt = "1\r\n00:00:01,000 --> 00:00:02,500\r\nHello\r\n\r\n2\r\n00:00:03,000 --> 00:00:04,250\r\n"
                         "Caf\u00e9 d\u00e9j\u00e0 vu\r\n";
const char *const kAss = "[Script Info]\nScriptType: v4.00+\n\n[V4+ Styles]\nFormat: Name, Fontname\nStyle: Default,Sans\n\n"
                         "[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n"
                         "Dialogue: 0,0:00:01.00,0:00:02.50,Default,,0,0,0,,Hello\n"
                         "Dialogue: 0,0:00:03.00,0:00:04.25,Default,,0,0,0,,Caf\u00e9 d\u00e9j\u00e0 vu\n";
const char *const kVtt = "WEBVTT\n\n00:01.000 --> 00:02.500 align:start\nHello\n\n"
                         "cue-2\n00:00:03.000 --> 00:00:04.250\nCaf\u00e9 d\u00e9j\u00e0 vu\n";
const char *const kSub = "{1}{1}25\n{25}{62}Hello\n{75}{106}Caf\u00e9 d\u00e9j\u00e0 vu\n";

struct Sample {
    Format format;
    const char *text;
    int64_t secondEnd_us;
};
const Sample kSamples[] = {
    {Format::SubRip, kSrt, 4250000},
    {Format::SubStation, kAss, 4250000},
    {Format::WebVtt, kVtt, 4250000},
    {Format::MicroDvd, kSub, 4240000}, // frame 106 at 25 per second
};

// UTF-8 to the encodings a file may come in (the samples hold only Latin-1 letters).
std::string toLatin1(const std::string &utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c == 0xC3 && i + 1 < utf8.size()) {
            out += static_cast<char>(0xC0 | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}
std::string toUtf16(const std::string &utf8, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char ch : toLatin1(utf8)) {
        const char lo = ch;
        const char hi = 0;
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

// A file written for one test and removed when it goes out of scope, so
// runs leave nothing behind in the shared temporary folder.
struct TempFile
{
    std::string path;
    TempFile(const std::string &name, const std::string &bytes)
        : path(testing::TempDir() + "/" + name)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    ~TempFile() { unlink(path.c_str()); }
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;
};

} // namespace

TEST(SubtitleFile, everyFormatInEveryEncodingGivesTheSameEntries)
{
    for (const Sample &s : kSamples) {
        const std::string utf8 = s.text;
        const struct {
            std::string bytes;
            const char *encoding;
        } encodings[] = {
            {utf8, "UTF-8"},
            {"\xEF\xBB\xBF" + utf8, "UTF-8"},
            {toUtf16(utf8, false), "UTF-16LE"},
            {toUtf16(utf8, true), "UTF-16BE"},
            {toLatin1(utf8), "WINDOWS-1252"},
        };
        for (const auto &e : encodings) {
            SCOPED_TRACE(std::string(formatName(s.format)) + " in " + e.encoding);
            const SubtitleFile f = readSubtitleBytes(e.bytes, s.format);
            ASSERT_TRUE(f.ok()) << static_cast<int>(f.error);
            EXPECT_EQ(f.text.encoding, e.encoding);
            ASSERT_EQ(f.parsed.cues.size(), 2u);
            EXPECT_EQ(f.parsed.cues[0].start_us, 1000000);
            EXPECT_EQ(f.parsed.cues[0].text, "Hello");
            EXPECT_EQ(f.parsed.cues[1].start_us, 3000000);
            EXPECT_EQ(f.parsed.cues[1].end_us, s.secondEnd_us);
            EXPECT_EQ(f.parsed.cues[1].text, "Caf\u00e9 d\u00e9j\u00e0 vu");
        }
    }
}

TEST(SubtitleFile, legacyTextFollowsALegacyLocale)
{
    // Under a locale with an 8-bit code page of its own, that code page is
    // used; 0xE9 is "é" in Latin-1 but "щ" in KOI8-R.
    const char *before = std::setlocale(LC_CTYPE, nullptr);
    const std::string saved = before ? before : "C";
    if (!std::setlocale(LC_CTYPE, "ru_RU.KOI8-R"))
        GTEST_SKIP() << "no KOI8-R locale on this machine";
    const SubtitleFile f = readSubtitleBytes("1\n00:00:01,000 --> 00:00:02,000\n\xE9\n", Format::SubRip);
    std::setlocale(LC_CTYPE, saved.c_str());
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f.text.encoding, "KOI8-R");
    EXPECT_EQ(f.parsed.cues[0].text, "\u0449");
}

TEST(SubtitleFile, brokenFilesAreRefusedWithTheirReason)
{
    EXPECT_EQ(readSubtitleBytes("just some words\nno times here\n", Format::SubRip).error, FileError::NoEntries);
    EXPECT_EQ(readSubtitleBytes("1\n00:00:05,000 --> 00:00:01,000\nends before it starts\n", Format::SubRip).error,
              FileError::NoEntries);
    EXPECT_EQ(readSubtitleBytes("1\n00:61:00,000 --> 00:62:00,000\nno such minute\n", Format::SubRip).error,
              FileError::NoEntries);
    EXPECT_EQ(readSubtitleBytes(std::string("\x1A\x45\xDF\xA3\x00\x00\x01", 7), Format::SubRip).error,
              FileError::NotText);
    EXPECT_EQ(readSubtitleBytes("\xFF\xFE\x41", Format::SubRip).error, FileError::NotText); // odd UTF-16
    EXPECT_EQ(readSubtitleBytes(std::string("\xFF\xFE\x00\xDC", 4), Format::SubRip).error, FileError::NotText);
    EXPECT_EQ(readSubtitleBytes("00:01.000 --> 00:02.000\nno header\n", Format::WebVtt).error, FileError::NoHeader);
    EXPECT_EQ(readSubtitleBytes("WEBVTTX\n\n00:01.000 --> 00:02.000\nx\n", Format::WebVtt).error, FileError::NoHeader);
    EXPECT_EQ(readSubtitleBytes("WEBVTT\n\nNOTE only a note\n", Format::WebVtt).error, FileError::NoEntries);
    EXPECT_EQ(readSubtitleBytes("Dialogue: 0,0:00:01.00,0:00:02.00,,,0,0,0,,x\n", Format::SubStation).error,
              FileError::NoHeader);
    EXPECT_EQ(readSubtitleBytes("[Script Info]\nTitle: x\n", Format::SubStation).error, FileError::NoEvents);
    EXPECT_EQ(readSubtitleBytes("[Script Info]\n[Events]\nFormat: Start, End, Text\nDialogue: 1:xx:00.00,0:00:01.00,a\n",
                                Format::SubStation)
                  .error,
              FileError::NoEntries);
    EXPECT_EQ(readSubtitleBytes("{a}{b}not frames\n", Format::MicroDvd).error, FileError::NoEntries);
    EXPECT_EQ(readSubtitleBytes("", Format::MicroDvd).error, FileError::NoEntries);

    EXPECT_EQ(readSubtitleFile(testing::TempDir() + "/no-such-file.srt").error, FileError::CannotOpen);
    EXPECT_EQ(readSubtitleFile(TempFile("lyrics.lrc", "[00:01.00]la la\n").path).error, FileError::UnknownFormat);
    EXPECT_EQ(readSubtitleFile(TempFile("big.srt", std::string(kMaxFileBytes + 1, 'a')).path).error, FileError::TooLarge);
}

TEST(SubtitleFile, forgivingAboutSingleBrokenEntries)
{
    // A broken entry among good ones is skipped, as players do; entries
    // without empty lines between them are still told apart.
    const SubtitleFile f = readSubtitleBytes("1\n00:00:01,000 --> 00:00:02,000\nfirst\n2\n00:00:03,000 --> 00:00:04,000\n"
                                             "second\n\n3\n00:00:xx,000 --> 00:00:06,000\nbroken\n\n"
                                             "00:00:07.5 --> 00:00:08,000\nno number, half a second\n",
                                             Format::SubRip);
    ASSERT_TRUE(f.ok());
    ASSERT_EQ(f.parsed.cues.size(), 3u);
    EXPECT_EQ(f.parsed.cues[0].text, "first");
    EXPECT_EQ(f.parsed.cues[1].text, "second");
    EXPECT_EQ(f.parsed.cues[2].start_us, 7500000);

    // MicroDVD: default rate 23.976, an open end, "|" line breaks.
    const SubtitleFile sub = readSubtitleBytes("{24}{}one|two\n", Format::MicroDvd);
    ASSERT_TRUE(sub.ok());
    EXPECT_NEAR(sub.parsed.frameRate, 23.976, 0.001);
    EXPECT_EQ(sub.parsed.cues[0].start_us, 1001000);
    EXPECT_EQ(sub.parsed.cues[0].end_us, -1);
    EXPECT_EQ(sub.parsed.cues[0].text, "one\ntwo");

    // A SubStation text keeps its commas and override codes.
    const SubtitleFile ass = readSubtitleBytes(
        "[Script Info]\n[Events]\nFormat: Start, End, Text\nDialogue: 0:00:01.00,0:00:02.00,{\\b1}a, b{\\b0}\n",
        Format::SubStation);
    ASSERT_TRUE(ass.ok());
    EXPECT_EQ(ass.parsed.cues[0].text, "{\\b1}a, b{\\b0}");
}

TEST(SubtitleFile, utf8CopyForTheBurnFilterHoldsTheDecodedText)
{
    const std::string latin1 = toLatin1(kSrt);
    const TempFile sourceFile("film.srt", latin1);
    const std::string &source = sourceFile.path;
    const SubtitleFile f = readSubtitleFile(source);
    ASSERT_TRUE(f.ok());
    const std::string copy = writeUtf8Copy(f, source, testing::TempDir());
    ASSERT_FALSE(copy.empty());
    EXPECT_EQ(copy.substr(copy.size() - 4), ".srt");
    std::ifstream in(copy, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, std::string(kSrt));
    unlink(copy.c_str());

    const TempFile vttFile("film.webvtt", kVtt);
    const std::string &vtt = vttFile.path;
    const std::string vttCopy = writeUtf8Copy(readSubtitleFile(vtt), vtt, testing::TempDir());
    EXPECT_EQ(vttCopy.substr(vttCopy.size() - 4), ".vtt");
    unlink(vttCopy.c_str());
    EXPECT_TRUE(writeUtf8Copy(f, source, "/proc/no-such-folder").empty());
}
