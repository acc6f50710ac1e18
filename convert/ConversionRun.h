#pragma once
// A conversion's whole work as one value: what to cut from which source,
// with which engine parameters, and how the outputs are named. It is made
// on the interface thread when the user (or the command line) starts, then
// copied into the conversion manager, which reads nothing else until the
// run ends: a setting changed, a segment edited or a window closed in the
// meantime changes nothing of a run under way, and several runs can go at
// once in one process.
#include "ConvertJob.h"

#include <QDate>
#include <QList>
#include <QString>

#include <cstdint>
#include <functional>

struct OutputFormatParams;
class VoVideoConvertItem;

// One output of a run (or one range of a merged output).
struct ConversionSegment {
    QString sourcePath;
    int number = 1; // the segment's number as the user sees it, from 1
    QString label;  // the user's name for it; may be empty
    // The range as output names give it (µs); end is the real end, never 0.
    uint64_t start_us = 0;
    uint64_t end_us = 0;
    // Everything the engine is told: range, codecs, sizes, streams, edits.
    ConvertJob job;
};

// How a run names its outputs. All of it is decided at the start; only the
// numbers that are free are found while the run writes.
struct OutputNamingPlan {
    // Where the names go, ending with '/'; an empty folder is the root.
    QString root;
    QString folder;
    // The folder is the run's own: removed after a failure when nothing
    // else is left in it (never a folder the user named).
    bool folderIsOwn = false;
    QString baseName;  // the source's name without its suffix, maybe shortened
    QString extension; // without the dot
    // The user's template; empty for the window's rule of old: base_N.ext
    // with the first N free in the folder.
    QString pattern;
    // A name whose temporary exists is taken too: another run is writing it.
    bool avoidNamesBeingWritten = false;
    QDate date;

    QString outputFolder() const { return folder.isEmpty() ? root : folder; }
};

struct ConversionRun {
    QList<ConversionSegment> segments;
    bool merge = false;
    // A merge writes one chapter per segment, titled with its label or
    // "Segment N", instead of the chapters of the sources.
    bool segmentChapters = false;
    // Ask for the computer to be turned off once every output is written.
    bool powerOffWhenDone = false;
    OutputNamingPlan naming;

    // The output path of the segment at position (a merged file is named
    // at position 0); makes its folder. Reads the disk for free names and
    // nothing else.
    QString outputPathFor(int position) const;
};

// Gives plan to every segment of run cut from the plan's source.
void applyTrackPlan(ConversionRun &run, const TrackPlan &plan);

// The output extension of a format for a source with suffix.
QString outputExtension(const OutputFormatParams &params, const QString &sourceSuffix);

// A segment of a run from a media item and the output parameters; the
// item is read here and not later.
ConversionSegment conversionSegmentOf(const VoVideoConvertItem &item, const OutputFormatParams &params);

// Where a source's outputs go under root: its base name, shortened when
// root/base/base_N.ext would pass the classic 260-character limit, and a
// folder of that name that does not exist yet ("name(1)", "name(2)" ...).
// An empty folder when even a shortened name does not fit.
struct SourceOutputPlace {
    QString adjustedName; // base.ext shortened; empty when nothing fits
    QString folder;       // ending with '/'; empty when nothing fits
};
SourceOutputPlace sourceOutputPlace(const QString &root, const QString &sourceName, const QString &extension);

// The base of a file name: what comes before its last dot.
QString outputBaseName(const QString &name);
