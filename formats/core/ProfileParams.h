#pragma once
// How a format's profile and the user's choices become the output
// parameters of a conversion: one rule for the format dialogs and the
// command line.
#include "ProfileCatalogue.h"

struct OutputFormatParams;

// The values the custom parameters panel offers, as its lists show them
// ("1280*720", "25 fps", "2000 kbps"); "Auto" (or "Original") takes the
// format's own.
struct ProfileChoices {
    QString videoCodec;
    QString resolution;
    QString frameRate;
    QString videoBitrate;
    QString audioCodec;
    QString channel;
    QString sampleRate;
    QString audioBitrate;
};

// Which bit rates an "Auto" bit rate takes: the format's high ones, its
// low ones, or its defaults (a stored custom record).
enum class ProfileQuality { High, Small, Custom };

// Fills the codec, size, rate and bit-rate fields of out from profile and
// choices. Container and extension are the caller's; with
// keepSourceCodecs (the lossless "Original" format) both codecs stay the
// source's.
void applyProfileChoices(const FormatProfile &profile, const ProfileChoices &choices, ProfileQuality quality,
                         bool audioOnly, bool keepSourceCodecs, OutputFormatParams &out);
