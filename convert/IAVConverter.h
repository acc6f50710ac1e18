#pragma once
#include "ConvertJob.h"

#include <cstdint>

// Progress report of a converter: percent, the caller's context and a
// state (see convertState).
typedef void (*ConvertProgressFn)(int32_t percent, void *context, int32_t state);
// Elementary-stream mode: position in ms, and the time of the first track in s.
typedef void (*StreamsProgressFn)(void *context, uint64_t position_ms);
typedef void (*StreamsTimeFn)(void *context, double seconds);

// Parameters of one elementary-stream track.
struct TrackParams {
    int32_t width = 0;
    int32_t height = 0;
    uint32_t frameRate = 0;
    uint32_t frameRateScale = 1;
    double aspectX = 1.0; // display size = aspect factors times the size
    double aspectY = 1.0;
    int32_t audioFirst = 0;  // sample rate
    int32_t audioSecond = 0; // channels
    const uint8_t *privateData = nullptr;
    int32_t privateSize = 0;
};

// One sample of an elementary-stream track; times in the track's timescale.
struct TrackSample {
    int64_t pts = 0;
    int64_t dts = 0;
    int64_t duration = 0;
    uint32_t timescale = 1000;
    bool keyFrame = false;
    const uint8_t *data = nullptr;
    int32_t size = 0;
};

class IAVConverter {
public:
    virtual ~IAVConverter() = default;
    virtual bool StartConvert(const char *src, const char *dst, const ConvertJob &job, void *context,
                              ConvertProgressFn callback, bool async) = 0;
    virtual void StopConvert() = 0;
    virtual bool OpenMerger(const char *dst, const ConvertJob &job) = 0;
    virtual bool AddMergeSegment(const char *src, const ConvertJob &job, void *context,
                                 ConvertProgressFn callback) = 0;
    virtual void StopMerger(bool wait) = 0;
    virtual bool StartStreams(const char *dst, const ConvertJob &job, void *context,
                              StreamsProgressFn progress, StreamsTimeFn time) = 0;
    virtual void AddTrack(int32_t id, int32_t type, int32_t codecId, const TrackParams *params) = 0;
    // The same with type and identifier in the other order.
    struct TypeFirst {};
    virtual void AddTrack(TypeFirst, int32_t type, int32_t id, int32_t codecId, const TrackParams *params) = 0;
    virtual bool WriteSample(int32_t id, const TrackSample *sample) = 0;
    virtual void EndOfStreams() = 0;
};

// Creates a converter; the caller owns it.
IAVConverter *createConverter();
