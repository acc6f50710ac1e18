#include "ControlNames.h"

#include "QCustomTimeEdit.h"
#include "QImageButton.h"
#include "QTimeEditEx.h"

#include <QCoreApplication>

void nameTimeEdit(QCustomTimeEdit *edit, const QString &name)
{
    edit->setAccessibleName(name);
    edit->timeEdit()->setAccessibleName(name);
    const QString later = QCoreApplication::translate("ControlNames", "%1: later").arg(name);
    const QString earlier = QCoreApplication::translate("ControlNames", "%1: earlier").arg(name);
    edit->upButton()->setToolTip(later);
    edit->upButton()->setAccessibleName(later);
    edit->downButton()->setToolTip(earlier);
    edit->downButton()->setAccessibleName(earlier);
}
