// The playback family arrives later. Until then every operation reports
// failure, so callers take their failure paths instead of crashing.
#include "orlcodec.h"

extern "C" {

ORL_HANDLE Player_Create(int)
{
    return 0;
}

ORL_HANDLE Player_OpenFile(const char *)
{
    return 0;
}

int Player_Open(ORL_HANDLE, const char *, int, int)
{
    return 0;
}

int Player_OpenDisc(ORL_HANDLE, const char *, int, int)
{
    return 0;
}

int Player_SelectTitle(ORL_HANDLE, int)
{
    return 0;
}

int Player_ConfigureOpen(ORL_HANDLE, int)
{
    return 0;
}

int Player_ConfigureTiming(ORL_HANDLE, int, int)
{
    return 0;
}

int Player_SetVideoWindow(ORL_HANDLE, const orl_video_sink *)
{
    return 0;
}

int Player_SetElementWindow(ORL_HANDLE, const orl_video_sink *)
{
    return 0;
}

int Player_Play(ORL_HANDLE)
{
    return 0;
}

int Player_Pause(ORL_HANDLE)
{
    return 0;
}

int Player_Stop(ORL_HANDLE)
{
    return 0;
}

int Player_Close(ORL_HANDLE)
{
    return 0;
}

void Player_Destroy(ORL_HANDLE)
{
}

int Player_Seek(ORL_HANDLE, uint64_t)
{
    return 0;
}

int Player_BeginAsyncSeek(ORL_HANDLE, int64_t, int)
{
    return 0;
}

int Player_EndAsyncSeek(ORL_HANDLE)
{
    return 0;
}

int Player_StepFrame(ORL_HANDLE, int)
{
    return 0;
}

int Player_StepKeyFrame(ORL_HANDLE, int)
{
    return 0;
}

int Player_ShowFrame(ORL_HANDLE)
{
    return 0;
}

int Player_RefreshScreen(ORL_HANDLE)
{
    return 0;
}

uint64_t Player_GetFrameTime(ORL_HANDLE)
{
    return 0;
}

uint64_t Player_GetPosition(ORL_HANDLE)
{
    return 0;
}

uint64_t Player_GetDuration(ORL_HANDLE)
{
    return 0;
}

int Player_IsEnded(ORL_HANDLE)
{
    return 0;
}

int Player_IsPaused(ORL_HANDLE)
{
    return 0;
}

int Player_HasVideo(ORL_HANDLE)
{
    return 0;
}

int Player_HasAudio(ORL_HANDLE)
{
    return 0;
}

int Player_AudioOutputFailed(ORL_HANDLE)
{
    return 0;
}

int Player_SetAudioOnly(ORL_HANDLE, int)
{
    return 0;
}

int Player_SetVolume(ORL_HANDLE, int, int)
{
    return 0;
}

int Player_SetRendererVolume(ORL_HANDLE, int, int)
{
    return 0;
}

int Player_GetWidth(ORL_HANDLE)
{
    return 0;
}

int Player_GetHeight(ORL_HANDLE)
{
    return 0;
}

int Player_GetDisplayWidth(ORL_HANDLE)
{
    return 0;
}

int Player_GetDisplayHeight(ORL_HANDLE)
{
    return 0;
}

int Player_SetParams(ORL_HANDLE, ORL_HANDLE)
{
    return 0;
}

const orl_picture * Player_GrabFrame(ORL_HANDLE, int, int, int)
{
    return nullptr;
}

void Player_ReleaseFrame(ORL_HANDLE, const orl_picture *)
{
}

const orl_audio_block * Player_GetAudioSamples(ORL_HANDLE, int)
{
    return nullptr;
}

void Player_ReleaseAudioSamples(ORL_HANDLE, const orl_audio_block *)
{
}

} // extern "C"
