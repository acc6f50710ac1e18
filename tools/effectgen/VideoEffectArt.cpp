#include "EffectArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace effectgen {

namespace {

constexpr double kTau = 6.283185307179586;

// Position along a loop: a particle that moves `cycles` whole heights per
// loop is back where it started when the loop begins again.
double wrap(double v)
{
    return v - std::floor(v);
}

void snow(QPainter &p, QSize s, double phase)
{
    Rng r(11);
    const int count = 110;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double x0 = r.unit(), y0 = r.unit(), size = r.range(1.0, 3.6), sway = r.range(0.004, 0.02),
                     offset = r.unit();
        const int cycles = size > 2.6 ? 2 : 1; // near flakes fall faster
        const double y = wrap(y0 + cycles * phase) * (s.height() + 10) - 5;
        const double x = wrap(x0 + sway * std::sin(kTau * (phase + offset))) * s.width();
        QRadialGradient g(QPointF(x, y), size);
        g.setColorAt(0, QColor(255, 255, 255, 240));
        g.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(g);
        p.drawEllipse(QPointF(x, y), size, size);
    }
}

void rain(QPainter &p, QSize s, double phase)
{
    Rng r(23);
    const int count = 90;
    for (int i = 0; i < count; ++i) {
        const double x0 = r.unit(), y0 = r.unit(), length = r.range(10, 22), alpha = r.range(90, 180);
        const double y = wrap(y0 + 3 * phase) * (s.height() + 2 * length) - length;
        const double x = wrap(x0 - 0.25 * 3 * phase * s.height() / s.width()) * s.width();
        p.setPen(QPen(QColor(200, 220, 255, static_cast<int>(alpha)), 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, y), QPointF(x - length * 0.25, y + length));
    }
}

void bubbles(QPainter &p, QSize s, double phase)
{
    Rng r(37);
    const int count = 34;
    for (int i = 0; i < count; ++i) {
        const double x0 = r.unit(), y0 = r.unit(), radius = r.range(4, 13), offset = r.unit();
        const double y = (1.0 - wrap(y0 + phase)) * (s.height() + 4 * radius) - 2 * radius;
        const double x = wrap(x0 + 0.015 * std::sin(kTau * (2 * phase + offset))) * s.width();
        QRadialGradient fill(QPointF(x - radius / 3, y - radius / 3), radius * 1.2);
        fill.setColorAt(0, QColor(255, 255, 255, 60));
        fill.setColorAt(0.7, QColor(170, 220, 255, 25));
        fill.setColorAt(1, QColor(170, 220, 255, 90));
        p.setBrush(fill);
        p.setPen(QPen(QColor(220, 240, 255, 170), 1.0));
        p.drawEllipse(QPointF(x, y), radius, radius);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawEllipse(QPointF(x - radius * 0.4, y - radius * 0.4), radius * 0.22, radius * 0.16);
    }
}

void star(QPainter &p, QPointF c, double arm, const QColor &colour)
{
    QPainterPath path;
    const double waist = arm * 0.18;
    path.moveTo(c.x(), c.y() - arm);
    path.quadTo(c.x() + waist, c.y() - waist, c.x() + arm, c.y());
    path.quadTo(c.x() + waist, c.y() + waist, c.x(), c.y() + arm);
    path.quadTo(c.x() - waist, c.y() + waist, c.x() - arm, c.y());
    path.quadTo(c.x() - waist, c.y() - waist, c.x(), c.y() - arm);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
    QRadialGradient glow(c, arm * 0.7);
    QColor soft = colour;
    soft.setAlpha(colour.alpha() / 2);
    glow.setColorAt(0, soft);
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(glow);
    p.drawEllipse(c, arm * 0.7, arm * 0.7);
}

void sparkles(QPainter &p, QSize s, double phase)
{
    Rng r(41);
    const int count = 46;
    for (int i = 0; i < count; ++i) {
        const double x = r.unit() * s.width(), y = r.unit() * s.height(), arm = r.range(4, 11), offset = r.unit();
        const int speed = 1 + static_cast<int>(r.unit() * 2.0);
        const double twinkle = std::pow(std::sin(kTau / 2 * wrap(speed * phase + offset)), 2.0);
        if (twinkle < 0.05)
            continue;
        const bool warm = r.unit() < 0.4;
        const QColor colour = warm ? QColor(255, 226, 150, static_cast<int>(235 * twinkle))
                                   : QColor(255, 255, 255, static_cast<int>(240 * twinkle));
        star(p, QPointF(x, y), arm * (0.5 + 0.5 * twinkle), colour);
    }
}

void leaves(QPainter &p, QSize s, double phase)
{
    Rng r(53);
    const QColor colours[] = {QColor(214, 98, 32), QColor(190, 55, 30), QColor(232, 170, 40), QColor(160, 110, 40)};
    const int count = 26;
    for (int i = 0; i < count; ++i) {
        const double x0 = r.unit(), y0 = r.unit(), size = r.range(7, 14), offset = r.unit();
        const int turns = r.unit() < 0.5 ? 1 : -1;
        const QColor colour = colours[static_cast<int>(r.unit() * 4) % 4];
        const double y = wrap(y0 + phase) * (s.height() + 4 * size) - 2 * size;
        const double x = wrap(x0 + 0.04 * std::sin(kTau * (phase + offset))) * s.width();
        p.save();
        p.translate(x, y);
        p.rotate(turns * 360.0 * phase + offset * 360.0);
        p.scale(1.0, 0.55 + 0.45 * std::fabs(std::cos(kTau * (phase + offset))));
        QPainterPath leaf;
        leaf.moveTo(-size, 0);
        leaf.quadTo(0, -size * 0.6, size, 0);
        leaf.quadTo(0, size * 0.6, -size, 0);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPath(leaf);
        p.setPen(QPen(colour.darker(150), 0.8));
        p.drawLine(QPointF(-size, 0), QPointF(size * 0.9, 0));
        p.restore();
    }
}

void lightLeak(QPainter &p, QSize s, double phase)
{
    const double w = s.width(), h = s.height();
    const struct {
        double x, y, radius, orbit, offset;
        QColor colour;
    } leaks[] = {
        {0.0, 0.1, 0.75, 0.08, 0.0, QColor(255, 120, 40)},
        {1.0, 0.9, 0.65, 0.06, 0.4, QColor(255, 60, 120)},
        {0.85, 0.0, 0.45, 0.05, 0.7, QColor(255, 200, 90)},
    };
    p.setPen(Qt::NoPen);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    for (const auto &l : leaks) {
        const double a = kTau * (phase + l.offset);
        const QPointF c((l.x + l.orbit * std::cos(a)) * w, (l.y + l.orbit * std::sin(a)) * h);
        const double radius = l.radius * std::max(w, h) * (0.9 + 0.1 * std::sin(a));
        QRadialGradient g(c, radius);
        QColor inner = l.colour;
        inner.setAlpha(static_cast<int>(120 + 40 * std::sin(a)));
        QColor outer = l.colour;
        outer.setAlpha(0);
        g.setColorAt(0, inner);
        g.setColorAt(1, outer);
        p.setBrush(g);
        p.drawRect(QRectF(0, 0, w, h));
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void filmGrain(QPainter &p, QSize s, int frame)
{
    // Grain changes every frame; its pattern need not repeat smoothly.
    Rng r(67 + static_cast<uint64_t>(frame) * 131);
    const double w = s.width(), h = s.height();
    QRadialGradient vignette(QPointF(w / 2, h / 2), std::hypot(w, h) / 2);
    vignette.setColorAt(0.55, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(20, 12, 0, 150));
    p.fillRect(QRectF(0, 0, w, h), vignette);
    p.setPen(Qt::NoPen);
    const int specks = static_cast<int>(w * h / 120);
    for (int i = 0; i < specks; ++i) {
        const bool light = r.unit() < 0.5;
        p.setBrush(light ? QColor(255, 250, 235, static_cast<int>(r.range(20, 60)))
                         : QColor(0, 0, 0, static_cast<int>(r.range(25, 70))));
        const double d = r.range(0.8, 1.6);
        p.drawRect(QRectF(r.unit() * w, r.unit() * h, d, d));
    }
    // A hair or two of dust, and now and then a scratch down the film.
    for (int i = 0; i < 2; ++i) {
        QPainterPath hair;
        const QPointF a(r.unit() * w, r.unit() * h);
        hair.moveTo(a);
        hair.cubicTo(a + QPointF(r.range(-12, 12), r.range(-12, 12)), a + QPointF(r.range(-12, 12), r.range(-12, 12)),
                     a + QPointF(r.range(-16, 16), r.range(-16, 16)));
        p.setPen(QPen(QColor(10, 8, 5, 150), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawPath(hair);
    }
    if (frame % 3 == 0) {
        const double x = r.unit() * w;
        p.setPen(QPen(QColor(255, 255, 240, 70), 1.0));
        p.drawLine(QPointF(x, 0), QPointF(x + r.range(-3, 3), h));
    }
}

void confetti(QPainter &p, QSize s, double phase)
{
    Rng r(79);
    const QColor colours[] = {QColor(240, 70, 90), QColor(60, 170, 240), QColor(250, 210, 60),
                              QColor(90, 210, 120), QColor(190, 110, 240), QColor(255, 150, 60)};
    const int count = 70;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double x0 = r.unit(), y0 = r.unit(), w = r.range(3, 6), h = r.range(6, 10), offset = r.unit();
        const int cycles = r.unit() < 0.3 ? 2 : 1;
        const QColor colour = colours[static_cast<int>(r.unit() * 6) % 6];
        const double y = wrap(y0 + cycles * phase) * (s.height() + 20) - 10;
        const double x = wrap(x0 + 0.02 * std::sin(kTau * (phase + offset))) * s.width();
        p.save();
        p.translate(x, y);
        p.rotate(360.0 * (phase * cycles + offset));
        p.scale(1.0, std::cos(kTau * (2 * phase + offset)));
        p.setBrush(colour);
        p.drawRect(QRectF(-w / 2, -h / 2, w, h));
        p.restore();
    }
}

} // namespace

QStringList videoEffectNames()
{
    return {"Snow", "Rain", "Bubbles", "Sparkles", "Falling Leaves", "Light Leak", "Film Grain", "Confetti"};
}

QStringList videoEffectFolders()
{
    return {"01_Snow", "02_Rain", "03_Bubbles", "04_Sparkles", "05_FallingLeaves", "06_LightLeak", "07_FilmGrain",
            "08_Confetti"};
}

QImage paintVideoEffect(VideoEffect kind, int frame, int frames, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double phase = frames > 0 ? double(frame) / frames : 0.0;
    switch (kind) {
    case VideoEffect::Snow: snow(p, size, phase); break;
    case VideoEffect::Rain: rain(p, size, phase); break;
    case VideoEffect::Bubbles: bubbles(p, size, phase); break;
    case VideoEffect::Sparkles: sparkles(p, size, phase); break;
    case VideoEffect::FallingLeaves: leaves(p, size, phase); break;
    case VideoEffect::LightLeak: lightLeak(p, size, phase); break;
    case VideoEffect::FilmGrain: filmGrain(p, size, frame); break;
    case VideoEffect::Confetti: confetti(p, size, phase); break;
    }
    p.end();
    return image;
}

QImage thumbnailScene(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(58, 92, 140));
    sky.setColorAt(1, QColor(132, 160, 190));
    p.fillRect(image.rect(), sky);
    QPainterPath hills;
    const double w = size.width(), h = size.height();
    hills.moveTo(0, h);
    hills.lineTo(0, h * 0.72);
    hills.quadTo(w * 0.3, h * 0.52, w * 0.55, h * 0.7);
    hills.quadTo(w * 0.8, h * 0.85, w, h * 0.62);
    hills.lineTo(w, h);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(48, 82, 60));
    p.drawPath(hills);
    return image;
}

QImage coverInto(const QImage &picture, QSize size)
{
    const QImage scaled = picture.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return scaled.copy((scaled.width() - size.width()) / 2, (scaled.height() - size.height()) / 2, size.width(),
                       size.height());
}

} // namespace effectgen
