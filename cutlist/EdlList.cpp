// CMX3600 edit decision lists. Each event line names a reel, its
// channels, a transition and four timecodes: source in and out, record in
// and out. We take the source side, in the order of the list, and the
// clip name comments as labels. Timecodes count the source's frames;
// at 29.97 and 59.94 they may drop frame numbers (";" before the frames,
// or "FCM: DROP FRAME" above).
#include "CutListFormats.h"
#include "CutListText.h"

#include <cstdio>

namespace cutlist::formats {

namespace {

std::vector<std::string_view> tokens(std::string_view line)
{
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const std::size_t begin = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > begin)
            out.push_back(line.substr(begin, i - begin));
    }
    return out;
}

struct Event {
    std::string number;
    std::uint64_t in = 0; // frames
    std::uint64_t out = 0;
    std::size_t line = 0;
    bool transition = false;
    bool labelFromTo = false;
    std::string label;
};

// Lines that describe effects or audio routing; the cut points stand
// without them.
bool effectLine(std::string_view line)
{
    for (const std::string_view key : {"M2 ", "M2\t", "SPLIT:", ">>>", "AUD ", "AUD\t", "SWM "}) {
        if (text::startsWithNoCase(line, key))
            return true;
    }
    return false;
}

} // namespace

ReadResult readEdl(std::string_view text, const ReadOptions &options)
{
    text::TimecodeClock clock;
    if (!makeClock(options.rate, clock))
        return readFault(ErrorKind::BadFrameRate, 0);
    const std::vector<std::string_view> lines = text::splitLines(text);
    std::vector<Event> events;
    bool dropFrame = false;
    bool afterBlack = false; // comments after a black event are its own
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::size_t lineNo = n + 1;
        const std::string_view line = text::trim(lines[n]);
        if (line.empty() || text::startsWithNoCase(line, "TITLE:") || effectLine(line))
            continue;
        if (text::startsWithNoCase(line, "FCM:")) {
            const std::string_view mode = text::trim(line.substr(4));
            if (text::startsWithNoCase(mode, "NON-DROP") || text::startsWithNoCase(mode, "NON DROP")) {
                dropFrame = false;
            } else if (text::startsWithNoCase(mode, "DROP")) {
                if (!clock.dropPerMinute)
                    return readFault(ErrorKind::BadFrameRate, lineNo, mode);
                dropFrame = true;
            } else {
                return readFault(ErrorKind::Unrecognised, lineNo, line);
            }
            continue;
        }
        if (line.front() == '*') {
            if (events.empty() || afterBlack)
                continue;
            const std::string_view comment = text::trim(line.substr(1));
            Event &event = events.back();
            if (text::startsWithNoCase(comment, "FROM CLIP NAME:") && !event.labelFromTo) {
                event.label = std::string(text::trim(comment.substr(15)));
            } else if (text::startsWithNoCase(comment, "TO CLIP NAME:") && event.transition) {
                // In a transition the clip it goes to is the event's own.
                event.label = std::string(text::trim(comment.substr(13)));
                event.labelFromTo = true;
            }
            continue;
        }
        const std::vector<std::string_view> t = tokens(line);
        if (t.size() < 8 || t.size() > 10 || !text::isDigits(t[0]) || t[0].size() > 6)
            return readFault(ErrorKind::Unrecognised, lineNo, line);
        std::uint64_t frames[4];
        for (std::size_t k = 0; k < 4; ++k) {
            const std::string_view tc = t[t.size() - 4 + k];
            switch (text::parseTimecode(tc, clock, dropFrame, frames[k])) {
            case text::TimecodeParse::Ok:
                break;
            case text::TimecodeParse::NoDropFrameAtRate:
                return readFault(ErrorKind::BadFrameRate, lineNo, tc);
            default:
                return readFault(ErrorKind::BadTimecode, lineNo, tc);
            }
        }
        // Black and colour bars come from no source.
        afterBlack = t[1] == "BL" || t[1] == "BLK" || t[1] == "BLACK";
        if (afterBlack)
            continue;
        Event event;
        event.number = std::string(t[0]);
        event.in = frames[0];
        event.out = frames[1];
        event.line = lineNo;
        event.transition = t[3] != "C";
        if (!events.empty() && events.back().number == event.number) {
            Event &before = events.back();
            // A dissolve's first line is the outgoing clip at no length;
            // the second line, the transition, is the event.
            if (before.in == before.out && event.transition) {
                before = std::move(event);
                continue;
            }
            // The same cut again for another channel.
            if (before.in == event.in && before.out == event.out)
                continue;
        }
        events.push_back(std::move(event));
    }
    if (events.empty())
        return readFault(ErrorKind::Empty, 0);
    ReadResult result;
    for (const Event &event : events) {
        if (event.out <= event.in)
            return readFault(ErrorKind::EndNotAfterStart, event.line,
                             formatTimecode(event.out, clock, dropFrame && clock.dropPerMinute));
        Segment segment;
        segment.start_us = text::framesToUs(event.in, clock.num, clock.den);
        segment.end_us = text::framesToUs(event.out, clock.num, clock.den);
        segment.label = event.label;
        result.segments.push_back(std::move(segment));
    }
    return result;
}

WriteResult writeEdl(const SegmentList &segments, const WriteOptions &options)
{
    text::TimecodeClock clock;
    if (!makeClock(options.rate, clock))
        return writeFault(ErrorKind::BadFrameRate, 0);
    if (segments.empty())
        return writeFault(ErrorKind::Empty, 0);
    if (segments.size() > 999)
        return writeFault(ErrorKind::TooMany, 1000);
    const bool dropFrame = options.dropFrame && clock.dropPerMinute;
    // Timecodes stop at 99:59:59 and the last frame of it.
    const std::uint64_t limit = clock.dropPerMinute
        ? 100 * (std::uint64_t{clock.nominal} * 3600 - clock.dropPerMinute * 54)
        : std::uint64_t{100} * 3600 * clock.nominal;
    WriteResult result;
    std::string &out = result.text;
    out += "TITLE: ";
    out += options.title.empty() ? std::string("CUT LIST") : options.title;
    out += dropFrame ? "\nFCM: DROP FRAME\n\n" : "\nFCM: NON-DROP FRAME\n\n";
    std::uint64_t record = 0;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const Segment &s = segments[i];
        if (text::hasLineBreak(s.label) || text::hasLineBreak(options.title))
            return writeFault(ErrorKind::LineBreakInLabel, i + 1, s.label);
        std::uint64_t endUs = s.end_us;
        if (!endUs) {
            if (!options.duration_us)
                return writeFault(ErrorKind::OpenEnd, i + 1);
            endUs = options.duration_us;
        }
        if (s.start_us > kMaxTimeUs || endUs > kMaxTimeUs)
            return writeFault(ErrorKind::TimeTooLarge, i + 1);
        const std::uint64_t in = text::usToFrames(s.start_us, clock.num, clock.den);
        const std::uint64_t outF = text::usToFrames(endUs, clock.num, clock.den);
        if (outF <= in)
            return writeFault(ErrorKind::EndNotAfterStart, i + 1);
        if (outF >= limit || record + (outF - in) >= limit)
            return writeFault(ErrorKind::TimeTooLarge, i + 1);
        char head[64];
        std::snprintf(head, sizeof head, "%03zu  AX       AA/V  C        ", i + 1);
        out += head;
        out += text::formatTimecode(in, clock, dropFrame) + ' ';
        out += text::formatTimecode(outF, clock, dropFrame) + ' ';
        out += text::formatTimecode(record, clock, dropFrame) + ' ';
        record += outF - in;
        out += text::formatTimecode(record, clock, dropFrame) + '\n';
        if (!s.label.empty())
            out += "* FROM CLIP NAME: " + s.label + '\n';
        out += '\n';
    }
    return result;
}

} // namespace cutlist::formats
