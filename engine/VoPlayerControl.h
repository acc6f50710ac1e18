#pragma once
// The interface's hold on a player it borrows. Every command that may
// decode (seek, steps, play, pause, stop, the end of a drag) is posted to
// the player's own thread and returns at once; the picture shown after each
// comes back as a queued signal. Queries read what the player already
// knows and never wait on its decoder.
#include <QByteArray>
#include <QObject>

#include <QPointer>

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>

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
    // Commands asked for whose end has not been reported yet.
    int pending() const { return int(m_posted - m_reported) + m_held; }
    // Calls done with the time of the picture the user will see once every
    // command asked for before this call has ended: at once when none is
    // on its way, else from the report of the last of them. Commands asked
    // for after it wait for it, so that a newer seek cannot replace the one
    // it marks. Calls keep their order; they are dropped when the player is
    // let go of or context is gone.
    void whenShown(QObject *context, std::function<void(quint64 shownUs)> done);
    // A call waits for a picture.
    bool isWaiting() const { return m_marks > 0; }
    // Nothing asked for is on its way and no call waits for a picture.
    bool isSettled() const { return m_posted == m_reported && m_queue.empty(); }

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
    enum class Kind { Seek, Step, StepKey, Play, Pause, Stop, BeginAsync, EndAsync, Mark };
    struct Entry {
        Kind kind;
        int64_t value = 0;
        QPointer<QObject> context; // Mark only
        std::function<void(quint64)> done;
    };

    static void notify(void *opaque, uint64_t shownUs, int idle);
    void reported(quint64 shownUs, bool idle);
    bool ask(Kind kind, int64_t value);
    bool post(Kind kind, int64_t value);
    // Posts what may go and calls the marks whose picture is known.
    void drain();

    Handle m_player = 0;      // interface thread only
    uint64_t m_posted = 0;    // interface thread only: posts since attach
    uint64_t m_reported = 0;  // interface thread only: their reports so far
    quint64 m_lastShown = 0;  // interface thread only: time of the last report
    bool m_shownKnown = false; // interface thread only: a report came since attach
    // Interface thread only: marks waiting, and the commands asked for
    // after the first of them, in order.
    std::deque<Entry> m_queue;
    int m_held = 0;  // commands in m_queue
    int m_marks = 0; // marks in m_queue
    bool m_draining = false;
    // Changed on every attach; a report of an earlier attachment is stale.
    std::atomic<unsigned> m_serial{0};
};
