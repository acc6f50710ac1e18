#include "TerminationSignals.h"

#include <QDebug>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1}; // [0] written by the handler, [1] read by the notifier
constexpr int kSignals[] = {SIGTERM, SIGINT};

extern "C" void onTerminationSignal(int signalNumber)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // Non-blocking: with the pipe full, the signal is already on its way.
    if (::write(g_pipe[0], &byte, 1) < 0) {
    }
    errno = saved;
}

void setHandler(int signalNumber, void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0) {
        qWarning() << "signals: no socket pair; SIGTERM ends the program at once";
        g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignals);
    for (int s : kSignals)
        setHandler(s, onTerminationSignal);
}

TerminationSignals::~TerminationSignals()
{
    for (int s : kSignals)
        setHandler(s, SIG_DFL);
    delete m_notifier;
    for (int &fd : g_pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void TerminationSignals::readSignals()
{
    unsigned char bytes[16];
    ssize_t n = 0;
    int first = 0;
    while ((n = ::read(g_pipe[1], bytes, sizeof bytes)) > 0)
        if (!first)
            first = bytes[0];
    if (!first || m_requested)
        return;
    m_requested = true;
    for (int s : kSignals)
        setHandler(s, SIG_DFL);
    qInfo().noquote() << "signals: ending on signal" << first;
    emit terminationRequested(first);
}
