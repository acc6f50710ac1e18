#include "SegmentEditing.h"

#include "QVideoCutManageDlg.h"
#include "VideoEditEntry.h"

void installSegmentEditing(QVideoCutManageDlg *panel, std::function<int(QVideoEditingDlg &)> run,
                           std::function<int(QEditTipDlg &)> runTip)
{
    if (!panel)
        return;
    panel->setEditRunner([run, runTip](QWidget *parent, int index) {
        return editMediaItem(parent, index, run, runTip).accepted;
    });
}
