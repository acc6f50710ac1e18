#pragma once
// What a search's findings become in the work: the file is cut at every
// edge of a found range and at every picture change, and either the pieces
// outside the ranges (what is not silent, black or frozen) or the pieces
// inside them are kept. No Qt: the rule is tested on its own.
#include <cstdint>
#include <vector>

namespace detectcuts {

struct Finding {
    int64_t start_us = 0;
    int64_t end_us = 0; // equal to start_us for a change of picture
};

struct Piece {
    int64_t start_us = 0;
    int64_t end_us = 0;
    bool operator==(const Piece &o) const { return start_us == o.start_us && end_us == o.end_us; }
};

enum class Keep {
    Between, // the pieces no range covers
    Inside   // the pieces a range covers; with changes only, every piece
};

// Pieces shorter than this are dropped: the crumbs a range leaves at the
// file's ends (the sound's last frame, a picture's rounding) are no segment
// anyone wants.
constexpr int64_t kShortestPiece_us = 250000;

// The pieces of [0, duration_us) to keep, ascending. Findings may come from
// several searches: they may overlap, lie partly outside the file or come
// in any order.
std::vector<Piece> pieces(const std::vector<Finding> &findings, int64_t duration_us, Keep keep,
                          int64_t shortest_us = kShortestPiece_us);

// The places to mark on the timeline: each change of picture and each edge
// of the found ranges (overlaps joined), ascending, leaving out those
// within the shortest piece of the file's start or end.
std::vector<int64_t> marks(const std::vector<Finding> &findings, int64_t duration_us,
                           int64_t shortest_us = kShortestPiece_us);

} // namespace detectcuts
