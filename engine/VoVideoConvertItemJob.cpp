// Assembling a media item's conversion job.
#include "ConvertJob.h"
#include "OutputFormatParams.h"
#include "VoVideoConvertItem.h"

ConvertJob *VoVideoConvertItem::assembleConvertJob(const OutputFormatParams &params) const
{
    auto *job = new ConvertJob();
    job->formatName = (params.lossless && params.container == QLatin1String("Original") ? m_sourceFormat
                                                                                         : params.container)
                          .toLower()
                          .toStdString();
    job->videoCodecId = params.audioOnly ? -1 : params.videoCodecId;
    job->width = params.audioOnly ? 0 : (params.width != 0 ? params.width : m_width);
    job->height = params.audioOnly ? 0 : (params.height != 0 ? params.height : m_height);
    job->frameRateX100 = 0;
    job->frameRateNum = params.frameRateNum;
    job->frameRateDen = params.frameRateDen;
    job->videoBitrate = params.videoBitrate;
    job->videoQuality = params.quality;
    job->audioCodecId = params.audioCodecId;
    job->sampleRate = params.sampleRate;
    job->channels = params.channels;
    // Vorbis at low sample rates cannot reach high bit rates.
    job->audioBitrate = params.audioBitrate;
    if (params.audioCodec == QLatin1String("OGG") && params.sampleRate < 32000 && params.audioBitrate > 160)
        job->audioBitrate = 160;
    job->audioQuality = params.quality;
    job->rangeStart = m_TrimStartTime;
    job->rangeEnd = m_TrimEndTime;
    // An end before the start would wrap around; such a range converts nothing
    // sensible, so it is treated as reaching the end.
    job->rangeLength = m_TrimEndTime > m_TrimStartTime ? m_TrimEndTime - m_TrimStartTime : 0;
    job->isDisc = m_isDisc;
    job->lossless = params.lossless;
    job->frameExactCut = params.lossless && params.frameExactCut;
    job->partChapter = m_partChapter.toStdString();
    job->editConfig = m_editConfig;
    return job;
}
