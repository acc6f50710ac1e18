#include "UpdateChecker.h"

#include "Appcast.h"
#include "VersionCompare.h"

#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

UpdateChecker::UpdateChecker(QObject *parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
{
    qRegisterMetaType<UpdateResult>();
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        if (m_reply) {
            m_abortReason = QStringLiteral("no answer within %1 ms").arg(m_timeoutMs);
            m_reply->abort();
        }
    });
}

UpdateChecker::~UpdateChecker()
{
    cancel();
}

void UpdateChecker::cancel()
{
    m_deadline.stop();
    if (QNetworkReply *reply = m_reply.data()) {
        m_reply.clear();
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    m_body.clear();
}

void UpdateChecker::start(const QUrl &feed, const QString &currentVersion, const QString &userAgent)
{
    cancel();
    m_currentVersion = currentVersion;
    m_abortReason.clear();
    const QString scheme = feed.scheme().toLower();
    if (!feed.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        // Reported after returning, like every other outcome.
        const QString detail = QStringLiteral("not a web address: %1").arg(feed.toDisplayString());
        QMetaObject::invokeMethod(this, [this, detail] { fail(detail); }, Qt::QueuedConnection);
        return;
    }

    QNetworkRequest request(feed);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(maxRedirects);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent);
    request.setRawHeader("Accept", "application/rss+xml, application/xml, text/xml");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);

    m_reply = m_network->get(request);
    m_reply->setReadBufferSize(64 * 1024);
    connect(m_reply.data(), &QNetworkReply::metaDataChanged, this, &UpdateChecker::onMetaData);
    connect(m_reply.data(), &QIODevice::readyRead, this, &UpdateChecker::onReadyRead);
    connect(m_reply.data(), &QNetworkReply::finished, this, &UpdateChecker::onFinished);
    m_deadline.start(m_timeoutMs);
}

void UpdateChecker::onMetaData()
{
    if (!m_reply)
        return;
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > maxBodyBytes) {
        m_abortReason = QStringLiteral("feed announced %1 bytes").arg(length.toLongLong());
        m_reply->abort();
    }
}

void UpdateChecker::onReadyRead()
{
    if (!m_reply)
        return;
    m_body += m_reply->read(maxBodyBytes + 1 - m_body.size());
    if (m_body.size() > maxBodyBytes) {
        m_abortReason = QStringLiteral("feed larger than %1 bytes").arg(maxBodyBytes);
        m_reply->abort();
    }
}

void UpdateChecker::onFinished()
{
    QNetworkReply *reply = m_reply.data();
    if (!reply)
        return;
    m_deadline.stop();
    m_reply.clear();
    reply->deleteLater();
    reply->disconnect(this);

    if (!m_abortReason.isEmpty()) {
        fail(m_abortReason);
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        fail(QStringLiteral("network error %1: %2").arg(int(reply->error())).arg(reply->errorString()));
        return;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 200) {
        fail(QStringLiteral("HTTP status %1").arg(status));
        return;
    }
    m_body += reply->read(maxBodyBytes + 1 - m_body.size());
    if (m_body.size() > maxBodyBytes) {
        fail(QStringLiteral("feed larger than %1 bytes").arg(maxBodyBytes));
        return;
    }
    const Appcast feed = parseAppcast(m_body);
    m_body.clear();
    if (!feed.ok) {
        fail(QStringLiteral("unreadable feed: %1").arg(feed.error));
        return;
    }
    const AppcastItem *newest = feed.newest();
    UpdateResult result;
    if (compareVersions(newest->version, m_currentVersion) > 0) {
        result.outcome = UpdateResult::NewVersion;
        result.version = newest->displayVersion;
        result.notesUrl = newest->notesUrl;
    } else {
        result.outcome = UpdateResult::UpToDate;
    }
    emit emitFinished(result);
}

void UpdateChecker::fail(const QString &detail)
{
    m_body.clear();
    qDebug().noquote() << "update:" << detail;
    UpdateResult result;
    result.outcome = UpdateResult::Failed;
    result.detail = detail;
    emit emitFinished(result);
}
