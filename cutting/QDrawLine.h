#pragma once
// The play-head's vertical dashed line; it lets every mouse event through.
#include <QColor>
#include <QWidget>

class QDrawLine : public QWidget {
    Q_OBJECT
public:
    explicit QDrawLine(QWidget *parent = nullptr);

    int penWidth() const { return m_penWidth; }
    QColor color() const { return m_color; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_penWidth = 2;
    QColor m_color{194, 0, 0};
};
