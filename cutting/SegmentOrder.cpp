#include "SegmentOrder.h"

bool segmentsInTimelineOrder(const QVector<SegmentRange> &ranges)
{
    for (int i = 1; i < ranges.size(); ++i) {
        const SegmentRange &p = ranges.at(i - 1);
        const SegmentRange &n = ranges.at(i);
        if (p.isOpen() || n.start < p.end)
            return false;
    }
    return true;
}

QVector<int> normaliseForTimeline(QVector<SegmentRange> &ranges)
{
    QVector<int> removed;
    if (ranges.isEmpty())
        return removed;
    auto removeFrom = [&](int first) {
        for (int k = first; k < ranges.size(); ++k)
            removed.append(k);
    };
    if (ranges.first().isOpen()) {
        removeFrom(1);
        return removed;
    }
    uint64_t covered = ranges.first().end;
    for (int i = 1; i < ranges.size(); ++i) {
        SegmentRange &v = ranges[i];
        if (v.isOpen()) {
            if (v.start < covered)
                v.start = covered + 1;
            removeFrom(i + 1);
            break;
        }
        if (v.end <= covered) {
            removed.append(i);
        } else if (v.start <= covered) {
            v.start = covered + 1;
            covered = v.end;
        } else {
            covered = v.end;
        }
    }
    return removed;
}
