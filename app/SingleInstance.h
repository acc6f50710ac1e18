#pragma once
#include <QSharedMemory>
#include <QString>
#include <QSystemSemaphore>

// Makes sure only one instance of the program runs per user: a system
// semaphore serialises starting instances, and a 1-byte shared-memory
// segment marks the running one for as long as this object lives.
class SingleInstance {
public:
    explicit SingleInstance(const QString &productName);

    // Takes the semaphore, tries to create the segment and releases the
    // semaphore. True when this process is the only instance.
    bool acquire();

    static QString segmentKey(const QString &productName);

private:
    QSystemSemaphore m_semaphore;
    QSharedMemory m_memory;
};
