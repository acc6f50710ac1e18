#pragma once
// Turns one range of one media item into a file, or appends it to a merged
// file, through the media library; a worker thread watches the engine and
// reports progress through the caller's callback.
#include "EngineHandle.h"
#include "IAVConverter.h"
#include "PartialOutput.h"
#include "QUtilThread.h"

#include <orlcodec.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The engine's parameter set for a job: encoder settings (lossless: the
// codecs only) and the edit record's values, in the order the engine takes
// them. Holds no handle when no parameter set could be created.
EngineHandle createJobParams(const ConvertJob &job);
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
    // Ends a merge whose result is not wanted (a range failed): the merged
    // file is never given its name.
    void AbandonMerger();
    bool StartStreams(const char *dst, const ConvertJob &job, void *context,
                      StreamsProgressFn progress, StreamsTimeFn time) override;
    void AddTrack(int32_t id, int32_t type, int32_t codecId, const TrackParams *params) override;
    void AddTrack(TypeFirst, int32_t type, int32_t id, int32_t codecId, const TrackParams *params) override;
    bool WriteSample(int32_t id, const TrackSample *sample) override;
    void EndOfStreams() override;

    // Why the conversion or merge failed (the engine's text, or the tag
    // writer's), for the failure message; any thread.
    std::string lastError() const;
    // How the last lossless conversion was cut when frame-exact cuts were
    // asked for ("frame-exact: ..." or "cut at key frames: ..."); empty otherwise.
    std::string cutReport() const { return m_cutReport; }
    // False when the last StopMerger could not complete the merged file.
    bool mergedFileComplete() const { return m_mergeComplete; }
    // The file actually written: the destination given, or the same name
    // with another extension when the container had to change (or with a
    // number, when another file took the name while it was being written).
    // Until it is complete the output lives under partialPathFor() of it.
    std::string outputPath() const;
    // Where a source that ends early (a partial download) ended, in µs of
    // its timeline; 0 when the range was read whole. Valid once finished.
    uint64_t sourceEndedAt() const { return m_sourceEndedAt.load(); }

protected:
    void run() override;

private:
    bool openAndStart(const char *formatName);
    void runConversion();
    void runMerge();
    void runAsyncStart();
    void report(int32_t percent, int32_t state);
    void rememberError(ORL_HANDLE handle);
    void setError(const std::string &text);
    // Opens, sets the range and starts, falling back as the lossless rules
    // say; on a container change the destination is renamed after it.
    bool openWithRetries();
    void closeConversion();
    void dropTracks();
    // The destination the engine writes to: the temporary of m_dst.
    void setDestination(const std::string &finalPath);
    // Gives the complete temporary its final name; false (error set) when
    // it cannot. Worker or owner, whichever ends the job.
    bool publish();
    void finishMerger(bool wait, bool keep);
    // Waits up to the 100 ms progress period, but returns as soon as the
    // engine reports the end, so a short job is not held up by the poll.
    static void sleepPoll(const std::function<bool()> &ended = {}, int period_ms = 100);

    struct Track {
        int32_t id = 0;
        int32_t type = 0;
        EngineHandle handle;
    };

    // Threads: the owner's (interface) thread calls the public operations;
    // one worker at a time runs run(). Fields the owner sets before start()
    // and reads only after the worker has ended need no guard (the thread
    // start and join order them).
    std::atomic<ORL_HANDLE> m_conv{0}; // closed by whichever of owner and worker takes it first
    EngineHandle m_merger;             // owner's; the worker only polls it
    std::atomic<bool> m_cancel{false};
    void *m_context = nullptr;             // set before start(), cleared after the worker ended
    ConvertProgressFn m_callback = nullptr; // as m_context
    std::atomic<bool> m_mergeMode{false};
    bool m_async = false;               // set before start()
    EngineHandle m_params;              // owner's, or the asynchronous worker's while it opens
    ConvertJob m_job;                   // set before start(); the worker's while it runs
    bool m_hasJob = false;              // as m_job
    std::string m_src;                  // as m_job
    // As m_job: the final name. Written under m_errorMutex as well, since
    // outputPath() may read it while an open runs away from the interface.
    std::string m_dst;
    std::string m_partial;              // as m_job: where the engine writes until the output is complete
    PartialInUse m_partialInUse;        // owner's; marks m_partial as ours while it is written
    ManualResetEvent m_done;            // set by the worker, waited for by the owner (thread-safe)
    void *m_mergeContext = nullptr;             // set before start()
    ConvertProgressFn m_mergeCallback = nullptr; // set before start()
    std::vector<Track> m_tracks;        // owner's
    mutable std::mutex m_errorMutex;
    std::string m_lastError;            // guarded by m_errorMutex
    std::string m_published;            // guarded by m_errorMutex: the name the output got, when not m_dst
    std::string m_cutReport;            // written by the worker before it signals done
    std::atomic<uint64_t> m_sourceEndedAt{0};
    bool m_mergeComplete = true;        // owner's
};
