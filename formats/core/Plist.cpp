#include "Plist.h"
#include "PlistDecoders.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>

namespace {

// Property lists are small configuration files; anything near this size is
// not one, and reading it whole would only exhaust memory.
constexpr uint64_t kMaxFileSize = 256ull << 20;

// Days from 1970-01-01 to the given proleptic Gregorian date (month 1..12).
int64_t daysFromCivil(int64_t year, int64_t month, int64_t day)
{
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

[[noreturn]] void invalidDate()
{
    throw std::runtime_error("PlistDate::set() date invalid");
}

} // namespace

PlistDate::PlistDate()
    : timeSinceEpoch(static_cast<int64_t>(std::time(nullptr)))
{
}

PlistDate::PlistDate(const std::string &text)
    : PlistDate()
{
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2dZ", &year, &month, &day, &hour, &minute, &second);
    set(month, day, year, hour, minute, second, true);
}

void PlistDate::set(int month, int day, int year, int hour, int minute, int second, bool utc)
{
    if (utc) {
        // Computed directly rather than through the local time zone, so the
        // result cannot shift around daylight-saving changes. Out-of-range
        // fields carry over as the C library's mktime would do.
        int64_t monthIndex = int64_t(month) - 1;
        const int64_t yearCarry = monthIndex >= 0 ? monthIndex / 12 : -((11 - monthIndex) / 12);
        monthIndex -= yearCarry * 12;
        const int64_t days = daysFromCivil(int64_t(year) + yearCarry, monthIndex + 1, 1) + (int64_t(day) - 1);
        const int64_t t = days * 86400 + int64_t(hour) * 3600 + int64_t(minute) * 60 + second;
        if (t < -1)
            invalidDate();
        timeSinceEpoch = t;
        return;
    }
    const int64_t tmYear = int64_t(year) - 1900;
    if (tmYear < std::numeric_limits<int>::min())
        invalidDate();
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::tm fields{};
    fields.tm_year = static_cast<int>(tmYear);
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = local.tm_isdst;
    const std::time_t t = std::mktime(&fields);
    if (t < -1)
        invalidDate();
    timeSinceEpoch = static_cast<int64_t>(t);
}

void readPlistFile(const std::string &path, PlistDictionary &dict)
{
    if (path.empty())
        return;
    const std::filesystem::path file(path); // UTF-8 bytes are the file name here
    std::error_code ec;
    // A folder, a pipe or a device would open but never read as a file.
    if (!std::filesystem::is_regular_file(file, ec))
        throw std::runtime_error("Can't open file: " + path);
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("Can't open file: " + path);

    std::vector<char> bytes;
    char chunk[65536];
    while (in) {
        in.read(chunk, sizeof chunk);
        const std::streamsize got = in.gcount();
        if (got <= 0)
            break;
        if (bytes.size() + static_cast<size_t>(got) > kMaxFileSize)
            throw std::runtime_error("Plist: file too large: " + path);
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (in.bad())
        throw std::runtime_error("Can't open file: " + path);
    if (bytes.empty())
        throw std::runtime_error("Can't read zero length data");
    parsePlistBuffer(bytes.data(), bytes.size(), dict);
}

void parsePlistBuffer(const char *data, uint64_t size, PlistDictionary &dict)
{
    if (data == nullptr || size == 0)
        throw std::runtime_error("Plist: Empty plist data");
    if (size > std::numeric_limits<size_t>::max())
        throw std::runtime_error("Out of bounds getRange");
    boost::any root;
    if (size >= 8 && std::memcmp(data, "bplist00", 8) == 0)
        root = plist_detail::decodeBinary(reinterpret_cast<const unsigned char *>(data), size_t(size));
    else
        root = plist_detail::decodeXml(data, size_t(size));
    PlistDictionary &parsed = boost::any_cast<PlistDictionary &>(root);
    dict.swap(parsed);
}
