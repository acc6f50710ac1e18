#include "TracksLeftOut.h"

#include "ConversionRun.h"
#include "OutputFormatParams.h"
#include "TrackPlanParams.h"
#include "VoVideoConvertItem.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>

QStringList tracksLeftOutByEncoding(const VoVideoConvertItem &item)
{
    QStringList left;
    const VEEditConfig &config = item.m_editConfig;
    // With no sound chosen nothing is left out by the encoding: the user
    // asked for none.
    const int sound = item.audioIndex();
    if (config.streamChoice.audioType != -1 && sound >= 0)
        for (int i = 0; i < int(config.audioTracks.size()); ++i)
            if (i != sound)
                left << QString::fromStdString(config.audioTracks[size_t(i)].info.displayText);
    // Captions travel inside the picture stream, and subtitle files are
    // not the source's streams.
    const int burned = item.subtitleIndex();
    for (int i = 0; i < int(config.subtitleTracks.size()); ++i) {
        const SubtitleStreamInfo &s = config.subtitleTracks[size_t(i)].info;
        if (s.kind == 0 && s.codecTag != kClosedCaptionTag && i != burned)
            left << QString::fromStdString(s.displayText);
    }
    return left;
}

namespace {

QString leftOutNote(const QStringList &left, int soundTracks = 1)
{
    if (left.isEmpty())
        return QString();
    if (soundTracks > 1)
        return QCoreApplication::translate("TracksLeftOut",
                                           "Encoding keeps up to %1 sound tracks and no subtitle streams; left out: %2")
            .arg(soundTracks)
            .arg(left.join(QStringLiteral(", ")));
    return QCoreApplication::translate("TracksLeftOut",
                                       "Encoding keeps one sound track and no subtitle streams; left out: %1")
        .arg(left.join(QStringLiteral(", ")));
}

} // namespace

QString tracksLeftOutNote(const VoVideoConvertItem &item)
{
    return leftOutNote(tracksLeftOutByEncoding(item));
}

int encodedSoundTracks(const OutputFormatParams &format)
{
    // The container's name as the conversion job gives it to the library.
    const bool picture = !format.audioOnly && format.videoCodecId != -1;
    return encodedSoundTrackLimit(format.container.toLower().toStdString(), picture);
}

QStringList tracksLeftOutByEncoding(const TrackPlan &plan, int soundTracks)
{
    QStringList left;
    int sounds = 0;
    for (const TrackPlanEntry &e : plan.keptInOutputOrder()) {
        if (e.kind == 2 && sounds++ < soundTracks)
            continue;
        if (e.kind != 2 && e.kind != 8)
            continue;
        QStringList about;
        if (!e.language.empty())
            about << QString::fromStdString(e.language);
        if (!e.title.empty())
            about << QString::fromStdString(e.title);
        QString name = QStringLiteral("#%1").arg(e.stream);
        if (!about.isEmpty())
            name += QStringLiteral(" (%1)").arg(about.join(QStringLiteral(", ")));
        left << name;
    }
    return left;
}

QString tracksLeftOutNote(const TrackPlan &plan, const OutputFormatParams &format)
{
    const int sounds = encodedSoundTracks(format);
    return leftOutNote(tracksLeftOutByEncoding(plan, sounds), sounds);
}

QStringList tracksLeftOutNotes(const QList<const VoVideoConvertItem *> &items, const ConversionRun &run)
{
    QStringList notes;
    QSet<QString> sources;
    for (const VoVideoConvertItem *item : items) {
        if (!item || sources.contains(item->m_videoPath))
            continue;
        sources.insert(item->m_videoPath);
        // The plan the run cuts this source with, when it has one.
        TrackPlan plan;
        for (const ConversionSegment &segment : run.segments)
            if (segment.sourcePath == item->m_videoPath && !segment.job.trackPlan.isEmpty()) {
                plan = segment.job.trackPlan;
                break;
            }
        const QString note = plan.isEmpty() ? tracksLeftOutNote(*item)
                                            : tracksLeftOutNote(plan, OutputFormatParams::instance());
        if (!note.isEmpty())
            notes << QStringLiteral("%1: %2").arg(QFileInfo(item->m_videoPath).fileName(), note);
    }
    return notes;
}
