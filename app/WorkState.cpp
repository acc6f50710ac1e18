#include "WorkState.h"

#include "EditRecordJson.h"

bool sameSegment(const SegmentState &a, const SegmentState &b)
{
    if (a.start != b.start || a.end != b.end || a.label != b.label)
        return false;
    if (a.edit == b.edit)
        return true;
    return a.edit && b.edit && *a.edit == *b.edit;
}

bool sameOutput(const OutputState &a, const OutputState &b)
{
    return a.lossless == b.lossless && a.encodingCategory == b.encodingCategory && a.encodingId == b.encodingId
        && a.losslessCategory == b.losslessCategory && a.losslessId == b.losslessId && a.quality == b.quality
        && a.frameExact == b.frameExact && a.merge == b.merge
        && projectjson::paramsToJson(a.params) == projectjson::paramsToJson(b.params);
}

bool sameWork(const WorkState &a, const WorkState &b)
{
    if (a.simple != b.simple || a.segments.size() != b.segments.size() || a.markers != b.markers
        || !sameOutput(a.output, b.output))
        return false;
    for (int i = 0; i < a.segments.size(); ++i) {
        if (a.segments[i] != b.segments[i] && !sameSegment(*a.segments[i], *b.segments[i]))
            return false;
    }
    return true;
}
