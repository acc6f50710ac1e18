#pragma once
// The media library's handles and values in the engine's own terms. The
// engine's headers use only these, so that no folder above the engine
// receives the library's header through them: only engine sources call
// the library and turn these values into its own.
#include <QString>

#include <cstdint>

// A handle of the media library (a player, an information reader, a
// parameter set …): an opaque number, 0 for none. Folders above the engine
// only keep it and hand it back to the engine.
using MediaHandle = std::intptr_t;

// Stream kinds (the library's values: VoInfoClass.cpp checks them).
namespace MediaStream {
enum Kind : int { Video = 1, Audio = 2, Subtitle = 8 };
}

// Encoded picture formats of the frame grabbers.
namespace MediaPicture {
enum Format : int {
    Jpeg = 0,
    Png = 1,
    // Added to a format: the key frame at or before the time instead of
    // the exact picture (previews, decoded at once).
    KeyFrame = 0x100
};
}

// How a video stream's pictures are meant to be shown. Texts are FFmpeg's
// names ("bt709", "smpte2084", range "tv"/"pc"), empty when the stream does
// not say.
struct VoVideoLook {
    QString primaries;
    QString transfer;
    QString matrix;
    QString range;
    QString pixelFormat; // "yuv420p10le"
    QString fieldOrder;  // "progressive", "tt", "bb", "tb", "bt"; empty when unknown
    QString hdr;         // "HDR10" (PQ), "HLG", empty for SDR
    int bitDepth = 0;    // bits per component, 0 when unknown
    int rotation = 0;    // clockwise degrees for display
    // Mastering display: luminance in cd/m², primaries and white point as
    // CIE 1931 xy (red, green, blue, white).
    bool hasMasteringDisplay = false;
    double maxLuminance = 0;
    double minLuminance = 0;
    double displayPrimaries[4][2] = {};
    // Content light level, cd/m².
    bool hasContentLight = false;
    int maxCll = 0;
    int maxFall = 0;
};
