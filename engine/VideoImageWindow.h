#pragma once
// The black window of the main preview: holds the picture surface centred
// at the picture's aspect, toggles full screen on a double click and turns
// mouse gestures into signals for the player panel.
#include <QWidget>

class QVoVideoShowWidget;

class VideoImageWindow : public QWidget {
    Q_OBJECT
public:
    explicit VideoImageWindow(QWidget *parent = nullptr);

    void setVideoSize(int width, int height);
    QVoVideoShowWidget *imageWidget() const { return m_ImageWidget; }
    bool inFullScreen() const { return m_fullScreen; }
    void toggleFullScreen();

signals:
    void emitFullScreen();
    void emitShowBtn(bool flag);
    void emitPlayOrPause();
    void emitMouseMove(QMouseEvent *e);
    void emitMouseDown(QMouseEvent *e);
    void emitMouseUp(QMouseEvent *e);
    void emitMouseLeave();

protected:
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void fit();

    QVoVideoShowWidget *m_ImageWidget = nullptr;
    int m_videoWidth = 0;
    int m_videoHeight = 0;
    int m_pressX = 0;
    int m_pressY = 0;
    int m_reserved1 = -1;
    int m_reserved2 = -1;
    bool m_fullScreen = false;
    Qt::WindowFlags m_normalFlags;
    QRect m_normalGeometry;
};
