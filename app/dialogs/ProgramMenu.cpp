#include "ProgramMenu.h"

#include <QAction>
#include <QEvent>
#include <QKeySequence>

void ProgramMenu::applyLook(QVoMenu *menu)
{
    menu->setPanelWidth(1);
    menu->setPanelColor(QColor(74, 74, 74));
    menu->setEmptyAreaColor(QColor(51, 51, 51));
    menu->setThirdColor(QColor(51, 51, 51));
    menu->setTextColor(QColor(228, 228, 228));
    menu->setSelectedBackgroundColor(QColor(105, 105, 105));
    menu->setDisabledTextColor(QColor(89, 104, 130));
    menu->setDisabledOverlayColor(QColor(51, 51, 51));
    // Lighter than the panel, or the groups run into each other.
    menu->setSeparatorColor(QColor(118, 118, 118));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    menu->setFont(font);
}

ProgramMenu::ProgramMenu(QWidget *parent)
    : QVoMenu(parent)
{
    setObjectName(QStringLiteral("m_menu"));
    applyLook(this);

    // The keys are shown beside the entries; the window handles them, so
    // they stay out of the way of a text field's own undo.
    auto projectAction = [this](const char *name, const QList<QKeySequence> &keys) {
        QAction *action = addAction(QString());
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        return action;
    };
    // The segment entries come first; the window puts its cut-list
    // entries in front of this one.
    m_actApplySegments = addAction(QString());
    m_actApplySegments->setObjectName(QStringLiteral("actApplySegments"));
    m_actSaveSubtitles = addAction(QString());
    m_actSaveSubtitles->setObjectName(QStringLiteral("actSaveSubtitles"));
    m_actTracks = addAction(QString());
    m_actTracks->setObjectName(QStringLiteral("actTracks"));
    addSeparator();
    m_actAddFile = projectAction("actAddFile", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A)});
    m_actOpenProject = projectAction("actOpenProject", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)});
    m_actSaveProject = projectAction("actSaveProject", {QKeySequence(Qt::CTRL | Qt::Key_S)});
    m_actSaveProjectAs = projectAction("actSaveProjectAs", {});
    m_recentMenu = new QVoMenu(this);
    m_recentMenu->setObjectName(QStringLiteral("m_recentMenu"));
    applyLook(m_recentMenu);
    addMenu(m_recentMenu);
    addSeparator();
    m_actUndo = projectAction("actUndo", {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    m_actRedo = projectAction("actRedo", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    addSeparator();

    m_actPreferences = addAction(QString());
    m_actHome = addAction(QString());
    m_actHelp = addAction(QString());
    m_actUpdates = addAction(QString());
    m_actAbout = addAction(QString());
    m_actPreferences->setObjectName(QStringLiteral("actPreferences"));
    m_actHome->setObjectName(QStringLiteral("actHome"));
    m_actHelp->setObjectName(QStringLiteral("actHelp"));
    m_actUpdates->setObjectName(QStringLiteral("actUpdates"));
    m_actAbout->setObjectName(QStringLiteral("actAbout"));
    retranslateUi();
}

void ProgramMenu::retranslateUi()
{
    m_actApplySegments->setText(tr("Apply Segments To Other Files…"));
    m_actSaveSubtitles->setText(tr("Save Subtitles…"));
    m_actTracks->setText(tr("Tracks…"));
    m_actAddFile->setText(tr("Add File…"));
    m_actOpenProject->setText(tr("Open Project…"));
    m_actSaveProject->setText(tr("Save Project"));
    m_actSaveProjectAs->setText(tr("Save Project As…"));
    m_recentMenu->setTitle(tr("Recent"));
    m_actUndo->setText(m_undoName.isEmpty() ? tr("Undo") : tr("Undo %1").arg(m_undoName));
    m_actRedo->setText(m_redoName.isEmpty() ? tr("Redo") : tr("Redo %1").arg(m_redoName));
    m_actPreferences->setText(tr("Preferences"));
    m_actHome->setText(tr("Home"));
    m_actHelp->setText(tr("Help"));
    m_actUpdates->setText(tr("Check for Updates"));
    m_actAbout->setText(tr("About"));
}

void ProgramMenu::setStepNames(const QString &undo, const QString &redo)
{
    m_undoName = undo;
    m_redoName = redo;
    retranslateUi();
}

void ProgramMenu::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QVoMenu::changeEvent(event);
}
