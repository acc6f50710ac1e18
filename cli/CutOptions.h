#pragma once
// The options of `snipwell-cli cut`, read and checked before any file is
// touched: whatever is wrong with the command line itself is a usage
// error (exit status 2), never half a run.
#include "CutList.h"
#include "OutputFormatParams.h"
#include "TrackOptions.h"
#include "VEEditConfig.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace cli {

// Where segments come from, in the order the command line gives them.
struct SegmentSource {
    enum Kind { Range, List, Chapters, Project };
    Kind kind = Range;
    uint64_t start_us = 0;
    uint64_t end_us = 0; // 0: to the end of the file
    QString path;        // the cut list, for List and Project
    // A project's segments with their labels, read once: they do not
    // depend on the file they are cut from (end 0: to its end).
    cutlist::SegmentList segments;
    // In a join, the FILE given before it (its place among the files);
    // -1 when it came before any FILE: it applies to every file.
    int file = -1;
};

struct CutOptions {
    enum Mode { Copy, Exact, Encode };
    std::vector<SegmentSource> sources;
    Mode mode = Copy;
    bool merge = false;
    bool mergeChapters = false;
    // Every FILE's segments, file after file, into one output.
    bool join = false;
    // In a join: sound that differs from the first file's is encoded to match.
    bool matchSound = false;
    QString outputDir;    // empty: the program's output folder
    QString nameTemplate; // empty: the window's default
    int jobs = 1;
    bool json = false;
    QStringList files;
    // The output parameters every segment is converted with.
    OutputFormatParams params;
    // Edits from --edits, applied to every segment; empty when none.
    QByteArray edits;
    QString editsPath;
    // The streams kept, their order, names, flags and shifts.
    TrackOptions tracks;
};

// Reads args; false with error set (a sentence for the user) when the
// command line is wrong.
bool parseCutOptions(const QStringList &args, CutOptions &options, QString &error);

// "12.5", "1:02.5" or "1:02:03.250" in µs; false for anything else.
bool parseTime(const QString &text, uint64_t &us);

} // namespace cli
