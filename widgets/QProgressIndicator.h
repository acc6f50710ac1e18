#pragma once
// The busy indicator: twelve capsules (or dots) around a centre, fading
// from the leading one, turning 30 degrees per tick.
#include <QColor>
#include <QWidget>

class QProgressIndicator : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int delay READ animationDelay WRITE setAnimationDelay)
    Q_PROPERTY(bool displayedWhenStopped READ isDisplayedWhenStopped WRITE setDisplayedWhenStopped)
    Q_PROPERTY(QColor color READ color WRITE setColor)
public:
    enum Style { Dots = 0, Capsules = 1 };

    explicit QProgressIndicator(QWidget *parent = nullptr);

    int animationDelay() const { return m_delay; }
    bool isAnimated() const { return m_timerId != -1; }
    bool isDisplayedWhenStopped() const { return m_displayedWhenStopped; }
    QColor color() const { return m_color; }
    int angle() const { return m_angle; }
    void setStyle(int style) { m_style = style; update(); }
    int style() const { return m_style; }

    QSize sizeHint() const override { return QSize(20, 20); }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int w) const override { return w; }

    // The capsule layout for a widget of the given size.
    struct Geometry {
        qreal outerRadius = 0;
        qreal innerRadius = 0;
        qreal capsuleLength = 0;
        qreal capsuleWidth = 0;
        qreal cornerRadius = 0;
    };
    static Geometry geometryFor(const QSize &size);

public slots:
    void startAnimation();
    void stopAnimation();
    void setAnimationDelay(int delay);
    void setDisplayedWhenStopped(bool state);
    void setColor(QColor color);

protected:
    void timerEvent(QTimerEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int m_angle = 0;
    int m_timerId = -1;
    int m_delay = 40;
    bool m_displayedWhenStopped = false;
    QColor m_color = Qt::black;
    int m_style = Capsules;
};
