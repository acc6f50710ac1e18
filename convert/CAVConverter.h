#pragma once
// Turns one range of one media item into a file, or appends it to a merged
// file, through the media library; a worker thread watches the engine and
// reports progress through the caller's callback.
#include "EngineHandle.h"
#include "IAVConverter.h"
#include "MediaConversion.h"
#include "MediaTypes.h"
#include "PartialOutput.h"
#include "QUtilThread.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class VoCancelToken;

// Threads: one owner thread (the interface thread in the window) calls the
// public operations; one worker at a time runs run() and reports through
// the caller's callback from there. The owner waits for the worker only
// once it has reported its end or was told to stop (waitForExit blocks).
class CAVConverter : public IAVConverter, public QUtilThread {
public:
    CAVConverter();
    ~CAVConverter() override;

    // async false: opens the source on the calling thread, which it blocks
    // while the source opens (so never the interface thread), and returns
    // whether the conversion runs. async true: returns at once (false only
    // when no job can be made); the worker opens the source and reports
    // "starting", then the outcome as usual: failed, cancelled, progress
    // and finished.
    bool StartConvert(const char *src, const char *dst, const ConvertJob &job, void *context,
                      ConvertProgressFn callback, bool async) override;
    // Stops and waits for the worker, which ends within moments of the stop.
    void StopConvert() override;
    // Asks the job in progress to stop and returns at once; the job reports
    // its end (cancelled) through its callback. The open under way gives up
    // too, and so do the steps of a merge range's fall-backs.
    void RequestStop();
    bool OpenMerger(const char *dst, const ConvertJob &job) override;
    // The sources of every range the merge will hold, in order: before the
    // first range is copied, they are checked to join by stream copy, and
    // the merge fails at once, saying what differs, when they do not.
    void SetMergeSources(std::vector<std::string> sources) { m_mergeSources = std::move(sources); }
    // Opens the range's source on the calling thread (see StartConvert).
    bool AddMergeSegment(const char *src, const ConvertJob &job, void *context,
                         ConvertProgressFn callback) override;
    // As AddMergeSegment, but returns at once and opens the range's source
    // on the worker: a range that cannot be added reports "failed". The
    // last range (last) also completes the merged file and checks it on
    // the worker before it reports "finished" (or "failed" when the check
    // fails); StopMerger then only gives the file its name.
    bool StartMergeSegment(const char *src, const ConvertJob &job, void *context, ConvertProgressFn callback,
                           bool last = false);
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
    // asked for ("frame-exact: ..." or "cut at key frames: ..."); empty
    // otherwise. Any thread.
    std::string cutReport() const;
    // The check of the last output (the conversion's, or the merged file's
    // once the merger is finished): "passed", why it failed, or empty when
    // none ran. Any thread.
    std::string checkReport() const;
    // When the last merge stopped because its files do not join by stream
    // copy: each file that differs and how. Any thread.
    std::vector<MediaMerge::Misfit> misfits() const;
    // How each range of the merge went in so far. Any thread.
    std::vector<MediaMerge::RangeWay> rangeWays() const;
    // False when the last StopMerger could not complete the merged file.
    bool mergedFileComplete() const { return m_mergeComplete.load(); }
    // The file actually written: the destination given, or the same name
    // with another extension when the container had to change (or with a
    // number, when another file took the name while it was being written).
    // Until it is complete the output lives under partialPathFor() of it.
    // Any thread.
    std::string outputPath() const;
    // Where a source that ends early (a partial download) ended, in µs of
    // its timeline; 0 when the range was read whole. Valid once finished.
    uint64_t sourceEndedAt() const { return m_sourceEndedAt.load(); }

protected:
    void run() override;

private:
    // Where the engine writes until the output is complete, and the lock
    // that marks that temporary as ours while it is written.
    struct Opened {
        bool ok = false;
        std::string dst;
        std::string partial;
        std::unique_ptr<PartialInUse> inUse; // null: the destination did not change
    };

    bool openAndStart(const char *formatName, const std::string &partial);
    void runConversion();
    void runMerge();
    void runAsyncStart();
    void runAsyncMergeAdd();
    void report(int32_t percent, int32_t state);
    void rememberError(MediaHandle handle);
    void setError(const std::string &text);
    // Opens, sets the range and starts, falling back as the lossless rules
    // say. Writes no field: a container change hands back the destination
    // named after it, which the caller adopts.
    Opened openWithRetries(const std::string &dst, const std::string &partial);
    // Adds the range to the merger, falling back as openWithRetries; a
    // change of container starts the merged file anew under its new name.
    // Stops between the steps when the job is cancelled.
    Opened addWithRetries(const std::string &src, const ConvertJob &job, MediaHandle params,
                          const std::string &dst, const std::string &partial);
    void adopt(Opened &opened);
    void closeConversion();
    void dropTracks();
    // The destination the engine writes to: the temporary of finalPath.
    void setDestination(const std::string &finalPath);
    std::string destination() const;
    std::string partialPath() const;
    // Gives the complete temporary its final name; false (error set) when
    // it cannot. Worker or owner, whichever ends the job.
    bool publish();
    void discardOutput();
    void finishMerger(bool wait, bool keep);
    // Merge_Finish with its check; false (error set) when the merged file
    // is not complete or failed its check. Worker or owner.
    bool completeMerge();
    // A fresh cancel for the next job, wired into the engine's handle.
    void armCancel();
    // Waits up to the 100 ms progress period, but returns as soon as the
    // engine reports the end, so a short job is not held up by the poll.
    static void sleepPoll(const std::function<bool()> &ended = {}, int period_ms = 100);

    struct Track {
        int32_t id = 0;
        int32_t type = 0;
        EngineHandle handle;
    };

    // Made by the owner before the worker starts; closed by whichever of
    // owner and worker takes it first.
    std::atomic<MediaHandle> m_conv{0};
    EngineHandle m_merger;                 // owner thread; reset only while no worker runs, which polls it
    std::atomic<bool> m_cancel{false};     // any thread: a stop was asked for (told apart from a failure)
    std::unique_ptr<VoCancelToken> m_cancelToken; // owner thread: made before each job, triggered by RequestStop
    // The owner sets these before start() and changes them only while no
    // worker runs; the worker reads them while it runs (start() and the
    // join order the two).
    void *m_context = nullptr;
    ConvertProgressFn m_callback = nullptr;
    void *m_mergeContext = nullptr;
    ConvertProgressFn m_mergeCallback = nullptr;
    bool m_async = false;
    bool m_mergeMode = false;
    EngineHandle m_params;                 // the open's parameters; Param_ changes on a fall-back are the open's
    ConvertJob m_job;
    std::string m_src;
    EngineHandle m_mergeParams;            // as m_params, for the merge range being added
    std::vector<std::string> m_mergeSources; // checked by the first range's worker, then cleared
    ConvertJob m_mergeJob;                 // as m_job, for the merge range being added
    std::vector<Track> m_tracks;           // owner thread
    std::atomic<bool> m_mergeComplete{true}; // the owner's, or the last range's worker's before it reports
    bool m_mergeLast = false;              // set before the worker starts
    std::atomic<bool> m_mergeFinished{false}; // the worker completed the merged file
    // The output. A fall-back of the worker's open changes it; the owner
    // may read it without the lock while no worker runs.
    mutable std::mutex m_outputMutex;
    std::string m_dst;                     // guarded by m_outputMutex: the final name
    std::string m_partial;                 // guarded by m_outputMutex: where the engine writes until complete
    std::unique_ptr<PartialInUse> m_partialInUse; // guarded by m_outputMutex
    std::string m_published;               // guarded by m_outputMutex: the name the output got, when not m_dst
    mutable std::mutex m_errorMutex;
    std::string m_lastError;               // guarded by m_errorMutex
    std::string m_cutReport;               // guarded by m_errorMutex
    std::string m_checkReport;             // guarded by m_errorMutex
    std::vector<MediaMerge::Misfit> m_misfits;    // guarded by m_errorMutex
    std::vector<MediaMerge::RangeWay> m_rangeWays; // guarded by m_errorMutex
    std::atomic<uint64_t> m_sourceEndedAt{0};
};
