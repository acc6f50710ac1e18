#pragma once
// What the readers and writers of every format share: the text's encoding
// and lines, clock times and frame timecodes.
#include "CutList.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cutlist::text {

// The bytes as UTF-8 without a byte order mark: a mark decides (UTF-8,
// UTF-16LE/BE); unmarked text is UTF-8 when it is valid UTF-8, else
// Windows-1252, the code page older Windows programs wrote. False for
// binary data (NUL bytes, odd UTF-16).
bool decode(std::string_view bytes, std::string &utf8);

// Lines without their ends (LF, CRLF or CR); lines[i] is line i + 1.
std::vector<std::string_view> splitLines(std::string_view text);

std::string_view trim(std::string_view s);
bool startsWithNoCase(std::string_view s, std::string_view prefix);
bool isDigits(std::string_view s);
bool hasLineBreak(std::string_view s);

// A time as seconds ("12.5") or a clock ("[h:]mm:ss[.fff]"; minutes may
// pass 59 when there are no hours). Fractions round to microseconds.
enum class TimeParse { Ok, Bad, Negative, TooLarge };
TimeParse parseTime(std::string_view s, std::uint64_t &us);
// "hh:mm:ss.fff", with six decimals when the time is not in whole
// milliseconds; hours grow past two digits as needed.
std::string formatClock(std::uint64_t us);

// Frame counts and timecodes "hh:mm:ss:ff" (";" before the frames marks
// drop frame). Nominal frames per second: round(num/den).
struct TimecodeClock {
    std::uint32_t num = 25;
    std::uint32_t den = 1;
    std::uint32_t nominal = 25;
    std::uint32_t dropPerMinute = 0; // 2 at 29.97, 4 at 59.94, else 0
};
// False for rates that cannot count timecodes.
bool makeClock(const FrameRate &rate, TimecodeClock &clock);
// Parses "hh:mm:ss:ff" at the clock; dropFrame when the frames follow ';'
// or the caller says so (FCM). Fails for frame numbers the count skips.
enum class TimecodeParse { Ok, Bad, NoDropFrameAtRate };
TimecodeParse parseTimecode(std::string_view s, const TimecodeClock &clock, bool dropFrame, std::uint64_t &frames);
std::string formatTimecode(std::uint64_t frames, const TimecodeClock &clock, bool dropFrame);
std::uint64_t framesToUs(std::uint64_t frames, std::uint64_t num, std::uint64_t den);
// Nearest frame of a time.
std::uint64_t usToFrames(std::uint64_t us, std::uint64_t num, std::uint64_t den);

} // namespace cutlist::text
