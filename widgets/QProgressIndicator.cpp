#include "QProgressIndicator.h"

#include <QPainter>
#include <QTimerEvent>

QProgressIndicator::QProgressIndicator(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::NoFocus);
}

QProgressIndicator::Geometry QProgressIndicator::geometryFor(const QSize &size)
{
    Geometry g;
    const int s = qMin(size.width(), size.height());
    g.outerRadius = (s - 1) * 0.5;
    g.innerRadius = g.outerRadius * 0.5;
    g.capsuleLength = g.outerRadius - g.innerRadius;
    g.capsuleWidth = g.capsuleLength * (s <= 32 ? 0.35 : 0.23);
    g.cornerRadius = g.capsuleWidth / 2;
    return g;
}

void QProgressIndicator::startAnimation()
{
    m_angle = 0;
    if (m_timerId == -1)
        m_timerId = startTimer(m_delay);
}

void QProgressIndicator::stopAnimation()
{
    if (m_timerId != -1)
        killTimer(m_timerId);
    m_timerId = -1;
    update();
}

void QProgressIndicator::setAnimationDelay(int delay)
{
    if (m_timerId != -1)
        killTimer(m_timerId);
    m_delay = delay;
    if (m_timerId != -1)
        m_timerId = startTimer(m_delay);
}

void QProgressIndicator::setDisplayedWhenStopped(bool state)
{
    m_displayedWhenStopped = state;
    update();
}

void QProgressIndicator::setColor(QColor color)
{
    m_color = color;
    update();
}

void QProgressIndicator::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timerId) {
        QWidget::timerEvent(event);
        return;
    }
    m_angle = (m_angle + 30) % 360;
    update();
}

void QProgressIndicator::paintEvent(QPaintEvent *)
{
    if (!m_displayedWhenStopped && !isAnimated())
        return;
    const Geometry g = geometryFor(size());
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 12; ++i) {
        QColor c = m_color;
        c.setAlphaF(1.0 - i / 12.0);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.save();
        p.translate(rect().center());
        p.rotate(m_angle - i * 30.0);
        if (m_style == Capsules) {
            p.drawRoundedRect(QRectF(-g.capsuleWidth * 0.5, -g.outerRadius, g.capsuleWidth, g.capsuleLength), g.cornerRadius,
                              g.cornerRadius);
        } else {
            const qreal d = 0.6 * g.capsuleLength * c.alphaF();
            p.drawEllipse(QRectF(-d * 0.5, -g.outerRadius, d, d));
        }
        p.restore();
    }
}
