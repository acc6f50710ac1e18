#include "WaveformWorker.h"

WaveformWorker::WaveformWorker(Deliver deliver) : m_deliver(std::move(deliver)) {}

WaveformWorker::~WaveformWorker()
{
    waitWithoutEvents();
    stop();
    m_stopEvent.set();
    waitForExit();
}

void WaveformWorker::begin(const QString &path, int requestId)
{
    if (path.isEmpty()) {
        stop();
        return;
    }
    bool startWorker = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending = Request{path, requestId};
        m_interrupt = true;
        m_idle = false;
        startWorker = !m_running;
        m_running = true;
    }
    m_detector.cancel();
    if (startWorker)
        start();
}

void WaveformWorker::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending.reset();
        m_interrupt = true;
        if (!m_running)
            m_idle = true;
    }
    m_detector.cancel();
}

void WaveformWorker::run()
{
    for (;;) {
        Request request;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_pending || m_stopEvent.isSet()) {
                m_pending.reset();
                m_running = false;
                m_idle = true;
                return;
            }
            request = std::move(*m_pending);
            m_pending.reset();
            m_interrupt = false;
        }
        QVector<quint8> peaks;
        m_detector.waveform(request.path, peaks);
        // A cancel that came between taking the request and the start of
        // the reading was lost on it; its answer is dropped here instead.
        if (!m_interrupt.load())
            m_deliver(peaks, request.id);
    }
}
