#pragma once
// Scenes of the cut tool and the segment timeline, over a real media file.
#include <QString>

class QWidget;

namespace cutscenes {
// The cut tool showing the middle half of the file, play-head in between.
QWidget *cutTool(const QString &mediaPath, bool converting);
// A timeline with three segments over the file's thumbnail strip, the
// middle one selected and the play-head inside it.
QWidget *timeline(const QString &mediaPath);
} // namespace cutscenes
