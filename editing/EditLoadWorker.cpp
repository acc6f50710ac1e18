#include "EditLoadWorker.h"

#include "VoInfoManager.h"

#include <QMetaObject>

EditLoadWorker::EditLoadWorker(QObject *parent) : QObject(parent)
{
    registerEditingMetaTypes();
}

EditLoadWorker::~EditLoadWorker()
{
    m_cancelled = true;
    m_stopEvent.set();
    waitForExit();
}

void EditLoadWorker::begin(const EditLoadRequest &request)
{
    // start() waits for an earlier run, so the request is never rewritten
    // under a thread that still reads it.
    m_stopEvent.set();
    waitForExit();
    m_request = request;
    m_cancelled = false;
    VoPlayerManager::OpenedPreview stale;
    {
        std::lock_guard<std::mutex> lock(m_endMutex);
        m_ended = false;
        stale = std::move(m_opened);
    }
    start();
}

void EditLoadWorker::cancel()
{
    m_cancelled = true;
    m_stopEvent.set();
}

void EditLoadWorker::dispose()
{
    cancel();
    setParent(nullptr);
    bool ended = false;
    {
        std::lock_guard<std::mutex> lock(m_endMutex);
        m_disposed = true;
        ended = m_ended || !isRunning();
    }
    if (ended)
        delete this;
}

VEEditConfig EditLoadWorker::load(const EditLoadRequest &request)
{
    VEEditConfig working = request.config;
    working.displayWidth = request.hintWidth;
    working.displayHeight = request.hintHeight;
    VoInfoManager info;
    if (!info.open(request.path, working.isDisc != 0, working.streamChoice.ProgramIndex))
        return working;
    if (!working.tags.tagFlag)
        working.tags = info.tags();
    if (working.chapters.empty()) {
        const std::vector<ChapterEntry> chapters = info.chapters();
        // Entry 0 alone is the whole file: a file without chapters has none.
        if (chapters.size() > 1)
            working.chapters = chapters;
    }
    return working;
}

VoPlayerManager::OpenedPreview EditLoadWorker::takeOpened()
{
    std::lock_guard<std::mutex> lock(m_endMutex);
    return std::move(m_opened);
}

void EditLoadWorker::run()
{
    VEEditConfig working = m_request.config;
    if (!m_stopEvent.isSet())
        working = load(m_request);
    if (m_request.openPreview && !m_stopEvent.isSet()) {
        // Opening decodes the first picture: here, not on the dialog's thread.
        VoPlayerManager::OpenedPreview opened = VoPlayerManager::openPreview(m_request.path, working, 0);
        VoPlayerClass::threadDone();
        std::lock_guard<std::mutex> lock(m_endMutex);
        m_opened = std::move(opened);
    }
    if (!m_cancelled)
        deliver(working);
    std::lock_guard<std::mutex> lock(m_endMutex);
    m_ended = true;
    // The owner gave this worker up while it ran: nobody else deletes it.
    if (m_disposed)
        QMetaObject::invokeMethod(this, &QObject::deleteLater, Qt::QueuedConnection);
}

void EditLoadWorker::deliver(const VEEditConfig &config)
{
    // Runs on the owner's thread; a cancel that came in between wins.
    QMetaObject::invokeMethod(
        this,
        [this, config] {
            if (!m_cancelled)
                emit emitLoaded(config);
        },
        Qt::QueuedConnection);
}
