#pragma once
// The "Font" dialog of the Subtitle tab: font, colours, outline, shadow and
// spacing of burned subtitles. Every change is written through the holder
// at once, so the preview shows it while the dialog is open; Cancel puts
// back the look the dialog was opened with.
#include "QNinePointsImageDialog.h"
#include "VEEditConfig.h"

class QLabel;
class QVideoEditingSettings;
class QVoBaseButton;
class QVoDoubleSpinBox;

class QSubtitleSettingDlg : public QNinePointsImageDialog {
    Q_OBJECT
public:
    explicit QSubtitleSettingDlg(QWidget *parent = nullptr);

    void setSettings(QVideoEditingSettings *settings);
    QVoBaseButton *fontButton() const { return m_btnFont; }
    QVoBaseButton *colorButton(int which) const; // 0 font, 1 outline, 2 shadow
    QVoDoubleSpinBox *outlineSize() const { return m_dspOutlineSize; }
    QVoDoubleSpinBox *shadowOffset() const { return m_dspShadowOff; }
    QVoDoubleSpinBox *spacingH() const { return m_dspSpacingH; }
    QVoDoubleSpinBox *spacingV() const { return m_dspSpacingV; }
    QVoBaseButton *resetButton() const { return m_btnReset; }
    QVoBaseButton *okButton() const { return m_btnOk; }
    QVoBaseButton *cancelButton() const { return m_btnCancel; }

signals:
    void emitDlgClose();

public slots:
    void onFont();
    void onColor();
    void valueChanged(double value);
    void onReset();
    void reject() override;

protected:
    void done(int result) override;

private:
    void loadControls();
    void showColor(QVoBaseButton *button, uint32_t argb);
    void write(const VESubtitleStyle &style);

    QVideoEditingSettings *m_settings = nullptr;
    VESubtitleStyle m_opened; // the look to put back on Cancel
    QVoBaseButton *m_btnFont = nullptr;
    QVoBaseButton *m_btnTextColor = nullptr;
    QVoBaseButton *m_btnOutlineColor = nullptr;
    QVoBaseButton *m_btnShadowColor = nullptr;
    QVoDoubleSpinBox *m_dspOutlineSize = nullptr;
    QVoDoubleSpinBox *m_dspShadowOff = nullptr;
    QVoDoubleSpinBox *m_dspSpacingH = nullptr;
    QVoDoubleSpinBox *m_dspSpacingV = nullptr;
    QVoBaseButton *m_btnReset = nullptr;
    QVoBaseButton *m_btnOk = nullptr;
    QVoBaseButton *m_btnCancel = nullptr;
    bool m_loading = false;
};
