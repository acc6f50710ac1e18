#pragma once
// A conversion job's parameter set for the media library: the encoder
// settings (lossless: the codecs only), the edit record's values and the
// track plan, in the order the library takes them.
#include "ConvertJob.h"
#include "EngineHandle.h"

#include <string>

// Holds no handle when no parameter set could be made.
EngineHandle createJobParams(const ConvertJob &job);

// The set of a conversion fed by elementary streams: both kinds encoded,
// the first subtitle stream kept.
EngineHandle createStreamParams();

// The lossless fall-backs when a container refuses the chosen streams:
// step 1 drops the chosen subtitle set, step 2 every subtitle, step 3
// (MP4 family only) writes QuickTime instead. Changes the set p as the
// step says and returns the container to try, or nullptr when the step
// does not apply to format. The text returned lives as long as format.
const char *prepareLosslessRetry(MediaHandle p, int step, const std::string &format);
