#pragma once
// The watermark text's "Font" dialog: family and style, the three colours,
// outline size, shadow offset and spacing. Every change is written to the
// record at once, so the dialog's buttons only close it.
#include "QNinePointsImageDialog.h"

#include <QColor>
#include <QFont>

#include <functional>

class QLabel;
class QPushButton;
class QVideoEditingSettings;
class QVoBaseButton;
class QVoDoubleSpinBox;

class QWatermartTextSettingDlg : public QNinePointsImageDialog {
    Q_OBJECT
public:
    explicit QWatermartTextSettingDlg(QWidget *parent = nullptr);

    // The system font and colour dialogs unless replaced; a chooser returns
    // false when the user cancelled.
    using FontChooser = std::function<bool(QFont &font, QWidget *parent)>;
    using ColorChooser = std::function<bool(QColor &color, QWidget *parent)>;
    static void setFontChooser(FontChooser chooser);
    static void setColorChooser(ColorChooser chooser);

    void setSettings(QVideoEditingSettings *settings);
    // Shows the record's values in the controls.
    void loadValues();

    QVoBaseButton *fontButton() const { return m_btnFont; }
    QPushButton *textColorButton() const { return m_btnTextColor; }
    QPushButton *outlineColorButton() const { return m_btnOutlineColor; }
    QPushButton *shadowColorButton() const { return m_btnShadowColor; }
    QVoDoubleSpinBox *outlineSizeBox() const { return m_dspOutlineSize; }
    QVoDoubleSpinBox *shadowOffsetBox() const { return m_dspShadowOff; }
    QVoDoubleSpinBox *spacingHBox() const { return m_dspSpacingH; }
    QVoDoubleSpinBox *spacingVBox() const { return m_dspSpacingV; }
    QVoBaseButton *resetButton() const { return m_btnReset; }
    QVoBaseButton *okButton() const { return m_btnOK; }
    QVoBaseButton *cancelButton() const { return m_btnCancel; }

signals:
    void emitDlgClose();

public slots:
    void onFont();
    void onColor();
    void valueChanged(double value);
    void onReset();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    QPushButton *colorButton(const QString &name);
    QVoDoubleSpinBox *spinBox(const QString &name, double minimum, double maximum);
    void showColor(QPushButton *button, uint32_t argb);
    void showFontName(const QString &family);

    QVideoEditingSettings *m_settings = nullptr;
    QVoBaseButton *m_btnFont = nullptr;
    QPushButton *m_btnTextColor = nullptr;
    QPushButton *m_btnOutlineColor = nullptr;
    QPushButton *m_btnShadowColor = nullptr;
    QVoDoubleSpinBox *m_dspOutlineSize = nullptr;
    QVoDoubleSpinBox *m_dspShadowOff = nullptr;
    QVoDoubleSpinBox *m_dspSpacingH = nullptr;
    QVoDoubleSpinBox *m_dspSpacingV = nullptr;
    QVoBaseButton *m_btnReset = nullptr;
    QVoBaseButton *m_btnOK = nullptr;
    QVoBaseButton *m_btnCancel = nullptr;
    bool m_loading = false;
};
