// CUE sheets: TRACK entries with a TITLE and INDEX 01 at "mm:ss:ff",
// 75 frames a second, minutes going past 99 on long files. A track runs
// until the next one's pregap (INDEX 00) or, without one, its INDEX 01;
// the last to the end of the file. So a gap between segments is written
// as the next track's pregap and read back as a gap.
#include "CutListFormats.h"
#include "CutListText.h"

#include <algorithm>

#include <cstdio>

namespace cutlist::formats {

namespace {

constexpr std::uint64_t kCueFrames = 75;

struct Track {
    std::size_t line = 0;
    std::string label;
    bool hasPregap = false;
    std::uint64_t pregap = 0; // frames
    bool hasStart = false;
    std::uint64_t start = 0;
    std::size_t startLine = 0;
};

std::string_view keyword(std::string_view line, std::string_view &rest)
{
    const std::size_t end = std::min(line.find_first_of(" \t"), line.size());
    rest = text::trim(line.substr(end));
    return line.substr(0, end);
}

bool sameWord(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && text::startsWithNoCase(a, b);
}

// "mm:ss:ff"; minutes have as many digits as the file needs.
bool parseCueTime(std::string_view s, std::uint64_t &frames)
{
    const std::size_t first = s.find(':');
    if (first == std::string_view::npos || first == 0 || first > 6 || s.size() != first + 6 || s[first + 3] != ':')
        return false;
    const std::string_view mm = s.substr(0, first), ss = s.substr(first + 1, 2), ff = s.substr(first + 4, 2);
    if (!text::isDigits(mm) || !text::isDigits(ss) || !text::isDigits(ff))
        return false;
    std::uint64_t minutes = 0;
    for (const char c : mm)
        minutes = minutes * 10 + static_cast<std::uint64_t>(c - '0');
    const auto two = [](std::string_view d) { return static_cast<std::uint64_t>((d[0] - '0') * 10 + (d[1] - '0')); };
    if (two(ss) >= 60 || two(ff) >= kCueFrames)
        return false;
    frames = (minutes * 60 + two(ss)) * kCueFrames + two(ff);
    return true;
}

std::string formatCueTime(std::uint64_t frames)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02llu:%02llu:%02llu",
                  static_cast<unsigned long long>(frames / kCueFrames / 60),
                  static_cast<unsigned long long>(frames / kCueFrames % 60),
                  static_cast<unsigned long long>(frames % kCueFrames));
    return buffer;
}

// The sheet has no escape for quotes: a quoted text runs from the first
// quote to the last on the line, so quotes inside survive.
bool parseCueString(std::string_view rest, std::string &out)
{
    if (rest.empty() || rest.front() != '"') {
        out = std::string(rest);
        return true;
    }
    if (rest.size() < 2 || rest.back() != '"')
        return false;
    out = std::string(rest.substr(1, rest.size() - 2));
    return true;
}

std::string fileType(const std::string &name)
{
    const std::size_t dot = name.rfind('.');
    const std::string_view suffix = dot == std::string::npos ? std::string_view() : std::string_view(name).substr(dot + 1);
    if (sameWord(suffix, "mp3"))
        return "MP3";
    if (sameWord(suffix, "aif") || sameWord(suffix, "aiff"))
        return "AIFF";
    // Players take WAVE for any file they can decode.
    return "WAVE";
}

} // namespace

ReadResult readCue(std::string_view text, const ReadOptions &options)
{
    const std::vector<std::string_view> lines = text::splitLines(text);
    std::vector<Track> tracks;
    bool sawFile = false;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::size_t lineNo = n + 1;
        const std::string_view line = text::trim(lines[n]);
        if (line.empty())
            continue;
        std::string_view rest;
        const std::string_view key = keyword(line, rest);
        if (sameWord(key, "REM") || sameWord(key, "PERFORMER") || sameWord(key, "SONGWRITER")
            || sameWord(key, "CATALOG") || sameWord(key, "CDTEXTFILE") || sameWord(key, "ISRC")
            || sameWord(key, "FLAGS") || sameWord(key, "PREGAP") || sameWord(key, "POSTGAP"))
            continue;
        if (sameWord(key, "FILE")) {
            if (sawFile)
                return readFault(ErrorKind::SecondFile, lineNo, rest);
            sawFile = true;
        } else if (sameWord(key, "TRACK")) {
            std::string_view type;
            const std::string_view number = keyword(rest, type);
            if (!text::isDigits(number) || number.size() > 3 || type.empty())
                return readFault(ErrorKind::Unrecognised, lineNo, line);
            if (!tracks.empty() && !tracks.back().hasStart)
                return readFault(ErrorKind::MissingIndex, tracks.back().line);
            Track track;
            track.line = lineNo;
            tracks.push_back(std::move(track));
        } else if (sameWord(key, "TITLE")) {
            std::string title;
            if (!parseCueString(rest, title))
                return readFault(ErrorKind::BadQuote, lineNo, rest);
            if (!tracks.empty())
                tracks.back().label = std::move(title);
        } else if (sameWord(key, "INDEX")) {
            std::string_view time;
            const std::string_view number = keyword(rest, time);
            if (tracks.empty() || !text::isDigits(number) || number.size() > 2)
                return readFault(ErrorKind::Unrecognised, lineNo, line);
            std::uint64_t frames = 0;
            if (!parseCueTime(time, frames))
                return readFault(ErrorKind::BadTime, lineNo, time);
            Track &track = tracks.back();
            if (number == "00" || number == "0") {
                track.hasPregap = true;
                track.pregap = frames;
            } else if (number == "01" || number == "1") {
                track.hasStart = true;
                track.start = frames;
                track.startLine = lineNo;
            }
            // Further indexes mark places inside a track; the cut ignores them.
        } else {
            return readFault(ErrorKind::Unrecognised, lineNo, line);
        }
    }
    if (tracks.empty())
        return readFault(ErrorKind::Empty, 0);
    if (!tracks.back().hasStart)
        return readFault(ErrorKind::MissingIndex, tracks.back().line);
    ReadResult result;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const Track &track = tracks[i];
        if (track.hasPregap && track.pregap > track.start)
            return readFault(ErrorKind::NotInOrder, track.startLine, formatCueTime(track.start));
        Segment segment;
        segment.start_us = text::framesToUs(track.start, kCueFrames, 1);
        if (segment.start_us > kMaxTimeUs)
            return readFault(ErrorKind::TimeTooLarge, track.startLine, formatCueTime(track.start));
        if (i > 0) {
            const Track &before = tracks[i - 1];
            const std::uint64_t beforeEnd = track.hasPregap ? track.pregap : track.start;
            if (beforeEnd <= before.start)
                return readFault(ErrorKind::NotInOrder, track.startLine, formatCueTime(track.start));
            result.segments.back().end_us = text::framesToUs(beforeEnd, kCueFrames, 1);
        }
        if (options.duration_us && segment.start_us >= options.duration_us)
            return readFault(ErrorKind::PastEnd, track.startLine, formatCueTime(track.start));
        segment.end_us = options.duration_us;
        segment.label = track.label;
        result.segments.push_back(std::move(segment));
    }
    return result;
}

WriteResult writeCue(const SegmentList &segments, const WriteOptions &options)
{
    if (segments.empty())
        return writeFault(ErrorKind::Empty, 0);
    if (segments.size() > 99)
        return writeFault(ErrorKind::TooMany, 100);
    if (text::hasLineBreak(options.title) || text::hasLineBreak(options.fileName))
        return writeFault(ErrorKind::LineBreakInLabel, 0, options.title);
    WriteResult result;
    std::string &out = result.text;
    if (!options.title.empty())
        out += "TITLE \"" + options.title + "\"\n";
    if (!options.fileName.empty())
        out += "FILE \"" + options.fileName + "\" " + fileType(options.fileName) + '\n';
    const std::uint64_t fileEnd = text::usToFrames(options.duration_us, kCueFrames, 1);
    std::uint64_t previousEnd = 0;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const Segment &s = segments[i];
        if (s.start_us > kMaxTimeUs || s.end_us > kMaxTimeUs)
            return writeFault(ErrorKind::TimeTooLarge, i + 1);
        if (text::hasLineBreak(s.label))
            return writeFault(ErrorKind::LineBreakInLabel, i + 1, s.label);
        const std::uint64_t start = text::usToFrames(s.start_us, kCueFrames, 1);
        const std::uint64_t end = text::usToFrames(s.end_us, kCueFrames, 1);
        if (s.end_us && end <= start)
            return writeFault(ErrorKind::EndNotAfterStart, i + 1);
        const bool last = i + 1 == segments.size();
        if (i > 0 && start < previousEnd)
            return writeFault(ErrorKind::NotInOrder, i + 1, formatCueTime(start));
        if (!last && !s.end_us)
            return writeFault(ErrorKind::NotInOrder, i + 2);
        if (last && s.end_us && (!fileEnd || end < fileEnd))
            return writeFault(ErrorKind::LastNotAtEnd, i + 1, formatCueTime(end));
        char head[48];
        std::snprintf(head, sizeof head, "  TRACK %02zu AUDIO\n", i + 1);
        out += head;
        if (!s.label.empty())
            out += "    TITLE \"" + s.label + "\"\n";
        if (i > 0 && previousEnd < start)
            out += "    INDEX 00 " + formatCueTime(previousEnd) + '\n';
        out += "    INDEX 01 " + formatCueTime(start) + '\n';
        previousEnd = end;
    }
    return result;
}

} // namespace cutlist::formats
