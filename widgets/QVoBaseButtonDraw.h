#pragma once
// Drawing helper of QVoBaseButton: the state strip (optionally stretched into
// a rectangle with the nine-part rule), four text colours and the counter
// badge. It holds no Qt object, so any button class can mix it in.
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>

class QPainter;

class QVoBaseButtonDraw {
public:
    QVoBaseButtonDraw();
    virtual ~QVoBaseButtonDraw() = default;

    bool setButtonImage(const QString &path);
    const QPixmap &buttonImage() const { return m_image; }
    // Stretch the frame into this rectangle (nine-part rule, corners a third
    // of a frame); a null rectangle draws the frame over the whole button.
    void setStretchRect(const QRect &rect) { m_stretchRect = rect; m_stretch = true; }
    void setStretch(bool on) { m_stretch = on; }

    void setTextColors(const QColor &normal, const QColor &hover, const QColor &pressed, const QColor &disabled);
    QColor textColor(int state) const { return m_colors[qBound(0, state, 3)]; }
    void setTextPixelSize(int size) { m_textPixelSize = size; }
    void setTextAlignment(Qt::Alignment alignment) { m_alignment = alignment; }

    int drawState() const { return m_drawState; }
    void setDrawState(int state) { m_drawState = state; }

    int count() const { return m_count; }
    void setCount(int count) { m_count = count; }

    void paintButton(QPainter &painter, const QRect &rect, const QString &text) const;

private:
    QPixmap m_image;
    QPixmap m_badge;
    bool m_stretch = false;
    QRect m_stretchRect;
    QColor m_colors[4];
    int m_textPixelSize = 12;
    Qt::Alignment m_alignment = Qt::AlignCenter;
    int m_drawState = 0;
    int m_count = 0;
};
