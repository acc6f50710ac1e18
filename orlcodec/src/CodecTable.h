#pragma once
// Codec identifiers of the older libavcodec numbering used by the profiles
// and callers (H.264 = 28, AAC = 86018), translated to today's codecs in one
// place. Never hand a legacy identifier to FFmpeg as an AVCodecID: the
// numbering moved (H.264 is 27 in FFmpeg 5.1).
#include <cstdint>

extern "C" {
#include <libavcodec/codec_id.h>
}

namespace orl {

struct LegacyCodec {
    int32_t legacyId;
    AVCodecID codecId;
    const char *encoderName; // the encoder used; nullptr = no encoder exists for this codec
};

// The row for a legacy identifier, or nullptr when the table lacks it.
const LegacyCodec *findLegacyCodec(int32_t legacyId);
// The legacy identifier of a codec, or 0 when the table lacks it.
int32_t legacyIdFor(AVCodecID codecId);

} // namespace orl
