#include "OutputNaming.h"

#include "ConfigState.h"
#include "OutputFormatParams.h"
#include "OutputTemplate.h"
#include "ParserXML.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

namespace {

QString baseName(const QString &name)
{
    const int dot = name.lastIndexOf('.');
    return dot < 0 ? name : name.left(dot);
}

QString collapseSlashes(QString path)
{
    while (path.contains("//"))
        path.replace("//", "/");
    return path;
}

} // namespace

QString outputExtension(const QString &sourceSuffix)
{
    const OutputFormatParams &params = OutputFormatParams::instance();
    if (params.lossless && params.container == QLatin1String("Original"))
        return sourceSuffix;
    return params.extension;
}

void setAdjustFileName(const QString &suffix, const QString &name)
{
    ConfigState &state = ConfigState::instance();
    state.setSource(name, suffix);
    state.setFormatParams(&OutputFormatParams::instance());
    const QString extension = outputExtension(suffix);
    const QString base = baseName(name);
    const QString root = state.converterPath();

    // Keep the longest path (root/base/base_N.ext plus room for the counter)
    // under the classic 260-character limit by shortening the base.
    const QString candidate = root + base + "/" + base + "." + extension;
    const int length = candidate.length();
    const int cut = length + 15 > 260 ? (length + 15 - 259) / 2 : 0;
    QString adjusted;
    if (cut < base.length())
        adjusted = base.left(base.length() - cut) + "." + extension;
    state.setAdjustFileName(adjusted);

    if (adjusted.isEmpty()) {
        state.setOutputDir(QString());
        return;
    }
    const QString folderBase = root + baseName(adjusted);
    QString folder = collapseSlashes(folderBase);
    for (int n = 1; QFileInfo::exists(folder); ++n)
        folder = collapseSlashes(folderBase + QStringLiteral("(%1)").arg(n));
    state.setOutputDir(folder + "/");
}

void readjustFileName()
{
    const ConfigState &state = ConfigState::instance();
    setAdjustFileName(state.sourceSuffix(), state.sourceName());
}

QString getConvertPath()
{
    ConfigState &state = ConfigState::instance();
    const QString extension = outputExtension(state.sourceSuffix());
    const QString name = state.adjustFileName().isEmpty() ? state.sourceName() : state.adjustFileName();
    const QString base = baseName(name);
    // Without a folder of its own (the root alone is too long for one) the
    // file still goes under the output root, never the working directory.
    const QString folder = state.outputDir().isEmpty() ? state.converterPath() : state.outputDir();
    QString path;
    for (int n = 1;; ++n) {
        path = collapseSlashes(folder + base + QStringLiteral("_%1.%2").arg(n).arg(extension));
        if (!QFileInfo::exists(path))
            break;
    }
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    state.setOutputName(path);
    return path;
}

QString segmentNameTemplate()
{
    return ParserXML::readItemValue("OUTPUTNAME_ITEM", "SegmentTemplate", defaultOutputTemplate());
}

QString mergedNameTemplate()
{
    return ParserXML::readItemValue("OUTPUTNAME_ITEM", "MergedTemplate", defaultOutputTemplate());
}

std::function<QString(const VoVideoConvertItem &item, int position)> templateOutputNamer(bool merge)
{
    const QString pattern = merge ? mergedNameTemplate() : segmentNameTemplate();
    if (pattern == defaultOutputTemplate() || !unknownPlaceholder(pattern).isEmpty())
        return {};
    return [pattern, merge](const VoVideoConvertItem &item, int) {
        ConfigState &state = ConfigState::instance();
        const QString folder = state.outputDir().isEmpty() ? state.converterPath() : state.outputDir();
        OutputNameFields fields;
        fields.name = baseName(state.adjustFileName().isEmpty() ? item.m_videoName : state.adjustFileName());
        fields.ext = outputExtension(item.m_fileSuffix);
        fields.n = item.m_index + 1;
        fields.label = item.m_label;
        fields.start_us = item.m_TrimStartTime;
        fields.end_us = item.m_TrimEndTime == 0 ? item.m_duration : item.m_TrimEndTime;
        if (merge) {
            // A merged file spans its first segment's start to its last's end.
            const VoVideoConvertManager *items = VoVideoConvertManager::instance();
            if (const VoVideoConvertItem *last = items->itemAt(items->count() - 1))
                fields.end_us = last->m_TrimEndTime == 0 ? last->m_duration : last->m_TrimEndTime;
        }
        fields.date = QDate::currentDate();
        if (!folder.isEmpty())
            QDir().mkpath(folder);
        return freeOutputPath(folder, pattern, fields, [](const QString &path) { return QFileInfo::exists(path); });
    };
}
