#pragma once
// Lossless cutting and joining: copies the packets of the chosen streams of
// a time range into a new file without decoding them.
//
// Cut rules: the output begins at the key frame at or before the asked
// start. Containers that can hide frames with an edit list (the MP4/MOV
// family) get the lead-in frames at negative times, so the file shows the
// asked start; the others start at the key frame. Audio begins with the
// packet that covers the start. Packets at or after the asked end are
// dropped, except video packets that frames before the end depend on.
// Output timestamps start at 0 (or the hidden lead-in) and only increase.
#include "CopyInput.h"
#include "Job.h"
#include "JoinFit.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace orl {

class CopyOutput;
class SmartCut;

// One stream-copy conversion: one source range into one output file.
class StreamCopyConversion final : public RangeConversionJob {
public:
    explicit StreamCopyConversion(InterruptCheck globalInterrupt);
    ~StreamCopyConversion();

    // Opens the source and checks that the container can take every chosen
    // stream (nothing is written yet). False with lastError() set otherwise.
    bool open(const std::string &src, const std::string &dst, const std::string &format,
              const CopyChoice &choice);
    // Creates the output file and starts the worker thread.
    bool start();

    // How the last run cut (ORL_CUT_*) and a sentence saying so.
    int cutMode() const { return m_cutMode.load(); }
    std::string cutReport() const { return m_cutReport.get(); }

private:
    void forget() override;
    bool run(std::string &error);
    bool copyOnce(SmartCut *cut, std::string &error);

    // Set up on the caller's thread while no worker runs; the worker's
    // alone from start() until it ends.
    std::unique_ptr<CopyInput> m_input;
    std::unique_ptr<CopyOutput> m_output;
    CopyChoice m_choice;
    std::atomic<int> m_cutMode{0};
    ErrorText m_cutReport;
    int m_unrepaired = 0; // pictures of the last copy a decoder will complain about
};

// Several source ranges joined into one output file, one range at a time.
// Each range continues the timeline where the previous one ended.
class StreamCopyMerger final : public RangeMergeJob {
public:
    explicit StreamCopyMerger(InterruptCheck globalInterrupt);
    ~StreamCopyMerger();

    // Remembers the destination; the file is created by the first add.
    bool open(const std::string &dst, const std::string &format);
    // Appends a range on a worker thread; isDone() tells when it is in.
    bool add(const std::string &src, uint64_t start_us, uint64_t length_us, const CopyChoice &choice);
    // Whether ranges of every source join in one file by stream copy, asked
    // before any is added: 1 when they do; 0 when not, and -1 when a source
    // cannot be read, with report saying what differs or why.
    // misfits: each file that does not join, with the kinds of stream that
    // differ.
    int checkSources(const std::vector<std::string> &sources, const CopyChoice &choice, std::string &report,
                     std::vector<JoinMisfit> &misfits);
    // Waits for the current range and completes the file.
    bool finish();
    // Stops a range being added and closes the file.
    void abort();

    // How the frame-exact ranges were cut (ORL_CUT_*), one note per range.
    int cutMode() const { return m_cutMode.load(); }
    std::string cutReport() const { return m_cutReport.get(); }
    // Where ranges from another file than the one before begin in the
    // output (µs); read while no range is being added.
    const std::vector<int64_t> &joins() const { return m_joins; }
    // How each range went in (ORL_RANGE_*), in order; any thread.
    std::vector<int> rangeMethods() const
    {
        std::lock_guard<std::mutex> lock(m_methodsMutex);
        return m_methods;
    }

private:
    bool run(CopyInput &input, uint64_t start_us, uint64_t length_us, const std::string &partChapter,
             std::string &error);
    // Creates the merged file from the first range's streams, or checks that a
    // later range (from src) brings streams that join them.
    bool attach(CopyInput &input, const AVOutputFormat *ofmt, const std::string &src, std::string &error);
    bool runExact(const std::string &src, uint64_t start_us, uint64_t length_us, const CopyChoice &choice,
                  const std::string &partFormat,
                  std::string &error);

    // The fields below are touched by one worker at a time, and by the
    // caller's thread only between workers.
    std::unique_ptr<CopyOutput> m_output;
    int64_t m_timelineEnd_us = 0;          // where the next range begins
    int64_t m_presentationEnd_us = 0;      // output time of the last range's asked end, 0 = its natural end
    bool m_editList = false;
    std::atomic<int> m_rangesAdded{0}; // read by open() while a worker may add
    std::vector<JoinedStream> m_first;     // the first range's streams, which every later one must match
    std::vector<bool> m_inBand;            // streams whose ranges carry their parameter sets in band
    std::vector<bool> m_expectInBand;      // the same as checkSources foresaw it, before the first range
    std::string m_lastSource;              // the file the last range came from
    std::vector<int64_t> m_joins;          // where ranges from another file begin (output µs)
    std::atomic<int> m_cutMode{0};
    ErrorText m_cutReport;
    int m_nextMethod = 1;                  // how the range going in is made (ORL_RANGE_*)
    mutable std::mutex m_methodsMutex;
    std::vector<int> m_methods;            // guarded by m_methodsMutex: per range joined
};

} // namespace orl
