#include "QTimeControl.h"

#include <QFontMetrics>
#include <QPainter>
#include <QVector>

namespace {

constexpr uint64_t kSecond = 1000000ULL;
constexpr uint64_t kThirtyHours = 30ULL * 3600 * kSecond;

} // namespace

QTimeControl::QTimeControl(QWidget *parent) : QWidget(parent)
{
    m_font = font();
    m_font.setFamily(QStringLiteral("Tahoma"));
    m_font.setPixelSize(10);
    m_step = stepFor(m_total);
}

uint64_t QTimeControl::stepFor(uint64_t total)
{
    static const uint64_t majors[] = {1, 2, 3, 5, 10, 15, 30, 60, 120, 180, 300, 600, 900, 1800,
                                      3600, 7200, 10800, 18000, 36000, 54000, 108000};
    const uint64_t c = total / 10;
    uint64_t major = 0;
    if (c <= kThirtyHours) {
        for (uint64_t s : majors) {
            if (s * kSecond >= c) {
                major = s * kSecond;
                break;
            }
        }
    } else {
        major = (c + kThirtyHours - 1) / kThirtyHours * kThirtyHours;
    }
    return major / 5;
}

QString QTimeControl::label(uint64_t us)
{
    const uint64_t ms = us / 1000;
    return QStringLiteral("%1:%2:%3.%4")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg((ms / 60000) % 60, 2, 10, QLatin1Char('0'))
        .arg((ms / 1000) % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 2, 10, QLatin1Char('0'));
}

void QTimeControl::reset()
{
    m_total = 3600000000ULL;
    m_step = stepFor(m_total);
    m_showLabels = false;
    update();
}

void QTimeControl::setTimeFont(QFont font)
{
    m_font = font;
    update();
}

void QTimeControl::setTime(uint64_t time)
{
    m_total = time;
    m_showLabels = true;
    m_step = stepFor(m_total);
    update();
}

void QTimeControl::setLineColor(QColor color)
{
    m_lineColor = color;
    update();
}

void QTimeControl::setTextColor(QColor color)
{
    m_textColor = color;
    update();
}

void QTimeControl::setTimePoint(QPoint point)
{
    m_point = point;
}

void QTimeControl::setMarks(const QVector<double> &fractions, const QColor &color)
{
    m_marks = fractions;
    m_markColor = color;
    update();
}

double QTimeControl::pixelsPerTick() const
{
    return double(width()) * double(m_step) / double(m_total);
}

QVector<QTimeControl::Tick> QTimeControl::ticks() const
{
    QVector<Tick> out;
    // A zero duration has no ticks to space out.
    if (m_total == 0 || m_step == 0)
        return out;
    const uint64_t n = m_total / m_step;
    const double px = pixelsPerTick();
    out.reserve(int(n + 1));
    for (uint64_t i = 0; i <= n; ++i)
        out.append({int(double(i) * px + 1), i % 5 == 0});
    return out;
}

void QTimeControl::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int w = width();
    const int h = height();
    p.fillRect(rect(), QColor(32, 32, 32));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(m_lineColor, 1));
    const QVector<Tick> marks = ticks();
    for (const Tick &t : marks) {
        if (t.major)
            p.drawLine(t.x, h - 8, t.x, h - 1);
        else
            p.drawLine(t.x, h - 4, t.x, h);
    }
    p.drawLine(0, h - 1, w, h - 1);
    if (!m_marks.isEmpty()) {
        p.setPen(QPen(m_markColor, 1));
        for (double f : qAsConst(m_marks)) {
            if (f < 0 || f > 1)
                continue;
            const qreal x = int(f * w) + 1.5; // the pixel's centre: crisp with antialiasing
            p.drawLine(QPointF(x, 0), QPointF(x, 5));
        }
    }
    if (!m_showLabels || marks.isEmpty())
        return;
    p.setFont(m_font);
    p.setPen(m_textColor);
    const QFontMetrics fm(m_font);
    const double px = pixelsPerTick();
    for (int i = 0; i < marks.size(); i += 5) {
        const QString text = label(uint64_t(i) * m_step);
        const QRect box = fm.boundingRect(text);
        p.drawText(QRectF(i * px + 1, h - box.height() - 9, box.width() + 2, box.height()), text);
    }
}
