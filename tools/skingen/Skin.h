#pragma once
// The program's artwork as one table: every picture with its size, its
// recipe and the recipe's parameters. A restyle is an edit of the palette or
// of one row; nothing else in the program knows how a picture looks.
#include "Glyphs.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QVector>

namespace skin {

// The palette: the panel greys, text and highlight the interface is built
// from, plus one calm accent for primary actions and selections.
namespace colour {
inline QColor panel() { return {51, 51, 51}; }
inline QColor panelRaised() { return {74, 74, 74}; }
inline QColor panelDeep() { return {32, 32, 32}; }
inline QColor titleBand() { return {40, 40, 40}; }
inline QColor highlight() { return {105, 105, 105}; }
inline QColor text() { return {228, 228, 228}; }
inline QColor glyph() { return {208, 208, 208}; }
inline QColor glyphDisabled() { return {98, 98, 98}; }
inline QColor border() { return {84, 84, 84}; }
inline QColor accent() { return {222, 132, 52}; }
inline QColor accentLight() { return {238, 156, 80}; }
inline QColor accentDark() { return {186, 104, 36}; }
inline QColor danger() { return {196, 66, 54}; }
inline QColor success() { return {76, 166, 98}; }
inline QColor warning() { return {232, 176, 48}; }
inline QColor info() { return {74, 132, 204}; }
} // namespace colour

enum class Recipe {
    GlyphButton,   // 4 frames: a glyph; hover and press light a plate behind it; param shifts the glyph
    AccentButton,  // 4 frames: a glyph on an accent disc (the main actions)
    CloseButton,   // 4 frames: a cross; hover shows a red plate
    PlateButton,   // 4 frames: a rounded push-button plate, text is drawn by the widget
    AccentPlate,   // 4 frames: the same plate in the accent colour
    DarkTab,       // 4 frames: tab on a dark bar, selected shows an accent underline
    SideTab,       // 4 frames: page button of a side bar, selected shows an accent edge
    LightTab,      // 4 frames: tab on a light bar (dark text)
    FieldStates,   // 4 frames: input field (combo box body)
    Tile,          // 4 frames: selectable tile of a grid
    HandleStart,   // 4 frames: slider handle that opens a range
    HandleEnd,     // 4 frames: slider handle that closes a range
    HandleHead,    // 4 frames: play-head handle
    HandleRound,   // 4 frames: round value handle
    HandleGrip,    // 4 frames: vertical size grip
    SmallArrow,    // 4 frames: small step arrow for a light field (glyph = direction)
    DarkArrow,     // 4 frames: small step arrow for a dark field
    ScrollArrow,   // scroll bar arrow, param 0 normal, 1 hover
    CheckOff, CheckOn, RadioOff, RadioOn,
    Panel,         // dialog background: body, title band of param pixels, border
    PlainPanel,    // background without a title band
    Field,         // single input field, dark
    LightField,    // single input field, light (dark text)
    Track,         // slider track, empty part
    TrackFill,     // slider track, filled part
    HandleArea,    // background under a pair of handles
    MessageIcon,   // glyph on a coloured disc, param = colour index
    WarningIcon,   // glyph on an amber triangle
    Logo,          // the program's mark
    Badge,         // counter badge
    Placeholder,   // large, faint glyph on a dark plate
    FaintGlyph,    // large, faint glyph on transparent ground
    FrameHandles,  // corner, edge and centre handles of a dashed frame
    ScrollArrowStates, // 4 frames: scroll bar arrow pointing to the far end (glyph = direction)
    FormatIcon,    // a format tile's icon: a document with the label and a glyph, param = colour family
    LightBarGlyph, // 4 frames: a dark glyph for a light bar; param shifts the glyph
};

struct Picture {
    QString path; // relative to the application folder, starts with '/'
    int width;    // of one frame, logical pixels
    int height;
    Recipe recipe;
    Glyph glyph = Glyph::None;
    int param = 0;
};

const QVector<Picture> &pictures();
// The icons of the format tiles, one per icon name of the profile files.
QVector<Picture> formatIcons();
// The container name a format icon carries.
QString formatIconLabel(const QString &path);
bool isStateRecipe(Recipe recipe);

// Paints one picture at the given device pixel ratio (1 or 2).
QImage render(const Picture &picture, int scale);
// The program's mark as a scalable picture (SVG text).
QString logoSvg();

} // namespace skin
