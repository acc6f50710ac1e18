#pragma once
// Drawing helper of the controls built on Qt's input widgets: a background
// picture (whole, or a four-frame state strip) stretched with the nine-part
// rule, an optional icon and a text with one colour per state. It holds no
// Qt object, so each control mixes it in beside its Qt base.
#include <QColor>
#include <QMargins>
#include <QPixmap>
#include <QRect>
#include <QString>

class QPainter;
class QWidget;

class QVoBaseRectImageDraw {
public:
    explicit QVoBaseRectImageDraw(QWidget *owner);
    virtual ~QVoBaseRectImageDraw() = default;

    // The previous picture is dropped even when the new one cannot be read.
    bool setBackgroundImage(const QString &path);
    bool hasBackgroundImage() const { return !m_background.isNull(); }
    const QPixmap &backgroundImage() const { return m_background; }
    bool setIconImage(const QPixmap &icon);
    // right = left - 1: the icon's own width; bottom = top - 1: its own
    // height; top = -1: vertically centred.
    void setIconRect(int left, int top, int right, int bottom);
    QRect iconRect() const { return m_iconRect; }
    void setStateFrames(bool on);
    bool stateFrames() const { return m_stateFrames; }
    void setIconStateFrames(bool on) { m_iconStateFrames = on; }

    void setDrawText(const QString &text);
    const QString &drawText() const { return m_text; }
    void setTextShown(bool shown);
    bool textShown() const { return m_textShown; }
    void setTextMargins(qint16 left, qint16 top, qint16 right, qint16 bottom);
    QMargins textMargins() const { return m_textMargins; }
    void setTextAlignment(Qt::Alignment alignment);
    Qt::Alignment textAlignment() const { return m_alignment; }
    void setTextColors(const QColor &normal, const QColor &hover, const QColor &pressed, const QColor &disabled);
    QColor textColor(int state) const { return m_colors[qBound(0, state, 3)]; }
    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }

    int drawState() const { return m_state; }
    void setDrawState(int state);

    // The shared state rules; each change repaints the owner.
    void stateOnEnter();
    void stateOnLeave();
    void stateOnPress();
    void stateOnRelease();
    void stateOnEnabledChange();

    // Background, icon and text, in that order.
    void paintHelper(QPainter &painter);
    void paintBackground(QPainter &painter) const;
    void paintIcon(QPainter &painter);
    void paintText(QPainter &painter) const;

protected:
    // The frame a state strip shows; owners may show focus or selection.
    virtual int paintedFrame() const;

    QWidget *m_widget;

private:
    QPixmap m_background;
    QPixmap m_icon;
    bool m_stateFrames = false;
    QRect m_iconRect;
    bool m_iconRectComplete = false;
    bool m_iconStateFrames = false;
    QString m_text;
    bool m_textShown = true;
    QMargins m_textMargins{1, 1, 1, 1};
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QColor m_colors[4];
    bool m_selected = false;
    int m_state = 0;
};
