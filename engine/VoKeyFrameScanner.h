#pragma once
// The key-frame times of a file for the cut tool's slider and the timeline
// ruler: found by the media library on a worker thread (an index read or,
// for files without one, a scan of every packet header) and handed over
// with a queued signal. One search at a time; asking for another file or
// destroying the scanner stops the running one at once.
#include <QObject>
#include <QString>
#include <QVector>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

class VoKeyFrameScanner : public QObject {
    Q_OBJECT
public:
    explicit VoKeyFrameScanner(QObject *parent = nullptr);
    ~VoKeyFrameScanner() override;

    // Starts the search for path's video; a running search is stopped.
    void request(const QString &path);
    // Stops a running search; nothing is sent for it.
    void cancel();

    // Where a cut at key frames really starts when the range starts at
    // start_us: the key frame at or before it; start_us itself when it is
    // a key frame or no key frames are known.
    static quint64 keyFrameCutStart(const QVector<quint64> &keys, quint64 start_us);
    // "starts at 0:00:03.200, key frame" when a cut at key frames starts
    // elsewhere than start_us, else an empty text.
    static QString startHint(const QVector<quint64> &keys, quint64 start_us);

signals:
    // Times in µs from the start of the file, ascending; empty when the
    // file has no video or cannot be read.
    void sendKeyFrames(const QString &path, const QVector<quint64> &times);

private:
    void join();

    std::thread m_worker;              // started and joined on the interface thread
    std::mutex m_mutex;
    intptr_t m_handle = 0;             // guarded by m_mutex; the running search's handle
    std::atomic<unsigned> m_generation{0}; // a result of an older request is dropped
};
