#include "ProgramMenu.h"

#include <QAction>
#include <QEvent>

ProgramMenu::ProgramMenu(QWidget *parent)
    : QVoMenu(parent)
{
    setObjectName(QStringLiteral("m_menu"));
    setPanelWidth(1);
    setPanelColor(QColor(74, 74, 74));
    setEmptyAreaColor(QColor(51, 51, 51));
    setThirdColor(QColor(51, 51, 51));
    setTextColor(QColor(228, 228, 228));
    setSelectedBackgroundColor(QColor(105, 105, 105));
    setDisabledTextColor(QColor(89, 104, 130));
    setDisabledOverlayColor(QColor(51, 51, 51));
    setSeparatorColor(QColor(74, 74, 74));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    setFont(font);

    m_actApplySegments = addAction(QString());
    m_actApplySegments->setObjectName(QStringLiteral("actApplySegments"));
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
    m_actPreferences->setText(tr("Preferences"));
    m_actHome->setText(tr("Home"));
    m_actHelp->setText(tr("Help"));
    m_actUpdates->setText(tr("Check for Updates"));
    m_actAbout->setText(tr("About"));
}

void ProgramMenu::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QVoMenu::changeEvent(event);
}
