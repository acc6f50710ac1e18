#include "QVoVideoShowWidget.h"

#include "orlcodec.h"

#include <QMetaObject>
#include <QPainter>

#include <cstring>
#include <mutex>
#include <vector>

struct QVoVideoShowWidget::Private {
    struct Buffer {
        std::vector<uint8_t> pixels;
        int width = 0;
        int height = 0;
    };
    QVoVideoShowWidget *owner = nullptr;
    // Three buffers: the newest complete picture, the one a paint is
    // reading, and a free one the present thread fills. Neither side ever
    // waits for the other beyond a buffer swap; an unpainted picture is
    // simply replaced by a newer one.
    mutable std::mutex mutex;
    Buffer buffers[3];          // guarded by mutex (the filled one by its writer)
    int latest = -1;            // guarded by mutex
    int painting = -1;          // guarded by mutex
    bool updatePending = false; // guarded by mutex: one queued repaint at most
    int delivered = 0;          // guarded by mutex
    QColor background{0, 0, 0};
    orl_video_sink sink{};

    static void deliver(void *opaque, int width, int height, int stride, const uint8_t *pixels)
    {
        auto *self = static_cast<Private *>(opaque);
        int target;
        {
            std::lock_guard<std::mutex> lock(self->mutex);
            target = 0;
            while (target == self->latest || target == self->painting)
                ++target;
        }
        Buffer &b = self->buffers[target];
        b.pixels.resize(size_t(width) * height * 4);
        b.width = width;
        b.height = height;
        for (int y = 0; y < height; ++y)
            memcpy(b.pixels.data() + size_t(y) * width * 4, pixels + size_t(y) * stride, size_t(width) * 4);
        bool post = false;
        {
            std::lock_guard<std::mutex> lock(self->mutex);
            self->latest = target;
            ++self->delivered;
            post = !self->updatePending;
            self->updatePending = true;
        }
        if (post)
            QMetaObject::invokeMethod(self->owner, "pictureArrived", Qt::QueuedConnection);
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
    attachElement(0);
}

void QVoVideoShowWidget::attachElement(ORL_HANDLE player)
{
    if (m_elementPlayer && m_elementPlayer != player)
        Player_SetElementWindow(m_elementPlayer, nullptr);
    m_elementPlayer = player;
    if (m_elementPlayer)
        Player_SetElementWindow(m_elementPlayer, &d->sink);
}

void QVoVideoShowWidget::setKeepAspect(bool keep)
{
    m_keepAspect = keep;
    update();
}

QRect QVoVideoShowWidget::pictureRect() const
{
    QSize picture;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        if (d->latest >= 0)
            picture = QSize(d->buffers[d->latest].width, d->buffers[d->latest].height);
    }
    if (!m_keepAspect || picture.isEmpty())
        return rect();
    const QSize fitted = picture.scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

void QVoVideoShowWidget::attach(ORL_HANDLE player)
{
    if (m_player && m_player != player) {
        Player_SetVideoWindow(m_player, nullptr);
        if (m_shownSizeFollows)
            Player_SetShownSize(m_player, 0, 0);
    }
    m_player = player;
    if (m_player) {
        tellShownSize();
        Player_SetVideoWindow(m_player, &d->sink);
    }
}

void QVoVideoShowWidget::setShownSizeFollows(bool on)
{
    if (on == m_shownSizeFollows)
        return;
    m_shownSizeFollows = on;
    if (m_player)
        Player_SetShownSize(m_player, 0, 0);
    tellShownSize();
}

void QVoVideoShowWidget::tellShownSize()
{
    if (!m_player || !m_shownSizeFollows)
        return;
    const qreal ratio = devicePixelRatioF();
    Player_SetShownSize(m_player, qRound(width() * ratio), qRound(height() * ratio));
}

void QVoVideoShowWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    tellShownSize();
}

QImage QVoVideoShowWidget::currentImage() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    if (d->latest < 0)
        return QImage();
    const Private::Buffer &b = d->buffers[d->latest];
    return QImage(b.pixels.data(), b.width, b.height, b.width * 4, QImage::Format_RGB32).copy();
}

int QVoVideoShowWidget::deliveredCount() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->delivered;
}

void QVoVideoShowWidget::clearImage()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->latest = -1;
    }
    update();
}

void QVoVideoShowWidget::drawImageData() {}

void QVoVideoShowWidget::drawYUVImageData() {}

void QVoVideoShowWidget::pictureArrived()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->updatePending = false;
    }
    update();
}

void QVoVideoShowWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), d->background);
    int index;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        index = d->latest;
        d->painting = index;
    }
    if (index >= 0) {
        const Private::Buffer &b = d->buffers[index];
        const QImage image(b.pixels.data(), b.width, b.height, b.width * 4, QImage::Format_RGB32);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        QRect target = rect();
        if (m_keepAspect && b.width > 0 && b.height > 0) {
            const QSize fitted = QSize(b.width, b.height).scaled(size(), Qt::KeepAspectRatio);
            target = QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
        }
        p.drawImage(target, image);
    }
    std::lock_guard<std::mutex> lock(d->mutex);
    d->painting = -1;
}
