#pragma once
// The object behind a player handle.
//
// Threads: the caller's thread runs the commands (open, seek, step, play,
// pause, close), or the command thread runs them when they are posted (the
// interface posts every command, so it never waits on a decoder); a decode thread reads packets and decodes them into two
// bounded queues (pictures and audio samples); a present thread shows each
// picture when the clock reaches it; SDL's audio thread drains the sample
// queue. The clock is the audio clock (re-anchored on every device callback)
// or, without audio or without an audio device, the wall clock.
//
// Locks, always taken in this order: m_postMutex (posted commands, never held
// while one runs), m_commandMutex (one command at a time),
// m_decodeMutex (demuxer and decoders), m_mutex (queues, clock, flags).
// SDL device calls are never made while m_mutex is held: the device lock
// and m_mutex are both taken by the audio callback.
//
// The code is kept by side: Player.cpp (open, close, threads), PlayerDecode.cpp
// (decoding and seeking), PlayerAudio.cpp (audio device, sample queue, clock),
// PlayerPresent.cpp (showing pictures), PlayerCommands.cpp (the commands).
#include "AudioEditPreview.h"
#include "EditPreview.h"
#include "FFmpegPtr.h"
#include "Handles.h"
#include "Input.h"
#include "Picture.h"
#include "ScreenColours.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orl {

// Packets to read for one picture before the stream counts as broken.
constexpr int kMaxPacketsPerPicture = 4000;

class Player final : public EngineObject {
public:
    Player();
    ~Player() override;

    bool open(const std::string &path, int displayWidth, int displayHeight);
    void close();
    bool isOpen() const;

    bool play();
    bool pause();
    bool stop();
    bool seek(uint64_t timeUs);
    bool beginAsyncSeek(int64_t budgetUs);
    bool endAsyncSeek();
    bool stepFrame(int direction);
    bool stepKeyFrame(int direction);
    bool showFrame();
    bool refreshScreen();

    // Commands run on the command thread in the order posted; the post
    // returns at once. A seek replaces the seeks and steps still waiting and
    // cuts short an exact seek still decoding: the newest position wins.
    enum class Posted { Seek, Step, StepKey, Play, Pause, Stop, BeginAsyncSeek, EndAsyncSeek };
    bool post(Posted kind, int64_t value);
    // True once no posted command waits or runs; false after timeoutMs.
    bool waitPosted(int timeoutMs);
    // Called on the command thread after each posted command; null stops
    // the calls and returns only after a call in progress has ended.
    void setNotify(orl_player_notify notify, void *opaque);

    uint64_t frameTime() const;
    uint64_t position() const;
    uint64_t duration() const;
    // Shortens the duration (never lengthens it); false when not open.
    bool limitDuration(uint64_t limitUs);
    bool isEnded() const;
    bool isPaused() const;
    bool hasVideo() const;
    bool hasAudio() const;
    bool audioOutputFailed() const;

    void setSampleDelivery(bool on);
    void setVolume(int volume);
    void setRendererVolume(int volume);
    void setLateFrameTolerance(int64_t us);
    // The size the pictures are shown at (0 x 0: unknown); see
    // Player_SetShownSize.
    void setShownSize(int width, int height);
    void setVideoSink(const orl_video_sink *sink, bool element);
    // Edits shown in the video sink from the next picture on (the element
    // sink keeps the unedited picture); null shows the pictures as they are.
    // Shows the picture on screen again at once with the new edits.
    bool setEdits(const ParamValues *edits);
    // The sound heard shift_us later than the pictures (negative: earlier),
    // as a track's shift moves it in an output. Sound decoded from now on;
    // the next seek brings it to what is shown.
    void setSoundShift(int64_t shift_us) { m_soundShiftUs = shift_us; }
    // The sound stream the next open plays (-1: the file's best).
    void setPreferredAudioStream(int stream) { m_preferredAudio = stream; }
    // Read from any thread without waiting for the decoder, which holds
    // its lock for long stretches.
    int audioStream() const { return m_audioStreamOpen.load(); }

    int width() const;
    int height() const;
    int displayWidth() const;
    int displayHeight() const;

    const orl_picture *grabFrame(int width, int height, int format);
    void releaseFrame(const orl_picture *picture);
    const orl_audio_block *audioSamples();
    void releaseAudioSamples(const orl_audio_block *block);

private:
    struct VideoFrame {
        FramePtr frame;
        int64_t ptsUs = 0; // media time: 0 at the container's start
        int64_t endUs = 0; // end of its span when the container says, else 0
        bool spans(int64_t t) const { return endUs > ptsUs && t < endUs; }
    };
    struct AudioChunk {
        std::vector<int16_t> samples; // interleaved, device layout
        size_t offset = 0;            // samples already played
        int64_t ptsUs = 0;            // time of samples[0]
    };
    struct AudioBlock {
        orl_audio_block pub{};
        std::vector<uint8_t> bytes;
    };
    using Clock = std::chrono::steady_clock;

    static int interruptCallback(void *opaque);
    static void audioCallback(void *opaque, uint8_t *stream, int len);

    // --- decode side, caller holds m_decodeMutex ---
    // lowres: each step halves the decoded size (codecs that can).
    bool openDecoder(int streamIndex, CodecContextPtr &ctx, int lowres = 0);
    // The decoder video packets go to now.
    AVCodecContext *videoDecoder() const { return m_reducedActive ? m_videoReduced.get() : m_video.get(); }
    // How many halvings of the picture still fill the shown size while
    // playing (0: decode at full size), for this codec.
    int reducedLevelWanted() const;
    // At a key packet while playing: moves decoding to the reduced or the
    // full-size decoder when the other one is wanted now. The decoder left
    // hands out what it still holds first.
    void chooseVideoDecoder();
    // After playing at reduced size: the picture on screen is decoded
    // again at full size (and the pictures after it), so a paused player
    // shows, steps through and grabs full pictures. Caller holds
    // m_decodeMutex and has paused.
    void restoreFullSizeLocked();
    bool openAudioOutput();
    void closeAudioOutput();
    // Reads and decodes one packet; false at the end of the stream or on
    // an error that ends reading. Decoded pictures go to *pictures when
    // given, else to the picture queue; samples go to the sample queue,
    // dropping those before m_audioFloorUs.
    bool decodePacket(std::deque<VideoFrame> *pictures);
    void receiveVideo(std::deque<VideoFrame> *pictures);
    void receiveAudio();
    void pushAudio(AVFrame *frame);
    void pushSamples(AVFrame *frame, int64_t ptsUs);
    int64_t frameTimeUs(const AVFrame *frame, const AVStream *st) const;
    bool seekDemuxer(int64_t timeUs);
    bool seekDemuxerTs(int64_t ts); // in the stream's time base
    // Positions the decoders so the picture whose span holds timeUs is
    // shown, and the pictures after it are queued.
    // preview: show the key frame at once when the exact picture is far
    // from it. Gives up (false) when a newer seek supersedes this one.
    bool seekExactLocked(int64_t timeUs, bool preview = false);
    bool seekKeyLocked(int64_t timeUs, int64_t budgetUs, uint64_t generation);
    bool nextPictureLocked(VideoFrame &out);
    void flushQueuesLocked();                  // caller holds m_mutex
    // How much the decoder leaves out while playing (m_catchUp), from how
    // often the clock had to wait for a picture lately. Caller holds
    // m_decodeMutex.
    int catchUpLevel();
    // Whether the clock should wait for a picture still in the decoder: the
    // one on screen is more than two frame durations behind it and a later
    // one that is already due is being decoded. Caller holds m_mutex.
    bool pictureDueInDecoderLocked(int64_t now) const;
    void holdClockLocked(int64_t now);   // caller holds m_mutex
    void releaseClockLocked();           // caller holds m_mutex
    void dropSamplesBeforeLocked(int64_t us);  // caller holds m_mutex
    size_t consumeSamplesLocked(int16_t *out, size_t wanted, int64_t *firstUs); // m_mutex
    // Stops playback for a step or a seek; waits out a picture in flight.
    void pauseLocked(std::unique_lock<std::mutex> &lk);
    void pauseForCommand();

    // --- present side ---
    // Shows frame unless a seek has started since epoch was read.
    // sequential: frame follows the one on screen, which joins the history.
    void present(VideoFrame frame, uint64_t epoch, bool sequential = false);
    // Steps back to the picture before the one on screen when the history
    // holds it; false when it must be decoded again.
    bool stepBackFromHistory();
    void deliverLocked(const orl_video_sink *sinks); // caller holds m_presentMutex
    // The sources's picture, scaled and turned, to count sinks.
    void deliverSourceLocked(const orl_video_sink *sinks, int count); // m_presentMutex
    // The edited picture of the one on screen (made once per picture and
    // edit set); null when it cannot be made. Caller holds m_presentMutex.
    const AVFrame *editedLocked();
    void outputSize(int &w, int &h) const;
    // The size pictures go to the video sink at: outputSize fitted into
    // the shown size, never larger.
    void sinkSize(int &w, int &h) const;
    int64_t clockUs() const; // caller holds m_mutex
    // Media time that frames of played sound cover, and the frames that
    // cover a media time: the edits' speed is heard in the preview, and
    // the clock, pictures included, follows it.
    int64_t playedUs(int64_t frames) const;
    int64_t framesFor(int64_t mediaUs) const;
    void anchorClock(int64_t mediaUs); // caller holds m_mutex
    void decodeLoop();
    void presentLoop();
    void stopThreads();
    void startThreads();
    // Runs the device only while playing: a paused player costs no CPU.
    // Caller holds no lock of the player's.
    void setAudioPaused(bool paused);
    void commandLoop();
    void runPosted(Posted kind, int64_t value);
    // Makes a running exact seek give up and drops the waiting seeks and
    // steps; the caller's seek takes their place.
    void supersede();
    void replaceWaitingLocked(); // caller holds m_postMutex
    bool superseded(uint64_t generation) const;
    void notifyShown(bool idle);
    bool playCommand();
    bool pauseCommand();
    bool stopCommand();
    bool seekCommand(uint64_t timeUs, bool preview);
    bool beginAsyncSeekCommand(int64_t budgetUs);
    bool endAsyncSeekCommand();
    bool stepFrameCommand(int direction);
    bool stepKeyFrameCommand(int direction);

    std::mutex m_commandMutex;
    mutable std::mutex m_decodeMutex;
    mutable std::mutex m_mutex;
    std::condition_variable m_cv; // with m_mutex: any change of queues or flags

    std::atomic<bool> m_stopRequest{false}; // ends blocking reads at close
    std::atomic<bool> m_opened{false};

    // Immutable between open and close (written with all three locks held).
    std::string m_path;
    std::unique_ptr<Input> m_input;
    InputContextPtr m_fmt;
    CodecContextPtr m_video;
    CodecContextPtr m_audio;
    int m_videoStream = -1;
    int m_audioStream = -1;
    std::atomic<int> m_audioStreamOpen{-1}; // m_audioStream, for readers on other threads
    int64_t m_originUs = 0;
    int64_t m_durationUs = 0;
    int64_t m_frameDurationUs = 40000;
    int m_width = 0;
    int m_height = 0;
    int m_rotation = 0;
    int m_sarNum = 1;
    int m_sarDen = 1;
    int m_requestWidth = 0;
    int m_requestHeight = 0;
    uint32_t m_audioDevice = 0;
    bool m_audioFailed = false;
    int m_outRate = 44100;
    int m_outChannels = 2;
    int m_deviceBufferSamples = 0;

    // Guarded by m_decodeMutex.
    PacketPtr m_packet;
    FramePtr m_scratch;
    SwrContextPtr m_swr;
    bool m_demuxEnded = false;
    int64_t m_audioFloorUs = 0; // samples before this time are dropped
    std::atomic<int64_t> m_soundShiftUs{0};
    std::atomic<int> m_preferredAudio{-1}; // the sound stream the next open plays
    int64_t m_skipBeforeUs = INT64_MIN; // pictures ending before this need no decoding
    int64_t m_firstVideoDts = AV_NOPTS_VALUE; // first video packet after a seek
    int64_t m_lastVideoUs = INT64_MIN;
    int64_t m_nextAudioUs = 0;
    // The first sound after a seek: a sound shifted later begins with the
    // silence it was moved by, so the clock does not jump ahead to it.
    bool m_soundAfterSeek = true;
    std::unique_ptr<AudioEditPreview> m_audioEdits; // the sound edits heard, null = none
    // How much decoding is left out to catch up while playing: 0 nothing;
    // 1 the deblocking of pictures nothing refers to; 2 those pictures.
    int m_catchUp = 0;
    // The decoder at reduced size used while playing (null until wanted),
    // its level (halvings), whether packets go to it, and whether pictures
    // it made may be on screen or queued.
    CodecContextPtr m_videoReduced;
    int m_reducedLevel = 0;
    bool m_reducedActive = false;
    bool m_reducedPictures = false;
    Clock::time_point m_catchUpSince;

    // Guarded by m_mutex.
    std::deque<VideoFrame> m_pictures;
    std::deque<AudioChunk> m_samples;
    size_t m_sampleCount = 0; // queued samples (all channels)
    bool m_eof = false;       // decode thread has nothing more to queue
    bool m_playing = false;
    bool m_ended = false;
    bool m_quit = false;
    uint64_t m_epoch = 0;        // counts seeks and pauses; stale pictures are not shown
    bool m_presentInFlight = false;
    bool m_audioBehind = false;  // samples queued are later than the picture shown
    int64_t m_asyncLast = -1;    // last interactive target, landed exactly at the end
    int64_t m_frameTimeUs = -1;  // time of the picture on screen, -1 none
    int64_t m_anchorMediaUs = 0; // clock = anchor media + (now − anchor wall)
    Clock::time_point m_anchorWall;
    int64_t m_pausedClockUs = 0;
    // Keeping the picture with the clock while playing: media times of the
    // video packets handed to the decoder whose pictures have not come out
    // yet, and the clock held (the sound waiting) while a due picture is
    // still being decoded.
    std::multiset<int64_t> m_videoInDecoder;
    bool m_holdingClock = false;
    int64_t m_heldClockUs = 0;
    Clock::time_point m_lastHold;
    bool m_asyncMode = false;
    int64_t m_asyncBudgetUs = 0;
    int64_t m_asyncTarget = -1; // latched: the newest target wins
    uint64_t m_asyncGeneration = 0;
    bool m_delivery = false;
    std::vector<int16_t> m_levelSamples; // latest played samples, for the level display
    bool m_levelFresh = false;
    int m_volume = 100;
    int m_rendererVolume = 100;
    std::atomic<int> m_speedPercent{100}; // changed under m_mutex with the clock re-anchored
    int64_t m_lateToleranceUs = 50000;
    // The shown size, width in the high half (0: unknown); read by the
    // decode and present threads without a lock.
    std::atomic<uint64_t> m_shownSize{0};
    // Edits are set: pictures are decoded at full size for them.
    std::atomic<bool> m_editsSet{false};
    orl_video_sink m_sink{};
    orl_video_sink m_elementSink{};

    std::mutex m_presentMutex; // serialises delivery to the sinks
    FramePtr m_current;          // guarded by m_presentMutex: the picture on screen
    int64_t m_currentPtsUs = 0;  // guarded by m_presentMutex
    int64_t m_currentEndUs = 0;  // guarded by m_presentMutex
    // Guarded by m_presentMutex: the pictures shown just before the current
    // one, in order and without gaps, so a step back costs no decoding.
    std::deque<VideoFrame> m_history;
    ScreenColours m_screen;      // guarded by m_presentMutex
    std::vector<uint8_t> m_rgb;  // guarded by m_presentMutex
    std::vector<uint8_t> m_turned; // guarded by m_presentMutex
    bool m_converted = false;      // guarded by m_presentMutex: pixels match m_current
    const uint8_t *m_convertedPixels = nullptr; // guarded by m_presentMutex
    int m_convertedStride = 0;                  // guarded by m_presentMutex
    int m_convertedWidth = 0;                   // guarded by m_presentMutex
    int m_convertedHeight = 0;                  // guarded by m_presentMutex
    // Guarded by m_presentMutex: the edits and the edited picture on screen.
    std::unique_ptr<EditPreview> m_edits;
    FramePtr m_edited;
    bool m_editedValid = false;      // m_edited belongs to m_current and m_edits
    bool m_editedConverted = false;  // m_editedRgb matches m_edited
    ScreenColours m_editedScreen;
    std::vector<uint8_t> m_editedRgb;

    std::mutex m_blobMutex;
    std::map<const orl_picture *, std::unique_ptr<EncodedPicture>> m_grabs; // guarded by m_blobMutex
    std::map<const orl_audio_block *, std::unique_ptr<AudioBlock>> m_blocks; // guarded by m_blobMutex

    std::thread m_decodeThread;
    std::thread m_presentThread;

    struct PostedCommand {
        Posted kind;
        int64_t value;
        bool replaced; // a newer seek made it moot: reported, not run
    };
    std::mutex m_postMutex;
    std::condition_variable m_postCv;       // with m_postMutex: queue, busy or quit changed
    std::deque<PostedCommand> m_posted;     // guarded by m_postMutex
    bool m_postBusy = false;                // guarded by m_postMutex: a posted command runs
    bool m_postQuit = false;                // guarded by m_postMutex
    // Bumped by every seek that supersedes an older one; an exact seek that
    // sees it change stops decoding.
    std::atomic<uint64_t> m_seekGeneration{0};
    std::mutex m_notifyMutex;               // held while the notify callback runs
    orl_player_notify m_notify = nullptr;   // guarded by m_notifyMutex
    void *m_notifyOpaque = nullptr;         // guarded by m_notifyMutex
    std::thread m_commandThread;            // lives as long as the player
};

} // namespace orl
