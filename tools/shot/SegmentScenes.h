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
// Segments named from a cut list: labels on the rows or the timeline.
QWidget *labelled(const QString &mediaPath, bool simple);
// The question an import asks when the work has segments of its own.
QWidget *importQuestion();
} // namespace segmentscenes
