#include "QTimeEditEx.h"

#include <QLineEdit>

QTimeEditEx::QTimeEditEx(QWidget *parent) : QTimeEdit(parent)
{
    connect(lineEdit(), &QLineEdit::textEdited, this, &QTimeEditEx::emitTextEdited);
    connect(lineEdit(), &QLineEdit::textChanged, this, &QTimeEditEx::emitTextChanged);
    connect(lineEdit(), &QLineEdit::editingFinished, this, &QTimeEditEx::emitTextFinish);
}

void QTimeEditEx::stepBy(int steps)
{
    if (steps == 0)
        return;
    QTimeEdit::stepBy(steps);
    if (steps > 0)
        emit emitStepUp();
    else
        emit emitStepDown();
}

QAbstractSpinBox::StepEnabled QTimeEditEx::stepEnabled() const
{
    StepEnabled enabled = QTimeEdit::stepEnabled();
    if (isReadOnly())
        return enabled;
    if (time() < maximumTime())
        enabled |= StepUpEnabled;
    if (time() > minimumTime())
        enabled |= StepDownEnabled;
    return enabled;
}

void QTimeEditEx::stepUp()
{
    stepBy(1);
}

void QTimeEditEx::stepDown()
{
    stepBy(-1);
}
