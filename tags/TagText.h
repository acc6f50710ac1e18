#pragma once
// Text and picture helpers shared by the tag blocks: character set
// conversions, the genre table, picture signatures and probing, base64.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tagtext {

// UTF-8 to UTF-16; false for malformed input (the text is then skipped).
bool utf8ToUtf16(const std::string &in, std::u16string &out);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(const std::u16string &in);
// The legacy 8-bit code page of ID3v1 and RIFF INFO texts is Windows-1252;
// characters it lacks become '?'.
std::string utf16ToLegacy(const std::u16string &in);
std::u16string legacyToUtf16(const char *in, size_t n);
std::u16string latin1ToUtf16(const char *in, size_t n);

// UTF-16LE bytes of a text, without terminator.
std::vector<uint8_t> utf16leBytes(const std::u16string &text);
// Decodes little- or big-endian UTF-16 bytes up to the first zero unit.
std::u16string utf16Decode(const uint8_t *p, size_t n, bool bigEndian);

// Decimal value of the leading digits of a text; -1 without digits.
long long leadingNumber(const std::u16string &text, size_t from = 0);

constexpr int kGenreCount = 148;
extern const char *const id3v1GenreNames[kGenreCount];
// Index of a genre name (case-insensitive), or -1.
int genreIndex(const std::u16string &name);
std::u16string expandGenreReferences(const std::u16string &text);

enum PictureFormat { PictureUnknown, PicturePng, PictureJpeg, PictureGif, PictureBmp };
PictureFormat pictureFormat(const uint8_t *p, size_t n);
// MIME type for the format; JPEG for an unknown one.
const char *pictureMime(PictureFormat f);

struct PictureInfo {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t depth = 0;
};
PictureInfo probePicture(const uint8_t *p, size_t n);

// The FLAC picture structure (front cover), big-endian numbers.
std::vector<uint8_t> flacPictureStructure(const uint8_t *p, size_t n);
// Picture bytes of a FLAC picture structure; false when it is malformed.
bool unpackFlacPicture(const uint8_t *p, size_t n, std::vector<uint8_t> &picture);

std::string base64Encode(const uint8_t *p, size_t n);
bool base64Decode(const char *p, size_t n, std::vector<uint8_t> &out);

// ISO 639-2/B code of the language of the process locale; "eng" when unknown.
std::string localeLanguageCode();

} // namespace tagtext
