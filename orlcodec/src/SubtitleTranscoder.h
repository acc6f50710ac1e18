#pragma once
#include "FFmpegPtr.h"

#include <string>

namespace orl {

// Decodes text subtitles and encodes them again for a container that
// cannot store the source's subtitle codec (SubRip into MP4, for example).
class SubtitleTranscoder {
public:
    bool open(const AVCodecParameters *in, AVCodecID target, std::string &error);

    // Fills the output stream parameters (codec and its private data).
    bool describe(AVCodecParameters *out) const;

    // Converts one packet in place (timestamps in µs are kept): 1 done,
    // 0 it holds nothing to show, -1 it could not be converted.
    int convert(AVPacket *pkt);

private:
    CodecContextPtr m_dec;
    CodecContextPtr m_enc;
    uint8_t m_buffer[1 << 16];
};

} // namespace orl
