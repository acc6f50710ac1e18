#include "QVoWidget.h"

#include <QPainter>

QVoWidget::QVoWidget(QWidget *parent)
    : QWidget(parent)
    , QBaseDrawWidget(this)
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

void QVoWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintBase(p);
}

void QVoWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutTitleBar();
}

void QVoWidget::mousePressEvent(QMouseEvent *event)
{
    baseMousePress(event);
    QWidget::mousePressEvent(event);
}

void QVoWidget::mouseMoveEvent(QMouseEvent *event)
{
    baseMouseMove(event);
    QWidget::mouseMoveEvent(event);
}

void QVoWidget::mouseReleaseEvent(QMouseEvent *event)
{
    baseMouseRelease(event);
    QWidget::mouseReleaseEvent(event);
}
