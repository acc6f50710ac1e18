#include "SourceOpen.h"

namespace orl {

bool openSource(const std::string &path, const AVIOInterruptCB &interrupt, OpenedSource &out,
                std::string &error)
{
    std::unique_ptr<Input> input = openFileInput(path, interrupt, error);
    if (!input)
        return false;
    return openSourceInput(std::move(input), path, interrupt, out, error);
}

bool openSourceInput(std::unique_ptr<Input> input, const std::string &name, const AVIOInterruptCB &interrupt,
                     OpenedSource &out, std::string &error)
{
    out.reset();
    AVFormatContext *fmt = avformat_alloc_context();
    if (!fmt) {
        error = "out of memory";
        return false;
    }
    fmt->pb = input->avio();
    fmt->flags |= AVFMT_FLAG_CUSTOM_IO;
    fmt->interrupt_callback = interrupt;
    AVDictionary *opts = nullptr;
    av_dict_set(&opts, "protocol_whitelist", "file,pipe", 0);
    const int r = avformat_open_input(&fmt, name.c_str(), nullptr, &opts);
    av_dict_free(&opts);
    const bool interrupted = interrupt.callback && interrupt.callback(interrupt.opaque);
    if (r < 0) {
        // avformat_open_input has freed fmt; the byte source is still ours.
        error = interrupted ? "loading aborted" : "cannot open the source: " + ffmpegError(r);
        return false;
    }
    out.input = std::move(input);
    out.ctx.reset(fmt);
    out.streamInfoResult = avformat_find_stream_info(fmt, nullptr);
    if (interrupt.callback && interrupt.callback(interrupt.opaque)) {
        error = "loading aborted";
        out.reset();
        return false;
    }
    return true;
}

} // namespace orl
