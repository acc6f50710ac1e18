#pragma once
// Scenes of the controls built on Qt's input widgets, the drawn bars and
// the menus: one sheet of every control in its four states, one of the
// open popups.
class QWidget;

namespace scenes {
QWidget *drawnControlSheet();
QWidget *drawnPopupSheet();
} // namespace scenes
