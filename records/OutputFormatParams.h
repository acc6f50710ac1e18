#pragma once
// The one process-wide record of the output parameters the next conversion
// uses. Filled by the custom parameters panel when a format is accepted
// (and once at start-up), read when a media item assembles its conversion
// job and when outputs are named. Interface thread only.
#include <QString>
#include <cstdint>

struct OutputFormatParams {
    bool audioOnly = false;
    bool lossless = false;     // High-Speed mode: streams are copied
    uint32_t quality = 0;      // 90 "High Quality", 50 otherwise
    QString container;         // "Original" keeps the source container
    QString extension;         // empty for the lossless "Original" format
    QString videoCodec;        // codec tag
    int32_t videoCodecId = 0;  // engine codec id; -1 no tag, 0 "Original"
    int32_t width = 0;         // 0 x 0 keeps the source size
    int32_t height = 0;
    int32_t frameRateNum = 0;  // 0 keeps the source rate
    int32_t frameRateDen = 0;
    int32_t videoBitrate = 0;  // kbit/s
    QString audioCodec;
    int32_t audioCodecId = 0;  // -1 no tag, 0 "Original"
    uint32_t channels = 0;
    uint32_t sampleRate = 0;   // Hz
    uint32_t audioBitrate = 0; // kbit/s
    // High-Speed mode only: re-encode just the pictures between each cut
    // point and its nearest key frame, copy the rest. Stored as
    // "FRAMEEXACT_ITEM"/"bFrameExactCut" ("Y"/"N", default "N").
    bool frameExactCut = false;

    // The process-wide instance, created empty on first use.
    static OutputFormatParams &instance();

    // True for the lossless format that keeps the source container.
    bool keepsSourceContainer() const { return container == QLatin1String("Original"); }
};
