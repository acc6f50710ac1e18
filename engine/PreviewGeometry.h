#pragma once
// The rules by which the crop rectangle and the watermark boxes are hit,
// dragged and resized on the preview picture. Rectangles are fractions of
// the picture; the picture area is where the picture is drawn inside its
// pane, in pane pixels (edges inclusive).
#include "VEEditConfig.h"

#include <QPoint>
#include <QRect>
#include <Qt>

namespace previewgeometry {

// Zones of a rectangle under the pointer: 0 none, 1 top-left, 2 bottom-left,
// 3 left, 4 top-right, 5 bottom-right, 6 right, 7 top, 8 bottom, 9 inside.
enum Zone { None = 0, TopLeft, BottomLeft, Left, TopRight, BottomRight, Right, Top, Bottom, Inside };

constexpr int kEdgeTolerance = 4;   // pixels either side of an edge line
constexpr double kMinFraction = 0.02; // no edge comes nearer its opposite
constexpr int kMinCropPixels = 20;

// Pixel rectangle of a fraction rectangle in the area (truncating).
QRect pixelRect(const QRect &area, double x, double y, double w, double h);
int hitZone(const QRect &area, double x, double y, double w, double h, const QPoint &p);
Qt::CursorShape cursorFor(int zone);

bool movesLeft(int zone);
bool movesRight(int zone);
bool movesTop(int zone);
bool movesBottom(int zone);

// The crop rectangle after dragging zone from press to pointer, starting at
// saved; crop gives the pan-scan state, rotation and mode.
VERect dragCrop(int zone, const QPoint &press, const QPoint &pointer, const VERect &saved, const QRect &area,
                const VECropSettings &crop);
// A crop size in whole pixels, rounded down to even, for a fraction of a
// size in pixels; the whole size when the fraction reaches it.
int evenCropPixels(double fraction, int size);
// Stores a dragged rectangle in crop (both rectangles) with the ratio terms
// that follow it; sourceSize in source pixels.
void storeCrop(VECropSettings &crop, const VERect &rect, const QSize &sourceSize);

struct Box {
    double x = 0, y = 0, w = 0, h = 0;
    int scaleX = 100, scaleY = 100;
};
// A watermark box dragged from press to pointer, from its state at the press.
Box dragBox(int zone, const QPoint &press, const QPoint &pointer, const Box &saved, const QRect &area);

} // namespace previewgeometry
