#include "Skin.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace skin {
namespace {

// A rectangle whose 1-pixel outline falls on pixel centres.
QRectF strokeRect(const QRectF &r) { return r.adjusted(0.5, 0.5, -0.5, -0.5); }

void plate(QPainter &p, const QRectF &r, const QColor &fill, const QColor &border, qreal radius)
{
    p.setPen(border.isValid() ? QPen(border, 1) : QPen(Qt::NoPen));
    p.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    p.drawRoundedRect(border.isValid() ? strokeRect(r) : r, radius, radius);
}

// Glyph box: 16-unit glyphs look best at 12, 16 or 24 logical pixels.
QRectF glyphBox(const QRectF &frame)
{
    const int s = int(qMin(frame.width(), frame.height()));
    int g = s <= 14 ? s - 2 : s <= 22 ? 12 : s <= 40 ? 16 : 24;
    g = qMax(g, 4);
    return QRectF(frame.x() + qFloor((frame.width() - g) / 2), frame.y() + qFloor((frame.height() - g) / 2), g, g);
}

QColor grey(int v, int alpha = 255) { return QColor(v, v, v, alpha); }

// offset moves the glyph sideways, for buttons that carry a badge on the right.
void glyphButton(QPainter &p, const QRectF &r, int state, Glyph g, int offset)
{
    const QRectF back = r.adjusted(1, 1, -1, -1);
    const qreal radius = qMin<qreal>(4, r.height() / 4);
    QColor ink = colour::glyph();
    if (state == 1) {
        plate(p, back, colour::panelRaised(), QColor(), radius);
        ink = grey(244);
    } else if (state == 2) {
        plate(p, back, colour::highlight(), QColor(), radius);
        ink = Qt::white;
    } else if (state == 3) {
        ink = colour::glyphDisabled();
    }
    drawGlyph(p, g, glyphBox(r).translated(offset, 0), ink);
}

// The same for the light header of the segment list: a light glyph would
// vanish there.
void lightBarGlyph(QPainter &p, const QRectF &r, int state, Glyph g, int offset)
{
    const QRectF back = r.adjusted(1, 1, -1, -1);
    const qreal radius = qMin<qreal>(4, r.height() / 4);
    QColor ink = grey(72);
    if (state == 1) {
        plate(p, back, grey(196), QColor(), radius);
        ink = grey(28);
    } else if (state == 2) {
        plate(p, back, colour::highlight(), QColor(), radius);
        ink = Qt::white;
    } else if (state == 3) {
        ink = grey(172);
    }
    drawGlyph(p, g, glyphBox(r).translated(offset, 0), ink);
}

void accentButton(QPainter &p, const QRectF &r, int state, Glyph g)
{
    const QColor fills[4] = {colour::accent(), colour::accentLight(), colour::accentDark(), grey(78)};
    const qreal d = qMin(r.width(), r.height()) - 2;
    const QRectF disc(r.center().x() - d / 2, r.center().y() - d / 2, d, d);
    p.setPen(Qt::NoPen);
    p.setBrush(fills[state]);
    p.drawEllipse(disc);
    QRectF box = glyphBox(r);
    const qreal shrink = box.width() / 8; // leave the disc a margin round the glyph
    box.adjust(shrink, shrink, -shrink, -shrink);
    if (g == Glyph::Play)
        box.translate(box.width() / 16, 0); // optical centre of a triangle
    drawGlyph(p, g, box, state == 3 ? grey(150) : QColor(Qt::white));
}

void closeButton(QPainter &p, const QRectF &r, int state)
{
    QColor ink = colour::glyph();
    if (state == 1 || state == 2) {
        plate(p, r.adjusted(1, 1, -1, -1), state == 1 ? colour::danger() : colour::danger().darker(125), QColor(), 3);
        ink = Qt::white;
    } else if (state == 3) {
        ink = colour::glyphDisabled();
    }
    drawGlyph(p, Glyph::Close, glyphBox(r), ink);
}

void pushPlate(QPainter &p, const QRectF &r, int state, bool accent, Glyph g)
{
    const qreal radius = qMin<qreal>(4, r.height() / 4);
    static const QColor neutralFill[4] = {grey(74), grey(90), grey(105), grey(58)};
    static const QColor neutralBorder[4] = {grey(96), grey(122), grey(138), grey(66)};
    const QColor accentFill[4] = {colour::accent(), colour::accentLight(), colour::accentDark(), QColor(92, 76, 62)};
    const QColor accentBorder[4] = {colour::accentLight(), QColor(250, 182, 118), colour::accent(), QColor(104, 88, 74)};
    plate(p, r, accent ? accentFill[state] : neutralFill[state], accent ? accentBorder[state] : neutralBorder[state], radius);
    if (g != Glyph::None)
        drawGlyph(p, g, glyphBox(r.adjusted(2, 2, -2, -2)), state == 3 ? colour::glyphDisabled() : grey(236));
}

void tab(QPainter &p, const QRectF &r, int state, Recipe recipe)
{
    if (recipe == Recipe::DarkTab) {
        static const QColor fill[4] = {grey(40), grey(58), grey(74), grey(36)};
        p.fillRect(r, fill[state]);
        if (state == 2)
            p.fillRect(QRectF(r.left(), r.bottom() - 2, r.width(), 2), colour::accent());
    } else if (recipe == Recipe::SideTab) {
        if (state == 1)
            p.fillRect(r, grey(74));
        else if (state == 2)
            p.fillRect(r, grey(88));
        else if (state == 3)
            p.fillRect(r, grey(48)); // sunk into the side strip
        if (state == 2)
            p.fillRect(QRectF(r.left(), r.top(), 3, r.height()), colour::accent());
    } else { // LightTab: dark text on a light bar
        static const QColor fill[4] = {grey(196), grey(214), grey(240), grey(160)};
        QPainterPath path;
        path.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, 3), 3, 3);
        p.setClipRect(r);
        p.setPen(QPen(grey(150), 1));
        p.setBrush(fill[state]);
        p.drawPath(path);
        p.setClipping(false);
        if (state == 2)
            p.fillRect(QRectF(r.left() + 1, r.bottom() - 2, r.width() - 2, 2), colour::accent());
    }
}

void fieldStates(QPainter &p, const QRectF &r, int state)
{
    const QColor border[4] = {colour::border(), grey(122), colour::accent(), grey(62)};
    plate(p, r, state == 3 ? grey(46) : grey(38), border[state], 3);
}

void tile(QPainter &p, const QRectF &r, int state)
{
    switch (state) {
    case 0: plate(p, r.adjusted(1, 1, -1, -1), grey(58), QColor(), 4); break;
    case 1: plate(p, r.adjusted(1, 1, -1, -1), grey(74), grey(110), 4); break;
    case 2:
        plate(p, r.adjusted(1, 1, -1, -1), grey(74), QColor(), 4);
        p.setPen(QPen(colour::accent(), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 4, 4);
        break;
    default: plate(p, r.adjusted(1, 1, -1, -1), grey(48), QColor(), 4); break;
    }
}

QColor handleInk(int state)
{
    const QColor ink[4] = {grey(214), Qt::white, colour::accentLight(), grey(108)};
    return ink[state];
}

// Range handles are brackets: the start handle opens to the right, the end
// handle to the left, so the kept range reads between them.
void handleBracket(QPainter &p, const QRectF &r, int state, bool start)
{
    const qreal bar = qMax<qreal>(3, r.width() / 3);
    const qreal tabH = 3;
    p.setPen(Qt::NoPen);
    p.setBrush(handleInk(state));
    QPainterPath path;
    const qreal x = start ? r.left() + 2 : r.right() - 2 - bar;
    path.addRoundedRect(QRectF(x, r.top(), bar, r.height()), 1, 1);
    const qreal tabX = start ? x : r.left() + 1;
    const qreal tabW = start ? r.right() - 1 - x : x + bar - tabX;
    path.addRect(QRectF(tabX, r.top(), tabW, tabH));
    path.addRect(QRectF(tabX, r.bottom() - tabH, tabW, tabH));
    path.setFillRule(Qt::WindingFill);
    p.drawPath(path.simplified());
    // A grip notch in the bar.
    p.setBrush(grey(state == 3 ? 70 : 90));
    p.drawRect(QRectF(x + bar / 2 - 0.5, r.center().y() - 3, 1, 6));
}

void handleHead(QPainter &p, const QRectF &r, int state)
{
    const QColor ink[4] = {colour::accent(), colour::accentLight(), Qt::white, grey(108)};
    p.setPen(Qt::NoPen);
    p.setBrush(ink[state]);
    const qreal w = r.width();
    const qreal cx = r.left() + w / 2;
    const qreal head = qMin<qreal>(w * 0.8, 7);
    p.drawPolygon(QPolygonF(QVector<QPointF>{{r.left(), r.top()}, {r.right(), r.top()}, {r.right(), r.top() + head * 0.5},
                                             {cx, r.top() + head + 1}, {r.left(), r.top() + head * 0.5}}));
    p.drawRect(QRectF(qFloor(cx) - 1 + (int(w) % 2 ? 0.5 : 0), r.top() + head, 2, r.height() - head));
}

void handleRound(QPainter &p, const QRectF &r, int state)
{
    const QColor fill[4] = {grey(226), Qt::white, colour::accentLight(), grey(108)};
    p.setPen(QPen(grey(state == 2 ? 120 : 150), 1));
    p.setBrush(fill[state]);
    p.drawEllipse(strokeRect(r.adjusted(0, 0, 0, 0)));
}

void handleGrip(QPainter &p, const QRectF &r, int state)
{
    const QColor fill[4] = {grey(66), grey(86), grey(105), grey(52)};
    plate(p, r, fill[state], QColor(), r.height() / 2);
    drawGlyph(p, Glyph::Grip, QRectF(r.center().x() - 8, r.center().y() - 8, 16, 16), state == 3 ? grey(90) : grey(170));
}

void smallArrow(QPainter &p, const QRectF &r, int state, Glyph g, bool dark)
{
    if (dark) {
        const QColor ink[4] = {grey(200), Qt::white, colour::accentLight(), colour::glyphDisabled()};
        if (state == 2)
            plate(p, r, grey(74), QColor(), 2);
        drawGlyph(p, g, r, ink[state]);
    } else {
        const QColor ink[4] = {grey(86), grey(30), Qt::black, grey(168)};
        if (state == 1)
            plate(p, r, grey(200), QColor(), 2);
        else if (state == 2)
            plate(p, r, grey(176), QColor(), 2);
        drawGlyph(p, g, r, ink[state]);
    }
}

void checkBox(QPainter &p, const QRectF &r, bool on, bool radio)
{
    if (radio) {
        p.setPen(QPen(on ? colour::accent() : grey(150), 1.2));
        p.setBrush(grey(40));
        p.drawEllipse(r.adjusted(1.5, 1.5, -1.5, -1.5));
        if (on) {
            p.setPen(Qt::NoPen);
            p.setBrush(colour::accent());
            p.drawEllipse(r.center(), r.width() / 4.5, r.width() / 4.5);
        }
        return;
    }
    if (on) {
        plate(p, r.adjusted(0.5, 0.5, -0.5, -0.5), colour::accent(), QColor(), 2.5);
        drawGlyph(p, Glyph::Check, r, Qt::white);
    } else {
        plate(p, r.adjusted(0.5, 0.5, -0.5, -0.5), grey(40), grey(150), 2.5);
    }
}

void panel(QPainter &p, const QRectF &r, int titleHeight, bool plain)
{
    const qreal radius = 5;
    QPainterPath body;
    body.addRoundedRect(r, radius, radius);
    p.setPen(Qt::NoPen);
    p.setBrush(plain ? grey(46) : colour::panel());
    p.drawPath(body);
    if (titleHeight > 0) {
        p.save();
        p.setClipPath(body);
        QLinearGradient band(0, 0, 0, titleHeight);
        band.setColorAt(0, grey(46));
        band.setColorAt(1, colour::titleBand());
        p.fillRect(QRectF(r.left(), r.top(), r.width(), titleHeight), band);
        p.fillRect(QRectF(r.left(), r.top() + titleHeight, r.width(), 1), grey(30));
        p.restore();
    }
    p.setPen(QPen(plain ? grey(62) : grey(78), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(strokeRect(r), radius, radius);
}

void track(QPainter &p, const QRectF &r, bool fill)
{
    const qreal radius = r.height() / 2;
    if (fill) {
        QLinearGradient g(0, r.top(), 0, r.bottom());
        g.setColorAt(0, colour::accentLight());
        g.setColorAt(1, colour::accent());
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(r, radius, radius);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(grey(26));
        p.drawRoundedRect(r, radius, radius);
        if (r.height() >= 6) {
            p.setPen(QPen(grey(70), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(strokeRect(r), radius, radius);
        }
    }
}

void messageIcon(QPainter &p, const QRectF &r, Glyph g, int kind)
{
    const QColor discs[3] = {colour::success(), colour::danger(), colour::info()};
    p.setPen(Qt::NoPen);
    p.setBrush(discs[qBound(0, kind, 2)]);
    p.drawEllipse(r.adjusted(1, 1, -1, -1));
    const qreal s = r.width() * 0.56;
    drawGlyph(p, g, QRectF(r.center().x() - s / 2, r.center().y() - s / 2, s, s), Qt::white);
}

void warningIcon(QPainter &p, const QRectF &r)
{
    QPainterPath tri;
    const qreal m = 1.5;
    tri.moveTo(r.center().x(), r.top() + m + 1);
    tri.lineTo(r.right() - m, r.bottom() - m - 2);
    tri.lineTo(r.left() + m, r.bottom() - m - 2);
    tri.closeSubpath();
    p.setPen(QPen(colour::warning(), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour::warning());
    p.drawPath(tri);
    const qreal s = r.width() * 0.5;
    drawGlyph(p, Glyph::Exclamation, QRectF(r.center().x() - s / 2, r.center().y() - s / 2 + r.height() * 0.08, s, s), grey(40));
}

// The program's mark: a play triangle on an accent tile, cut through by a
// diagonal gap - one clip taken out of a stream. Its proportions, shared by
// the painted pictures and the scalable icon.
namespace mark {
constexpr qreal cornerRadius = 0.22;
constexpr qreal playLeft = 0.32, playTop = 0.24, playTip = 0.78, playBottom = 0.76;
constexpr qreal cutFromX = 0.36, cutFromY = 0.82, cutToX = 0.66, cutToY = 0.18;
constexpr qreal cutWidth = 0.09;
} // namespace mark

void logo(QPainter &p, const QRectF &r)
{
    const qreal radius = r.width() * mark::cornerRadius;
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, colour::accentLight());
    g.setColorAt(1, colour::accentDark());
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    const qreal s = r.width();
    QPainterPath play;
    play.moveTo(r.left() + s * mark::playLeft, r.top() + s * mark::playTop);
    play.lineTo(r.left() + s * mark::playTip, r.top() + s * 0.5);
    play.lineTo(r.left() + s * mark::playLeft, r.top() + s * mark::playBottom);
    play.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(play);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.setPen(QPen(colour::accent(), qMax<qreal>(1.5, s * mark::cutWidth), Qt::SolidLine, Qt::FlatCap));
    p.setClipPath(play);
    p.drawLine(QPointF(r.left() + s * mark::cutFromX, r.top() + s * mark::cutFromY),
               QPointF(r.left() + s * mark::cutToX, r.top() + s * mark::cutToY));
    p.setClipping(false);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void badge(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(255, 196, 140), 1));
    p.setBrush(QColor(240, 120, 32));
    p.drawEllipse(strokeRect(r));
}

void placeholder(QPainter &p, const QRectF &r, Glyph g)
{
    plate(p, r, grey(40), grey(70), 3);
    const qreal s = qFloor(qMin(r.width(), r.height()) * 0.55);
    drawGlyph(p, g, QRectF(r.center().x() - s / 2, r.center().y() - s / 2, s, s), grey(118));
}

void faintGlyph(QPainter &p, const QRectF &r, Glyph g, bool levelBars)
{
    if (levelBars) {
        // Quiet level bars behind the note, as the audio-only view.
        const int bars = 36;
        const qreal step = r.width() / bars;
        for (int i = 0; i < bars; ++i) {
            const qreal h = r.height() * (0.12 + 0.28 * qAbs(qSin(i * 0.55)) * (0.6 + 0.4 * qCos(i * 0.23)));
            p.fillRect(QRectF(r.left() + i * step + step * 0.25, r.bottom() - h, step * 0.5, h), grey(58));
        }
    }
    const qreal s = qFloor(qMin(r.width(), r.height()) * (levelBars ? 0.42 : 0.7));
    drawGlyph(p, g, QRectF(r.center().x() - s / 2, r.center().y() - s / 2 - (levelBars ? r.height() * 0.1 : 0), s, s), grey(86));
}

// Eight 5 x 5 handle pieces (corners and edge midpoints) and a 16 x 16 move
// mark in the centre, cut out by the frame widgets at these positions.
void frameHandles(QPainter &p, const QRectF &r)
{
    const qreal w = r.width(), h = r.height();
    const qreal mx = qFloor((w - 5) / 2), my = qFloor((h - 5) / 2);
    const QPointF corners[8] = {{0, 0}, {mx, 0}, {w - 5, 0}, {0, my}, {w - 5, my}, {0, h - 5}, {mx, h - 5}, {w - 5, h - 5}};
    for (const QPointF &c : corners) {
        p.fillRect(QRectF(r.topLeft() + c, QSizeF(5, 5)), grey(30));
        p.fillRect(QRectF(r.topLeft() + c + QPointF(1, 1), QSizeF(3, 3)), Qt::white);
    }
    const QRectF centre(r.left() + qFloor((w - 16) / 2), r.top() + qFloor((h - 16) / 2), 16, 16);
    p.setPen(Qt::NoPen);
    p.setBrush(grey(30, 160));
    p.drawEllipse(centre);
    p.setBrush(Qt::white);
    const QPointF c = centre.center();
    p.drawRect(QRectF(c.x() - 0.75, centre.top() + 3, 1.5, 10));
    p.drawRect(QRectF(centre.left() + 3, c.y() - 0.75, 10, 1.5));
    auto tri = [&](QPointF a, QPointF b, QPointF d) { p.drawPolygon(QPolygonF(QVector<QPointF>{a, b, d})); };
    tri({c.x(), centre.top() + 1.5}, {c.x() - 2.5, centre.top() + 4}, {c.x() + 2.5, centre.top() + 4});
    tri({c.x(), centre.bottom() - 1.5}, {c.x() - 2.5, centre.bottom() - 4}, {c.x() + 2.5, centre.bottom() - 4});
    tri({centre.left() + 1.5, c.y()}, {centre.left() + 4, c.y() - 2.5}, {centre.left() + 4, c.y() + 2.5});
    tri({centre.right() - 1.5, c.y()}, {centre.right() - 4, c.y() - 2.5}, {centre.right() - 4, c.y() + 2.5});
}

void scrollArrow(QPainter &p, const QRectF &r, Glyph g, bool hover)
{
    p.setPen(Qt::NoPen);
    p.setBrush(hover ? grey(200) : grey(120));
    const qreal cx = r.center().x();
    if (g == Glyph::ArrowUp)
        p.drawPolygon(QPolygonF(QVector<QPointF>{{cx, r.top() + 2.5}, {r.right() - 0.5, r.bottom() - 2}, {r.left() + 0.5, r.bottom() - 2}}));
    else
        p.drawPolygon(QPolygonF(QVector<QPointF>{{r.left() + 0.5, r.top() + 2}, {r.right() - 0.5, r.top() + 2}, {cx, r.bottom() - 2.5}}));
}

// Arrows of the drawn scroll bar: a quiet triangle that lights under the
// mouse and takes the accent while pressed.
void scrollArrowStates(QPainter &p, const QRectF &r, int state, Glyph g)
{
    const QColor ink[4] = {grey(150), grey(236), colour::accentLight(), grey(78)};
    if (state == 1)
        plate(p, r.adjusted(0.5, 0.5, -0.5, -0.5), grey(74), QColor(), 2);
    else if (state == 2)
        plate(p, r.adjusted(0.5, 0.5, -0.5, -0.5), grey(90), QColor(), 2);
    const qreal s = qMin(r.width(), r.height()) - 2;
    drawGlyph(p, g, QRectF(r.center().x() - s / 2, r.center().y() - s / 2, s, s), ink[state]);
}

// A document with a folded corner: a coloured band carries the container
// name, the glyph above it says video or audio.
void formatIcon(QPainter &p, const QRectF &r, const Picture &pic)
{
    const QColor bands[4] = {colour::info(), colour::success(), colour::accent(), grey(150)};
    const QColor band = bands[qBound(0, pic.param, 3)];
    const QRectF doc = r.adjusted(3.5, 1.5, -3.5, -1.5);
    const qreal fold = doc.width() * 0.28;
    QPainterPath page;
    page.moveTo(doc.topLeft());
    page.lineTo(doc.right() - fold, doc.top());
    page.lineTo(doc.right(), doc.top() + fold);
    page.lineTo(doc.bottomRight());
    page.lineTo(doc.bottomLeft());
    page.closeSubpath();
    p.setPen(QPen(grey(120), 1));
    p.setBrush(grey(236));
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(doc.right() - fold, doc.top());
    corner.lineTo(doc.right() - fold, doc.top() + fold);
    corner.lineTo(doc.right(), doc.top() + fold);
    corner.closeSubpath();
    p.setBrush(grey(190));
    p.drawPath(corner);

    const QString label = formatIconLabel(pic.path);
    const QRectF strip(doc.left() - 2, doc.bottom() - doc.height() * 0.42, doc.width() + 4, doc.height() * 0.3);
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRoundedRect(strip, 1.5, 1.5);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    qreal size = strip.height() * 0.78;
    font.setPixelSize(qMax(1, qRound(size)));
    // Long names get a smaller face rather than being clipped.
    while (size > 4 && QFontMetricsF(font).horizontalAdvance(label) > strip.width() - 2) {
        size -= 0.5;
        font.setPixelSize(qMax(1, qRound(size)));
    }
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(strip, Qt::AlignCenter, label);

    const qreal g = qFloor(doc.height() * 0.4);
    drawGlyph(p, pic.glyph, QRectF(doc.center().x() - g / 2 - fold * 0.15, doc.top() + doc.height() * 0.1, g, g), band.darker(115));
}

void paintFrame(QPainter &p, const Picture &pic, const QRectF &r, int state)
{
    switch (pic.recipe) {
    case Recipe::GlyphButton: glyphButton(p, r, state, pic.glyph, pic.param); break;
    case Recipe::LightBarGlyph: lightBarGlyph(p, r, state, pic.glyph, pic.param); break;
    case Recipe::AccentButton: accentButton(p, r, state, pic.glyph); break;
    case Recipe::CloseButton: closeButton(p, r, state); break;
    case Recipe::PlateButton: pushPlate(p, r, state, false, pic.glyph); break;
    case Recipe::AccentPlate: pushPlate(p, r, state, true, pic.glyph); break;
    case Recipe::DarkTab:
    case Recipe::SideTab:
    case Recipe::LightTab: tab(p, r, state, pic.recipe); break;
    case Recipe::FieldStates: fieldStates(p, r, state); break;
    case Recipe::Tile: tile(p, r, state); break;
    case Recipe::HandleStart: handleBracket(p, r, state, true); break;
    case Recipe::HandleEnd: handleBracket(p, r, state, false); break;
    case Recipe::HandleHead: handleHead(p, r, state); break;
    case Recipe::HandleRound: handleRound(p, r, state); break;
    case Recipe::HandleGrip: handleGrip(p, r, state); break;
    case Recipe::SmallArrow: smallArrow(p, r, state, pic.glyph, false); break;
    case Recipe::DarkArrow: smallArrow(p, r, state, pic.glyph, true); break;
    case Recipe::ScrollArrow: scrollArrow(p, r, pic.glyph, pic.param == 1); break;
    case Recipe::CheckOff: checkBox(p, r, false, false); break;
    case Recipe::CheckOn: checkBox(p, r, true, false); break;
    case Recipe::RadioOff: checkBox(p, r, false, true); break;
    case Recipe::RadioOn: checkBox(p, r, true, true); break;
    case Recipe::Panel: panel(p, r, pic.param, false); break;
    case Recipe::PlainPanel: panel(p, r, 0, true); break;
    case Recipe::Field: plate(p, r, grey(36), colour::border(), 3); break;
    case Recipe::LightField: plate(p, r, grey(222), grey(150), 3); break;
    case Recipe::Track: track(p, r, false); break;
    case Recipe::TrackFill: track(p, r, true); break;
    case Recipe::HandleArea: plate(p, r, grey(40), grey(62), 4); break;
    case Recipe::MessageIcon: messageIcon(p, r, pic.glyph, pic.param); break;
    case Recipe::WarningIcon: warningIcon(p, r); break;
    case Recipe::Logo: logo(p, r); break;
    case Recipe::Badge: badge(p, r); break;
    case Recipe::Placeholder: placeholder(p, r, pic.glyph); break;
    case Recipe::FaintGlyph: faintGlyph(p, r, pic.glyph, pic.param == 1); break;
    case Recipe::FrameHandles: frameHandles(p, r); break;
    case Recipe::ScrollArrowStates: scrollArrowStates(p, r, state, pic.glyph); break;
    case Recipe::FormatIcon: formatIcon(p, r, pic); break;
    }
}

} // namespace

QImage render(const Picture &pic, int scale)
{
    const int frames = isStateRecipe(pic.recipe) ? 4 : 1;
    QImage image(pic.width * frames * scale, pic.height * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(scale, scale);
    for (int i = 0; i < frames; ++i) {
        p.save();
        const QRectF frame(i * pic.width, 0, pic.width, pic.height);
        p.setClipRect(frame);
        paintFrame(p, pic, frame, i);
        p.restore();
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QString logoSvg()
{
    const int s = 256;
    auto n = [s](qreal f) { return QString::number(f * s, 'f', 2); };
    auto hex = [](const QColor &c) { return c.name(QColor::HexRgb); };
    const QString play = QStringLiteral("M %1 %2 L %3 %4 L %1 %5 Z")
                             .arg(n(mark::playLeft), n(mark::playTop), n(mark::playTip), n(0.5), n(mark::playBottom));
    QString svg;
    svg += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    svg += QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n").arg(s);
    svg += QStringLiteral("  <defs>\n"
                          "    <linearGradient id=\"tile\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\">\n"
                          "      <stop offset=\"0\" stop-color=\"%1\"/>\n"
                          "      <stop offset=\"1\" stop-color=\"%2\"/>\n"
                          "    </linearGradient>\n"
                          "    <clipPath id=\"play\"><path d=\"%3\"/></clipPath>\n"
                          "  </defs>\n")
               .arg(hex(colour::accentLight()), hex(colour::accentDark()), play);
    svg += QStringLiteral("  <rect width=\"%1\" height=\"%1\" rx=\"%2\" ry=\"%2\" fill=\"url(#tile)\"/>\n").arg(s).arg(n(mark::cornerRadius));
    svg += QStringLiteral("  <path d=\"%1\" fill=\"#ffffff\"/>\n").arg(play);
    svg += QStringLiteral("  <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" stroke-width=\"%6\" clip-path=\"url(#play)\"/>\n")
               .arg(n(mark::cutFromX), n(mark::cutFromY), n(mark::cutToX), n(mark::cutToY), hex(colour::accent()), n(mark::cutWidth));
    svg += QStringLiteral("</svg>\n");
    return svg;
}

} // namespace skin
