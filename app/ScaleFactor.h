#pragma once
#include <QString>
#include <functional>

// Horizontal screen size in logical and physical pixels; 0 when unknown.
struct ScreenWidths {
    int logical = 0;
    int physical = 0;
};

// Reads the screen widths before any Qt object exists: the X screen width
// is the physical width, and the logical width is what it amounts to at the
// desktop's Xft.dpi setting (96 dpi = 1:1). Zeros without an X display.
ScreenWidths queryScreenWidths();

// The factor text: physical / logical as a single-precision value in Qt's
// 'g' format with 6 significant digits; empty when either width is 0.
QString scaleFactorText(int logical, int physical);

// Sets QT_SCALE_FACTOR from the widths the provider returns. Runs once per
// process: later calls do nothing, not even ask the provider.
void applyScaleFactor(const std::function<ScreenWidths()> &provider = queryScreenWidths);
