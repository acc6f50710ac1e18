#pragma once
// The "Audio" tab: which audio tracks go into the output, the volume, the
// fades, a background audio file mixed in at a weight (repeated or once)
// and a sound effect (equaliser curve and rate) from the library. Every change goes through the
// settings holder, so the preview plays it at once.
#include "QEditOperationForm.h"
#include "VEEditConfig.h"

#include <functional>

class QAudioEffectManager;
class QCheckboxCombobox;
class QHorizontalListFrom;
class QLabel;
class QVoBaseButton;
class QVoBaseSlider;
class QVoCheckBox;
class QVoLineEdit;

class QAudioOperationForm : public QEditOperationForm {
    Q_OBJECT
public:
    explicit QAudioOperationForm(QVideoEditingSettings *settings, QWidget *parent = nullptr);

    void loadSettings() override { loadingSetting(); }

    // Asks for one file to open (title, start folder, filter); empty when
    // none was chosen. A file dialog by default.
    using FileChooser = std::function<QString(QWidget *, const QString &, const QString &, const QString &)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    QCheckboxCombobox *trackList() const { return m_cbbAudioList; }
    QVoBaseSlider *volumeSlider() const { return m_sliderVolume; }
    QVoLineEdit *volumeEdit() const { return m_leVolumeValue; }
    QVoLineEdit *backgroundPathEdit() const { return m_leBgVoicePath; }
    QVoBaseButton *backgroundButton() const { return m_btnSetBgVoice; }
    QVoBaseSlider *weightSlider() const { return m_sliderBgVoice; }
    QVoLineEdit *weightEdit() const { return m_leBgVoiceValue; }
    QVoCheckBox *repeatBox() const { return m_cbxRepeat; }
    QVoLineEdit *fadeInEdit() const { return m_leFadeIn; }
    QVoLineEdit *fadeOutEdit() const { return m_leFadeOut; }
    QHorizontalListFrom *effectsList() const { return m_effectsList; }
    const QAudioEffectManager *effectLibrary() const { return m_library; }

public slots:
    void loadingSetting();
    void onSetBgVoice();
    void onRepeat();
    void valuetextEdited(QString text);
    void progressValue(double value);
    void weightTextEdited(QString text);
    void weightProgressValue(double value);
    void fadeTextEdited();
    void effectsCurrentIndexChanged(int index);
    void reset();
    void AudioCheckClick(int index);
    void AudioCheckChange(int index, int state);
    void AudioSelChange(int index);

protected slots:
    void onReset() override { reset(); }

private:
    void buildTrackList();
    // The audio track entry behind a row of the list, -1 for "No Audio" and
    // "All Audio".
    int entryOfRow(int row) const;
    int firstTrackRow() const;
    void chooseFirstCheckedTrack(VETrackChoice &choice) const;
    void writeVolume(int volume);
    void writeWeight(int weight);
    void showVolume(int volume);
    void showWeight(int weight);

    QLabel *m_lblTrack = nullptr;
    QCheckboxCombobox *m_cbbAudioList = nullptr;
    QLabel *m_lblVolume = nullptr;
    QVoBaseSlider *m_sliderVolume = nullptr;
    QVoLineEdit *m_leVolumeValue = nullptr;
    QLabel *m_lblFile = nullptr;
    QVoLineEdit *m_leBgVoicePath = nullptr;
    QVoBaseButton *m_btnSetBgVoice = nullptr;
    QLabel *m_lblWeight = nullptr;
    QVoBaseSlider *m_sliderBgVoice = nullptr;
    QVoLineEdit *m_leBgVoiceValue = nullptr;
    QVoCheckBox *m_cbxRepeat = nullptr;
    QLabel *m_lblSoundEffects = nullptr;
    QHorizontalListFrom *m_effectsList = nullptr;
    QAudioEffectManager *m_library = nullptr;
    QLabel *m_lblFadeIn = nullptr;
    QVoLineEdit *m_leFadeIn = nullptr;
    QLabel *m_lblFadeOut = nullptr;
    QVoLineEdit *m_leFadeOut = nullptr;
    FileChooser m_chooseFile;
    bool m_loading = false;
};
