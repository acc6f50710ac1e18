#pragma once
// Shared body of the subtitle fuzz targets: the input is a file's bytes;
// whatever the parser accepts must be sound (UTF-8 text, entries that do
// not end before they start).
#include "SubtitleFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace fuzzsubtitle {

inline int run(const uint8_t *data, size_t size, subtitles::Format format)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    const subtitles::SubtitleFile file = subtitles::readSubtitleBytes(bytes, format);
    if (!file.ok())
        return 0;
    if (!subtitles::isValidUtf8(file.text.utf8))
        std::abort();
    for (const subtitles::Cue &cue : file.parsed.cues) {
        if (cue.start_us < 0 || (cue.end_us != -1 && cue.end_us < cue.start_us))
            std::abort();
        if (!subtitles::isValidUtf8(cue.text))
            std::abort();
    }
    return 0;
}

} // namespace fuzzsubtitle
