#include "DetectWorker.h"

DetectWorker::DetectWorker(Ended ended) : m_ended(std::move(ended)) {}

DetectWorker::~DetectWorker()
{
    waitWithoutEvents();
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
    m_stopped = false;
    m_current = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_outcome = Outcome();
    }
    start();
}

void DetectWorker::stop()
{
    m_stopped = true;
    m_detector.cancel();
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
        // A stop may fall between the check and the start of the search,
        // where the detector forgets it; the dialog repeats its stop until
        // the worker ends.
        const bool ok = !m_stopped.load() && m_detector.run(m_path, search, found);
        if (!ok || m_stopped.load()) {
            outcome.ranges.clear();
            outcome.failure = m_stopped.load() ? int(VoDetector::Stopped) : m_detector.failure();
            outcome.failedKind = search.kind;
            outcome.error = m_stopped.load() ? QString() : m_detector.errorText();
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
