#pragma once
// Drawing and mouse helper mixed into QVoDialog, QVoWidget and QVoMainWindow:
// nine-part background, title icon and text, a title bar that drags the
// window, and title-bar buttons laid out from the right along the top edge.
#include "FramelessFrame.h"
#include "SkinImage.h"

#include <QColor>
#include <QList>
#include <QPointer>

class QMouseEvent;
class QPainter;
class QWidget;

class QBaseDrawWidget {
public:
    explicit QBaseDrawWidget(QWidget *self);
    virtual ~QBaseDrawWidget() = default;

    bool setBackgroundImage(const QString &path);
    void setCornerSizes(int ltw, int lth, int rtw, int rth, int lbw, int lbh, int rbw, int rbh);
    skin::NineCorners cornerSizes() const { return m_corners; }
    bool setTitleIcon(const QString &path);
    // Without a rectangle the icon sits 10 pixels from the left edge,
    // vertically centred in the title bar.
    void setTitleIconRect(const QRect &rect);
    QRect titleIconRect() const;
    // Without a rectangle the title starts 5 pixels right of the icon and
    // ends before the title-bar buttons.
    void setTitleRect(const QRect &rect, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    QRect titleRect() const;
    void setTitleText(const QString &text);
    QString titleText() const { return m_title; }
    void setTitleColor(const QColor &color);
    void setTitlePixelSize(int size);
    void setTitleBarHeight(int height);
    int titleBarHeight() const { return m_titleBarHeight; }
    // Buttons go from right to left in the order added.
    void addTitleBarButton(QWidget *button);
    void setTitleBarMargins(int right, int spacing);
    void layoutTitleBar();

    FramelessFrame &frame() { return m_frame; }

protected:
    void paintBase(QPainter &painter) const;
    void baseMousePress(QMouseEvent *event) { m_frame.mousePress(event); }
    void baseMouseMove(QMouseEvent *event) { m_frame.mouseMove(event); }
    void baseMouseRelease(QMouseEvent *event) { m_frame.mouseRelease(event); }

private:
    QWidget *m_self;
    QPixmap m_background;
    skin::NineCorners m_corners;
    bool m_cornersExplicit = false;
    QPixmap m_titleIcon;
    QRect m_titleIconRect;
    QRect m_titleRect;
    bool m_titleRectExplicit = false;
    Qt::Alignment m_titleAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    QString m_title;
    QColor m_titleColor = QColor(228, 228, 228);
    int m_titlePixelSize = 12;
    int m_titleBarHeight = 30;
    int m_buttonRightMargin = 8;
    int m_buttonSpacing = 4;
    QList<QPointer<QWidget>> m_titleButtons;
    FramelessFrame m_frame;
};
