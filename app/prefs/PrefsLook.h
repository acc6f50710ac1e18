#pragma once
// The look the preferences pages share: fonts, group frames and text
// colours, so both pages read as one dialog.
#include <QColor>
#include <QFont>
#include <QString>

class QCheckButton;
class QGroupBox;
class QWidget;

namespace prefslook {

QFont textFont(); // "Tahoma", 11 pixels
inline QColor textColour() { return {228, 228, 228}; }
inline QColor disabledTextColour() { return {119, 108, 87}; }

// A group box with a 1-pixel grey border, radius 5, titled in the text colour.
QGroupBox *group(const QString &objectName, QWidget *parent);
// An image check control; radio mode for exclusive choices.
QCheckButton *choice(const QString &objectName, const QString &checked, const QString &unchecked, bool radio,
                     QWidget *parent);

} // namespace prefslook
