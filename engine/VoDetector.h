#pragma once
// Owner of one detector handle of the media library: the searches for
// places to cut and the sound's outline. run() and waveform() block while
// the file is read and belong on a worker; cancel() and progress() may be
// called from any thread meanwhile.
#include "MediaTypes.h"

#include <QString>
#include <QVector>
#include <cstdint>

class VoCancelToken;

class VoDetector {
public:
    // The library's values (VoDetector.cpp checks them).
    enum Kind { Silence = 1, Black = 2, Scene = 3, Freeze = 4 };
    enum Failure { None = 0, NoAudio = 1, NoVideo = 2, Stopped = 3, Unreadable = 4, BadSettings = 5 };

    struct Settings {
        int kind = Silence;
        double threshold = -50;    // silence and freeze: dB; black: share 0..1; scene: score 0..100
        double pixelThreshold = 0; // black only
        int64_t minLength_us = 1000000;
        int audioStream = 0;
    };
    struct Range {
        int64_t start_us = 0;
        int64_t end_us = 0; // equals start_us for a picture change
        double score = 0;
    };

    // Values the outline holds per second of sound.
    static constexpr int waveformRate = 100;

    VoDetector();
    ~VoDetector();
    VoDetector(const VoDetector &) = delete;
    VoDetector &operator=(const VoDetector &) = delete;

    static Settings defaults(int kind);

    // The findings of kind in path; false when the search failed (failure()).
    bool run(const QString &path, const Settings &settings, QVector<Range> &out);
    // The outline of path's first audio stream, waveformRate values a
    // second, 0..255. Kept per file (path, size, modification time), so a
    // file shown again costs nothing.
    bool waveform(const QString &path, QVector<quint8> &peaks);
    // Whether waveform() would answer path from what it keeps.
    static bool hasCachedWaveform(const QString &path);

    // The caller's token that the following run() and waveform() calls
    // watch; set it between calls. A token triggered before a call ends that
    // call at once.
    void watch(const VoCancelToken &token);
    // Triggers the token watched now (the detector's own one when none was
    // given, and then every later call stops at once until watch()).
    void cancel();
    int progress() const; // 0..1000
    int failure() const { return m_failure; }
    // The library's reason for the last failure.
    QString errorText() const { return m_error; }

private:
    void takeFailure();

    MediaHandle m_handle = 0;
    int m_failure = None;
    QString m_error;
};
