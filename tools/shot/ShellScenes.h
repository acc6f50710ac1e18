#pragma once
#include <QString>
// Scenes of the shell's windows: preferences, the close question, About,
// the update window and the program menu.
class QWidget;

namespace shellscenes {
QWidget *preferences(bool convertPage);
QWidget *closeDialog();
// The question before changed segments are closed unsaved.
QWidget *unsavedQuestion();
// The question at a start after a crash left an autosave.
QWidget *restoreQuestion();
QWidget *about();
QWidget *updateAvailable();
// "Apply Segments To Other Files" after a run: a file written with a
// note, a damaged one with its reason, one written whole.
QWidget *batchApplyResult();
// "Save Subtitles" on a file with subtitle streams, once they are listed.
QWidget *saveSubtitles(const QString &media);
// The program menu opened under the menu button of a main-window frame,
// the pointer on Save Project, or on Undo with the name of the step it
// would take back.
QWidget *menuOpen(QWidget *frame, bool onUndo = false);
} // namespace shellscenes
