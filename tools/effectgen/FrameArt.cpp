#include "EffectArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace effectgen {

namespace {

// The border's width for a picture: the same share of the short side in
// every shape, so the three shapes of one frame look alike.
double borderOf(QSize s, double share)
{
    return std::min(s.width(), s.height()) * share;
}

// Everything outside inner, painted with brush.
void ring(QPainter &p, QSize s, const QPainterPath &inner, const QBrush &brush)
{
    QPainterPath outer;
    outer.addRect(QRectF(0, 0, s.width(), s.height()));
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawPath(outer.subtracted(inner));
}

QPainterPath rectPath(const QRectF &r, double radius = 0)
{
    QPainterPath path;
    if (radius > 0)
        path.addRoundedRect(r, radius, radius);
    else
        path.addRect(r);
    return path;
}

void goldClassic(QPainter &p, QSize s)
{
    const double b = borderOf(s, 0.07);
    const QRectF inner(b, b, s.width() - 2 * b, s.height() - 2 * b);
    QLinearGradient gold(0, 0, s.width(), s.height());
    gold.setColorAt(0.0, QColor(120, 84, 20));
    gold.setColorAt(0.25, QColor(232, 196, 100));
    gold.setColorAt(0.5, QColor(150, 108, 34));
    gold.setColorAt(0.75, QColor(240, 210, 120));
    gold.setColorAt(1.0, QColor(110, 76, 18));
    ring(p, s, rectPath(inner), gold);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 236, 170, 220), b * 0.08));
    p.drawRect(QRectF(b * 0.35, b * 0.35, s.width() - b * 0.7, s.height() - b * 0.7));
    p.setPen(QPen(QColor(70, 46, 8, 230), b * 0.12));
    p.drawRect(inner.adjusted(-b * 0.06, -b * 0.06, b * 0.06, b * 0.06));
}

void wood(QPainter &p, QSize s)
{
    const double b = borderOf(s, 0.08);
    const QRectF inner(b, b, s.width() - 2 * b, s.height() - 2 * b);
    ring(p, s, rectPath(inner), QColor(122, 78, 44));
    Rng r(7);
    p.save();
    QPainterPath outer;
    outer.addRect(QRectF(0, 0, s.width(), s.height()));
    p.setClipPath(outer.subtracted(rectPath(inner)));
    for (int i = 0; i < 60; ++i) {
        const double y = r.unit() * s.height(), x = r.unit() * s.width();
        p.setPen(QPen(QColor(80, 48, 24, static_cast<int>(r.range(60, 140))), r.range(0.6, 2.0)));
        QPainterPath grain;
        grain.moveTo(0, y);
        grain.cubicTo(s.width() * 0.3, y + r.range(-6, 6), s.width() * 0.6, y + r.range(-6, 6), s.width(), y);
        p.drawPath(grain);
        grain = QPainterPath();
        grain.moveTo(x, 0);
        grain.cubicTo(x + r.range(-6, 6), s.height() * 0.3, x + r.range(-6, 6), s.height() * 0.6, x, s.height());
        p.drawPath(grain);
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(50, 30, 14), b * 0.1));
    p.drawRect(inner);
}

void filmStrip(QPainter &p, QSize s)
{
    // The strip runs along the long side.
    const bool wide = s.width() >= s.height();
    const double b = borderOf(s, 0.11);
    QPainterPath inner = wide ? rectPath(QRectF(0, b, s.width(), s.height() - 2 * b))
                              : rectPath(QRectF(b, 0, s.width() - 2 * b, s.height()));
    ring(p, s, inner, QColor(18, 18, 18));
    const double hole = b * 0.36, pitch = hole * 2.2;
    const int count = static_cast<int>((wide ? s.width() : s.height()) / pitch);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    for (int i = 0; i < count; ++i) {
        const double along = pitch * (i + 0.5) - hole / 2;
        for (double across : {b * 0.32, (wide ? s.height() : s.width()) - b * 0.32 - hole}) {
            const QRectF r = wide ? QRectF(along, across, hole, hole) : QRectF(across, along, hole, hole);
            p.setBrush(Qt::black);
            p.drawRoundedRect(r, hole * 0.2, hole * 0.2);
        }
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void instant(QPainter &p, QSize s)
{
    const double b = borderOf(s, 0.06);
    const QRectF inner(b, b, s.width() - 2 * b, s.height() - 2 * b - b * 1.8);
    ring(p, s, rectPath(inner), QColor(246, 244, 236));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 196, 186), b * 0.06));
    p.drawRect(inner);
}

void roundedBlack(QPainter &p, QSize s)
{
    const double b = borderOf(s, 0.045);
    const QRectF inner(b, b, s.width() - 2 * b, s.height() - 2 * b);
    ring(p, s, rectPath(inner, b * 2.2), QColor(8, 8, 8));
}

void neon(QPainter &p, QSize s)
{
    const double b = borderOf(s, 0.06);
    const QRectF line(b * 0.6, b * 0.6, s.width() - b * 1.2, s.height() - b * 1.2);
    // The tubes hang on a dark band, so they glow on bright pictures too.
    ring(p, s, rectPath(line.adjusted(b * 0.5, b * 0.5, -b * 0.5, -b * 0.5), b * 0.5), QColor(12, 10, 24, 210));
    p.setBrush(Qt::NoBrush);
    for (int i = 6; i >= 1; --i) {
        p.setPen(QPen(QColor(255, 60, 200, 22), b * 0.12 * i, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawRoundedRect(line, b * 0.8, b * 0.8);
    }
    p.setPen(QPen(QColor(255, 170, 240), b * 0.1));
    p.drawRoundedRect(line, b * 0.8, b * 0.8);
    const QRectF second = line.adjusted(b * 0.35, b * 0.35, -b * 0.35, -b * 0.35);
    for (int i = 4; i >= 1; --i) {
        p.setPen(QPen(QColor(40, 220, 255, 24), b * 0.1 * i));
        p.drawRoundedRect(second, b * 0.6, b * 0.6);
    }
    p.setPen(QPen(QColor(170, 245, 255), b * 0.07));
    p.drawRoundedRect(second, b * 0.6, b * 0.6);
}

void dots(QPainter &p, QSize s)
{
    const double b = borderOf(s, 0.08);
    const QRectF inner(b, b, s.width() - 2 * b, s.height() - 2 * b);
    ring(p, s, rectPath(inner, b * 0.5), QColor(252, 232, 238));
    const QColor colours[] = {QColor(244, 150, 170), QColor(150, 200, 240), QColor(250, 210, 120), QColor(160, 220, 170)};
    const double step = b * 0.9;
    int n = 0;
    p.setPen(Qt::NoPen);
    for (double x = step / 2; x < s.width(); x += step) {
        for (double y : {b / 2, s.height() - b / 2}) {
            p.setBrush(colours[n++ % 4]);
            p.drawEllipse(QPointF(x, y), b * 0.22, b * 0.22);
        }
    }
    for (double y = step / 2 + step; y < s.height() - step; y += step) {
        for (double x : {b / 2, s.width() - b / 2}) {
            p.setBrush(colours[n++ % 4]);
            p.drawEllipse(QPointF(x, y), b * 0.22, b * 0.22);
        }
    }
}

void vignette(QPainter &p, QSize s)
{
    const double w = s.width(), h = s.height();
    // Stretched to the picture's shape, so the dark falls evenly on every side.
    p.save();
    p.scale(w / 2, h / 2);
    QRadialGradient g(QPointF(1, 1), std::sqrt(2.0));
    g.setColorAt(0.0, QColor(0, 0, 0, 0));
    g.setColorAt(0.55, QColor(0, 0, 0, 0));
    g.setColorAt(0.85, QColor(0, 0, 0, 150));
    g.setColorAt(1.0, QColor(0, 0, 0, 235));
    p.fillRect(QRectF(0, 0, 2, 2), g);
    p.restore();
}

} // namespace

QStringList frameNames()
{
    return {"Gold", "Wood", "Film Strip", "Instant Photo", "Rounded", "Neon", "Dots", "Vignette"};
}

QStringList frameFolders()
{
    return {"01_Gold", "02_Wood", "03_FilmStrip", "04_InstantPhoto", "05_Rounded", "06_Neon", "07_Dots",
            "08_Vignette"};
}

QImage paintFrame(FrameStyle kind, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case FrameStyle::GoldClassic: goldClassic(p, size); break;
    case FrameStyle::Wood: wood(p, size); break;
    case FrameStyle::FilmStrip: filmStrip(p, size); break;
    case FrameStyle::Instant: instant(p, size); break;
    case FrameStyle::RoundedBlack: roundedBlack(p, size); break;
    case FrameStyle::Neon: neon(p, size); break;
    case FrameStyle::Dots: dots(p, size); break;
    case FrameStyle::Vignette: vignette(p, size); break;
    }
    p.end();
    return image;
}

} // namespace effectgen
