#pragma once
// Loading and painting of the toolkit's pictures: state strips (four frames
// side by side), nine-part backgrounds, and the sharper "@2x" twin of every
// picture when the screen scale asks for it.
#include <QPixmap>
#include <QRect>
#include <QString>

class QPainter;

namespace skin {

// The application folder + a path such as "/image/btn_close.png". A path
// that already names an existing file is returned unchanged.
QString path(const QString &relativeOrFull);

// Loads a picture; with a device pixel ratio above 1 and a "name@2x.png"
// beside it, the twin is loaded and marked as 2x. Empty pixmap on failure.
QPixmap load(const QString &relativeOrFull);
// The same for an explicit device pixel ratio.
QPixmap load(const QString &relativeOrFull, qreal devicePixelRatio);

// Size of a picture in logical pixels (device pixels / device pixel ratio).
QSize logicalSize(const QPixmap &pixmap);

// Rectangle of one of `frames` equal frames, in the picture's own pixels.
QRect frameSource(const QPixmap &pixmap, int frame, int frames = 4);
// Logical size of one frame.
QSize frameSize(const QPixmap &pixmap, int frames = 4);

// Corner sizes of a nine-part picture, in logical pixels.
struct NineCorners {
    int leftTopWidth = 0, leftTopHeight = 0;
    int rightTopWidth = 0, rightTopHeight = 0;
    int leftBottomWidth = 0, leftBottomHeight = 0;
    int rightBottomWidth = 0, rightBottomHeight = 0;

    // Every corner a third of the picture's width and height.
    static NineCorners thirds(const QSize &logical);
    static NineCorners uniform(int size);
    bool operator==(const NineCorners &o) const;
};

// Paints `source` (a part of `pixmap`, in its own pixels; the whole picture
// when null) over `target`: corners unscaled, edges stretched along their
// length, the centre stretched both ways. Pieces that would get no room are
// skipped.
void drawNinePart(QPainter &painter, const QRect &target, const QPixmap &pixmap, const NineCorners &corners,
                  const QRect &source = QRect());

// Paints frame `frame` of a state strip over `target` (stretched as is).
void drawFrame(QPainter &painter, const QRect &target, const QPixmap &pixmap, int frame, int frames = 4);

// A bar picture stretched to width: its left and right caps (cap logical
// pixels, at most half of either width) keep their size, the middle
// stretches. Drawn at x, centred vertically in an area areaHeight high.
void drawThreePart(QPainter &painter, const QPixmap &pixmap, int x, int width, int areaHeight, int cap);

} // namespace skin
