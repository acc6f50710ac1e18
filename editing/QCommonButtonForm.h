#pragma once
// The "Apply to all" and "Reset" pair at the foot of an editing tab.
#include <QWidget>

class QVoBaseButton;

class QCommonButtonForm : public QWidget {
    Q_OBJECT
public:
    explicit QCommonButtonForm(QWidget *parent = nullptr);
    QVoBaseButton *applyButton() const { return m_btnApplyAll; }
    QVoBaseButton *resetButton() const { return m_btnReset; }

signals:
    void emitApplyToAll();
    void emitReset();

private:
    QVoBaseButton *m_btnApplyAll = nullptr;
    QVoBaseButton *m_btnReset = nullptr;
};
