#pragma once
// The hand-over of a track plan to a parameter set of the media library.
#include "MediaTypes.h"
#include "TrackPlan.h"

#include <string>

// The kept streams of plan, in output order, with their languages, titles,
// flags and shifts, into the set p; nothing when the plan keeps none.
void applyTrackPlanParams(MediaHandle p, const TrackPlan &plan);

// How many sound tracks of a plan an encode into the container formatName
// (a muxer name: "matroska", "mp4", "adts", ...) keeps: several where the
// container holds them and the output has a picture, else one.
int encodedSoundTrackLimit(const std::string &formatName, bool withPicture);
