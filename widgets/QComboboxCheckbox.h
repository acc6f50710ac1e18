#pragma once
// The check box of one row of a check-box combo. With the radio look a press
// only asks the combo to choose its row; the combo then checks it.
#include "QVoCheckBox.h"

class QComboboxCheckbox : public QVoCheckBox {
    Q_OBJECT
public:
    explicit QComboboxCheckbox(QWidget *parent = nullptr);

    void setRadioLook(bool on);
    bool radioLook() const { return m_radioLook; }

signals:
    void emitClick();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_radioLook = false;
};
