#pragma once
// The source streams an encoding leaves out. An encoding writes one picture
// stream and one sound track, and shows a subtitle only burned into the
// picture; a lossless copy keeps every stream chosen. The user hears which
// tracks did not make it into the output.
#include <QList>
#include <QString>
#include <QStringList>

#include "TrackPlan.h"

class VoVideoConvertItem;

// Names of the sound tracks and subtitle streams of item's source that an
// encoding of it leaves out, as the track lists show them.
QStringList tracksLeftOutByEncoding(const VoVideoConvertItem &item);

// The note for one source: empty when its encoding loses nothing.
QString tracksLeftOutNote(const VoVideoConvertItem &item);

// One note per source among items, each led by the source's file name naming what their encoding leaves out;
// none for a source that loses nothing. Segments of one source share a note.
// The work's track plan (workTrackPlan) decides for the source it is for.
QStringList tracksLeftOutNotes(const QList<const VoVideoConvertItem *> &items);

// The kept streams of a track plan that an encoding leaves out (every sound
// after the first kept, every subtitle stream), named "#INDEX (language,
// title)"; and the note about them, empty when it loses nothing.
QStringList tracksLeftOutByEncoding(const TrackPlan &plan);
QString tracksLeftOutNote(const TrackPlan &plan);
