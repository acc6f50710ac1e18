#pragma once
// Vorbis comment bodies, shared by the Ogg Vorbis and FLAC blocks.
#include "TagItem.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class VorbisVariant { Ogg, Flac, Other };

// Vendor, count and one KEY=value comment per item (little-endian lengths).
// Covers become base64 METADATA_BLOCK_PICTURE fields except for FLAC.
std::vector<uint8_t> buildVorbisComment(const TagItemList &items, const std::string &oldVendor,
                                        VorbisVariant variant);

// Reads a comment body: the vendor, and each recognised field through
// onText (kind, text) or onPicture (picture bytes). False when the body is
// malformed before the first comment.
bool parseVorbisComment(const uint8_t *p, size_t n, std::string &vendor,
                        const std::function<void(int, const std::u16string &)> &onText,
                        const std::function<void(const std::vector<uint8_t> &)> &onPicture);
