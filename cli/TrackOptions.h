#pragma once
// The stream options of cut and join: which streams an output keeps, their
// order, languages, titles, flags and shifts. A stream is named by its
// index in the source ("3"), by its kind and number among that kind
// ("v:0", "a:1", "s:0") or by its kind and language ("a:eng").
#include "SourceTracks.h"
#include "TrackPlan.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace cli {

struct TrackOptions {
    QStringList drop;
    QStringList order;
    QList<QPair<QString, QString>> languages; // stream, code
    QList<QPair<QString, QString>> titles;    // stream, text
    QStringList defaults;
    QStringList forced;
    QList<QPair<QString, qint64>> shifts; // stream, ms

    bool any() const
    {
        return !drop.isEmpty() || !order.isEmpty() || !languages.isEmpty() || !titles.isEmpty()
            || !defaults.isEmpty() || !forced.isEmpty() || !shifts.isEmpty();
    }
};

// The option names read by readTrackOption, all taking a value.
const QStringList &trackOptionNames();

// Reads one stream option; false with error (a sentence for the user) when
// its value is wrong in itself.
bool readTrackOption(const QString &name, const QString &value, TrackOptions &options, QString &error);

// Whether stream has the form of a stream's name; the index in the source of
// the first stream it names among tracks, -1 when none.
bool isStreamName(const QString &stream);
int streamNamed(const QString &stream, const QList<SourceTrack> &tracks);

// The plan of one source: its streams, the options applied. duration_us is
// the source's length (a shift may not move a track past it). False with
// error when a stream named is not in the source or the plan makes no sense.
bool trackPlanFor(const TrackOptions &options, const QString &path, const QList<SourceTrack> &tracks,
                  qint64 duration_us, TrackPlan &plan, QString &error);

} // namespace cli
