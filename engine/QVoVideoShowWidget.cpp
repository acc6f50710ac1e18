#include "QVoVideoShowWidget.h"

#include <QMetaObject>
#include <QMutex>
#include <QMutexLocker>
#include <QPainter>

struct QVoVideoShowWidget::Private {
    QVoVideoShowWidget *owner = nullptr;
    mutable QMutex mutex;
    QImage image;            // guarded by mutex: the newest picture
    bool updatePending = false; // guarded by mutex: one queued repaint at most
    int delivered = 0;       // guarded by mutex
    QColor background{0, 0, 0};
    orl_video_sink sink{};

    static void deliver(void *opaque, int width, int height, int stride, const uint8_t *pixels)
    {
        auto *self = static_cast<Private *>(opaque);
        const QImage view(pixels, width, height, stride, QImage::Format_RGB32);
        QMutexLocker lock(&self->mutex);
        // Reuse the buffer unless a paint still holds it; the present
        // thread never waits for a paint.
        if (self->image.size() != view.size() || !self->image.isDetached())
            self->image = QImage(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            memcpy(self->image.scanLine(y), view.constScanLine(y), size_t(width) * 4);
        ++self->delivered;
        if (!self->updatePending) {
            self->updatePending = true;
            QMetaObject::invokeMethod(self->owner, "pictureArrived", Qt::QueuedConnection);
        }
    }
};

QVoVideoShowWidget::QVoVideoShowWidget(QWidget *parent) : QWidget(parent), d(new Private)
{
    d->owner = this;
    d->sink.opaque = d.get();
    d->sink.deliver = &Private::deliver;
    setAttribute(Qt::WA_MouseTracking);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(this, &QVoVideoShowWidget::emitDrawImageData, this, &QVoVideoShowWidget::drawImageData);
    connect(this, &QVoVideoShowWidget::emitDrawYUVImageData, this,
            &QVoVideoShowWidget::drawYUVImageData);
}

QVoVideoShowWidget::~QVoVideoShowWidget()
{
    attach(0);
}

void QVoVideoShowWidget::attach(ORL_HANDLE player)
{
    if (m_player && m_player != player)
        Player_SetVideoWindow(m_player, nullptr);
    m_player = player;
    if (m_player)
        Player_SetVideoWindow(m_player, &d->sink);
}

const orl_video_sink *QVoVideoShowWidget::sink() const
{
    return &d->sink;
}

QImage QVoVideoShowWidget::currentImage() const
{
    QMutexLocker lock(&d->mutex);
    return d->image.copy();
}

int QVoVideoShowWidget::deliveredCount() const
{
    QMutexLocker lock(&d->mutex);
    return d->delivered;
}

void QVoVideoShowWidget::clearImage()
{
    {
        QMutexLocker lock(&d->mutex);
        d->image = QImage();
    }
    update();
}

void QVoVideoShowWidget::drawImageData() {}

void QVoVideoShowWidget::drawYUVImageData() {}

void QVoVideoShowWidget::pictureArrived()
{
    {
        QMutexLocker lock(&d->mutex);
        d->updatePending = false;
    }
    update();
}

void QVoVideoShowWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), d->background);
    QImage image;
    {
        QMutexLocker lock(&d->mutex);
        image = d->image; // shared, so the next delivery gets a new buffer
    }
    if (image.isNull())
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(rect(), image);
}
