#include "QTimeItem.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

QTimeItem::QTimeItem(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_TranslucentBackground);
}

void QTimeItem::setState(int state)
{
    if (m_state == state)
        return;
    m_state = state;
    update();
}

void QTimeItem::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, width() - 2, height() - 2);
    const qreal radius = qMin<qreal>(3.0, qMin(r.width(), r.height()) / 2.0);
    QPainterPath path;
    path.moveTo(r.left() + radius, r.top());
    path.lineTo(r.right() - radius, r.top());
    path.quadTo(r.topRight(), QPointF(r.right(), r.top() + radius));
    path.lineTo(r.right(), r.bottom() - radius);
    path.quadTo(r.bottomRight(), QPointF(r.right() - radius, r.bottom()));
    path.lineTo(r.left() + radius, r.bottom());
    path.quadTo(r.bottomLeft(), QPointF(r.left(), r.bottom() - radius));
    path.lineTo(r.left(), r.top() + radius);
    path.quadTo(r.topLeft(), QPointF(r.left() + radius, r.top()));
    p.setPen(QPen(m_state == 2 ? QColor(244, 229, 137) : QColor(74, 74, 74), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    if (m_label.isEmpty() || width() < 16)
        return;
    // On a dark plate, so that the text reads over any thumbnail.
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    p.setFont(font);
    const QFontMetrics fm(font);
    const QString shown = fm.elidedText(m_label, Qt::ElideRight, width() - 10);
    if (shown.isEmpty())
        return;
    const QRect plate(3, 3, fm.horizontalAdvance(shown) + 6, fm.height() + 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 170));
    p.drawRoundedRect(plate, 2, 2);
    p.setPen(m_state == 2 ? QColor(244, 229, 137) : QColor(228, 228, 228));
    p.drawText(plate.adjusted(3, 1, -3, -1), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

void QTimeItem::setLabel(const QString &label)
{
    if (m_label == label)
        return;
    m_label = label;
    setToolTip(label);
    update();
}

void QTimeItem::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || event->modifiers() != Qt::NoModifier) {
        event->ignore();
        return;
    }
    event->accept();
    emit emitEditLabel();
}

void QTimeItem::enterEvent(QEvent *event)
{
    if (m_state != 1 && m_state != 2)
        setState(1);
    QWidget::enterEvent(event);
}

void QTimeItem::leaveEvent(QEvent *event)
{
    if (m_state == 1)
        setState(0);
    QWidget::leaveEvent(event);
}

void QTimeItem::selectForMenu()
{
    if (m_state != 2) {
        m_state = 2;
        update();
        emit emitMousePress();
    }
    emit emitShowTreeMenu();
}

void QTimeItem::mousePressEvent(QMouseEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods == Qt::ShiftModifier) {
        if (event->button() == Qt::RightButton)
            selectForMenu();
    } else if (mods == Qt::ControlModifier) {
        if (event->button() == Qt::RightButton)
            selectForMenu();
        update();
    } else if (event->button() == Qt::LeftButton) {
        m_state = 2;
        emit emitMousePress();
        update();
    } else if (event->button() == Qt::RightButton) {
        selectForMenu();
    }
    // The container and the timeline behind the box handle the drag.
    event->ignore();
}
