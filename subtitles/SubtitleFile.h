#pragma once
// A subtitle file as the program takes it in: read, its encoding found,
// its entries parsed. The burn filter is handed a UTF-8 copy of the text,
// so that a legacy 8-bit file shows the same letters in the picture as
// the editing dialog read.
#include "SubtitleParser.h"
#include "SubtitleText.h"

#include <string>

namespace subtitles {

enum class FileError {
    None,
    CannotOpen,
    TooLarge,      // beyond kMaxFileBytes: no subtitle file is that big
    UnknownFormat, // the extension names no format we read
    NotText,       // the bytes are no text in any accepted encoding
    NoHeader,
    NoEvents,
    NoEntries,
};

constexpr size_t kMaxFileBytes = 32u << 20;

struct SubtitleFile {
    FileError error = FileError::None;
    Format format = Format::Unknown;
    DecodedText text;
    ParseResult parsed;
    bool ok() const { return error == FileError::None; }
};

// Reads and parses bytes as the given format (the fuzz targets' way in).
SubtitleFile readSubtitleBytes(const std::string &bytes, Format format);
SubtitleFile readSubtitleFile(const std::string &path);

// Writes the file's text in UTF-8 (no byte order mark) to a new file in
// folder with the source's extension; returns its path, empty on failure.
// The caller removes it.
std::string writeUtf8Copy(const SubtitleFile &file, const std::string &sourcePath, const std::string &folder);

} // namespace subtitles
