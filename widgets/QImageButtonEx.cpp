#include "QImageButtonEx.h"

#include "CountBadge.h"
#include "SkinImage.h"

#include <QPainter>

QImageButtonEx::QImageButtonEx(QWidget *parent)
    : QTextImageButton(parent)
    , m_badge(skin::load(countbadge::picturePath()))
{
}

void QImageButtonEx::resetItemCount()
{
    m_count = 0;
    update();
}

void QImageButtonEx::addItemCount()
{
    ++m_count;
    update();
}

void QImageButtonEx::paintEvent(QPaintEvent *event)
{
    QTextImageButton::paintEvent(event);
    QPainter p(this);
    countbadge::draw(p, rect(), m_badge, m_count);
}
