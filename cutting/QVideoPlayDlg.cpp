#include "QVideoPlayDlg.h"

#include "QAudioDataWidget.h"
#include "QImageButton.h"
#include "QVoVideoShowWidget.h"
#include "SkinImage.h"
#include "VideoImageWindow.h"
#include "VoThumbnailWorker.h"
#include "qSliderCtrl.h"

#include <QCursor>
#include <QDebug>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QToolTip>

namespace {

QImageButton *makeButton(QWidget *parent, const char *name, const QString &image, const QString &tip)
{
    auto *b = new QImageButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setImage(image);
    b->setToolTip(tip);
    // Reached with Tab; a click leaves the keyboard focus where it was.
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

} // namespace

QVideoPlayDlg::QVideoPlayDlg(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("QVideoPlayDlg"));
    // The player area holds the keyboard whenever nothing is being typed:
    // the window's shortcuts act from here, and a click on the picture
    // takes the keys out of a text field.
    setFocusPolicy(Qt::StrongFocus);
    resize(700, 520);
    m_noFile = skin::load(QStringLiteral("/image/bg_noFile.png"));
    buildControls();
    connect(&m_timeTimer, &QTimer::timeout, this, &QVideoPlayDlg::UpdateTime);
    connect(&m_audioTimer, &QTimer::timeout, this, &QVideoPlayDlg::OnAudioDataTime);
    connect(&m_control, &VoPlayerControl::pictureShown, this, &QVideoPlayDlg::pictureShown);
    // The key crosses to the owner by signal; spies and queued
    // connections need its type by name.
    qRegisterMetaType<quintptr>("quintptr");
    m_thumbnails = new VoThumbnailWorker(this);
    connect(m_thumbnails, &VoThumbnailWorker::thumbnailReady, this, &QVideoPlayDlg::thumbnailReady);
    setTransportEnabled(false);
    layoutControls();
}

QVideoPlayDlg::~QVideoPlayDlg()
{
    // The surface must stop receiving pictures before it goes.
    m_videoPlayWidget->imageWidget()->attach(0);
    m_control.attach(0);
}

void QVideoPlayDlg::buildControls()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    setFont(font);

    m_videoPlayWidget = new VideoImageWindow(this);
    m_videoPlayWidget->setObjectName(QStringLiteral("m_videoPlayWidget"));
    m_videoPlayWidget->hide();
    connect(m_videoPlayWidget, &VideoImageWindow::emitPlayOrPause, this, [this] {
        if (!player())
            return;
        if (m_paused)
            OnBtnPlay();
        else
            OnBtnPause();
    });

    m_audioWidget = new QAudioDataWidget(this);
    m_audioWidget->setObjectName(QStringLiteral("m_audioDataWidget"));
    m_audioWidget->hide();

    const QString dir = QStringLiteral("/image/PlayDlg/");
    m_btnPreviousKey = makeButton(this, "m_btnPreviousKey", dir + "btn_previous_key_frame.png", QString());
    m_btnPrevious = makeButton(this, "m_btnPrevious", dir + "btn_previous_frame.png", QString());
    m_btnPlay = makeButton(this, "m_btnPlay", dir + "btn_play.png", QString());
    m_btnPause = makeButton(this, "m_btnPause", dir + "btn_pause.png", QString());
    m_btnNext = makeButton(this, "m_btnNext", dir + "btn_next_frame.png", QString());
    m_btnNextKey = makeButton(this, "m_btnNextKey", dir + "btn_next_key_frame.png", QString());
    m_btnStop = makeButton(this, "m_btnStop", dir + "btn_stop.png", QString());
    m_btnSoundOpen = makeButton(this, "m_btnSoundOpen", dir + "btn_sound_open.png", QString());
    m_btnSoundClose = makeButton(this, "m_btnSoundClose", dir + "btn_sound_close.png", QString());
    m_btnPause->hide();
    m_btnSoundClose->hide();

    m_labPlayTime = new QLabel(this);
    m_labPlayTime->setObjectName(QStringLiteral("m_labPlayTime"));
    m_labPlayTime->setText(QStringLiteral("0:00:00 / 0:00:00"));
    m_labPlayTime->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));

    m_soundSlider = new qSliderCtrl(this);
    m_soundSlider->setObjectName(QStringLiteral("m_soundSlider"));
    m_soundSlider->setTrackImage(dir + "play_sound_trake_slider.png");
    m_soundSlider->setFillImage(dir + "play_sound_trake_rate.png");
    m_soundSlider->setHandleImage(dir + "play_sound_btn.png");
    m_soundSlider->setRange(0, 200);
    m_soundSlider->setValue(100);

    m_labDrag = new QLabel(this);
    m_labDrag->setObjectName(QStringLiteral("m_labDrag"));
    m_labDrag->setAlignment(Qt::AlignCenter);
    m_labDrag->setStyleSheet(QStringLiteral("color: rgb(160,160,160);"));

    retranslate();

    connect(m_btnPlay, &QImageButton::clicked, this, &QVideoPlayDlg::OnBtnPlay);
    connect(m_btnPause, &QImageButton::clicked, this, &QVideoPlayDlg::OnBtnPause);
    connect(m_btnStop, &QImageButton::clicked, this, &QVideoPlayDlg::OnBtnStop);
    connect(m_btnPrevious, &QImageButton::clicked, this, &QVideoPlayDlg::OnBtnPrevious);
    connect(m_btnNext, &QImageButton::clicked, this, &QVideoPlayDlg::OnBtnNext);
    connect(m_btnPreviousKey, &QImageButton::clicked, this, &QVideoPlayDlg::OnBtnPreKey);
    connect(m_btnNextKey, &QImageButton::clicked, this, &QVideoPlayDlg::OnBtnNextKet);
    connect(m_btnSoundOpen, &QImageButton::clicked, this, &QVideoPlayDlg::OnBtnSoundOpen);
    connect(m_btnSoundClose, &QImageButton::clicked, this, &QVideoPlayDlg::OnBtnSoundClose);
    connect(m_soundSlider, &qSliderCtrl::sendProgressValue, this, &QVideoPlayDlg::SoundValueChange);
}

QRect QVideoPlayDlg::pictureArea() const
{
    return QRect(QPoint(5, 10), QPoint(width() - 5, height() - 40));
}

void QVideoPlayDlg::layoutControls()
{
    const QRect area = pictureArea();
    m_videoPlayWidget->setGeometry(area);
    m_audioWidget->move(area.center().x() - m_audioWidget->width() / 2,
                        area.center().y() - m_audioWidget->height() / 2);
    const int barTop = height() - 36;
    int x = 12;
    for (QImageButton *b : {m_btnPreviousKey, m_btnPrevious}) {
        b->move(x, barTop + (32 - b->height()) / 2);
        x += b->width() + 4;
    }
    m_btnPlay->move(x, barTop + (32 - m_btnPlay->height()) / 2);
    m_btnPause->move(m_btnPlay->pos());
    x += m_btnPlay->width() + 4;
    for (QImageButton *b : {m_btnNext, m_btnNextKey, m_btnStop}) {
        b->move(x, barTop + (32 - b->height()) / 2);
        x += b->width() + 4;
    }
    m_labPlayTime->setGeometry(x + 10, barTop, 200, 32);
    const int sliderX = width() - 12 - m_soundSlider->width();
    m_soundSlider->move(sliderX, barTop + (32 - m_soundSlider->height()) / 2);
    const int soundX = sliderX - 4 - m_btnSoundOpen->width();
    m_btnSoundOpen->move(soundX, barTop + (32 - m_btnSoundOpen->height()) / 2);
    m_btnSoundClose->move(m_btnSoundOpen->pos());
    m_labDrag->setGeometry(area.left(), area.center().y() + 40 - 12, area.width(), 24);
}

// The texts, set again when the interface language changes.
void QVideoPlayDlg::retranslate()
{
    m_btnPreviousKey->setToolTip(tr("Previous Key Frame"));
    m_btnPrevious->setToolTip(tr("Previous Frame"));
    m_btnPlay->setToolTip(tr("Play"));
    m_btnPause->setToolTip(tr("Pause"));
    m_btnNext->setToolTip(tr("Next Frame"));
    m_btnNextKey->setToolTip(tr("Next Key Frame"));
    m_btnStop->setToolTip(tr("Stop"));
    // Their tips show the volume level; the names say what they do.
    m_btnSoundOpen->setAccessibleName(tr("Mute"));
    m_btnSoundClose->setAccessibleName(tr("Sound On"));
    const QString level = QStringLiteral("%1%").arg(int(m_muted ? 0 : m_volume));
    m_btnSoundOpen->setToolTip(level);
    m_btnSoundClose->setToolTip(level);
    m_labDrag->setText(tr("Drag media files here to start"));
    setAccessibleName(tr("Player"));
    m_soundSlider->setAccessibleName(tr("Volume"));
    m_videoPlayWidget->setAccessibleName(tr("Picture"));
}

void QVideoPlayDlg::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::LanguageChange && m_labDrag)
        retranslate();
    QWidget::changeEvent(e);
}

void QVideoPlayDlg::resizeEvent(QResizeEvent *)
{
    layoutControls();
    fitVideo();
}

void QVideoPlayDlg::fitVideo()
{
    if (!player())
        return;
    int w = m_control.width();
    int h = m_control.height();
    const int dw = m_control.displayWidth();
    const int dh = m_control.displayHeight();
    if (dw != 0 && dh != 0) {
        w = dw;
        h = dh;
    }
    m_videoPlayWidget->setVideoSize(w, h);
}

void QVideoPlayDlg::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect area = pictureArea();
    p.fillRect(area, QColor(0, 0, 0));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(32, 32, 32));
    p.drawRoundedRect(QRect(5, height() - 38, width() - 10, 36), 4, 4);
    if (!player() && !m_noFile.isNull()) {
        const QSize s = skin::logicalSize(m_noFile);
        p.drawPixmap(QRect(area.center().x() - s.width() / 2, area.center().y() - 20 - s.height() / 2,
                           s.width(), s.height()),
                     m_noFile);
    }
    if (m_videoPlayWidget->geometry() != area && !m_videoPlayWidget->inFullScreen())
        m_videoPlayWidget->setGeometry(area);
    // The surface keeps the last picture itself: nothing to redraw here.
    fitVideo();
}

void QVideoPlayDlg::setTransportEnabled(bool enabled)
{
    for (QImageButton *b : {m_btnPrevious, m_btnPreviousKey, m_btnPlay, m_btnPause, m_btnStop, m_btnNext,
                            m_btnNextKey})
        b->setEnabled(enabled);
}

void QVideoPlayDlg::showPlayButton(bool play)
{
    m_btnPlay->setVisible(play);
    m_btnPause->setVisible(!play);
}

void QVideoPlayDlg::leaveSection()
{
    if (m_sectionMode)
        emit emitStopPlayTrim();
    m_sectionMode = false;
}

bool QVideoPlayDlg::open(const QString &path, VoPlayerControl::Handle handle)
{
    m_thumbnails->setFile(QString());
    m_borrowed = true;
    if (player() && player() != handle)
        m_videoPlayWidget->imageWidget()->attach(0);
    // Commands posted for the file before are gone with it: start afresh.
    m_control.attach(0);
    m_control.attach(handle);
    m_stepPending = false;
    emit emitTrimDSliderEnable(true);
    if (!player()) {
        m_timeTimer.stop();
        m_audioTimer.stop();
        m_paused = false;
        showPlayButton(true);
        ShowTime(0);
        m_videoPlayWidget->hide();
        emit emitPlayProValue(0);
        emit emitTrimDSliderEnable(false);
        m_labDrag->show();
        update();
        return false;
    }
    m_control.setLateFrameTolerance(50000);
    m_filePath = path;
    m_thumbnails->setFile(path);
    fitVideo();
    // A muted panel stays muted for the next file.
    m_control.setVolume(m_muted ? 0 : int(m_volume));
    ShowTime(0);
    m_paused = true;
    m_videoPlayWidget->imageWidget()->attach(handle);
    setTransportEnabled(true);
    if (m_control.hasVideo()) {
        m_control.setSampleDelivery(false);
        m_audioOnly = false;
        m_audioWidget->hide();
        m_videoPlayWidget->show();
    } else if (m_control.hasAudio()) {
        m_control.setSampleDelivery(true);
        m_audioOnly = true;
        m_audioWidget->show();
        m_videoPlayWidget->hide();
    }
    m_sectionStart = 0;
    m_sectionEnd = 0;
    leaveSection();
    OnPlayVideo();
    m_labDrag->hide();
    update();
    return true;
}

void QVideoPlayDlg::close()
{
    m_paused = false;
    m_timeTimer.stop();
    m_audioTimer.stop();
    m_sectionStart = 0;
    m_sectionEnd = 0;
    m_sectionMode = false;
    m_stepPending = false;
    setTransportEnabled(false);
    m_labDrag->show();
    // The player is borrowed: it is forgotten, not released.
    m_videoPlayWidget->imageWidget()->attach(0);
    m_videoPlayWidget->imageWidget()->clearImage();
    m_control.attach(0);
    m_thumbnails->setFile(QString());
    m_filePath.clear();
    showPlayButton(true);
    ShowTime(0);
    m_videoPlayWidget->hide();
    m_audioWidget->setAudioData(nullptr, 0);
    m_audioWidget->hide();
    emit emitPlayProValue(0);
    emit emitTrimDSliderEnable(false);
    update();
}

void QVideoPlayDlg::setConverting(bool converting)
{
    if (converting)
        OnBtnStop();
    setTransportEnabled(!converting);
}

void QVideoPlayDlg::setSection(uint64_t start, uint64_t end)
{
    m_sectionStart = start;
    m_sectionEnd = end;
}

uint64_t QVideoPlayDlg::sectionEnd() const
{
    return m_sectionEnd ? m_sectionEnd : duration();
}

uint64_t QVideoPlayDlg::duration() const
{
    return m_control.duration();
}

void QVideoPlayDlg::OnPlayVideo()
{
    if (!player())
        return;
    if (!m_control.hasVideo() && !m_control.hasAudio()) {
        showPlayButton(true);
        ShowTime(0);
    }
    if (!m_control.play())
        return;
    if (m_audioOnly)
        m_audioTimer.start(50);
    else
        m_videoPlayWidget->show();
    showPlayButton(false);
    m_paused = false;
    m_timeTimer.start(100);
    emit emitTrimDSliderEnable(true);
}

void QVideoPlayDlg::OnBtnPlay()
{
    leaveSection();
    OnPlayVideo();
}

void QVideoPlayDlg::OnPauseVideo()
{
    if (!player())
        return;
    if (!m_control.pause()) {
        qDebug() << "error :---------Pause Fail--------";
        return;
    }
    m_paused = true;
    m_timeTimer.stop();
    m_audioTimer.stop();
    m_audioWidget->setAudioData(nullptr, 0);
    showPlayButton(true);
}

void QVideoPlayDlg::OnBtnPause()
{
    leaveSection();
    OnPauseVideo();
}

void QVideoPlayDlg::OnBtnStop()
{
    leaveSection();
    if (!player())
        return;
    m_control.stop();
    m_stepPending = false;
    m_paused = true;
    m_timeTimer.stop();
    m_audioTimer.stop();
    m_audioWidget->setAudioData(nullptr, 0);
    showPlayButton(true);
    ShowTime(0);
    emit emitPlayProValue(0);
}

void QVideoPlayDlg::VideoFinished()
{
    showPlayButton(true);
    ShowTime(0);
}

void QVideoPlayDlg::step(bool key, int direction)
{
    if (!player())
        return;
    leaveSection();
    OnPauseVideo();
    // Where a step lands is known once its picture is decoded: the clock
    // follows it then (pictureShown).
    if (key ? m_control.stepKeyFrame(direction) : m_control.stepFrame(direction))
        m_stepPending = true;
}

void QVideoPlayDlg::pictureShown(quint64 shownUs, bool idle)
{
    // Only the last of a run of posted commands speaks for the clock: an
    // earlier one would pull it back from where the user has gone since.
    if (!idle || m_control.pending() > 0 || !m_stepPending)
        return;
    m_stepPending = false;
    showPosition(shownUs);
}

void QVideoPlayDlg::showPosition(uint64_t us)
{
    const uint64_t d = duration();
    if (d == 0)
        return;
    emit emitPlayProValue(us * 100.0 / d);
    ShowTime(us);
}

void QVideoPlayDlg::OnBtnPrevious()
{
    step(false, -1);
}

void QVideoPlayDlg::OnBtnNext()
{
    step(false, 1);
}

void QVideoPlayDlg::OnBtnPreKey()
{
    step(true, -1);
}

void QVideoPlayDlg::OnBtnNextKet()
{
    step(true, 1);
}

uint64_t QVideoPlayDlg::position() const
{
    return m_control.position();
}

void QVideoPlayDlg::refreshProTime()
{
    if (!player())
        return;
    const uint64_t pos = m_control.position();
    if (pos == 0)
        return;
    showPosition(pos);
}

void QVideoPlayDlg::PlaySection()
{
    m_sectionMode = true;
    if (player()) {
        m_stepPending = false;
        m_control.seek(m_sectionStart);
    }
    OnPlayVideo();
}

void QVideoPlayDlg::StopPlaySection()
{
    m_sectionMode = false;
    emit emitStopPlayTrim();
}

void QVideoPlayDlg::setPlaySeekStart()
{
    if (player()) {
        m_stepPending = false;
        m_control.seek(m_sectionStart);
    }
    const uint64_t d = duration();
    emit emitPlayProValue(d ? m_sectionStart * 100.0 / d : 0.0);
    ShowTime(m_sectionStart);
}

void QVideoPlayDlg::UpdateTime()
{
    if (!player())
        return;
    const uint64_t d = m_control.duration();
    const uint64_t pos = m_control.position();
    if (m_sectionMode && m_sectionEnd != 0 && pos > m_sectionEnd) {
        m_control.seek(m_sectionEnd);
        ShowTime(m_sectionEnd);
        emit emitPlayProValue(d ? m_sectionEnd * 100.0 / d : 0.0);
        emit emitStopPlayTrim();
        m_sectionMode = false;
        OnPauseVideo();
        return;
    }
    if (m_control.isEnded()) {
        qDebug() << "paly__finish---";
        m_control.stop();
        m_timeTimer.stop();
        m_audioTimer.stop();
        showPlayButton(true);
        ShowTime(0);
        m_paused = true;
        emit emitPlayProValue(0);
    } else if (pos != 0 && d != 0 && m_control.pending() == 0) {
        // While a seek is on its way the clock keeps the position asked for.
        emit emitPlayProValue(pos * 100.0 / d);
        ShowTime(pos);
        m_videoPlayWidget->update();
    }
}

void QVideoPlayDlg::UpdataScreen()
{
    if (player() && m_control.hasVideo() && !m_control.isEnded())
        m_control.refreshScreen();
}

void QVideoPlayDlg::OnAudioDataTime()
{
    if (!player())
        return;
    int rate = 0;
    const QByteArray block = m_control.audioSamples(&rate);
    if (block.isEmpty())
        return;
    m_audioWidget->setAudioData(reinterpret_cast<const uint8_t *>(block.constData()), rate / 2);
}

void QVideoPlayDlg::PlayProValueChange(double value)
{
    if (!player())
        return;
    const uint64_t d = m_control.duration();
    const uint64_t target = uint64_t(double(d) * value);
    if (m_sectionMode) {
        const uint64_t end = m_sectionEnd ? m_sectionEnd : d;
        if (target < m_sectionStart || target > end) {
            m_sectionMode = false;
            emit emitStopPlayTrim();
        }
    }
    m_stepPending = false;
    m_control.seek(target);
    ShowTime(target);
}

void QVideoPlayDlg::PlaySeek(uint64_t value)
{
    if (!player())
        return;
    m_stepPending = false;
    m_control.seek(value);
    // While paused no clock tick follows, so the label is set here.
    ShowTime(value);
    const uint64_t d = m_control.duration();
    emit emitPlayProValue(d ? value * 100.0 / d : 0.0);
}

void QVideoPlayDlg::goToStart()
{
    if (!player())
        return;
    leaveSection();
    PlaySeek(0);
}

void QVideoPlayDlg::goToEnd()
{
    if (!player())
        return;
    leaveSection();
    // Playing on from the last picture would end the file at once.
    OnPauseVideo();
    // The last picture's span ends at the duration, which no picture holds.
    const uint64_t d = duration();
    PlaySeek(d > 0 ? d - 1 : 0);
    // The clock then shows the time of the picture that lands, as after a step.
    m_stepPending = true;
}

void QVideoPlayDlg::BeginAsyncSeek()
{
    if (player())
        m_control.beginAsyncSeek(2000000);
}

void QVideoPlayDlg::EndAsyncSeek()
{
    // The exact picture reaches the surface when it is decoded.
    if (player())
        m_control.endAsyncSeek();
}

QString QVideoPlayDlg::formatTime(uint64_t us)
{
    const uint64_t ms = us / 1000;
    return QStringLiteral("%1:%2:%3.%4")
        .arg(ms / 3600000)
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000 / 10, 2, 10, QLatin1Char('0'));
}

void QVideoPlayDlg::ShowTime(uint64_t time)
{
    m_labPlayTime->setText(QStringLiteral("%1 / %2").arg(formatTime(time), formatTime(duration())));
}

QString QVideoPlayDlg::timeText() const
{
    return m_labPlayTime->text();
}

void QVideoPlayDlg::SoundValueChange(double value)
{
    m_volume = float(value * 200.0);
    m_muted = value <= 0;
    m_btnSoundOpen->setVisible(value > 0);
    m_btnSoundClose->setVisible(value <= 0);
    QImageButton *visible = value > 0 ? m_btnSoundOpen : m_btnSoundClose;
    const QString tip = QStringLiteral("%1%").arg(int(m_volume));
    visible->setToolTip(tip);
    if (isVisible())
        QToolTip::showText(QCursor::pos(), tip, visible);
    m_control.setVolume(int(m_volume));
}

void QVideoPlayDlg::OnBtnSoundOpen()
{
    m_btnSoundClose->show();
    m_btnSoundOpen->hide();
    m_rememberedVolume = float(m_soundSlider->positionPercent() * 2.0);
    if (m_rememberedVolume == 0)
        m_rememberedVolume = 200;
    m_soundSlider->setValue(0);
    m_muted = true;
    m_control.setVolume(0);
}

void QVideoPlayDlg::OnBtnSoundClose()
{
    m_btnSoundOpen->show();
    m_btnSoundClose->hide();
    if (m_rememberedVolume == 0)
        m_rememberedVolume = 200;
    m_soundSlider->setValue(m_rememberedVolume);
    m_volume = m_rememberedVolume;
    m_muted = false;
    m_control.setVolume(int(m_rememberedVolume));
}

void QVideoPlayDlg::requestThumbnail(quintptr key, uint64_t time)
{
    if (m_filePath.isEmpty())
        return;
    m_thumbnails->request(key, time);
}

bool QVideoPlayDlg::thumbnailsIdle() const
{
    return m_thumbnails->isIdle();
}

void QVideoPlayDlg::DrawVideoFrame(void *) {}
