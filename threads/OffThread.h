#pragma once
// Work the interface thread must not do itself (reading or writing a file
// the user named, which may sit on a slow or stalled mount): it runs on a
// thread of its own, and its result comes back to the receiver's thread as
// a queued call, so the caller starts it and reacts when it is done.
#include <QObject>
#include <QThread>

#include <memory>
#include <utility>

// then(result) runs on receiver's thread once work() has returned; not at
// all when receiver has gone by then. The thread cleans up after itself.
template <class Result, class Work, class Then>
void runOffThread(QObject *receiver, Work work, Then then)
{
    auto result = std::make_shared<Result>();
    QThread *thread = QThread::create([work = std::move(work), result]() mutable { *result = work(); });
    QObject::connect(thread, &QThread::finished, receiver,
                     [then = std::move(then), result]() mutable { then(std::move(*result)); });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}
