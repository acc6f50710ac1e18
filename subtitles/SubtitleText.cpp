#include "SubtitleText.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>

namespace subtitles {

namespace {

void appendCodePoint(std::string &out, uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool utf16ToUtf8(const std::string &bytes, size_t from, bool bigEndian, std::string &out)
{
    if ((bytes.size() - from) % 2 != 0)
        return false;
    out.clear();
    out.reserve(bytes.size());
    const auto unit = [&](size_t i) {
        const auto a = static_cast<uint8_t>(bytes[i]);
        const auto b = static_cast<uint8_t>(bytes[i + 1]);
        return static_cast<uint32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    for (size_t i = from; i < bytes.size(); i += 2) {
        uint32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 3 >= bytes.size())
                return false;
            const uint32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF)
                return false;
            u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            return false;
        }
        if (u == 0)
            return false;
        appendCodePoint(out, u);
    }
    return true;
}

// The characters of 0x80..0x9F; 0 marks the unassigned ones.
const uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

bool iconvToUtf8(const std::string &bytes, const std::string &from, std::string &out)
{
    iconv_t cd = iconv_open("UTF-8", from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    out.assign(bytes.size() * 4 + 16, '\0');
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = bytes.size();
    char *dst = out.data();
    size_t outLeft = out.size();
    const size_t r = iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1) || inLeft != 0)
        return false;
    out.resize(out.size() - outLeft);
    return true;
}

} // namespace

bool isValidUtf8(const std::string &bytes)
{
    size_t i = 0;
    const size_t n = bytes.size();
    while (i < n) {
        const auto c = static_cast<uint8_t>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t len;
        uint32_t cp;
        if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > n)
            return false;
        for (size_t k = 1; k < len; ++k) {
            const auto cc = static_cast<uint8_t>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) || cp > 0x10FFFF
            || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

std::string windows1252ToUtf8(const std::string &bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const auto c = static_cast<uint8_t>(ch);
        if (c < 0x80)
            out += ch;
        else if (c < 0xA0)
            appendCodePoint(out, kCp1252High[c - 0x80] ? kCp1252High[c - 0x80] : 0xFFFD);
        else
            appendCodePoint(out, c);
    }
    return out;
}

std::string legacyCodePage()
{
    const char *codeset = nl_langinfo(CODESET);
    std::string name = codeset ? codeset : "";
    std::string upper;
    for (char c : name)
        upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    // A UTF-8 or plain ASCII locale names no 8-bit code page of its own.
    if (upper.empty() || upper == "UTF-8" || upper == "UTF8" || upper == "ANSI_X3.4-1968" || upper == "ASCII")
        return "WINDOWS-1252";
    return name;
}

bool decodeText(const std::string &bytes, DecodedText &out)
{
    const auto at = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
    if (bytes.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
        out.utf8 = bytes.substr(3);
        out.encoding = "UTF-8";
        return isValidUtf8(out.utf8) && out.utf8.find('\0') == std::string::npos;
    }
    if (bytes.size() >= 2 && ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF))) {
        const bool bigEndian = at(0) == 0xFE;
        out.encoding = bigEndian ? "UTF-16BE" : "UTF-16LE";
        return utf16ToUtf8(bytes, 2, bigEndian, out.utf8);
    }
    // A NUL byte never occurs in 8-bit text: this is a binary file (or
    // UTF-16 without its mark, which is not accepted).
    if (bytes.find('\0') != std::string::npos)
        return false;
    if (isValidUtf8(bytes)) {
        out.utf8 = bytes;
        out.encoding = "UTF-8";
        return true;
    }
    out.encoding = legacyCodePage();
    if (out.encoding == "WINDOWS-1252") {
        out.utf8 = windows1252ToUtf8(bytes);
        return true;
    }
    return iconvToUtf8(bytes, out.encoding, out.utf8);
}

} // namespace subtitles
