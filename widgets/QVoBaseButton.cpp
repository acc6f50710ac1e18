#include "QVoBaseButton.h"

#include "ImageState.h"
#include "SkinImage.h"

#include <QMouseEvent>
#include <QPainter>

QVoBaseButton::QVoBaseButton(QWidget *parent)
    : QPushButton(parent)
{
    setMouseTracking(true);
    m_repaintTimer.setSingleShot(true);
    m_repaintTimer.setInterval(30);
    connect(&m_repaintTimer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    if (!isEnabled())
        setDrawState(imagestate::Disabled);
}

bool QVoBaseButton::setImage(const QString &path, bool stretch)
{
    if (!setButtonImage(path))
        return false;
    setStretch(stretch);
    if (!stretch)
        setFixedSize(skin::frameSize(buttonImage()));
    update();
    return true;
}

void QVoBaseButton::addItemCount()
{
    setCount(count() + 1);
    m_repaintTimer.start();
}

void QVoBaseButton::resetItemCount()
{
    setCount(0);
    m_repaintTimer.start();
}

void QVoBaseButton::setState(int state)
{
    if (state == drawState())
        return;
    setDrawState(state);
    update();
}

void QVoBaseButton::paintEvent(QPaintEvent *event)
{
    if (buttonImage().isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    paintButton(p, rect(), text());
}

void QVoBaseButton::enterEvent(QEvent *event)
{
    setState(imagestate::onEnter(isEnabled()));
    if (isEnabled())
        setCursor(Qt::PointingHandCursor);
    emit mouseEnter(event);
    QPushButton::enterEvent(event);
}

void QVoBaseButton::leaveEvent(QEvent *event)
{
    setState(imagestate::onLeave(isEnabled(), drawState()));
    emit mouseLeave(event);
    QPushButton::leaveEvent(event);
}

void QVoBaseButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        setState(imagestate::onPress(isEnabled()));
        m_pressOffset = event->globalPos().x() - mapToGlobal(QPoint(0, 0)).x();
        emit mouseDown(event, m_pressOffset);
    }
    QPushButton::mousePressEvent(event);
}

void QVoBaseButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        setState(imagestate::onRelease(isEnabled(), drawState()));
        emit mouseRelease(event, m_pressOffset);
    }
    QPushButton::mouseReleaseEvent(event);
}

void QVoBaseButton::mouseMoveEvent(QMouseEvent *event)
{
    if (drawState() == imagestate::Pressed)
        emit mouseMove(event, m_pressOffset);
    QPushButton::mouseMoveEvent(event);
}

void QVoBaseButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        setState(imagestate::onEnabledChange(isEnabled()));
    QPushButton::changeEvent(event);
}

bool QVoBaseButton::hitButton(const QPoint &pos) const
{
    return buttonImage().isNull() ? QPushButton::hitButton(pos) : rect().contains(pos);
}
