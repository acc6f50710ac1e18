#pragma once
// Base of the main window: frameless and translucent, painted from a
// nine-part background that may carry a transparent shadow border, dragged by
// its top 75 pixels, resized from its edges, maximised and restored by a
// double click on its top, and closed with a short folding animation.
#include "FramelessFrame.h"
#include "SkinImage.h"

#include <QMainWindow>

class QVariableSizeWidget : public QMainWindow {
    Q_OBJECT
public:
    explicit QVariableSizeWidget(QWidget *parent = nullptr);

    bool setBackgroundImage(const QString &path);
    void setCornerSizes(int ltw, int lth, int rtw, int rth, int lbw, int lbh, int rbw, int rbh);
    bool setLogoImage(const QString &path);
    void setLogoRect(const QRect &rect);
    void setLogoRect(int left, int top, int right, int bottom);
    QRect logoRect() const;
    void setTitleText(const QString &title);
    void setTitleRect(const QRect &rect);
    void setTitleRect(int left, int top, int right, int bottom);
    QRect titleRect() const;
    void setTitleColor(const QColor &color);
    // Width of the transparent shadow border around the background picture.
    void setTransparentSize(int size) { m_transparentSize = size; }
    int transparentSize() const { return m_transparentSize; }
    void setResizable(bool on) { m_frame.setResizable(on); }

    bool isMaximizedByFrame() const { return m_frame.isMaximized(); }
    // True while the close animation shrinks the window.
    bool isClosing() const { return m_closing; }
    FramelessFrame &frame() { return m_frame; }

signals:
    void emitRestoreDlg();

public slots:
    void OnBtnMax(int TransparentSize);
    void OnBtnMax();
    void startCloseAnimation();

protected:
    void paintEvent(QPaintEvent *event) override;
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
    QRect m_titleRect = QRect(QPoint(10, 0), QPoint(9, -1));
    QColor m_titleColor = QColor(245, 245, 245);
    int m_transparentSize = 0;
    bool m_closing = false;
    FramelessFrame m_frame;
};
