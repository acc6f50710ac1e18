#pragma once
// A frameless, translucent dialog drawn by QBaseDrawWidget.
#include "QBaseDrawWidget.h"

#include <QDialog>

class QVoDialog : public QDialog, public QBaseDrawWidget {
    Q_OBJECT
public:
    explicit QVoDialog(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
