#include "FFmpegPtr.h"

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavutil/audio_fifo.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace orl {

void OutputContextDeleter::operator()(AVFormatContext *ctx) const
{
    if (!ctx)
        return;
    if (ctx->flags & AVFMT_FLAG_CUSTOM_IO) {
        if (ctx->pb)
            av_freep(&ctx->pb->buffer);
        avio_context_free(&ctx->pb);
    } else if (ctx->oformat && !(ctx->oformat->flags & AVFMT_NOFILE)) {
        avio_closep(&ctx->pb);
    }
    avformat_free_context(ctx);
}

void SwsContextDeleter::operator()(SwsContext *ctx) const
{
    sws_freeContext(ctx);
}

void SwrContextDeleter::operator()(SwrContext *ctx) const
{
    swr_free(&ctx);
}

void FilterGraphDeleter::operator()(AVFilterGraph *graph) const
{
    avfilter_graph_free(&graph);
}

void AudioFifoDeleter::operator()(AVAudioFifo *fifo) const
{
    if (fifo)
        av_audio_fifo_free(fifo);
}

} // namespace orl
