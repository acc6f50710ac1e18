#include "CutListText.h"

#include <cstdio>

namespace cutlist::text {

namespace {

// Windows-1252 0x80..0x9F; 0 marks the five bytes it leaves unassigned.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool validUtf8(std::string_view s)
{
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if ((c & 0xE0) == 0xC0) {
            len = 2, cp = c & 0x1F, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3, cp = c & 0x0F, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4, cp = c & 0x07, min = 0x10000;
        } else {
            return false;
        }
        if (n - i < len)
            return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

bool utf16ToUtf8(std::string_view bytes, bool bigEndian, std::string &out)
{
    if (bytes.size() % 2)
        return false;
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    out.clear();
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 2 >= bytes.size())
                return false;
            const char32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF)
                return false;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return false;
        }
        appendUtf8(out, c);
    }
    return true;
}

bool cp1252ToUtf8(std::string_view bytes, std::string &out)
{
    out.clear();
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 && c < 0xA0) {
            if (!kCp1252High[c - 0x80])
                return false;
            appendUtf8(out, kCp1252High[c - 0x80]);
        } else {
            appendUtf8(out, c);
        }
    }
    return true;
}

// Control characters other than tab and line ends mark a binary file.
bool plainText(std::string_view s)
{
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F)
            return false;
    }
    return true;
}

bool digit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool decode(std::string_view bytes, std::string &utf8)
{
    bool ok = false;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        utf8.assign(bytes.substr(3));
        ok = validUtf8(utf8);
    } else if (bytes.substr(0, 2) == "\xFF\xFE") {
        ok = utf16ToUtf8(bytes.substr(2), false, utf8);
    } else if (bytes.substr(0, 2) == "\xFE\xFF") {
        ok = utf16ToUtf8(bytes.substr(2), true, utf8);
    } else if (validUtf8(bytes)) {
        utf8.assign(bytes);
        ok = true;
    } else {
        ok = cp1252ToUtf8(bytes, utf8);
    }
    if (!ok || !plainText(utf8)) {
        utf8.clear();
        return false;
    }
    return true;
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            lines.push_back(text.substr(begin, i - begin));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            begin = i + 1;
        }
    }
    if (begin < text.size())
        lines.push_back(text.substr(begin));
    return lines;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix)
{
    if (s.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char a = s[i];
        char b = prefix[i];
        if (a >= 'a' && a <= 'z')
            a = static_cast<char>(a - 'a' + 'A');
        if (b >= 'a' && b <= 'z')
            b = static_cast<char>(b - 'a' + 'A');
        if (a != b)
            return false;
    }
    return true;
}

bool isDigits(std::string_view s)
{
    if (s.empty())
        return false;
    for (const char c : s) {
        if (!digit(c))
            return false;
    }
    return true;
}

bool hasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

TimeParse parseTime(std::string_view s, std::uint64_t &us)
{
    s = trim(s);
    if (s.size() > 1 && s.front() == '-' && digit(s[1]))
        return TimeParse::Negative;
    std::string_view fraction;
    if (const std::size_t dot = s.find('.'); dot != std::string_view::npos) {
        fraction = s.substr(dot + 1);
        s = s.substr(0, dot);
        if (!isDigits(fraction))
            return TimeParse::Bad;
    }
    std::string_view fields[3];
    int count = 0;
    while (true) {
        const std::size_t colon = s.find(':');
        if (count == 3)
            return TimeParse::Bad;
        fields[count++] = s.substr(0, colon);
        if (colon == std::string_view::npos)
            break;
        s = s.substr(colon + 1);
    }
    for (int i = 0; i < count; ++i) {
        if (!isDigits(fields[i]))
            return TimeParse::Bad;
        // Fields after the first are two digits; the first is bounded so
        // the sums below cannot overflow.
        if ((i > 0 && fields[i].size() != 2) || fields[i].size() > 12)
            return TimeParse::Bad;
    }
    std::uint64_t values[3] = {0, 0, 0};
    for (int i = 0; i < count; ++i) {
        for (const char c : fields[i])
            values[i] = values[i] * 10 + static_cast<std::uint64_t>(c - '0');
    }
    std::uint64_t seconds = 0;
    if (count == 1) {
        seconds = values[0];
    } else if (count == 2) {
        if (values[1] >= 60)
            return TimeParse::Bad;
        seconds = values[0] * 60 + values[1];
    } else {
        if (values[1] >= 60 || values[2] >= 60)
            return TimeParse::Bad;
        seconds = values[0] * 3600 + values[1] * 60 + values[2];
    }
    // Microseconds of the fraction, rounded on its seventh digit.
    std::uint64_t micro = 0;
    for (std::size_t i = 0; i < 6; ++i)
        micro = micro * 10 + (i < fraction.size() ? static_cast<std::uint64_t>(fraction[i] - '0') : 0);
    if (fraction.size() > 6 && fraction[6] >= '5')
        ++micro;
    if (seconds > kMaxTimeUs / 1000000)
        return TimeParse::TooLarge;
    us = seconds * 1000000 + micro;
    if (us > kMaxTimeUs)
        return TimeParse::TooLarge;
    return TimeParse::Ok;
}

std::string formatClock(std::uint64_t us)
{
    const std::uint64_t micro = us % 1000000;
    const std::uint64_t seconds = us / 1000000;
    char buffer[64];
    const unsigned long long h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
    if (micro % 1000 == 0)
        std::snprintf(buffer, sizeof buffer, "%02llu:%02llu:%02llu.%03llu", h, m, s,
                      static_cast<unsigned long long>(micro / 1000));
    else
        std::snprintf(buffer, sizeof buffer, "%02llu:%02llu:%02llu.%06llu", h, m, s,
                      static_cast<unsigned long long>(micro));
    return buffer;
}

bool makeClock(const FrameRate &rate, TimecodeClock &clock)
{
    if (rate.den < 1 || rate.den > 10000 || rate.num < rate.den || rate.num / rate.den > 1000
        || rate.num > 10000000)
        return false;
    clock.num = rate.num;
    clock.den = rate.den;
    clock.nominal = (rate.num + rate.den / 2) / rate.den;
    clock.dropPerMinute = 0;
    if (rate.den == 1001 && rate.num == 30000)
        clock.dropPerMinute = 2;
    else if (rate.den == 1001 && rate.num == 60000)
        clock.dropPerMinute = 4;
    return true;
}

TimecodeParse parseTimecode(std::string_view s, const TimecodeClock &clock, bool dropFrame, std::uint64_t &frames)
{
    if (s.size() != 11)
        return TimecodeParse::Bad;
    std::uint64_t v[4];
    for (int i = 0; i < 4; ++i) {
        const std::string_view field = s.substr(static_cast<std::size_t>(i) * 3, 2);
        if (!isDigits(field))
            return TimecodeParse::Bad;
        v[i] = static_cast<std::uint64_t>((field[0] - '0') * 10 + (field[1] - '0'));
        if (i < 3) {
            const char sep = s[static_cast<std::size_t>(i) * 3 + 2];
            if (sep == ';')
                dropFrame = true;
            else if (sep != ':')
                return TimecodeParse::Bad;
        }
    }
    const std::uint64_t h = v[0], m = v[1], sec = v[2], f = v[3];
    if (m >= 60 || sec >= 60 || f >= clock.nominal)
        return TimecodeParse::Bad;
    frames = (h * 3600 + m * 60 + sec) * clock.nominal + f;
    if (dropFrame) {
        if (!clock.dropPerMinute)
            return TimecodeParse::NoDropFrameAtRate;
        // Each minute but every tenth skips its first frame numbers.
        if (sec == 0 && f < clock.dropPerMinute && m % 10 != 0)
            return TimecodeParse::Bad;
        const std::uint64_t minutes = h * 60 + m;
        frames -= clock.dropPerMinute * (minutes - minutes / 10);
    }
    return TimecodeParse::Ok;
}

std::string formatTimecode(std::uint64_t frames, const TimecodeClock &clock, bool dropFrame)
{
    dropFrame = dropFrame && clock.dropPerMinute;
    if (dropFrame) {
        const std::uint64_t drop = clock.dropPerMinute;
        const std::uint64_t perMinute = clock.nominal * 60 - drop;
        const std::uint64_t perTenMinutes = clock.nominal * 600 - drop * 9;
        const std::uint64_t tens = frames / perTenMinutes;
        const std::uint64_t rest = frames % perTenMinutes;
        frames += drop * 9 * tens;
        if (rest > drop)
            frames += drop * ((rest - drop) / perMinute);
    }
    const std::uint64_t f = frames % clock.nominal;
    const std::uint64_t seconds = frames / clock.nominal;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02llu:%02llu:%02llu%c%02llu",
                  static_cast<unsigned long long>(seconds / 3600),
                  static_cast<unsigned long long>(seconds / 60 % 60),
                  static_cast<unsigned long long>(seconds % 60), dropFrame ? ';' : ':',
                  static_cast<unsigned long long>(f));
    return buffer;
}

std::uint64_t framesToUs(std::uint64_t frames, std::uint64_t num, std::uint64_t den)
{
    // Split so that no product leaves 64 bits for any rate makeClock takes.
    const std::uint64_t whole = frames / num;
    const std::uint64_t part = frames % num;
    return whole * den * 1000000 + (part * den * 1000000 + num / 2) / num;
}

std::uint64_t usToFrames(std::uint64_t us, std::uint64_t num, std::uint64_t den)
{
    const std::uint64_t unit = den * 1000000;
    return us / unit * num + (us % unit * num + unit / 2) / unit;
}

} // namespace cutlist::text
