#pragma once
// The "Subtitle" tab: which subtitles go into the output and how a burned
// subtitle looks. In Encoding mode one subtitle (an embedded stream, the
// video's closed captions or a subtitle file) is burned into the picture;
// in High-Speed mode any set of embedded streams is copied, and files
// cannot be used.
#include "QEditOperationForm.h"

#include <QVector>

class QCheckboxCombobox;
class QLabel;
class QVoBaseButton;
class QVoBaseSlider;
class QVoLineEdit;
class QVoRadioButton;

class QSubtitleOperationForm : public QEditOperationForm {
    Q_OBJECT
public:
    explicit QSubtitleOperationForm(QVideoEditingSettings *settings, QWidget *parent = nullptr);

    void loadSettings() override { loadingSetting(); }
    // Adds a subtitle file as "Open File" does once a file is chosen;
    // false with the reason in error when the file cannot be used.
    bool addSubtitleFile(const QString &path, QString *error = nullptr);
    // The message for a file the subtitle reader refused.
    static QString fileErrorText(const QString &path, int fileError);

    QCheckboxCombobox *trackList() const { return m_cbbSubtitleList; }
    QVoLineEdit *pathField() const { return m_leFamilyPath; }
    QVoBaseButton *openFileButton() const { return m_btnSetFamily; }
    QVoBaseButton *fontButton() const { return m_btnSetSubtitleFont; }
    QVoBaseSlider *alphaSlider() const { return m_sliderAlpha; }
    QVoLineEdit *alphaEdit() const { return m_leAlphaValue; }
    QVoBaseSlider *marginSlider() const { return m_sliderPosition; }
    QVoLineEdit *marginEdit() const { return m_lePositionValue; }
    QVoBaseSlider *scaleSlider() const { return m_sliderScale; }
    QVoLineEdit *scaleEdit() const { return m_leScaleValue; }
    QVoRadioButton *positionButton(int position) const;

signals:
    void emitSubtitleSetting();
    void emitAddSubtitleToCmb(QString name, QString filePath);

public slots:
    void loadingSetting();
    void SubtlCheckClick(int index);
    void SubtlCheckChange(int index, int state);
    void SubtlSelChange(int index);
    void onSetFamily();
    void progressValue(double value);
    void valueTextEdited(const QString &text);
    void onRadioButton();
    void reset();

protected slots:
    void onReset() override { reset(); }

private:
    // What a row of the list stands for.
    enum RowKind { NoSubtitleRow = -1, ClosedCaptionRow = -2, AllSubtitleRow = -3 };
    bool isLossless() const;
    void connectList(bool on);
    void buildRows();
    void loadStyle();
    void writeStyleAgain();
    void selectEncodingEntry(int entry);
    void scaleEditFinished();
    int rowOfEntry(int entry) const;
    void layoutControls();

    QLabel *m_lblTrack = nullptr;
    QCheckboxCombobox *m_cbbSubtitleList = nullptr;
    QLabel *m_lblFile = nullptr;
    QVoLineEdit *m_leFamilyPath = nullptr;
    QVoBaseButton *m_btnSetFamily = nullptr;
    QVoBaseButton *m_btnSetSubtitleFont = nullptr;
    QLabel *m_lblTransparency = nullptr;
    QVoBaseSlider *m_sliderAlpha = nullptr;
    QVoLineEdit *m_leAlphaValue = nullptr;
    QLabel *m_lblPosition = nullptr;
    QVoRadioButton *m_rbtnTop = nullptr;
    QVoRadioButton *m_rbtnMiddle = nullptr;
    QVoRadioButton *m_rbtnBottom = nullptr;
    QLabel *m_lblMargin = nullptr;
    QVoBaseSlider *m_sliderPosition = nullptr;
    QVoLineEdit *m_lePositionValue = nullptr;
    QLabel *m_lblScale = nullptr;
    QVoBaseSlider *m_sliderScale = nullptr;
    QVoLineEdit *m_leScaleValue = nullptr;

    // Per row: the index of its entry in subtitleTracks, or a RowKind.
    QVector<int> m_rowEntry;
};
