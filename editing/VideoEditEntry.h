#pragma once
// The segment manager's "Edit": runs the "Video Edit" dialog for one item
// of the item list and stores the result, with the "Apply to all" parts
// copied into the other items (into every item, the edited one included,
// after Cancel).
#include <functional>

class QDialog;
class QEditTipDlg;
class QVideoEditingDlg;
class QWidget;

struct VideoEditOutcome {
    bool accepted = false;
    bool tipShown = false; // the High-Speed note was shown
};

// run shows the prepared dialog and returns its result (exec() when empty);
// runTip likewise for the note that edits are not applied in High-Speed mode.
VideoEditOutcome editMediaItem(QWidget *parent, int index,
                               const std::function<int(QVideoEditingDlg &)> &run = {},
                               const std::function<int(QEditTipDlg &)> &runTip = {});
