#pragma once
// Runs the searches the detect dialog asks for, one after the other on one
// detector, on a worker thread. The interface thread starts it, reads its
// progress, stops it, and takes the outcome once told it has ended.
#include "QUtilThread.h"
#include "VoCancelToken.h"
#include "VoDetector.h"

#include <QString>
#include <QVector>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class DetectWorker : public QUtilThread {
public:
    struct Outcome {
        QVector<VoDetector::Range> ranges; // of every search, in search order
        int failure = VoDetector::None;    // of the search that failed
        int failedKind = 0;
        QString error;                     // the library's reason
    };
    // Called on the worker when it has ended; queue it onwards.
    using Ended = std::function<void()>;

    explicit DetectWorker(Ended ended);
    ~DetectWorker() override;

    // Interface thread: a fresh cancel token for this run, then the thread.
    void begin(const QString &path, const QVector<VoDetector::Settings> &searches);
    // Interface thread; may be repeated. Triggers the run's token: a search
    // running ends within a fraction of a second, one not yet begun (before
    // the first or between two) ends at once.
    void stop();
    // 0..1000 over all the searches.
    int progress() const;
    // The index of the search running now.
    int current() const { return m_current.load(); }
    Outcome outcome() const;

protected:
    void run() override;

private:
    const Ended m_ended;
    VoDetector m_detector; // run on the worker, read from anywhere
    QString m_path;        // set before the thread starts
    QVector<VoDetector::Settings> m_searches; // set before the thread starts
    // Made by begin() before the thread starts and replaced only after it
    // has ended; triggered from the interface thread.
    std::unique_ptr<VoCancelToken> m_cancel;
    std::atomic<int> m_current{0};
    mutable std::mutex m_mutex;
    Outcome m_outcome; // guarded by m_mutex
};
