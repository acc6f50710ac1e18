#pragma once
// The inner editor of QCustomTimeEdit: a plain time edit whose line-edit
// traffic and steps are re-announced, so that the owner can carry a step
// across section boundaries after the editor has done its own step, and
// take over a typed text at the moment the user confirms it.
#include <QTime>
#include <QTimeEdit>

class QTimeEditEx : public QTimeEdit {
    Q_OBJECT
public:
    explicit QTimeEditEx(QWidget *parent = nullptr);

    // Wheel turns, arrow keys and page keys step through here as well as
    // the two slots, so all of them get the same carry.
    void stepBy(int steps) override;
    // A section at its own limit can still step: the owner carries the
    // step into the next unit, so only the allowed range stops it.
    StepEnabled stepEnabled() const override;

    // The range the owner accepts. The editor's own range stays the whole
    // day: a narrower one makes it refuse or rewrite keystrokes whose
    // half-typed value lies outside it (a "1" on the way to "17" when the
    // range starts at 12), so the owner holds times to this range itself.
    void setAllowedRange(const QTime &lo, const QTime &hi);
    QTime allowedMinimum() const { return m_allowedMin; }
    QTime allowedMaximum() const { return m_allowedMax; }

    QLineEdit *editor() const { return lineEdit(); }

    // What was typed since the last confirmed time is dropped, as Escape
    // does; for a window that takes Escape before the field sees it.
    void dropTyping();

public slots:
    void stepUp();
    void stepDown();

signals:
    void emitTextEdited(QString text);
    void emitTextChanged(QString text);
    void emitTextFinish();
    void emitStepUp();
    void emitStepDown();
    // Return, Enter or leaving the field, with the text exactly as typed,
    // before the editor gets to complete or revert it.
    void emitTextConfirmed(QString text);
    // Escape: the typed text is to be dropped.
    void emitTextCancelled();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void endFreeTyping() { m_freeTyping = false; }
    // A time typed over the whole field is kept as typed until it is
    // confirmed or dropped: the editor's sections would fill a typed hour
    // into the shown one ("00:59:56" typed over "01:01:40" became
    // 01:59:56). The text takes what QCustomTimeEdit::parseTypedTime reads.
    bool typeFreely(QKeyEvent *event);

    QTime m_allowedMin{0, 0};
    bool m_freeTyping = false; // keys go to the text as typed, not to the sections
    QTime m_allowedMax{23, 59, 59, 999};
};
