#include "QVoBaseButtonDraw.h"

#include "CountBadge.h"
#include "SkinImage.h"

#include <QPainter>

QVoBaseButtonDraw::QVoBaseButtonDraw()
    : m_colors{QColor(228, 228, 228), QColor(255, 255, 255), QColor(255, 255, 255), QColor(120, 120, 120)}
{
}

bool QVoBaseButtonDraw::setButtonImage(const QString &path)
{
    m_image = skin::load(path);
    if (m_badge.isNull())
        m_badge = skin::load(countbadge::picturePath());
    return !m_image.isNull();
}

void QVoBaseButtonDraw::setTextColors(const QColor &normal, const QColor &hover, const QColor &pressed, const QColor &disabled)
{
    m_colors[0] = normal;
    m_colors[1] = hover;
    m_colors[2] = pressed;
    m_colors[3] = disabled;
}

void QVoBaseButtonDraw::paintButton(QPainter &p, const QRect &rect, const QString &text) const
{
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_stretch) {
        const QRect target = m_stretchRect.isNull() ? rect : m_stretchRect;
        skin::drawNinePart(p, target, m_image, skin::NineCorners::thirds(skin::frameSize(m_image)),
                           skin::frameSource(m_image, m_drawState));
    } else {
        skin::drawFrame(p, rect, m_image, m_drawState);
    }
    if (!text.isEmpty()) {
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(m_textPixelSize);
        p.setFont(font);
        p.setPen(textColor(m_drawState));
        p.drawText(rect, int(m_alignment), p.fontMetrics().elidedText(text, Qt::ElideRight, rect.width()));
    }
    countbadge::draw(p, rect, m_badge, m_count);
}
