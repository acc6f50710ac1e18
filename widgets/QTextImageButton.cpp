#include "QTextImageButton.h"

#include "ImageState.h"
#include "SkinImage.h"

#include <QMouseEvent>
#include <QPainter>

QTextImageButton::QTextImageButton(QWidget *parent)
    : QPushButton(parent)
    , m_colors{QColor(228, 228, 228), QColor(255, 255, 255), QColor(255, 255, 255), QColor(120, 120, 120)}
    , m_checkedColor(255, 255, 255)
{
    setFocusPolicy(Qt::NoFocus);
    if (!isEnabled())
        m_state = imagestate::Disabled;
}

bool QTextImageButton::setImage(const QString &path, const QRect &target)
{
    m_image = skin::load(path);
    if (m_image.isNull())
        return false;
    if (target.isValid()) {
        m_stretch = true;
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setGeometry(target);
    } else if (!m_stretch) {
        setFixedSize(skin::frameSize(m_image));
    }
    update();
    return true;
}

void QTextImageButton::setStretch(bool on)
{
    m_stretch = on;
    if (on) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    update();
}

void QTextImageButton::setSelected(bool selected)
{
    m_selected = selected;
    update();
}

void QTextImageButton::setTextPixelSize(int size)
{
    m_textPixelSize = size;
    update();
}

void QTextImageButton::setTextColors(const QColor &normal, const QColor &hover, const QColor &pressed, const QColor &disabled)
{
    m_colors[0] = normal;
    m_colors[1] = hover;
    m_colors[2] = pressed;
    m_colors[3] = disabled;
    update();
}

void QTextImageButton::setCheckedColor(const QColor &color)
{
    m_checkedColor = color;
    update();
}

QColor QTextImageButton::textColor() const
{
    if (m_state == imagestate::Disabled)
        return m_colors[3];
    if (m_selected || (isCheckable() && isChecked()))
        return m_checkedColor;
    return m_colors[qBound(0, m_state, 3)];
}

void QTextImageButton::setState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    update();
}

void QTextImageButton::paintEvent(QPaintEvent *event)
{
    if (m_image.isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_stretch) {
        const QSize frame = skin::frameSize(m_image);
        skin::drawNinePart(p, rect(), m_image, skin::NineCorners::thirds(frame), skin::frameSource(m_image, paintedFrame()));
    } else {
        skin::drawFrame(p, rect(), m_image, paintedFrame());
    }
    if (!text().isEmpty()) {
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(m_textPixelSize);
        p.setFont(font);
        p.setPen(textColor());
        p.drawText(rect(), Qt::AlignCenter, p.fontMetrics().elidedText(text(), Qt::ElideRight, width()));
    }    // A button reached with Tab shows that it holds the keyboard.
    if (hasFocus())
        skin::drawFocusRing(p, rect());
}

void QTextImageButton::enterEvent(QEvent *event)
{
    setState(imagestate::onEnter(isEnabled()));
    if (isEnabled())
        setCursor(Qt::PointingHandCursor);
    QPushButton::enterEvent(event);
}

void QTextImageButton::leaveEvent(QEvent *event)
{
    setState(imagestate::onLeave(isEnabled(), m_state));
    QPushButton::leaveEvent(event);
}

void QTextImageButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setState(imagestate::onPress(isEnabled()));
    QPushButton::mousePressEvent(event);
}

void QTextImageButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setState(imagestate::onRelease(isEnabled(), m_state));
    QPushButton::mouseReleaseEvent(event);
}

void QTextImageButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        setState(imagestate::onEnabledChange(isEnabled()));
    QPushButton::changeEvent(event);
}

bool QTextImageButton::hitButton(const QPoint &pos) const { return rect().contains(pos); }
