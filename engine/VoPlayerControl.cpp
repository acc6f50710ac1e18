#include "VoPlayerControl.h"

#include "orlcodec.h"

#include <QMetaObject>

#include <algorithm>

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
    // Reports of the old player no longer come: what waited for them
    // belonged to its file.
    m_posted = 0;
    m_reported = 0;
    m_shownKnown = false;
    m_queue.clear();
    m_held = 0;
    m_marks = 0;
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
            if (serial == self->m_serial.load())
                self->reported(shownUs, idle != 0);
        },
        Qt::QueuedConnection);
}

void VoPlayerControl::reported(quint64 shownUs, bool idle)
{
    if (m_reported < m_posted)
        ++m_reported;
    m_lastShown = shownUs;
    m_shownKnown = true;
    // The marks this report completes first; idle only if nothing they
    // held back or asked for is on its way now.
    drain();
    emit pictureShown(shownUs, idle && m_queue.empty() && m_posted == m_reported);
}

bool VoPlayerControl::post(Kind kind, int64_t value)
{
    int r = 0;
    switch (kind) {
    case Kind::Seek:
        r = Player_PostSeek(m_player, uint64_t(value));
        break;
    case Kind::Step:
        r = Player_PostStepFrame(m_player, int(value));
        break;
    case Kind::StepKey:
        r = Player_PostStepKeyFrame(m_player, int(value));
        break;
    case Kind::Play:
        r = Player_PostPlay(m_player);
        break;
    case Kind::Pause:
        r = Player_PostPause(m_player);
        break;
    case Kind::Stop:
        r = Player_PostStop(m_player);
        break;
    case Kind::BeginAsync:
        r = Player_PostBeginAsyncSeek(m_player, value);
        break;
    case Kind::EndAsync:
        r = Player_PostEndAsyncSeek(m_player);
        break;
    case Kind::Mark:
        break;
    }
    if (r == 1)
        ++m_posted;
    return r == 1;
}

bool VoPlayerControl::ask(Kind kind, int64_t value)
{
    if (!m_player)
        return false;
    if (m_queue.empty())
        return post(kind, value);
    // A mark waits: posted now, this command could replace the seek the
    // mark is waiting for.
    m_queue.push_back(Entry{kind, value, nullptr, nullptr});
    ++m_held;
    return true;
}

void VoPlayerControl::drain()
{
    if (m_draining)
        return; // the outer loop goes on with what was added
    m_draining = true;
    // Taken off before running: a mark may ask again, post or let go.
    while (!m_queue.empty()) {
        if (m_queue.front().kind != Kind::Mark) {
            const Entry e = m_queue.front();
            m_queue.pop_front();
            --m_held;
            post(e.kind, e.value);
            continue;
        }
        if (m_posted != m_reported)
            break;
        Entry e = std::move(m_queue.front());
        m_queue.pop_front();
        --m_marks;
        const quint64 shown = m_shownKnown ? m_lastShown : (hasVideo() ? frameTime() : position());
        if (e.context)
            e.done(shown);
    }
    m_draining = false;
}

void VoPlayerControl::whenShown(QObject *context, std::function<void(quint64)> done)
{
    if (!m_player || !done)
        return;
    if (m_queue.empty() && m_posted == m_reported) {
        // Nothing on its way: the picture on screen is the one.
        done(hasVideo() ? frameTime() : position());
        return;
    }
    m_queue.push_back(Entry{Kind::Mark, 0, context, std::move(done)});
    ++m_marks;
}

bool VoPlayerControl::seek(uint64_t timeUs)
{
    return ask(Kind::Seek, int64_t(std::min<uint64_t>(timeUs, INT64_MAX)));
}

bool VoPlayerControl::stepFrame(int direction)
{
    return ask(Kind::Step, direction);
}

bool VoPlayerControl::stepKeyFrame(int direction)
{
    return ask(Kind::StepKey, direction);
}

bool VoPlayerControl::play()
{
    return ask(Kind::Play, 0);
}

bool VoPlayerControl::pause()
{
    return ask(Kind::Pause, 0);
}

bool VoPlayerControl::stop()
{
    return ask(Kind::Stop, 0);
}

bool VoPlayerControl::beginAsyncSeek(int64_t budgetUs)
{
    return ask(Kind::BeginAsync, budgetUs);
}

bool VoPlayerControl::endAsyncSeek()
{
    return ask(Kind::EndAsync, 0);
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
