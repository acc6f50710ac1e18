#pragma once
// Owner of one player handle of the media library: the handle is destroyed
// with the owner, so no path can leak it or use it after release.
#include "MediaTypes.h"

#include <QString>

class VoPlayerClass {
public:
    VoPlayerClass() = default;
    ~VoPlayerClass();
    VoPlayerClass(const VoPlayerClass &) = delete;
    VoPlayerClass &operator=(const VoPlayerClass &) = delete;

    // Creates the handle on first use, then opens path on it, playing the
    // sound stream audioStream (its index in the file; -1: the best one).
    bool open(const QString &path, int audioStream = -1);
    // Stops and releases the handle.
    void release();
    MediaHandle handle() const { return m_handle; }
    bool audioOutputFailed() const;
    // The library's reason for the last failure on the handle.
    QString lastError() const;
    // A thread of one's own that opened a player calls this before it
    // ends: the audio output keeps storage for every thread that opened a
    // device and frees it only for threads it made itself.
    static void threadDone();

private:
    MediaHandle m_handle = 0;
};
