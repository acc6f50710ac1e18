#include "QCustomImageWidget.h"

#include "ImageState.h"
#include "SkinImage.h"

#include <QMouseEvent>
#include <QPainter>

QCustomImageWidget::QCustomImageWidget(QWidget *parent)
    : QWidget(parent)
{
    if (!isEnabled())
        m_state = imagestate::Disabled;
}

bool QCustomImageWidget::setImage(const QString &path)
{
    m_image = skin::load(path);
    update();
    return !m_image.isNull();
}

void QCustomImageWidget::setState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    update();
}

void QCustomImageWidget::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    skin::drawNinePart(p, rect(), m_image, skin::NineCorners::thirds(skin::frameSize(m_image)),
                       skin::frameSource(m_image, m_state));
}

void QCustomImageWidget::enterEvent(QEvent *event)
{
    setState(imagestate::onEnter(isEnabled()));
    if (isEnabled())
        setCursor(Qt::PointingHandCursor);
    QWidget::enterEvent(event);
}

void QCustomImageWidget::leaveEvent(QEvent *event)
{
    setState(imagestate::onLeave(isEnabled(), m_state));
    QWidget::leaveEvent(event);
}

void QCustomImageWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setState(imagestate::onPress(isEnabled()));
    QWidget::mousePressEvent(event);
}

void QCustomImageWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setState(imagestate::onRelease(isEnabled(), m_state));
    QWidget::mouseReleaseEvent(event);
}

void QCustomImageWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        setState(imagestate::onEnabledChange(isEnabled()));
    QWidget::changeEvent(event);
}
