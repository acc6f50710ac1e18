#include "TrackPlanParams.h"

#include "orlcodec_tracks.h"

#include <vector>

void applyTrackPlanParams(MediaHandle p, const TrackPlan &plan)
{
    const std::vector<TrackPlanEntry> kept = plan.keptInOutputOrder();
    if (kept.empty())
        return;
    std::vector<orl_track_entry> entries;
    for (const TrackPlanEntry &e : kept) {
        orl_track_entry t{};
        t.stream = e.stream;
        t.language = e.language.c_str();
        t.title = e.title.c_str();
        t.flags = (e.isDefault ? ORL_TRACK_DEFAULT : 0) | (e.forced ? ORL_TRACK_FORCED : 0);
        t.shift_us = e.shiftMs * 1000;
        entries.push_back(t);
    }
    Param_SetTrackPlan(p, entries.data(), static_cast<int>(entries.size()));
}

int encodedSoundTrackLimit(const std::string &formatName, bool withPicture)
{
    return Tracks_EncodedSoundLimit(formatName.c_str(), withPicture ? 1 : 0);
}
