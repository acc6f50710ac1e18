#include "QMediaDashedFrame.h"

#include "SkinImage.h"

#include <QPainter>

QMediaDashedFrame::QMediaDashedFrame(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_handles = skin::load("/VEditSource/bg_border_line.png");
}

void QMediaDashedFrame::setMovable(bool movable)
{
    m_movable = movable;
    update();
}

void QMediaDashedFrame::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QPen pen(Qt::white, 2, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin);
    p.setPen(pen);
    p.drawRect(rect().adjusted(1, 1, -1, -1));
    if (m_handles.isNull())
        return;
    const int hw = m_handles.width();
    const int hh = m_handles.height();
    const int w = width();
    const int h = height();
    // Corner and edge-midpoint pieces of the handle picture at the same places.
    const QPoint from[8] = {{0, 0}, {hw / 2 - 2, 0}, {hw - 5, 0}, {0, hh / 2 - 2},
                            {hw - 5, hh / 2 - 2}, {0, hh - 5}, {hw / 2 - 2, hh - 5}, {hw - 5, hh - 5}};
    const QPoint to[8] = {{0, 0}, {w / 2 - 2, 0}, {w - 5, 0}, {0, h / 2 - 2},
                          {w - 5, h / 2 - 2}, {0, h - 5}, {w / 2 - 2, h - 5}, {w - 5, h - 5}};
    for (int i = 0; i < 8; ++i)
        p.drawPixmap(QRect(to[i], QSize(5, 5)), m_handles, QRect(from[i], QSize(5, 5)));
    if (m_movable && w > 20 && h > 20)
        p.drawPixmap(QRect(w / 2 - 8, h / 2 - 8, 16, 16), m_handles, QRect(hw / 2 - 8, hh / 2 - 8, 16, 16));
}
