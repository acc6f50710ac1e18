#include "QSubtitleSettingDlg.h"

#include "QVideoEditingSettings.h"

QSubtitleSettingDlg::QSubtitleSettingDlg(QWidget *parent)
    : QFontLookDialog(tr("Choose the font of the subtitles"), parent)
{
    setObjectName("QSubtitleSettingDlg");
}

void QSubtitleSettingDlg::setSettings(QVideoEditingSettings *settings)
{
    m_settings = settings;
    if (m_settings)
        m_opened = m_settings->subtitleStyle();
    loadValues();
}

FontLook QSubtitleSettingDlg::storedLook() const
{
    return FontLook::of(m_settings->subtitleStyle());
}

void QSubtitleSettingDlg::storeLook(const FontLook &look)
{
    VESubtitleStyle s = m_settings->subtitleStyle();
    look.applyTo(s);
    m_settings->setSubtitleStyle(s);
}

void QSubtitleSettingDlg::reject()
{
    if (m_settings && m_settings->subtitleStyle() != m_opened)
        m_settings->setSubtitleStyle(m_opened);
    QFontLookDialog::reject();
}
