#include "QImageWidget.h"

#include "SkinImage.h"

#include <QMouseEvent>
#include <QPainter>

QImageWidget::QImageWidget(QWidget *parent)
    : QWidget(parent)
{
}

bool QImageWidget::setImage(const QString &path, bool resizable)
{
    m_image = skin::load(path);
    if (!m_image.isNull()) {
        if (resizable) {
            setMinimumSize(0, 0);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else {
            setFixedSize(skin::logicalSize(m_image));
        }
    }
    update();
    return !m_image.isNull();
}

void QImageWidget::setFillColor(const QColor &color)
{
    m_fill = color;
    update();
}

void QImageWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_image.isNull()) {
        p.fillRect(rect(), m_fill);
        return;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    skin::drawNinePart(p, rect(), m_image, skin::NineCorners::thirds(skin::logicalSize(m_image)));
}

void QImageWidget::mousePressEvent(QMouseEvent *event)
{
    if (m_draggable && event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_pressOffset = event->globalPos() - mapToGlobal(QPoint(0, 0));
    }
    QWidget::mousePressEvent(event);
}

void QImageWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        const QPoint topLeftOnScreen = event->globalPos() - m_pressOffset;
        move(isWindow() || !parentWidget() ? topLeftOnScreen : parentWidget()->mapFromGlobal(topLeftOnScreen));
    }
    QWidget::mouseMoveEvent(event);
}

void QImageWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}
