#pragma once
// The cut tool: the strip under the player with the trim slider of the
// current segment, its start and end as editable times, buttons that set
// them to the play position, play/pause/stop of the trimmed range, and the
// file, format and convert buttons. It writes the current item's trim pair
// and reports every change; the main window passes them on.
#include <QPixmap>
#include <QPointer>
#include <QVector>
#include <QWidget>
#include <cstdint>

class QCustomTimeEdit;
class QDualSlider;
class QImageButton;
class QLabel;
class QTextImageButton;
class VoKeyFrameScanner;
#include "VoVideoConvertItem.h"

class QVideoCutDlg : public QWidget {
    Q_OBJECT
public:
    explicit QVideoCutDlg(QWidget *parent = nullptr);

    // Shows item's trim pair; a null item changes nothing.
    void setItem(VoVideoConvertItem *item);
    VoVideoConvertItem *currentItem() const { return m_itemInfo; }
    int itemNumber() const { return m_itemNumber; }
    uint64_t trimStart() const;
    uint64_t trimEnd() const;
    void setTrimStart(uint64_t t);
    // A start marked past the segment's end (at end_us) stops at the end;
    // a note by the start button says so for a few seconds.
    void showStartPastEnd(uint64_t end_us);
    void setTrimEnd(uint64_t t);
    void setControlsEnabled(bool enabled);
    void reset();
    void setConverting(bool converting);
    bool isConverting() const { return m_converting; }
    void retranslate();

    // A hook for marks on the slider track (such as key frames): the slider
    // the panel positions, for drawing over it.
    QDualSlider *trimSlider() const { return m_TrimDSlider; }
    QCustomTimeEdit *startTimeEdit() const { return m_startTimeEdit; }
    QCustomTimeEdit *endTimeEdit() const { return m_endTimeEdit; }

    // Key frames of the current item's file (µs), drawn as ticks on the
    // slider once the background search has found them.
    const QVector<quint64> &keyFrames() const { return m_keyFrames; }

signals:
    // Key frames of the current file as fractions of its duration, for
    // the timeline ruler (QTimeControl::setMarks); empty for a new file.
    void sendKeyFrameMarks(const QVector<double> &fractions);
    void OnBtnAdd();
    void sendPlayProToPlay(double value);
    void sendStartTimeChange(uint64_t time);
    void emitStartValueChange(double value);
    void emitEndValueChange(double value);
    void emitSliderMousePress();
    void emitSliderMouseRelease();
    void emitStartTimeChange(uint64_t time);
    void emitEndTimeChange(uint64_t time);
    void emitOnBtnStartSet();
    void emitOnBtnEndSet();
    void emitPlaySelect();
    void emitPauseSelect();
    void emitStopSelect();
    void emitOnConvert();
    void emitStopConvert();
    void emitShowFormatDlg();

public slots:
    // In High-Speed mode, with a start between key frames, says where the
    // output will really start: at the key frame before it, or exactly
    // there when frame-exact cuts are on and the file and container allow
    // them (and, when they do not, why). Call it when the output mode,
    // format or frame-exact choice changes.
    void refreshKeyFrameHint();
    void TrimDSliderEnable(bool bAble);
    void videoPlayPro(double value);
    void setStartValue(double value);
    void setEndValue(float value);
    void startValueChange(double value);
    void endValueChange(double value);
    void startTimeChange(uint64_t t);
    void endTimeChange(uint64_t t);
    void OnBtnStartTimeSet();
    void OnBtnEndTimeSet();
    void OnBtnTrim();
    void OnPauseTrim();
    void OnStopTrim();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildControls();
    void connectControls();
    void applyLanguageSizes();
    void layoutControls();
    void setTrimPair(uint64_t start, uint64_t end);
    // QVideoCutDlg_KeyFrames.cpp
    void buildKeyFrameControls();
    void requestKeyFrames();
    void keyFramesFound(const QString &path, const QVector<quint64> &times);
    void placeKeyFrameHint();
    QString keyFrameHintText() const;
    // Percent of the duration, at millisecond resolution; `empty` when the
    // item has no duration.
    double percentOf(uint64_t t, double empty = 0) const;
    uint64_t duration() const;

    QDualSlider *m_TrimDSlider = nullptr;
    QTextImageButton *m_btnAddFile = nullptr;
    QImageButton *m_btnStartSet = nullptr;
    QImageButton *m_btnEndSet = nullptr;
    QLabel *m_labStart = nullptr;
    QLabel *m_labEnd = nullptr;
    QCustomTimeEdit *m_startTimeEdit = nullptr;
    QCustomTimeEdit *m_endTimeEdit = nullptr;
    QImageButton *m_btnPlayTrim = nullptr;
    QImageButton *m_btnPauseTrim = nullptr;
    QImageButton *m_btnStopTrim = nullptr;
    QTextImageButton *m_btnConvert = nullptr;
    QTextImageButton *m_btnCancel = nullptr;
    QTextImageButton *m_btnFormat = nullptr;

    // The item can be removed from the list while a scan of it is still
    // running; a guarded pointer reads as none then.
    QPointer<VoVideoConvertItem> m_itemInfo;
    int m_itemNumber = -1;
    bool m_firstEnd = false;
    bool m_converting = false;
    QPixmap m_background;

    VoKeyFrameScanner *m_keyScanner = nullptr;
    QVector<quint64> m_keyFrames;
    QString m_keyFramePath; // file the key frames belong to
    QLabel *m_labKeyHint = nullptr;
};
