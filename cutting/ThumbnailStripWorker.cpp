#include "ThumbnailStripWorker.h"

ThumbnailStripWorker::ThumbnailStripWorker(Deliver deliver) : m_deliver(std::move(deliver)) {}

ThumbnailStripWorker::~ThumbnailStripWorker()
{
    stop();
    m_stopEvent.set();
    waitForExit();
}

void ThumbnailStripWorker::begin(const QString &path, uint64_t duration_us, int requestId)
{
    if (path.isEmpty()) {
        stop();
        return;
    }
    bool startWorker = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending = Request{path, duration_us, requestId};
        m_interrupt = true;
        // Busy from here on, so that a check right after this call never
        // sees a stale idle flag.
        m_idle = false;
        startWorker = !m_running;
        m_running = true;
    }
    // A worker that has given up taking requests is past its last use of
    // any member: the wait for it inside start() is a short one.
    if (startWorker)
        start();
}

void ThumbnailStripWorker::stop()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pending.reset();
    m_interrupt = true;
    if (!m_running)
        m_idle = true;
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
    return grabber.grabImage(time_us, w, h, MediaPicture::Jpeg | MediaPicture::KeyFrame);
}

void ThumbnailStripWorker::run()
{
    for (;;) {
        Request request;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_pending || m_stopEvent.isSet()) {
                m_pending.reset();
                m_running = false;
                m_idle = true;
                return;
            }
            request = std::move(*m_pending);
            m_pending.reset();
            m_interrupt = false;
        }
        grabStrip(request);
    }
}

void ThumbnailStripWorker::grabStrip(const Request &request)
{
    if (!m_grabber.open(request.path))
        return;
    QImage lastGood;
    for (int i = 0; i < pictureCount && !m_interrupt.load(); ++i) {
        const uint64_t t = request.duration_us * static_cast<uint64_t>(i) / pictureCount;
        const QImage image = grabPicture(m_grabber, t);
        if (!image.isNull())
            lastGood = image;
        if (m_interrupt.load())
            break;
        if (m_deliver)
            m_deliver(lastGood, request.id);
    }
    m_grabber.close();
}
