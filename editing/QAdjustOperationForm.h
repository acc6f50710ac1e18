#pragma once
// The "Adjust" tab: aspect ratio of the output picture, crop size in source
// pixels, rotation in quarter turns and the mirror. The crop rectangle's
// place is dragged on the preview; its size shows here and follows the
// drag, and a typed size reaches the preview after a short pause so that
// half-typed numbers never do.
#include "QEditOperationForm.h"
#include "VEEditConfig.h"

class QImageButton;
class QLabel;
class QTimer;
class QVoComboBox;
class QVoLineEdit;

class QAdjustOperationForm : public QEditOperationForm {
    Q_OBJECT
public:
    explicit QAdjustOperationForm(QVideoEditingSettings *settings, QWidget *parent = nullptr);

    // How long a typed size waits before it is applied.
    static constexpr int kEditDelayMs = 1500;

    void setSettings(QVideoEditingSettings *settings);
    void loadSettings() override;
    // Applies a size still waiting for its pause (the dialog's OK).
    void commitPendingSize();
    bool isSizePending() const;

    QImageButton *rotateLeftButton() const { return m_btnRotate_L_90; }
    QImageButton *rotateRightButton() const { return m_btnRotate_R_90; }
    QImageButton *flipHButton() const { return m_btnFlipH; }
    QImageButton *flipVButton() const { return m_btnFlipV; }
    QVoLineEdit *widthEdit() const { return m_leCropArea_W; }
    QVoLineEdit *heightEdit() const { return m_leCropArea_H; }
    QLabel *originalSizeLabel() const { return m_lblOriginalSizeValue; }
    QVoComboBox *aspectCombo() const { return m_cbbAspectRatio; }

public slots:
    void aspectRatioChanged(int index);
    void onRotate_R_90();
    void onRotate_L_90();
    void onFlipH();
    void onFlipV();
    void cropAreaChangedW(const QString &text);
    void cropAreaChangedH(const QString &text);
    void cropAreaChange(VECropSettings crop);
    void reset();
    void loadingSetting();
    void wideTimer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

protected slots:
    void onReset() override { reset(); }

private:
    void showSize(const VERect &rect);
    void setComboIndex(int index);

    QLabel *m_lblRotion = nullptr;
    QImageButton *m_btnRotate_L_90 = nullptr;
    QImageButton *m_btnRotate_R_90 = nullptr;
    QImageButton *m_btnFlipH = nullptr;
    QImageButton *m_btnFlipV = nullptr;
    QLabel *m_lblCropAreaSize = nullptr;
    QVoLineEdit *m_leCropArea_W = nullptr;
    QLabel *m_lblX = nullptr;
    QVoLineEdit *m_leCropArea_H = nullptr;
    QLabel *m_lblOriginalSize = nullptr;
    QLabel *m_lblOriginalSizeValue = nullptr;
    QLabel *m_lblAspectRatio = nullptr;
    QVoComboBox *m_cbbAspectRatio = nullptr;
    QTimer *m_editTimer = nullptr;
    bool m_widthEdited = true;
    bool m_showing = false; // the combo shows the record, the user chose nothing
    QMetaObject::Connection m_playerConnection;
};
