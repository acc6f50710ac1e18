#include "QTimelineMarkers.h"

#include <QPainter>
#include <QPolygon>

namespace {
// Apart from the orange play-head and the yellow selection.
const QColor kMarker(64, 196, 230);
constexpr int kFlagTop = 24;
constexpr int kFlagHeight = 8;
} // namespace

QTimelineMarkers::QTimelineMarkers(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("m_markers"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void QTimelineMarkers::setMarkers(const QVector<uint64_t> &times)
{
    m_times = times;
    update();
}

void QTimelineMarkers::setTotal(uint64_t total)
{
    m_total = total;
    update();
}

int QTimelineMarkers::markerX(int index) const
{
    if (m_total == 0 || index < 0 || index >= m_times.size())
        return -1;
    const int span = width() - 2 * m_margin;
    const double share = qBound(0.0, double(m_times.at(index)) / double(m_total), 1.0);
    return m_margin + int(span * share + 0.5);
}

void QTimelineMarkers::paintEvent(QPaintEvent *)
{
    if (m_total == 0 || m_times.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QColor line = kMarker;
    line.setAlpha(200);
    for (int i = 0; i < m_times.size(); ++i) {
        const int x = markerX(i);
        p.setPen(Qt::NoPen);
        p.setBrush(kMarker);
        p.drawPolygon(QPolygon({QPoint(x - 4, kFlagTop), QPoint(x + 4, kFlagTop), QPoint(x, kFlagTop + kFlagHeight)}));
        p.setPen(QPen(line, 1));
        p.drawLine(QPointF(x + 0.5, kFlagTop + kFlagHeight), QPointF(x + 0.5, height()));
    }
}
