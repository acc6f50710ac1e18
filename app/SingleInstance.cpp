#include "SingleInstance.h"

SingleInstance::SingleInstance(const QString &productName)
    : m_semaphore(productName, 1, QSystemSemaphore::Open)
    , m_memory(segmentKey(productName))
{
}

QString SingleInstance::segmentKey(const QString &productName)
{
    return QStringLiteral("SystemObject_%1").arg(productName);
}

bool SingleInstance::acquire()
{
    m_semaphore.acquire();
    // A segment left behind by an instance that crashed would refuse every
    // later start. Attaching and detaching removes it when nobody else is
    // attached, and leaves a live instance's segment alone.
    {
        QSharedMemory stale(m_memory.key());
        if (stale.attach())
            stale.detach();
    }
    const bool created = m_memory.create(1, QSharedMemory::ReadWrite);
    m_semaphore.release();
    return created;
}
