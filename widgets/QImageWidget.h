#pragma once
// A panel painted from one picture with the nine-part rule (corners a third
// of the picture), or filled with a colour when it has none. It can be
// dragged around by its body.
#include <QColor>
#include <QPixmap>
#include <QWidget>

class QImageWidget : public QWidget {
    Q_OBJECT
public:
    explicit QImageWidget(QWidget *parent = nullptr);

    // resizable = false fixes the panel to the picture's size.
    bool setImage(const QString &path, bool resizable = true);
    void setFillColor(const QColor &color);
    void setDraggable(bool on) { m_draggable = on; }
    bool isDraggable() const { return m_draggable; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_image;
    QColor m_fill = QColor(51, 51, 51);
    bool m_draggable = false;
    bool m_dragging = false;
    QPoint m_pressOffset; // cursor (screen) minus the panel's top-left (screen)
};
