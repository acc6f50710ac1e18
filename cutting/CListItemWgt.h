#pragma once
// A selectable list row: normal, hovered or selected, chosen by the mouse
// with the usual Ctrl (toggle) and Shift (range) modifiers. Subclasses give
// it their own colours.
#include <QColor>
#include <QWidget>

class CListItemWgt : public QWidget {
    Q_OBJECT
public:
    explicit CListItemWgt(QWidget *parent = nullptr);

    int state() const { return m_state; }
    void setState(int state);

signals:
    void emitMousePress();
    void emitMouseShiftPress();
    void emitMouseCtrlPress();
    void emitshowTreeMenu();
    void emitSelectChange(bool selected);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

    // Background of each state: normal, hovered, selected.
    virtual QColor stateColor(int state) const;

private:
    // The right button always selects a row that is not yet selected before
    // its menu is asked for.
    void selectForMenu();

    int m_state = 0;
};
