#pragma once
// The places a search marked on the Simple Mode timeline: a small flag on
// the ruler and a thin line down through the segments at each time. It
// lies over the ruler and the segment area and lets every click through,
// so the boxes and the play-head work as without it.
#include <QVector>
#include <QWidget>
#include <cstdint>

class QTimelineMarkers : public QWidget {
    Q_OBJECT
public:
    explicit QTimelineMarkers(QWidget *parent = nullptr);

    // Times in microseconds of a file total long; the axis runs from
    // column margin to width - margin.
    void setMarkers(const QVector<uint64_t> &times);
    QVector<uint64_t> markers() const { return m_times; }
    void setTotal(uint64_t total);
    void setMargin(int margin) { m_margin = margin; update(); }
    // The column marker index is drawn in; -1 without a known length.
    int markerX(int index) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVector<uint64_t> m_times;
    uint64_t m_total = 0;
    int m_margin = 10;
};
