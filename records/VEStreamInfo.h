#pragma once
// Per-stream records read from a source file when a media item is opened.
// They travel inside the editing record (as the track entries of the audio
// and subtitle choices), so they live with the records, below the engine.
#include <cstdint>
#include <string>
#include <vector>

// Four-character codec tag marking closed captions ("CC  ").
constexpr uint32_t kClosedCaptionTag = 0x43432020;

struct VideoStreamInfo {
    int streamIndex = -1;
    std::string displayText; // name or codec, then " (language)" when known
    std::string name;
    std::string codecName;
    int width = 0;
    int height = 0;
    std::string language;    // the language's name as shown, else its code
    int64_t bitRate = 0;
    int frameRateNum = 0;
    int frameRateDen = 0;
    int profile = 0;
    int level = 0;
    std::vector<uint8_t> extraData; // codec private data
    // "HDR10" (PQ) or "HLG" when the pictures are HDR, else empty; read only
    // by opens that decode a picture (not those made for a conversion).
    std::string hdr;

    bool operator==(const VideoStreamInfo &o) const
    {
        return streamIndex == o.streamIndex && displayText == o.displayText && name == o.name
            && codecName == o.codecName && width == o.width && height == o.height && language == o.language
            && bitRate == o.bitRate && frameRateNum == o.frameRateNum && frameRateDen == o.frameRateDen
            && profile == o.profile && level == o.level && extraData == o.extraData && hdr == o.hdr;
    }
    bool operator!=(const VideoStreamInfo &o) const { return !(*this == o); }
};

struct AudioStreamInfo {
    int streamIndex = -1;
    std::string displayText;
    std::string name;
    std::string codecName;
    std::string language;
    int channels = 0;
    int sampleRate = 0;
    int64_t bitRate = 0;
    int profile = 0;
    std::vector<uint8_t> extraData;

    bool operator==(const AudioStreamInfo &o) const
    {
        return streamIndex == o.streamIndex && displayText == o.displayText && name == o.name
            && codecName == o.codecName && language == o.language && channels == o.channels
            && sampleRate == o.sampleRate && bitRate == o.bitRate && profile == o.profile
            && extraData == o.extraData;
    }
    bool operator!=(const AudioStreamInfo &o) const { return !(*this == o); }
};

struct SubtitleStreamInfo {
    int streamIndex = -1;
    std::string displayText;
    std::string name;
    std::string language;
    std::string codecName;
    uint32_t codecTag = 0;   // kClosedCaptionTag for closed captions
    uint64_t value = 0;      // engine-reported value (stream duration in µs)
    int kind = 0;            // 0 embedded stream, 1 subtitle file
    std::string path;        // subtitle file, for kind 1
    std::vector<uint8_t> extraData;

    bool operator==(const SubtitleStreamInfo &o) const
    {
        return streamIndex == o.streamIndex && displayText == o.displayText && name == o.name
            && language == o.language && codecName == o.codecName && codecTag == o.codecTag && value == o.value
            && kind == o.kind && path == o.path && extraData == o.extraData;
    }
    bool operator!=(const SubtitleStreamInfo &o) const { return !(*this == o); }
};

struct VEAudioTrackEntry {
    bool selected = false;
    AudioStreamInfo info;
    bool operator==(const VEAudioTrackEntry &o) const { return selected == o.selected && info == o.info; }
    bool operator!=(const VEAudioTrackEntry &o) const { return !(*this == o); }
};

struct VESubtitleTrackEntry {
    bool selected = false;
    SubtitleStreamInfo info;
    bool operator==(const VESubtitleTrackEntry &o) const { return selected == o.selected && info == o.info; }
    bool operator!=(const VESubtitleTrackEntry &o) const { return !(*this == o); }
};
