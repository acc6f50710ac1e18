#pragma once
// The "Watermark" tab: the user's picture and text watermark, each with its
// transparency, and the way to the text's font dialog. Place and size are
// dragged on the preview; the preview measures what it draws.
#include "QEditOperationForm.h"

#include <functional>

class QImageButton;
class QLabel;
class QVoBaseSlider;
class QVoBaseButton;
class QVoLineEdit;
class QVoTextEdit;

class QWatermarkOperationForm : public QEditOperationForm {
    Q_OBJECT
public:
    explicit QWatermarkOperationForm(QVideoEditingSettings *settings, QWidget *parent = nullptr);

    // Asks the user for a picture file; the file dialog unless replaced
    // (the replacement receives the dialog's title, folder and filter).
    using ImageChooser = std::function<QString(QWidget *parent, const QString &title, const QString &folder,
                                               const QString &filter)>;
    static void setImageChooser(ImageChooser chooser);

    // The percent an alpha shows as (255 → 100, 127 → 49).
    static int alphaPercent(int alpha);

    void setSettings(QVideoEditingSettings *settings) { m_settings = settings; }
    void loadSettings() override { loadingSetting(); }

    QImageButton *addImageButton() const { return m_btnAddWKImg; }
    QImageButton *deleteButton() const { return m_btnDelete; }
    QLabel *imagePreview() const { return m_imgPreview; }
    QVoBaseSlider *alphaSlider() const { return m_sliderAlpha; }
    QVoLineEdit *alphaEdit() const { return m_leAlphaValue; }
    QVoTextEdit *textEdit() const { return m_leAddWKText; }
    QVoBaseButton *fontButton() const { return m_btnSetWKTFont; }
    QVoBaseSlider *textAlphaSlider() const { return m_sliderTextAlpha; }
    QVoLineEdit *textAlphaEdit() const { return m_leTextAlphaValue; }

signals:
    void emitReset();
    void emitWatermartTextSetting();
    void emitOpenDlg(bool isShow);

public slots:
    void loadingSetting();
    void onSetAddWKImg();
    void onDeleteImage();
    void progressValue(double value);
    void wkTextEdited();
    void alphaTextEdited(const QString &text);
    void reset();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

protected slots:
    void onReset() override { reset(); }

private:
    void setAlpha(bool text, int alpha);
    void sliderMoved(bool text, double fraction);
    void showPicture(const QString &path);

    QLabel *m_lblWatermarkImage = nullptr;
    QImageButton *m_btnAddWKImg = nullptr;
    QLabel *m_imgPreview = nullptr;
    QImageButton *m_btnDelete = nullptr;
    QLabel *m_lblTransparency = nullptr;
    QVoBaseSlider *m_sliderAlpha = nullptr;
    QVoLineEdit *m_leAlphaValue = nullptr;
    QLabel *m_lblWatermarkText = nullptr;
    QVoTextEdit *m_leAddWKText = nullptr;
    QVoBaseButton *m_btnSetWKTFont = nullptr;
    QLabel *m_lblTextTransparency = nullptr;
    QVoBaseSlider *m_sliderTextAlpha = nullptr;
    QVoLineEdit *m_leTextAlphaValue = nullptr;
    bool m_loading = false;
};
