#pragma once
// The offset between two sound tracks of one event: each reduced to a
// loudness envelope, the two cross-correlated.
#include "Interrupt.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orl {

// Loudness of one sound stream of a file, one value per millisecond, of up
// to max_us from the start. False with the reason otherwise.
bool soundEnvelope(const std::string &path, int stream, int64_t max_us, const InterruptFlags &irq,
                   std::vector<float> &envelope, std::string &error);

struct EnvelopeMatch {
    double offset_ms = 0;  // how much later the second comes than the first
    double confidence = 0; // 0 to 1
    double peak = 0;       // the best correlation, normalised
    double runnerUp = 0;   // the best one away from it
};

// Cross-correlates two envelopes (1 ms a value) over lags of up to
// maxLag_ms either way.
EnvelopeMatch matchEnvelopes(const std::vector<float> &first, const std::vector<float> &second, int maxLag_ms);

} // namespace orl
