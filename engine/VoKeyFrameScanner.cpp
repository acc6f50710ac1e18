#include "VoKeyFrameScanner.h"

#include "orlcodec.h"

#include <QMetaObject>

#include <algorithm>

VoKeyFrameScanner::VoKeyFrameScanner(QObject *parent)
    : QObject(parent)
{
}

VoKeyFrameScanner::~VoKeyFrameScanner()
{
    cancel();
}

void VoKeyFrameScanner::join()
{
    if (m_worker.joinable())
        m_worker.join();
}

void VoKeyFrameScanner::cancel()
{
    ++m_generation;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        // Cuts short the open as well as the search.
        if (m_handle)
            Info_Cancel(m_handle);
    }
    join();
}

void VoKeyFrameScanner::request(const QString &path)
{
    cancel();
    const unsigned generation = m_generation.load();
    const QByteArray utf8 = path.toUtf8();
    m_worker = std::thread([this, path, utf8, generation] {
        const ORL_HANDLE h = Info_Create(-1);
        QVector<quint64> times;
        {
            // Known to cancel() before the open, so that a slow open (a
            // network share, a huge file without an index) is cut short too.
            std::lock_guard<std::mutex> lock(m_mutex);
            m_handle = h;
            if (h && generation != m_generation.load())
                Info_Cancel(h);
        }
        if (h && Info_Open(h, utf8.constData()) == 1) {
            // A cancel between the open and here is caught by the generation.
            if (generation == m_generation.load()) {
                const uint64_t *list = nullptr;
                const int n = Info_GetKeyFrames(h, &list);
                for (int i = 0; i < n; ++i)
                    times.append(list[i]);
            }
            Info_Close(h);
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_handle = 0;
        }
        if (h)
            Info_Destroy(h);
        if (generation != m_generation.load())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, path, times, generation] {
                if (generation == m_generation.load())
                    emit sendKeyFrames(path, times);
            },
            Qt::QueuedConnection);
    });
}

quint64 VoKeyFrameScanner::keyFrameCutStart(const QVector<quint64> &keys, quint64 start_us)
{
    auto it = std::upper_bound(keys.begin(), keys.end(), start_us);
    if (it == keys.begin())
        return start_us;
    return *(it - 1);
}

QString VoKeyFrameScanner::startHint(const QVector<quint64> &keys, quint64 start_us)
{
    const quint64 key = keyFrameCutStart(keys, start_us);
    // Within a millisecond is the same picture as far as the user can tell.
    if (start_us - key < 1000)
        return QString();
    const quint64 ms = key / 1000;
    const QString time = QString("%1:%2:%3.%4")
                             .arg(ms / 3600000)
                             .arg(ms / 60000 % 60, 2, 10, QChar('0'))
                             .arg(ms / 1000 % 60, 2, 10, QChar('0'))
                             .arg(ms % 1000, 3, 10, QChar('0'));
    return tr("starts at %1, key frame").arg(time);
}
