#include "ThumbnailStripWorker.h"

#include <QElapsedTimer>
#include <thread>

ThumbnailStripWorker::ThumbnailStripWorker(Deliver deliver) : m_deliver(std::move(deliver)) {}

ThumbnailStripWorker::~ThumbnailStripWorker()
{
    stop();
    m_stopEvent.set();
    waitForExit();
}

void ThumbnailStripWorker::begin(const QString &path, uint64_t duration_us, int requestId)
{
    m_path = path;
    m_duration_us = duration_us;
    m_requestId = requestId;
    m_stop = false;
    if (path.isEmpty())
        return;
    // Marked busy here rather than in the run, so that a stop asked for
    // right after this call never sees a stale idle flag.
    m_idle = false;
    start();
}

bool ThumbnailStripWorker::stop()
{
    m_stop = true;
    QElapsedTimer waited;
    waited.start();
    while (!m_idle.load() && waited.elapsed() < 3000)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return m_idle.load();
}

QImage ThumbnailStripWorker::grabPicture(VoGrabberClass &grabber, uint64_t time_us)
{
    if (!grabber.isOpen())
        return QImage();
    int w = grabber.width();
    int h = grabber.height();
    int a = 0, b = 0;
    if (grabber.displayAspect(&a, &b) && a > 0 && b > 0 && w > 0 && h > 0) {
        if (static_cast<int64_t>(h) * a <= static_cast<int64_t>(w) * b)
            w = static_cast<int>(static_cast<int64_t>(h) * a / b);
        else
            h = static_cast<int>(static_cast<int64_t>(w) * b / a);
    }
    // The strip shows each picture 120 pixels high: decoding and encoding
    // the full picture would only be thrown away by the scaling.
    if (w > 0 && h > pictureHeight) {
        w = qMax(1, static_cast<int>(static_cast<int64_t>(w) * pictureHeight / h));
        h = pictureHeight;
    }
    return grabber.grabImage(time_us, w, h, ORL_PICTURE_JPEG | ORL_PICTURE_KEY_FRAME);
}

void ThumbnailStripWorker::run()
{
    const int requestId = m_requestId.load();
    if (m_grabber.open(m_path)) {
        QImage lastGood;
        for (int i = 0; i < pictureCount && !m_stop.load(); ++i) {
            const uint64_t t = m_duration_us * static_cast<uint64_t>(i) / pictureCount;
            const QImage image = grabPicture(m_grabber, t);
            if (!image.isNull())
                lastGood = image;
            if (m_stop.load())
                break;
            if (m_deliver)
                m_deliver(lastGood, requestId);
        }
        m_grabber.close();
    }
    m_idle = true;
}
