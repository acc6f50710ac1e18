#include "QTimeEditEx.h"

#include <QKeyEvent>
#include <QLineEdit>

QTimeEditEx::QTimeEditEx(QWidget *parent) : QTimeEdit(parent)
{
    setTimeRange(QTime(0, 0), QTime(23, 59, 59, 999));
    connect(lineEdit(), &QLineEdit::textEdited, this, &QTimeEditEx::emitTextEdited);
    connect(lineEdit(), &QLineEdit::textChanged, this, &QTimeEditEx::emitTextChanged);
    connect(lineEdit(), &QLineEdit::editingFinished, this, &QTimeEditEx::emitTextFinish);
}

void QTimeEditEx::setAllowedRange(const QTime &lo, const QTime &hi)
{
    m_allowedMin = lo;
    m_allowedMax = hi < lo ? lo : hi;
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
    if (isReadOnly())
        return StepNone;
    StepEnabled enabled = StepNone;
    if (time() < m_allowedMax)
        enabled |= StepUpEnabled;
    if (time() > m_allowedMin)
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

void QTimeEditEx::dropTyping()
{
    if (!isReadOnly())
        emit emitTextCancelled();
}

void QTimeEditEx::keyPressEvent(QKeyEvent *event)
{
    if (!isReadOnly()) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            emit emitTextConfirmed(lineEdit()->text());
        else if (event->key() == Qt::Key_Escape)
            emit emitTextCancelled();
    }
    QTimeEdit::keyPressEvent(event);
}

void QTimeEditEx::focusOutEvent(QFocusEvent *event)
{
    // The field's own context menu (Paste) takes the focus only for a moment.
    if (!isReadOnly() && event->reason() != Qt::PopupFocusReason)
        emit emitTextConfirmed(lineEdit()->text());
    QTimeEdit::focusOutEvent(event);
}
