// Operation families whose engines arrive later (playback, parameter sets,
// conversion, merging, tracks). Until then every operation reports failure,
// so callers take their failure paths instead of crashing.
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

ORL_HANDLE Param_Create(void)
{
    return 0;
}

void Param_Release(ORL_HANDLE)
{
}

int Param_SetEncodeVideo(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetEncodeAudio(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetVideoCodec(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetAudioCodec(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetProfileMode(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetProfile(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetSize(ORL_HANDLE, int, int)
{
    return 0;
}

int Param_SetFrameRate(ORL_HANDLE, int, int)
{
    return 0;
}

int Param_SetVideoBitrate(ORL_HANDLE, int64_t)
{
    return 0;
}

int Param_SetVideoQuality(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetChannels(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetSampleRate(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetAudioBitrate(ORL_HANDLE, int64_t)
{
    return 0;
}

int Param_SetAudioQuality(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetOption(ORL_HANDLE, const char *, const char *)
{
    return 0;
}

int Param_SetBrightness(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetSaturation(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetContrast(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetHue(ORL_HANDLE, int)
{
    return 0;
}

int Param_SelectProgram(ORL_HANDLE, int)
{
    return 0;
}

int Param_SelectAudio(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetAudioCopyMask(ORL_HANDLE, uint64_t)
{
    return 0;
}

int Param_SelectSubtitle(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetSubtitleCopyMask(ORL_HANDLE, uint64_t)
{
    return 0;
}

int Param_SetSubtitleCodec(ORL_HANDLE, int)
{
    return 0;
}

int Param_UseClosedCaptions(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetSubtitleFile(ORL_HANDLE, const char *)
{
    return 0;
}

int Param_SelectOverlay(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetAspect(ORL_HANDLE, int, int)
{
    return 0;
}

int Param_SetRotation(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetMirror(ORL_HANDLE, int)
{
    return 0;
}

int Param_SetPadding(ORL_HANDLE, int, uint32_t)
{
    return 0;
}

int Param_SetCropRect(ORL_HANDLE, double, double, double, double)
{
    return 0;
}

ORL_HANDLE Conv_CreateCopy(int)
{
    return 0;
}

ORL_HANDLE Conv_CreateTranscode(int)
{
    return 0;
}

int Conv_Open(ORL_HANDLE, const char *, const char *, const char *, ORL_HANDLE)
{
    return 0;
}

int Conv_OpenDisc(ORL_HANDLE, const char *, const char *, const char *, ORL_HANDLE)
{
    return 0;
}

int Conv_SetRange(ORL_HANDLE, uint64_t, uint64_t)
{
    return 0;
}

int Conv_Start(ORL_HANDLE)
{
    return 0;
}

int Conv_Stop(ORL_HANDLE)
{
    return 0;
}

int Conv_IsFinished(ORL_HANDLE)
{
    return 0;
}

int Conv_IsAborted(ORL_HANDLE)
{
    return 0;
}

uint64_t Conv_GetPosition(ORL_HANDLE)
{
    return 0;
}

uint64_t Conv_GetTotal(ORL_HANDLE)
{
    return 0;
}

int Conv_AddTrack(ORL_HANDLE, ORL_HANDLE)
{
    return 0;
}

void Conv_Close(ORL_HANDLE)
{
}

void Conv_Destroy(ORL_HANDLE)
{
}

ORL_HANDLE Merge_CreateCopy(int)
{
    return 0;
}

ORL_HANDLE Merge_CreateTranscode(int)
{
    return 0;
}

int Merge_Open(ORL_HANDLE, const char *, const char *, ORL_HANDLE)
{
    return 0;
}

int Merge_Start(ORL_HANDLE)
{
    return 0;
}

int Merge_Add(ORL_HANDLE, const char *, uint64_t, uint64_t, ORL_HANDLE)
{
    return 0;
}

int Merge_AddDisc(ORL_HANDLE, const char *, uint64_t, uint64_t, ORL_HANDLE)
{
    return 0;
}

int Merge_Finish(ORL_HANDLE)
{
    return 0;
}

int Merge_IsDone(ORL_HANDLE)
{
    return 0;
}

int Merge_HasError(ORL_HANDLE)
{
    return 0;
}

uint64_t Merge_GetPosition(ORL_HANDLE)
{
    return 0;
}

uint64_t Merge_GetTotal(ORL_HANDLE)
{
    return 0;
}

void Merge_Close(ORL_HANDLE)
{
}

void Merge_Destroy(ORL_HANDLE)
{
}

ORL_HANDLE Track_Create(int)
{
    return 0;
}

int Track_SetCodec(ORL_HANDLE, int)
{
    return 0;
}

int Track_SetSize(ORL_HANDLE, int, int)
{
    return 0;
}

int Track_SetFrameRate(ORL_HANDLE, int, int)
{
    return 0;
}

int Track_SetDisplaySize(ORL_HANDLE, int, int)
{
    return 0;
}

int Track_SetAudio(ORL_HANDLE, int, int)
{
    return 0;
}

int Track_SetTiming(ORL_HANDLE, int, int)
{
    return 0;
}

int Track_SetPrivateData(ORL_HANDLE, const uint8_t *, int)
{
    return 0;
}

void Track_Destroy(ORL_HANDLE)
{
}

} // extern "C"
