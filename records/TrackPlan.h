#pragma once
// The streams of one source an output keeps: for each stream whether it is
// kept, where it goes, its language, title and flags, and a shift of its
// timing. The entries are in output order; within the output the pictures
// come first, then the sound, then the subtitles, each kind in the order
// of the entries. An empty plan keeps the streams as the stream choice of
// the edit record says.
#include <cstdint>
#include <string>
#include <vector>

struct TrackPlanEntry {
    int stream = -1;       // the stream's index in the source
    int kind = 0;          // 1 picture, 2 sound, 8 subtitles (as the media information numbers them)
    bool keep = true;
    std::string language;  // ISO 639-2 code ("eng"); empty: the source's
    std::string title;     // UTF-8; as the source has it unless changed
    bool isDefault = false;
    bool forced = false;
    int64_t shiftMs = 0;   // signed: positive later, negative earlier

    bool operator==(const TrackPlanEntry &o) const
    {
        return stream == o.stream && kind == o.kind && keep == o.keep && language == o.language
            && title == o.title && isDefault == o.isDefault && forced == o.forced && shiftMs == o.shiftMs;
    }
    bool operator!=(const TrackPlanEntry &o) const { return !(*this == o); }
};

struct TrackPlan {
    std::string sourcePath; // UTF-8 path of the source the indexes refer to
    std::vector<TrackPlanEntry> entries;

    bool isEmpty() const { return entries.empty(); }
    bool operator==(const TrackPlan &o) const { return sourcePath == o.sourcePath && entries == o.entries; }
    bool operator!=(const TrackPlan &o) const { return !(*this == o); }

    // The entries kept, in output order (pictures, sound, subtitles).
    std::vector<TrackPlanEntry> keptInOutputOrder() const
    {
        std::vector<TrackPlanEntry> out;
        for (int kind : {1, 2, 8})
            for (const TrackPlanEntry &e : entries)
                if (e.keep && e.kind == kind)
                    out.push_back(e);
        return out;
    }
};
