#include "SkinImage.h"

#include "AppPaths.h"

#include <QFileInfo>
#include <algorithm>
#include <QGuiApplication>
#include <QPainter>

namespace skin {

QString path(const QString &relativeOrFull)
{
    if (relativeOrFull.isEmpty())
        return {};
    const QString folder = appFolder();
    if (relativeOrFull.startsWith(folder + '/') || QFileInfo::exists(relativeOrFull))
        return relativeOrFull;
    return folder + relativeOrFull;
}

QPixmap load(const QString &relativeOrFull)
{
    return load(relativeOrFull, qApp ? qApp->devicePixelRatio() : 1.0);
}

QPixmap load(const QString &relativeOrFull, qreal devicePixelRatio)
{
    const QString file = path(relativeOrFull);
    if (file.isEmpty())
        return {};
    if (devicePixelRatio > 1.0) {
        const int dot = file.lastIndexOf('.');
        const int slash = file.lastIndexOf('/');
        if (dot > slash) {
            const QString twin = file.left(dot) + "@2x" + file.mid(dot);
            QPixmap sharp;
            if (QFileInfo::exists(twin) && sharp.load(twin)) {
                sharp.setDevicePixelRatio(2.0);
                return sharp;
            }
        }
    }
    QPixmap plain;
    plain.load(file);
    return plain;
}

QSize logicalSize(const QPixmap &pixmap)
{
    if (pixmap.isNull())
        return {};
    const qreal ratio = pixmap.devicePixelRatio();
    return QSize(qRound(pixmap.width() / ratio), qRound(pixmap.height() / ratio));
}

QRect frameSource(const QPixmap &pixmap, int frame, int frames)
{
    if (pixmap.isNull() || frames <= 0)
        return {};
    const int width = pixmap.width() / frames;
    frame = qBound(0, frame, frames - 1);
    return QRect(frame * width, 0, width, pixmap.height());
}

QSize frameSize(const QPixmap &pixmap, int frames)
{
    const QSize whole = logicalSize(pixmap);
    if (whole.isEmpty() || frames <= 0)
        return {};
    return QSize(whole.width() / frames, whole.height());
}

NineCorners NineCorners::thirds(const QSize &logical)
{
    const int w = logical.width() / 3, h = logical.height() / 3;
    return NineCorners{w, h, w, h, w, h, w, h};
}

NineCorners NineCorners::uniform(int size) { return NineCorners{size, size, size, size, size, size, size, size}; }

bool NineCorners::operator==(const NineCorners &o) const
{
    return leftTopWidth == o.leftTopWidth && leftTopHeight == o.leftTopHeight && rightTopWidth == o.rightTopWidth
           && rightTopHeight == o.rightTopHeight && leftBottomWidth == o.leftBottomWidth
           && leftBottomHeight == o.leftBottomHeight && rightBottomWidth == o.rightBottomWidth
           && rightBottomHeight == o.rightBottomHeight;
}

namespace {
void piece(QPainter &p, const QRect &target, const QPixmap &pix, const QRectF &source)
{
    if (target.width() <= 0 || target.height() <= 0 || source.width() <= 0 || source.height() <= 0)
        return;
    p.drawPixmap(QRectF(target), pix, source);
}
} // namespace

void drawNinePart(QPainter &p, const QRect &target, const QPixmap &pix, const NineCorners &c, const QRect &sourceIn)
{
    if (pix.isNull() || target.isEmpty())
        return;
    const QRect src = sourceIn.isNull() ? pix.rect() : sourceIn;
    const qreal r = pix.devicePixelRatio();
    // Source pieces in the picture's pixels; target pieces in logical pixels.
    auto s = [&](qreal x, qreal y, qreal w, qreal h) { return QRectF(src.x() + x * r, src.y() + y * r, w * r, h * r); };
    const qreal sw = src.width() / r, sh = src.height() / r;
    const int x = target.x(), y = target.y(), W = target.width(), H = target.height();

    // Corners, unscaled.
    piece(p, QRect(x, y, c.leftTopWidth, c.leftTopHeight), pix, s(0, 0, c.leftTopWidth, c.leftTopHeight));
    piece(p, QRect(x + W - c.rightTopWidth, y, c.rightTopWidth, c.rightTopHeight), pix,
          s(sw - c.rightTopWidth, 0, c.rightTopWidth, c.rightTopHeight));
    piece(p, QRect(x, y + H - c.leftBottomHeight, c.leftBottomWidth, c.leftBottomHeight), pix,
          s(0, sh - c.leftBottomHeight, c.leftBottomWidth, c.leftBottomHeight));
    piece(p, QRect(x + W - c.rightBottomWidth, y + H - c.rightBottomHeight, c.rightBottomWidth, c.rightBottomHeight), pix,
          s(sw - c.rightBottomWidth, sh - c.rightBottomHeight, c.rightBottomWidth, c.rightBottomHeight));

    // Edges, stretched along their length.
    piece(p, QRect(x + c.leftTopWidth, y, W - c.leftTopWidth - c.rightTopWidth, c.leftTopHeight), pix,
          s(c.leftTopWidth, 0, sw - c.leftTopWidth - c.rightTopWidth, c.leftTopHeight));
    piece(p, QRect(x + c.leftBottomWidth, y + H - c.leftBottomHeight, W - c.leftBottomWidth - c.rightBottomWidth, c.leftBottomHeight),
          pix, s(c.leftBottomWidth, sh - c.leftBottomHeight, sw - c.leftBottomWidth - c.rightBottomWidth, c.leftBottomHeight));
    piece(p, QRect(x, y + c.leftTopHeight, c.leftTopWidth, H - c.leftTopHeight - c.leftBottomHeight), pix,
          s(0, c.leftTopHeight, c.leftTopWidth, sh - c.leftTopHeight - c.leftBottomHeight));
    piece(p, QRect(x + W - c.rightTopWidth, y + c.rightTopHeight, c.rightTopWidth, H - c.rightTopHeight - c.rightBottomHeight), pix,
          s(sw - c.rightTopWidth, c.rightTopHeight, c.rightTopWidth, sh - c.rightTopHeight - c.rightBottomHeight));

    // Centre, stretched both ways.
    piece(p, QRect(x + c.leftTopWidth, y + c.leftTopHeight, W - c.leftTopWidth - c.rightTopWidth, H - c.leftTopHeight - c.leftBottomHeight),
          pix, s(c.leftTopWidth, c.leftTopHeight, sw - c.leftTopWidth - c.rightTopWidth, sh - c.leftTopHeight - c.leftBottomHeight));
}

void drawFrame(QPainter &p, const QRect &target, const QPixmap &pix, int frame, int frames)
{
    if (pix.isNull())
        return;
    p.drawPixmap(QRectF(target), pix, QRectF(frameSource(pix, frame, frames)));
}

void drawThreePart(QPainter &painter, const QPixmap &pixmap, int x, int width, int areaHeight, int cap)
{
    if (pixmap.isNull() || width <= 0)
        return;
    const QSize s = logicalSize(pixmap);
    const int y = (areaHeight - s.height()) / 2;
    const qreal dpr = pixmap.devicePixelRatio();
    cap = std::max(0, std::min(cap, std::min(s.width() / 2, width / 2)));
    const int capPx = int(cap * dpr);
    const int srcW = int(s.width() * dpr);
    const int srcH = int(s.height() * dpr);
    painter.drawPixmap(QRect(x, y, cap, s.height()), pixmap, QRect(0, 0, capPx, srcH));
    painter.drawPixmap(QRect(x + cap, y, width - 2 * cap, s.height()), pixmap, QRect(capPx, 0, srcW - 2 * capPx, srcH));
    painter.drawPixmap(QRect(x + width - cap, y, cap, s.height()), pixmap, QRect(srcW - capPx, 0, capPx, srcH));
}

} // namespace skin
