#pragma once
// The program menu of the main window's title bar: "Preferences", "Home",
// "Help", "Check for Updates", "About", in the window's dark colours. The
// owner connects the actions and pops the menu up.
#include "QVoMenu.h"

class QAction;

class ProgramMenu : public QVoMenu {
    Q_OBJECT
public:
    explicit ProgramMenu(QWidget *parent = nullptr);

    QAction *actPreferences() const { return m_actPreferences; }
    QAction *actHome() const { return m_actHome; }
    QAction *actHelp() const { return m_actHelp; }
    QAction *actUpdates() const { return m_actUpdates; }
    QAction *actAbout() const { return m_actAbout; }
    QAction *actApplySegments() const { return m_actApplySegments; }

    // Where the menu opens for a cursor position: 50 pixels to its left.
    static QPoint popupPosition(const QPoint &cursor) { return cursor - QPoint(50, 0); }
    void retranslateUi();

protected:
    void changeEvent(QEvent *event) override;

private:
    QAction *m_actPreferences;
    QAction *m_actHome;
    QAction *m_actHelp;
    QAction *m_actUpdates;
    QAction *m_actAbout;
    QAction *m_actApplySegments;
};
