#include "QDrawLine.h"

#include <QPainter>

QDrawLine::QDrawLine(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
}

void QDrawLine::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QPen pen(m_color, m_penWidth, Qt::DashLine);
    p.setPen(pen);
    const qreal x = width() * 0.5;
    p.drawLine(QPointF(x, 0), QPointF(x, height()));
}
