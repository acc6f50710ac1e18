#include "FormatScenes.h"

#include "FormatItem.h"
#include "FormatItemWidget.h"
#include "FormatWidget.h"
#include "ParserXML.h"
#include "QSettingDlg.h"
#include "QVoCheckBox.h"
#include "QVoComboBox.h"
#include "VoVideoConvertItem.h"

#include <QTemporaryDir>

namespace {

FormatWidget *freshDialog(bool listExpanded)
{
    static QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    ParserXML::readItemValue("Lossless_H", "Lossless_H_value", "Y");
    ParserXML::writeItemValue("Lossless_H", "Lossless_H_value", listExpanded ? "Y" : "N");
    FormatWidget *dlg = FormatWidget::instance();
    dlg->applyStoredFormatAtStartup();
    return dlg;
}

} // namespace

namespace formatscenes {

QWidget *highSpeed()
{
    FormatWidget *dlg = freshDialog(true);
    dlg->showLosslessView(true);
    dlg->ItemPressLossless("General Video", "3001");
    dlg->losslessGrid()->selectItem("3001");
    if (auto *frameExact = dlg->findChild<QVoCheckBox *>("m_chkFrameExact"))
        frameExact->setChecked(true);
    return dlg;
}

QWidget *encoding()
{
    FormatWidget *dlg = freshDialog(true);
    dlg->showLosslessView(false);
    dlg->OnClickBtnSet("4000");
    QSettingDlg *panel = dlg->settingDlg();
    // Values a user would pick, so the panel shows real settings.
    for (auto pick : {std::make_pair(QSettingDlg::VResolution, QStringLiteral("1280*720")),
                      std::make_pair(QSettingDlg::VFrame, QStringLiteral("25 fps"))}) {
        QVoComboBox *combo = panel->combo(pick.first);
        const int row = combo->findData(pick.second);
        if (row >= 0) {
            combo->setCurrentIndex(row);
            emit combo->activated(row);
        }
    }
    return dlg;
}

QWidget *hdrSource(const QString &media, const QString &formatId)
{
    // The window hands the dialog what its current item read from the file.
    VoVideoConvertItem item;
    QString hdr;
    if (item.open(media) && !item.m_videoStreams.isEmpty())
        hdr = QString::fromStdString(item.m_videoStreams.first().hdr);
    FormatWidget *dlg = freshDialog(true);
    dlg->showLosslessView(false);
    dlg->setSourceHdr(hdr);
    dlg->ItemPress("General Video", formatId);
    dlg->encodingGrid()->selectItem(formatId);
    dlg->OnClickBtnSet(formatId);
    return dlg;
}

QWidget *compact()
{
    FormatWidget *dlg = freshDialog(false);
    dlg->showLosslessView(true);
    return dlg;
}

} // namespace formatscenes
