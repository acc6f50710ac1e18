#pragma once
// The look the editing tabs share: caption labels, value sliders, edits,
// combo boxes and check boxes on the dialog's pictures.
#include <QString>

class QLabel;
class QVoBaseSlider;
class QVoCheckBox;
class QVoComboBox;
class QVoLineEdit;
class QWidget;

namespace edittabwidgets {

QLabel *captionLabel(QWidget *parent, const QString &text, const QString &name);
// A one-handle slider over 0..100 percent; it reports fractions 0..1.
QVoBaseSlider *valueSlider(QWidget *parent, const QString &name);
// digits > 0: whole numbers of at most that many digits, 40 pixels wide.
QVoLineEdit *valueEdit(QWidget *parent, const QString &name, int digits);
void styleCombo(QVoComboBox *combo, int width, int height);
QVoCheckBox *checkBox(QWidget *parent, const QString &text, const QString &name);

} // namespace edittabwidgets
