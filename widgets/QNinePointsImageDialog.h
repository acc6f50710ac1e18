#pragma once
// Base of the system's dialogs: a frameless, translucent dialog that paints
// its own nine-part background, logo and title, has its own close button and
// can be dragged by its title area and, when resizable, sized by its edges.
#include "FramelessFrame.h"
#include "SkinImage.h"

#include <QDialog>

class QImageButton;

class QNinePointsImageDialog : public QDialog {
    Q_OBJECT
public:
    explicit QNinePointsImageDialog(QWidget *parent = nullptr);

    // A fixed dialog takes the picture's size; a resizable one starts at it.
    bool setBackgroundImage(const QString &path, bool resizable = false);
    void setCornerSizes(int ltw, int lth, int rtw, int rth, int lbw, int lbh, int rbw, int rbh);
    skin::NineCorners cornerSizes() const { return m_corners; }
    bool setLogoImage(const QString &path);
    // The logo's position; its size is the picture's.
    void setLogoRect(const QRect &rect);
    QRect logoRect() const;
    void setTitleText(const QString &title);
    QString titleText() const { return m_title; }
    // A rectangle whose right edge is one less than its left (or bottom one
    // less than top) stands for "the window's width, 20 pixels high".
    void setTitleRect(const QRect &rect);
    void setTitleRect(int left, int top, int right, int bottom);
    QRect titleRect() const; // as painted now
    void setTitleColor(const QColor &color);
    void setTitlePixelSize(int size);
    void setDragAreaHeight(int height) { m_frame.setDragHeight(height); }
    int dragAreaHeight() const { return m_frame.dragHeight(); }
    void setMovable(bool movable) { m_frame.setMovable(movable); }
    bool isResizable() const { return m_frame.isResizable(); }
    bool setCloseButton(const QString &path, bool visible = true);
    QImageButton *closeButton() const { return m_closeButton; }

    bool isMaximizedByFrame() const { return m_frame.isMaximized(); }
    FramelessFrame &frame() { return m_frame; }

public slots:
    void OnBtnMax();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

    QPixmap m_background;
    skin::NineCorners m_corners;
    bool m_cornersExplicit = false;
    QPixmap m_logo;
    QPoint m_logoPos;
    QString m_title;
    QRect m_titleRect;
    bool m_titleRectExplicit = false;
    QColor m_titleColor = QColor(30, 29, 29);
    int m_titlePixelSize = 12;
    QImageButton *m_closeButton = nullptr;
    FramelessFrame m_frame;
};

// Shared by the frameless windows: the effective title rectangle, and the
// title painted elided at the right.
namespace frametitle {
QRect effectiveRect(const QRect &given, int windowWidth);
void paint(QPainter &painter, const QRect &rect, const QString &title, const QColor &color, int pixelSize,
           Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
} // namespace frametitle
