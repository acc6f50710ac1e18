#pragma once
// Makes sure only one instance of the program runs per user and session,
// and lets a later start hand its file to the running one.
//
// The guard is a locked file in the session's runtime folder, named from the
// user id and that folder: another user, or another session with a runtime
// folder of its own, never meets it. The kernel drops the lock when its
// holder dies, so an instance that crashed never blocks the next start.
// Beside the lock the running instance listens on a local socket; a later
// start that names a file sends it there and ends.
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString &productName, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the only instance; it then holds the guard
    // and listens for later starts until it is destroyed.
    bool acquire();

    // For a start that found another instance: hands files to it and waits
    // until it has taken them. False when it cannot be reached.
    bool handOver(const QStringList &files, int timeoutMs = 5000);

    // The folder the guard lives in: $XDG_RUNTIME_DIR when it is a folder
    // of this user's, otherwise a private folder under the temporary folder.
    static QString runtimeFolder();
    // Name of the guard: user id plus a digest of the runtime folder and the
    // product name, short enough for a local socket path.
    static QString guardKey(const QString &productName);
    QString lockPath() const;
    QString serverPath() const;

signals:
    // Files a later start handed over, in the order it named them.
    void filesHandedOver(const QStringList &files);

private:
    void acceptConnection();
    void readHandOver(QLocalSocket *socket);

    QString m_folder;
    QString m_key;
    int m_lockFd = -1; // holds the lock while open
    QLocalServer *m_server = nullptr;
};
