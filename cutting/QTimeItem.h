#pragma once
// One segment box of the timeline: an outline over the thumbnail strip,
// bright when selected. A press selects the box and is then passed on, so
// that the container behind it can begin a move or an edge drag.
#include "TimeItemInfo.h"

#include <QWidget>

class QTimeItem : public QWidget {
    Q_OBJECT
public:
    explicit QTimeItem(QWidget *parent = nullptr);

    int state() const { return m_state; }
    void setState(int state);
    TimeItemInfo info() const { return m_info; }
    void setInfo(const TimeItemInfo &info) { m_info = info; }
    // The last pixel column the box covers, in its parent's coordinates.
    int rightEdge() const { return x() + width() - 1; }
    // The segment's label, drawn at the box's top left as far as it fits.
    QString label() const { return m_label; }
    void setLabel(const QString &label);

signals:
    void emitMousePress();
    void emitShowTreeMenu();
    // A double-click: the user wants to name the segment.
    void emitEditLabel();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void selectForMenu();

    int m_state = 0; // 0 normal, 1 hovered, 2 selected
    TimeItemInfo m_info;
    QString m_label;
};
