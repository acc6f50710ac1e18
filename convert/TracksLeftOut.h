#pragma once
// The source streams an encoding leaves out. An encoding writes one picture
// stream and the sound tracks chosen (one without a track plan; with one,
// every sound it keeps where the output holds several), and shows a
// subtitle only burned into the picture; a lossless copy keeps every stream
// chosen. The user hears which tracks did not make it into the output.
#include <QList>
#include <QString>
#include <QStringList>

#include "TrackPlan.h"

class VoVideoConvertItem;
struct ConversionRun;
struct OutputFormatParams;

// Names of the sound tracks and subtitle streams of item's source that an
// encoding of it leaves out, as the track lists show them.
QStringList tracksLeftOutByEncoding(const VoVideoConvertItem &item);

// The note for one source: empty when its encoding loses nothing.
QString tracksLeftOutNote(const VoVideoConvertItem &item);

// One note per source among items, each led by the source's file name naming what their encoding leaves out;
// none for a source that loses nothing. Segments of one source share a note.
// The track plan the run gives the source's segments decides what is kept,
// with the output format of OutputFormatParams::instance().
QStringList tracksLeftOutNotes(const QList<const VoVideoConvertItem *> &items, const ConversionRun &run);

// How many sound tracks of a plan an encoding into format keeps.
int encodedSoundTracks(const OutputFormatParams &format);

// The kept streams of a track plan that an encoding keeping soundTracks
// sound tracks leaves out (the sounds after those, every subtitle stream),
// named "#INDEX (language, title)"; and the note about them for an encoding
// into format, empty when it loses nothing.
QStringList tracksLeftOutByEncoding(const TrackPlan &plan, int soundTracks);
QString tracksLeftOutNote(const TrackPlan &plan, const OutputFormatParams &format);
