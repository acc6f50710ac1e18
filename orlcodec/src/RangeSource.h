#pragma once
// One range of one source for an encoding conversion: its demuxer,
// decoders, background sound and edit graph, run into an EncodedOutput.
#include "EncodedOutput.h"
#include "SourceOpen.h"
#include "TranscodeFilters.h"

#include <deque>
#include <memory>
#include <string>

namespace orl {

class BackgroundReader;

// One range of one source: its demuxer, decoders, background sound and graph.
class RangeSource {
public:
    RangeSource(const std::atomic<bool> *abort, InterruptCheck global);
    ~RangeSource();

    bool open(const std::string &path, const ParamValues &v, std::string &error);

    bool hasVideo() const { return m_vdec != nullptr; }
    bool hasAudio() const { return m_adec != nullptr; }
    // The sound tracks the range encodes: the first (audioDecoder) and the
    // further ones a track plan keeps.
    size_t soundTracks() const { return m_adec ? 1 + m_extra.size() : 0; }
    // Keeps the first count sound tracks and lets the others go (an output
    // that holds fewer).
    void keepSoundTracks(size_t count);
    // Rate and channels of each sound track, in output order.
    std::vector<EncodedOutput::SoundInput> soundInputs() const;
    AVCodecContext *videoDecoder() const { return m_vdec.get(); }
    AVCodecContext *audioDecoder() const { return m_adec.get(); }
    AVRational frameRate() const;
    // The video stream's base rate and its average; they disagree when
    // the pictures' spacing varies.
    AVRational streamRate() const;
    AVRational averageRate() const;
    // Hands out the source's tags and those of the streams it encodes.
    void copyTagsTo(EncodedOutput &out) const;
    // Sample aspect of the picture as shown (after the source's rotation).
    AVRational sampleAspect() const;
    // Clockwise turn the source asks players to show it with.
    int rotation() const;
    bool quarterTurn() const { return rotation() == 90 || rotation() == 270; }
    // Picture size as shown.
    int shownWidth() const { return quarterTurn() ? m_vdec->height : m_vdec->width; }
    int shownHeight() const { return quarterTurn() ? m_vdec->width : m_vdec->height; }
    int64_t duration_us() const { return m_duration_us; }
    // The colours of the video stream (TranscodeColour.h); read once, before
    // the range is prepared.
    const VideoColour &colour();

    // Length of the range in output time (after the speed change).
    static int64_t outLength(const ParamValues &v, int64_t length_us);

    // Builds the graph for [start, start + length) feeding the encoders of out.
    // With padSound the sound is made exactly as long as the range, so the
    // next merged range starts in step.
    bool prepare(uint64_t start_us, uint64_t length_us, const EncodedOutput &out, const Geometry &geometry,
                 bool padSound, std::string &error);

    int64_t outLength_us() const { return m_outLength; }

    // Hands the prepared range's chapters to out (see EncodedOutput::addChapters).
    // With a title the range is one chapter of that title.
    bool addChaptersTo(EncodedOutput &out, std::string &error, const std::string *title = nullptr) const;

    // Decodes, filters and encodes the range into out. False on a failure
    // (error set) or a stop (error empty).
    bool run(EncodedOutput &out, CopyProgress &progress, std::string &error);

private:
    bool stopped() const { return m_irq.check(); }

    // Places the demuxer so that decoding starts at a video key frame at or
    // before the range's start; the packets read to find it are left in
    // pending, to be decoded first. False only when stopped.
    bool seekToStart(std::deque<PacketPtr> &pending);
    // Reads from the current place to the first video key frame, keeping
    // it and the sound read on the way; its time (input µs) in key,
    // kNoTime when none came before the range's start had passed.
    bool readToKeyFrame(std::deque<PacketPtr> &pending, int64_t target, int64_t &key);
    // Places the demuxer at the start of the file.
    void rewind();
    // Time (µs from the file's start) of the first picture a decoder can
    // show from the file's start; kNoTime when none comes early.
    int64_t firstPicture_us();
    // Hands a decoded picture to the graph: the picture showing at the
    // range's start is the one before it, so that one is held back and
    // given the start's time instead of being trimmed away.
    int addVideo(AVFrame *frame);

    // Sends pkt (null = flush) to dec and pushes the frames into src.
    // next is where the stream's decoded frames end (source time), shift
    // the track plan's shift of a sound stream.
    bool decode(AVCodecContext *dec, AVFilterContext *src, const AVPacket *pkt, int stream, int64_t &next,
                int64_t shift, bool &done, std::string &error);
    // Whether packets of stream feed a sound track being encoded.
    bool encodesSound(int stream) const;

    void feedBackground();

    bool drain(EncodedOutput &out, CopyProgress &progress, std::string &error);

    InterruptCheck m_global;
    const std::atomic<bool> *m_abort;
    InterruptFlags m_irq;
    OpenedSource m_source; // the demuxer and its byte source
    std::string m_path;
    ParamValues m_params;
    int m_video = -1, m_audio = -1, m_subtitle = -1;
    int64_t m_audioShift_us = 0; // the track plan's shift of the sound encoded
    CodecContextPtr m_vdec, m_adec;
    // A further sound track: its decoder and a graph of its own (the same
    // edits as the first track's, without the background sound).
    struct ExtraSound {
        int stream = -1;
        int64_t shift_us = 0;
        CodecContextPtr dec;
        FilterGraph graph;
        int64_t next_us = 0;
        bool done = false, ended = false, used = false;
    };
    std::vector<std::unique_ptr<ExtraSound>> m_extra;
    std::unique_ptr<BackgroundReader> m_background;
    FilterGraph m_graph;
    FramePtr m_frame, m_filtered;
    FramePtr m_beforeStart; // the latest picture before the range's start, not yet given
    bool m_reachedStart = false;
    int64_t m_fileStart_us = 0, m_duration_us = 0;
    int64_t m_start = 0, m_end = 0, m_outLength = 0;
    int64_t m_nextVideo_us = 0, m_nextAudio_us = 0;
    bool m_useVideo = false, m_useAudio = false;
    bool m_videoEnded = false, m_audioEnded = false;
    bool m_flushing = false;
    int m_idleRounds = 0;
    VideoColour m_colour;
    bool m_colourRead = false;
};

} // namespace orl
