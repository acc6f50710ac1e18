#include "WaveformBand.h"

#include <QPainter>
#include <QRect>
#include <algorithm>
#include <cmath>

void WaveformBand::set(const QVector<quint8> &peaks, int rate, uint64_t duration_us)
{
    m_peaks = peaks;
    m_rate = rate;
    m_duration_us = duration_us;
    m_columnsWidth = -1;
}

void WaveformBand::clear()
{
    set({}, 0, 0);
    m_columns.clear();
}

const QVector<quint8> &WaveformBand::columns(int width)
{
    if (width == m_columnsWidth)
        return m_columns;
    m_columnsWidth = width;
    m_columns = QVector<quint8>(qMax(width, 0), 0);
    if (width <= 0 || m_peaks.isEmpty() || m_rate <= 0)
        return m_columns;
    // Without a known length the outline itself spans the timeline.
    const double seconds = m_duration_us > 0 ? m_duration_us / 1e6 : double(m_peaks.size()) / m_rate;
    const double perColumn = seconds * m_rate / width;
    for (int x = 0; x < width; ++x) {
        const int from = int(x * perColumn);
        // Every column looks at one value at least, so that a zoomed-in
        // timeline shows no gaps between the values.
        const int to = std::max(from + 1, int((x + 1) * perColumn));
        if (from >= m_peaks.size())
            break;
        const auto end = m_peaks.constBegin() + std::min(to, int(m_peaks.size()));
        m_columns[x] = *std::max_element(m_peaks.constBegin() + from, end);
    }
    return m_columns;
}

namespace {

// Heights on a decibel scale from -60 dB to full scale: speech at a normal
// level fills most of the band, and a quiet passage still stands out from
// silence, which a linear scale would flatten into one line.
double shownHeight(int value)
{
    if (value <= 0)
        return 0;
    const double db = 20 * std::log10(value / 255.0);
    return std::clamp((db + 60) / 60, 0.0, 1.0);
}

} // namespace

void WaveformBand::paint(QPainter &p, const QRect &band)
{
    if (isEmpty() || band.height() < 2)
        return;
    const QVector<quint8> &cols = columns(band.width());
    const int mid = band.top() + band.height() / 2;
    const int half = band.height() / 2;
    p.save();
    p.setPen(m_color);
    for (int x = 0; x < cols.size(); ++x) {
        // At least the middle line, so that silence reads as a flat line.
        const int h = int(std::lround(shownHeight(cols[x]) * half));
        p.drawLine(band.left() + x, mid - h, band.left() + x, mid + h);
    }
    p.restore();
}
