#include "QVoDialog.h"

#include <QPainter>

QVoDialog::QVoDialog(QWidget *parent)
    : QDialog(parent)
    , QBaseDrawWidget(this)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

void QVoDialog::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintBase(p);
}

void QVoDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutTitleBar();
}

void QVoDialog::mousePressEvent(QMouseEvent *event)
{
    baseMousePress(event);
    QDialog::mousePressEvent(event);
}

void QVoDialog::mouseMoveEvent(QMouseEvent *event)
{
    baseMouseMove(event);
    QDialog::mouseMoveEvent(event);
}

void QVoDialog::mouseReleaseEvent(QMouseEvent *event)
{
    baseMouseRelease(event);
    QDialog::mouseReleaseEvent(event);
}
