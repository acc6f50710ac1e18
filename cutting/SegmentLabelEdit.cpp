#include "SegmentLabelEdit.h"

#include <QKeyEvent>

SegmentLabelEdit::SegmentLabelEdit(QWidget *parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("m_labelEditor"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    setFont(font);
    setStyleSheet(QStringLiteral("QLineEdit { color: rgb(228,228,228); background: rgb(32,32,32);"
                                 " border: 1px solid rgb(244,229,137); padding: 0 2px; }"));
    // The longest title a chapter or a file name part could want.
    setMaxLength(200);
}

SegmentLabelEdit *SegmentLabelEdit::open(QWidget *parent, const QRect &geometry, const QString &text)
{
    auto *edit = new SegmentLabelEdit(parent);
    edit->setGeometry(geometry);
    edit->setText(text);
    edit->selectAll();
    edit->show();
    edit->raise();
    edit->setFocus(Qt::OtherFocusReason);
    return edit;
}

QString SegmentLabelEdit::cleaned(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t') || c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return out.trimmed();
}

void SegmentLabelEdit::finish(bool keep)
{
    if (m_done)
        return;
    m_done = true;
    if (keep)
        emit committed(cleaned(text()));
    hide();
    deleteLater();
}

bool SegmentLabelEdit::event(QEvent *event)
{
    // The window's own keys (Escape, Return) must not be taken from under
    // an open editor.
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void SegmentLabelEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        finish(true);
        return;
    case Qt::Key_Escape:
        finish(false);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void SegmentLabelEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A menu or a tool tip taking the focus for a moment is not leaving.
    if (event->reason() != Qt::PopupFocusReason)
        finish(true);
}
