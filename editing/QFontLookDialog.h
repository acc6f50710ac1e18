#pragma once
// The "Font" dialog both the watermark text and the subtitles use: the
// look panel with "Reset", "OK" and "Cancel". Every change is written at
// once through storeLook, so the preview shows it while the dialog is open;
// a subclass says where the look is kept.
#include "QFontLookPanel.h"
#include "QNinePointsImageDialog.h"

class QVoBaseButton;

class QFontLookDialog : public QNinePointsImageDialog {
    Q_OBJECT
public:
    // fontToolTip names what the font is for.
    QFontLookDialog(const QString &fontToolTip, QWidget *parent);

    QFontLookPanel *panel() const { return m_panel; }
    QVoBaseButton *fontButton() const;
    QVoBaseButton *resetButton() const { return m_btnReset; }
    QVoBaseButton *okButton() const { return m_btnOK; }
    QVoBaseButton *cancelButton() const { return m_btnCancel; }

signals:
    void emitDlgClose();

public slots:
    // Colours, sizes, spacing and font back to the defaults; the font's
    // size and style stay.
    void onReset();
    // Shows the kept look in the controls.
    void loadValues();

protected:
    virtual bool hasStore() const = 0;
    virtual FontLook storedLook() const = 0;
    virtual void storeLook(const FontLook &look) = 0;
    void done(int result) override;

private:
    void lookChanged(const FontLook &look);

    QFontLookPanel *m_panel = nullptr;
    QVoBaseButton *m_btnReset = nullptr;
    QVoBaseButton *m_btnOK = nullptr;
    QVoBaseButton *m_btnCancel = nullptr;
};
