#pragma once
// The picture of a segment row: an icon stretched over the widget, with the
// item's thumbnail, cut to the widget's aspect, drawn over it when there is
// one.
#include <QImage>
#include <QPixmap>
#include <QWidget>

class MouseImageWidget : public QWidget {
    Q_OBJECT
public:
    explicit MouseImageWidget(QWidget *parent = nullptr);

    // thumbnail is borrowed (the media item owns it) and may be null; an
    // empty path gives an empty pixmap. The widget takes the icon's size.
    void setPictures(const QString &iconPath, const QImage *thumbnail, const QString &overlayPath = QString());
    const QImage *thumbnail() const { return m_thumbnail; }
    int state() const { return m_state; }
    // The part of an image of size `image` that fills `widget` without
    // distortion: its full height or width, centred.
    static QRect centralCut(const QSize &image, const QSize &widget);

signals:
    void emitMouseRelease();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void setState(int state);

    QPixmap m_icon;
    const QImage *m_thumbnail = nullptr; // borrowed
    QPixmap m_overlay;
    bool m_showOverlay = false;
    int m_state = 0;
};
