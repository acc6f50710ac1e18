#pragma once
// A frameless, translucent window or panel drawn by QBaseDrawWidget.
#include "QBaseDrawWidget.h"

#include <QWidget>

class QVoWidget : public QWidget, public QBaseDrawWidget {
    Q_OBJECT
public:
    explicit QVoWidget(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
