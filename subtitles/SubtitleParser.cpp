#include "SubtitleParser.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace subtitles {

namespace {

constexpr double kMicroDvdDefaultRate = 24000.0 / 1001.0;

std::vector<std::string> splitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::string cur;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        lines.push_back(cur);
    return lines;
}

std::string trim(const std::string &s)
{
    size_t a = 0;
    size_t b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t'))
        ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t'))
        --b;
    return s.substr(a, b - a);
}

bool startsWithNoCase(const std::string &s, const char *prefix)
{
    size_t i = 0;
    for (; prefix[i]; ++i)
        if (i >= s.size() || std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

// Reads up to maxDigits decimal digits at pos; false when there is none.
bool readNumber(const std::string &s, size_t &pos, int maxDigits, int64_t &value, int *digits = nullptr)
{
    int n = 0;
    value = 0;
    while (pos < s.size() && n < maxDigits && std::isdigit(static_cast<unsigned char>(s[pos]))) {
        value = value * 10 + (s[pos] - '0');
        ++pos;
        ++n;
    }
    if (digits)
        *digits = n;
    return n > 0;
}

// [H+:]MM:SS(,|.)fraction at pos. hoursRequired for SubRip; WebVTT may
// leave hours out. The fraction's digits are scaled (".5" is half a second).
bool readClock(const std::string &s, size_t &pos, bool hoursRequired, int64_t &us)
{
    int64_t a = 0, b = 0, c = 0, frac = 0;
    if (!readNumber(s, pos, 6, a) || pos >= s.size() || s[pos] != ':')
        return false;
    ++pos;
    if (!readNumber(s, pos, 2, b))
        return false;
    int64_t h = 0, m = a, sec = b;
    if (pos < s.size() && s[pos] == ':') {
        ++pos;
        if (!readNumber(s, pos, 2, c))
            return false;
        h = a;
        m = b;
        sec = c;
    } else if (hoursRequired) {
        return false;
    }
    if (m > 59 || sec > 59)
        return false;
    int digits = 0;
    if (pos < s.size() && (s[pos] == ',' || s[pos] == '.')) {
        ++pos;
        if (!readNumber(s, pos, 9, frac, &digits))
            return false;
    }
    int64_t fracUs = frac;
    for (int d = digits; d < 6; ++d)
        fracUs *= 10;
    for (int d = digits; d > 6; --d)
        fracUs /= 10;
    us = ((h * 60 + m) * 60 + sec) * 1000000 + fracUs;
    return true;
}

// "start --> end" with anything after the end (WebVTT cue settings, SubRip
// coordinates).
bool readTimingLine(const std::string &line, bool hoursRequired, Cue &cue)
{
    size_t pos = 0;
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
        ++pos;
    if (!readClock(line, pos, hoursRequired, cue.start_us))
        return false;
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
        ++pos;
    if (line.compare(pos, 3, "-->") != 0)
        return false;
    pos += 3;
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
        ++pos;
    if (!readClock(line, pos, hoursRequired, cue.end_us))
        return false;
    return pos == line.size() || line[pos] == ' ' || line[pos] == '\t';
}

// Blocks of SubRip and WebVTT: a timing line (perhaps after an identifier
// line) and the text lines up to the next empty line.
void readBlocks(const std::vector<std::string> &lines, size_t from, bool hoursRequired, bool webvtt,
                ParseResult &result)
{
    size_t i = from;
    while (i < lines.size()) {
        while (i < lines.size() && trim(lines[i]).empty())
            ++i;
        if (i >= lines.size())
            break;
        const size_t blockStart = i;
        if (webvtt && (startsWithNoCase(lines[i], "NOTE") || startsWithNoCase(lines[i], "STYLE")
                       || startsWithNoCase(lines[i], "REGION"))
            && lines[i].find("-->") == std::string::npos) {
            while (i < lines.size() && !trim(lines[i]).empty())
                ++i;
            continue;
        }
        Cue cue;
        bool timed = readTimingLine(lines[i], hoursRequired, cue);
        if (!timed && i + 1 < lines.size() && lines[i].find("-->") == std::string::npos) {
            timed = readTimingLine(lines[i + 1], hoursRequired, cue);
            if (timed)
                ++i;
        }
        ++i;
        std::string text;
        while (i < lines.size() && !trim(lines[i]).empty()) {
            // SubRip files without empty lines between entries exist: a
            // number followed by a timing line starts the next entry.
            if (!webvtt && i + 1 < lines.size()) {
                Cue probe;
                const std::string t = trim(lines[i]);
                if (!t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })
                    && readTimingLine(lines[i + 1], hoursRequired, probe))
                    break;
            }
            if (!text.empty())
                text += '\n';
            text += lines[i];
            ++i;
        }
        if (timed && cue.end_us >= cue.start_us) {
            cue.text = text;
            result.cues.push_back(cue);
        }
        if (i == blockStart)
            ++i;
    }
}

// Splits a SubStation field list; the last field takes the rest (the text
// may contain commas).
std::vector<std::string> splitFields(const std::string &s, size_t count)
{
    std::vector<std::string> fields;
    size_t pos = 0;
    while (fields.size() + 1 < count) {
        const size_t comma = s.find(',', pos);
        if (comma == std::string::npos)
            break;
        fields.push_back(trim(s.substr(pos, comma - pos)));
        pos = comma + 1;
    }
    fields.push_back(s.substr(std::min(pos, s.size())));
    return fields;
}

// H:MM:SS.cc of SubStation.
bool readSsaTime(const std::string &s, int64_t &us)
{
    size_t pos = 0;
    int64_t h = 0, m = 0, sec = 0, frac = 0;
    int digits = 0;
    if (!readNumber(s, pos, 6, h) || pos >= s.size() || s[pos++] != ':')
        return false;
    if (!readNumber(s, pos, 2, m) || pos >= s.size() || s[pos++] != ':')
        return false;
    if (!readNumber(s, pos, 2, sec) || m > 59 || sec > 59)
        return false;
    if (pos < s.size() && (s[pos] == '.' || s[pos] == ',')) {
        ++pos;
        if (!readNumber(s, pos, 9, frac, &digits))
            return false;
    }
    if (pos != s.size())
        return false;
    int64_t fracUs = frac;
    for (int d = digits; d < 6; ++d)
        fracUs *= 10;
    for (int d = digits; d > 6; --d)
        fracUs /= 10;
    us = ((h * 60 + m) * 60 + sec) * 1000000 + fracUs;
    return true;
}

std::string lower(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

Format formatFromFileName(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return Format::Unknown;
    const std::string ext = lower(path.substr(dot + 1));
    if (ext == "srt")
        return Format::SubRip;
    if (ext == "ass" || ext == "ssa")
        return Format::SubStation;
    if (ext == "vtt" || ext == "webvtt")
        return Format::WebVtt;
    if (ext == "sub")
        return Format::MicroDvd;
    return Format::Unknown;
}

const char *formatName(Format format)
{
    switch (format) {
    case Format::SubRip:
        return "SRT";
    case Format::SubStation:
        return "ASS";
    case Format::WebVtt:
        return "WEBVTT";
    case Format::MicroDvd:
        return "SUB";
    case Format::Unknown:
        break;
    }
    return "";
}

ParseResult parseSubRip(const std::string &utf8)
{
    ParseResult result;
    readBlocks(splitLines(utf8), 0, true, false, result);
    if (result.cues.empty())
        result.error = ParseError::NoEntries;
    return result;
}

ParseResult parseWebVtt(const std::string &utf8)
{
    ParseResult result;
    const std::vector<std::string> lines = splitLines(utf8);
    if (lines.empty() || lines[0].compare(0, 6, "WEBVTT") != 0
        || (lines[0].size() > 6 && lines[0][6] != ' ' && lines[0][6] != '\t')) {
        result.error = ParseError::NoHeader;
        return result;
    }
    // The header block runs to the first empty line.
    size_t i = 1;
    while (i < lines.size() && !trim(lines[i]).empty())
        ++i;
    readBlocks(lines, i, false, true, result);
    if (result.cues.empty())
        result.error = ParseError::NoEntries;
    return result;
}

ParseResult parseSubStation(const std::string &utf8)
{
    ParseResult result;
    const std::vector<std::string> lines = splitLines(utf8);
    size_t i = 0;
    while (i < lines.size() && trim(lines[i]).empty())
        ++i;
    if (i >= lines.size() || lower(trim(lines[i])) != "[script info]") {
        result.error = ParseError::NoHeader;
        return result;
    }
    bool inEvents = false;
    std::vector<std::string> format;
    int startField = -1, endField = -1, textField = -1;
    for (; i < lines.size(); ++i) {
        const std::string line = trim(lines[i]);
        if (!line.empty() && line.front() == '[') {
            inEvents = lower(line) == "[events]";
            continue;
        }
        if (!inEvents)
            continue;
        if (startsWithNoCase(line, "Format:")) {
            format.clear();
            startField = endField = textField = -1;
            const std::vector<std::string> names = splitFields(line.substr(7), 64);
            for (size_t f = 0; f < names.size(); ++f) {
                const std::string n = lower(trim(names[f]));
                if (n == "start")
                    startField = static_cast<int>(f);
                else if (n == "end")
                    endField = static_cast<int>(f);
                else if (n == "text")
                    textField = static_cast<int>(f);
                format.push_back(n);
            }
            continue;
        }
        if (!startsWithNoCase(line, "Dialogue:") || format.empty() || startField < 0 || endField < 0 || textField < 0)
            continue;
        const std::vector<std::string> fields = splitFields(line.substr(9), format.size());
        if (fields.size() != format.size())
            continue;
        Cue cue;
        if (!readSsaTime(trim(fields[startField]), cue.start_us) || !readSsaTime(trim(fields[endField]), cue.end_us)
            || cue.end_us < cue.start_us)
            continue;
        cue.text = fields[textField];
        result.cues.push_back(cue);
    }
    if (format.empty() || startField < 0 || endField < 0 || textField < 0)
        result.error = ParseError::NoEvents;
    else if (result.cues.empty())
        result.error = ParseError::NoEntries;
    return result;
}

ParseResult parseMicroDvd(const std::string &utf8)
{
    ParseResult result;
    result.frameRate = kMicroDvdDefaultRate;
    bool first = true;
    for (const std::string &raw : splitLines(utf8)) {
        const std::string line = trim(raw);
        if (line.empty())
            continue;
        size_t pos = 0;
        int64_t startFrame = 0, endFrame = -1;
        if (line[pos++] != '{' || !readNumber(line, pos, 12, startFrame) || pos >= line.size() || line[pos++] != '}')
            continue;
        if (pos >= line.size() || line[pos++] != '{')
            continue;
        if (!readNumber(line, pos, 12, endFrame))
            endFrame = -1;
        if (pos >= line.size() || line[pos++] != '}')
            continue;
        std::string text = line.substr(pos);
        if (first && startFrame <= 1 && endFrame <= 1) {
            // "{1}{1}25.000": the rate the frame numbers count in.
            char *end = nullptr;
            const double rate = std::strtod(text.c_str(), &end);
            if (end && end != text.c_str() && *end == '\0' && rate > 3 && rate < 100) {
                result.frameRate = rate;
                first = false;
                continue;
            }
        }
        first = false;
        if (endFrame >= 0 && endFrame < startFrame)
            continue;
        Cue cue;
        cue.start_us = static_cast<int64_t>(std::llround(startFrame * 1000000.0 / result.frameRate));
        cue.end_us = endFrame < 0 ? -1 : static_cast<int64_t>(std::llround(endFrame * 1000000.0 / result.frameRate));
        for (char &c : text)
            if (c == '|')
                c = '\n';
        cue.text = text;
        result.cues.push_back(cue);
    }
    if (result.cues.empty())
        result.error = ParseError::NoEntries;
    return result;
}

ParseResult parse(Format format, const std::string &utf8)
{
    switch (format) {
    case Format::SubRip:
        return parseSubRip(utf8);
    case Format::SubStation:
        return parseSubStation(utf8);
    case Format::WebVtt:
        return parseWebVtt(utf8);
    case Format::MicroDvd:
        return parseMicroDvd(utf8);
    case Format::Unknown:
        break;
    }
    ParseResult r;
    r.error = ParseError::NoEntries;
    return r;
}

} // namespace subtitles
