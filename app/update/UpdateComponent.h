#pragma once
// The program's update component: the feed address, the application's
// details, a check on request with its own window, and automatic checks at
// an interval kept in the settings ("UPDATE_CHECK_ITEM": "interval_s",
// "last_check"). Automatic checks stay silent unless a new version is
// found.
#include "QUpdateDlg.h"
#include "UpdateChecker.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QWidget;

class UpdateComponent : public QObject {
    Q_OBJECT
public:
    static constexpr int defaultIntervalSeconds = 24 * 60 * 60;
    static constexpr int minimumIntervalSeconds = 60 * 60;

    explicit UpdateComponent(QObject *parent = nullptr);
    ~UpdateComponent() override;

    // Reads whether automatic checks are wanted ("UPDATES_ITEM"/
    // "bIsAutoUpdate") and schedules the next one.
    void init();
    // The feed address as UTF-8 text.
    void setAppcastUrl(const QByteArray &utf8Url);
    void setAppDetails(const QString &company, const QString &application, const QString &version);
    // Checks now and shows the outcome in the component's window, placed
    // over `owner` when given.
    void checkUpdateWithUi(QWidget *owner = nullptr);
    // Checks now; the window appears only when a new version is found.
    void checkUpdateWithoutUi();
    void setAutomaticCheckForUpdates(bool on);
    bool automaticCheckForUpdates() const { return m_automatic; }

    // Seconds between automatic checks, from the settings (at least an hour).
    static int checkIntervalSeconds();
    // Delay before a due automatic check after start-up, so it never
    // competes with opening the window.
    void setStartDelay(int ms) { m_startDelayMs = ms; }
    QTimer *automaticTimer() { return &m_autoTimer; }

    QUrl appcastUrl() const { return m_feed; }
    QString applicationName() const { return m_application; }
    QString applicationVersion() const { return m_version; }
    UpdateChecker *checker() const { return m_checker; }
    QUpdateDlg *dialog() const { return m_dialog; }
    UpdateResult lastResult() const { return m_lastResult; }

signals:
    void emitCheckFinished(UpdateResult result, bool withUi);

private:
    void startCheck(bool withUi);
    void onFinished(const UpdateResult &result);
    void scheduleAutomatic();
    QUpdateDlg *ensureDialog(QWidget *owner);

    UpdateChecker *m_checker;
    QPointer<QUpdateDlg> m_dialog;
    QTimer m_autoTimer;
    QUrl m_feed;
    QString m_company;
    QString m_application;
    QString m_version;
    UpdateResult m_lastResult;
    bool m_automatic = false;
    bool m_checkWithUi = false;
    int m_startDelayMs = 30000;
};
