#pragma once
// Gives the segment manager its editor: "Edit" (and a double-click on a
// row) opens the "Video Edit" dialog for that segment.
#include <functional>

class QEditTipDlg;
class QVideoCutManageDlg;
class QVideoEditingDlg;

// run/runTip drive the modal dialogs (exec() when empty), as in editMediaItem.
void installSegmentEditing(QVideoCutManageDlg *panel, std::function<int(QVideoEditingDlg &)> run = {},
                           std::function<int(QEditTipDlg &)> runTip = {});
