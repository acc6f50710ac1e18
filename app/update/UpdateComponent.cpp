#include "UpdateComponent.h"

#include "QUpdateDlg.h"

#include "ParserXML.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {
const QString checkItem = QStringLiteral("UPDATE_CHECK_ITEM");

qint64 lastCheckSeconds()
{
    // The first read stores the item, so the later write has it to set.
    ParserXML::readItemValue(checkItem, QStringLiteral("interval_s"), QString::number(UpdateComponent::defaultIntervalSeconds));
    bool ok = false;
    const qint64 last = ParserXML::readItemValue(checkItem, QStringLiteral("last_check"), QStringLiteral("0")).toLongLong(&ok);
    return ok ? last : 0;
}
} // namespace

UpdateComponent::UpdateComponent(QObject *parent)
    : QObject(parent)
    , m_checker(new UpdateChecker(this))
{
    m_autoTimer.setSingleShot(true);
    connect(&m_autoTimer, &QTimer::timeout, this, &UpdateComponent::checkUpdateWithoutUi);
    connect(m_checker, &UpdateChecker::emitFinished, this, &UpdateComponent::onFinished);
}

UpdateComponent::~UpdateComponent()
{
    delete m_dialog.data();
}

void UpdateComponent::init()
{
    m_automatic = ParserXML::readItemValue("UPDATES_ITEM", "bIsAutoUpdate", "N") == QLatin1String("Y");
    scheduleAutomatic();
}

void UpdateComponent::setAppcastUrl(const QByteArray &utf8Url)
{
    m_feed = QUrl(QString::fromUtf8(utf8Url));
}

void UpdateComponent::setAppDetails(const QString &company, const QString &application, const QString &version)
{
    m_company = company;
    m_application = application;
    m_version = version;
}

int UpdateComponent::checkIntervalSeconds()
{
    bool ok = false;
    const int seconds = ParserXML::readItemValue(checkItem, QStringLiteral("interval_s"), QString::number(defaultIntervalSeconds))
                            .toInt(&ok);
    return ok ? qMax(seconds, minimumIntervalSeconds) : defaultIntervalSeconds;
}

void UpdateComponent::setAutomaticCheckForUpdates(bool on)
{
    m_automatic = on;
    scheduleAutomatic();
}

void UpdateComponent::scheduleAutomatic()
{
    m_autoTimer.stop();
    if (!m_automatic)
        return;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    const qint64 due = lastCheckSeconds() + checkIntervalSeconds();
    const qint64 waitMs = qMax<qint64>(m_startDelayMs, (due - now) * 1000);
    // QTimer counts in int milliseconds; a longer wait is re-planned when it ends.
    m_autoTimer.start(int(qMin<qint64>(waitMs, 24LL * 60 * 60 * 1000)));
}

QUpdateDlg *UpdateComponent::ensureDialog(QWidget *owner)
{
    if (!m_dialog)
        m_dialog = new QUpdateDlg;
    QRect around;
    if (owner && owner->isVisible())
        around = owner->window()->frameGeometry();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        around = screen->availableGeometry();
    if (around.isValid())
        m_dialog->move(around.center() - QPoint(m_dialog->width() / 2, m_dialog->height() / 2));
    return m_dialog;
}

void UpdateComponent::checkUpdateWithUi(QWidget *owner)
{
    QUpdateDlg *dlg = ensureDialog(owner);
    dlg->showChecking();
    dlg->show();
    dlg->raise();
    startCheck(true);
}

void UpdateComponent::checkUpdateWithoutUi()
{
    // A check the user asked for is never replaced by a silent one.
    if (m_checker->isRunning() && m_checkWithUi)
        return;
    startCheck(false);
}

void UpdateComponent::startCheck(bool withUi)
{
    m_checkWithUi = withUi;
    const QString agent = QStringLiteral("%1/%2 (%3)").arg(QString(m_application).remove(' '), m_version, m_company);
    m_checker->start(m_feed, m_version, agent);
}

void UpdateComponent::onFinished(const UpdateResult &result)
{
    m_lastResult = result;
    const bool withUi = m_checkWithUi;
    if (result.outcome != UpdateResult::Failed)
        ParserXML::writeItemValue(checkItem, QStringLiteral("last_check"), QString::number(QDateTime::currentSecsSinceEpoch()));
    if (withUi) {
        // Closing the window while it checks is the user's "never mind".
        if (m_dialog && m_dialog->isVisible())
            m_dialog->showResult(result, m_application, m_version);
    } else if (result.outcome == UpdateResult::NewVersion) {
        QUpdateDlg *dlg = ensureDialog(nullptr);
        dlg->showResult(result, m_application, m_version);
        dlg->show();
    }
    emit emitCheckFinished(result, withUi);
    if (!withUi)
        scheduleAutomatic();
}
