#pragma once
// A time field "hh:mm:ss.zzz" on a light plate with small up/down buttons.
// Every change the user makes is reported as microseconds through
// emitTimeChange: a step (the buttons, the wheel, the arrow keys) at once,
// a typed time when it is confirmed with Return or by leaving the field.
// A step that runs past the end of a section carries into the next larger
// unit (59 s up gives the next minute), which a plain time edit cannot do.
// A typed time outside the allowed range is held to it, and a short note
// beside the field says so.
#include "QImageWidget.h"

#include <QLabel>
#include <QPointer>
#include <QTime>
#include <QTimer>
#include <cstdint>

class QImageButton;
class QTimeEditEx;

class QCustomTimeEdit : public QImageWidget {
    Q_OBJECT
public:
    explicit QCustomTimeEdit(QWidget *parent = nullptr);
    ~QCustomTimeEdit() override;

    // Shows t (sub-millisecond parts dropped) and remembers it.
    void setTime(uint64_t t);
    // The allowed range of the field, in microseconds.
    void setTimeRange(uint64_t min, uint64_t max);

    // The time last shown or produced, in microseconds.
    uint64_t time() const;
    uint64_t minimumTime() const;
    uint64_t maximumTime() const;
    QTimeEditEx *timeEdit() const { return m_timeEdit; }
    QImageButton *upButton() const { return m_btnUp; }
    QImageButton *downButton() const { return m_btnDown; }
    QColor textColor() const;

    // The note shown when a typed time was changed to fit (null before the
    // first one); it lives on the window so that it may overhang the panel.
    QLabel *note() const { return m_note; }

    static uint64_t toMicroseconds(const QTime &time);
    static QTime fromMicroseconds(uint64_t us);
    // Reads a typed time: "h:m:s.f", "m:s.f" or "s.f", every part optional
    // and f a decimal fraction of a second as the field shows it ("12.5" is
    // 12.500 s). False for a text without any digit.
    static bool parseTypedTime(const QString &text, uint64_t *ms);

signals:
    void emitTimeChange(uint64_t time);

public slots:
    void timeTextEdited(QString text);
    void OnBtnUp();
    void OnBtnDown();
    void onTimeChanged(QTime time);
    void timeEditingFinished();
    void timeTextChanged(QString text);
    // The typed text confirmed (Return, Enter, leaving the field).
    void commitTypedText(QString text);
    void cancelTypedText();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setTextColor(const QColor &color);
    // Reports t and makes sure the field shows what was reported.
    void produce(uint64_t t);
    void showNote(const QString &text);
    void hideNote();

    QTimeEditEx *m_timeEdit = nullptr;
    QImageButton *m_btnUp = nullptr;
    QImageButton *m_btnDown = nullptr;
    QTime m_lastTime{0, 0};
    // Keys were typed since the field last showed a time of its own.
    bool m_typing = false;
    QPointer<QLabel> m_note;
    QTimer m_noteTimer;
};
