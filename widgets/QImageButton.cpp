#include "QImageButton.h"

#include "ImageState.h"
#include "SkinImage.h"

#include <QMouseEvent>
#include <QPainter>

QImageButton::QImageButton(QWidget *parent)
    : QPushButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    if (!isEnabled())
        m_state = imagestate::Disabled;
}

bool QImageButton::setImage(const QString &path, const QSize &targetSize)
{
    m_image = skin::load(path);
    if (m_image.isNull())
        return false;
    setFixedSize(targetSize.isValid() ? targetSize : skin::frameSize(m_image));
    update();
    return true;
}

void QImageButton::setDisabledLooksPressed(bool on)
{
    m_disabledLooksPressed = on;
    update();
}

void QImageButton::setTextRect(const QRect &rect)
{
    m_textRect = rect;
    update();
}

void QImageButton::setTextPixelSize(int size)
{
    m_textPixelSize = size;
    update();
}

int QImageButton::paintedFrame() const
{
    if (m_state == imagestate::Disabled && m_disabledLooksPressed)
        return imagestate::Pressed;
    return m_state;
}

void QImageButton::setState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    update();
}

void QImageButton::paintEvent(QPaintEvent *event)
{
    if (m_image.isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    skin::drawFrame(p, rect(), m_image, paintedFrame());
    if (!text().isEmpty()) {
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(m_textPixelSize);
        p.setFont(font);
        p.setPen(Qt::white);
        const QRect area = m_textRect.isNull() ? rect() : m_textRect;
        p.drawText(area, Qt::AlignCenter, p.fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
    }    // A button reached with Tab shows that it holds the keyboard.
    if (hasFocus())
        skin::drawFocusRing(p, rect());
}

void QImageButton::enterEvent(QEvent *event)
{
    setState(imagestate::onEnter(isEnabled()));
    if (isEnabled())
        setCursor(Qt::PointingHandCursor);
    QPushButton::enterEvent(event);
}

void QImageButton::leaveEvent(QEvent *event)
{
    setState(imagestate::onLeave(isEnabled(), m_state));
    QPushButton::leaveEvent(event);
}

void QImageButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        setState(imagestate::onPress(isEnabled()));
        m_pressOffset = event->globalPos().x() - mapToGlobal(QPoint(0, 0)).x();
    }
    QPushButton::mousePressEvent(event);
}

void QImageButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setState(imagestate::onRelease(isEnabled(), m_state));
    QPushButton::mouseReleaseEvent(event);
}

void QImageButton::mouseMoveEvent(QMouseEvent *event)
{
    if (m_state == imagestate::Pressed)
        emit mouseMove(event, m_pressOffset);
    QPushButton::mouseMoveEvent(event);
}

void QImageButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        setState(imagestate::onEnabledChange(isEnabled()));
    QPushButton::changeEvent(event);
}

bool QImageButton::hitButton(const QPoint &pos) const { return rect().contains(pos); }
