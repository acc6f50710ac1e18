#include "QVoMenuStyle.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

QVoMenuStyle::QVoMenuStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

int QVoMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    switch (metric) {
    case PM_MenuPanelWidth: return m_params.panelWidth;
    case PM_MenuHMargin:
    case PM_MenuVMargin: return 0;
    case PM_SmallIconSize: return m_params.smallIconSize;
    default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

// Items are laid out by our own drawing (icon column, text gap, shortcut,
// sub-menu arrow), so the base style's widths are raised to fit it.
QSize QVoMenuStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size, const QWidget *widget) const
{
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (type != CT_MenuItem || !item)
        return result;
    // A bare line between groups needs air above and below to read as one.
    if (item->menuItemType == QStyleOptionMenuItem::Separator)
        return item->text.isEmpty() ? QSize(result.width(), qMax(result.height(), 7)) : result;
    const QString text = item->text.section('\t', 0, 0);
    const QString shortcut = item->text.section('\t', 1);
    QFont font = item->font;
    if (item->menuItemType == QStyleOptionMenuItem::DefaultItem)
        font.setBold(true);
    const QFontMetrics fm(font);
    int width = qMax(item->maxIconWidth, kIconColumn) + kTextGap + fm.horizontalAdvance(text) + 6;
    if (!shortcut.isEmpty())
        width += 16 + fm.horizontalAdvance(shortcut);
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu)
        width += 12;
    result.setWidth(qMax(result.width(), width));
    return result;
}

void QVoMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *p, const QWidget *widget) const
{
    if (element == PE_FrameMenu || element == PE_PanelMenu) {
        p->fillRect(option->rect, m_params.panel);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, p, widget);
}

void QVoMenuStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *p, const QWidget *widget) const
{
    if (element == CE_MenuEmptyArea) {
        p->fillRect(option->rect, m_params.emptyArea);
        return;
    }
    if (element == CE_MenuItem) {
        if (const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option)) {
            drawMenuItem(item, p, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, p, widget);
}

void QVoMenuStyle::drawMenuItem(const QStyleOptionMenuItem *item, QPainter *p, const QWidget *widget) const
{
    const QRect r = item->rect;
    const bool enabled = item->state & State_Enabled;
    const bool selected = (item->state & State_Selected) && enabled;
    p->save();
    p->fillRect(r, m_params.panel);

    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        int left = r.left() + 5;
        if (!item->text.isEmpty()) {
            p->setPen(m_params.text);
            p->setFont(item->font);
            p->drawText(QRect(left, r.top(), r.width() - 10, r.height()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                        item->text);
            left += item->fontMetrics.horizontalAdvance(item->text) + 5;
        }
        p->setPen(QPen(m_params.separator, 1));
        const int y = r.top() + r.height() / 2;
        p->drawLine(left, y, r.right() - 5, y);
        p->restore();
        return;
    }

    if (selected)
        p->fillRect(r, m_params.selectedBackground);
    if (!enabled)
        p->fillRect(r, m_params.disabledOverlay);

    const QColor ink = !enabled ? m_params.disabledText : selected ? m_params.selectedText : m_params.text;
    const int iconColumn = qMax(item->maxIconWidth, kIconColumn);
    const QRect iconRect(r.left(), r.top(), iconColumn, r.height());

    p->setRenderHint(QPainter::Antialiasing);
    if (item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked) {
        const QColor mark = selected ? m_params.selectedText : m_params.text;
        const QPointF c = QRectF(iconRect).center();
        if (item->checkType == QStyleOptionMenuItem::Exclusive) {
            p->setPen(Qt::NoPen);
            p->setBrush(enabled ? mark : m_params.disabledText);
            p->drawEllipse(c, 3.5, 3.5);
        } else {
            p->setPen(QPen(enabled ? mark : m_params.disabledText, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p->setBrush(Qt::NoBrush);
            QPainterPath tick;
            tick.moveTo(c + QPointF(-4, 0));
            tick.lineTo(c + QPointF(-1.5, 3));
            tick.lineTo(c + QPointF(4, -3.5));
            p->drawPath(tick);
        }
    } else if (!item->icon.isNull()) {
        const int size = pixelMetric(PM_SmallIconSize, item, widget);
        const QIcon::Mode mode = !enabled ? QIcon::Disabled : selected ? QIcon::Active : QIcon::Normal;
        const QPixmap pixmap = item->icon.pixmap(QSize(size, size), mode);
        const QSize logical = pixmap.size() / pixmap.devicePixelRatio();
        p->drawPixmap(QRect(iconRect.center() - QPoint(logical.width() / 2, logical.height() / 2), logical), pixmap);
    }
    p->setRenderHint(QPainter::Antialiasing, false);

    QFont font = item->font;
    if (item->menuItemType == QStyleOptionMenuItem::DefaultItem)
        font.setBold(true);
    p->setFont(font);
    const int arrowRoom = item->menuItemType == QStyleOptionMenuItem::SubMenu ? 12 : 0;
    const QRect textRect(r.left() + iconColumn + kTextGap, r.top() + kTextInset, r.width() - iconColumn - kTextGap - 6 - arrowRoom,
                         r.height() - 2 * kTextInset);
    QString text = item->text;
    QString shortcut;
    const int tab = text.indexOf('\t');
    if (tab >= 0) {
        shortcut = text.mid(tab + 1);
        text = text.left(tab);
    }
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::TextDontClip;
    // The etched shadow suits a light panel; on a dark one the light copy
    // reads as a blurred double of the text.
    const bool lightPanel = m_params.panel.lightness() > 128;
    if (!enabled && !(item->state & State_Selected) && lightPanel && proxy()->styleHint(SH_EtchDisabledText, item, widget)) {
        p->setPen(m_params.text);
        p->drawText(textRect.translated(1, 1), flags | Qt::AlignLeft, text);
        if (!shortcut.isEmpty())
            p->drawText(textRect.translated(1, 1), flags | Qt::AlignRight, shortcut);
    }
    p->setPen(ink);
    p->drawText(textRect, flags | Qt::AlignLeft, text);
    if (!shortcut.isEmpty())
        p->drawText(textRect, flags | Qt::AlignRight, shortcut);

    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        p->setRenderHint(QPainter::Antialiasing);
        p->setPen(Qt::NoPen);
        p->setBrush(ink);
        const QPointF c(r.right() - 8, r.center().y() + 0.5);
        p->drawPolygon(QPolygonF({c + QPointF(-2, -4), c + QPointF(2, 0), c + QPointF(-2, 4)}));
    }
    p->restore();
}
