#include "SoundFrames.h"

extern "C" {
#include <libavutil/crc.h>
}

namespace orl {

namespace {

// Frame length in bytes from an ADTS header; 0 when there is none.
int adtsLength(const uint8_t *b, int size)
{
    if (size < 7 || b[0] != 0xFF || (b[1] & 0xF6) != 0xF0)
        return 0;
    return ((b[3] & 0x03) << 11) | (b[4] << 3) | (b[5] >> 5);
}

// Frame length in bytes from an MPEG audio (layer I to III) header; 0 when
// there is none or it does not say (free bit rate).
int mpegAudioLength(const uint8_t *b, int size)
{
    if (size < 4 || b[0] != 0xFF || (b[1] & 0xE0) != 0xE0)
        return 0;
    static const int kbps[5][15] = {
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG-1 layer I
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG-1 layer II
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG-1 layer III
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},    // MPEG-2/2.5 layer I
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},         // MPEG-2/2.5 layers II, III
    };
    static const int rates[3] = {44100, 48000, 32000};
    const int version = (b[1] >> 3) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    const int layer = 4 - ((b[1] >> 1) & 3);
    const int rateIndex = b[2] >> 4;
    const int srIndex = (b[2] >> 2) & 3;
    const int padding = (b[2] >> 1) & 1;
    if (version == 1 || layer == 4 || rateIndex == 0 || rateIndex == 15 || srIndex == 3)
        return 0;
    const bool v1 = version == 3;
    const int row = v1 ? layer - 1 : (layer == 1 ? 3 : 4);
    const int64_t bitRate = int64_t(kbps[row][rateIndex]) * 1000;
    const int sampleRate = rates[srIndex] >> (v1 ? 0 : version == 2 ? 1 : 2);
    if (layer == 1)
        return static_cast<int>((12 * bitRate / sampleRate + padding) * 4);
    const int64_t perSlot = layer == 3 && !v1 ? 72 : 144;
    return static_cast<int>(perSlot * bitRate / sampleRate + padding);
}

// Frame length in bytes from an AC-3 or E-AC-3 header; 0 when there is none.
int ac3Length(const uint8_t *b, int size)
{
    if (size < 6 || b[0] != 0x0B || b[1] != 0x77)
        return 0;
    const int bsid = b[5] >> 3;
    if (bsid > 10) // E-AC-3 states its size in 16-bit words
        return ((((b[2] & 0x07) << 8) | b[3]) + 1) * 2;
    static const int kbps[19] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160,
                                 192, 224, 256, 320, 384, 448, 512, 576, 640};
    const int rateCode = b[4] >> 6;
    const int sizeCode = b[4] & 0x3F;
    if (rateCode == 3 || sizeCode >= 38)
        return 0;
    const int rate = kbps[sizeCode >> 1];
    // 1536 samples a frame: at 44.1 kHz the frames alternate by a word.
    if (rateCode == 0)
        return rate * 4;
    if (rateCode == 2)
        return rate * 6;
    return (rate * 96000 / 44100 + (sizeCode & 1)) * 2;
}

// Frame length in bytes from a DTS core header; 0 when there is none.
int dtsLength(const uint8_t *b, int size)
{
    if (size < 8 || b[0] != 0x7F || b[1] != 0xFE || b[2] != 0x80 || b[3] != 0x01)
        return 0;
    return (((b[5] & 0x03) << 12) | (b[6] << 4) | (b[7] >> 4)) + 1;
}

} // namespace

FrameState soundFrameState(const AVPacket *pkt, AVCodecID codec)
{
    const uint8_t *b = pkt->data;
    const int size = pkt->size;
    if (!b || size <= 0)
        return FrameState::Unknown;
    int length = 0;
    switch (codec) {
    case AV_CODEC_ID_AAC:
        length = adtsLength(b, size);
        break;
    case AV_CODEC_ID_MP1:
    case AV_CODEC_ID_MP2:
    case AV_CODEC_ID_MP3:
        length = mpegAudioLength(b, size);
        break;
    case AV_CODEC_ID_AC3:
    case AV_CODEC_ID_EAC3:
        length = ac3Length(b, size);
        break;
    case AV_CODEC_ID_DTS:
        length = dtsLength(b, size);
        break;
    case AV_CODEC_ID_FLAC:
        // A FLAC frame ends with a checksum over all of it, which leaves
        // nothing when run over the whole frame again.
        if (size < 6 || b[0] != 0xFF || (b[1] & 0xFE) != 0xF8)
            return FrameState::Unknown;
        return av_crc(av_crc_get_table(AV_CRC_16_ANSI), 0, b, static_cast<size_t>(size)) == 0 ? FrameState::Whole
                                                                                              : FrameState::Piece;
    default:
        return FrameState::Unknown;
    }
    if (length <= 0)
        return FrameState::Unknown;
    return size < length ? FrameState::Piece : FrameState::Whole;
}

} // namespace orl
