#pragma once
// Everything one conversion needs, assembled by a media item from itself,
// the output parameters and its edit record. Copies are deep.
#include "TrackPlan.h"
#include "VEEditConfig.h"

#include <cstdint>
#include <string>

struct ConvertJob {
    std::string formatName;  // lower-case container name
    int32_t videoCodecId = -1;
    int32_t width = 0;
    int32_t height = 0;
    int32_t frameRateX100 = 0; // unused: the rational rate below is used
    int32_t frameRateNum = 0;
    int32_t frameRateDen = 0;
    int32_t videoBitrate = 0;  // kbit/s
    uint32_t videoQuality = 0;
    int32_t audioCodecId = -1;
    uint32_t sampleRate = 0;   // Hz
    uint32_t channels = 0;
    uint32_t audioBitrate = 0; // kbit/s
    uint32_t audioQuality = 0;
    uint64_t rangeStart = 0;   // µs
    uint64_t rangeEnd = 0;     // µs, 0 = to the end
    uint64_t rangeLength = 0;  // µs, 0 = to the end
    bool isDisc = false;
    bool lossless = false;
    bool frameExactCut = false; // lossless: encode only the pictures at the cut points
    std::string partChapter;    // lossless merge: this range's one chapter title (UTF-8); empty: the source's chapters
    bool matchSound = false;    // lossless merge of several files: sound that differs from the first's is encoded to match
    VEEditConfig editConfig;
    // The streams kept, their order, names, flags and shifts; empty: as the
    // edit record's stream choice says.
    TrackPlan trackPlan;
};

// Stream choice derived from the edit record for the engine: the position
// of the first selected audio/subtitle entry and the lossless copy masks.
struct EngineStreamChoice {
    int audioIndex = -1;
    int subtitleIndex = -1;
    uint64_t audioMask = 0;
    uint64_t subtitleMask = 0;
    bool firstSubtitleIsClosedCaption = false;
};
EngineStreamChoice engineStreamChoice(const VEEditConfig &config);
