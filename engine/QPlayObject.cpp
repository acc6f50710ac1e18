#include "QPlayObject.h"

#include "orlcodec.h"

#include <QMetaObject>

// What the opening thread hands over; shared so that a hand-over dropped
// with its holder still frees the player.
struct QPlayObject::Opening {
    QString path;
    unsigned serial = 0;
    std::unique_ptr<VoPlayerClass> player;
    bool ok = false;
};

QPlayObject::QPlayObject(QObject *parent) : QObject(parent) {}

QPlayObject::~QPlayObject()
{
    if (m_thread.joinable())
        m_thread.join();
}

void QPlayObject::limitDuration(uint64_t duration_us)
{
    if (m_player && m_player->handle())
        Player_LimitDuration(m_player->handle(), duration_us);
}

bool QPlayObject::open(const QString &path)
{
    if (m_thread.joinable())
        m_thread.join();
    m_opening = false;
    ++m_serial; // an opening still on its way is superseded
    m_player = std::make_unique<VoPlayerClass>();
    m_path.clear();
    m_shiftUs = 0;
    if (!m_player->open(path, preferredAudioStreamFor(path)))
        return false;
    m_path = path;
    return true;
}

void QPlayObject::openAsync(const QString &path)
{
    if (m_thread.joinable())
        m_thread.join();
    // Some audio systems give out one device at a time: the previous
    // player lets go before the new one opens.
    m_player.reset();
    m_path.clear();
    m_opening = true;
    auto opening = std::make_shared<Opening>();
    opening->path = path;
    opening->serial = ++m_serial;
    opening->player = std::make_unique<VoPlayerClass>();
    const int audioStream = preferredAudioStreamFor(path);
    m_thread = std::thread([this, opening, audioStream] {
        opening->ok = opening->player->open(opening->path, audioStream);
        VoPlayerClass::threadDone();
        QMetaObject::invokeMethod(
            this, [this, opening] { finishOpening(opening); }, Qt::QueuedConnection);
    });
}

void QPlayObject::finishOpening(const std::shared_ptr<Opening> &opening)
{
    // One superseded by a later open: its player goes with the hand-over.
    if (opening->serial != m_serial)
        return;
    if (m_thread.joinable())
        m_thread.join();
    m_opening = false;
    m_player = std::move(opening->player);
    m_shiftUs = 0;
    if (opening->ok)
        m_path = opening->path;
    emit opened(opening->ok);
}

void QPlayObject::setSoundShiftFor(const TrackPlan &plan)
{
    const MediaHandle h = playerHandle();
    if (!h)
        return;
    const ORL_HANDLE player = ORL_HANDLE(h);
    const int played = Player_GetAudioStream(player);
    int64_t shiftMs = 0;
    if (QString::fromStdString(plan.sourcePath) == m_path)
        for (const TrackPlanEntry &e : plan.entries)
            if (e.stream == played && e.keep)
                shiftMs = e.shiftMs;
    // Nothing moves: a seek now would only cross the seeks the window asks
    // for (every open comes here).
    if (shiftMs * 1000 == m_shiftUs)
        return;
    m_shiftUs = shiftMs * 1000;
    Player_SetSoundShift(player, m_shiftUs);
    // Posted: the picture shown is sought again on the player's own thread.
    Player_PostSeek(player, Player_GetPosition(player));
}

void QPlayObject::setPreferredAudioStream(const QString &path, int stream)
{
    m_preferredPath = path;
    m_preferredAudio = stream;
}

int QPlayObject::audioStream() const
{
    const MediaHandle h = playerHandle();
    return h ? Player_GetAudioStream(ORL_HANDLE(h)) : -1;
}
