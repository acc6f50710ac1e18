#pragma once
// Turns one range of one media item into a file, or appends it to a merged
// file, through the media library; a worker thread watches the engine and
// reports progress through the caller's callback.
#include "IAVConverter.h"
#include "QUtilThread.h"

#include <orlcodec.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

// The engine's parameter set for a job: encoder settings (lossless: the
// codecs only) and the edit record's values, in the order the engine takes
// them. Returns 0 when no parameter set could be created.
ORL_HANDLE createJobParams(const ConvertJob &job);
void applyEncoderSettings(ORL_HANDLE p, const ConvertJob &job);
void applyEditSettings(ORL_HANDLE p, const ConvertJob &job);

class CAVConverter : public IAVConverter, public QUtilThread {
public:
    CAVConverter();
    ~CAVConverter() override;

    bool StartConvert(const char *src, const char *dst, const ConvertJob &job, void *context,
                      ConvertProgressFn callback, bool async) override;
    void StopConvert() override;
    bool OpenMerger(const char *dst, const ConvertJob &job) override;
    bool AddMergeSegment(const char *src, const ConvertJob &job, void *context,
                         ConvertProgressFn callback) override;
    void StopMerger(bool wait) override;
    bool StartStreams(const char *dst, const ConvertJob &job, void *context,
                      StreamsProgressFn progress, StreamsTimeFn time) override;
    void AddTrack(int32_t id, int32_t type, int32_t codecId, const TrackParams *params) override;
    void AddTrack(TypeFirst, int32_t type, int32_t id, int32_t codecId, const TrackParams *params) override;
    bool WriteSample(int32_t id, const TrackSample *sample) override;
    void EndOfStreams() override;

    // The engine's last error text of the conversion or merger, for logs.
    std::string lastError() const { return m_lastError; }
    // False when the last StopMerger could not complete the merged file.
    bool mergedFileComplete() const { return m_mergeComplete; }

protected:
    void run() override;

private:
    bool openAndStart(const char *formatName);
    void runConversion();
    void runMerge();
    void runAsyncStart();
    void report(int32_t percent, int32_t state);
    void rememberError(ORL_HANDLE handle);
    void dropTracks();
    // Waits up to the 100 ms progress period, but returns as soon as the
    // engine reports the end, so a short job is not held up by the poll.
    static void sleepPoll(const std::function<bool()> &ended = {});

    struct Track {
        int32_t id = 0;
        int32_t type = 0;
        ORL_HANDLE handle = 0;
    };

    ORL_HANDLE m_conv = 0;
    ORL_HANDLE m_merger = 0;
    std::atomic<bool> m_cancel{false};
    void *m_context = nullptr;
    ConvertProgressFn m_callback = nullptr;
    std::atomic<bool> m_mergeMode{false};
    bool m_async = false;
    bool m_readChapters = false;
    ORL_HANDLE m_params = 0;
    ORL_HANDLE m_chapterInfo = 0;
    ConvertJob m_job;
    bool m_hasJob = false;
    std::string m_src;
    std::string m_dst;
    ManualResetEvent m_done;
    void *m_mergeContext = nullptr;
    ConvertProgressFn m_mergeCallback = nullptr;
    std::vector<Track> m_tracks;
    std::string m_lastError;
    bool m_mergeComplete = true;
};
