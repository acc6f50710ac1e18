#pragma once
// A time field "hh:mm:ss.zzz" on a light plate with small up/down buttons.
// Every change the user makes (typing, the buttons, the wheel, the arrow
// keys) is reported as microseconds through emitTimeChange. A step that
// runs past the end of a section carries into the next larger unit (59 s
// up gives the next minute), which a plain time edit cannot do.
#include "QImageWidget.h"

#include <QTime>
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

    static uint64_t toMicroseconds(const QTime &time);
    static QTime fromMicroseconds(uint64_t us);

signals:
    void emitTimeChange(uint64_t time);

public slots:
    void timeTextEdited(QString text);
    void OnBtnUp();
    void OnBtnDown();
    void onTimeChanged(QTime time);
    void timeEditingFinished();
    void timeTextChanged(QString text);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setTextColor(const QColor &color);
    // Reports t and makes sure the field shows what was reported.
    void produce(uint64_t t);

    QTimeEditEx *m_timeEdit = nullptr;
    QImageButton *m_btnUp = nullptr;
    QImageButton *m_btnDown = nullptr;
    QTime m_lastTime{0, 0};
    bool m_reportingTyping = false;
};
