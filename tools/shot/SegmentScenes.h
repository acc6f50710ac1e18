#pragma once
// Scenes of the segment manager: both modes over a real file, the list
// collapsed, and the question of the switch to Simple Mode.
#include <QString>

class QWidget;

namespace segmentscenes {
QWidget *freeMode(const QString &mediaPath);
QWidget *simpleMode(const QString &mediaPath);
// Simple Mode over a file with silences: the sound's outline under the strip.
QWidget *waveform(const QString &mediaPath);
QWidget *collapsed(const QString &mediaPath);
QWidget *switchQuestion();
} // namespace segmentscenes
