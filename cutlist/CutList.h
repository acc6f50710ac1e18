#pragma once
// Cut lists made elsewhere, and ours for elsewhere: a list of segments of
// one source file read from and written to CSV/TSV, chapter text as video
// sites take it in a description, CMX3600 edit decision lists and CUE
// sheets. Readers take a file's bytes and either return every segment or
// the line and reason of the first fault, never a part of the list. No Qt
// here; the texts of the faults are the caller's (see ErrorKind).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cutlist {

// Times are microseconds of the source, as everywhere in the program; an
// end of 0 means to the end of the file (a list read without knowing the
// file's duration keeps it so).
struct Segment {
    std::uint64_t start_us = 0;
    std::uint64_t end_us = 0;
    std::string label; // UTF-8, no line breaks

    bool operator==(const Segment &o) const
    {
        return start_us == o.start_us && end_us == o.end_us && label == o.label;
    }
    bool operator!=(const Segment &o) const { return !(*this == o); }
};
using SegmentList = std::vector<Segment>;

enum class Format {
    Csv,
    Tsv,
    ChapterText, // "0:00 Intro" lines
    Edl,         // CMX3600
    Cue,
};

// The format a file name's suffix names (.csv .tsv .txt .edl .cue, in any
// case); none for another suffix.
std::optional<Format> formatForFileName(std::string_view fileName);
// The suffix written for a format, without the dot.
const char *suffixOf(Format format);

// A video frame rate as a fraction (30000/1001 for 29.97). Timecodes count
// round(num/den) frames in each of their seconds.
struct FrameRate {
    std::uint32_t num = 25;
    std::uint32_t den = 1;
};

struct ReadOptions {
    // The source's duration; 0 when unknown. It ends the last chapter or
    // track and an empty CSV end; unknown, those stay 0 (to the end).
    std::uint64_t duration_us = 0;
    // The source's frame rate, which EDL timecodes count in.
    FrameRate rate;
};

struct WriteOptions {
    // The source's duration; chapter text and CUE sheets cannot say where
    // the last entry ends, so a last segment must run to it (or be open).
    std::uint64_t duration_us = 0;
    FrameRate rate;
    // At 29.97 and 59.94 frames a second, EDL timecodes drop frame
    // numbers to stay with the clock, as broadcast tools expect.
    bool dropFrame = true;
    std::string title; // EDL TITLE and CUE sheet TITLE; EDLs need one
    std::string fileName; // the source file a CUE sheet names
};

enum class ErrorKind {
    None,
    NotText,          // binary data or text in no encoding we read
    Empty,            // no segment at all
    BadTime,          // not a time: text holds it
    NegativeTime,
    TimeTooLarge,     // beyond kMaxTimeUs or beyond what the format holds
    EndNotAfterStart, // a segment that ends where or before it starts
    MissingStart,
    TooManyFields,
    BadQuote,         // an unclosed quote or text after a closing quote
    NotInOrder,       // a chapter or track that does not come after the one before
    PastEnd,          // starts at or after the end of the file
    Unrecognised,     // a line we do not understand: text holds it
    BadTimecode,      // malformed, a frame past the rate, or a dropped frame number
    BadFrameRate,     // the frame rate given cannot count timecodes (or drop frames)
    MissingIndex,     // a CUE track without INDEX 01
    SecondFile,       // a CUE sheet over several files
    // Writers only:
    FirstNotAtZero,   // chapter text must begin at 0:00
    Gap,              // chapters and tracks follow each other without gaps
    LastNotAtEnd,     // the last chapter or track runs to the end of the file
    LineBreakInLabel,
    OpenEnd,          // a segment open to the end, with the file's duration unknown
    TooMany,          // more events or tracks than the format numbers
    CannotOpen,
    CannotWrite,
    TooLarge,
};

// Where is the line (readers, from 1) or the segment (writers, from 1);
// 0 for the file as a whole.
struct Error {
    ErrorKind kind = ErrorKind::None;
    std::size_t where = 0;
    std::string text; // the offending text or time, verbatim
};

// An English sentence for logs and tests, with the place.
std::string describe(const Error &error);

struct ReadResult {
    SegmentList segments; // empty whenever error is set
    Error error;
    bool ok() const { return error.kind == ErrorKind::None; }
};

struct WriteResult {
    std::string text; // UTF-8, empty whenever error is set
    Error error;
    bool ok() const { return error.kind == ErrorKind::None; }
};

// 10,000 hours: far beyond any source, short of every overflow.
constexpr std::uint64_t kMaxTimeUs = 10000ull * 3600 * 1000000;
// No cut list is this big; a bigger file is something else.
constexpr std::size_t kMaxFileBytes = 16u << 20;

ReadResult read(Format format, std::string_view bytes, const ReadOptions &options = {});
WriteResult write(Format format, const SegmentList &segments, const WriteOptions &options = {});

// The file's format comes from its suffix.
ReadResult readFile(const std::string &path, const ReadOptions &options = {});
// Writes beside the path and renames over it, so a failed write never
// leaves half a list where a whole one was.
Error writeFile(const std::string &path, const SegmentList &segments, const WriteOptions &options = {});

// One chapter of the source as the media item read it; end 0 (or not
// after start) when the file gave no end.
struct SourceChapter {
    std::uint64_t start_us = 0;
    std::uint64_t end_us = 0;
    std::string title;
};

// The chapters as segments in time order: a chapter without an end ends
// where the next begins, the last at the file's end; ends past the file
// are cut to it. A chapter starting at or past the file's end is a fault
// (where = its number from 1, in the order given).
ReadResult segmentsFromChapters(const std::vector<SourceChapter> &chapters, std::uint64_t duration_us);

// Segments against the file they are meant for: what lies past its end
// is cut off; segments wholly past it are left out and named.
struct Fit {
    SegmentList segments;
    std::vector<std::size_t> clipped; // indices (from 0) of segments cut short
    std::vector<std::size_t> outside; // indices of segments left out
};
Fit fitToDuration(const SegmentList &segments, std::uint64_t duration_us);

} // namespace cutlist
