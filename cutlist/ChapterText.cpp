// Chapter text as video sites read it from a description: one
// "[h:]m:ss Title" a line, each chapter running until the next one, the
// last to the end of the file. Sites want the first at 0:00; we write it
// so and read lists that begin later.
#include "CutListFormats.h"
#include "CutListText.h"

#include <algorithm>

#include <cstdio>

namespace cutlist::formats {

namespace {

constexpr std::uint64_t kSecond = 1000000;

std::uint64_t nearestSecond(std::uint64_t us) { return (us + kSecond / 2) / kSecond; }

std::string formatChapterTime(std::uint64_t seconds)
{
    char buffer[48];
    if (seconds >= 3600)
        std::snprintf(buffer, sizeof buffer, "%llu:%02llu:%02llu", static_cast<unsigned long long>(seconds / 3600),
                      static_cast<unsigned long long>(seconds / 60 % 60),
                      static_cast<unsigned long long>(seconds % 60));
    else
        std::snprintf(buffer, sizeof buffer, "%llu:%02llu", static_cast<unsigned long long>(seconds / 60),
                      static_cast<unsigned long long>(seconds % 60));
    return buffer;
}

// The title after the time, without a dash or colon people put between.
std::string_view titleOf(std::string_view rest)
{
    rest = text::trim(rest);
    for (const std::string_view mark : {"-", "\xE2\x80\x93", "\xE2\x80\x94", ":", "|"}) {
        if (rest.substr(0, mark.size()) == mark) {
            rest.remove_prefix(mark.size());
            break;
        }
    }
    return text::trim(rest);
}

} // namespace

ReadResult readChapterText(std::string_view text, const ReadOptions &options)
{
    const std::vector<std::string_view> lines = text::splitLines(text);
    ReadResult result;
    std::vector<std::size_t> lineOf;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::size_t lineNo = n + 1;
        const std::string_view line = text::trim(lines[n]);
        if (line.empty())
            continue;
        const std::size_t timeEnd = std::min(line.find_first_not_of("0123456789:"), line.size());
        const std::string_view time = line.substr(0, timeEnd);
        if (time.find(':') == std::string_view::npos || (timeEnd < line.size() && line[timeEnd] != ' '
                                                         && line[timeEnd] != '\t'))
            return readFault(ErrorKind::Unrecognised, lineNo, line);
        Segment segment;
        switch (text::parseTime(time, segment.start_us)) {
        case text::TimeParse::Ok:
            break;
        case text::TimeParse::TooLarge:
            return readFault(ErrorKind::TimeTooLarge, lineNo, time);
        default:
            return readFault(ErrorKind::BadTime, lineNo, time);
        }
        if (!result.segments.empty() && segment.start_us <= result.segments.back().start_us)
            return readFault(ErrorKind::NotInOrder, lineNo, time);
        if (options.duration_us && segment.start_us >= options.duration_us)
            return readFault(ErrorKind::PastEnd, lineNo, time);
        segment.label = std::string(titleOf(line.substr(timeEnd)));
        if (!result.segments.empty())
            result.segments.back().end_us = segment.start_us;
        segment.end_us = options.duration_us;
        result.segments.push_back(std::move(segment));
    }
    if (result.segments.empty())
        return readFault(ErrorKind::Empty, 0);
    return result;
}

WriteResult writeChapterText(const SegmentList &segments, const WriteOptions &options)
{
    if (segments.empty())
        return writeFault(ErrorKind::Empty, 0);
    WriteResult result;
    const std::uint64_t fileEnd = nearestSecond(options.duration_us);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const Segment &s = segments[i];
        const std::uint64_t start = nearestSecond(s.start_us);
        const std::uint64_t end = nearestSecond(s.end_us);
        if (s.start_us > kMaxTimeUs || s.end_us > kMaxTimeUs)
            return writeFault(ErrorKind::TimeTooLarge, i + 1);
        if (text::hasLineBreak(s.label))
            return writeFault(ErrorKind::LineBreakInLabel, i + 1, s.label);
        if (i == 0 && start != 0)
            return writeFault(ErrorKind::FirstNotAtZero, 1, formatChapterTime(start));
        if (s.end_us && end <= start)
            return writeFault(ErrorKind::EndNotAfterStart, i + 1);
        if (i + 1 < segments.size()) {
            const std::uint64_t next = nearestSecond(segments[i + 1].start_us);
            if (next <= start)
                return writeFault(ErrorKind::NotInOrder, i + 2, formatChapterTime(next));
            // Chapters cannot leave anything out: each one ends where the
            // next begins.
            if (end != next)
                return writeFault(ErrorKind::Gap, i + 1, formatChapterTime(end));
        } else if (s.end_us && (!fileEnd || end < fileEnd)) {
            return writeFault(ErrorKind::LastNotAtEnd, i + 1, formatChapterTime(end));
        }
        result.text += formatChapterTime(start);
        if (!s.label.empty()) {
            result.text += ' ';
            // A title that begins like a separator keeps it behind one.
            if (titleOf(s.label) != s.label)
                result.text += "- ";
            result.text += s.label;
        }
        result.text += '\n';
    }
    return result;
}

} // namespace cutlist::formats
