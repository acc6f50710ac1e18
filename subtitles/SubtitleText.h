#pragma once
// The character encoding of a subtitle file: a byte order mark decides;
// without one the text is taken as UTF-8 when it is valid UTF-8, else as
// the locale's legacy 8-bit code page (Windows-1252 when the locale is a
// UTF-8 one, as it is on nearly every desktop).
#include <string>

namespace subtitles {

struct DecodedText {
    std::string utf8;     // without the byte order mark
    std::string encoding; // "UTF-8", "UTF-16LE", "UTF-16BE" or the legacy code page's name
};

bool isValidUtf8(const std::string &bytes);

// Windows-1252 to UTF-8; the five bytes the code page leaves unassigned
// become U+FFFD.
std::string windows1252ToUtf8(const std::string &bytes);

// The legacy code page used for text that is neither marked nor UTF-8.
std::string legacyCodePage();

// False when the text cannot be decoded: an odd UTF-16 length, unpaired
// surrogates, a NUL byte in 8-bit text (a binary file) or a failed
// conversion from the legacy code page.
bool decodeText(const std::string &bytes, DecodedText &out);

} // namespace subtitles
