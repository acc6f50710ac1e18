#include "ThumbnailStripWorker.h"

#include <QElapsedTimer>
#include <thread>

ThumbnailStripWorker::ThumbnailStripWorker(Deliver deliver) : m_deliver(std::move(deliver)) {}

ThumbnailStripWorker::~ThumbnailStripWorker()
{
    stop();
    m_stopEvent.set();
    waitForExit();
    if (m_grabber) {
        Grabber_Close(m_grabber);
        Grabber_Destroy(m_grabber);
    }
}

void ThumbnailStripWorker::begin(const QString &path, uint64_t duration_us, int requestId)
{
    if (!m_grabber)
        m_grabber = Grabber_Create();
    m_path = path;
    m_duration_us = duration_us;
    m_requestId = requestId;
    m_stop = false;
    if (path.isEmpty() || !m_grabber)
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

QImage ThumbnailStripWorker::grabPicture(ORL_HANDLE grabber, uint64_t time_us)
{
    if (!grabber)
        return QImage();
    int w = Grabber_GetWidth(grabber);
    int h = Grabber_GetHeight(grabber);
    int a = 0, b = 0;
    if (Grabber_GetDisplayAspect(grabber, &a, &b) == 1 && a > 0 && b > 0 && w > 0 && h > 0) {
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
    const bool canSeek = Grabber_CanSeek(grabber) != 0;
    const orl_picture *pic =
        Grabber_GrabFrame(grabber, canSeek ? time_us : 0, w, h, ORL_PICTURE_JPEG | ORL_PICTURE_KEY_FRAME);
    if (!pic)
        return QImage();
    QImage image;
    image.loadFromData(pic->data, static_cast<int>(pic->size));
    Grabber_ReleaseFrame(grabber, pic);
    return image;
}

void ThumbnailStripWorker::run()
{
    const int requestId = m_requestId.load();
    if (Grabber_Open(m_grabber, m_path.toUtf8().constData()) == 1) {
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
        Grabber_Close(m_grabber);
    }
    m_idle = true;
}
