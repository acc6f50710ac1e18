#pragma once
// The sound's outline as the timeline draws it: the loudest value of each
// pixel column, mirrored about the band's middle line. The columns are
// worked out once per width from the outline's values.
#include <QColor>
#include <QVector>
#include <cstdint>

class QPainter;
class QRect;

class WaveformBand {
public:
    // peaks: rate values a second, 0..255, from the start of the file;
    // duration_us: the length the timeline spans.
    void set(const QVector<quint8> &peaks, int rate, uint64_t duration_us);
    void clear();
    bool isEmpty() const { return m_peaks.isEmpty(); }

    // Loudest value over columns [0, width) for column x; 0 past the sound.
    const QVector<quint8> &columns(int width);
    void paint(QPainter &p, const QRect &band);

private:
    QVector<quint8> m_peaks;
    int m_rate = 0;
    uint64_t m_duration_us = 0;
    QVector<quint8> m_columns; // for m_columnsWidth
    int m_columnsWidth = -1;
    QColor m_color{110, 190, 240};
};
