#include "QVoRadioButton.h"

#include "ImageState.h"
#include "SkinImage.h"

#include <QMouseEvent>
#include <QPainter>

QVoRadioButton::QVoRadioButton(QWidget *parent)
    : QRadioButton(parent)
{
}

QVoRadioButton::QVoRadioButton(const QString &text, QWidget *parent)
    : QRadioButton(text, parent)
{
}

bool QVoRadioButton::setImageButtonLook(const QString &stripPath)
{
    m_strip = skin::load(stripPath);
    update();
    return !m_strip.isNull();
}

int QVoRadioButton::paintedFrame() const
{
    if (m_state == imagestate::Disabled)
        return imagestate::Disabled;
    return isChecked() ? imagestate::Pressed : m_state;
}

QSize QVoRadioButton::sizeHint() const
{
    if (hasImageButtonLook())
        return skin::frameSize(m_strip);
    if (!hasBoxPictures())
        return QRadioButton::sizeHint();
    const QSize box = skin::logicalSize(boxPicture(*this));
    return QSize(box.width() + 6 + fontMetrics().horizontalAdvance(text()) + 2, qMax(box.height(), fontMetrics().height()));
}

void QVoRadioButton::paintEvent(QPaintEvent *event)
{
    if (hasImageButtonLook()) {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        skin::drawNinePart(p, rect(), m_strip, skin::NineCorners::thirds(skin::frameSize(m_strip)),
                           skin::frameSource(m_strip, paintedFrame()));
        p.setPen(isEnabled() ? m_textColor : QColor(120, 120, 120));
        p.drawText(rect(), Qt::AlignCenter, text());
        return;
    }
    if (!hasBoxPictures()) {
        QRadioButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    paintBox(p, *this);
}

void QVoRadioButton::enterEvent(QEvent *event)
{
    m_state = imagestate::onEnter(isEnabled());
    update();
    QRadioButton::enterEvent(event);
}

void QVoRadioButton::leaveEvent(QEvent *event)
{
    m_state = imagestate::onLeave(isEnabled(), m_state);
    update();
    QRadioButton::leaveEvent(event);
}

void QVoRadioButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_state = imagestate::onPress(isEnabled());
    QRadioButton::mousePressEvent(event);
}

void QVoRadioButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_state = imagestate::onRelease(isEnabled(), m_state);
    QRadioButton::mouseReleaseEvent(event);
}

void QVoRadioButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        m_state = imagestate::onEnabledChange(isEnabled());
    QRadioButton::changeEvent(event);
}

bool QVoRadioButton::hitButton(const QPoint &pos) const
{
    return hasBoxPictures() || hasImageButtonLook() ? rect().contains(pos) : QRadioButton::hitButton(pos);
}
