#pragma once
// The "Effect" tab: brightness, contrast, saturation and hue of the picture
// on four sliders (0..200, 100 neutral), and one animated video effect and
// one frame chosen from the installed libraries, drawn over the picture.
#include "QEditOperationForm.h"
#include "VEEditConfig.h"

class QFrameChunkManager;
class QHorizontalListFrom;
class QLabel;
class QLineEdit;
class QVideoEditTag;
class QVideoEffectManager;
class QVoBaseSlider;

class QEffectOperationForm : public QEditOperationForm {
    Q_OBJECT
public:
    explicit QEffectOperationForm(QVideoEditingSettings *settings, QWidget *parent = nullptr);

    void loadSettings() override { loadingSetting(); }

    // The slider positions 0..200 of stored values, and back.
    static int brightnessFromSlider(int v);
    static int saturationFromSlider(int v);
    static int contrastFromSlider(int v);
    static int hueFromSlider(int v);
    static int sliderFromBrightness(int brightness);
    static int sliderFromSaturation(int saturation);
    static int sliderFromContrast(int contrast);
    static int sliderFromHue(int hue);
    // The slider value of a fraction of its track, with the snap to the
    // neutral middle.
    static int sliderValue(double fraction);

    QVoBaseSlider *brightnessSlider() const { return m_sliderBrightness; }
    QVoBaseSlider *contrastSlider() const { return m_sliderContrast; }
    QVoBaseSlider *saturationSlider() const { return m_sliderSaturation; }
    QVoBaseSlider *hueSlider() const { return m_sliderHue; }
    QLineEdit *brightnessEdit() const { return m_leBrightnessValue; }
    QLineEdit *contrastEdit() const { return m_leConstrastValue; }
    QLineEdit *saturationEdit() const { return m_leSaturationValue; }
    QLineEdit *hueEdit() const { return m_leHueValue; }
    QVideoEditTag *effectTag() const { return m_effectTag; }
    QHorizontalListFrom *effectsList() const { return m_effectsList; }
    QHorizontalListFrom *frameList() const { return m_frameList; }
    const QVideoEffectManager *effects() const { return m_effects; }
    const QFrameChunkManager *frames() const { return m_frames; }

public slots:
    void selectedTag(int index);
    void progressValue(double value);
    void textEdited(QString text);
    void effectsListIndexChanged(int index);
    void frameListIndexChanged(int index);
    void reset();
    void loadingSetting();

protected slots:
    void onReset() override { reset(); }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum Control { Brightness, Contrast, Saturation, Hue, ControlCount };
    void addControl(Control c, const QString &caption, const char *sliderName, const char *editName);
    // Stores slider value v of control c (always for brightness, otherwise
    // only when the stored value changes).
    void store(Control c, int v);
    void show(Control c, int v);
    void fillLists();
    void placeControls();

    QVoBaseSlider *m_sliderBrightness = nullptr;
    QVoBaseSlider *m_sliderContrast = nullptr;
    QVoBaseSlider *m_sliderSaturation = nullptr;
    QVoBaseSlider *m_sliderHue = nullptr;
    QLineEdit *m_leBrightnessValue = nullptr;
    QLineEdit *m_leConstrastValue = nullptr;
    QLineEdit *m_leSaturationValue = nullptr;
    QLineEdit *m_leHueValue = nullptr;
    QLabel *m_labels[ControlCount] = {};
    QVoBaseSlider *m_sliders[ControlCount] = {};
    QLineEdit *m_edits[ControlCount] = {};
    QVideoEditTag *m_effectTag = nullptr;
    QHorizontalListFrom *m_effectsList = nullptr;
    QHorizontalListFrom *m_frameList = nullptr;
    QVideoEffectManager *m_effects = nullptr;
    QFrameChunkManager *m_frames = nullptr;
};
