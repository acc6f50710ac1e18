#include "OutputNaming.h"

#include "ConfigState.h"
#include "OutputFormatParams.h"
#include "OutputTemplate.h"
#include "ParserXML.h"
#include "SystemCommand.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QDate>

QString outputExtension(const QString &sourceSuffix)
{
    return outputExtension(OutputFormatParams::instance(), sourceSuffix);
}

void setAdjustFileName(const QString &suffix, const QString &name)
{
    ConfigState &state = ConfigState::instance();
    state.setSource(name, suffix);
    state.setFormatParams(&OutputFormatParams::instance());
    const SourceOutputPlace place = sourceOutputPlace(state.converterPath(), name, outputExtension(suffix));
    state.setAdjustFileName(place.adjustedName);
    state.setOutputDir(place.folder);
}

void readjustFileName()
{
    const ConfigState &state = ConfigState::instance();
    setAdjustFileName(state.sourceSuffix(), state.sourceName());
}

QString segmentNameTemplate()
{
    return ParserXML::readItemValue("OUTPUTNAME_ITEM", "SegmentTemplate", defaultOutputTemplate());
}

QString mergedNameTemplate()
{
    return ParserXML::readItemValue("OUTPUTNAME_ITEM", "MergedTemplate", defaultOutputTemplate());
}

OutputNamingPlan currentNamingPlan(bool merge)
{
    const ConfigState &state = ConfigState::instance();
    OutputNamingPlan plan;
    plan.root = state.converterPath();
    plan.folder = state.outputDir();
    plan.folderIsOwn = true;
    plan.baseName = outputBaseName(state.adjustFileName().isEmpty() ? state.sourceName() : state.adjustFileName());
    plan.extension = outputExtension(state.sourceSuffix());
    const QString pattern = merge ? mergedNameTemplate() : segmentNameTemplate();
    if (pattern != defaultOutputTemplate() && unknownPlaceholder(pattern).isEmpty())
        plan.pattern = pattern;
    plan.date = QDate::currentDate();
    return plan;
}

ConversionRun currentWorkRun(bool merge, bool segmentChapters, const TrackPlan &plan)
{
    ConversionRun run;
    run.merge = merge;
    run.segmentChapters = segmentChapters;
    run.naming = currentNamingPlan(merge);
    const OutputFormatParams &params = OutputFormatParams::instance();
    const VoVideoConvertManager *items = VoVideoConvertManager::instance();
    for (int i = 0; i < items->count(); ++i)
        if (const VoVideoConvertItem *item = items->itemAt(i))
            run.segments.append(conversionSegmentOf(*item, params));
    applyTrackPlan(run, plan);
    return run;
}

void powerOffIfChosen()
{
    if (ParserXML::readItemValue("SHOWDOWN_ITEM", "bIsShowDownComputer", "N") == QLatin1String("Y")) {
        qDebug("\n\n\nshutdown---------\n\n\n");
        powerOffComputer();
    }
}
