#pragma once
// A single-handle slider drawn from pictures: the player panel's volume.
// It reports the handle position as a fraction of the track.
#include <QPixmap>
#include <QWidget>

class QSliderCtrlBtn;

class qSliderCtrl : public QWidget {
    Q_OBJECT
public:
    explicit qSliderCtrl(QWidget *parent = nullptr);

    void setTrackImage(const QString &path);
    void setFillImage(const QString &path);
    void setHandleImage(const QString &path);
    void setRange(qint64 minimum, qint64 maximum);
    void setValue(double v);
    double positionPercent() const;
    void setEnabled(bool enabled);
    void setHideHandleOnLeave(bool hide);
    int handlePosition() const { return m_pos; }
    QSliderCtrlBtn *handle() const { return m_handle; }

signals:
    void sendProgressValue(double value);

public slots:
    void btnMouseMove(QMouseEvent *e, int x);

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void enterEvent(QEvent *e) override;
    void leaveEvent(QEvent *e) override;

private:
    int span() const;
    void moveHandle(int pos);
    void drawSliced(QPainter &p, const QPixmap &pix, int x, int width);

    QPixmap m_track;
    QPixmap m_fill;
    int m_trackW = 0;
    int m_trackH = 0;
    QSliderCtrlBtn *m_handle = nullptr;
    int m_handleW = 0;
    int m_handleY = 0;
    int m_pos = 0;
    qint64 m_min = 0;
    qint64 m_max = 100;
    double m_lastPercent = 0;
    bool m_enabled = true;
    bool m_hideOnLeave = false;
    bool m_bodyDrag = false;
    int m_cap = 5;
};
