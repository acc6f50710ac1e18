#include "QCommonWidget.h"

QCommonWidget::QCommonWidget(QWidget *parent)
    : QWidget(parent)
{
}

void QCommonWidget::setTextFont(const QString &family, bool bold, int pixelSize)
{
    m_family = family;
    m_bold = bold;
    m_pixelSize = pixelSize;
    m_hasExplicitFont = false;
    update();
}

void QCommonWidget::setExplicitFont(const QFont &font)
{
    m_explicitFont = font;
    m_hasExplicitFont = true;
    update();
}

void QCommonWidget::setTextColors(const QColor &enabled, const QColor &disabled)
{
    m_textColor = enabled;
    m_disabledTextColor = disabled;
    update();
}

QFont QCommonWidget::textFont() const
{
    if (m_hasExplicitFont)
        return m_explicitFont;
    QFont font(m_family);
    font.setBold(m_bold);
    font.setPixelSize(m_pixelSize);
    return font;
}
