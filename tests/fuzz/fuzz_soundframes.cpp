// Judging a sound packet whole or a piece by its own framing. The first
// byte picks the codec, the rest is the packet. A piece cut shorter is
// never whole (it may lose its header and be unknown), and a whole frame
// stays whole with bytes after it (the framing counts from the start),
// except for FLAC, which sums the whole.
#include "SoundFrames.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// A broken promise names itself before the abort that ends the run.
#define require(condition) \
    do { \
        if (!(condition)) { \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition); \
            std::abort(); \
        } \
    } while (0)

const AVCodecID kCodecs[] = {AV_CODEC_ID_AAC, AV_CODEC_ID_MP1, AV_CODEC_ID_MP2,  AV_CODEC_ID_MP3,
                             AV_CODEC_ID_AC3, AV_CODEC_ID_EAC3, AV_CODEC_ID_DTS, AV_CODEC_ID_FLAC,
                             AV_CODEC_ID_OPUS};

orl::FrameState judge(std::vector<uint8_t> bytes, AVCodecID codec)
{
    // The packet is exactly the bytes: a read past its end is caught.
    AVPacket *pkt = av_packet_alloc();
    require(pkt != nullptr);
    pkt->data = bytes.empty() ? nullptr : bytes.data();
    pkt->size = static_cast<int>(bytes.size());
    const orl::FrameState state = orl::soundFrameState(pkt, codec);
    pkt->data = nullptr;
    pkt->size = 0;
    av_packet_free(&pkt);
    return state;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > (1 << 20))
        return 0;
    const AVCodecID codec = kCodecs[data[0] % (sizeof kCodecs / sizeof kCodecs[0])];
    std::vector<uint8_t> bytes(data + 1, data + size);
    const orl::FrameState state = judge(bytes, codec);
    if (codec == AV_CODEC_ID_FLAC || codec == AV_CODEC_ID_OPUS) {
        require(codec == AV_CODEC_ID_FLAC || state == orl::FrameState::Unknown);
        return 0;
    }
    if (state == orl::FrameState::Piece && bytes.size() > 1) {
        bytes.pop_back();
        require(judge(bytes, codec) != orl::FrameState::Whole);
    } else if (state == orl::FrameState::Whole) {
        bytes.push_back(0);
        require(judge(bytes, codec) == orl::FrameState::Whole);
    }
    return 0;
}
