#include "VoThumbnailWorker.h"

#include <QMetaObject>

#include <algorithm>

VoThumbnailWorker::VoThumbnailWorker(QObject *parent) : QObject(parent)
{
    m_thread = std::thread([this] { run(); });
}

VoThumbnailWorker::~VoThumbnailWorker()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
        m_queue.clear();
    }
    m_cv.notify_all();
    m_thread.join();
}

void VoThumbnailWorker::setFile(const QString &path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_path = path;
    ++m_fileSerial;
    m_queue.clear();
}

void VoThumbnailWorker::request(quintptr key, uint64_t timeUs)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_path.isEmpty())
            return;
        auto same = std::find_if(m_queue.begin(), m_queue.end(),
                                 [key](const std::pair<quintptr, uint64_t> &r) { return r.first == key; });
        if (same != m_queue.end())
            same->second = timeUs;
        else
            m_queue.emplace_back(key, timeUs);
    }
    m_cv.notify_all();
}

bool VoThumbnailWorker::isIdle() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_queue.empty() && !m_busy;
}

QImage VoThumbnailWorker::grab(const QString &path, uint64_t timeUs)
{
    if (path != m_openPath) {
        m_openPath = path;
        if (!m_grabber.open(path))
            return QImage();
    }
    if (!m_grabber.isOpen())
        return QImage();
    const int w = m_grabber.width();
    const int h = m_grabber.height();
    if (w <= 0 || h <= 0)
        return QImage();
    // Decoded straight at the size shown: scaling a full picture down
    // afterwards would only throw its pixels away.
    const QSize size = QSize(w, h).scaled(maxSide, maxSide, Qt::KeepAspectRatio);
    return m_grabber.grabImage(timeUs, std::max(1, size.width()), std::max(1, size.height()));
}

void VoThumbnailWorker::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        while (!m_quit && m_queue.empty())
            m_cv.wait(lock);
        if (m_quit)
            break;
        const auto [key, timeUs] = m_queue.front();
        m_queue.pop_front();
        const QString path = m_path;
        const unsigned serial = m_fileSerial;
        m_busy = true;
        lock.unlock();
        const QImage image = grab(path, timeUs);
        QMetaObject::invokeMethod(
            this,
            [this, key = key, image, serial] {
                {
                    std::lock_guard<std::mutex> guard(m_mutex);
                    if (serial != m_fileSerial)
                        return; // an answer about a file no longer shown
                }
                emit thumbnailReady(key, image);
            },
            Qt::QueuedConnection);
        lock.lock();
        m_busy = false;
    }
    lock.unlock();
    m_grabber.close();
}
