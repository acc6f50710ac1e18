#include "DetectedCuts.h"

#include <algorithm>

namespace detectcuts {

namespace {

// The places where the file is cut: its ends, the edges of the joined
// ranges and the changes; and the joined ranges.
struct Cuts {
    std::vector<int64_t> at;
    std::vector<Piece> ranges;
};

Cuts cutsOf(const std::vector<Finding> &findings, int64_t duration_us)
{
    std::vector<Piece> ranges;
    std::vector<int64_t> cuts{0, duration_us};
    for (const Finding &f : findings) {
        const int64_t start = std::clamp<int64_t>(f.start_us, 0, duration_us);
        const int64_t end = std::clamp<int64_t>(std::max(f.start_us, f.end_us), 0, duration_us);
        if (end > start)
            ranges.push_back({start, end});
        else
            cuts.push_back(start);
    }
    // Overlapping ranges of different searches count as one; only the
    // edges of the whole cut.
    std::sort(ranges.begin(), ranges.end(), [](const Piece &a, const Piece &b) { return a.start_us < b.start_us; });
    std::vector<Piece> merged;
    for (const Piece &r : ranges) {
        if (!merged.empty() && r.start_us <= merged.back().end_us)
            merged.back().end_us = std::max(merged.back().end_us, r.end_us);
        else
            merged.push_back(r);
    }
    for (const Piece &r : merged) {
        cuts.push_back(r.start_us);
        cuts.push_back(r.end_us);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    return {cuts, merged};
}

} // namespace

std::vector<Piece> pieces(const std::vector<Finding> &findings, int64_t duration_us, Keep keep, int64_t shortest_us)
{
    std::vector<Piece> kept;
    if (duration_us <= 0)
        return kept;
    const Cuts c = cutsOf(findings, duration_us);
    const std::vector<int64_t> &cuts = c.at;
    const std::vector<Piece> &merged = c.ranges;
    auto covered = [&merged](int64_t a, int64_t b) {
        for (const Piece &r : merged)
            if (r.start_us <= a && b <= r.end_us)
                return true;
        return false;
    };
    // Changes of picture alone have no inside: the scenes between them are
    // what was found.
    const bool everyPiece = keep == Keep::Inside && merged.empty();
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const int64_t a = cuts[i];
        const int64_t b = cuts[i + 1];
        if (b - a < shortest_us)
            continue;
        const bool inside = covered(a, b);
        if (everyPiece || (keep == Keep::Inside) == inside)
            kept.push_back({a, b});
    }
    return kept;
}

std::vector<int64_t> marks(const std::vector<Finding> &findings, int64_t duration_us, int64_t shortest_us)
{
    std::vector<int64_t> out;
    if (duration_us <= 0)
        return out;
    for (int64_t t : cutsOf(findings, duration_us).at)
        if (t >= shortest_us && t <= duration_us - shortest_us)
            out.push_back(t);
    return out;
}

} // namespace detectcuts
