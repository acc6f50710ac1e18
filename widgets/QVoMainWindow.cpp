#include "QVoMainWindow.h"

#include <QPainter>

QVoMainWindow::QVoMainWindow(QWidget *parent)
    : QMainWindow(parent)
    , QBaseDrawWidget(this)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

void QVoMainWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintBase(p);
}

void QVoMainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    layoutTitleBar();
}

void QVoMainWindow::mousePressEvent(QMouseEvent *event)
{
    baseMousePress(event);
    QMainWindow::mousePressEvent(event);
}

void QVoMainWindow::mouseMoveEvent(QMouseEvent *event)
{
    baseMouseMove(event);
    QMainWindow::mouseMoveEvent(event);
}

void QVoMainWindow::mouseReleaseEvent(QMouseEvent *event)
{
    baseMouseRelease(event);
    QMainWindow::mouseReleaseEvent(event);
}
