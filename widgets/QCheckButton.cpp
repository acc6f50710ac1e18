#include "QCheckButton.h"

#include "SkinImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int textGap = 6; // between the picture and the text
}

QCheckButton::QCheckButton(QWidget *parent)
    : QCommonWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
}

bool QCheckButton::setPictures(const QString &checked, const QString &unchecked)
{
    m_checked = skin::load(checked);
    m_unchecked = skin::load(unchecked);
    update();
    return !m_checked.isNull() && !m_unchecked.isNull();
}

void QCheckButton::setChecked(bool checked)
{
    m_state = checked ? 2 : 0;
    update();
}

void QCheckButton::setText(const QString &text)
{
    m_text = text;
    update();
}

void QCheckButton::setPicturePosition(int left, int top)
{
    m_left = left;
    m_top = top;
    update();
}

QRect QCheckButton::pictureRect() const
{
    const QSize size = skin::logicalSize(isChecked() ? m_checked : m_unchecked);
    const int top = m_top < 0 ? (height() - size.height()) / 2 : m_top;
    return QRect(QPoint(m_left, top), size);
}

QRect QCheckButton::textRect() const
{
    const QRect picture = pictureRect();
    const int left = picture.right() + 1 + textGap;
    return QRect(left, 0, qMax(0, width() - left), height());
}

void QCheckButton::fitWidth()
{
    const QFontMetrics fm(textFont());
    const QSize picture = skin::logicalSize(m_unchecked.isNull() ? m_checked : m_unchecked);
    resize(m_left + picture.width() + fm.horizontalAdvance(m_text) + textGap, height());
}

void QCheckButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap &picture = isChecked() ? m_checked : m_unchecked;
    if (!picture.isNull())
        p.drawPixmap(pictureRect(), picture);
    if (!m_text.isEmpty()) {
        p.setFont(textFont());
        p.setPen(currentTextColor());
        const QRect area = textRect();
        p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, p.fontMetrics().elidedText(m_text, Qt::ElideRight, area.width()));
    }
}

void QCheckButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QCommonWidget::mousePressEvent(event);
        return;
    }
    setChecked(m_radioMode ? true : !isChecked());
    emit clicked();
}
