#include "WaveformWorker.h"

WaveformWorker::WaveformWorker(Deliver deliver) : m_deliver(std::move(deliver)) {}

WaveformWorker::~WaveformWorker()
{
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
    auto cancel = std::make_shared<VoCancelToken>();
    bool startWorker = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_pending)
            m_pending->cancel->trigger();
        if (m_readingCancel)
            m_readingCancel->trigger();
        m_pending = Request{path, requestId, cancel};
        m_idle = false;
        startWorker = !m_running;
        m_running = true;
    }
    if (startWorker)
        start();
}

void WaveformWorker::stop()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_pending)
        m_pending->cancel->trigger();
    m_pending.reset();
    if (m_readingCancel)
        m_readingCancel->trigger();
    if (!m_running)
        m_idle = true;
}

void WaveformWorker::run()
{
    for (;;) {
        Request request;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_readingCancel.reset();
            if (!m_pending || m_stopEvent.isSet()) {
                m_pending.reset();
                m_running = false;
                m_idle = true;
                return;
            }
            request = std::move(*m_pending);
            m_pending.reset();
            m_readingCancel = request.cancel;
        }
        QVector<quint8> peaks;
        m_detector.watch(*request.cancel);
        m_detector.waveform(request.path, peaks);
        if (!request.cancel->isTriggered())
            m_deliver(peaks, request.id);
    }
}
