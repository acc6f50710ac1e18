#include "MouseImageWidget.h"

#include "SkinImage.h"

#include <QMouseEvent>
#include <QPainter>

MouseImageWidget::MouseImageWidget(QWidget *parent) : QWidget(parent) {}

void MouseImageWidget::setPictures(const QString &iconPath, const QImage *thumbnail, const QString &overlayPath)
{
    m_icon = iconPath.isEmpty() ? QPixmap() : skin::load(iconPath);
    m_overlay = overlayPath.isEmpty() ? QPixmap() : skin::load(overlayPath);
    m_thumbnail = thumbnail;
    if (!m_icon.isNull())
        resize(skin::logicalSize(m_icon));
    update();
}

QRect MouseImageWidget::centralCut(const QSize &image, const QSize &widget)
{
    const qint64 w = image.width(), h = image.height();
    const qint64 W = widget.width(), H = widget.height();
    if (w <= 0 || h <= 0 || W <= 0 || H <= 0)
        return QRect(QPoint(0, 0), image);
    if (w * H >= h * W) {
        const int cw = static_cast<int>(h * W / H);
        return QRect(static_cast<int>((w - cw) / 2), 0, cw, static_cast<int>(h));
    }
    const int ch = static_cast<int>(w * H / W);
    return QRect(0, static_cast<int>((h - ch) / 2), static_cast<int>(w), ch);
}

void MouseImageWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_icon.isNull())
        p.drawPixmap(rect(), m_icon);
    if (m_thumbnail && !m_thumbnail->isNull()) {
        p.fillRect(rect(), Qt::black);
        p.drawImage(rect(), *m_thumbnail, centralCut(m_thumbnail->size(), size()));
    }
    if (m_showOverlay && !m_overlay.isNull()) {
        const QSize frame = skin::frameSize(m_overlay);
        const QRect target(QPoint((width() - frame.width()) / 2, (height() - frame.height()) / 2), frame);
        skin::drawFrame(p, target, m_overlay, qBound(0, m_state, 2));
    }
}

void MouseImageWidget::setState(int state)
{
    m_state = state;
    update();
}

void MouseImageWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setState(2);
    // The row underneath selects itself and starts drags from this press.
    event->ignore();
}

void MouseImageWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        if (m_state == 2)
            setState(1);
        emit emitMouseRelease();
    }
    event->ignore();
}

void MouseImageWidget::enterEvent(QEvent *)
{
    setState(1);
}

void MouseImageWidget::leaveEvent(QEvent *)
{
    setCursor(Qt::ArrowCursor);
    setState(0);
}
