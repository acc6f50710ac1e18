#pragma once
// The timeline's ruler: ticks across the whole duration, a major tick every
// fifth with its time written above it. Until a duration is given it shows
// the ticks of one hour and no labels.
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QVector>
#include <QWidget>
#include <cstdint>

class QTimeControl : public QWidget {
    Q_OBJECT
public:
    explicit QTimeControl(QWidget *parent = nullptr);

    void reset();

    uint64_t total() const { return m_total; }
    uint64_t step() const { return m_step; }
    bool labelsShown() const { return m_showLabels; }
    QColor lineColor() const { return m_lineColor; }
    QColor textColor() const { return m_textColor; }
    QFont timeFont() const { return m_font; }
    QPoint timePoint() const { return m_point; }

    // Distance between two ticks (a fifth of the major step) for a duration.
    static uint64_t stepFor(uint64_t total);
    // "hh:mm:ss.ms" with at least two digits in every field.
    static QString label(uint64_t us);
    // The tick columns and which of them are major, as drawn for a width.
    struct Tick {
        int x;
        bool major;
    };
    QVector<Tick> ticks() const;
    // Short ticks hanging from the top edge at these fractions of the
    // duration (key frames, for example); values outside 0..1 are skipped.
    void setMarks(const QVector<double> &fractions, const QColor &color = QColor(222, 132, 52));
    const QVector<double> &marks() const { return m_marks; }

public slots:
    void setTimeFont(QFont font);
    void setTime(uint64_t time);
    void setLineColor(QColor color);
    void setTextColor(QColor color);
    void setTimePoint(QPoint point);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double pixelsPerTick() const;

    uint64_t m_total = 3600000000ULL;
    uint64_t m_step = 0;
    bool m_showLabels = false;
    QColor m_lineColor{0, 160, 230};
    QColor m_textColor{0, 0, 0};
    QFont m_font;
    QPoint m_point;
    QVector<double> m_marks;
    QColor m_markColor;
};
