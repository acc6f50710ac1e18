#include "VideoEditEntry.h"

#include "OutputFormatParams.h"
#include "ParserXML.h"
#include "QEditTipDlg.h"
#include "QVideoEditingDlg.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

VideoEditOutcome editMediaItem(QWidget *parent, int index, const std::function<int(QVideoEditingDlg &)> &run,
                               const std::function<int(QEditTipDlg &)> &runTip)
{
    VideoEditOutcome outcome;
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    VoVideoConvertItem *item = items->itemAt(index);
    if (!item)
        return outcome;
    QVideoEditingDlg dlg(parent);
    dlg.setMediaSource(item->m_videoPath, item->m_width, item->m_height);
    item->m_editConfig.trimStart = item->m_TrimStartTime;
    item->m_editConfig.trimEnd = item->m_TrimEndTime;
    dlg.setInitialConfig(item->m_editConfig);
    dlg.setBoundToTrim(true);
    const int result = run ? run(dlg) : dlg.exec();
    outcome.accepted = result == QDialog::Accepted;
    if (outcome.accepted) {
        dlg.releasePlayer();
        if (OutputFormatParams::instance().lossless
            && ParserXML::readItemValue("EDIT_REMIND_ITEM", "isEditRemind", "Y") == QLatin1String("Y")) {
            QEditTipDlg tip(parent);
            outcome.tipShown = true;
            const int answer = runTip ? runTip(tip) : tip.exec();
            if (answer == QDialog::Accepted && tip.isDontShowAgain())
                ParserXML::writeItemValue("EDIT_REMIND_ITEM", "isEditRemind", "N");
        }
        for (int i = 0; i < items->count(); ++i)
            if (i != index)
                dlg.applyAllTo(items->itemAt(i)->m_editConfig);
        item->m_editConfig = dlg.editConfig();
        item->m_TrimStartTime = item->m_editConfig.trimStart;
        item->m_TrimEndTime = item->m_editConfig.trimEnd;
    } else {
        for (int i = 0; i < items->count(); ++i)
            dlg.applyAllTo(items->itemAt(i)->m_editConfig);
    }
    return outcome;
}
