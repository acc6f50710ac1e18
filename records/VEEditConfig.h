#pragma once
// The editing records: the complete description of the edits and track
// choices of one media item. Plain value types, copied whole into signals,
// dialogs and conversion jobs; every copy is a deep copy (strings and
// vectors own their storage).
//
// Strings are UTF-8 byte strings, times are microseconds, colours 32-bit
// ARGB, alphas 0 (invisible) .. 255 (opaque), rectangles fractions 0..1 of
// the source picture.
#include "VEAudioTagInfo.h"
#include "VEStreamInfo.h"

#include <QMetaType>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct VERect {
    double x = 0.0;
    double y = 0.0;
    double width = 1.0;
    double height = 1.0;

    bool operator==(const VERect &o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
    bool operator!=(const VERect &o) const { return !(*this == o); }
};

struct VECropSettings {
    int aspectMode = 0;  // 0 Original Display, 1 Original Resolution, 2 Full Screen, 3 16:9, 4 4:3
    int panScan = 0;
    int aspectNum = 0;   // locked ratio, 0 = none
    int aspectDen = 0;
    int reservedA = 0;
    int reservedB = 1;
    int rotation = 0;    // clockwise degrees: 0, 90, 180, 270
    int mirrored = 0;    // left-right, after rotation
    int padEnabled = 1;  // letterbox with fillColor when the aspect differs
    uint32_t fillColor = 0xff000000u;
    VERect cropRect;
    VERect panRect;

    // The rectangle in effect: the pan-scan one only while pan-scan is live.
    const VERect &liveRect() const
    {
        return (padEnabled == 1 && panScan == 1 && aspectMode != 2) ? panRect : cropRect;
    }
    bool operator==(const VECropSettings &o) const;
    bool operator!=(const VECropSettings &o) const { return !(*this == o); }
};

struct VEPictureAdjust {
    int brightness = 0;   // -254..254, 0 neutral
    int reserved = 0;
    int saturation = 100; // 0..200
    int contrast = 100;   // 0..300
    int hue = 0;          // -180..180 degrees

    bool operator==(const VEPictureAdjust &o) const
    {
        return brightness == o.brightness && reserved == o.reserved && saturation == o.saturation
            && contrast == o.contrast && hue == o.hue;
    }
    bool operator!=(const VEPictureAdjust &o) const { return !(*this == o); }
};

// One overlay with a text part and an image part: the user watermark, the
// effect overlay and the frame overlay.
struct VEWatermarkSettings {
    // text part
    std::string text;
    int textAlpha = 255;
    int textReserved = 0;
    int textScaleX = 100;
    int textScaleY = 100;
    double textX = 0.0;
    double textY = 0.0;
    int textEnabled = 1;
    int textOnTop = 1;
    std::string fontName;
    int fontSize = 28;
    int bold = 0;
    int italic = 0;
    int underline = 0;
    int strikeOut = 0;
    uint32_t fontColor = 0xffffffffu;
    uint32_t shadowColor = 0x80000000u;
    uint32_t outlineColor = 0xff000000u;
    double shadowOffset = 0.5;
    double outlineSize = 1.0;
    uint64_t textStartTime = 0;
    uint64_t textEndTime = 0; // 0 = to the end of the output
    double textAuxA = 0.0;
    double textAuxB = 0.0;
    double textWidth = 0.0;
    double textHeight = 0.0;
    double spacingH = 0.0;
    double spacingV = 0.0;
    double textAuxC = 0.0;
    double textAuxD = 0.0;

    // image part
    std::string imagePath;
    int imageFlag = 1;
    int imageReserved = 0;
    int imageAlpha = 255;
    int imageScaleX = 100;
    int imageScaleY = 100;
    double imageX = 0.0;
    double imageY = 0.0;
    int imageEnabled = 1;
    std::string imageAux;
    std::array<int, 6> imageInts{{0, 0, 0, 100, 100, 0}};
    int frameType = 0;
    uint64_t imageStartTime = 0;
    uint64_t imageEndTime = 0;
    std::array<int, 4> imageInts2{{0, 0, 0, 0}};
    VERect imageSourceRect;
    std::array<double, 2> imageScale{{0.0, 0.0}};
    double imageWidth = 0.0;
    double imageHeight = 0.0;

    int overlayReserved = 0;
    int listIndex = 0;

    bool operator==(const VEWatermarkSettings &o) const;
    bool operator!=(const VEWatermarkSettings &o) const { return !(*this == o); }
};

// A track choice: the selected title, audio and subtitle choices.
struct VETrackChoice {
    int ProgramIndex = 0;
    int audioType = 0;     // -1 no audio, 0 audio on
    int audioTrack = 0;
    int subtitleTrack = 0;
    int subtitleCount = 0; // embedded subtitle streams
    int subtlType = -1;    // -1 none, -2 closed captions, -3 file in path, >= 0 embedded
    std::string path;      // subtitle file

    bool operator==(const VETrackChoice &o) const
    {
        return ProgramIndex == o.ProgramIndex && audioType == o.audioType
            && audioTrack == o.audioTrack && subtitleTrack == o.subtitleTrack
            && subtitleCount == o.subtitleCount && subtlType == o.subtlType && path == o.path;
    }
    bool operator!=(const VETrackChoice &o) const { return !(*this == o); }
};

struct VESubtitleStyle {
    int alpha = 255;
    std::array<int, 2> scale{{100, 100}}; // percent, both equal
    int reserved = 0;
    std::array<int, 2> reservedInts{{0, 0}};
    std::string fontName;
    int fontSize = 18;
    int bold = 0;
    int italic = 0;
    int underline = 0;
    int strikeOut = 0;
    uint32_t fontColor = 0xffffffffu;
    uint32_t shadowColor = 0x80000000u;
    uint32_t outlineColor = 0xff000000u;
    double shadowOffset = 0.5;
    double outlineSize = 1.0;
    int position = 0; // 0, 16 or 32
    double spacingH = 0.0;
    double spacingV = 0.0;
    double marginH = 0.05;
    double margin = 0.05;
    std::array<uint8_t, 16> padding{};

    bool operator==(const VESubtitleStyle &o) const;
    bool operator!=(const VESubtitleStyle &o) const { return !(*this == o); }
};

struct VEAudioSettings {
    std::string backgroundPath;
    int reserved = 0;
    int repeat = 1;
    int volume = 100; // percent 0..200
    int weight = 50;  // percent 0..100, share of the background audio
    int reserved2 = 0;
    uint64_t bgStartTime = 0;
    uint64_t bgEndTime = 0;
    std::array<uint8_t, 16> padding{};

    bool operator==(const VEAudioSettings &o) const
    {
        return backgroundPath == o.backgroundPath && reserved == o.reserved && repeat == o.repeat
            && volume == o.volume && weight == o.weight && reserved2 == o.reserved2
            && bgStartTime == o.bgStartTime && bgEndTime == o.bgEndTime && padding == o.padding;
    }
    bool operator!=(const VEAudioSettings &o) const { return !(*this == o); }
};

struct VESoundEffect {
    int volume = 100; // mirrors VEAudioSettings::volume
    int reserved = 100;
    int rate = 100;   // percent
    // Equaliser points in ascending frequency: Hz and dB, same length.
    std::vector<double> eqFrequencies;
    std::vector<double> eqGains;
    int effectIndex = 0;
    // Fade-in from silence and fade-out to silence of the output's sound.
    uint64_t fadeIn = 0;  // µs, 0 = none
    uint64_t fadeOut = 0; // µs, 0 = none

    int eqPointCount() const { return static_cast<int>(eqFrequencies.size()); }
    bool operator==(const VESoundEffect &o) const
    {
        return volume == o.volume && reserved == o.reserved && rate == o.rate
            && eqFrequencies == o.eqFrequencies && eqGains == o.eqGains
            && effectIndex == o.effectIndex && fadeIn == o.fadeIn && fadeOut == o.fadeOut;
    }
    bool operator!=(const VESoundEffect &o) const { return !(*this == o); }
};

// A subtitle choice offered to the user: display text and file path (empty
// for embedded streams and "No Subtitle").
struct VESubtitleChoice {
    std::string text;
    std::string path;
    bool operator==(const VESubtitleChoice &o) const { return text == o.text && path == o.path; }
};

// One chapter of the source; entry 0 of VEEditConfig::chapters is the
// current range.
struct ChapterEntry {
    int number = 0;
    uint64_t start = 0;
    uint64_t length = 0;
    uint64_t end = 0;
    std::string name;
    std::string label;
    bool operator==(const ChapterEntry &o) const
    {
        return number == o.number && start == o.start && length == o.length && end == o.end
            && name == o.name && label == o.label;
    }
};

struct VEEditConfig {
    VEEditConfig();

    uint64_t trimStart = 0;
    uint64_t trimEnd = 0; // 0 = to the end
    bool trimmedFlag = false;
    VECropSettings crop;
    VEPictureAdjust picture;
    VEWatermarkSettings effectOverlay;
    VEWatermarkSettings frameOverlay;
    VEWatermarkSettings watermark;
    VETrackChoice trackChoice;
    std::vector<VESubtitleChoice> subtitleChoices;
    std::vector<ChapterEntry> chapters;
    VESubtitleStyle subtitleStyle;
    VEAudioSettings audio;
    VESoundEffect soundEffect;
    QStringList audioTrackNames;
    VEAudioTagInfo tags;
    int displayWidth = 0;
    int displayHeight = 0;
    bool trackListLocked = false;
    bool m_bLossless = false;
    QString m_fileFormat; // lower-case output container name
    int isDisc = 0;
    VETrackChoice streamChoice;
    std::vector<VESubtitleTrackEntry> subtitleTracks;
    std::vector<VEAudioTrackEntry> audioTracks;
    int reserved2 = 0;
    int reserved3 = 3;

    // Every field: a field added later takes part without a change here.
    bool operator==(const VEEditConfig &o) const;
    bool operator!=(const VEEditConfig &o) const { return !(*this == o); }

    // Clears the trim pair together with its flag.
    void clearTrim()
    {
        trimStart = 0;
        trimEnd = 0;
        trimmedFlag = false;
    }
};

// Registers the records passed by value through queued signals.
void registerEditingMetaTypes();

Q_DECLARE_METATYPE(VECropSettings)
Q_DECLARE_METATYPE(VEPictureAdjust)
Q_DECLARE_METATYPE(VEWatermarkSettings)
Q_DECLARE_METATYPE(VETrackChoice)
Q_DECLARE_METATYPE(VESubtitleStyle)
Q_DECLARE_METATYPE(VEAudioSettings)
Q_DECLARE_METATYPE(VESoundEffect)
Q_DECLARE_METATYPE(VEAudioTagInfo)
Q_DECLARE_METATYPE(VEEditConfig)
