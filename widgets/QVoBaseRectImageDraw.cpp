#include "QVoBaseRectImageDraw.h"

#include "ImageState.h"
#include "SkinImage.h"

#include <QPainter>
#include <QWidget>

QVoBaseRectImageDraw::QVoBaseRectImageDraw(QWidget *owner)
    : m_widget(owner)
    , m_iconRect(QPoint(0, -1), QPoint(-1, -2))
    , m_colors{Qt::black, Qt::black, Qt::black, Qt::black}
{
}

bool QVoBaseRectImageDraw::setBackgroundImage(const QString &path)
{
    m_background = skin::load(path);
    m_widget->update();
    return !m_background.isNull();
}

bool QVoBaseRectImageDraw::setIconImage(const QPixmap &icon)
{
    m_icon = icon;
    m_iconRectComplete = false;
    m_widget->update();
    return !m_icon.isNull();
}

void QVoBaseRectImageDraw::setIconRect(int left, int top, int right, int bottom)
{
    m_iconRect = QRect(QPoint(left, top), QPoint(right, bottom));
    m_iconRectComplete = false;
    m_widget->update();
}

void QVoBaseRectImageDraw::setStateFrames(bool on)
{
    m_stateFrames = on;
    m_widget->update();
}

void QVoBaseRectImageDraw::setDrawText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_widget->update();
}

void QVoBaseRectImageDraw::setTextShown(bool shown)
{
    if (shown == m_textShown)
        return;
    m_textShown = shown;
    m_widget->update();
}

void QVoBaseRectImageDraw::setTextMargins(qint16 left, qint16 top, qint16 right, qint16 bottom)
{
    const QMargins margins(left, top, right, bottom);
    if (margins == m_textMargins)
        return;
    m_textMargins = margins;
    m_widget->update();
}

void QVoBaseRectImageDraw::setTextAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    m_widget->update();
}

void QVoBaseRectImageDraw::setTextColors(const QColor &normal, const QColor &hover, const QColor &pressed, const QColor &disabled)
{
    m_colors[0] = normal;
    m_colors[1] = hover;
    m_colors[2] = pressed;
    m_colors[3] = disabled;
    m_widget->update();
}

void QVoBaseRectImageDraw::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    m_widget->update();
}

void QVoBaseRectImageDraw::setDrawState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    m_widget->update();
}

void QVoBaseRectImageDraw::stateOnEnter() { setDrawState(imagestate::onEnter(m_widget->isEnabled())); }
void QVoBaseRectImageDraw::stateOnLeave() { setDrawState(imagestate::onLeave(m_widget->isEnabled(), m_state)); }
void QVoBaseRectImageDraw::stateOnPress() { setDrawState(imagestate::onPress(m_widget->isEnabled())); }
void QVoBaseRectImageDraw::stateOnRelease() { setDrawState(imagestate::onRelease(m_widget->isEnabled(), m_state)); }
void QVoBaseRectImageDraw::stateOnEnabledChange() { setDrawState(imagestate::onEnabledChange(m_widget->isEnabled())); }

int QVoBaseRectImageDraw::paintedFrame() const { return m_selected ? int(imagestate::Pressed) : m_state; }

void QVoBaseRectImageDraw::paintHelper(QPainter &p)
{
    paintBackground(p);
    paintIcon(p);
    paintText(p);
}

void QVoBaseRectImageDraw::paintBackground(QPainter &p) const
{
    if (m_background.isNull())
        return;
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect target = m_widget->rect();
    QRect source;
    QSize picture = skin::logicalSize(m_background);
    if (m_stateFrames) {
        const int frame = paintedFrame();
        if (frame < 0 || frame > 3) {
            p.drawPixmap(QPoint(0, 0), m_background);
            p.restore();
            return;
        }
        source = skin::frameSource(m_background, frame);
        picture = skin::frameSize(m_background);
    }
    // Corners a third of the smaller of picture and widget, so a picture
    // larger than a small widget still shrinks into it.
    const int w = qMin(picture.width(), target.width()) / 3;
    const int h = qMin(picture.height(), target.height()) / 3;
    skin::drawNinePart(p, target, m_background, skin::NineCorners{w, h, w, h, w, h, w, h}, source);
    p.restore();
}

void QVoBaseRectImageDraw::paintIcon(QPainter &p)
{
    if (m_icon.isNull())
        return;
    QRect source = m_icon.rect();
    QSize size = skin::logicalSize(m_icon);
    if (m_iconStateFrames) {
        source = skin::frameSource(m_icon, paintedFrame());
        size = skin::frameSize(m_icon);
    }
    if (!m_iconRectComplete) {
        if (m_iconRect.right() == m_iconRect.left() - 1)
            m_iconRect.setRight(m_iconRect.left() + size.width() - 1);
        if (m_iconRect.height() == 0)
            m_iconRect.setHeight(size.height());
        if (m_iconRect.top() == -1)
            m_iconRect.moveTop((m_widget->height() - size.height()) / 2);
        m_iconRectComplete = true;
    }
    const QSize fitted = size.scaled(m_iconRect.size(), Qt::KeepAspectRatio);
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QRect(m_iconRect.topLeft(), fitted), m_icon, source);
    p.restore();
}

void QVoBaseRectImageDraw::paintText(QPainter &p) const
{
    if (m_text.isEmpty() || !m_textShown)
        return;
    int colour = 0;
    if (m_stateFrames)
        colour = m_selected ? int(imagestate::Pressed) : qBound(0, m_state, 3);
    const QRect r = m_widget->rect().marginsRemoved(m_textMargins);
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(m_widget->font());
    p.setPen(m_colors[colour]);
    p.drawText(r, int(m_alignment), p.fontMetrics().elidedText(m_text, Qt::ElideRight, r.width()));
    p.restore();
}
