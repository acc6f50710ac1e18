#pragma once
// The background worker of the Simple Mode thumbnail strip: ten pictures
// spread over a file, grabbed at the key frame before each point and at
// the strip's own size, handed over one by one with the number of the
// request they answer so that the receiver can drop the answers to a file
// it no longer shows.
#include "QUtilThread.h"
#include "VoGrabberClass.h"

#include <QImage>
#include <QString>
#include <atomic>
#include <functional>

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

    // Starts a strip of path for request requestId; the caller has stopped
    // any earlier run first (stop()).
    void begin(const QString &path, uint64_t duration_us, int requestId);
    // Asks a running strip to end and waits, 20 ms at a time and at most
    // 3 s, until the worker is idle. True when it is.
    bool stop();
    bool isIdle() const { return m_idle.load(); }

    // One picture of an open grabber at time_us, sized from the stream's
    // shown aspect to pictureHeight; a null image when nothing came.
    static QImage grabPicture(VoGrabberClass &grabber, uint64_t time_us);

protected:
    void run() override;

private:
    Deliver m_deliver;
    VoGrabberClass m_grabber;      // used by one run at a time
    QString m_path;                // written before start, read by the run
    uint64_t m_duration_us = 0;    // likewise
    std::atomic<int> m_requestId{0};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_idle{true};
};
