#pragma once
// Owning pointers for FFmpeg objects, so every exit path frees them.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
}

#include "Engine.h"

#include <memory>
#include <string>

struct SwsContext;
struct SwrContext;
struct AVFilterGraph;
struct AVAudioFifo;

namespace orl {

struct InputContextDeleter {
    void operator()(AVFormatContext *ctx) const { avformat_close_input(&ctx); }
};
using InputContextPtr = std::unique_ptr<AVFormatContext, InputContextDeleter>;

struct CodecContextDeleter {
    void operator()(AVCodecContext *ctx) const { avcodec_free_context(&ctx); }
};
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;

struct PacketDeleter {
    void operator()(AVPacket *pkt) const { av_packet_free(&pkt); }
};
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;

struct FrameDeleter {
    void operator()(AVFrame *frame) const { av_frame_free(&frame); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;

inline PacketPtr makePacket() { return PacketPtr(av_packet_alloc()); }

// A muxer together with its byte sink: the file it opened, or a sink of
// our own when AVFMT_FLAG_CUSTOM_IO is set (its buffer is freed with it).
struct OutputContextDeleter {
    void operator()(AVFormatContext *ctx) const;
};
using OutputContextPtr = std::unique_ptr<AVFormatContext, OutputContextDeleter>;

struct SwsContextDeleter {
    void operator()(SwsContext *ctx) const;
};
using SwsContextPtr = std::unique_ptr<SwsContext, SwsContextDeleter>;

struct SwrContextDeleter {
    void operator()(SwrContext *ctx) const;
};
using SwrContextPtr = std::unique_ptr<SwrContext, SwrContextDeleter>;

struct FilterGraphDeleter {
    void operator()(AVFilterGraph *graph) const;
};
using FilterGraphPtr = std::unique_ptr<AVFilterGraph, FilterGraphDeleter>;

struct AudioFifoDeleter {
    void operator()(AVAudioFifo *fifo) const;
};
using AudioFifoPtr = std::unique_ptr<AVAudioFifo, AudioFifoDeleter>;

} // namespace orl
