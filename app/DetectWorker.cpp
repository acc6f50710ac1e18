#include "DetectWorker.h"

DetectWorker::DetectWorker(Ended ended) : m_ended(std::move(ended)) {}

DetectWorker::~DetectWorker()
{
    stop();
    m_stopEvent.set();
    waitForExit();
}

void DetectWorker::begin(const QString &path, const QVector<VoDetector::Settings> &searches)
{
    // A previous run has ended (start() joins it) before the inputs change.
    stop();
    waitForExit();
    m_path = path;
    m_searches = searches;
    m_cancel = std::make_unique<VoCancelToken>();
    m_detector.watch(*m_cancel);
    m_current = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_outcome = Outcome();
    }
    start();
}

void DetectWorker::stop()
{
    if (m_cancel)
        m_cancel->trigger();
}

int DetectWorker::progress() const
{
    const int count = m_searches.size();
    if (count == 0)
        return 0;
    const int done = qBound(0, m_current.load(), count);
    return (done * 1000 + qBound(0, m_detector.progress(), 1000)) / count;
}

DetectWorker::Outcome DetectWorker::outcome() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_outcome;
}

void DetectWorker::run()
{
    Outcome outcome;
    for (int i = 0; i < m_searches.size(); ++i) {
        m_current = i;
        const VoDetector::Settings &search = m_searches.at(i);
        QVector<VoDetector::Range> found;
        // The token outlives every search of the run: a stop before this
        // search began ends it at once.
        const bool ok = m_detector.run(m_path, search, found);
        const bool stopped = m_cancel->isTriggered();
        if (!ok || stopped) {
            outcome.ranges.clear();
            outcome.failure = stopped ? int(VoDetector::Stopped) : m_detector.failure();
            outcome.failedKind = search.kind;
            outcome.error = stopped ? QString() : m_detector.errorText();
            break;
        }
        outcome.ranges += found;
    }
    if (outcome.failure == VoDetector::None)
        m_current = m_searches.size();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_outcome = outcome;
    }
    m_ended();
}
