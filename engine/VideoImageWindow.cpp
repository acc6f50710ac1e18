#include "VideoImageWindow.h"

#include "QVoVideoShowWidget.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

VideoImageWindow::VideoImageWindow(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("VideoImageWindow"));
    resize(692, 478);
    setWindowTitle(tr("Picture"));
    m_ImageWidget = new QVoVideoShowWidget(this);
    m_ImageWidget->setObjectName(QStringLiteral("m_ImageWidget"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 0));
    setPalette(pal);
    // A stand-alone surface is a frameless dialog window; inside the player
    // panel it stays a child so that it moves and hides with the panel.
    if (!parent)
        setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setMouseTracking(true);
    m_ImageWidget->setMouseTracking(true);
    m_normalFlags = windowFlags();
}

void VideoImageWindow::setVideoSize(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    m_videoWidth = width;
    m_videoHeight = height;
    fit();
}

void VideoImageWindow::fit()
{
    if (m_videoWidth <= 0 || m_videoHeight <= 0)
        return;
    const QRect r = rect();
    const int W = r.right() - r.left() + 1;
    const int H = r.bottom() - r.top() + 1;
    if (W <= 0 || H <= 0)
        return;
    int w, h;
    if (float(W) / float(H) < float(m_videoWidth) / float(m_videoHeight)) {
        w = W;
        h = int(qint64(m_videoHeight) * W / m_videoWidth);
    } else {
        w = int(qint64(m_videoWidth) * H / m_videoHeight);
        h = H;
    }
    m_ImageWidget->setGeometry((W - w) / 2, (H - h) / 2, w, h);
}

void VideoImageWindow::toggleFullScreen()
{
    if (m_fullScreen) {
        m_fullScreen = false;
        if (!(m_normalFlags & Qt::Window)) {
            setWindowFlags(m_normalFlags);
            setGeometry(m_normalGeometry);
            show();
        } else {
            showNormal();
        }
    } else {
        m_fullScreen = true;
        m_normalGeometry = geometry();
        // On its own, the full-screen picture is named after the work it
        // shows, as task bars and window lists list it.
        if (QWidget *owner = parentWidget())
            setWindowTitle(owner->window()->windowTitle());
        if (!(m_normalFlags & Qt::Window))
            setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        showFullScreen();
    }
    fit();
}

void VideoImageWindow::mouseDoubleClickEvent(QMouseEvent *)
{
    toggleFullScreen();
    emit emitFullScreen();
}

void VideoImageWindow::mouseMoveEvent(QMouseEvent *e)
{
    emit emitMouseMove(e);
    if (m_fullScreen) {
        const QRect r = rect();
        const int H = r.bottom() - r.top() + 1;
        emit emitShowBtn(e->pos().y() > H - 80);
    }
}

void VideoImageWindow::mousePressEvent(QMouseEvent *e)
{
    emit emitMouseDown(e);
    m_pressX = e->globalPos().x();
    m_pressY = e->globalPos().y();
}

void VideoImageWindow::mouseReleaseEvent(QMouseEvent *e)
{
    emit emitMouseUp(e);
    if (e->globalPos() == QPoint(m_pressX, m_pressY))
        emit emitPlayOrPause();
}

void VideoImageWindow::leaveEvent(QEvent *)
{
    emit emitMouseLeave();
}

void VideoImageWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 0));
}

void VideoImageWindow::resizeEvent(QResizeEvent *)
{
    fit();
}
