#include "QTimeEditEx.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalBlocker>

namespace {
// "h:m:s.f", "m:s.f" or "s.f", each part possibly still empty.
bool looksLikeTypedTime(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^\\s*\\d*(?::\\d*){0,2}(?:[.,]\\d*)?\\s*$"));
    return shape.match(text).hasMatch();
}

bool isTimeText(const QString &text)
{
    return text.size() == 1 && (text.at(0).isDigit() || text == QLatin1String(":") || text == QLatin1String(".")
                                || text == QLatin1String(","));
}
} // namespace

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
    endFreeTyping();
    if (!isReadOnly())
        emit emitTextCancelled();
}

bool QTimeEditEx::typeFreely(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (mods != Qt::NoModifier)
        return false;
    QLineEdit *line = lineEdit();
    const bool typed = isTimeText(event->text());
    if (typed && !m_freeTyping && !line->text().isEmpty() && line->selectedText() == line->text())
        m_freeTyping = true;
    if (!m_freeTyping)
        return false;
    QString text = line->text();
    int cursor = line->cursorPosition();
    const bool selected = line->hasSelectedText();
    auto dropSelection = [&] {
        if (!selected)
            return false;
        cursor = line->selectionStart();
        text.remove(cursor, line->selectedText().size());
        return true;
    };
    switch (event->key()) {
    case Qt::Key_Backspace:
        if (!dropSelection() && cursor > 0)
            text.remove(--cursor, 1);
        break;
    case Qt::Key_Delete:
        if (!dropSelection())
            text.remove(cursor, 1);
        break;
    case Qt::Key_Left:
        cursor = qMax(0, cursor - 1);
        break;
    case Qt::Key_Right:
        cursor = qMin(text.size(), cursor + 1);
        break;
    case Qt::Key_Home:
        cursor = 0;
        break;
    case Qt::Key_End:
        cursor = text.size();
        break;
    default:
        if (!typed)
            return false;
        dropSelection();
        text.insert(cursor++, event->text());
        break;
    }
    if (!looksLikeTypedTime(text))
        return true; // a key that makes no time is swallowed, as a validator would
    {
        // The editor would put its sections back at once.
        const QSignalBlocker block(line);
        line->setText(text);
        line->setCursorPosition(cursor);
    }
    emit emitTextEdited(text);
    return true;
}

void QTimeEditEx::keyPressEvent(QKeyEvent *event)
{
    if (!isReadOnly()) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            endFreeTyping();
            emit emitTextConfirmed(lineEdit()->text());
        } else if (event->key() == Qt::Key_Escape) {
            endFreeTyping();
            emit emitTextCancelled();
        } else if (m_freeTyping && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
            // Tab leaves the field with what was typed; the editor would
            // take it for a step to its next section.
            endFreeTyping();
            emit emitTextConfirmed(lineEdit()->text());
            QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab);
            return;
        } else if (typeFreely(event)) {
            return;
        }
    }
    QTimeEdit::keyPressEvent(event);
}

void QTimeEditEx::focusOutEvent(QFocusEvent *event)
{
    // The field's own context menu (Paste) takes the focus only for a moment.
    if (!isReadOnly() && event->reason() != Qt::PopupFocusReason) {
        endFreeTyping();
        emit emitTextConfirmed(lineEdit()->text());
    }
    QTimeEdit::focusOutEvent(event);
}
