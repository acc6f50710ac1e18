#include "PreviewGeometry.h"

#include <QSize>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace previewgeometry {

QRect pixelRect(const QRect &area, double x, double y, double w, double h)
{
    const int W = area.width();
    const int H = area.height();
    const int left = static_cast<int>(W * x + area.left());
    const int top = static_cast<int>(H * y + area.top());
    const int right = static_cast<int>(W * w + left);
    const int bottom = static_cast<int>(H * h + top);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

int hitZone(const QRect &area, double x, double y, double w, double h, const QPoint &p)
{
    if (w <= 0.0001 || h <= 0.0001 || area.width() <= 0 || area.height() <= 0)
        return None;
    const QRect r = pixelRect(area, x, y, w, h);
    const int t = kEdgeTolerance;
    const bool withinY = p.y() >= r.top() - t && p.y() <= r.bottom() + t;
    const bool withinX = p.x() >= r.left() - t && p.x() <= r.right() + t;
    const bool nearLeft = std::abs(p.x() - r.left()) <= t && withinY;
    const bool nearRight = std::abs(p.x() - r.right()) <= t && withinY;
    const bool nearTop = std::abs(p.y() - r.top()) <= t && withinX;
    const bool nearBottom = std::abs(p.y() - r.bottom()) <= t && withinX;
    if (nearLeft && nearTop)
        return TopLeft;
    if (nearLeft && nearBottom)
        return BottomLeft;
    if (nearRight && nearTop)
        return TopRight;
    if (nearRight && nearBottom)
        return BottomRight;
    if (nearLeft)
        return Left;
    if (nearRight)
        return Right;
    if (nearTop)
        return Top;
    if (nearBottom)
        return Bottom;
    if (p.x() > r.left() && p.x() < r.right() && p.y() > r.top() && p.y() < r.bottom())
        return Inside;
    return None;
}

Qt::CursorShape cursorFor(int zone)
{
    switch (zone) {
    case TopLeft:
    case BottomRight:
        return Qt::SizeFDiagCursor;
    case BottomLeft:
    case TopRight:
        return Qt::SizeBDiagCursor;
    case Left:
    case Right:
        return Qt::SizeHorCursor;
    case Top:
    case Bottom:
        return Qt::SizeVerCursor;
    case Inside:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

bool movesLeft(int zone)
{
    return zone == TopLeft || zone == BottomLeft || zone == Left;
}

bool movesRight(int zone)
{
    return zone == TopRight || zone == BottomRight || zone == Right;
}

bool movesTop(int zone)
{
    return zone == TopLeft || zone == TopRight || zone == Top;
}

bool movesBottom(int zone)
{
    return zone == BottomLeft || zone == BottomRight || zone == Bottom;
}

namespace {

// Keeps w/h at r for the zone, as the pan-scan lock asks.
void lockProportion(int zone, VERect &n, const VERect &s, double r)
{
    double &x = n.x, &y = n.y, &w = n.width, &h = n.height;
    const bool tooWide = h < w / r;
    switch (zone) {
    case TopLeft:
        if (tooWide) {
            h = w / r;
            y = s.y + s.height - h;
            if (y < 0) {
                h = s.y + s.height;
                w = h * r;
                y = 0;
                x = s.x + s.width - w;
            }
        } else {
            w = h * r;
            x = s.x + s.width - w;
            if (x < 0) {
                w = s.x + s.width;
                h = w / r;
                y = s.y + s.height - h;
                x = 0;
            }
        }
        break;
    case BottomLeft:
        if (tooWide) {
            h = w / r;
            if (y + h > 1) {
                h = 1 - y;
                w = h * r;
                x = s.x + s.width - w;
            }
        } else {
            w = h * r;
            x = s.x + s.width - w;
            if (x < 0) {
                w = s.x + s.width;
                h = w / r;
                x = 0;
            }
        }
        break;
    case Left:
        h = w / r;
        if (y + h > 1) {
            h = 1 - y;
            w = h * r;
            x = s.x + s.width - w;
        }
        break;
    case TopRight:
        if (tooWide) {
            h = w / r;
            y = s.y + s.height - h;
            if (y < 0) {
                h = s.y + s.height;
                w = h * r;
                y = 0;
            }
        } else {
            w = h * r;
            if (x + w > 1) {
                w = 1 - x;
                h = w / r;
                y = s.y + s.height - h;
            }
        }
        break;
    case BottomRight:
        if (tooWide) {
            h = w / r;
            if (y + h > 1) {
                h = 1 - y;
                w = h * r;
            }
        } else {
            w = h * r;
            if (x + w > 1) {
                w = 1 - x;
                h = w / r;
            }
        }
        break;
    case Right:
        h = w / r;
        if (y + h > 1) {
            h = 1 - y;
            w = h * r;
        }
        break;
    case Top:
        w = h * r;
        if (x + w > 1) {
            w = 1 - x;
            h = w / r;
            y = s.y + s.height - h;
        }
        break;
    case Bottom:
        w = h * r;
        if (x + w > 1) {
            w = 1 - x;
            h = w / r;
        }
        break;
    default:
        break;
    }
}

} // namespace

int evenCropPixels(double fraction, int size)
{
    if (size <= 0)
        return 0;
    // In 1/65536 steps, so that a fraction a hair below a whole pixel count
    // still gives that count.
    const int64_t c = std::llround(std::clamp(fraction, 0.0, 1.0) * 65536.0);
    if (c == 65536)
        return size;
    const int64_t product = static_cast<int64_t>(size) * c;
    if (product >= (int64_t(1) << 48))
        return size;
    const int64_t e = product / 65536 + 1;
    return e < size ? static_cast<int>(e & ~int64_t(1)) : size;
}

VERect dragCrop(int zone, const QPoint &press, const QPoint &pointer, const VERect &saved, const QRect &area,
                const VECropSettings &crop)
{
    const double W = std::max(1, area.width());
    const double H = std::max(1, area.height());
    const double dx = (pointer.x() - press.x()) / W;
    const double dy = (pointer.y() - press.y()) / H;
    VERect n = saved;
    if (zone == Inside) {
        n.x = std::clamp(saved.x + dx, 0.0, std::max(0.0, 1.0 - saved.width));
        n.y = std::clamp(saved.y + dy, 0.0, std::max(0.0, 1.0 - saved.height));
        return n;
    }
    const bool panScanLive = crop.padEnabled == 1 && crop.panScan == 1 && crop.aspectMode != 2;
    double minW = kMinCropPixels / W;
    double minH = kMinCropPixels / H;
    if (panScanLive) {
        // One side is 20 pixels, the other follows the picture's proportion.
        if (crop.rotation % 180 == 0)
            minW = (W * kMinCropPixels / H) / W;
        else
            minH = (H * kMinCropPixels / W) / H;
    }
    if (movesLeft(zone)) {
        const double right = saved.x + saved.width;
        n.x = std::clamp(saved.x + dx, 0.0, std::max(0.0, right - kMinFraction));
        n.width = right - n.x;
        if (n.width < minW) {
            n.width = std::min(minW, right);
            n.x = right - n.width;
        }
    } else if (movesRight(zone)) {
        const double right = std::clamp(saved.x + saved.width + dx, saved.x + kMinFraction, 1.0);
        n.width = right - saved.x;
        if (n.width < minW)
            n.width = std::min(minW, 1.0 - saved.x);
    }
    if (movesTop(zone)) {
        const double bottom = saved.y + saved.height;
        n.y = std::clamp(saved.y + dy, 0.0, std::max(0.0, bottom - kMinFraction));
        n.height = bottom - n.y;
        if (n.height < minH) {
            n.height = std::min(minH, bottom);
            n.y = bottom - n.height;
        }
    } else if (movesBottom(zone)) {
        const double bottom = std::clamp(saved.y + saved.height + dy, saved.y + kMinFraction, 1.0);
        n.height = bottom - saved.y;
        if (n.height < minH)
            n.height = std::min(minH, 1.0 - saved.y);
    }
    if (panScanLive && crop.aspectMode < 2 && saved.height > 0)
        lockProportion(zone, n, saved, saved.width / saved.height);
    return n;
}

void storeCrop(VECropSettings &crop, const VERect &rect, const QSize &sourceSize)
{
    crop.cropRect = rect;
    crop.panRect = rect;
    if (crop.aspectMode == 1) {
        crop.panScan = 0;
        crop.aspectNum = std::max(2, evenCropPixels(rect.width, sourceSize.width()));
        crop.aspectDen = std::max(2, evenCropPixels(rect.height, sourceSize.height()));
    } else if (crop.aspectMode == 0 && crop.padEnabled == 0) {
        crop.panScan = 0;
        crop.aspectNum = 0;
        crop.aspectDen = 0;
    }
}

Box dragBox(int zone, const QPoint &press, const QPoint &pointer, const Box &s, const QRect &area)
{
    const double W = std::max(1, area.width());
    const double H = std::max(1, area.height());
    const double dx = (pointer.x() - press.x()) / W;
    const double dy = (pointer.y() - press.y()) / H;
    Box n = s;
    if (zone == Inside) {
        n.x = std::clamp(s.x + dx, 0.0, std::max(0.0, 1.0 - s.w));
        n.y = std::clamp(s.y + dy, 0.0, std::max(0.0, 1.0 - s.h));
        return n;
    }
    if (movesLeft(zone)) {
        n.x = s.x + dx;
        n.w = s.w - dx;
        if (n.x < 0) {
            n.x = 0;
            n.w = s.x + s.w;
        }
        if (n.x > s.x + s.w - kMinFraction) {
            n.x = s.x + s.w - kMinFraction;
            n.w = kMinFraction;
        }
    } else if (movesRight(zone)) {
        n.w = s.w + dx;
        if (s.x + s.w + dx > 1)
            n.w = 1 - s.x;
        if (s.w + dx < kMinFraction)
            n.w = kMinFraction;
    }
    if (movesTop(zone)) {
        n.y = s.y + dy;
        n.h = s.h - dy;
        if (n.y < 0) {
            n.y = 0;
            n.h = s.y + s.h;
        }
        if (n.y > s.y + s.h - kMinFraction) {
            n.y = s.y + s.h - kMinFraction;
            n.h = kMinFraction;
        }
    } else if (movesBottom(zone)) {
        n.h = s.h + dy;
        if (s.y + s.h + dy > 1)
            n.h = 1 - s.y;
        if (s.h + dy < kMinFraction)
            n.h = kMinFraction;
    }
    if ((movesLeft(zone) || movesRight(zone)) && s.w > 0)
        n.scaleX = static_cast<int>(s.scaleX * n.w / s.w + 0.5);
    if ((movesTop(zone) || movesBottom(zone)) && s.h > 0)
        n.scaleY = static_cast<int>(s.scaleY * n.h / s.h + 0.5);
    return n;
}

} // namespace previewgeometry
