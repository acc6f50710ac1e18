#include "QMediaBorderFrame.h"

#include "QMediaDashedFrame.h"

#include <QMouseEvent>

QMediaBorderFrame::QMediaBorderFrame(int rectangles, QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    for (int i = 0; i < rectangles; ++i) {
        auto *r = new QMediaDashedFrame(this);
        r->hide();
        m_rects << r;
    }
}

void QMediaBorderFrame::mouseMoveEvent(QMouseEvent *event)
{
    emit emitMouseMoveEvent(event);
}

void QMediaBorderFrame::mousePressEvent(QMouseEvent *event)
{
    emit emitMousePressEvent(event);
}

void QMediaBorderFrame::mouseReleaseEvent(QMouseEvent *event)
{
    emit emitMouseReleaseEvent(event);
}
