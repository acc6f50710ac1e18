#pragma once
// A small HTTP/1.1 server on the loopback interface for the update tests.
// Each request's path goes to a handler that answers through the socket;
// a handler may also never answer.
#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

class LocalHttpServer : public QObject {
public:
    using Handler = std::function<void(QTcpSocket *socket, const QByteArray &path)>;

    explicit LocalHttpServer(Handler handler)
        : m_handler(std::move(handler))
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onData(socket); });
            }
        });
        m_server.listen(QHostAddress::LocalHost);
    }

    QString url(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    int requests() const { return m_requests; }
    QByteArray lastRequest() const { return m_lastRequest; }

    static void reply(QTcpSocket *socket, int status, const QByteArray &body, const QByteArray &extraHeaders = {})
    {
        QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + " X\r\n";
        head += "Content-Type: application/rss+xml\r\nConnection: close\r\n";
        head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n" + extraHeaders + "\r\n";
        socket->write(head + body);
        socket->disconnectFromHost();
    }

private:
    void onData(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const int end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        ++m_requests;
        m_lastRequest = buffer.left(end);
        const QList<QByteArray> first = buffer.left(buffer.indexOf("\r\n")).split(' ');
        buffer.clear();
        m_handler(socket, first.size() > 1 ? first.at(1) : QByteArray());
    }

    QTcpServer m_server;
    Handler m_handler;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    int m_requests = 0;
    QByteArray m_lastRequest;
};
