#pragma once
// A check (or radio) control drawn from two pictures, checked and unchecked,
// with its text to the right.
#include "QCommonWidget.h"

#include <QPixmap>

class QCheckButton : public QCommonWidget {
    Q_OBJECT
public:
    explicit QCheckButton(QWidget *parent = nullptr);

    bool setPictures(const QString &checked, const QString &unchecked);
    void setChecked(bool checked);
    bool isChecked() const { return m_state == 2; }
    int state() const { return m_state; }
    void setText(const QString &text);
    QString text() const { return m_text; }
    // Picture position; a top of -1 centres the picture vertically.
    void setPicturePosition(int left, int top = -1);
    // In radio mode a press always checks; it never unchecks.
    void setRadioMode(bool on) { m_radioMode = on; }
    bool radioMode() const { return m_radioMode; }
    // Resizes to picture + text + 6 pixels.
    void fitWidth();
    // Where the picture and the text are drawn.
    QRect pictureRect() const;
    QRect textRect() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPixmap m_checked;
    QPixmap m_unchecked;
    QString m_text;
    int m_state = 0;
    int m_left = 0;
    int m_top = -1;
    bool m_radioMode = false;
};
