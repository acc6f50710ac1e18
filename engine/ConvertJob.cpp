#include "ConvertJob.h"

EngineStreamChoice engineStreamChoice(const VEEditConfig &config)
{
    EngineStreamChoice c;
    for (size_t i = 0; i < config.audioTracks.size(); ++i) {
        if (!config.audioTracks[i].selected)
            continue;
        if (c.audioIndex < 0)
            c.audioIndex = static_cast<int>(i);
        if (i < 64)
            c.audioMask |= uint64_t(1) << i;
    }
    const bool mov = config.m_fileFormat == QLatin1String("mov");
    for (size_t i = 0; i < config.subtitleTracks.size(); ++i) {
        const VESubtitleTrackEntry &entry = config.subtitleTracks[i];
        if (!entry.selected)
            continue;
        const bool closedCaption = entry.info.codecTag == kClosedCaptionTag;
        if (c.subtitleIndex < 0) {
            c.subtitleIndex = static_cast<int>(i);
            c.firstSubtitleIsClosedCaption = closedCaption;
        }
        if (i < 64 && (mov || !closedCaption))
            c.subtitleMask |= uint64_t(1) << i;
    }
    return c;
}
