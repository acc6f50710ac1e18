#pragma once
// The proxy style that draws QVoScrollBar: a flat groove, a rounded track
// and arrows shown while the bar is hovered, and a rounded handle. Every
// other element comes from the base style.
#include <QColor>
#include <QPixmap>
#include <QProxyStyle>

struct ScrollBarStyleParams {
    QColor grooveColor{240, 240, 240};
    QColor trackColor{149, 149, 153};
    QPixmap arrowPicture; // four frames pointing to the add-line end; none: drawn triangles
    int extent = 11;
    bool alwaysShow = false;
    QColor arrowBackground{240, 240, 240};
    QColor arrowNormal{111, 115, 123};
    QColor arrowHover{89, 90, 93};
    QColor arrowPressed{124, 125, 128};
    QColor arrowDisabled{240, 240, 240};
    bool outlineArrow = true;
    QColor handleNormal{96, 96, 96};
    QColor handlePressed{96, 96, 96};
    QColor handleHover{96, 96, 96};
    int handleInset = 0;
    int handleRadius = -1; // half the thickness
};

class QVoScrollBarStyle : public QProxyStyle {
    Q_OBJECT
public:
    QVoScrollBarStyle();

    const ScrollBarStyleParams &params() const { return m_params; }
    void setParams(const ScrollBarStyleParams &params) { m_params = params; }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr, const QWidget *widget = nullptr) const override;

private:
    void drawArrow(QPainter *p, const QRect &rect, bool subLine, bool horizontal, int state) const;

    ScrollBarStyleParams m_params;
};
