#pragma once
// Pictures of one file grabbed on a thread of their own, for the media
// items and the segment rows: the interface thread only asks and is told.
// A newer request under the same key replaces one still waiting, and the
// answers for a file no longer shown are dropped.
#include "VoGrabberClass.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

class VoThumbnailWorker : public QObject {
    Q_OBJECT
public:
    // Pictures fit inside this square, keeping their proportions.
    static constexpr int maxSide = 120;

    explicit VoThumbnailWorker(QObject *parent = nullptr);
    // Ends the thread after a grab in progress.
    ~VoThumbnailWorker() override;

    // The file later requests are for; empty forgets it. Requests still
    // waiting are dropped, and so are answers on their way.
    void setFile(const QString &path);
    void request(quintptr key, uint64_t timeUs);
    // True when no request waits or is being grabbed.
    bool isIdle() const;

signals:
    // A null image when the file gave no picture at that time.
    void thumbnailReady(quintptr key, QImage image);

private:
    void run();
    QImage grab(const QString &path, uint64_t timeUs);

    mutable std::mutex m_mutex;
    std::condition_variable m_cv;                       // with m_mutex: requests or quit changed
    QString m_path;                                     // guarded by m_mutex
    unsigned m_fileSerial = 0;                          // guarded by m_mutex
    std::deque<std::pair<quintptr, uint64_t>> m_queue;  // guarded by m_mutex
    bool m_busy = false;                                // guarded by m_mutex
    bool m_quit = false;                                // guarded by m_mutex
    VoGrabberClass m_grabber;                           // the thread's own
    QString m_openPath;                                 // the thread's own: what m_grabber has open
    std::thread m_thread;
};
