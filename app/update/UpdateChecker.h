#pragma once
// One asynchronous look at the update feed: fetches it over HTTP(S) with
// an overall deadline and a cap on the body, reads it and compares the
// newest release with the running version. Nothing is downloaded beyond
// the feed and nothing is run. Interface thread only; the network work is
// Qt's own, so the interface keeps running meanwhile.
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

struct UpdateResult {
    enum Outcome { UpToDate, NewVersion, Failed };
    Outcome outcome = Failed;
    QString version;  // the newest release's shown version (NewVersion)
    QUrl notesUrl;    // its release notes, when the feed names them
    QString detail;   // why it failed, for the log
};
Q_DECLARE_METATYPE(UpdateResult)

class UpdateChecker : public QObject {
    Q_OBJECT
public:
    static constexpr int defaultTimeoutMs = 10000;
    static constexpr qint64 maxBodyBytes = 1024 * 1024;
    static constexpr int maxRedirects = 5;

    explicit UpdateChecker(QObject *parent = nullptr);
    ~UpdateChecker() override;

    void setTimeout(int ms) { m_timeoutMs = ms; }
    int timeout() const { return m_timeoutMs; }
    bool isRunning() const { return !m_reply.isNull(); }

    // Starts a check; a check already running is abandoned first (its
    // result is never reported).
    void start(const QUrl &feed, const QString &currentVersion, const QString &userAgent);
    void cancel();

signals:
    void emitFinished(UpdateResult result);

private:
    void onReadyRead();
    void onMetaData();
    void onFinished();
    void fail(const QString &detail);

    QNetworkAccessManager *m_network;
    QPointer<QNetworkReply> m_reply;
    QTimer m_deadline;
    QByteArray m_body;
    QString m_currentVersion;
    QString m_abortReason;
    int m_timeoutMs = defaultTimeoutMs;
};
