#pragma once
// A transparent layer over a preview pane that holds the rectangles being
// edited and hands its mouse events to the preview player. It is a child
// laid over the pane rather than a window of its own, so it follows the
// pane exactly on every platform.
#include <QList>
#include <QWidget>

class QMediaDashedFrame;
class QMouseEvent;

class QMediaBorderFrame : public QWidget {
    Q_OBJECT
public:
    QMediaBorderFrame(int rectangles, QWidget *parent = nullptr);
    QMediaDashedFrame *rectangle(int index) const { return m_rects.value(index); }

signals:
    void emitMouseMoveEvent(QMouseEvent *event);
    void emitMousePressEvent(QMouseEvent *event);
    void emitMouseReleaseEvent(QMouseEvent *event);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QList<QMediaDashedFrame *> m_rects;
};
