#include "SourceTracks.h"

#include "orlcodec_tracks.h"

#include <vector>

bool listSourceTracks(const QString &path, QList<SourceTrack> &tracks, QString &error)
{
    tracks.clear();
    const QByteArray utf8 = path.toUtf8();
    char why[512] = "";
    std::vector<orl_track_stream> found(64);
    int n = Tracks_ListStreams(utf8.constData(), found.data(), int(found.size()), why, sizeof why);
    if (n > int(found.size())) {
        found.resize(size_t(n));
        n = Tracks_ListStreams(utf8.constData(), found.data(), int(found.size()), why, sizeof why);
    }
    if (n < 0) {
        error = QString::fromUtf8(why);
        return false;
    }
    for (int i = 0; i < n && i < int(found.size()); ++i) {
        const orl_track_stream &s = found[size_t(i)];
        SourceTrack t;
        t.index = s.index;
        t.kind = s.kind;
        t.codec = QString::fromUtf8(s.codec);
        t.language = QString::fromUtf8(s.language);
        t.title = QString::fromUtf8(s.title);
        t.isDefault = (s.flags & ORL_TRACK_DEFAULT) != 0;
        t.forced = (s.flags & ORL_TRACK_FORCED) != 0;
        t.channels = s.channels;
        t.sampleRate = s.sample_rate;
        t.width = s.width;
        t.height = s.height;
        tracks << t;
    }
    return true;
}

TrackPlan trackPlanOf(const QString &path, const QList<SourceTrack> &tracks)
{
    TrackPlan plan;
    plan.sourcePath = path.toStdString();
    for (const SourceTrack &t : tracks) {
        TrackPlanEntry e;
        e.stream = t.index;
        e.kind = t.kind;
        e.language = t.language.toStdString();
        e.title = t.title.toStdString();
        e.isDefault = t.isDefault;
        e.forced = t.forced;
        plan.entries.push_back(e);
    }
    return plan;
}

TrackOffset findTrackOffset(const QString &first, int firstStream, const QString &second, int secondStream,
                            MediaHandle cancel)
{
    orl_offset_result r{};
    const QByteArray a = first.toUtf8(), b = second.toUtf8();
    TrackOffset out;
    out.found = Tracks_FindOffset(a.constData(), firstStream, b.constData(), secondStream, 0, cancel, &r) == 1;
    out.seconds = double(r.offset_us) / 1e6;
    out.confidence = r.confidence;
    out.reason = QString::fromUtf8(r.reason);
    return out;
}
