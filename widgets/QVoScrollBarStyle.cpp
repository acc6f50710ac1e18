#include "QVoScrollBarStyle.h"

#include "ImageState.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QWidget>

QVoScrollBarStyle::QVoScrollBarStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

int QVoScrollBarStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (metric == PM_ScrollBarExtent)
        return m_params.extent;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void QVoScrollBarStyle::drawArrow(QPainter *p, const QRect &rect, bool subLine, bool horizontal, int state) const
{
    if (rect.isEmpty())
        return;
    if (!m_params.arrowPicture.isNull()) {
        const QPixmap &pic = m_params.arrowPicture;
        const int frameWidth = pic.width() / 4;
        const QRect source(qBound(0, state, 3) * frameWidth, 0, frameWidth, pic.height());
        p->save();
        p->setRenderHint(QPainter::SmoothPixmapTransform);
        if (subLine) {
            // One picture serves both ends: turned round for the sub-line end.
            p->translate(rect.center() + QPointF(0.5, 0.5));
            p->rotate(180);
            p->translate(-rect.width() / 2.0, -rect.height() / 2.0);
            p->drawPixmap(QRectF(0, 0, rect.width(), rect.height()), pic, QRectF(source));
        } else {
            p->drawPixmap(QRectF(rect), pic, QRectF(source));
        }
        p->restore();
        return;
    }
    const QColor colours[4] = {m_params.arrowNormal, m_params.arrowHover, m_params.arrowPressed, m_params.arrowDisabled};
    const QColor colour = colours[qBound(0, state, 3)];
    QImage image(rect.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter ip(&image);
        ip.setRenderHint(QPainter::Antialiasing);
        ip.setPen(Qt::NoPen);
        ip.setBrush(colour);
        const qreal w = rect.width(), h = rect.height();
        const qreal s = qMax<qreal>(3, qMin(w, h) * 0.36); // half the triangle's base
        const QPointF c(w / 2, h / 2);
        QPolygonF tri;
        if (horizontal)
            tri = subLine ? QPolygonF({c + QPointF(-s / 2, 0), c + QPointF(s / 2, -s), c + QPointF(s / 2, s)})
                          : QPolygonF({c + QPointF(s / 2, 0), c + QPointF(-s / 2, -s), c + QPointF(-s / 2, s)});
        else
            tri = subLine ? QPolygonF({c + QPointF(0, -s / 2), c + QPointF(s, s / 2), c + QPointF(-s, s / 2)})
                          : QPolygonF({c + QPointF(0, s / 2), c + QPointF(s, -s / 2), c + QPointF(-s, -s / 2)});
        ip.drawPolygon(tri);
        if (m_params.outlineArrow && (state == imagestate::Hover || state == imagestate::Pressed)) {
            ip.setRenderHint(QPainter::Antialiasing, false);
            ip.setPen(colour);
            ip.setBrush(Qt::NoBrush);
            ip.drawRect(0, 0, int(w) - 1, int(h) - 1);
        }
    }
    p->drawImage(rect.topLeft(), image);
}

void QVoScrollBarStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *p,
                                           const QWidget *widget) const
{
    const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (control != CC_ScrollBar || !bar) {
        QProxyStyle::drawComplexControl(control, option, p, widget);
        return;
    }
    const bool hovered = widget && widget->underMouse() && widget->isActiveWindow();
    const bool empty = bar->minimum == bar->maximum;
    const bool enabled = (bar->state & State_Enabled) && !empty;
    const bool horizontal = bar->orientation == Qt::Horizontal;
    const bool sunken = bar->state & State_Sunken;

    const QRect subLine = subControlRect(control, bar, SC_ScrollBarSubLine, widget);
    const QRect addLine = subControlRect(control, bar, SC_ScrollBarAddLine, widget);
    const QRect groove = subControlRect(control, bar, SC_ScrollBarGroove, widget);
    const QRect handle = subControlRect(control, bar, SC_ScrollBarSlider, widget);
    const int thickness = horizontal ? bar->rect.height() : bar->rect.width();
    const int radius = m_params.handleRadius < 0 ? thickness / 2 : m_params.handleRadius;

    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    p->fillRect(subLine, m_params.arrowBackground);
    p->fillRect(addLine, m_params.arrowBackground);
    p->fillRect(groove, m_params.grooveColor);

    if (!empty && (hovered || m_params.alwaysShow)) {
        p->setPen(Qt::NoPen);
        p->setBrush(m_params.trackColor);
        p->drawRoundedRect(groove, radius, radius);
        auto arrowState = [&](SubControl part, const QRect &rect) {
            if (!enabled)
                return int(imagestate::Disabled);
            const bool active = bar->activeSubControls & part;
            if (active && sunken)
                return int(imagestate::Pressed);
            if (active && hovered)
                return int(imagestate::Hover);
            if (!hovered)
                p->fillRect(rect, m_params.arrowBackground);
            return int(imagestate::Normal);
        };
        drawArrow(p, subLine, true, horizontal, arrowState(SC_ScrollBarSubLine, subLine));
        drawArrow(p, addLine, false, horizontal, arrowState(SC_ScrollBarAddLine, addLine));
    }

    if (!empty && !handle.isEmpty()) {
        QRect body = handle;
        const int across = horizontal ? body.height() : body.width();
        if (across >= 2 * m_params.handleInset) {
            if (horizontal)
                body.adjust(0, m_params.handleInset, 0, -m_params.handleInset);
            else
                body.adjust(m_params.handleInset, 0, -m_params.handleInset, 0);
        }
        const bool active = bar->activeSubControls & SC_ScrollBarSlider;
        QColor colour = m_params.handleNormal;
        if (active && sunken)
            colour = m_params.handlePressed;
        else if (active && hovered)
            colour = m_params.handleHover;
        p->setPen(Qt::NoPen);
        p->setBrush(colour);
        p->drawRoundedRect(body, radius, radius);
    }
    p->restore();
}
