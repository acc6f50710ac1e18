#pragma once
// The streams of a source as the track plan names them, and the offset
// between two of its sound tracks. Both read the file: call them off the
// interface thread.
#include "MediaTypes.h"
#include "TrackPlan.h"

#include <QList>
#include <QString>

struct SourceTrack {
    int index = -1; // in the source
    int kind = 0;   // 1 picture, 2 sound, 8 subtitles
    QString codec;
    QString language; // as stored; empty when none
    QString title;
    bool isDefault = false;
    bool forced = false;
    int channels = 0;
    int sampleRate = 0;
    int width = 0;
    int height = 0;
};

// False with the reason when the file cannot be read.
bool listSourceTracks(const QString &path, QList<SourceTrack> &tracks, QString &error);

// The plan that keeps every stream as the source has it.
TrackPlan trackPlanOf(const QString &path, const QList<SourceTrack> &tracks);

struct TrackOffset {
    bool found = false;
    double seconds = 0;    // how much later the second track's sound comes
    double confidence = 0; // 0 to 1
    QString reason;        // why it could not tell
};

// cancel: a token of the media library's cancel family, or 0.
TrackOffset findTrackOffset(const QString &first, int firstStream, const QString &second, int secondStream,
                            MediaHandle cancel = 0);
