#pragma once
// The "Font" dialog of the Subtitle tab: font, colours, outline, shadow and
// spacing of burned subtitles. Every change is written through the holder
// at once, so the preview shows it while the dialog is open; Cancel puts
// back the look the dialog was opened with.
#include "QFontLookDialog.h"
#include "VEEditConfig.h"

class QPushButton;
class QVideoEditingSettings;
class QVoDoubleSpinBox;

class QSubtitleSettingDlg : public QFontLookDialog {
    Q_OBJECT
public:
    explicit QSubtitleSettingDlg(QWidget *parent = nullptr);

    void setSettings(QVideoEditingSettings *settings);
    QPushButton *colorButton(int which) const { return panel()->colorButton(which); } // 0 font, 1 outline, 2 shadow
    QVoDoubleSpinBox *outlineSize() const { return panel()->outlineSizeBox(); }
    QVoDoubleSpinBox *shadowOffset() const { return panel()->shadowOffsetBox(); }
    QVoDoubleSpinBox *spacingH() const { return panel()->spacingHBox(); }
    QVoDoubleSpinBox *spacingV() const { return panel()->spacingVBox(); }

public slots:
    void reject() override;

protected:
    bool hasStore() const override { return m_settings != nullptr; }
    FontLook storedLook() const override;
    void storeLook(const FontLook &look) override;

private:
    QVideoEditingSettings *m_settings = nullptr;
    VESubtitleStyle m_opened; // the look to put back on Cancel
};
