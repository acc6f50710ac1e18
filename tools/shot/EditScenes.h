#pragma once
// Scenes of the "Video Edit" dialog with a file loaded.
#include <QString>

class QWidget;

namespace editscenes {
// The dialog on tab (0 Trim .. 6 Tag) with the media file loaded.
QWidget *editDialog(const QString &mediaPath, int tab);
// The Adjust tab while the crop rectangle's corner is being dragged.
QWidget *cropDrag(const QString &mediaPath);
// "Snapshot Setting" with the stored folder, PNG chosen.
QWidget *snapshotSettings();
// The "Font" dialog of subtitles and watermark text, with a look of its own.
QWidget *fontDialog();
} // namespace editscenes
