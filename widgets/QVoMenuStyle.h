#pragma once
// The proxy style that draws QVoMenu: flat panel, highlighted selected row,
// dimmed disabled rows and thin separators, in colours the menu sets.
#include <QColor>
#include <QProxyStyle>

struct MenuStyleParams {
    int panelWidth = 3;
    QColor panel{225, 225, 225};
    QColor emptyArea{225, 225, 225};
    QColor third{225, 225, 225}; // kept with the others; drawing does not use it
    QColor text{0, 0, 0};
    QColor selectedBackground{144, 200, 246};
    QColor selectedText{255, 255, 255};
    QColor disabledOverlay{225, 225, 225};
    QColor disabledText{109, 109, 109};
    QColor separator{0, 223, 223};
    int smallIconSize = 15;
};

class QVoMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    QVoMenuStyle();

    MenuStyleParams &params() { return m_params; }
    const MenuStyleParams &params() const { return m_params; }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr, const QWidget *widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget = nullptr) const override;

    // Where the item text starts, and how wide the icon column is.
    static constexpr int kIconColumn = 20;
    static constexpr int kTextGap = 7;
    static constexpr int kTextInset = 8;

private:
    void drawMenuItem(const class QStyleOptionMenuItem *item, QPainter *p, const QWidget *widget) const;

    MenuStyleParams m_params;
};
