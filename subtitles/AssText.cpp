#include "AssText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace subtitles {

std::string assTime(uint64_t us, bool end)
{
    if (end && us == 0)
        return "9:59:59.99";
    const uint64_t cs = us / 10000;
    char out[32];
    std::snprintf(out, sizeof out, "%u:%02u:%02u.%02u", static_cast<unsigned>(cs / 360000),
                  static_cast<unsigned>(cs / 6000 % 60), static_cast<unsigned>(cs / 100 % 60),
                  static_cast<unsigned>(cs % 100));
    return out;
}

std::string assText(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n')
            out += "\\N";
        else if (c == '{' || c == '}')
            out += std::string("\\") + c;
        else
            out += c;
    }
    return out;
}

std::string assName(const std::string &family)
{
    std::string out;
    for (const char c : family)
        if (c != ',' && c != '{' && c != '}' && c != '\\' && c != '\n' && c != '\r')
            out += c;
    return out.empty() ? "Sans" : out;
}

std::string assColour(uint32_t argb, double opacity)
{
    const int a = std::clamp(static_cast<int>(std::lround(((argb >> 24) & 0xff) * opacity)), 0, 255);
    const unsigned r = (argb >> 16) & 0xff, g = (argb >> 8) & 0xff, b = argb & 0xff;
    char out[16];
    std::snprintf(out, sizeof out, "&H%02X%02X%02X%02X", 255 - a, b, g, r);
    return out;
}

} // namespace subtitles
