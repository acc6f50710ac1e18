#pragma once
// The add-file worker: turns each path of a list into a media item on its
// own thread and hands every result, and the end of the list, to the
// interface thread through the callbacks (which emit queued signals).
#include "QUtilThread.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

class VoVideoConvertItem;

class AddFileThread : public QUtilThread {
public:
    struct Callbacks {
        // Before each path: the path, "i/n" and the progress in percent.
        std::function<void(const QString &, const QString &, double)> adding;
        // One result per path: the item, or null with the path and the
        // reason it was refused or could not be read.
        std::function<void(VoVideoConvertItem *, const QString &, const QString &)> item;
        std::function<void()> complete;
    };

    AddFileThread() = default;
    ~AddFileThread() override;

    void setCallbacks(Callbacks callbacks) { m_callbacks = std::move(callbacks); }
    // Starts a run over paths (waits for a previous run first).
    bool startList(const QStringList &paths);
    // The run finishes the path it is on and makes no further item.
    void requestStop() { m_stop.store(true); }
    bool stopRequested() const { return m_stop.load(); }

    // The media item for one path, or null: paths without a suffix, the
    // audiobook suffixes ".aa"/".aax", locations that are not local files
    // and files the media library cannot read are refused, with the reason
    // in *reason. The item is moved to the interface thread before it is
    // returned.
    static VoVideoConvertItem *makeItem(const QString &path, QString *reason = nullptr);

protected:
    void run() override;

private:
    Callbacks m_callbacks;
    QStringList m_paths;           // written before start, read by the run
    std::atomic<bool> m_stop{false};
};
