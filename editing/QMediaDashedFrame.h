#pragma once
// One rectangle drawn over a preview pane: a white dotted border with
// eight handle pieces, and a centre mark when it can be moved.
#include <QPixmap>
#include <QWidget>

class QMediaDashedFrame : public QWidget {
    Q_OBJECT
public:
    explicit QMediaDashedFrame(QWidget *parent = nullptr);
    void setMovable(bool movable);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_handles;
    bool m_movable = true;
};
