#pragma once
// The background worker of the Simple Mode thumbnail strip: ten pictures
// spread over a file, grabbed at the key frame before each point and at
// the strip's own size, handed over one by one with the number of the
// request they answer so that the receiver can drop the answers to a file
// it no longer shows. The newest request wins: one asked for while a strip
// is being grabbed ends that strip after its current picture, and nothing
// the interface thread calls here waits for the worker.
#include "QUtilThread.h"
#include "VoGrabberClass.h"

#include <QImage>
#include <QString>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>

class ThumbnailStripWorker : public QUtilThread {
public:
    // Called on the worker thread for every picture; queue it onwards.
    using Deliver = std::function<void(const QImage &image, int requestId)>;

    static constexpr int pictureCount = 10;
    // Pictures are grabbed this high: twice the strip's 120 pixels, so that
    // they stay sharp on high-density screens.
    static constexpr int pictureHeight = 240;

    explicit ThumbnailStripWorker(Deliver deliver);
    ~ThumbnailStripWorker() override;

    // Asks for a strip of path for request requestId, replacing any strip
    // still asked for or being grabbed. Returns at once.
    void begin(const QString &path, uint64_t duration_us, int requestId);
    // Drops what was asked for; a strip being grabbed ends after its
    // current picture. Returns at once.
    void stop();
    // No strip asked for and none being grabbed.
    bool isIdle() const { return m_idle.load(); }

    // One picture of an open grabber at time_us, sized from the stream's
    // shown aspect to pictureHeight; a null image when nothing came.
    static QImage grabPicture(VoGrabberClass &grabber, uint64_t time_us);

protected:
    void run() override;

private:
    struct Request {
        QString path;
        uint64_t duration_us = 0;
        int id = 0;
    };
    void grabStrip(const Request &request);

    const Deliver m_deliver;
    VoGrabberClass m_grabber;         // worker thread only
    std::mutex m_mutex;
    std::optional<Request> m_pending; // guarded by m_mutex
    bool m_running = false;           // guarded by m_mutex: the worker takes requests
    std::atomic<bool> m_interrupt{false}; // a newer request or a stop came
    std::atomic<bool> m_idle{true};
};
