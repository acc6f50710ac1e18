#include "ConversionRun.h"

#include "OutputFormatParams.h"
#include "OutputTemplate.h"
#include "PartialOutput.h"
#include "VoVideoConvertItem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace {

QString collapseSlashes(QString path)
{
    while (path.contains(QLatin1String("//")))
        path.replace(QLatin1String("//"), QLatin1String("/"));
    return path;
}

} // namespace

QString outputBaseName(const QString &name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString outputExtension(const OutputFormatParams &params, const QString &sourceSuffix)
{
    if (params.lossless && params.keepsSourceContainer())
        return sourceSuffix;
    return params.extension;
}

ConversionSegment conversionSegmentOf(const VoVideoConvertItem &item, const OutputFormatParams &params)
{
    ConversionSegment s;
    s.sourcePath = item.m_videoPath;
    s.number = item.m_index + 1;
    s.label = item.m_label;
    s.start_us = item.m_TrimStartTime;
    s.end_us = item.m_TrimEndTime == 0 ? item.m_duration : item.m_TrimEndTime;
    const std::unique_ptr<ConvertJob> job(item.assembleConvertJob(params));
    s.job = *job;
    return s;
}

void applyTrackPlan(ConversionRun &run, const TrackPlan &plan)
{
    const QString source = QString::fromStdString(plan.sourcePath);
    for (ConversionSegment &segment : run.segments)
        if (!source.isEmpty() && segment.sourcePath == source)
            segment.job.trackPlan = plan;
}

SourceOutputPlace sourceOutputPlace(const QString &root, const QString &sourceName, const QString &extension)
{
    SourceOutputPlace place;
    const QString base = outputBaseName(sourceName);
    // Keep the longest path (root/base/base_N.ext plus room for the counter)
    // under the classic 260-character limit by shortening the base.
    const QString candidate = root + base + QLatin1Char('/') + base + QLatin1Char('.') + extension;
    const int length = candidate.length();
    const int cut = length + 15 > 260 ? (length + 15 - 259) / 2 : 0;
    if (cut < base.length())
        place.adjustedName = base.left(base.length() - cut) + QLatin1Char('.') + extension;
    if (place.adjustedName.isEmpty())
        return place;
    const QString folderBase = root + outputBaseName(place.adjustedName);
    QString folder = collapseSlashes(folderBase);
    for (int n = 1; QFileInfo::exists(folder); ++n)
        folder = collapseSlashes(folderBase + QStringLiteral("(%1)").arg(n));
    place.folder = folder + QLatin1Char('/');
    return place;
}

QString ConversionRun::outputPathFor(int position) const
{
    if (segments.isEmpty())
        return QString();
    const ConversionSegment &segment = segments[qBound(0, position, int(segments.size()) - 1)];
    const QString folder = naming.outputFolder();
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    const bool avoidPartials = naming.avoidNamesBeingWritten;
    const auto taken = [avoidPartials](const QString &path) {
        return QFileInfo::exists(path)
            || (avoidPartials
                && QFileInfo::exists(QFile::decodeName(partialPathFor(QFile::encodeName(path).toStdString()).c_str())));
    };
    if (naming.pattern.isEmpty()) {
        // Without a folder of its own (the root alone is too long for one)
        // the file still goes under the output root, never the working
        // directory.
        for (int n = 1;; ++n) {
            const QString path = collapseSlashes(folder + naming.baseName
                                                 + QStringLiteral("_%1.%2").arg(n).arg(naming.extension));
            if (!taken(path))
                return path;
        }
    }
    OutputNameFields fields;
    fields.name = naming.baseName;
    fields.ext = naming.extension;
    fields.n = segment.number;
    fields.label = segment.label;
    fields.start_us = segment.start_us;
    fields.end_us = segment.end_us;
    if (merge) {
        // A merged file spans its first segment's start to its last's end.
        fields.start_us = segments.first().start_us;
        fields.end_us = segments.last().end_us;
    }
    fields.date = naming.date.isValid() ? naming.date : QDate::currentDate();
    return freeOutputPath(folder, naming.pattern, fields, taken);
}
