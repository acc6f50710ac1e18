#pragma once
// Scenes of the output format dialog, over a private settings folder so a
// screenshot run never touches the user's stored choices.
class QWidget;

namespace formatscenes {
QWidget *highSpeed();
QWidget *encoding();
QWidget *compact();
} // namespace formatscenes
