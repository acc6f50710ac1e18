#pragma once
// Output container lookup and what a container can hold.
extern "C" {
#include <libavformat/avformat.h>
}

#include <string>

namespace orl {

// The container of a format name ("mp4", "matroska"), else the one the
// destination's extension names; null when neither is known.
const AVOutputFormat *findOutputFormat(const std::string &name, const std::string &dst);

// Muxer options the destination's name implies: a transport stream named
// .m2ts or .mts gets 192-byte packets with arrival time stamps. Call after
// the context is allocated, before its header is written.
void setContainerOptions(AVFormatContext *ctx, const std::string &dst);

// MP4, QuickTime and their relatives.
bool isMovFamily(const AVOutputFormat *format);

// Containers that can hide lead-in frames behind an edit list.
bool hidesLeadIn(const AVOutputFormat *format);

// 1: the container takes the codec, 0: it does not, -1: it cannot tell.
int containerTakes(const AVOutputFormat *format, AVCodecID codec);

} // namespace orl
