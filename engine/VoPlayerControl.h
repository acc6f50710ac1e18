#pragma once
// The interface's hold on a player it borrows. Every command that may
// decode (seek, steps, play, pause, stop, the end of a drag) is posted to
// the player's own thread and returns at once; the picture shown after each
// comes back as a queued signal. Queries read what the player already
// knows and never wait on its decoder.
#include <QByteArray>
#include <QObject>

#include <atomic>
#include <cstdint>

class VoPlayerControl : public QObject {
    Q_OBJECT
public:
    // The media library's player handle (0 = none).
    using Handle = intptr_t;

    explicit VoPlayerControl(QObject *parent = nullptr);
    ~VoPlayerControl() override;

    // Borrows player (0 lets go); reports of the player let go of are
    // dropped, including those already on their way.
    void attach(Handle player);
    Handle handle() const { return m_player; }

    bool seek(uint64_t timeUs);
    bool stepFrame(int direction);
    bool stepKeyFrame(int direction);
    bool play();
    bool pause();
    bool stop();
    bool beginAsyncSeek(int64_t budgetUs);
    bool endAsyncSeek();
    // Commands posted whose end has not been reported yet.
    int pending() const { return m_pending; }

    uint64_t duration() const;
    uint64_t position() const;
    uint64_t frameTime() const;
    bool isEnded() const;
    bool isPaused() const;
    bool hasVideo() const;
    bool hasAudio() const;
    int width() const;
    int height() const;
    int displayWidth() const;
    int displayHeight() const;
    void setVolume(int volume);
    void setRendererVolume(int volume);
    void setLateFrameTolerance(int us);
    void setSampleDelivery(bool on);
    bool refreshScreen();
    // The latest samples heard (WAV layout) and their rate; empty when
    // nothing is new.
    QByteArray audioSamples(int *sampleRate) const;

signals:
    // A posted command has ended: shownUs is the time of the picture on
    // screen; idle when nothing posted is left.
    void pictureShown(quint64 shownUs, bool idle);

private:
    static void notify(void *opaque, uint64_t shownUs, int idle);
    void posted(bool ok);

    Handle m_player = 0;  // interface thread only
    int m_pending = 0;    // interface thread only: posts not yet reported
    // Changed on every attach; a report of an earlier attachment is stale.
    std::atomic<unsigned> m_serial{0};
};
