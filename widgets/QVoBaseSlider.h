#pragma once
// A progress bar the user can set: press or drag on the track, drag the
// image handle, or use the arrow keys. Positions report as fractions.
#include "QVoBaseProgress.h"

class QMouseEvent;
class QVoBaseButton;

class QVoBaseSlider : public QVoBaseProgress {
    Q_OBJECT
public:
    explicit QVoBaseSlider(QWidget *parent = nullptr);

    // A missing picture leaves a 10-pixel handle as high as the slider.
    void setHandlePicture(const QString &path);
    QVoBaseButton *handle() const { return m_handle; }
    void setMargins(int start, int end) override;
    void setHandleOffset(int offset);
    void setClickable(bool clickable) { m_clickable = clickable; }
    // Track length between the margins.
    int trackLength() const { return width() - startMargin() - endMargin(); }

signals:
    void sendProgressValue(double v);
    void sendPressEvent(QMouseEvent *e);
    void sendReleseEvent(QMouseEvent *e);

public slots:
    void setValue(double val) override;
    void setValue(int val) override;
    void btnMouseMove(QMouseEvent *e, int x);
    void btnMouseDown(QMouseEvent *e, int x);
    void btnMouseRelease(QMouseEvent *e, int x);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void moveTo(int x);
    void placeHandle();
    void stepBy(double step);

    bool m_clickable = true;
    QVoBaseButton *m_handle = nullptr;
    int m_handleOffset = 0;
    int m_requestedStart = 0;
    int m_requestedEnd = 0;
};
