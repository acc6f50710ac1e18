#pragma once
// The glyphs drawn on buttons and icons. Each one is drawn into a square box
// in logical pixels, so the same recipe gives the 1x and the 2x picture.
#include <QColor>
#include <QRectF>

class QPainter;

enum class Glyph {
    None,
    Play, Pause, Stop,
    PreviousFrame, NextFrame, PreviousKeyFrame, NextKeyFrame,
    PreviousFile, NextFile,
    PlaySection, PauseSection, StopSection,
    MarkStart, MarkEnd,
    Scissors, Plus, Trash, Pencil, Folder, Gear, Camera, MenuArrow,
    Close, Minimize, Maximize, Restore, Menu,
    ArrowUp, ArrowDown, ArrowLeft, ArrowRight,
    ChevronUp, ChevronDown,
    OneLine, MoreLines, Grip,
    RotateLeft, RotateRight, FlipHorizontal, FlipVertical,
    Font, Picture, AddPicture, Film, Note, NoEffect,
    Check, Cross, Exclamation, Question,
    SoundOn, SoundOff,
};

// Draws the glyph centred in box, in one colour, with lines scaled to the box.
void drawGlyph(QPainter &p, Glyph glyph, const QRectF &box, const QColor &colour);
