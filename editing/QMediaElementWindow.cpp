#include "QMediaElementWindow.h"

#include <QMouseEvent>

QMediaElementWindow::QMediaElementWindow(QWidget *parent) : QVoVideoShowWidget(parent)
{
    setKeepAspect(true);
    setMouseTracking(true);
}

void QMediaElementWindow::mouseMoveEvent(QMouseEvent *event)
{
    emit emitMouseMoveEvent(event);
}

void QMediaElementWindow::mousePressEvent(QMouseEvent *event)
{
    emit emitMousePressEvent(event);
}

void QMediaElementWindow::mouseReleaseEvent(QMouseEvent *event)
{
    emit emitMouseReleaseEvent(event);
}

void QMediaElementWindow::resizeEvent(QResizeEvent *event)
{
    QVoVideoShowWidget::resizeEvent(event);
    m_lastArea = pictureRect();
    emit emitVideoElementSizeChange(m_lastArea);
}

void QMediaElementWindow::paintEvent(QPaintEvent *event)
{
    QVoVideoShowWidget::paintEvent(event);
    // The picture area changes with the first picture and with edits that
    // change the picture's proportions (crop, rotation).
    const QRect area = pictureRect();
    if (area != m_lastArea) {
        m_lastArea = area;
        emit emitVideoElementSizeChange(area);
    }
}
