#pragma once
// The editing dialog's loading step on a thread of its own: opens the
// item's file for its information, fills a copy of the item's edit record
// with the file's tags and chapters, and opens the preview's player on the
// file. It is handed plain values and hands a plain record and a player
// not yet shown back on its owner's thread; it never reaches into the
// dialog, its widgets or its player.
#include "QUtilThread.h"
#include "VEEditConfig.h"
#include "VoPlayerManager.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <mutex>

struct EditLoadRequest {
    QString path;
    // The picture size the caller knows; 0 leaves it to the player.
    int hintWidth = 0;
    int hintHeight = 0;
    VEEditConfig config; // the item's record as the caller hands it over
    bool openPreview = false; // also open a player for the preview
};

class EditLoadWorker : public QObject, public QUtilThread {
    Q_OBJECT
public:
    explicit EditLoadWorker(QObject *parent = nullptr);
    ~EditLoadWorker() override;

    // Starts reading the request's file. Call on the owner's thread.
    void begin(const EditLoadRequest &request);
    // After this no emitLoaded arrives, even one already on its way.
    void cancel();
    // Gives the worker up: it is deleted at once when its thread has
    // ended, else as soon as it ends. The owner can go away without
    // waiting for a file that is slow to answer.
    void dispose();

    // The record the loading step makes of a request from the file's
    // information; path empty or unreadable leaves tags and chapters as
    // they were.
    static VEEditConfig load(const EditLoadRequest &request);
    // The preview's player opened by the last run (with emitLoaded); the
    // caller takes it over once.
    VoPlayerManager::OpenedPreview takeOpened();

signals:
    // On the owner's thread; the record with display size, tags, chapters.
    void emitLoaded(VEEditConfig config);

protected:
    void run() override;

private:
    void deliver(const VEEditConfig &config);

    EditLoadRequest m_request; // written by begin() before the thread starts, then only read by it
    std::atomic<bool> m_cancelled{false};
    std::mutex m_endMutex;
    bool m_ended = false;    // guarded by m_endMutex
    bool m_disposed = false; // guarded by m_endMutex
    VoPlayerManager::OpenedPreview m_opened; // guarded by m_endMutex
};
