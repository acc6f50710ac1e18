#pragma once
// The trim slider: a start and an end handle enclosing the kept range and
// a thin play-head that may sit anywhere on the track. Positions s, e, p
// are pixels from the track's left end; fractions reported are s/L, e/L,
// p/L with L = width − 2 × start handle width.
#include <QColor>
#include <QPixmap>
#include <QVector>
#include <QWidget>

class QSliderCtrlBtn;

class QDualSlider : public QWidget {
    Q_OBJECT
public:
    explicit QDualSlider(QWidget *parent = nullptr);

    void setStartHandleImage(const QString &path, int yOffset = 0);
    void setEndHandleImage(const QString &path);
    void setProgressHandleImage(const QString &path, int y);
    void setTrackImage(const QString &path);
    void setRangeImage(const QString &path);
    void setHandleAreaImage(const QString &path);
    void setShowHandleArea(bool show);
    void setCapWidth(int width);
    // The slider's own flag: when false all mouse input is ignored, but a
    // press on the body is still announced.
    void setEnabled(bool enabled);
    bool isSliderEnabled() const { return m_enabled; }

    void setStartPercent(double v);
    void setEndPercent(double v);
    void setProgressPercent(double v, bool report);
    double startFraction() const;
    double endFraction() const;
    double progressFraction() const;
    void setHandleTooltips(const QString &start, const QString &end);
    // Short ticks over the track at these fractions of it (key frames, for
    // example); values outside 0..1 are not drawn.
    void setMarks(const QVector<double> &fractions, const QColor &color = QColor(228, 228, 228));
    const QVector<double> &marks() const { return m_marks; }
    bool startPressedLast() const { return m_startPressedLast; }
    QSize sizeHint() const override;

    QSliderCtrlBtn *startHandle() const { return m_startBtn; }
    QSliderCtrlBtn *endHandle() const { return m_endBtn; }
    QSliderCtrlBtn *progressHandle() const { return m_proBtn; }
    float startPos() const { return m_s; }
    float endPos() const { return m_e; }
    float progressPos() const { return m_p; }

signals:
    void sendProgressValue(double value);
    void sendEndProgressValue(double value);
    void sendPlayProValue(double value);
    void emitPreviousFrame();
    void emitNextFrame();
    void emitMousePress();
    void emitmouseRelease();

public slots:
    void btnMouseMove(QMouseEvent *e, int x);
    void btnEndMouseMove(QMouseEvent *e, int x);
    void btnProMouseMove(QMouseEvent *e, int x);
    void btnMousePress(QMouseEvent *e, int x);
    void btnMouseRelease(QMouseEvent *e, int x);
    void setValue(float Value);
    void setShowValue(bool flag);
    void setShowValue();

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    float trackLength() const;
    float progressMax() const;
    void placeProgressAtMouse(int leftEdge);
    void connectHandle(QSliderCtrlBtn *btn);
    void resizeToImages();
    void drawSliced(QPainter &p, const QPixmap &pix, int x, int width);
    void showTip(QSliderCtrlBtn *btn, const QString &tip);

    QSliderCtrlBtn *m_startBtn = nullptr;
    QSliderCtrlBtn *m_endBtn = nullptr;
    QSliderCtrlBtn *m_proBtn = nullptr;
    int m_w = 0;      // start handle width, the track's left margin
    int m_endW = 0;   // the track's right margin
    int m_proW = 0;
    int m_proY = 0;
    int m_handleY = 0;
    int m_yOffset = 0;
    QPixmap m_track;
    QPixmap m_range;
    QPixmap m_area;
    int m_trackW = 0;
    int m_trackH = 0;
    int m_cap = 5;
    float m_s = 0;
    float m_e = 0;
    float m_p = 0;
    qint64 m_min = 0;
    qint64 m_max = 100;
    bool m_enabled = true;
    bool m_startPressedLast = true;
    bool m_showArea = false;
    bool m_showValue = false;
    bool m_bodyPressed = false;
    QVector<double> m_marks;
    QColor m_markColor;
    QString m_startTip;
    QString m_endTip;
};
