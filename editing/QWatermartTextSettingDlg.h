#pragma once
// The watermark text's "Font" dialog: family and style, the three colours,
// outline size, shadow offset and spacing. Every change is written to the
// record at once, so the dialog's buttons only close it.
#include "QFontLookDialog.h"

class QPushButton;
class QVideoEditingSettings;
class QVoDoubleSpinBox;

class QWatermartTextSettingDlg : public QFontLookDialog {
    Q_OBJECT
public:
    explicit QWatermartTextSettingDlg(QWidget *parent = nullptr);

    void setSettings(QVideoEditingSettings *settings);

    QPushButton *textColorButton() const { return panel()->colorButton(QFontLookPanel::FontColor); }
    QPushButton *outlineColorButton() const { return panel()->colorButton(QFontLookPanel::OutlineColor); }
    QPushButton *shadowColorButton() const { return panel()->colorButton(QFontLookPanel::ShadowColor); }
    QVoDoubleSpinBox *outlineSizeBox() const { return panel()->outlineSizeBox(); }
    QVoDoubleSpinBox *shadowOffsetBox() const { return panel()->shadowOffsetBox(); }
    QVoDoubleSpinBox *spacingHBox() const { return panel()->spacingHBox(); }
    QVoDoubleSpinBox *spacingVBox() const { return panel()->spacingVBox(); }

protected:
    void showEvent(QShowEvent *event) override;
    bool hasStore() const override { return m_settings != nullptr; }
    FontLook storedLook() const override;
    void storeLook(const FontLook &look) override;

private:
    QVideoEditingSettings *m_settings = nullptr;
};
