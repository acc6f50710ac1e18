#pragma once
// Scenes of the player panel and the trim slider.
#include <QString>

class QWidget;

namespace playerscenes {
// The harness window; with a media path it plays that file for a moment
// so the picture (or the level display) is on screen.
QWidget *playerPanel(const QString &mediaPath);
QWidget *trimSlider();
} // namespace playerscenes
