#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDebug>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_5_12;
const char kAcknowledge[] = "taken\n";

// A folder of this user's that nobody else may write into. The session's
// folder may be reached through a link; the fallback made here must be the
// folder itself, made by us, closed to everyone else.
bool isOwnFolder(const QString &path, bool made)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    const int result = made ? ::lstat(native.constData(), &st) : ::stat(native.constData(), &st);
    return result == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & (made ? 077 : 022)) == 0;
}

} // namespace

SingleInstance::SingleInstance(const QString &productName, QObject *parent)
    : QObject(parent)
    , m_folder(runtimeFolder())
    , m_key(guardKey(productName))
{
}

SingleInstance::~SingleInstance()
{
    if (m_server) {
        m_server->close(); // removes the socket file
        delete m_server;
    }
    // The lock file stays: removing it while another start has it open
    // would let two starts lock two different files.
    if (m_lockFd >= 0)
        ::close(m_lockFd); // the kernel drops the lock with the descriptor
}

QString SingleInstance::runtimeFolder()
{
    // The session's own folder is private to this user and emptied at
    // logout. A value that is not such a folder is not trusted.
    const QString session = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!session.isEmpty() && QDir::isAbsolutePath(session) && isOwnFolder(session, false))
        return QDir::cleanPath(session);
    const QString temp = QDir::tempPath() + QStringLiteral("/snipwell-%1").arg(::getuid());
    ::mkdir(QFile::encodeName(temp).constData(), 0700);
    if (isOwnFolder(temp, true))
        return temp;
    // Someone else took that name: the user's cache folder is ours for sure.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    QDir().mkpath(cache);
    return cache;
}

QString SingleInstance::guardKey(const QString &productName)
{
    const QByteArray digest =
        QCryptographicHash::hash((runtimeFolder() + QLatin1Char('\n') + productName).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(12);
    return QStringLiteral("instance-%1-%2").arg(::getuid()).arg(QString::fromLatin1(digest));
}

QString SingleInstance::lockPath() const
{
    return m_folder + QLatin1Char('/') + m_key + QStringLiteral(".lock");
}

QString SingleInstance::serverPath() const
{
    return m_folder + QLatin1Char('/') + m_key + QStringLiteral(".socket");
}

bool SingleInstance::acquire()
{
    if (m_lockFd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(lockPath());
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        // A guard that cannot be made must not keep the user out.
        qWarning().noquote() << "instance: no guard at" << lockPath() << ":" << qt_error_string(errno);
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return false;
        qWarning().noquote() << "instance: guard not taken at" << lockPath() << ":" << qt_error_string(error);
        return true;
    }
    m_lockFd = fd;
    // The holder's process id, for whoever looks into the folder.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0 && ::write(fd, pid.constData(), size_t(pid.size())) < 0)
        qWarning() << "instance: process id not written";

    // Only the holder of the lock touches the socket, so a file left by a
    // crashed holder can be removed without a race.
    QLocalServer::removeServer(serverPath());
    m_server = new QLocalServer;
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
    if (!m_server->listen(serverPath()))
        qWarning().noquote() << "instance: later starts cannot hand over files:" << m_server->errorString();
    return true;
}

void SingleInstance::acceptConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readHandOver(socket); });
        // A start that connects and never says anything is not waited for.
        QTimer::singleShot(10000, socket, [socket] { socket->abort(); });
    }
}

void SingleInstance::readHandOver(QLocalSocket *socket)
{
    QDataStream in(socket);
    in.setVersion(kStreamVersion);
    in.startTransaction();
    QStringList files;
    in >> files;
    if (!in.commitTransaction())
        return; // the rest is still on its way
    socket->write(kAcknowledge);
    socket->flush();
    socket->disconnectFromServer();
    // Whatever opens the files may run dialogs; the socket is done first.
    QMetaObject::invokeMethod(this, [this, files] { emit filesHandedOver(files); }, Qt::QueuedConnection);
}

bool SingleInstance::handOver(const QStringList &files, int timeoutMs)
{
    // The running instance may be starting right now: it holds the lock a
    // moment before it listens.
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(serverPath());
        if (socket.waitForConnected(int(qMax<qint64>(1, deadline.remainingTime()))))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    QByteArray block;
    QDataStream out(&block, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << files;
    socket.write(block);
    if (!socket.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime()))))
        return false;
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (!socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            return false;
        answer += socket.readAll();
    }
    return answer == kAcknowledge;
}
