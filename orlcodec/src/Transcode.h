#pragma once
// Encoding conversions: one range of a source decoded, run through the
// edit graph of its parameter set (TranscodeFilters.h) and encoded with the
// set's codecs; and merges, where ranges of several sources are encoded one
// after the other into one file by encoders that stay open, on one
// continuous timeline.
//
// Ranges start exactly: decoding begins at the key frame before the start
// and the graph drops what comes before it. In a merge each range's
// sound is cut or padded with silence to the range's length, so the ranges
// stay in step.
// A stop ends the work within one frame and removes the unfinished file; a
// failure anywhere ends as failed with the reason in lastError(), never as
// finished.
#include "Job.h"
#include "ParamSet.h"

#include <memory>
#include <optional>
#include <string>

namespace orl {

class EncodedOutput;
class RangeSource;

class TranscodeConversion final : public RangeConversionJob {
public:
    explicit TranscodeConversion(InterruptCheck globalInterrupt);
    ~TranscodeConversion();

    // Opens the source and finds the encoders; nothing is written yet.
    bool open(const std::string &src, const std::string &dst, const std::string &format, const ParamValues &params);
    // Sets up encoders and the graph, creates the file and starts the worker.
    bool start();

private:
    void forget() override;
    bool run(std::string &error);

    // Set up on the caller's thread while no worker runs; the worker's
    // alone from start() until it ends.
    ParamValues m_params;
    std::unique_ptr<RangeSource> m_source;
    std::unique_ptr<EncodedOutput> m_output;
};

class TranscodeMerger final : public RangeMergeJob {
public:
    explicit TranscodeMerger(InterruptCheck globalInterrupt);
    ~TranscodeMerger();

    // Remembers the destination and the encoder settings; the file is
    // created by the first range.
    bool open(const std::string &dst, const std::string &format, const ParamValues &params);
    // Encodes a range on a worker thread, with that range's own edits.
    // With a chapter title the range becomes one chapter of that title.
    bool add(const std::string &src, uint64_t start_us, uint64_t length_us, const ParamValues &params,
             const std::optional<std::string> &chapter = std::nullopt);
    // Waits for the current range, drains the encoders and completes the file.
    bool finish();
    // Stops a range being encoded and removes the unfinished file.
    void abort();

private:
    bool run(RangeSource &source, std::string &error);

    ParamValues m_encoding; // encoder settings of the whole file
    // Touched by one worker at a time, and by the caller's thread only
    // between workers.
    std::unique_ptr<EncodedOutput> m_output;
};

} // namespace orl
