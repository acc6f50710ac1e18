#include "QVoTextEdit.h"

#include "ImageState.h"

#include <QPainter>
#include <QEvent>
#include <QTextEdit>

QVoTextEdit::QVoTextEdit(QWidget *parent)
    : QWidget(parent)
    , QVoBaseRectImageDraw(this)
    , m_edit(new QTextEdit(this))
{
    m_edit->setAcceptDrops(false);
    m_edit->setAttribute(Qt::WA_MacShowFocusRect, false);
    setFocusProxy(m_edit);
    setFocusPolicy(m_edit->focusPolicy());
    connect(m_edit, &QTextEdit::textChanged, this, &QVoTextEdit::textEditChange);
    placeEdit();
    if (!isEnabled())
        setDrawState(imagestate::Disabled);
}

bool QVoTextEdit::setBackgroundImage(const QString &path)
{
    if (!QVoBaseRectImageDraw::setBackgroundImage(path))
        return false;
    m_edit->setStyleSheet(QStringLiteral("QTextEdit {background-color:transparent;border:none}"));
    return true;
}

void QVoTextEdit::setMargins(qint16 left, qint16 top, qint16 right, qint16 bottom)
{
    m_margins = QMargins(left, top, right, bottom);
    placeEdit();
    update();
}

void QVoTextEdit::textEditChange() { emit textChanged(m_edit->toPlainText()); }

void QVoTextEdit::placeEdit()
{
    const QRect target = rect().marginsRemoved(m_margins);
    if (m_edit->geometry() != target)
        m_edit->setGeometry(target);
}

void QVoTextEdit::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintBackground(p);
    placeEdit();
}

void QVoTextEdit::resizeEvent(QResizeEvent *event)
{
    placeEdit();
    QWidget::resizeEvent(event);
}

void QVoTextEdit::enterEvent(QEvent *event)
{
    stateOnEnter();
    QWidget::enterEvent(event);
}

void QVoTextEdit::leaveEvent(QEvent *event)
{
    stateOnLeave();
    QWidget::leaveEvent(event);
}

void QVoTextEdit::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        stateOnEnabledChange();
    QWidget::changeEvent(event);
}
