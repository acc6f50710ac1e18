#include "WorkState.h"

#include "EditRecordJson.h"

namespace {
template <class T> bool sameTracks(const std::vector<T> &a, const std::vector<T> &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].selected != b[i].selected || a[i].info.streamIndex != b[i].info.streamIndex
            || a[i].info.displayText != b[i].info.displayText || a[i].info.codecName != b[i].info.codecName)
            return false;
    }
    return true;
}
} // namespace

bool sameEdit(const VEEditConfig &a, const VEEditConfig &b)
{
    return a.trimStart == b.trimStart && a.trimEnd == b.trimEnd && a.trimmedFlag == b.trimmedFlag && a.crop == b.crop
        && a.picture == b.picture && a.effectOverlay == b.effectOverlay && a.frameOverlay == b.frameOverlay
        && a.watermark == b.watermark && a.trackChoice == b.trackChoice && a.subtitleChoices == b.subtitleChoices
        && a.chapters == b.chapters && a.subtitleStyle == b.subtitleStyle && a.audio == b.audio
        && a.soundEffect == b.soundEffect && a.audioTrackNames == b.audioTrackNames && a.tags == b.tags
        && a.displayWidth == b.displayWidth && a.displayHeight == b.displayHeight
        && a.trackListLocked == b.trackListLocked && a.m_bLossless == b.m_bLossless && a.m_fileFormat == b.m_fileFormat
        && a.isDisc == b.isDisc && a.streamChoice == b.streamChoice && a.reserved2 == b.reserved2
        && a.reserved3 == b.reserved3 && sameTracks(a.audioTracks, b.audioTracks)
        && sameTracks(a.subtitleTracks, b.subtitleTracks);
}

bool sameSegment(const SegmentState &a, const SegmentState &b)
{
    if (a.start != b.start || a.end != b.end || a.label != b.label)
        return false;
    if (a.edit == b.edit)
        return true;
    return a.edit && b.edit && sameEdit(*a.edit, *b.edit);
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
