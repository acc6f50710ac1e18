#include "Glyphs.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

// Every glyph is laid out on a 16 x 16 grid; the painter is scaled so that
// one grid unit is one logical pixel of a 16-pixel box. Filled shapes sit on
// whole units and 1-unit strokes on half units, which keeps them crisp at 1x.
namespace {

void fillPolygon(QPainter &p, std::initializer_list<QPointF> points)
{
    p.drawPolygon(QPolygonF(QVector<QPointF>(points)));
}

void strokePen(QPainter &p, const QColor &c, qreal width)
{
    QPen pen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
}

void fillWith(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
}

void triangleRight(QPainter &p, qreal x, qreal top, qreal bottom, qreal tip)
{
    fillPolygon(p, {{x, top}, {tip, (top + bottom) / 2}, {x, bottom}});
}

void triangleLeft(QPainter &p, qreal x, qreal top, qreal bottom, qreal tip)
{
    fillPolygon(p, {{x, top}, {tip, (top + bottom) / 2}, {x, bottom}});
}

// A three-quarter circle whose arrow head sits at the end of the turn: the
// turn ends at the top, so the head points left (anticlockwise) or right
// (clockwise) and the open quarter lies behind it.
void rotateArrow(QPainter &p, const QColor &c, bool clockwise)
{
    strokePen(p, c, 1.6);
    const QRectF arc(3, 3.5, 10, 10);
    if (clockwise) {
        p.drawArc(arc, -10 * 16, -270 * 16);
        fillWith(p, c);
        fillPolygon(p, {{7.4, 1.2}, {11.6, 3.6}, {7.4, 6.0}});
    } else {
        p.drawArc(arc, 190 * 16, 270 * 16);
        fillWith(p, c);
        fillPolygon(p, {{8.6, 1.2}, {4.4, 3.6}, {8.6, 6.0}});
    }
}

void flip(QPainter &p, const QColor &c, bool horizontal)
{
    if (!horizontal) {
        p.translate(16, 0);
        p.rotate(90);
    }
    // Two mirrored halves around a dashed axis.
    fillWith(p, c);
    fillPolygon(p, {{1.5, 12.5}, {6.5, 3.5}, {6.5, 12.5}});
    strokePen(p, c, 1.0);
    p.drawPolygon(QPolygonF(QVector<QPointF>{{14.5, 12.5}, {9.5, 3.5}, {9.5, 12.5}}));
    QPen dash(c, 1.0, Qt::DashLine, Qt::FlatCap);
    dash.setDashPattern({1.5, 1.5});
    p.setPen(dash);
    p.drawLine(QPointF(8, 1), QPointF(8, 15));
}

} // namespace

namespace {
void drawGlyphDirect(QPainter &p, Glyph glyph, const QRectF &box, const QColor &c)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(box.topLeft());
    p.scale(box.width() / 16.0, box.height() / 16.0);
    fillWith(p, c);

    switch (glyph) {
    case Glyph::None:
        break;
    case Glyph::Play:
        triangleRight(p, 4, 2, 14, 14);
        break;
    case Glyph::Pause:
        p.drawRect(QRectF(3.5, 2.5, 3.5, 11));
        p.drawRect(QRectF(9, 2.5, 3.5, 11));
        break;
    case Glyph::Stop:
        p.drawRoundedRect(QRectF(3, 3, 10, 10), 1, 1);
        break;
    case Glyph::PreviousFrame:
        p.drawRect(QRectF(2.5, 3, 2, 10));
        triangleLeft(p, 13, 3, 13, 5.5);
        break;
    case Glyph::NextFrame:
        triangleRight(p, 3, 3, 13, 10.5);
        p.drawRect(QRectF(11.5, 3, 2, 10));
        break;
    case Glyph::PreviousKeyFrame:
        p.drawRect(QRectF(1.5, 3, 2, 10));
        triangleLeft(p, 9, 3, 13, 4);
        triangleLeft(p, 14.5, 3, 13, 9.5);
        break;
    case Glyph::NextKeyFrame:
        triangleRight(p, 1.5, 3, 13, 6.5);
        triangleRight(p, 7, 3, 13, 12);
        p.drawRect(QRectF(12.5, 3, 2, 10));
        break;
    case Glyph::PreviousFile:
        p.drawRect(QRectF(3, 3, 2, 10));
        triangleLeft(p, 13, 3, 13, 5.5);
        p.drawRect(QRectF(1, 3, 1, 10));
        break;
    case Glyph::NextFile:
        triangleRight(p, 3, 3, 13, 10.5);
        p.drawRect(QRectF(11, 3, 2, 10));
        p.drawRect(QRectF(14, 3, 1, 10));
        break;
    case Glyph::PlaySection:
        p.drawRect(QRectF(1.5, 2, 1.5, 12));
        p.drawRect(QRectF(13, 2, 1.5, 12));
        triangleRight(p, 5.5, 4, 12, 11.5);
        break;
    case Glyph::PauseSection:
        p.drawRect(QRectF(1.5, 2, 1.5, 12));
        p.drawRect(QRectF(13, 2, 1.5, 12));
        p.drawRect(QRectF(5, 4, 2.2, 8));
        p.drawRect(QRectF(8.8, 4, 2.2, 8));
        break;
    case Glyph::StopSection:
        p.drawRect(QRectF(1.5, 2, 1.5, 12));
        p.drawRect(QRectF(13, 2, 1.5, 12));
        p.drawRect(QRectF(5, 5, 6, 6));
        break;
    case Glyph::MarkStart:
        // An opening bracket with the arrow pointing into the range.
        p.drawRect(QRectF(2, 2, 1.6, 12));
        p.drawRect(QRectF(2, 2, 4, 1.6));
        p.drawRect(QRectF(2, 12.4, 4, 1.6));
        triangleRight(p, 7, 4.5, 11.5, 14);
        break;
    case Glyph::MarkEnd:
        p.drawRect(QRectF(12.4, 2, 1.6, 12));
        p.drawRect(QRectF(10, 2, 4, 1.6));
        p.drawRect(QRectF(10, 12.4, 4, 1.6));
        triangleLeft(p, 9, 4.5, 11.5, 2);
        break;
    case Glyph::Scissors: {
        strokePen(p, c, 1.4);
        p.drawEllipse(QRectF(1.5, 9.5, 5, 5));
        p.drawEllipse(QRectF(9.5, 9.5, 5, 5));
        p.drawLine(QPointF(5.6, 10.2), QPointF(12.5, 1.5));
        p.drawLine(QPointF(10.4, 10.2), QPointF(3.5, 1.5));
        break;
    }
    case Glyph::Plus:
        p.drawRect(QRectF(7, 2.5, 2, 11));
        p.drawRect(QRectF(2.5, 7, 11, 2));
        break;
    case Glyph::Trash:
        p.drawRect(QRectF(2.5, 3, 11, 1.5));
        p.drawRect(QRectF(6, 1.5, 4, 1.5));
        fillPolygon(p, {{3.5, 5.5}, {12.5, 5.5}, {11.7, 14.5}, {4.3, 14.5}});
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0, 0), 0));
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.setBrush(Qt::black);
        p.drawRect(QRectF(6.25, 7, 1, 6));
        p.drawRect(QRectF(8.75, 7, 1, 6));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        break;
    case Glyph::Pencil:
        fillPolygon(p, {{2, 14}, {2.6, 10.6}, {10.8, 2.4}, {13.6, 5.2}, {5.4, 13.4}});
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.setPen(QPen(Qt::black, 0.9));
        p.drawLine(QPointF(9.3, 3.9), QPointF(12.1, 6.7));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        break;
    case Glyph::Folder:
        fillPolygon(p, {{1.5, 3}, {6, 3}, {7.5, 4.5}, {14.5, 4.5}, {14.5, 6}, {1.5, 6}});
        fillPolygon(p, {{1.5, 7}, {14.5, 7}, {14.5, 13.5}, {1.5, 13.5}});
        break;
    case Glyph::Gear: {
        QPainterPath path;
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(8, 8);
            p.rotate(i * 45);
            p.drawRect(QRectF(-1.4, -7.2, 2.8, 3));
            p.restore();
        }
        path.addEllipse(QPointF(8, 8), 5.2, 5.2);
        path.addEllipse(QPointF(8, 8), 2.2, 2.2);
        p.drawPath(path);
        break;
    }
    case Glyph::Camera: {
        QPainterPath path;
        path.addRoundedRect(QRectF(1.5, 4.5, 13, 9), 1.5, 1.5);
        path.addEllipse(QPointF(8, 9), 2.6, 2.6);
        p.drawPath(path);
        p.drawRect(QRectF(5.5, 2.5, 5, 2));
        break;
    }
    case Glyph::MenuArrow:
        fillPolygon(p, {{4, 6}, {12, 6}, {8, 11}});
        break;
    case Glyph::SoundOn:
    case Glyph::SoundOff:
        // A speaker; sound on shows two waves, muted a cross.
        fillPolygon(p, {{1.5, 6}, {4.5, 6}, {8.5, 2.5}, {8.5, 13.5}, {4.5, 10}, {1.5, 10}});
        strokePen(p, c, 1.3);
        p.setBrush(Qt::NoBrush);
        if (glyph == Glyph::SoundOn) {
            p.drawArc(QRectF(6.5, 5, 5, 6), -60 * 16, 120 * 16);
            p.drawArc(QRectF(6, 2.5, 9, 11), -60 * 16, 120 * 16);
        } else {
            p.drawLine(QPointF(10.5, 5.5), QPointF(15, 10.5));
            p.drawLine(QPointF(15, 5.5), QPointF(10.5, 10.5));
        }
        break;
    case Glyph::Close:
        strokePen(p, c, 1.6);
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case Glyph::Minimize:
        p.drawRect(QRectF(3.5, 11, 9, 1.5));
        break;
    case Glyph::Maximize:
        strokePen(p, c, 1.2);
        p.drawRect(QRectF(3.5, 3.5, 9, 9));
        p.drawLine(QPointF(3.5, 4.5), QPointF(12.5, 4.5));
        break;
    case Glyph::Restore:
        strokePen(p, c, 1.2);
        p.drawRect(QRectF(3.5, 6.5, 7, 6));
        p.drawPolyline(QPolygonF(QVector<QPointF>{{6.5, 6.5}, {6.5, 3.5}, {12.5, 3.5}, {12.5, 9.5}, {10.5, 9.5}}));
        break;
    case Glyph::Menu:
        p.drawRect(QRectF(3, 4, 10, 1.5));
        p.drawRect(QRectF(3, 7.5, 10, 1.5));
        p.drawRect(QRectF(3, 11, 10, 1.5));
        break;
    case Glyph::ArrowUp:
        fillPolygon(p, {{3, 11}, {8, 5}, {13, 11}});
        break;
    case Glyph::ArrowDown:
        fillPolygon(p, {{3, 5}, {13, 5}, {8, 11}});
        break;
    case Glyph::ArrowLeft:
        fillPolygon(p, {{11, 3}, {11, 13}, {5, 8}});
        break;
    case Glyph::ArrowRight:
        fillPolygon(p, {{5, 3}, {11, 8}, {5, 13}});
        break;
    case Glyph::ChevronUp:
        strokePen(p, c, 1.8);
        p.drawPolyline(QPolygonF(QVector<QPointF>{{3, 10.5}, {8, 5.5}, {13, 10.5}}));
        break;
    case Glyph::ChevronDown:
        strokePen(p, c, 1.8);
        p.drawPolyline(QPolygonF(QVector<QPointF>{{3, 5.5}, {8, 10.5}, {13, 5.5}}));
        break;
    case Glyph::OneLine:
        // One long bar: the whole file as a single strip of segments.
        p.drawRoundedRect(QRectF(1.5, 6, 13, 4), 1, 1);
        break;
    case Glyph::MoreLines:
        p.drawRoundedRect(QRectF(1.5, 2.5, 13, 3), 1, 1);
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 3), 1, 1);
        p.drawRoundedRect(QRectF(1.5, 10.5, 13, 3), 1, 1);
        break;
    case Glyph::Grip:
        p.drawRect(QRectF(2, 5, 12, 1));
        p.drawRect(QRectF(2, 7.5, 12, 1));
        p.drawRect(QRectF(2, 10, 12, 1));
        break;
    case Glyph::RotateLeft:
        rotateArrow(p, c, false);
        break;
    case Glyph::RotateRight:
        rotateArrow(p, c, true);
        break;
    case Glyph::FlipHorizontal:
        flip(p, c, true);
        break;
    case Glyph::FlipVertical:
        flip(p, c, false);
        break;
    case Glyph::Font:
        // A capital A built from strokes, independent of installed fonts.
        fillPolygon(p, {{6.8, 2}, {9.2, 2}, {14, 14}, {11.8, 14}, {8, 4.6}, {4.2, 14}, {2, 14}});
        p.drawRect(QRectF(5, 9.2, 6, 1.6));
        break;
    case Glyph::Picture:
    case Glyph::AddPicture: {
        strokePen(p, c, 1.2);
        p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 1, 1);
        fillWith(p, c);
        fillPolygon(p, {{2.5, 12.5}, {6.5, 7}, {9, 10}, {10.5, 8.5}, {13.5, 12.5}});
        p.drawEllipse(QPointF(11, 5.5), 1.3, 1.3);
        if (glyph == Glyph::AddPicture) {
            p.setCompositionMode(QPainter::CompositionMode_Clear);
            p.drawEllipse(QPointF(12.5, 12.5), 4, 4);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            p.drawRect(QRectF(11.75, 9.5, 1.5, 6));
            p.drawRect(QRectF(9.5, 11.75, 6, 1.5));
        }
        break;
    }
    case Glyph::Film: {
        QPainterPath path;
        path.addRoundedRect(QRectF(1.5, 2.5, 13, 11), 1.2, 1.2);
        path.addRect(QRectF(4.5, 4, 7, 8));
        for (int i = 0; i < 4; ++i) {
            path.addRect(QRectF(2.3, 3.5 + i * 2.5, 1.4, 1.4));
            path.addRect(QRectF(12.3, 3.5 + i * 2.5, 1.4, 1.4));
        }
        p.drawPath(path);
        break;
    }
    case Glyph::Note:
        p.drawEllipse(QPointF(4.5, 12), 2.5, 2);
        p.drawEllipse(QPointF(11.5, 10.5), 2.5, 2);
        p.drawRect(QRectF(5.6, 3, 1.4, 9));
        p.drawRect(QRectF(12.6, 1.5, 1.4, 9));
        fillPolygon(p, {{5.6, 3}, {14, 1.5}, {14, 4}, {5.6, 5.5}});
        break;
    case Glyph::NoEffect:
        strokePen(p, c, 1.4);
        p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
        p.drawLine(QPointF(4.1, 11.9), QPointF(11.9, 4.1));
        break;
    case Glyph::Check:
        strokePen(p, c, 2.0);
        p.drawPolyline(QPolygonF(QVector<QPointF>{{3.5, 8.5}, {6.8, 11.5}, {12.5, 4.5}}));
        break;
    case Glyph::Cross:
        strokePen(p, c, 2.0);
        p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
        p.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
        break;
    case Glyph::Exclamation:
        p.drawRoundedRect(QRectF(7, 2.5, 2, 8), 1, 1);
        p.drawEllipse(QPointF(8, 13), 1.2, 1.2);
        break;
    case Glyph::Question: {
        strokePen(p, c, 2.0);
        QPainterPath path;
        path.moveTo(4.8, 5.6);
        path.cubicTo(4.8, 1.8, 11.2, 1.8, 11.2, 5.2);
        path.cubicTo(11.2, 7.6, 8, 7.6, 8, 10);
        p.drawPath(path);
        fillWith(p, c);
        p.drawEllipse(QPointF(8, 13.3), 1.3, 1.3);
        break;
    }
    }
    p.restore();
}
} // namespace

// Glyphs cut holes into themselves (the slots of the trash can, the edge of
// the pencil), so each is painted on its own layer and then laid over the
// picture; a hole must never go through the plate behind the glyph.
void drawGlyph(QPainter &p, Glyph glyph, const QRectF &box, const QColor &c)
{
    if (glyph == Glyph::None || box.isEmpty())
        return;
    const qreal scale = qMax<qreal>(1, p.transform().m11());
    QImage layer(qCeil(box.width() * scale), qCeil(box.height() * scale), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.scale(scale, scale);
        drawGlyphDirect(lp, glyph, QRectF(QPointF(0, 0), box.size()), c);
    }
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(QRectF(box.topLeft(), QSizeF(layer.width() / scale, layer.height() / scale)), layer);
    p.restore();
}
