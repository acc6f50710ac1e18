#include "QSliderCtrlBtn.h"

#include "SkinImage.h"

#include <QMouseEvent>
#include <QPainter>

QSliderCtrlBtn::QSliderCtrlBtn(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

bool QSliderCtrlBtn::setImage(const QString &path)
{
    m_image = skin::load(path);
    if (m_image.isNull())
        return false;
    setFixedSize(skin::frameSize(m_image));
    update();
    return true;
}

void QSliderCtrlBtn::setHandleEnabled(bool enabled)
{
    m_enabled = enabled;
    m_state = enabled ? 0 : 3;
    update();
}

void QSliderCtrlBtn::setNormal()
{
    m_state = m_enabled ? 0 : 3;
    update();
}

void QSliderCtrlBtn::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter p(this);
    skin::drawFrame(p, rect(), m_image, m_state);
}

void QSliderCtrlBtn::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    m_pressX = e->pos().x();
    m_pressY = e->pos().y();
    m_state = m_enabled ? 2 : 3;
    update();
    emit mouseDown(e, m_pressX);
    emit mouseDownY(e, m_pressY);
}

void QSliderCtrlBtn::mouseMoveEvent(QMouseEvent *e)
{
    if (!m_pressed)
        return;
    emit mouseMove(e, m_pressX);
    emit mouseMoveY(e, m_pressY);
}

void QSliderCtrlBtn::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    m_pressed = false;
    m_state = m_enabled ? 0 : 3;
    update();
    emit mouseUp(e, m_pressX);
    emit mouseUpY(e, m_pressY);
}

void QSliderCtrlBtn::enterEvent(QEvent *)
{
    if (m_enabled && !m_pressed) {
        m_state = 1;
        update();
    }
}

void QSliderCtrlBtn::leaveEvent(QEvent *)
{
    if (m_state == 1) {
        m_state = 0;
        update();
    }
}
