#pragma once
// The timed entries of a subtitle file's text (already UTF-8): SubRip
// (.srt), SubStation Alpha (.ssa, .ass), WebVTT (.vtt) and MicroDVD (.sub).
// The parsers are forgiving about single broken entries, as players are,
// but a text in which no entry can be read is refused.
#include <cstdint>
#include <string>
#include <vector>

namespace subtitles {

enum class Format { Unknown, SubRip, SubStation, WebVtt, MicroDvd };

struct Cue {
    int64_t start_us = 0;
    int64_t end_us = 0; // -1: until the next entry (MicroDVD "{}" ends)
    std::string text;   // lines joined by "\n", markup kept
};

enum class ParseError {
    None,
    NoHeader,  // a SubStation file without "[Script Info]", a WebVTT file without "WEBVTT"
    NoEvents,  // a SubStation file without an "[Events]" section with a "Format:" line
    NoEntries, // nothing in the text is a timed entry
};

struct ParseResult {
    ParseError error = ParseError::None;
    std::vector<Cue> cues;
    double frameRate = 0; // MicroDVD only: the rate its frame numbers count in
    bool ok() const { return error == ParseError::None; }
};

// By file name extension, case-insensitive; "webvtt" counts as WebVTT.
Format formatFromFileName(const std::string &path);
const char *formatName(Format format); // "SRT", "ASS", "WEBVTT", "SUB"

ParseResult parseSubRip(const std::string &utf8);
ParseResult parseSubStation(const std::string &utf8);
ParseResult parseWebVtt(const std::string &utf8);
// Frame numbers count at the rate of a first entry "{1}{1}rate", else at
// 23.976 per second, the rate such files were mostly made for.
ParseResult parseMicroDvd(const std::string &utf8);
ParseResult parse(Format format, const std::string &utf8);

} // namespace subtitles
