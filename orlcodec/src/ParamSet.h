#pragma once
// A parameter set: encoder settings, stream choice, edits, overlays and
// sound for one conversion. Filled by the Param_ operations, read when a
// conversion or a merge opens (each takes its own copy).
#include "Handles.h"
#include "TrackChoice.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orl {

struct OverlaySettings {
    // image part
    std::string imagePath;
    std::string imageAux;
    int imageValue = 0;
    double imageX = 0, imageY = 0;
    int imageScaleX = 100, imageScaleY = 100;
    int imageReserved = 0;
    int imageAlpha = 255;
    int frameType = 0;
    double imageScale[2] = {0, 0};
    int imageFlag = 1;
    double sourceRect[4] = {0, 0, 1, 1};
    uint64_t imageStart_us = 0, imageEnd_us = 0; // source times; end 0 = to the end
    // text part
    std::string text;
    int textAlpha = 255;
    double textX = 0, textY = 0;
    int textReserved = 0;
    int bold = 0, italic = 0, underline = 0, strikeOut = 0;
    int fontSize = 28;
    std::string fontName;
    uint32_t color = 0xffffffffu;
    uint32_t outlineColor = 0xff000000u;
    double outlineSize = 1.0;
    uint32_t shadowColor = 0x80000000u;
    double shadowOffset = 0.5;
    int textScaleX = 100, textScaleY = 100;
    int textOnTop = 1;
    double spacingH = 0, spacingV = 0;
    uint64_t textStart_us = 0, textEnd_us = 0; // source times; end 0 = to the end
};

struct SubtitleLook {
    int alpha = 255;
    int scaleX = 100, scaleY = 100;
    int reservedA = 0, reservedB = 0;
    std::string fontName;
    int bold = 0, italic = 0, underline = 0, strikeOut = 0;
    int fontSize = 18;
    uint32_t color = 0xffffffffu;
    uint32_t shadowColor = 0x80000000u;
    uint32_t outlineColor = 0xff000000u;
    double shadowOffset = 0.5;
    double outlineSize = 1.0;
    double marginH = 0.05;
    double margin = 0.05;
    int position = 0;
    double spacingH = 0, spacingV = 0;
};

struct BackgroundAudio {
    std::string path;
    int repeat = 1;
    int reserved = 0;
    int volume = 100;
    int weight = 50;
    uint64_t start_us = 0, end_us = 0;
    uint64_t extra[2] = {0, 0};
};

struct ParamValues {
    // encoding
    bool encodeVideo = false;
    bool encodeAudio = false;
    int videoCodec = 0; // legacy identifiers
    int audioCodec = 0;
    int profileMode = 0;
    int profile = 0;
    int width = 0, height = 0;
    int frameRateNum = 0, frameRateDen = 0;
    int64_t videoBitrate = 0; // bit/s
    int videoQuality = 0;
    int channels = 0;
    int sampleRate = 0;
    int64_t audioBitrate = 0;
    int audioQuality = 0;
    std::vector<std::pair<std::string, std::string>> options;
    // picture
    int brightness = 0, saturation = 100, contrast = 100, hue = 0;
    // streams
    int program = 0;
    int audio = 0;          // -1 = no audio
    uint64_t audioMask = 0;
    int subtitle = -1;      // -1 = none
    uint64_t subtitleMask = 0;
    int subtitleCodec = 0;  // libavcodec identifier of the output subtitles, 0 = keep
    bool closedCaptions = false;
    std::string subtitleFile;
    // The streams kept, in output order, with their names, flags and
    // shifts; empty: the choice above holds (orlcodec_tracks.h).
    std::vector<TrackChoice> tracks;
    bool frameExactCut = false; // stream copy: encode the pictures at the cut points
    SubtitleLook subtitleLook;
    // overlays
    std::array<OverlaySettings, 3> overlays;
    int overlaySlot = 0;
    // geometry
    int aspectNum = 0, aspectDen = 0;
    int rotation = 0;
    int mirrored = 0;
    int padEnabled = 0;
    uint32_t padColor = 0xff000000u;
    double cropRect[4] = {0, 0, 1, 1};
    // sound
    BackgroundAudio background;
    int backgroundSlot = 0;
    int volume = 100;
    int rate = 100;
    int soundReserved = 100;
    std::vector<double> eqFrequencies;
    std::vector<double> eqGains;
    uint64_t fadeIn_us = 0, fadeOut_us = 0;
    // The range a player plays (its trim; end 0 = the source's end): where
    // its preview puts the fades. Conversions take their range elsewhere.
    uint64_t playStart_us = 0, playEnd_us = 0;
};

class ParamSet : public EngineObject {
public:
    ParamSet() : EngineObject(HandleKind::Param) {}

    ParamValues snapshot() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_values;
    }
    template <class F>
    void update(F &&change)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        change(m_values);
    }

private:
    mutable std::mutex m_mutex;
    ParamValues m_values; // guarded by m_mutex
};

// The values of a parameter handle; defaults when the handle is 0 or unknown.
ParamValues paramValues(ORL_HANDLE params);

} // namespace orl
