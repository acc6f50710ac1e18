#pragma once
// Pieces of an ASS script as the burn filter reads them: times, dialogue
// text, font names and colours. Our overlays and burned subtitles are laid
// out by the same renderer as subtitle files, so they speak its format.
#include <cstdint>
#include <string>

namespace subtitles {

// "h:mm:ss.cc" of a time; an end of 0 means never.
std::string assTime(uint64_t us, bool end);

// Text as one dialogue line: line breaks become \N, carriage returns go,
// and braces lose their meaning as override blocks.
std::string assText(const std::string &text);

// A font family usable inside an override block or a style line: the
// characters that would end the field are dropped; "Sans" when none is left.
std::string assName(const std::string &family);

// ARGB as "&HAABBGGRR", AA the transparency (0 opaque) after the
// colour's own alpha is scaled by opacity (0 to 1).
std::string assColour(uint32_t argb, double opacity);

} // namespace subtitles
