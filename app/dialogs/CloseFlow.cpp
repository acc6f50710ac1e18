#include "CloseFlow.h"

#include "QShowCloseDlg.h"

#include "ParserXML.h"

#include <QWidget>

CloseFlow::Outcome CloseFlow::decide(QWidget *owner, bool trayAvailable)
{
    const Outcome away = trayAvailable ? ToTray : Minimize;
    if (ParserXML::readItemValue("REMIND_ITEM", "isShowRemind", "Y") == QLatin1String("Y")) {
        const bool exitChosen = ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y") == QLatin1String("Y");
        QShowCloseDlg dlg(exitChosen, trayAvailable, owner);
        if (owner) {
            const QRect around = owner->window()->frameGeometry();
            dlg.move(around.center() - QPoint(dlg.width() / 2, dlg.height() / 2));
        }
        if (dlg.exec() != QDialog::Accepted)
            return Nothing;
        if (dlg.isNoteChecked())
            ParserXML::writeItemValue("REMIND_ITEM", "isShowRemind", "N");
        ParserXML::writeItemValue("CLOSE_ITEM", "bIsCloseDlg", dlg.isExitChosen() ? "Y" : "N");
        return dlg.isExitChosen() ? Quit : away;
    }
    return ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y") == QLatin1String("Y") ? Quit : away;
}

QString CloseFlow::outcomeName(Outcome outcome)
{
    switch (outcome) {
    case Nothing: return QStringLiteral("nothing");
    case Quit: return QStringLiteral("quit");
    case ToTray: return QStringLiteral("tray");
    case Minimize: return QStringLiteral("minimize");
    }
    return QString();
}
