#include "QBaseDrawWidget.h"

#include "QNinePointsImageDialog.h"

#include <QPainter>
#include <QWidget>

QBaseDrawWidget::QBaseDrawWidget(QWidget *self)
    : m_self(self)
    , m_frame(self)
{
    m_frame.setDragHeight(m_titleBarHeight);
}

bool QBaseDrawWidget::setBackgroundImage(const QString &path)
{
    m_background = skin::load(path);
    if (!m_cornersExplicit)
        m_corners = skin::NineCorners::thirds(skin::logicalSize(m_background));
    m_self->update();
    return !m_background.isNull();
}

void QBaseDrawWidget::setCornerSizes(int ltw, int lth, int rtw, int rth, int lbw, int lbh, int rbw, int rbh)
{
    m_corners = skin::NineCorners{ltw, lth, rtw, rth, lbw, lbh, rbw, rbh};
    m_cornersExplicit = true;
    m_self->update();
}

bool QBaseDrawWidget::setTitleIcon(const QString &path)
{
    m_titleIcon = skin::load(path);
    m_self->update();
    return !m_titleIcon.isNull();
}

void QBaseDrawWidget::setTitleIconRect(const QRect &rect)
{
    m_titleIconRect = rect;
    m_self->update();
}

QRect QBaseDrawWidget::titleIconRect() const
{
    if (m_titleIconRect.isValid())
        return m_titleIconRect;
    const QSize size = skin::logicalSize(m_titleIcon);
    return QRect(QPoint(10, (m_titleBarHeight - size.height()) / 2), size);
}

void QBaseDrawWidget::setTitleRect(const QRect &rect, Qt::Alignment alignment)
{
    m_titleRect = rect;
    m_titleRectExplicit = true;
    m_titleAlignment = alignment;
    m_self->update();
}

QRect QBaseDrawWidget::titleRect() const
{
    if (m_titleRectExplicit)
        return frametitle::effectiveRect(m_titleRect, m_self->width());
    const QRect icon = titleIconRect();
    const int left = m_titleIcon.isNull() ? 10 : icon.right() + 1 + 5;
    int right = m_self->width() - m_buttonRightMargin;
    for (const QPointer<QWidget> &b : m_titleButtons) {
        if (b && b->isVisibleTo(m_self))
            right = qMin(right, b->x() - m_buttonSpacing);
    }
    return QRect(left, 0, qMax(0, right - left), m_titleBarHeight);
}

void QBaseDrawWidget::setTitleText(const QString &text)
{
    m_title = text;
    m_self->update();
}

void QBaseDrawWidget::setTitleColor(const QColor &color)
{
    m_titleColor = color;
    m_self->update();
}

void QBaseDrawWidget::setTitlePixelSize(int size)
{
    m_titlePixelSize = size;
    m_self->update();
}

void QBaseDrawWidget::setTitleBarHeight(int height)
{
    m_titleBarHeight = height;
    m_frame.setDragHeight(height);
    layoutTitleBar();
}

void QBaseDrawWidget::addTitleBarButton(QWidget *button)
{
    m_titleButtons.append(button);
    layoutTitleBar();
}

void QBaseDrawWidget::setTitleBarMargins(int right, int spacing)
{
    m_buttonRightMargin = right;
    m_buttonSpacing = spacing;
    layoutTitleBar();
}

void QBaseDrawWidget::layoutTitleBar()
{
    int right = m_self->width() - m_buttonRightMargin;
    for (const QPointer<QWidget> &b : qAsConst(m_titleButtons)) {
        if (!b || !b->isVisibleTo(m_self))
            continue;
        b->move(right - b->width(), (m_titleBarHeight - b->height()) / 2);
        right -= b->width() + m_buttonSpacing;
    }
    m_self->update();
}

void QBaseDrawWidget::paintBase(QPainter &p) const
{
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    skin::drawNinePart(p, m_self->rect(), m_background, m_corners);
    if (!m_titleIcon.isNull())
        p.drawPixmap(titleIconRect(), m_titleIcon);
    frametitle::paint(p, titleRect(), m_title, m_titleColor, m_titlePixelSize, m_titleAlignment);
}
