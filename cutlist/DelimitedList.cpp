// CSV and TSV: "start,end,label" a line, as spreadsheets and other
// cutters write them. Quoting follows RFC 4180 (doubled quotes inside
// quotes), except that a quoted label may not run on to the next line:
// no other format can carry such a label.
#include "CutListFormats.h"
#include "CutListText.h"

#include <algorithm>

namespace cutlist::formats {

namespace {

struct Field {
    std::string value;
    bool quoted = false;
};

// Splits one line; false for a quote that is not closed or is followed
// by something other than the separator.
bool splitFields(std::string_view line, char separator, std::vector<Field> &fields)
{
    fields.clear();
    std::size_t i = 0;
    while (true) {
        Field field;
        while (i < line.size() && line[i] == ' ' && separator != ' ')
            ++i;
        if (i < line.size() && line[i] == '"') {
            field.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field.value += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                field.value += line[i++];
            }
            if (!closed)
                return false;
            while (i < line.size() && line[i] == ' ')
                ++i;
            if (i < line.size() && line[i] != separator)
                return false;
        } else {
            const std::size_t end = std::min(line.find(separator, i), line.size());
            field.value = std::string(text::trim(line.substr(i, end - i)));
            i = end;
        }
        fields.push_back(std::move(field));
        if (i >= line.size())
            return true;
        ++i; // the separator
    }
}

bool hasLetter(std::string_view s)
{
    for (const char c : s) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
            return true;
    }
    return false;
}

ErrorKind timeFault(text::TimeParse parse)
{
    switch (parse) {
    case text::TimeParse::Negative:
        return ErrorKind::NegativeTime;
    case text::TimeParse::TooLarge:
        return ErrorKind::TimeTooLarge;
    default:
        return ErrorKind::BadTime;
    }
}

bool needsQuotes(std::string_view label, char separator)
{
    return label.find(separator) != std::string_view::npos || label.find('"') != std::string_view::npos
        || (!label.empty() && (label.front() == ' ' || label.back() == ' ' || label.front() == '\t'
                               || label.back() == '\t'));
}

} // namespace

ReadResult readDelimited(std::string_view text, char separator, const ReadOptions &options)
{
    const std::vector<std::string_view> lines = text::splitLines(text);
    ReadResult result;
    std::vector<Field> fields;
    bool first = true;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::size_t lineNo = n + 1;
        if (text::trim(lines[n]).empty())
            continue;
        if (!splitFields(lines[n], separator, fields))
            return readFault(ErrorKind::BadQuote, lineNo, lines[n]);
        // Spreadsheets pad rows with empty cells.
        while (fields.size() > 1 && fields.back().value.empty() && !fields.back().quoted)
            fields.pop_back();
        const bool wasFirst = first;
        first = false;
        Segment segment;
        const text::TimeParse start = text::parseTime(fields[0].value, segment.start_us);
        if (start != text::TimeParse::Ok) {
            // A first row of names ("start,end,label") is a header.
            if (wasFirst && start == text::TimeParse::Bad && hasLetter(fields[0].value))
                continue;
            if (fields[0].value.empty())
                return readFault(ErrorKind::MissingStart, lineNo);
            return readFault(timeFault(start), lineNo, fields[0].value);
        }
        if (fields.size() > 3)
            return readFault(ErrorKind::TooManyFields, lineNo, fields[3].value);
        if (fields.size() < 2 || fields[1].value.empty()) {
            if (options.duration_us && segment.start_us >= options.duration_us)
                return readFault(ErrorKind::PastEnd, lineNo, fields[0].value);
            segment.end_us = options.duration_us;
        } else {
            const text::TimeParse end = text::parseTime(fields[1].value, segment.end_us);
            if (end != text::TimeParse::Ok)
                return readFault(timeFault(end), lineNo, fields[1].value);
            if (segment.end_us <= segment.start_us)
                return readFault(ErrorKind::EndNotAfterStart, lineNo, fields[1].value);
        }
        if (fields.size() == 3)
            segment.label = std::move(fields[2].value);
        result.segments.push_back(std::move(segment));
    }
    if (result.segments.empty())
        return readFault(ErrorKind::Empty, 0);
    return result;
}

WriteResult writeDelimited(const SegmentList &segments, char separator)
{
    WriteResult result;
    std::string &out = result.text;
    out += "start";
    out += separator;
    out += "end";
    out += separator;
    out += "label\n";
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const Segment &s = segments[i];
        if (s.start_us > kMaxTimeUs || s.end_us > kMaxTimeUs)
            return writeFault(ErrorKind::TimeTooLarge, i + 1);
        if (s.end_us && s.end_us <= s.start_us)
            return writeFault(ErrorKind::EndNotAfterStart, i + 1);
        if (text::hasLineBreak(s.label))
            return writeFault(ErrorKind::LineBreakInLabel, i + 1, s.label);
        out += text::formatClock(s.start_us);
        out += separator;
        if (s.end_us)
            out += text::formatClock(s.end_us);
        out += separator;
        if (needsQuotes(s.label, separator)) {
            out += '"';
            for (const char c : s.label) {
                if (c == '"')
                    out += '"';
                out += c;
            }
            out += '"';
        } else {
            out += s.label;
        }
        out += '\n';
    }
    return result;
}

} // namespace cutlist::formats
