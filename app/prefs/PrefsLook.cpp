#include "PrefsLook.h"

#include "QCheckButton.h"

#include <QGroupBox>

namespace prefslook {

QFont textFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    return font;
}

QGroupBox *group(const QString &objectName, QWidget *parent)
{
    auto *box = new QGroupBox(parent);
    box->setObjectName(objectName);
    box->setFont(textFont());
    box->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid rgb(110,110,110); border-radius: 5px; margin-top: 7px; color: rgb(228,228,228); }"
        "QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; color: rgb(228,228,228); }"));
    return box;
}

QCheckButton *choice(const QString &objectName, const QString &checked, const QString &unchecked, bool radio,
                     QWidget *parent)
{
    auto *button = new QCheckButton(parent);
    button->setObjectName(objectName);
    button->setPictures(checked, unchecked);
    button->setRadioMode(radio);
    button->setTextFont(QStringLiteral("Tahoma"), false, 11);
    button->setTextColors(textColour(), disabledTextColour());
    return button;
}

} // namespace prefslook
