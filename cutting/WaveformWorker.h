#pragma once
// The background worker of the timeline's sound outline. The newest
// request wins: one asked for while an outline is being read stops that
// reading, and nothing the interface thread calls here waits for the
// worker. Outlines come back with the number of the request they answer.
#include "QUtilThread.h"
#include "VoCancelToken.h"
#include "VoDetector.h"

#include <QString>
#include <QVector>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class WaveformWorker : public QUtilThread {
public:
    // Called on the worker thread; queue it onwards. Empty peaks when the
    // file has no sound or could not be read.
    using Deliver = std::function<void(const QVector<quint8> &peaks, int requestId)>;

    explicit WaveformWorker(Deliver deliver);
    ~WaveformWorker() override;

    void begin(const QString &path, int requestId);
    void stop();
    bool isIdle() const { return m_idle.load(); }

protected:
    void run() override;

private:
    // Each request carries its own cancel, made when it is asked for: a
    // newer request or a stop triggers it whether or not its reading has
    // begun, and a triggered request is never delivered.
    struct Request {
        QString path;
        int id = 0;
        std::shared_ptr<VoCancelToken> cancel;
    };

    const Deliver m_deliver;
    VoDetector m_detector;                         // used on the worker only
    std::mutex m_mutex;
    std::optional<Request> m_pending;              // guarded by m_mutex
    std::shared_ptr<VoCancelToken> m_readingCancel; // guarded by m_mutex: the request being read
    bool m_running = false;                        // guarded by m_mutex
    std::atomic<bool> m_idle{true};
};
