#include "VoPlayerControl.h"

#include "orlcodec.h"

#include <QMetaObject>

VoPlayerControl::VoPlayerControl(QObject *parent) : QObject(parent) {}

VoPlayerControl::~VoPlayerControl()
{
    attach(0);
}

void VoPlayerControl::attach(Handle player)
{
    if (player == m_player)
        return;
    // Returns only after a report in progress has ended, so none reaches
    // this object once it is gone.
    if (m_player)
        Player_SetNotify(m_player, nullptr, nullptr);
    ++m_serial;
    m_pending = 0;
    m_player = player;
    if (m_player)
        Player_SetNotify(m_player, &VoPlayerControl::notify, this);
}

void VoPlayerControl::notify(void *opaque, uint64_t shownUs, int idle)
{
    // Runs on the player's command thread: only a queued hand-over.
    auto *self = static_cast<VoPlayerControl *>(opaque);
    const unsigned serial = self->m_serial.load();
    QMetaObject::invokeMethod(
        self,
        [self, serial, shownUs, idle] {
            if (serial != self->m_serial.load())
                return;
            if (self->m_pending > 0)
                --self->m_pending;
            emit self->pictureShown(shownUs, idle != 0);
        },
        Qt::QueuedConnection);
}

void VoPlayerControl::posted(bool ok)
{
    if (ok)
        ++m_pending;
}

bool VoPlayerControl::seek(uint64_t timeUs)
{
    const bool ok = m_player && Player_PostSeek(m_player, timeUs) == 1;
    posted(ok);
    return ok;
}

bool VoPlayerControl::stepFrame(int direction)
{
    const bool ok = m_player && Player_PostStepFrame(m_player, direction) == 1;
    posted(ok);
    return ok;
}

bool VoPlayerControl::stepKeyFrame(int direction)
{
    const bool ok = m_player && Player_PostStepKeyFrame(m_player, direction) == 1;
    posted(ok);
    return ok;
}

bool VoPlayerControl::play()
{
    const bool ok = m_player && Player_PostPlay(m_player) == 1;
    posted(ok);
    return ok;
}

bool VoPlayerControl::pause()
{
    const bool ok = m_player && Player_PostPause(m_player) == 1;
    posted(ok);
    return ok;
}

bool VoPlayerControl::stop()
{
    const bool ok = m_player && Player_PostStop(m_player) == 1;
    posted(ok);
    return ok;
}

bool VoPlayerControl::beginAsyncSeek(int64_t budgetUs)
{
    const bool ok = m_player && Player_PostBeginAsyncSeek(m_player, budgetUs) == 1;
    posted(ok);
    return ok;
}

bool VoPlayerControl::endAsyncSeek()
{
    const bool ok = m_player && Player_PostEndAsyncSeek(m_player) == 1;
    posted(ok);
    return ok;
}

uint64_t VoPlayerControl::duration() const
{
    return m_player ? Player_GetDuration(m_player) : 0;
}

uint64_t VoPlayerControl::position() const
{
    return m_player ? Player_GetPosition(m_player) : 0;
}

uint64_t VoPlayerControl::frameTime() const
{
    return m_player ? Player_GetFrameTime(m_player) : 0;
}

bool VoPlayerControl::isEnded() const
{
    return m_player && Player_IsEnded(m_player) != 0;
}

bool VoPlayerControl::isPaused() const
{
    return !m_player || Player_IsPaused(m_player) != 0;
}

bool VoPlayerControl::hasVideo() const
{
    return m_player && Player_HasVideo(m_player) != 0;
}

bool VoPlayerControl::hasAudio() const
{
    return m_player && Player_HasAudio(m_player) != 0;
}

int VoPlayerControl::width() const
{
    return m_player ? Player_GetWidth(m_player) : 0;
}

int VoPlayerControl::height() const
{
    return m_player ? Player_GetHeight(m_player) : 0;
}

int VoPlayerControl::displayWidth() const
{
    return m_player ? Player_GetDisplayWidth(m_player) : 0;
}

int VoPlayerControl::displayHeight() const
{
    return m_player ? Player_GetDisplayHeight(m_player) : 0;
}

void VoPlayerControl::setVolume(int volume)
{
    if (m_player)
        Player_SetVolume(m_player, volume, 0);
}

void VoPlayerControl::setRendererVolume(int volume)
{
    if (m_player)
        Player_SetRendererVolume(m_player, volume, 0);
}

void VoPlayerControl::setLateFrameTolerance(int us)
{
    if (m_player)
        Player_ConfigureTiming(m_player, us, 0);
}

void VoPlayerControl::setSampleDelivery(bool on)
{
    if (m_player)
        Player_SetAudioOnly(m_player, on ? 1 : 0);
}

bool VoPlayerControl::refreshScreen()
{
    return m_player && Player_RefreshScreen(m_player) == 1;
}

QByteArray VoPlayerControl::audioSamples(int *sampleRate) const
{
    if (!m_player)
        return QByteArray();
    const orl_audio_block *block = Player_GetAudioSamples(m_player, 0);
    if (!block)
        return QByteArray();
    QByteArray copy(reinterpret_cast<const char *>(block->data), block->size);
    if (sampleRate)
        *sampleRate = block->sample_rate;
    Player_ReleaseAudioSamples(m_player, block);
    return copy;
}
