#pragma once
// The hand-over of a track plan to a parameter set of the media library.
#include "MediaTypes.h"
#include "TrackPlan.h"

// The kept streams of plan, in output order, with their languages, titles,
// flags and shifts, into the set p; nothing when the plan keeps none.
void applyTrackPlanParams(MediaHandle p, const TrackPlan &plan);
