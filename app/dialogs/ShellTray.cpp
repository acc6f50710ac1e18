#include "ShellTray.h"

#include "AppPaths.h"
#include "SkinImage.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>

ShellTray::ShellTray(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    // The menu has no parent widget: a tray menu is a top-level popup.
    m_trayMenu = new QMenu;
    m_actHide = m_trayMenu->addAction(QString());
    m_actShow = m_trayMenu->addAction(QString());
    m_trayMenu->addSeparator();
    m_actQuit = m_trayMenu->addAction(QString());
    connect(m_actHide, &QAction::triggered, window, &QWidget::hide);
    connect(m_actShow, &QAction::triggered, window, &QWidget::show);
    connect(m_actQuit, &QAction::triggered, qApp, &QApplication::quit);

    m_trayIcon = new QSystemTrayIcon(this);
    m_trayIcon->setIcon(QIcon(skin::load(QStringLiteral("/image/Common_bg/no_title_logo.png"))));
    m_trayIcon->setContextMenu(m_trayMenu);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &ShellTray::iconActivated);
    retranslateUi();
    m_trayIcon->show();
}

ShellTray::~ShellTray()
{
    delete m_trayMenu;
}

void ShellTray::retranslateUi()
{
    m_actHide->setText(tr("Hidden (&H)"));
    m_actShow->setText(tr("Show Window (&S)"));
    m_actQuit->setText(tr("Quit (&Q)"));
    m_trayIcon->setToolTip(productTitle());
}

namespace {
int g_trayOverride = -1;
}

bool ShellTray::trayAvailable()
{
    return g_trayOverride < 0 ? QSystemTrayIcon::isSystemTrayAvailable() : g_trayOverride != 0;
}

void ShellTray::overrideTrayAvailable(int available)
{
    g_trayOverride = available;
}

void ShellTray::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (!m_window)
        return;
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
        m_window->showNormal();
        m_window->raise();
        m_window->activateWindow();
    }
}
