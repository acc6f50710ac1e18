#include "SoundEffects.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace effectgen {

QList<SoundEffect> soundEffects()
{
    return {
        {"01_BassBoost", "Bass Boost", {{40, 8}, {80, 9}, {160, 6}, {400, 1.5}, {1000, 0}}, 100},
        {"02_TrebleBoost", "Treble Boost", {{1000, 0}, {3000, 3}, {6000, 7}, {10000, 9}, {14000, 8}}, 100},
        {"03_Voice", "Voice", {{80, -10}, {200, -4}, {1000, 2}, {2500, 5}, {5000, 3}, {10000, -4}}, 100},
        {"04_Radio", "Radio", {{60, -24}, {250, -8}, {1200, 6}, {3000, 2}, {6000, -12}, {12000, -24}}, 100},
        {"05_Telephone", "Telephone", {{60, -30}, {300, -12}, {1000, 8}, {2200, 6}, {3600, -12}, {8000, -30}}, 100},
        {"06_Stadium", "Stadium", {{35, 10}, {70, 8}, {150, 4}, {800, -3}, {3500, 3}, {9000, 5}}, 100},
        {"07_Slow", "Slow", {}, 75},
        {"08_Fast", "Fast", {}, 130},
    };
}

QImage soundThumbnail(const SoundEffect &effect, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 0, size.height());
    back.setColorAt(0, QColor(44, 52, 66));
    back.setColorAt(1, QColor(28, 32, 40));
    p.fillRect(image.rect(), back);
    const double w = size.width(), h = size.height();
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.drawLine(QPointF(0, h / 2), QPointF(w, h / 2));
    if (!effect.eq.isEmpty()) {
        // Gains over a logarithmic axis of 20 Hz .. 20 kHz, ±30 dB.
        const auto xOf = [&](double hz) { return (std::log10(hz) - std::log10(20.0)) / 3.0 * w; };
        const auto yOf = [&](double db) { return h / 2 - db / 30.0 * (h * 0.42); };
        QPainterPath curve;
        curve.moveTo(0, yOf(effect.eq.first().second));
        for (const auto &point : effect.eq)
            curve.lineTo(xOf(point.first), yOf(point.second));
        curve.lineTo(w, yOf(effect.eq.last().second));
        QPainterPath area = curve;
        area.lineTo(w, h / 2);
        area.lineTo(0, h / 2);
        area.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 180, 255, 70));
        p.drawPath(area);
        p.setPen(QPen(QColor(120, 200, 255), std::max(1.5, h / 28)));
        p.setBrush(Qt::NoBrush);
        p.drawPath(curve);
    } else {
        // Chevrons: one for slower, three for faster.
        const int count = effect.rate < 100 ? 1 : 3;
        const double arm = h * 0.22, step = arm * 1.1;
        const double start = w / 2 - (count - 1) * step / 2;
        p.setPen(QPen(QColor(120, 200, 255), std::max(2.0, h / 14), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (int i = 0; i < count; ++i) {
            const double x = start + i * step;
            const QPointF chevron[] = {QPointF(x - arm / 2, h / 2 - arm), QPointF(x + arm / 2, h / 2),
                                       QPointF(x - arm / 2, h / 2 + arm)};
            p.drawPolyline(chevron, 3);
        }
    }
    return image;
}

} // namespace effectgen
