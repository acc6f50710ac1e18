#pragma once
// Turns SIGTERM and SIGINT (a logout, `kill PID`, Ctrl+C in a terminal)
// into a signal on the interface thread, so the program can end the way
// the close dialog's Exit ends it instead of dying on the spot.
//
// A signal handler may do next to nothing; it writes the signal number into
// one end of a socket pair, and a socket notifier on the other end delivers
// it to the event loop.
#include <QObject>

class QSocketNotifier;

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; only one object may exist at a time.
    explicit TerminationSignals(QObject *parent = nullptr);
    // Gives the two signals their default action back.
    ~TerminationSignals() override;

signals:
    // Emitted once, for the first signal; a second one ends the process at
    // once, for a user whose orderly exit seems to hang.
    void terminationRequested(int signalNumber);

private:
    void readSignals();

    QSocketNotifier *m_notifier = nullptr;
    bool m_requested = false;
};
