#pragma once
// The top panel of the main window: the picture (or the level display of
// an audio-only file), the transport, the time label and the volume. It
// drives the borrowed player of the current file: plays the whole file or
// the trimmed section, steps by pictures and key frames, seeks for the
// sliders and the timeline and reports the position in percent.
//
// Nothing here waits on the decoder: seeks and steps are posted to the
// player's own thread, the clock follows the position asked for at once and
// the picture shown when it arrives; thumbnails are grabbed on a worker.
// Paused or stopped, no timer runs.
#include "VoPlayerControl.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

class QAudioDataWidget;
class VoThumbnailWorker;
class QImageButton;
class QLabel;
class VideoImageWindow;
class qSliderCtrl;

class QVideoPlayDlg : public QWidget {
    Q_OBJECT
public:
    explicit QVideoPlayDlg(QWidget *parent = nullptr);
    ~QVideoPlayDlg() override;

    bool open(const QString &path, VoPlayerControl::Handle player);
    void close();
    void setConverting(bool converting);
    void setSection(uint64_t start, uint64_t end);
    uint64_t sectionStart() const { return m_sectionStart; }
    uint64_t sectionEnd() const;
    uint64_t duration() const;
    // Where the player stands now, 0 without a file.
    uint64_t position() const;
    bool inSection() const { return m_sectionMode; }
    // Asks for a picture of the file at time, at most 120 × 120, grabbed
    // on a worker; thumbnailReady follows (a null image when none could be
    // grabbed). A newer request under the same key replaces one still
    // waiting; answers about a file no longer open are dropped.
    void requestThumbnail(quintptr key, uint64_t time);
    bool thumbnailsIdle() const;

    // The panel's state, for its owner and its tests.
    bool isPaused() const { return m_paused; }
    bool isAudioOnly() const { return m_audioOnly; }
    float volume() const { return m_volume; }
    float rememberedVolume() const { return m_rememberedVolume; }
    VoPlayerControl::Handle player() const { return m_control.handle(); }
    // Seeks and steps posted whose picture has not arrived yet.
    int pendingCommands() const { return m_control.pending(); }
    // Calls done, in the order asked, with the time of the picture the user
    // will see once the seeks and steps asked for so far have landed: what
    // marks a position waits for it, the window does not. Nothing is
    // called without a file, or for a file closed in between.
    void whenShown(QObject *context, std::function<void(quint64 shownUs)> done)
    {
        m_control.whenShown(context, std::move(done));
    }
    // Something asked for above still waits for its picture.
    bool isWaitingForPicture() const { return m_control.isWaiting(); }
    // No seek or step is on its way and nothing waits for its picture.
    bool isSettled() const { return m_control.isSettled(); }
    QString timeText() const;
    static QString formatTime(uint64_t us);
    VideoImageWindow *videoWindow() const { return m_videoPlayWidget; }
    QAudioDataWidget *levelDisplay() const { return m_audioWidget; }
    qSliderCtrl *soundSlider() const { return m_soundSlider; }
    const QTimer &timeTimer() const { return m_timeTimer; }
    const QTimer &audioTimer() const { return m_audioTimer; }

signals:
    void emitTrimDSliderEnable(bool nEnable);
    void emitPlayProValue(double nPro);
    void emitStopPlayTrim();
    void emitPausePlayTrim();
    void emitAddFileName(QString name);
    void emitAddFileNames(QStringList names);
    void thumbnailReady(quintptr key, QImage image);

public slots:
    void UpdateTime();
    void UpdataScreen();
    void OnAudioDataTime();
    void PlayProValueChange(double value);
    void PlaySeek(uint64_t value);
    // Home and End: the first picture, or the last one, paused there.
    void goToStart();
    void goToEnd();
    void BeginAsyncSeek();
    void EndAsyncSeek();
    void OnBtnPlay();
    void OnPlayVideo();
    void OnBtnPause();
    void OnPauseVideo();
    void OnBtnStop();
    void VideoFinished();
    void ShowTime(uint64_t time);
    void OnBtnPrevious();
    void OnBtnNext();
    void OnBtnPreKey();
    void OnBtnNextKet();
    void refreshProTime();
    void OnBtnSoundOpen();
    void OnBtnSoundClose();
    void SoundValueChange(double value);
    void PlaySection();
    void StopPlaySection();
    void setPlaySeekStart();
    void DrawVideoFrame(void *frame);

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void buildControls();
    void retranslate();
    void layoutControls();
    QRect pictureArea() const;
    void fitVideo();
    void setTransportEnabled(bool enabled);
    void showPlayButton(bool play);
    void leaveSection();
    void step(bool key, int direction);
    void pictureShown(quint64 shownUs, bool idle);
    void showPosition(uint64_t us);

    VideoImageWindow *m_videoPlayWidget = nullptr;
    QImageButton *m_btnPause = nullptr;
    QImageButton *m_btnPlay = nullptr;
    QImageButton *m_btnStop = nullptr;
    QLabel *m_labPlayTime = nullptr;
    QImageButton *m_btnPrevious = nullptr;
    QImageButton *m_btnNext = nullptr;
    QImageButton *m_btnPreviousKey = nullptr;
    QImageButton *m_btnNextKey = nullptr;
    QImageButton *m_btnSoundClose = nullptr;
    QImageButton *m_btnSoundOpen = nullptr;
    qSliderCtrl *m_soundSlider = nullptr;
    QLabel *m_labDrag = nullptr;
    QAudioDataWidget *m_audioWidget = nullptr;
    QPixmap m_noFile;

    bool m_borrowed = false;
    VoPlayerControl m_control; // the borrowed player
    VoThumbnailWorker *m_thumbnails = nullptr;
    bool m_paused = false;
    // A step is on its way: the clock follows its picture when it arrives.
    bool m_stepPending = false;
    QTimer m_timeTimer;
    QTimer m_audioTimer;
    float m_volume = 100;
    float m_rememberedVolume = 100;
    bool m_muted = false;
    bool m_sectionMode = false;
    uint64_t m_sectionStart = 0;
    uint64_t m_sectionEnd = 0;
    bool m_audioOnly = false;
    QString m_filePath;
};
