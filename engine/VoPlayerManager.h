#pragma once
// The preview player of the editing dialog: plays, pauses, steps and seeks
// the item being edited within its trim range, keeps two clocks and a
// progress fraction, feeds the level display, and shows the item's edits
// in the video window. The edits reach the engine through the same
// hand-over a conversion uses, so the preview is what the output will be.
//
// Main thread only. Seeks and steps are posted to the player's own thread;
// the clocks follow the position asked for at once and the picture shown
// when it arrives. The position is polled only while playing, the levels
// only while an audio-only file plays.
#include "VEEditConfig.h"
#include "QVoVideoShowWidget.h"
#include "VoInfoClass.h"
#include "VoPlayerClass.h"
#include "VoPlayerControl.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <cstdint>
#include <memory>

class QMouseEvent;
class QTimer;
class QWidget;

class VoPlayerManager : public QObject {
    Q_OBJECT
public:
    explicit VoPlayerManager(QObject *parent = nullptr);
    ~VoPlayerManager() override;

    bool open(const QString &path, int width, int height, int option);
    bool openWithConfig(const QString &path, const VEEditConfig &config, int option);
    // openWithConfig in two halves, so that the file is opened off the
    // interface thread: openPreview runs on any thread and touches no
    // manager; adoptOpened (interface thread) takes its result over.
    struct OpenedPreview {
        std::unique_ptr<VoPlayerClass> player;
        std::unique_ptr<VoInfoClass> info;
        bool opened = false;
    };
    static OpenedPreview openPreview(const QString &path, const VEEditConfig &config, int option);
    bool adoptOpened(OpenedPreview opened, const QString &path, const VEEditConfig &config);
    // Seeks and steps posted whose picture has not arrived yet.
    int pendingCommands() const { return m_control.pending(); }
    // The edited picture goes to videoWindow, the unedited one to elementWindow.
    void setVideoWindow(QVoVideoShowWidget *window);
    void setElementWindow(QVoVideoShowWidget *window);
    // Stores the playable range without signals and seeks to its start.
    void setTrim(uint64_t start, uint64_t end);
    bool snapshot(const QString &path, const QString &format);
    uint64_t duration() const;
    uint64_t length() const;
    QSize sourceSize() const;
    QSize displaySize() const;
    bool hasPlayer() const;
    bool isAudioOnly() const { return m_audioOnly; }
    bool isTrimActive() const { return m_trimActive; }
    uint64_t trimStart() const { return m_trimStart; }
    uint64_t trimEnd() const { return m_trimEnd; }
    MediaHandle handle() const;
    // The player's clock, 0 without a player.
    uint64_t position() const;

    // Edit hand-over: each stores its group and shows the whole record.
    void setTrimState(bool active, uint64_t start, uint64_t end);
    void setCrop(const VECropSettings &crop);
    void setPicture(const VEPictureAdjust &picture);
    // index 0 the user's watermark, 1 the effect, 2 the frame.
    void setOverlay(int index, const VEWatermarkSettings &overlay);
    // The watermark setters of the rectangles: the record becomes the
    // player's copy of overlay index; with readBack the box sizes (and the
    // picture's position) take the preview's measurements, then
    // emitWatermarkRectChange reports the result.
    void setWatermarkContent(const VEWatermarkSettings &overlay, int index, bool readBack);
    void setWatermarkProperties(const VEWatermarkSettings &overlay, int index, bool readBack);
    // Measured size (fractions of the edited picture) of the text box and
    // of the picture box of an overlay as the preview renders them.
    QSizeF measuredTextSize(const VEWatermarkSettings &overlay) const;
    QSizeF measuredImageSize(const VEWatermarkSettings &overlay) const;
    // Size of the edited picture (the output frame) in pixels.
    QSize editedSize() const;
    void setTrackChoice(const VETrackChoice &choice);
    void setStreamChoice(const VETrackChoice &choice);
    void setSubtitleStyle(const VESubtitleStyle &style);
    // Stored only: the stream choice that follows shows them.
    void setSubtitleTracks(const std::vector<VESubtitleTrackEntry> &tracks);
    void setBackgroundAudio(const VEAudioSettings &audio);
    void setSoundEffect(const VESoundEffect &effect);
    VECropSettings crop() const { return m_edits.crop; }
    VEWatermarkSettings overlay(int index) const;
    // The whole record as the preview shows it.
    const VEEditConfig &edits() const { return m_edits; }
    // False when the last hand-over could not be shown (engine error text).
    bool editsShown() const { return m_editsShown; }

    // Clock text "%1:%2:%3" and "%1:%2:%3.%4" of a time.
    static QString clockText(uint64_t us);
    static QString clockTextMs(uint64_t us);

signals:
    void emitPlayProgress(double value);
    void emitStartEndProgressValue(float percent);
    void emitPlayFinish();
    void emitPlayTime(QString text);
    void emitPlayTime2(QString text);
    void emitAudioData(unsigned char *data, int sps);
    void emitClosePlay();
    void emitPlayState(bool bPlay);
    void emitPlayState(bool bPlay, bool isTrim);
    void emitIsHaveVideo(bool bHave);
    void emitPlayerChange();
    void emitTrimPlayState(bool playing);
    void emitTrimTimeChange(uint64_t trimStartTime, uint64_t trimEndTime);
    void emitCropAreaChange(VECropSettings crop);
    // Any crop the preview now shows, also one set by a call, not a drag.
    void emitCropSet(VECropSettings crop);
    void emitWatermarkRectChange(VEWatermarkSettings watermarkSettings, int currentWatermarkIndex);
    void emitWatermarkSettingChange(VEWatermarkSettings watermarkSettings, int currentWatermarkIndex);

public slots:
    void progressValueChange(double value);
    void beginAsyncSeek();
    void endAsyncSeek();
    void onStop();
    void onPlay();
    void onPause();
    void closePlay();
    void startPlay();
    void pausePlay();
    void onTrimPlay(float startPos, float endPos);
    void onTrimPause();
    void onPreviousStep(bool isSeek, float pos);
    void onNextStep(bool isSeek, float pos);
    void onTrim(uint64_t startTime, uint64_t endTime);
    void onTrimChapter(uint64_t startTime, uint64_t endTime);
    void onReset();
    void setSoundVolume(int value);
    void setAudioRendererVolume(int value);
    void videoPreviousStep();
    void videoNextStep();

private slots:
    void updateTime();
    void updataScreen();
    void audioDataChanged();
    void pictureShown(quint64 shownUs, bool idle);
    // The crop frame's and the watermark frame's mouse events.
    void mouseMoveEvent(QMouseEvent *event);
    void mousePressEvent(QMouseEvent *event);
    void mouseReleaseEvent(QMouseEvent *event);
    void mouseWatermarkMoveEvent(QMouseEvent *event);
    void mouseWatermarkPressEvent(QMouseEvent *event);
    void mouseWatermarkReleaseEvent(QMouseEvent *event);

private:
    bool afterOpen(bool opened);
    void decideAudioOnly();
    void resetClocks();
    void showClocks(uint64_t first, uint64_t second);
    void showEdits();
    bool isPaused() const;
    // Steps posted: the clocks and progress follow their picture (0 none,
    // 1 a step within the range, 2 a step of the whole file).
    void stepPosted(int kind);

    std::unique_ptr<VoPlayerClass> m_player;
    std::unique_ptr<VoInfoClass> m_info;
    VoPlayerControl m_control; // posts to m_player
    int m_stepKind = 0;
    QTimer *m_timeTimer = nullptr;
    QTimer *m_audioTimer = nullptr;
    QPointer<QVoVideoShowWidget> m_videoWindow;
    QPointer<QVoVideoShowWidget> m_elementWindow;
    bool m_audioOnly = true;
    int m_displayWidth = 0;
    int m_displayHeight = 0;
    int m_soundVolume = 100;
    int m_rendererVolume = 100;
    int m_audioDataParam = 1;
    uint64_t m_trimStart = 0;
    uint64_t m_trimEnd = 0;
    uint64_t m_segmentStart = 0;
    uint64_t m_segmentEnd = 0;
    bool m_segmentPlaying = false;
    bool m_trimActive = false;
    void readBack(VEWatermarkSettings &overlay, bool positionsToo) const;
    QRect cropArea() const;
    QRect watermarkArea() const;
    int boxZoneAt(int box, const QPoint &p) const;

    VEEditConfig m_edits; // the groups handed over so far
    int m_currentOverlay = -1;
    // Drag state of the crop rectangle and of the watermark boxes (0 text, 1 picture).
    int m_cropZone = 0;
    QPoint m_cropPress;
    VERect m_cropSaved;
    int m_boxZone[2] = {0, 0};
    QPoint m_boxPress;
    double m_boxSaved[4] = {0, 0, 0, 0};
    int m_boxSavedScale[2] = {100, 100};
    bool m_editsShown = true;
    QString m_path;
};
