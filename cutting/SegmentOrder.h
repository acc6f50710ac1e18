#pragma once
// The rules that turn a free list of segments into timeline segments:
// side by side, in time order, without overlap.
#include <QVector>
#include <cstdint>

struct SegmentRange {
    uint64_t start = 0;
    uint64_t end = 0;      // 0 = to the end of the file
    uint64_t duration = 0; // of the segment's file
    // Open: reaching to the end of the file.
    bool isOpen() const { return end == 0 || end == duration; }
};

// True when every segment ends before the end of its file and the next one
// starts no earlier than it ends; such a list needs no change.
bool segmentsInTimelineOrder(const QVector<SegmentRange> &ranges);

// Moves starts that overlap the covered stretch to just after it (1 µs),
// and picks out what cannot be kept: segments inside the covered stretch,
// and everything after a segment that reaches the end of the file. Returns
// the indices to remove in ascending order; ranges keeps its size.
QVector<int> normaliseForTimeline(QVector<SegmentRange> &ranges);
