#include "VoPlayerManager.h"

#include "orlcodec.h"

#include "EditParams.h"
#include "OutputFormatParams.h"
#include "QVoVideoShowWidget.h"
#include "VoInfoClass.h"
#include "VoPlayerClass.h"

#include <QDebug>
#include <QImage>
#include <QTimer>

#include <algorithm>

namespace {

QString twoDigits(uint64_t v)
{
    return QString("%1").arg(v, 2, 10, QChar('0'));
}

} // namespace

VoPlayerManager::VoPlayerManager(QObject *parent)
    : QObject(parent), m_timeTimer(new QTimer(this)), m_audioTimer(new QTimer(this))
{
    registerEditingMetaTypes();
    // The signals' own argument types, for queued connections and spies.
    qRegisterMetaType<uint64_t>("uint64_t");
    qRegisterMetaType<unsigned char *>("unsigned char*");
    connect(m_timeTimer, &QTimer::timeout, this, &VoPlayerManager::updateTime);
    connect(m_audioTimer, &QTimer::timeout, this, &VoPlayerManager::audioDataChanged);
    connect(&m_control, &VoPlayerControl::pictureShown, this, &VoPlayerManager::pictureShown);
}

VoPlayerManager::~VoPlayerManager()
{
    m_timeTimer->stop();
    m_audioTimer->stop();
    // The windows stop taking pictures before the player goes.
    if (m_videoWindow)
        m_videoWindow->attach(0);
    if (m_elementWindow)
        m_elementWindow->attachElement(0);
    m_control.attach(0);
    m_player.reset();
    m_info.reset();
}

ORL_HANDLE VoPlayerManager::handle() const
{
    return m_player ? m_player->handle() : 0;
}

uint64_t VoPlayerManager::position() const
{
    const ORL_HANDLE h = handle();
    return h ? Player_GetPosition(h) : 0;
}

bool VoPlayerManager::hasPlayer() const
{
    return handle() != 0;
}

QString VoPlayerManager::clockText(uint64_t us)
{
    const uint64_t s = us / 1000 / 1000;
    return QString("%1:%2:%3").arg(twoDigits(s / 3600), twoDigits(s / 60 % 60), twoDigits(s % 60));
}

QString VoPlayerManager::clockTextMs(uint64_t us)
{
    const uint64_t ms = us / 1000;
    return QString("%1:%2:%3.%4")
        .arg(twoDigits(ms / 3600000), twoDigits(ms / 60000 % 60), twoDigits(ms / 1000 % 60))
        .arg(ms % 1000, 3, 10, QChar('0'));
}

uint64_t VoPlayerManager::duration() const
{
    return hasPlayer() ? Player_GetDuration(handle()) : 0;
}

uint64_t VoPlayerManager::length() const
{
    const uint64_t d = duration();
    if (!m_trimActive)
        return d;
    if (m_trimEnd != 0 && m_trimEnd > m_trimStart)
        return m_trimEnd - m_trimStart;
    return d > m_trimStart ? d - m_trimStart : 0;
}

QSize VoPlayerManager::sourceSize() const
{
    return hasPlayer() ? QSize(Player_GetWidth(handle()), Player_GetHeight(handle())) : QSize();
}

QSize VoPlayerManager::displaySize() const
{
    return hasPlayer() ? QSize(Player_GetDisplayWidth(handle()), Player_GetDisplayHeight(handle())) : QSize();
}

bool VoPlayerManager::isPaused() const
{
    return hasPlayer() && Player_IsPaused(handle()) != 0;
}

void VoPlayerManager::setVideoWindow(QVoVideoShowWidget *window)
{
    if (m_videoWindow && m_videoWindow != window)
        m_videoWindow->attach(0);
    m_videoWindow = window;
    if (window)
        window->attach(handle());
}

void VoPlayerManager::setElementWindow(QVoVideoShowWidget *window)
{
    if (m_elementWindow && m_elementWindow != window)
        m_elementWindow->attachElement(0);
    m_elementWindow = window;
    if (window)
        window->attachElement(handle());
}

bool VoPlayerManager::open(const QString &path, int width, int height, int option)
{
    if (!m_player)
        m_player = std::make_unique<VoPlayerClass>();
    m_displayWidth = width;
    m_displayHeight = height;
    m_edits.displayWidth = width;
    m_edits.displayHeight = height;
    m_path = path;
    // Commands posted for the file before are gone with it.
    m_control.attach(0);
    const bool opened = m_player->open(path);
    if (opened) {
        if (!m_info)
            m_info = std::make_unique<VoInfoClass>();
        m_info->open(path);
        Player_ConfigureOpen(handle(), option);
    }
    return afterOpen(opened);
}

bool VoPlayerManager::openWithConfig(const QString &path, const VEEditConfig &config, int option)
{
    return adoptOpened(openPreview(path, config, option), path, config);
}

VoPlayerManager::OpenedPreview VoPlayerManager::openPreview(const QString &path, const VEEditConfig &config,
                                                            int option)
{
    OpenedPreview result;
    result.player = std::make_unique<VoPlayerClass>();
    result.opened = result.player->open(path);
    if (result.opened) {
        Player_SelectTitle(result.player->handle(), config.streamChoice.ProgramIndex);
        result.info = std::make_unique<VoInfoClass>();
        if (config.isDisc)
            result.info->openDisc(path);
        else
            result.info->open(path);
        Player_ConfigureOpen(result.player->handle(), option);
    }
    return result;
}

bool VoPlayerManager::adoptOpened(OpenedPreview opened, const QString &path, const VEEditConfig &config)
{
    // The windows and the reports let go of the player being replaced.
    if (m_videoWindow)
        m_videoWindow->attach(0);
    if (m_elementWindow)
        m_elementWindow->attachElement(0);
    m_control.attach(0);
    m_player = std::move(opened.player);
    if (opened.info)
        m_info = std::move(opened.info);
    m_displayWidth = config.displayWidth;
    m_displayHeight = config.displayHeight;
    m_edits.displayWidth = config.displayWidth;
    m_edits.displayHeight = config.displayHeight;
    m_path = path;
    return afterOpen(opened.opened);
}

bool VoPlayerManager::afterOpen(bool opened)
{
    if (!opened) {
        m_timeTimer->stop();
            m_audioTimer->stop();
        if (m_videoWindow) {
            m_videoWindow->attach(0);
            m_videoWindow->clearImage();
        }
        if (m_elementWindow) {
            m_elementWindow->attachElement(0);
            m_elementWindow->clearImage();
        }
        m_control.attach(0);
        m_player.reset();
        showClocks(0, 0);
        emit emitPlayProgress(0);
        emit emitPlayFinish();
        return false;
    }
    m_control.attach(handle());
    m_stepKind = 0;
    if (m_edits.displayWidth <= 0 || m_edits.displayHeight <= 0) {
        m_edits.displayWidth = Player_GetDisplayWidth(handle());
        m_edits.displayHeight = Player_GetDisplayHeight(handle());
    }
    Player_ConfigureTiming(handle(), 50000, 0);
    m_control.seek(m_trimStart);
    if (m_videoWindow)
        m_videoWindow->attach(handle());
    if (m_elementWindow)
        m_elementWindow->attachElement(handle());
    Player_SetVolume(handle(), m_soundVolume, 0);
    Player_SetRendererVolume(handle(), m_rendererVolume, 0);
    decideAudioOnly();
    emit emitPlayerChange();
    return true;
}

void VoPlayerManager::decideAudioOnly()
{
    if (Player_HasVideo(handle())) {
        Player_SetAudioOnly(handle(), 0);
        m_audioOnly = false;
        emit emitIsHaveVideo(true);
    } else if (Player_HasAudio(handle())) {
        Player_SetAudioOnly(handle(), 1);
        m_audioOnly = true;
        emit emitIsHaveVideo(false);
    }
}

void VoPlayerManager::setTrim(uint64_t start, uint64_t end)
{
    m_trimStart = start;
    m_trimEnd = end;
    if (hasPlayer()) {
        m_stepKind = 0;
        m_control.seek(m_trimStart);
    }
}

bool VoPlayerManager::snapshot(const QString &path, const QString &format)
{
    if (!hasPlayer())
        return false;
    const orl_picture *pic = Player_GrabFrame(handle(), 0, 0, ORL_PICTURE_PNG);
    if (!pic)
        return false;
    QImage image;
    const bool loaded = image.loadFromData(pic->data, pic->size, "PNG");
    Player_ReleaseFrame(handle(), pic);
    return loaded && image.save(path, format.toLower().toLatin1().constData());
}

// ------------------------------------------------------------ transport ---

void VoPlayerManager::onPlay()
{
    if (!hasPlayer())
        return;
    if (!Player_HasAudio(handle()) && !Player_HasVideo(handle())) {
        resetClocks();
        return;
    }
    // A play after the end starts from the beginning (the player does so).
    if (m_control.play()) {
        emit emitPlayState(true);
        if (m_audioOnly)
            m_audioTimer->start(50);
        m_timeTimer->start(100);
    } else {
        emit emitPlayState(false);
    }
}

void VoPlayerManager::startPlay()
{
    onPlay();
    emit emitPlayState(true);
}

void VoPlayerManager::pausePlay()
{
    if (hasPlayer() && m_control.pause()) {
        m_timeTimer->stop();
        m_audioTimer->stop();
        emit emitAudioData(nullptr, 0);
    }
    emit emitPlayState(false);
}

void VoPlayerManager::onPause()
{
    m_segmentPlaying = false;
    pausePlay();
}

void VoPlayerManager::onTrimPause()
{
    pausePlay();
    emit emitTrimPlayState(false);
}

void VoPlayerManager::onStop()
{
    m_segmentPlaying = false;
    if (!hasPlayer() || (!Player_HasAudio(handle()) && !Player_HasVideo(handle())))
        return;
    if (!m_control.stop())
        return;
    m_stepKind = 0;
    m_control.seek(m_trimStart);
    resetClocks();
    m_timeTimer->stop();
    m_audioTimer->stop();
    emit emitAudioData(nullptr, 0);
}

void VoPlayerManager::closePlay()
{
    onStop();
    if (hasPlayer()) {
        m_control.attach(0);
        Player_Close(handle());
    }
    showClocks(0, 0);
    emit emitPlayProgress(0);
    emit emitPlayFinish();
    emit emitClosePlay();
    emit emitAudioData(nullptr, 0);
}

void VoPlayerManager::resetClocks()
{
    showClocks(0, 0);
    emit emitPlayProgress(0);
    emit emitPlayFinish();
}

void VoPlayerManager::showClocks(uint64_t first, uint64_t second)
{
    const uint64_t len = length();
    emit emitPlayTime(QString("%1 / %2").arg(clockText(first), clockText(len)));
    emit emitPlayTime2(QString("%1 / %2").arg(clockTextMs(second), clockTextMs(len)));
}

void VoPlayerManager::progressValueChange(double value)
{
    if (!hasPlayer())
        return;
    const uint64_t len = length();
    const uint64_t rel = static_cast<uint64_t>(len * std::clamp(value, 0.0, 1.0));
    m_stepKind = 0;
    m_control.seek(rel + m_trimStart);
    showClocks(rel, rel);
}

void VoPlayerManager::beginAsyncSeek()
{
    if (hasPlayer())
        m_control.beginAsyncSeek(2000000);
}

void VoPlayerManager::endAsyncSeek()
{
    if (hasPlayer())
        m_control.endAsyncSeek();
}

void VoPlayerManager::onPreviousStep(bool isSeek, float pos)
{
    if (!hasPlayer())
        return;
    if (!isPaused()) {
        m_segmentPlaying = false;
        pausePlay();
        emit emitTrimPlayState(false);
    }
    const uint64_t target = static_cast<uint64_t>(length() * double(pos) + m_trimStart);
    if (isSeek)
        m_control.seek(target);
    if (target > m_trimStart)
        m_control.stepFrame(-1);
    stepPosted(1);
}

void VoPlayerManager::onNextStep(bool isSeek, float pos)
{
    if (!hasPlayer())
        return;
    if (!isPaused()) {
        m_segmentPlaying = false;
        pausePlay();
        emit emitTrimPlayState(false);
    }
    const uint64_t target = static_cast<uint64_t>(length() * double(pos) + m_trimStart + 1);
    if (isSeek)
        m_control.seek(target);
    if (m_trimEnd == 0 || target < m_trimEnd)
        m_control.stepFrame(1);
    stepPosted(1);
}

void VoPlayerManager::videoPreviousStep()
{
    if (!hasPlayer())
        return;
    pausePlay();
    m_control.stepFrame(-1);
    stepPosted(2);
}

void VoPlayerManager::videoNextStep()
{
    if (!hasPlayer())
        return;
    pausePlay();
    m_control.stepFrame(1);
    stepPosted(2);
}

void VoPlayerManager::stepPosted(int kind)
{
    // The picture a step lands on is known once it is decoded; with
    // nothing posted (a step past the range's edge) it is the one shown.
    m_stepKind = kind;
    if (m_control.pending() == 0)
        pictureShown(m_control.frameTime(), true);
}

void VoPlayerManager::pictureShown(quint64 t, bool idle)
{
    // Only the last of a run of commands speaks for the clocks.
    if (!idle || m_control.pending() > 0 || m_stepKind == 0)
        return;
    const int kind = m_stepKind;
    m_stepKind = 0;
    if (kind == 2) {
        emit emitPlayProgress(double(t) / std::max<uint64_t>(1, length()));
        showClocks(t, t);
        return;
    }
    const uint64_t rel = t > m_trimStart ? t - m_trimStart : 0;
    const uint64_t len = std::max<uint64_t>(1, length());
    const float percent = float(double(rel) * 100.0 / len);
    emit emitPlayProgress(percent / 100.0);
    emit emitStartEndProgressValue(percent);
    showClocks(rel, rel);
}

void VoPlayerManager::onTrimPlay(float startPos, float endPos)
{
    if (!hasPlayer())
        return;
    const uint64_t len = length();
    m_segmentStart = static_cast<uint64_t>(len * double(startPos) + m_trimStart);
    m_segmentEnd = static_cast<uint64_t>(len * double(endPos) + m_trimStart);
    if (!m_segmentPlaying) {
        m_segmentPlaying = true;
        m_stepKind = 0;
        m_control.seek(m_segmentStart);
    }
    onPlay();
    emit emitPlayState(true);
    emit emitTrimPlayState(true);
}

void VoPlayerManager::onTrim(uint64_t startTime, uint64_t endTime)
{
    m_trimEnd = endTime;
    m_trimStart = startTime;
    m_trimActive = true;
    onStop();
    // The sound's fades follow the range.
    showEdits();
    if (hasPlayer())
        m_control.seek(m_trimStart);
    showClocks(0, 0);
    emit emitTrimTimeChange(m_trimStart, m_trimEnd);
}

void VoPlayerManager::onTrimChapter(uint64_t startTime, uint64_t endTime)
{
    onTrim(startTime, endTime);
}

void VoPlayerManager::onReset()
{
    m_trimStart = 0;
    m_trimEnd = 0;
    m_trimActive = false;
    onStop();
    showEdits();
    if (hasPlayer())
        m_control.seek(0);
    showClocks(0, 0);
    emit emitTrimTimeChange(0, 0);
}

void VoPlayerManager::setSoundVolume(int value)
{
    m_soundVolume = value;
    if (hasPlayer())
        Player_SetVolume(handle(), value, 0);
}

void VoPlayerManager::setAudioRendererVolume(int value)
{
    m_rendererVolume = value;
    if (hasPlayer())
        Player_SetRendererVolume(handle(), value, 0);
}

void VoPlayerManager::updateTime()
{
    if (!hasPlayer())
        return;
    const uint64_t p = Player_GetPosition(handle());
    const uint64_t len = std::max<uint64_t>(1, length());
    if (m_segmentPlaying && p > m_segmentEnd) {
        m_control.seek(m_segmentEnd);
        const uint64_t rel = m_segmentEnd > m_trimStart ? m_segmentEnd - m_trimStart : 0;
        emit emitPlayProgress(double(rel) / len);
        showClocks(rel, rel);
        m_segmentPlaying = false;
        pausePlay();
        emit emitTrimPlayState(false);
        return;
    }
    if ((m_trimActive && m_trimEnd != 0 && p > m_trimEnd) || Player_IsEnded(handle())) {
        onStop();
        return;
    }
    if (p != 0 && m_control.pending() == 0) {
        const uint64_t rel = m_trimActive ? (p > m_trimStart ? p - m_trimStart : 0) : p;
        emit emitPlayProgress(double(rel) / len);
        showClocks(rel, rel);
    }
}

void VoPlayerManager::updataScreen()
{
    if (hasPlayer() && Player_HasVideo(handle()) && !Player_IsEnded(handle()))
        Player_RefreshScreen(handle());
}

void VoPlayerManager::audioDataChanged()
{
    if (!hasPlayer())
        return;
    const orl_audio_block *block = Player_GetAudioSamples(handle(), m_audioDataParam);
    if (!block)
        return;
    emit emitAudioData(const_cast<unsigned char *>(block->data), block->size / 2);
    Player_ReleaseAudioSamples(handle(), block);
}

// ------------------------------------------------------------- edits ---

VEWatermarkSettings VoPlayerManager::overlay(int index) const
{
    if (index == 1)
        return m_edits.effectOverlay;
    if (index == 2)
        return m_edits.frameOverlay;
    return m_edits.watermark;
}

void VoPlayerManager::showEdits()
{
    if (!hasPlayer())
        return;
    const ORL_HANDLE params = Param_Create();
    if (!params)
        return;
    applyEditParams(params, m_edits, false);
    if (m_trimActive)
        Param_SetPlayRange(params, m_trimStart, m_trimEnd);
    // The picture is framed as the conversion will frame it: the output
    // format's size, or the item's own when the format keeps it.
    const OutputFormatParams &out = OutputFormatParams::instance();
    const int w = out.width != 0 ? out.width : m_edits.displayWidth;
    const int h = out.height != 0 ? out.height : m_edits.displayHeight;
    if (!out.audioOnly && w > 0 && h > 0)
        Param_SetSize(params, w, h);
    m_editsShown = Player_SetParams(handle(), params) == 1;
    if (!m_editsShown)
        qDebug() << "preview: edits not shown:" << Engine_GetLastError(handle());
    Param_Release(params);
}

void VoPlayerManager::setTrimState(bool active, uint64_t start, uint64_t end)
{
    m_trimActive = active;
    m_trimStart = start;
    m_trimEnd = end;
    m_edits.trimStart = start;
    m_edits.trimEnd = end;
}

void VoPlayerManager::setCrop(const VECropSettings &crop)
{
    m_edits.crop = crop;
    showEdits();
    // A crop set from outside (typed sizes, an aspect choice, a reset) moves
    // the rectangle drawn over the preview as a drag does.
    emit emitCropSet(crop);
}

void VoPlayerManager::setPicture(const VEPictureAdjust &picture)
{
    m_edits.picture = picture;
    showEdits();
}

void VoPlayerManager::setOverlay(int index, const VEWatermarkSettings &overlay)
{
    if (index == 1)
        m_edits.effectOverlay = overlay;
    else if (index == 2)
        m_edits.frameOverlay = overlay;
    else
        m_edits.watermark = overlay;
    showEdits();
}

void VoPlayerManager::setTrackChoice(const VETrackChoice &choice)
{
    m_edits.trackChoice = choice;
    showEdits();
}

void VoPlayerManager::setStreamChoice(const VETrackChoice &choice)
{
    m_edits.streamChoice = choice;
    showEdits();
}

void VoPlayerManager::setSubtitleTracks(const std::vector<VESubtitleTrackEntry> &tracks)
{
    m_edits.subtitleTracks = tracks;
}

void VoPlayerManager::setSubtitleStyle(const VESubtitleStyle &style)
{
    m_edits.subtitleStyle = style;
    showEdits();
}

void VoPlayerManager::setBackgroundAudio(const VEAudioSettings &audio)
{
    m_edits.audio = audio;
    showEdits();
}

void VoPlayerManager::setSoundEffect(const VESoundEffect &effect)
{
    m_edits.soundEffect = effect;
    showEdits();
}
