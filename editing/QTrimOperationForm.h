#pragma once
// The "Trim" tab: the dual-handle slider over the current range, frame
// steps on the handle pressed last, section play, the chapter list and the
// "Trim" and reset buttons that hand the new range to the preview player.
#include "VEEditConfig.h"

#include <QWidget>

#include <cstdint>
#include <vector>

class QComboBox;
class QImageButton;
class QLabel;
class QVEDualSlider;
class QVoBaseButton;

class QTrimOperationForm : public QWidget {
    Q_OBJECT
public:
    explicit QTrimOperationForm(QWidget *parent = nullptr);

    // Shows the trim pair and chapters of config; duration of the file in µs.
    void loadValues(const VEEditConfig &config, uint64_t duration);
    const std::vector<ChapterEntry> &chapters() const { return m_chapters; }
    // The controls that work on pictures (frame steps, snapshots); a file
    // without video keeps the range, section play and the trim itself.
    void setPictureControlsEnabled(bool enabled);
    // The range length the handle fractions are fractions of.
    uint64_t rangeLength() const;
    static QString timeText(uint64_t us);
    static QString chapterTimeText(uint64_t us);

    QVEDualSlider *slider() const { return m_slider; }
    QComboBox *chapterCombo() const { return m_cmbChapter; }
    QLabel *startLabel() const { return m_labStart; }
    QLabel *endLabel() const { return m_labEnd; }
    QLabel *timeLabel() const { return m_labTime; }
    QVoBaseButton *trimButton() const { return m_btnTrim; }
    QVoBaseButton *resetButton() const { return m_btnReset; }
    QVoBaseButton *previousFrameButton() const { return m_btnPreviousFrame; }
    QVoBaseButton *nextFrameButton() const { return m_btnNextFrame; }
    QVoBaseButton *playSectionButton() const { return m_btnPlaySection; }

signals:
    void emitTrimPlay(float startPos, float endPos);
    void emitTrimPause();
    void emitPause();
    void emitStop();
    void emitPlay();
    void emitSliderSendPlayProToPlay(double value);
    void emitSliderMousePress();
    void emitSliderMouseRelease();
    void emitPreviousStep(bool isSeek, float pos);
    void emitNextStep(bool isSeek, float pos);
    void emitTrim(uint64_t startTime, uint64_t endTime);
    void emitTrimChapter(uint64_t startTime, uint64_t endTime);
    void emitReset();
    void emitSnapshot();
    void emitSnapshotMenu();

public slots:
    void onTrim();
    void onReset();
    void chapterSelectedChanged(int index);
    void startProgressValue(double value);
    void endProgressValue(double value);
    void showPlayOrPause(bool bPlay);
    void showTrimPlayOrPause(bool playing);
    void setTime(QString text);
    void setPlayProcess(double value);
    void playFinish();
    void setStartEndProgressValue(float percent);
    void trimTimeChange(uint64_t startTime, uint64_t endTime);

private slots:
    void onPreviousFrame();
    void onNextFrame();
    void onPlaySection();

private:
    void resetSlider();
    void relabelCurrent();
    void selectChapter(int index);

    QVEDualSlider *m_slider = nullptr;
    QLabel *m_labStart = nullptr;
    QLabel *m_labEnd = nullptr;
    QLabel *m_labTime = nullptr;
    QVoBaseButton *m_btnPreviousFrame = nullptr;
    QVoBaseButton *m_btnNextFrame = nullptr;
    QVoBaseButton *m_btnPlaySection = nullptr;
    QImageButton *m_btnPlay = nullptr;
    QImageButton *m_btnPause = nullptr;
    QImageButton *m_btnStop = nullptr;
    QImageButton *m_btnSnapshot = nullptr;
    QImageButton *m_btnSnapshotMenu = nullptr;
    QVoBaseButton *m_btnTrim = nullptr;
    QVoBaseButton *m_btnReset = nullptr;
    QComboBox *m_cmbChapter = nullptr;
    bool m_sectionPlaying = false;
    uint64_t m_trimStart = 0;
    uint64_t m_trimEnd = 0;
    uint64_t m_duration = 0;
    std::vector<ChapterEntry> m_chapters;
};
