#pragma once
// The tray icon with its menu "Hidden (&H)", "Show Window (&S)", a
// separator and "Quit (&Q)". The icon is shown from construction on when
// the desktop has a tray. A click or double click shows the window normal.
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

class QAction;
class QMenu;
class QWidget;

class ShellTray : public QObject {
    Q_OBJECT
public:
    // window: what the tray hides and shows.
    explicit ShellTray(QWidget *window);
    ~ShellTray() override;

    QSystemTrayIcon *trayIcon() const { return m_trayIcon; }
    QMenu *trayMenu() const { return m_trayMenu; }
    QAction *actHide() const { return m_actHide; }
    QAction *actShow() const { return m_actShow; }
    QAction *actQuit() const { return m_actQuit; }
    void retranslateUi();

    // Whether hiding the window leaves the user a way back to it.
    static bool trayAvailable();
    // Tests stand in for a desktop with or without a tray; -1 asks the
    // platform again.
    static void overrideTrayAvailable(int available);

public slots:
    void iconActivated(QSystemTrayIcon::ActivationReason reason);

private:
    QPointer<QWidget> m_window;
    QSystemTrayIcon *m_trayIcon;
    QMenu *m_trayMenu;
    QAction *m_actHide;
    QAction *m_actShow;
    QAction *m_actQuit;
};
