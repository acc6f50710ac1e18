// The C face of the playback family. Every entry finds its player through
// the handle registry, so a stale handle is refused, and no exception
// leaves the library.
#include "Handles.h"
#include "ParamSet.h"
#include "Player.h"

#include "orlcodec.h"

#include <algorithm>

namespace {

using orl::Player;

template <class R, class F>
R withPlayer(ORL_HANDLE h, R fail, F &&f)
{
    return orl::guardBoundary(h, fail, [&]() -> R {
        std::shared_ptr<Player> p = orl::findHandleAs<Player>(h);
        if (!p)
            return fail;
        return f(*p);
    });
}

} // namespace

extern "C" {

ORL_HANDLE Player_Create(int)
{
    try {
        return orl::registerHandle(std::make_shared<Player>());
    } catch (...) {
        return 0;
    }
}

ORL_HANDLE Player_OpenFile(const char *path_utf8)
{
    if (!path_utf8)
        return 0;
    const ORL_HANDLE h = Player_Create(-1);
    if (h && Player_Open(h, path_utf8, 0, 0) == 1)
        return h;
    Player_Destroy(h);
    return 0;
}

int Player_Open(ORL_HANDLE h, const char *path_utf8, int display_width, int display_height)
{
    if (!path_utf8)
        return 0;
    return withPlayer(h, 0, [&](Player &p) {
        return p.open(path_utf8, display_width, display_height) ? 1 : 0;
    });
}

int Player_OpenDisc(ORL_HANDLE h, const char *, int, int)
{
    return withPlayer(h, 0, [](Player &p) {
        p.close();
        p.setError("disc playback is not supported");
        return 0;
    });
}

int Player_SelectTitle(ORL_HANDLE h, int title)
{
    // Files have one title; disc titles are not supported.
    return withPlayer(h, 0, [&](Player &p) { return p.isOpen() && title <= 0 ? 1 : 0; });
}

int Player_ConfigureOpen(ORL_HANDLE h, int)
{
    // Every open already decodes its first picture; nothing to choose.
    return withPlayer(h, 0, [](Player &) { return 1; });
}

int Player_ConfigureTiming(ORL_HANDLE h, int value, int)
{
    // value: how late (µs) a picture may be before it is dropped while a
    // newer one is already due.
    return withPlayer(h, 0, [&](Player &p) {
        p.setLateFrameTolerance(value);
        return 1;
    });
}

int Player_SetShownSize(ORL_HANDLE h, int width, int height)
{
    return withPlayer(h, 0, [&](Player &p) {
        p.setShownSize(width, height);
        return 1;
    });
}

int Player_SetVideoWindow(ORL_HANDLE h, const orl_video_sink *sink)
{
    return withPlayer(h, 0, [&](Player &p) {
        p.setVideoSink(sink, false);
        return 1;
    });
}

int Player_SetElementWindow(ORL_HANDLE h, const orl_video_sink *sink)
{
    return withPlayer(h, 0, [&](Player &p) {
        p.setVideoSink(sink, true);
        return 1;
    });
}

int Player_Play(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.play() ? 1 : 0; });
}

int Player_Pause(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.pause() ? 1 : 0; });
}

int Player_Stop(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.stop() ? 1 : 0; });
}

int Player_Close(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) {
        p.close();
        return 1;
    });
}

void Player_Destroy(ORL_HANDLE h)
{
    try {
        std::shared_ptr<orl::EngineObject> obj = orl::unregisterHandle(h);
        if (auto p = std::dynamic_pointer_cast<Player>(obj))
            p->close();
    } catch (...) {
    }
}

int Player_Seek(ORL_HANDLE h, uint64_t time_us)
{
    return withPlayer(h, 0, [&](Player &p) { return p.seek(time_us) ? 1 : 0; });
}

int Player_BeginAsyncSeek(ORL_HANDLE h, int64_t value, int)
{
    // value: how far (µs) past a key frame a drag still decodes on to the
    // exact picture; farther targets show the key frame alone.
    return withPlayer(h, 0, [&](Player &p) { return p.beginAsyncSeek(value) ? 1 : 0; });
}

int Player_EndAsyncSeek(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.endAsyncSeek() ? 1 : 0; });
}

int Player_StepFrame(ORL_HANDLE h, int direction)
{
    return withPlayer(h, 0, [&](Player &p) { return p.stepFrame(direction) ? 1 : 0; });
}

int Player_StepKeyFrame(ORL_HANDLE h, int direction)
{
    return withPlayer(h, 0, [&](Player &p) { return p.stepKeyFrame(direction) ? 1 : 0; });
}

int Player_ShowFrame(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.showFrame() ? 1 : 0; });
}

int Player_RefreshScreen(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.refreshScreen() ? 1 : 0; });
}

uint64_t Player_GetFrameTime(ORL_HANDLE h)
{
    return withPlayer(h, uint64_t(0), [](Player &p) { return p.frameTime(); });
}

uint64_t Player_GetPosition(ORL_HANDLE h)
{
    return withPlayer(h, uint64_t(0), [](Player &p) { return p.position(); });
}

uint64_t Player_GetDuration(ORL_HANDLE h)
{
    return withPlayer(h, uint64_t(0), [](Player &p) { return p.duration(); });
}

int Player_LimitDuration(ORL_HANDLE h, uint64_t limit_us)
{
    return withPlayer(h, 0, [&](Player &p) { return p.limitDuration(limit_us) ? 1 : 0; });
}

int Player_IsEnded(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.isEnded() ? 1 : 0; });
}

int Player_IsPaused(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.isPaused() ? 1 : 0; });
}

int Player_HasVideo(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.hasVideo() ? 1 : 0; });
}

int Player_HasAudio(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.hasAudio() ? 1 : 0; });
}

int Player_AudioOutputFailed(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.audioOutputFailed() ? 1 : 0; });
}

int Player_SetSoundShift(ORL_HANDLE h, int64_t shift_us)
{
    return withPlayer(h, 0, [&](Player &p) {
        p.setSoundShift(shift_us);
        return 1;
    });
}

int Player_GetAudioStream(ORL_HANDLE h)
{
    return withPlayer(h, -1, [&](Player &p) { return p.audioStream(); });
}

int Player_SetPreferredAudioStream(ORL_HANDLE h, int stream)
{
    return withPlayer(h, 0, [&](Player &p) {
        p.setPreferredAudioStream(stream);
        return 1;
    });
}

int Player_SetAudioOnly(ORL_HANDLE h, int on)
{
    // An audio-only file feeds the level display: switch sample delivery.
    return withPlayer(h, 0, [&](Player &p) {
        p.setSampleDelivery(on != 0);
        return 1;
    });
}

int Player_SetVolume(ORL_HANDLE h, int volume, int)
{
    return withPlayer(h, 0, [&](Player &p) {
        p.setVolume(volume);
        return 1;
    });
}

int Player_SetRendererVolume(ORL_HANDLE h, int volume, int)
{
    return withPlayer(h, 0, [&](Player &p) {
        p.setRendererVolume(volume);
        return 1;
    });
}

int Player_GetWidth(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.width(); });
}

int Player_GetHeight(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.height(); });
}

int Player_GetDisplayWidth(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.displayWidth(); });
}

int Player_GetDisplayHeight(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.displayHeight(); });
}

int Player_SetParams(ORL_HANDLE h, ORL_HANDLE params)
{
    // The player takes its own copy, as a conversion does; 0 ends the edits.
    return withPlayer(h, 0, [&](Player &p) {
        if (!params)
            return p.setEdits(nullptr) ? 1 : 0;
        if (!orl::findHandleAs<orl::ParamSet>(params)) {
            p.setError("not a parameter set");
            return 0;
        }
        const orl::ParamValues values = orl::paramValues(params);
        return p.setEdits(&values) ? 1 : 0;
    });
}

int Player_PostSeek(ORL_HANDLE h, uint64_t time_us)
{
    const int64_t t = static_cast<int64_t>(std::min<uint64_t>(time_us, INT64_MAX / 4));
    return withPlayer(h, 0, [&](Player &p) { return p.post(Player::Posted::Seek, t) ? 1 : 0; });
}

int Player_PostStepFrame(ORL_HANDLE h, int direction)
{
    if (direction == 0)
        return 0;
    return withPlayer(h, 0, [&](Player &p) { return p.post(Player::Posted::Step, direction) ? 1 : 0; });
}

int Player_PostStepKeyFrame(ORL_HANDLE h, int direction)
{
    if (direction == 0)
        return 0;
    return withPlayer(h, 0, [&](Player &p) { return p.post(Player::Posted::StepKey, direction) ? 1 : 0; });
}

int Player_PostPlay(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.post(Player::Posted::Play, 0) ? 1 : 0; });
}

int Player_PostPause(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.post(Player::Posted::Pause, 0) ? 1 : 0; });
}

int Player_PostStop(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.post(Player::Posted::Stop, 0) ? 1 : 0; });
}

int Player_PostBeginAsyncSeek(ORL_HANDLE h, int64_t value)
{
    return withPlayer(h, 0, [&](Player &p) { return p.post(Player::Posted::BeginAsyncSeek, value) ? 1 : 0; });
}

int Player_PostEndAsyncSeek(ORL_HANDLE h)
{
    return withPlayer(h, 0, [](Player &p) { return p.post(Player::Posted::EndAsyncSeek, 0) ? 1 : 0; });
}

int Player_SetNotify(ORL_HANDLE h, orl_player_notify notify, void *opaque)
{
    return withPlayer(h, 0, [&](Player &p) {
        p.setNotify(notify, opaque);
        return 1;
    });
}

int Player_WaitPosted(ORL_HANDLE h, int timeout_ms)
{
    return withPlayer(h, 0, [&](Player &p) { return p.waitPosted(timeout_ms) ? 1 : 0; });
}

const orl_picture *Player_GrabFrame(ORL_HANDLE h, int width, int height, int format)
{
    return withPlayer(h, static_cast<const orl_picture *>(nullptr),
                      [&](Player &p) { return p.grabFrame(width, height, format); });
}

void Player_ReleaseFrame(ORL_HANDLE h, const orl_picture *picture)
{
    withPlayer(h, 0, [&](Player &p) {
        p.releaseFrame(picture);
        return 0;
    });
}

const orl_audio_block *Player_GetAudioSamples(ORL_HANDLE h, int)
{
    return withPlayer(h, static_cast<const orl_audio_block *>(nullptr),
                      [](Player &p) { return p.audioSamples(); });
}

void Player_ReleaseAudioSamples(ORL_HANDLE h, const orl_audio_block *block)
{
    withPlayer(h, 0, [&](Player &p) {
        p.releaseAudioSamples(block);
        return 0;
    });
}

} // extern "C"
