#pragma once
// Telling a sound frame that ends a stream from a piece of one: encoders
// end a stream with a short frame (fewer samples, or mostly silence), which
// is whole, while a file cut off inside a frame leaves a piece of it that a
// parser hands on as a last frame.
#include "FFmpegPtr.h"

namespace orl {

enum class FrameState { Whole, Piece, Unknown };

// What the frame's own framing says of pkt: the length an ADTS, MPEG audio,
// AC-3 or DTS header gives, or a FLAC frame's checksum. Unknown for sound
// whose frames carry neither.
FrameState soundFrameState(const AVPacket *pkt, AVCodecID codec);

} // namespace orl
