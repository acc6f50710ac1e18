#pragma once
// A horizontal bar: a track and a fill drawn from pictures in three parts
// (two unscaled ends, a stretched middle), or as rounded rectangles in the
// palette's window and highlight colours when it has no pictures.
#include <QPixmap>
#include <QWidget>

class QVoBaseProgress : public QWidget {
    Q_OBJECT
public:
    explicit QVoBaseProgress(QWidget *parent = nullptr);

    bool setTrackPicture(const QString &path);
    bool setFillPicture(const QString &path);
    void setRoundedEnds(bool on);
    void setEndRadius(int radius);
    virtual void setMargins(int start, int end);
    int startMargin() const { return m_startMargin; }
    int endMargin() const { return m_endMargin; }
    double value() const { return m_value; }
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }

    // The radius the ends are drawn with, and the bar's rectangle.
    int drawRadius() const;
    QRect barRect() const;
    // Filled length in pixels for the current value.
    int fillLength() const;

signals:
    void valueChanged(double value);

public slots:
    void setRange(double min, double max);
    void setMinimum(double min);
    void setMaximum(double max);
    virtual void setValue(double val);
    virtual void setValue(int val);
    void UpdateTime();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // Position of the value in the range, 0 to 1.
    double fraction() const;
    void storeMargins(int start, int end);

    QPixmap m_track;
    int m_trackWidth = 0;
    int m_trackHeight = 0;

private:
    void paintThreePart(QPainter &p, const QRect &target, const QPixmap &picture, int radius) const;
    void fitToTrack();

    QPixmap m_fill;
    double m_minimum = 0;
    double m_maximum = 100;
    double m_value = 0;
    bool m_rounded = true;
    int m_endRadius = -1;
    int m_startMargin = 0;
    int m_endMargin = 0;
};
