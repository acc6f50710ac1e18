#pragma once
// Holder of the player of the file being worked on. The player panel
// borrows the handle and never releases it; deleting the holder does.
// openAsync opens on a thread of its own, so that the interface thread
// never waits for a file to open and its first picture to decode.
#include "TrackPlan.h"
#include "VoPlayerClass.h"

#include <QObject>

#include <memory>
#include <thread>

class QPlayObject : public QObject {
    Q_OBJECT
public:
    explicit QPlayObject(QObject *parent = nullptr);
    // Waits for an open in progress; an abort of loading cuts it short.
    ~QPlayObject() override;

    // Releases any previous player, creates a new one and opens path.
    bool open(const QString &path);
    // The same off this thread: the previous player goes at once, the new
    // one is held once opened() arrives on this object's thread.
    void openAsync(const QString &path);
    bool isOpening() const { return m_opening; }
    MediaHandle playerHandle() const { return m_player ? m_player->handle() : 0; }
    // A partial file whose data ends before its stated length plays up to
    // duration_us only.
    void limitDuration(uint64_t duration_us);
    // The path of the last successful open.
    QString path() const { return m_path; }
    // True when the file plays on the wall clock because no audio
    // device opened.
    bool audioOutputFailed() const { return m_player && m_player->audioOutputFailed(); }
    // Why the last open failed.
    QString lastError() const { return m_player ? m_player->lastError() : QString(); }
    // The sound heard as the plan shifts the stream played (none: as
    // recorded), from the picture shown on.
    void setSoundShiftFor(const TrackPlan &plan);
    // The sound stream the opens of path play from now on (-1: the file's
    // best); the player open now keeps what it plays.
    void setPreferredAudioStream(const QString &path, int stream);
    int preferredAudioStreamFor(const QString &path) const
    {
        return path == m_preferredPath ? m_preferredAudio : -1;
    }
    // The index in the file of the sound stream played, -1 when none.
    int audioStream() const;

signals:
    void opened(bool ok);

private:
    struct Opening;
    void finishOpening(const std::shared_ptr<Opening> &opening);

    std::unique_ptr<VoPlayerClass> m_player;
    QString m_path;
    int64_t m_shiftUs = 0; // the sound shift the player was given
    bool m_opening = false;
    unsigned m_serial = 0; // of the latest open
    QString m_preferredPath;
    int m_preferredAudio = -1;
    std::thread m_thread;
};
