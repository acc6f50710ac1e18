#pragma once
// The inner editor of QCustomTimeEdit: a plain time edit whose line-edit
// traffic and steps are re-announced, so that the owner can carry a step
// across section boundaries after the editor has done its own step.
#include <QTimeEdit>

class QTimeEditEx : public QTimeEdit {
    Q_OBJECT
public:
    explicit QTimeEditEx(QWidget *parent = nullptr);

    // Wheel turns, arrow keys and page keys step through here as well as
    // the two slots, so all of them get the same carry.
    void stepBy(int steps) override;
    // A section at its own limit can still step: the owner carries the
    // step into the next unit, so only the edit's range stops it.
    StepEnabled stepEnabled() const override;

    QLineEdit *editor() const { return lineEdit(); }

public slots:
    void stepUp();
    void stepDown();

signals:
    void emitTextEdited(QString text);
    void emitTextChanged(QString text);
    void emitTextFinish();
    void emitStepUp();
    void emitStepDown();
};
