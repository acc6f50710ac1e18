#pragma once
// The level display shown instead of a picture while an audio-only file
// plays: bars of rounded segments with falling peak markers.
#include <QColor>
#include <QPixmap>
#include <QVector>
#include <QWidget>

class QAudioDataWidget : public QWidget {
    Q_OBJECT
public:
    explicit QAudioDataWidget(QWidget *parent = nullptr);

    // data: a block in WAV layout (data length at byte 40, 16-bit values
    // from byte 44); null clears the bars. sps: the sample rate to scale by.
    void setAudioData(const uint8_t *data, int sps);
    int barCount() const { return m_bars; }
    int segmentCount() const { return m_segments; }
    QVector<int> levels() const { return m_levels; }
    QVector<int> peaks() const { return m_peaks; }

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    void layoutBars();

    int m_barWidth = 11;
    int m_segmentHeight = 3;
    int m_gapX = 2;
    int m_gapY = 2;
    qreal m_radius = 1.3;
    bool m_showPeaks = true;
    QColor m_peakColour{243, 228, 142};
    QColor m_segmentColour{243, 228, 142};
    int m_bars = 0;
    int m_segments = 0;
    QVector<int> m_levels; // lit segments per bar
    QVector<int> m_peaks;  // peak height in pixels from the bottom
    QVector<int> m_speed;
    QPixmap m_background;
};
