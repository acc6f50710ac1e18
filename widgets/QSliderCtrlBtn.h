#pragma once
// The handle of the drawn sliders: one picture of four frames (normal,
// hover, pressed, disabled). Presses and drags are reported with the press
// offset inside the handle, from which the slider computes the new left
// edge as mouse global x − slider global left − offset.
#include <QPixmap>
#include <QWidget>

class QSliderCtrlBtn : public QWidget {
    Q_OBJECT
public:
    explicit QSliderCtrlBtn(QWidget *parent = nullptr);

    bool setImage(const QString &path);
    int state() const { return m_state; }
    bool isPressed() const { return m_pressed; }
    // The slider's own enabled flag: a disabled handle shows frame 3.
    void setHandleEnabled(bool enabled);
    void setNormal();
    int pressX() const { return m_pressX; }
    int pressY() const { return m_pressY; }

signals:
    void mouseMove(QMouseEvent *e, int x);
    void mouseMoveY(QMouseEvent *e, int y);
    void mouseDown(QMouseEvent *e, int x);
    void mouseDownY(QMouseEvent *e, int y);
    void mouseUp(QMouseEvent *e, int x);
    void mouseUpY(QMouseEvent *e, int x);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void enterEvent(QEvent *e) override;
    void leaveEvent(QEvent *e) override;

private:
    QPixmap m_image;
    int m_state = 0;
    int m_pressX = 0;
    int m_pressY = 0;
    bool m_pressed = false;
    bool m_enabled = true;
};
