#include "QVoBoxDraw.h"

#include "SkinImage.h"

#include <QAbstractButton>
#include <QPainter>

bool QVoBoxDraw::setBoxPictures(const QString &unchecked, const QString &checked, const QString &disabled)
{
    m_unchecked = skin::load(unchecked);
    m_checked = skin::load(checked);
    m_disabled = disabled.isEmpty() ? QPixmap() : skin::load(disabled);
    return hasBoxPictures();
}

const QPixmap &QVoBoxDraw::boxPicture(const QAbstractButton &button) const
{
    if (!button.isEnabled() && !m_disabled.isNull())
        return m_disabled;
    return button.isChecked() ? m_checked : m_unchecked;
}

QRect QVoBoxDraw::boxRect(const QAbstractButton &button) const
{
    const QSize size = skin::logicalSize(boxPicture(button));
    return QRect(QPoint(0, (button.height() - size.height()) / 2), size);
}

void QVoBoxDraw::paintBox(QPainter &p, const QAbstractButton &button) const
{
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect box = boxRect(button);
    if (!button.isEnabled() && m_disabled.isNull())
        p.setOpacity(0.45);
    p.drawPixmap(box, boxPicture(button));
    p.setOpacity(1.0);
    const QRect text(box.right() + 1 + m_spacing, 0, button.width() - box.width() - m_spacing, button.height());
    p.setFont(button.font());
    p.setPen(button.palette().color(button.isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, p.fontMetrics().elidedText(button.text(), Qt::ElideRight, text.width()));
}
