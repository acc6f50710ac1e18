#pragma once
// A radio button drawn with box pictures, or - switched to the image-button
// look - from a state strip whose pressed frame shows the checked choice.
#include "QVoBoxDraw.h"

#include <QRadioButton>

class QVoRadioButton : public QRadioButton, public QVoBoxDraw {
    Q_OBJECT
public:
    explicit QVoRadioButton(QWidget *parent = nullptr);
    explicit QVoRadioButton(const QString &text, QWidget *parent = nullptr);

    // Switches to the image-button look with this state strip.
    bool setImageButtonLook(const QString &stripPath);
    bool hasImageButtonLook() const { return !m_strip.isNull(); }
    void setTextColor(const QColor &color) { m_textColor = color; update(); }
    int state() const { return m_state; }
    int paintedFrame() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QPixmap m_strip;
    QColor m_textColor = QColor(228, 228, 228);
    int m_state = 0;
};
