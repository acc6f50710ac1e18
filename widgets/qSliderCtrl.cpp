#include "qSliderCtrl.h"

#include "QSliderCtrlBtn.h"
#include "SkinImage.h"

#include <QDebug>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

qSliderCtrl::qSliderCtrl(QWidget *parent) : QWidget(parent) {}

void qSliderCtrl::setTrackImage(const QString &path)
{
    m_track = skin::load(path);
    const QSize s = skin::logicalSize(m_track);
    m_trackW = s.width();
    m_trackH = s.height();
    resize(m_trackW, std::max(m_trackH, 20));
    update();
}

void qSliderCtrl::setFillImage(const QString &path)
{
    m_fill = skin::load(path);
    update();
}

void qSliderCtrl::setHandleImage(const QString &path)
{
    if (!m_handle) {
        m_handle = new QSliderCtrlBtn(this);
        connect(m_handle, &QSliderCtrlBtn::mouseMove, this, &qSliderCtrl::btnMouseMove);
    }
    m_handle->setImage(path);
    m_handleW = m_handle->width();
    m_handleY = (height() - m_handle->height()) / 2;
    m_handle->move(m_pos, m_handleY);
    m_handle->show();
}

void qSliderCtrl::setRange(qint64 minimum, qint64 maximum)
{
    m_min = minimum;
    m_max = std::max(maximum, minimum + 1);
}

int qSliderCtrl::span() const
{
    return std::max(1, width() - m_handleW);
}

void qSliderCtrl::moveHandle(int pos)
{
    m_pos = std::clamp(pos, 0, width() - m_handleW);
    if (m_handle)
        m_handle->move(m_pos, m_handleY);
    update();
}

void qSliderCtrl::setValue(double v)
{
    if (v >= m_max) {
        moveHandle(width() - m_handleW);
        m_lastPercent = 100;
    } else if (v <= m_min) {
        moveHandle(0);
        m_lastPercent = 0;
    } else {
        moveHandle(int((v - m_min) / double(m_max - m_min) * span()));
        m_lastPercent = v * 100.0 / m_max;
    }
}

double qSliderCtrl::positionPercent() const
{
    return m_pos * 100.0 / span();
}

void qSliderCtrl::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (m_handle)
        m_handle->setHandleEnabled(enabled);
    update();
}

void qSliderCtrl::setHideHandleOnLeave(bool hide)
{
    m_hideOnLeave = hide;
}

void qSliderCtrl::btnMouseMove(QMouseEvent *e, int o)
{
    if (!m_enabled)
        return;
    const int g = mapToGlobal(QPoint(0, 0)).x();
    moveHandle(e->globalPos().x() - o - g);
    const double f = double(m_pos) / span();
    qDebug() << "volume slider:" << f;
    emit sendProgressValue(f);
}

void qSliderCtrl::mousePressEvent(QMouseEvent *e)
{
    if (!m_enabled || e->button() != Qt::LeftButton)
        return;
    const int x = e->pos().x();
    // Presses at the very ends would put the handle half outside.
    if (x < m_handleW / 2 || x > width() - m_handleW / 2)
        return;
    m_bodyDrag = true;
    moveHandle(x - m_handleW / 2);
    emit sendProgressValue(double(m_pos) / span());
}

void qSliderCtrl::mouseMoveEvent(QMouseEvent *e)
{
    if (!m_enabled || !m_bodyDrag)
        return;
    moveHandle(e->pos().x() - m_handleW / 2);
    const double f = double(m_pos) / span();
    qDebug() << "volume slider:" << f;
    emit sendProgressValue(f);
}

void qSliderCtrl::mouseReleaseEvent(QMouseEvent *)
{
    m_bodyDrag = false;
}

void qSliderCtrl::enterEvent(QEvent *)
{
    if (m_handle)
        m_handle->show();
}

void qSliderCtrl::leaveEvent(QEvent *)
{
    if (m_hideOnLeave && m_handle)
        m_handle->hide();
}

void qSliderCtrl::drawSliced(QPainter &p, const QPixmap &pix, int x, int width)
{
    skin::drawThreePart(p, pix, x, width, height(), m_cap);
}

void qSliderCtrl::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    drawSliced(p, m_track, 0, width());
    drawSliced(p, m_fill, 0, m_pos + m_handleW / 2);
}
