#pragma once
// One pane of the editing preview: the player draws a picture into it
// (the unedited source or the edited result), fitted with its proportions.
#include "QVoVideoShowWidget.h"

#include <QRect>

class QMouseEvent;

class QMediaElementWindow : public QVoVideoShowWidget {
    Q_OBJECT
public:
    explicit QMediaElementWindow(QWidget *parent = nullptr);

signals:
    void emitMouseMoveEvent(QMouseEvent *event);
    void emitMousePressEvent(QMouseEvent *event);
    void emitMouseReleaseEvent(QMouseEvent *event);
    void emitVideoElementSizeChange(QRect rect);
    void emitFullScreen();
    void emitShowBtn(bool flag);
    void emitPlayOrPause();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect m_lastArea;
};
