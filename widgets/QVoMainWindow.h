#pragma once
// A frameless, translucent main window drawn by QBaseDrawWidget.
#include "QBaseDrawWidget.h"

#include <QMainWindow>

class QVoMainWindow : public QMainWindow, public QBaseDrawWidget {
    Q_OBJECT
public:
    explicit QVoMainWindow(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
