#include "QHorizontalListItem.h"

#include "SkinImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kTitleHeight = 16;
constexpr int kPad = 2;
} // namespace

QHorizontalListItem::QHorizontalListItem(QWidget *parent) : QWidget(parent)
{
    m_picture = skin::load("/VEditSource/normal.png");
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

QSize QHorizontalListItem::sizeHint() const
{
    return {pictureSize().width() + 2 * kPad, pictureSize().height() + 2 * kPad + kTitleHeight};
}

void QHorizontalListItem::setPicture(const QString &path)
{
    const QPixmap picture = skin::load(path);
    if (picture.isNull())
        return;
    m_picture = picture;
    m_ownPicture = true;
    update();
}

void QHorizontalListItem::setTitle(const QString &title)
{
    m_title = title;
    setToolTip(title);
    update();
}

void QHorizontalListItem::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    update();
}

void QHorizontalListItem::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect pictureRect(QPoint(kPad, kPad), pictureSize());
    p.drawPixmap(pictureRect, m_picture);
    if (m_highlighted || m_hovered) {
        p.setPen(QPen(m_highlighted ? QColor(74, 160, 255) : QColor(160, 160, 160), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(pictureRect.adjusted(-1, -1, 0, 0));
    }
    QFont font("Tahoma");
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(m_highlighted ? QColor(120, 190, 255) : QColor(228, 228, 228));
    const QRect titleRect(0, pictureRect.bottom() + 2, width(), kTitleHeight - 2);
    p.drawText(titleRect, Qt::AlignHCenter | Qt::AlignVCenter,
               p.fontMetrics().elidedText(m_title, Qt::ElideRight, titleRect.width()));
}

void QHorizontalListItem::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        emit emitShowTreeMenu();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (event->modifiers() & Qt::ShiftModifier)
        emit emitMouseShiftPress();
    else if (event->modifiers() & Qt::ControlModifier)
        emit emitMouseCtrlPress();
    else
        emit emitMousePress();
}

void QHorizontalListItem::enterEvent(QEvent *)
{
    m_hovered = true;
    update();
}

void QHorizontalListItem::leaveEvent(QEvent *)
{
    m_hovered = false;
    update();
}
