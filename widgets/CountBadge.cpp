#include "CountBadge.h"

#include <QPainter>

namespace countbadge {

QString picturePath() { return QStringLiteral("/image/Common_bg/btn_count.png"); }

QString text(int count) { return count >= 100 ? QStringLiteral("99+") : QString::number(count); }

QRect rect(const QRect &widget) { return QRect(widget.right() + 1 - 21, widget.top() + 5, 20, 20); }

void draw(QPainter &p, const QRect &widget, const QPixmap &badge, int count)
{
    if (count < 1)
        return;
    const QRect r = rect(widget);
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::Antialiasing);
    if (!badge.isNull()) {
        p.drawPixmap(r, badge);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 120, 32));
        p.drawEllipse(r);
    }
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(count >= 100 ? 9 : 11);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, text(count));
    p.restore();
}

} // namespace countbadge
