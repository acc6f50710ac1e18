#include "QWatermartTextSettingDlg.h"

#include "QVideoEditingSettings.h"

QWatermartTextSettingDlg::QWatermartTextSettingDlg(QWidget *parent)
    : QFontLookDialog(tr("Choose the font of the watermark text"), parent)
{
    setObjectName("QWatermartTextSettingDlg");
}

void QWatermartTextSettingDlg::setSettings(QVideoEditingSettings *settings)
{
    m_settings = settings;
}

void QWatermartTextSettingDlg::showEvent(QShowEvent *event)
{
    loadValues();
    QFontLookDialog::showEvent(event);
}

FontLook QWatermartTextSettingDlg::storedLook() const
{
    return FontLook::of(m_settings->watermark());
}

void QWatermartTextSettingDlg::storeLook(const FontLook &look)
{
    VEWatermarkSettings w = m_settings->watermark();
    look.applyTo(w);
    m_settings->setWatermark(w, 1, false);
}
