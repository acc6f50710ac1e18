#pragma once
// The program menu of the main window's title bar: the project entries
// ("Open Project…", "Save Project", "Save Project As…", "Recent"), "Undo"
// and "Redo", then "Preferences", "Home", "Help", "Check for Updates",
// "About", in the window's dark colours. The owner connects the actions,
// fills "Recent" and pops the menu up.
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
    QAction *actSaveSubtitles() const { return m_actSaveSubtitles; }
    QAction *actTracks() const { return m_actTracks; }
    // Adds a file's segments to the work instead of replacing it.
    QAction *actAddFile() const { return m_actAddFile; }
    QAction *actOpenProject() const { return m_actOpenProject; }
    QAction *actSaveProject() const { return m_actSaveProject; }
    QAction *actSaveProjectAs() const { return m_actSaveProjectAs; }
    QAction *actUndo() const { return m_actUndo; }
    QAction *actRedo() const { return m_actRedo; }
    // The names of the steps Undo and Redo would take back or do again
    // ("Delete Segment 2"), shown in their entries; empty for none.
    void setStepNames(const QString &undo, const QString &redo);
    QVoMenu *recentMenu() const { return m_recentMenu; }
    // A menu in the program menu's colours and font.
    static void applyLook(QVoMenu *menu);

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
    QAction *m_actSaveSubtitles;
    QAction *m_actTracks;
    QAction *m_actAddFile;
    QAction *m_actOpenProject;
    QAction *m_actSaveProject;
    QAction *m_actSaveProjectAs;
    QAction *m_actUndo;
    QAction *m_actRedo;
    QString m_undoName;
    QString m_redoName;
    QVoMenu *m_recentMenu;
};
