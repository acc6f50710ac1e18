#include "QAudioDataWidget.h"

#include "SkinImage.h"

#include <QPainter>

QAudioDataWidget::QAudioDataWidget(QWidget *parent) : QWidget(parent)
{
    // Drawn over the parent, which shows through where nothing is painted.
    setAttribute(Qt::WA_NoSystemBackground);
    m_background = skin::load(QStringLiteral("/image/PlayDlg/bg_audio.png"));
    setGeometry(5, 5, 394, 234);
    layoutBars();
}

void QAudioDataWidget::layoutBars()
{
    m_bars = (width() + m_gapX) / (m_barWidth + m_gapX);
    m_segments = (height() + m_gapY) / (m_segmentHeight + m_gapY);
    m_levels.fill(0, m_bars);
    m_peaks.fill(0, m_bars);
    m_speed.fill(0, m_bars);
}

void QAudioDataWidget::resizeEvent(QResizeEvent *)
{
    layoutBars();
}

void QAudioDataWidget::showEvent(QShowEvent *)
{
    layoutBars();
}

void QAudioDataWidget::setAudioData(const uint8_t *data, int sps)
{
    if (!data || m_bars <= 0) {
        m_levels.fill(0, m_bars);
        m_peaks.fill(0, m_bars);
        m_speed.fill(0, m_bars);
        update();
        return;
    }
    const quint32 length = quint32(data[40]) | quint32(data[41]) << 8 | quint32(data[42]) << 16
        | quint32(data[43]) << 24;
    qint64 n = length / 2;
    if (sps >= 16000)
        n = n * 16000 / sps;
    const uint8_t *samples = data + 44;
    for (int i = 0; i < m_bars; ++i) {
        const qint64 from = i * n / m_bars;
        const qint64 to = (i + 1) * n / m_bars;
        qint64 sum = 0;
        for (qint64 k = from; k < to; ++k)
            sum += quint16(samples[2 * k] | samples[2 * k + 1] << 8);
        const qint64 mean = to > from ? sum / (to - from) : 0;
        m_levels[i] = int((mean * m_segments) >> 16);
        // Peaks fall with gravity and jump to a bar that rises above them.
        if (m_peaks[i] > 0) {
            ++m_speed[i];
            m_peaks[i] = std::max(0, m_peaks[i] - m_speed[i] * m_speed[i] / 8);
        }
        const int top = m_levels[i] > 0 ? m_levels[i] * (m_segmentHeight + m_gapY) - 2 : 0;
        if (top > m_peaks[i]) {
            m_peaks[i] = top;
            m_speed[i] = 0;
        }
    }
    update();
}

void QAudioDataWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_background.isNull()) {
        const QSize s = skin::logicalSize(m_background);
        p.drawPixmap(QRect((width() - s.width()) / 2, (height() - s.height()) / 2, s.width(), s.height()),
                     m_background);
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    const int step = m_segmentHeight + m_gapY;
    for (int i = 0; i < m_bars; ++i) {
        const int x = i * (m_barWidth + m_gapX);
        p.setBrush(m_segmentColour);
        for (int k = 0; k < m_levels[i]; ++k) {
            const int y = height() - (k + 1) * step + m_gapY;
            p.drawRoundedRect(QRectF(x, y, m_barWidth, m_segmentHeight), m_radius, m_radius);
        }
        if (m_showPeaks && m_peaks[i] > 0)
            p.fillRect(QRect(x, height() - m_peaks[i], m_barWidth, 1), m_peakColour);
    }
}
