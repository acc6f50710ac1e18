#pragma once
// The output of an encoding conversion or merge: the file and its encoders,
// which stay open across the ranges of a merge, on one continuous timeline.
#include "EncoderSettings.h"
#include "FFmpegPtr.h"
#include "Interrupt.h"
#include "Job.h"
#include "OutputChapters.h"

extern "C" {
#include <libavutil/audio_fifo.h>
}

#include <atomic>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace orl {

// The output file and its encoders; lives across the ranges of a merge.
class EncodedOutput {
public:
    EncodedOutput(const std::atomic<bool> *abort, InterruptCheck global);

    ~EncodedOutput();
    EncodedOutput(const EncodedOutput &) = delete;
    EncodedOutput &operator=(const EncodedOutput &) = delete;

    const AVCodec *videoCodec = nullptr;
    const AVCodec *audioCodec = nullptr;
    CodecContextPtr venc;
    // The first sound track's encoder (null when the output has no sound).
    AVCodecContext *aenc() const { return m_sound.empty() ? nullptr : m_sound.front().enc.get(); }
    // The sound tracks' encoders, in output order.
    size_t soundTracks() const { return m_sound.size(); }
    AVCodecContext *soundEncoder(size_t track) const { return m_sound[track].enc.get(); }
    // How many sound tracks an encode into this output may write: one for
    // sound-only formats and containers that hold one, more where the
    // container holds several and a picture is written too.
    int soundTrackLimit() const;

    // Finds the encoders the parameter set asks for (none for a kind the
    // set or the source leaves out).
    bool chooseEncoders(const AVOutputFormat *format, const ParamValues &v, bool sourceVideo, bool sourceAudio,
                        std::string &error);

    // One sound encoder per entry of sounds (the source track's rate and
    // channels, 0 when unknown), each as the format's settings make it.
    struct SoundInput {
        int rate = 0, channels = 0;
    };
    bool openEncoders(const ParamValues &v, const VideoEncoderInput &video, const std::vector<SoundInput> &sounds,
                      std::string &error);

    // Pictures keep their own times (see keepsOwnTiming); set by openEncoders.
    bool ownTiming() const { return m_ownTiming; }
    const AVOutputFormat *format() const { return m_format; }
    // What the video encoder does with an HDR source (set by openEncoders):
    // a merge's later ranges are tone-mapped or not to match.
    HdrHandling hdrHandling() const { return m_hdr; }
    // The pictures are encoded as fields (the source's interlacing kept).
    bool keepsInterlace() const { return m_interlaced; }

    // Takes the tags the file carries over from in: the file's own (time of
    // recording, place, camera and the like) and the language and title of
    // the streams kept. Call before create.
    // audio holds the source stream of each sound track, in output order.
    void takeTags(const AVFormatContext *in, const AVStream *video, const std::vector<const AVStream *> &audio);
    // The track plan's names and flags of the picture and of each sound
    // track encoded (null: the source's). Without a plan's default flag
    // among the sound tracks the first is the default. Call before create.
    void takeTrackChoices(const TrackChoice *video, const std::vector<const TrackChoice *> &audio);

    bool create(const std::string &dst, std::string &error);

    // Takes the chapters of the next range: [from, to) of in's timeline,
    // with `from` where everything written so far ends. Call before
    // beginRange (and, for the first range, before create).
    bool addChapters(const AVFormatContext *in, int64_t from_us, int64_t to_us, double speed, std::string &error,
                     const std::string *title = nullptr);

    // The next range continues where everything written so far ends.
    void beginRange();

    int64_t rangeWritten_us() const { return m_rangeWritten_us; }

    bool video(AVFrame *frame, AVRational tb, std::string &error);

    bool audio(size_t track, AVFrame *frame, std::string &error);

    // Drains the encoders and completes the file.
    bool finish(std::string &error);

    // Closes without completing and removes the unfinished file.
    void discard();

private:
    void note(int64_t end_us, bool isVideo, size_t track = 0);

    struct Sound;
    bool drainFifo(Sound &sound, bool all, std::string &error);

    bool encode(AVCodecContext *enc, AVStream *st, AVFrame *frame, std::string &error);

    void closeFile();

    InterruptFlags m_irq;
    const AVOutputFormat *m_format = nullptr;
    bool m_ownTiming = false;
    HdrHandling m_hdr = HdrHandling::None;
    bool m_interlaced = false;
    VideoColour m_colour; // the source's, written into the headers when HDR is kept
    std::optional<TrackChoice> m_videoChoice;
    AVDictionary *m_fileTags = nullptr, *m_videoTags = nullptr;
    // One sound track of the output.
    struct Sound {
        CodecContextPtr enc;
        AVStream *st = nullptr;
        AudioFifoPtr fifo;
        int64_t next = 0; // encoder time of the next sample
    };
    std::vector<Sound> m_sound;
    // Tags and choices taken before the encoders open, one per sound track.
    std::vector<AVDictionary *> m_soundTags;
    std::vector<std::optional<TrackChoice>> m_soundChoices;
    int64_t m_videoStep = 1;       // encoder ticks between the last two pictures
    OutputContextPtr m_ctx;
    OutputChapters m_chapters;
    AVStream *m_vst = nullptr;
    std::string m_dst;
    bool m_created = false;
    bool m_headerWritten = false;
    int64_t m_offset_us = 0;       // output time where the current range begins
    int64_t m_end_us = 0;          // output time where everything written ends
    int64_t m_rangeWritten_us = 0; // how far the current range got
    int64_t m_videoBase = 0;       // encoder time of the range's first frame
    int64_t m_lastVideoPts = std::numeric_limits<int64_t>::min();
};

} // namespace orl
