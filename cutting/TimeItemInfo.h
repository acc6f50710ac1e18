#pragma once
// One segment on the timeline as fractions of the item's duration
// (0 = start of the file, 1 = its end), with the bounds its neighbours set.
#include <QMetaType>

struct TimeItemInfo {
    float startPos = 0;
    float endPos = 0;
    float length = 0;   // endPos − startPos
    float minStart = 0; // left neighbour's right edge + 1 pixel; 0 for the first
    float maxEnd = 0;   // right neighbour's left edge; 1 for the last
};

Q_DECLARE_METATYPE(TimeItemInfo)
