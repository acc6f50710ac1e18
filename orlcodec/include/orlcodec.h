/*
 * orlcodec: the media library of Zelvane Snipwell.
 *
 * A flat C interface over the FFmpeg libraries. Conventions shared by every
 * family:
 *  - Handles are opaque pointer-sized values; 0 means failure. Every handle
 *    is released by its family's destroy or release operation and is used by
 *    one thread at a time (closing from another thread is allowed where noted).
 *  - Strings are zero-terminated UTF-8. Returned strings and blobs belong to
 *    the library and stay valid until the next call on the same handle that
 *    returns a string, or until the handle is closed; copy them at once.
 *  - Times are unsigned 64-bit microseconds.
 *  - Open, start, add and select operations return 1 for success. Count and
 *    size queries return 0 for none; "is"/"has" queries return non-zero for yes.
 *  - Codec identifiers passed in are those of the older libavcodec numbering
 *    (H.264 = 28, AAC = 86018), translated inside; container names are the
 *    FFmpeg format names ("mp4", "mov", "matroska", ...).
 *  - No call blocks without end: every blocking read honours the process-wide
 *    interrupt switch, the abort-loading flag (while opening) and the handle's
 *    own close request.
 */
#ifndef ORLCODEC_H
#define ORLCODEC_H

#include <stddef.h>
#include <stdint.h>

#if defined(ORLCODEC_BUILDING)
#define ORL_API __attribute__((visibility("default")))
#else
#define ORL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef intptr_t ORL_HANDLE;

/* Stream kinds; the values double as the track types of Track_Create. */
enum {
    ORL_STREAM_VIDEO = 1,
    ORL_STREAM_AUDIO = 2,
    ORL_STREAM_SUBTITLE = 8
};

/* Encoded picture formats of the frame grabbers. */
enum {
    ORL_PICTURE_JPEG = 0,
    ORL_PICTURE_PNG = 1,
    /* Flag added to a format: take the key frame at or before the time
       instead of the exact picture (a preview needs no exactness and is
       decoded at once). */
    ORL_PICTURE_KEY_FRAME = 0x100
};

/* One stream as the information family reports it. Strings and the private
 * data belong to the library (see the conventions above). Fields that do not
 * apply to the stream's kind are 0. */
typedef struct orl_stream_info {
    int kind;               /* ORL_STREAM_* */
    int index;              /* index of the stream in the container */
    const char *name;       /* the stream's title, "" when none */
    const char *codec_name; /* short decoder name ("h264", "aac", "subrip") */
    const char *language;   /* language code as stored ("eng", "fre"), "" when none */
    uint32_t codec_tag;     /* four-character tag; 0x43432020 marks closed captions */
    int64_t bit_rate;       /* bit/s, 0 when unknown */
    uint64_t duration;      /* µs, 0 when unknown */
    int profile;
    int level;
    /* video */
    int width;              /* stored picture size */
    int height;
    int rotation;           /* clockwise degrees 0, 90, 180, 270 for display */
    int frame_rate_num;
    int frame_rate_den;
    int aspect_num;         /* display aspect ratio, reduced; 0 when unknown */
    int aspect_den;
    /* audio */
    int channels;
    int sample_rate;
    int bits_per_sample;
    /* codec private data */
    const uint8_t *extradata;
    int extradata_size;
} orl_stream_info;

/* How a video stream's pictures are meant to be shown. Texts are FFmpeg's
 * names ("bt709", "bt2020", "smpte2084" = PQ, "arib-std-b67" = HLG, range
 * "tv"/"pc"), "" when the stream does not say; they belong to the library. */
typedef struct orl_video_look {
    const char *primaries;
    const char *transfer;
    const char *matrix;
    const char *range;
    const char *pixel_format; /* "yuv420p10le" */
    const char *field_order;  /* "progressive", "tt" (top first), "bb", "tb", "bt"; "" unknown */
    const char *hdr;          /* "HDR10" (PQ), "HLG", "" for SDR */
    int bit_depth;            /* bits per component, 0 when unknown */
    int rotation;             /* clockwise degrees for display */
    /* Mastering display (SMPTE ST 2086): luminance in cd/m^2; primaries and
     * white point as CIE 1931 xy, red, green, blue, white. */
    int has_mastering_display;
    double max_luminance;
    double min_luminance;
    double display_primaries[4][2];
    /* Content light level: cd/m^2. */
    int has_content_light;
    int max_cll;
    int max_fall;
} orl_video_look;

/* An encoded picture returned by a frame grabber. */
typedef struct orl_picture {
    const uint8_t *data;
    int size;   /* bytes */
    int width;  /* pixels of the encoded picture */
    int height;
    int format; /* ORL_PICTURE_* */
} orl_picture;

/* ---- Engine: start-up, working folder, interrupts, errors ---------------- */

/* Once, before any other use. network: enable network protocols;
 * verbose: FFmpeg's warnings join its errors in our log channel. */
ORL_API int Engine_Startup(int network, int verbose);
/* Folder for the library's own files (temporary files of later jobs). */
ORL_API int Engine_SetWorkFolder(const char *path_utf8);
/* How many conversion and merge jobs (and ranges of a merge) have ended so
 * far, and a wait for the next end: read the count, look at the job
 * (Conv_IsFinished, Merge_IsDone), and if it runs on, wait with the count
 * read; 1 as soon as any job ended after it, 0 after timeout_ms. */
ORL_API uint64_t Engine_GetJobEndCount(void);
ORL_API int Engine_WaitForJobEnd(uint64_t seen, int timeout_ms);
/* Process-wide switch: while 1, every blocking read of every handle returns
 * at once with an error. */
ORL_API void Engine_SetInterrupt(int on);
/* Abort-loading flag: while 1, every open that is under way (and every open
 * begun) returns failure early. */
ORL_API void Engine_SetAbortLoading(int on);
ORL_API int Engine_GetAbortLoading(void);
/* Last error text of a handle of any family; "" when none or unknown handle. */
ORL_API const char *Engine_GetLastError(ORL_HANDLE handle);
/* Number of live handles of all families (leak checks). */
ORL_API int Engine_GetHandleCount(void);
/* Version text of the library and the FFmpeg it runs on. */
ORL_API const char *Engine_GetVersion(void);

/* ---- Cancel: a cancel the caller owns ---------------------------------------
 * Made before a long call, triggered from any thread, never cleared by the
 * library: a cancel that comes before the work begins ends it at once. A
 * token serves one piece of work; make a new one for the next. */
ORL_API ORL_HANDLE Cancel_Create(void);
ORL_API void Cancel_Trigger(ORL_HANDLE token);
ORL_API int Cancel_IsTriggered(ORL_HANDLE token);
/* A run still watching the token keeps what it needs of it. */
ORL_API void Cancel_Destroy(ORL_HANDLE token);

/* ---- Buffer: memory the information family can open as media -------------- */

/* Copies size bytes; 0 on failure. */
ORL_API ORL_HANDLE Buffer_Create(const void *data, size_t size);
ORL_API void Buffer_Destroy(ORL_HANDLE buffer);

/* ---- Info: media information and frame grabbing -------------------------- */

/* option: -1 default, the full probe (pictures are decoded where the
 * container leaves stream details open); ORL_INFO_HEADERS: the container's
 * headers alone when they describe every stream (MP4/MOV, Matroska), for a
 * caller that needs only what the headers say and opens the file again to
 * convert it. */
enum { ORL_INFO_HEADERS = 1 };
ORL_API ORL_HANDLE Info_Create(int option);
ORL_API int Info_Open(ORL_HANDLE h, const char *path_utf8);
/* Opens the bytes of a buffer. The handle keeps its own reference to the
 * bytes, so the buffer may be destroyed while the handle stays open. */
ORL_API int Info_OpenMemory(ORL_HANDLE h, ORL_HANDLE buffer);
/* Disc structures are not read by this library: always fails cleanly. */
ORL_API int Info_OpenDisc(ORL_HANDLE h, const char *path_utf8);
/* May be called from another thread while a call on h is blocked reading:
 * that call returns early. */
ORL_API void Info_Close(ORL_HANDLE h);
ORL_API void Info_Destroy(ORL_HANDLE h);

/* Titles: one per program of a multi-program transport stream, else one. */
ORL_API int Info_GetTitleCount(ORL_HANDLE h);
/* Selects the title and, within it, its first video and audio stream. */
ORL_API int Info_SelectTitle(ORL_HANDLE h, int title);
ORL_API int Info_GetSelectedTitle(ORL_HANDLE h);
ORL_API const char *Info_GetTitleName(ORL_HANDLE h, int title);
ORL_API int Info_HasVideo(ORL_HANDLE h);
ORL_API int Info_HasAudio(ORL_HANDLE h);

/* Streams of the selected title, by kind. Attached pictures (covers) are not
 * video streams. */
ORL_API int Info_GetStreamCount(ORL_HANDLE h, int kind);
ORL_API int Info_SelectStream(ORL_HANDLE h, int kind, int number);
ORL_API int Info_GetSelectedStream(ORL_HANDLE h, int kind);
ORL_API int Info_GetStreamInfo(ORL_HANDLE h, int kind, int number, orl_stream_info *info);
/* Colours, HDR and scanning of a video stream: what the container says,
 * completed from its first picture (HDR metadata often rides on the
 * pictures only), which this call decodes. */
ORL_API int Info_GetVideoLook(ORL_HANDLE h, int number, orl_video_look *look);

/* Demuxer name ("mov,mp4,m4a,3gp,3g2,mj2", "matroska,webm", "mpegts"). */
ORL_API const char *Info_GetFormatName(ORL_HANDLE h);
/* Metadata by key: the title's program, then the container. Extra keys:
 * "ffmpeg_format" (the demuxer name), "major_brand", "dvd_clip" (discs only).
 * NULL when absent. */
ORL_API const char *Info_GetMetadata(ORL_HANDLE h, const char *key);
/* Binary metadata: "cover_image" is the attached picture's bytes. NULL and
 * *size 0 when absent. */
ORL_API const uint8_t *Info_GetMetadataBlob(ORL_HANDLE h, const char *key, int *size);
/* Duration of the selected title, µs; 0 when unknown. */
ORL_API uint64_t Info_GetDuration(ORL_HANDLE h);
/* Where the file's data ends, µs: below the duration when the file holds
 * less than its header declares (a partial download). Compares an index in
 * the header with the file's size, or reads the last packets of the file,
 * never the whole file. Equals the duration when the file is whole or when
 * that cannot be told cheaply. */
ORL_API uint64_t Info_GetReadableEnd(ORL_HANDLE h);
/* Picture size of the selected video stream as displayed (rotation applied). */
ORL_API int Info_GetWidth(ORL_HANDLE h);
ORL_API int Info_GetHeight(ORL_HANDLE h);
/* Display aspect of the selected video stream (rotation applied); 1 on success. */
ORL_API int Info_GetDisplayAspect(ORL_HANDLE h, int *num, int *den);
ORL_API int Info_CanSeek(ORL_HANDLE h);

ORL_API int Info_GetChapterCount(ORL_HANDLE h);
ORL_API uint64_t Info_GetChapterStart(ORL_HANDLE h, int chapter);
ORL_API uint64_t Info_GetChapterDuration(ORL_HANDLE h, int chapter);
ORL_API const char *Info_GetChapterTitle(ORL_HANDLE h, int chapter);

/* Picture of the selected video stream at time_us: the first frame at or
 * after it. width/height 0 = displayed size (one of them 0 keeps the
 * aspect). NULL on failure; release with Info_ReleaseFrame. */
ORL_API const orl_picture *Info_GrabFrame(ORL_HANDLE h, uint64_t time_us, int width, int height,
                                          int format);
ORL_API void Info_ReleaseFrame(ORL_HANDLE h, const orl_picture *picture);
/* Key frames of the selected video stream: presentation times in µs from the
 * start of the file, ascending. Read from the container's index where it
 * lists every key frame (MP4/MOV sample tables, Matroska cues), otherwise by
 * reading every packet header of the file (no decoding). Results are kept
 * per file (path, size, modification time), so asking again is immediate.
 * Blocks while it reads; Info_CancelKeyFrames or Info_Close from another
 * thread, or the interrupt switch, stop it at once (result 0). Returns the
 * count, 0 for none or stopped; *times belongs to the handle. */
ORL_API int Info_GetKeyFrames(ORL_HANDLE h, const uint64_t **times);
/* Any thread: stops a running Info_GetKeyFrames of the handle. */
ORL_API void Info_CancelKeyFrames(ORL_HANDLE h);
/* Any thread: stops an Info_Open or Info_GetKeyFrames of the handle under
 * way, and makes every later one fail at once; for a handle being given up
 * while its file may still be opening. */
ORL_API void Info_Cancel(ORL_HANDLE h);

/* ---- Grabber: the frame grabber of thumbnails and the thumbnail strip ----- */

ORL_API ORL_HANDLE Grabber_Create(void);
ORL_API int Grabber_Open(ORL_HANDLE g, const char *path_utf8);
ORL_API void Grabber_Close(ORL_HANDLE g);
ORL_API void Grabber_Destroy(ORL_HANDLE g);
ORL_API int Grabber_GetWidth(ORL_HANDLE g);
ORL_API int Grabber_GetHeight(ORL_HANDLE g);
ORL_API int Grabber_GetDisplayAspect(ORL_HANDLE g, int *num, int *den);
ORL_API uint64_t Grabber_GetDuration(ORL_HANDLE g);
ORL_API int Grabber_CanSeek(ORL_HANDLE g);
ORL_API const orl_picture *Grabber_GrabFrame(ORL_HANDLE g, uint64_t time_us, int width, int height,
                                             int format);
ORL_API void Grabber_ReleaseFrame(ORL_HANDLE g, const orl_picture *picture);

/* ---- Player: playback ---------------------------------------------------- */
/* Pictures go to a sink, sound to the default audio device; without a device
 * playback runs on the wall clock and Player_AudioOutputFailed reports it.
 * Times are media times (0 = start of the file). Player_Seek shows the
 * picture whose time span holds the time; between Player_BeginAsyncSeek and
 * Player_EndAsyncSeek seeks only latch their target (the newest wins) and
 * show key frames, and the end lands exactly on the last target.
 * Player_StepFrame/Player_StepKeyFrame pause and move by one (key) picture;
 * at either end they fail and the picture stays. Player_SetAudioOnly
 * switches sample delivery for the level display: Player_GetAudioSamples
 * returns the latest 50 ms heard in WAV layout (data length at byte 40,
 * 16-bit loudness values from byte 44), or NULL when nothing is new. */

/* Frames are handed to a sink instead of painted into a native window. */
typedef struct orl_video_sink {
    void *opaque;
    /* Called on a library thread with an RGB32 picture. */
    void (*deliver)(void *opaque, int width, int height, int stride, const uint8_t *pixels);
} orl_video_sink;

/* Called on the player's command thread after each posted command has run:
 * shown_us is the time of the picture on screen (the position of a file
 * without pictures), idle is non-zero when no posted command waits. */
typedef void (*orl_player_notify)(void *opaque, uint64_t shown_us, int idle);

/* A block of decoded audio in WAV layout (header then 16-bit samples). */
typedef struct orl_audio_block {
    const uint8_t *data;
    int size;
    int sample_rate;
} orl_audio_block;

ORL_API ORL_HANDLE Player_Create(int option);
ORL_API ORL_HANDLE Player_OpenFile(const char *path_utf8);
ORL_API int Player_Open(ORL_HANDLE p, const char *path_utf8, int display_width, int display_height);
ORL_API int Player_OpenDisc(ORL_HANDLE p, const char *path_utf8, int display_width,
                            int display_height);
ORL_API int Player_SelectTitle(ORL_HANDLE p, int title);
ORL_API int Player_ConfigureOpen(ORL_HANDLE p, int option);
ORL_API int Player_ConfigureTiming(ORL_HANDLE p, int value, int extra);
ORL_API int Player_SetVideoWindow(ORL_HANDLE p, const orl_video_sink *sink);
ORL_API int Player_SetElementWindow(ORL_HANDLE p, const orl_video_sink *sink);
ORL_API int Player_Play(ORL_HANDLE p);
ORL_API int Player_Pause(ORL_HANDLE p);
ORL_API int Player_Stop(ORL_HANDLE p);
ORL_API int Player_Close(ORL_HANDLE p);
ORL_API void Player_Destroy(ORL_HANDLE p);
ORL_API int Player_Seek(ORL_HANDLE p, uint64_t time_us);
ORL_API int Player_BeginAsyncSeek(ORL_HANDLE p, int64_t value, int extra);
ORL_API int Player_EndAsyncSeek(ORL_HANDLE p);
ORL_API int Player_StepFrame(ORL_HANDLE p, int direction);
ORL_API int Player_StepKeyFrame(ORL_HANDLE p, int direction);
ORL_API int Player_ShowFrame(ORL_HANDLE p);
ORL_API int Player_RefreshScreen(ORL_HANDLE p);
ORL_API uint64_t Player_GetFrameTime(ORL_HANDLE p);
ORL_API uint64_t Player_GetPosition(ORL_HANDLE p);
ORL_API uint64_t Player_GetDuration(ORL_HANDLE p);
/* Shortens the duration to limit_us (never lengthens it): a file that ends
 * before its declared duration plays, seeks and reports only up to where its
 * data ends (Info_GetReadableEnd). */
ORL_API int Player_LimitDuration(ORL_HANDLE p, uint64_t limit_us);
ORL_API int Player_IsEnded(ORL_HANDLE p);
ORL_API int Player_IsPaused(ORL_HANDLE p);
ORL_API int Player_HasVideo(ORL_HANDLE p);
ORL_API int Player_HasAudio(ORL_HANDLE p);
ORL_API int Player_AudioOutputFailed(ORL_HANDLE p);
ORL_API int Player_SetAudioOnly(ORL_HANDLE p, int on);
/* The sound is heard shift_us later than the pictures (negative: earlier),
 * as a track plan's shift moves a sound track in an output; 0 puts it back.
 * Sound decoded from now on; the next seek brings it to the picture shown. */
ORL_API int Player_SetSoundShift(ORL_HANDLE p, int64_t shift_us);
/* The index in the file of the sound stream played, -1 when none. */
ORL_API int Player_GetAudioStream(ORL_HANDLE p);
/* The sound stream the next Player_Open of this handle plays, by its index
 * in the file; -1 (or a stream that is not sound or cannot be decoded) plays
 * the file's best sound stream. */
ORL_API int Player_SetPreferredAudioStream(ORL_HANDLE p, int stream);
ORL_API int Player_SetVolume(ORL_HANDLE p, int volume, int extra);
ORL_API int Player_SetRendererVolume(ORL_HANDLE p, int volume, int extra);
ORL_API int Player_GetWidth(ORL_HANDLE p);
ORL_API int Player_GetHeight(ORL_HANDLE p);
ORL_API int Player_GetDisplayWidth(ORL_HANDLE p);
ORL_API int Player_GetDisplayHeight(ORL_HANDLE p);
/* The size in pixels the pictures are shown at (0 x 0: not known, the
 * default). The video sink then gets pictures no larger than fit in it, at
 * their display aspect, and while playing a codec that can decode at a
 * half, a quarter or an eighth of its size (MPEG-2, MPEG-4 part 2, MJPEG)
 * does so when that still fills it. Only playing decodes at the reduced
 * size: a pause decodes the picture on screen again at full size, and
 * steps, seeks, the edits and Player_GrabFrame work on full-size pictures.
 * May be called at any time, from any thread; it never decodes. */
ORL_API int Player_SetShownSize(ORL_HANDLE p, int width, int height);
/* Edits of a parameter set (a copy is taken; 0 removes them) shown from the
 * picture on screen on: the video sink and Player_GrabFrame give the edited
 * picture, made by the encoder's own filter graph for the picture's source
 * time; the element sink keeps the unedited one. Needs an open file; fails
 * (and shows the picture unedited) when an edit cannot be made, e.g. an
 * overlay picture that cannot be read. */
ORL_API int Player_SetParams(ORL_HANDLE p, ORL_HANDLE params);

/* Posted commands, for callers that must never wait on the decoder (an
 * interface thread). Each returns at once (1 when the player has a file open)
 * and runs on the player's own command thread in the order posted, as its
 * namesake would. A posted seek replaces posted seeks and steps that have not
 * started, and an exact seek still decoding gives up for it: the newest
 * position wins. While an exact seek decodes far past its key frame, the key
 * frame is shown first. Player_SetNotify reports the end of each posted
 * command, one report per post (a replaced one included) until the file is
 * closed; setting NULL returns only after a report in progress has ended.
 * Player_WaitPosted returns 1 once nothing posted waits or runs, 0 after
 * timeout_ms. */
ORL_API int Player_PostSeek(ORL_HANDLE p, uint64_t time_us);
ORL_API int Player_PostStepFrame(ORL_HANDLE p, int direction);
ORL_API int Player_PostStepKeyFrame(ORL_HANDLE p, int direction);
ORL_API int Player_PostPlay(ORL_HANDLE p);
ORL_API int Player_PostPause(ORL_HANDLE p);
ORL_API int Player_PostStop(ORL_HANDLE p);
ORL_API int Player_PostBeginAsyncSeek(ORL_HANDLE p, int64_t value);
ORL_API int Player_PostEndAsyncSeek(ORL_HANDLE p);
ORL_API int Player_SetNotify(ORL_HANDLE p, orl_player_notify notify, void *opaque);
ORL_API int Player_WaitPosted(ORL_HANDLE p, int timeout_ms);
ORL_API const orl_picture *Player_GrabFrame(ORL_HANDLE p, int width, int height, int format);
ORL_API void Player_ReleaseFrame(ORL_HANDLE p, const orl_picture *picture);
ORL_API const orl_audio_block *Player_GetAudioSamples(ORL_HANDLE p, int param);
ORL_API void Player_ReleaseAudioSamples(ORL_HANDLE p, const orl_audio_block *block);

/* ---- Param: parameter sets ----------------------------------------------- */

ORL_API ORL_HANDLE Param_Create(void);
ORL_API void Param_Release(ORL_HANDLE p);
ORL_API int Param_SetEncodeVideo(ORL_HANDLE p, int on);
ORL_API int Param_SetEncodeAudio(ORL_HANDLE p, int on);
ORL_API int Param_SetVideoCodec(ORL_HANDLE p, int legacy_codec_id);
ORL_API int Param_SetAudioCodec(ORL_HANDLE p, int legacy_codec_id);
ORL_API int Param_SetProfileMode(ORL_HANDLE p, int mode);
ORL_API int Param_SetProfile(ORL_HANDLE p, int profile);
ORL_API int Param_SetSize(ORL_HANDLE p, int width, int height);
ORL_API int Param_SetFrameRate(ORL_HANDLE p, int num, int den);
ORL_API int Param_SetVideoBitrate(ORL_HANDLE p, int64_t bits_per_second);
ORL_API int Param_SetVideoQuality(ORL_HANDLE p, int quality);
ORL_API int Param_SetChannels(ORL_HANDLE p, int channels);
ORL_API int Param_SetSampleRate(ORL_HANDLE p, int sample_rate);
ORL_API int Param_SetAudioBitrate(ORL_HANDLE p, int64_t bits_per_second);
ORL_API int Param_SetAudioQuality(ORL_HANDLE p, int quality);
ORL_API int Param_SetOption(ORL_HANDLE p, const char *key, const char *value);
ORL_API int Param_SetBrightness(ORL_HANDLE p, int value);
ORL_API int Param_SetSaturation(ORL_HANDLE p, int value);
ORL_API int Param_SetContrast(ORL_HANDLE p, int value);
ORL_API int Param_SetHue(ORL_HANDLE p, int value);
ORL_API int Param_SelectProgram(ORL_HANDLE p, int program);
ORL_API int Param_SelectAudio(ORL_HANDLE p, int number);
ORL_API int Param_SetAudioCopyMask(ORL_HANDLE p, uint64_t mask);
ORL_API int Param_SelectSubtitle(ORL_HANDLE p, int number);
ORL_API int Param_SetSubtitleCopyMask(ORL_HANDLE p, uint64_t mask);
ORL_API int Param_SetSubtitleCodec(ORL_HANDLE p, int codec_id);
ORL_API int Param_UseClosedCaptions(ORL_HANDLE p, int on);
/* Stream copy of H.264/HEVC: start and end at the exact pictures asked for
 * by encoding only the pictures from the start to the first key frame and
 * from the last key frame to the end; the rest is copied. Every such output
 * is checked by decoding it; a source that cannot be cut this way, or an
 * output that fails the check, is cut at key frames instead, and
 * Conv_GetCutReport says so. Off by default. */
ORL_API int Param_SetFrameExactCut(ORL_HANDLE p, int on);
/* Param_SetOption keys read by stream copies: "frame-exact-psnr" = the dB
 * by which the first and last pictures of a frame-exact cut must match the
 * source's (default 38); "part-chapter" = in a merge (stream copy or
 * encoding), the range becomes one chapter of that title (UTF-8) in place
 * of the source's chapters. */
ORL_API int Param_SetSubtitleFile(ORL_HANDLE p, const char *path_utf8);
ORL_API int Param_SelectOverlay(ORL_HANDLE p, int slot);
ORL_API int Param_SetAspect(ORL_HANDLE p, int num, int den);
ORL_API int Param_SetRotation(ORL_HANDLE p, int degrees);
ORL_API int Param_SetMirror(ORL_HANDLE p, int mirrored);
ORL_API int Param_SetPadding(ORL_HANDLE p, int enabled, uint32_t argb);
ORL_API int Param_SetCropRect(ORL_HANDLE p, double x, double y, double width, double height);

/* Subtitle look (burned-in subtitles). Colours are ARGB. */
ORL_API int Param_SetSubtitleAlpha(ORL_HANDLE p, int alpha);
ORL_API int Param_SetSubtitleScale(ORL_HANDLE p, int scale_x, int scale_y);
ORL_API int Param_SetSubtitleReserved(ORL_HANDLE p, int a, int b);
ORL_API int Param_SetSubtitleFont(ORL_HANDLE p, const char *family_utf8);
ORL_API int Param_SetSubtitleBold(ORL_HANDLE p, int on);
ORL_API int Param_SetSubtitleItalic(ORL_HANDLE p, int on);
ORL_API int Param_SetSubtitleUnderline(ORL_HANDLE p, int on);
ORL_API int Param_SetSubtitleStrikeOut(ORL_HANDLE p, int on);
ORL_API int Param_SetSubtitleFontSize(ORL_HANDLE p, int points);
ORL_API int Param_SetSubtitleColor(ORL_HANDLE p, uint32_t argb);
ORL_API int Param_SetSubtitleShadowColor(ORL_HANDLE p, uint32_t argb);
ORL_API int Param_SetSubtitleOutlineColor(ORL_HANDLE p, uint32_t argb);
ORL_API int Param_SetSubtitleShadowOffset(ORL_HANDLE p, double offset);
ORL_API int Param_SetSubtitleOutlineSize(ORL_HANDLE p, double size);
ORL_API int Param_SetSubtitleMarginH(ORL_HANDLE p, double fraction);
ORL_API int Param_SetSubtitleMargin(ORL_HANDLE p, double fraction);
ORL_API int Param_SetSubtitlePosition(ORL_HANDLE p, int position);
ORL_API int Param_SetSubtitleSpacingH(ORL_HANDLE p, double spacing);
ORL_API int Param_SetSubtitleSpacingV(ORL_HANDLE p, double spacing);

/* Overlays: slot 0 watermark, 1 effect, 2 frame. The setters act on the
   slot chosen last with Param_SelectOverlay. Positions and rectangles are
   fractions of the picture. */
ORL_API int Param_SetOverlayImage(ORL_HANDLE p, const char *path_utf8);
ORL_API int Param_SetOverlayImageAux(ORL_HANDLE p, const char *text_utf8);
ORL_API int Param_SetOverlayImageValue(ORL_HANDLE p, int value);
ORL_API int Param_SetOverlayImagePosition(ORL_HANDLE p, double x, double y);
ORL_API int Param_SetOverlayImageScalePercent(ORL_HANDLE p, int scale_x, int scale_y);
ORL_API int Param_SetOverlayImageReserved(ORL_HANDLE p, int value);
ORL_API int Param_SetOverlayImageAlpha(ORL_HANDLE p, int alpha);
ORL_API int Param_SetOverlayFrameType(ORL_HANDLE p, int type);
ORL_API int Param_SetOverlayImageScale(ORL_HANDLE p, double scale_x, double scale_y);
ORL_API int Param_SetOverlayImageFlag(ORL_HANDLE p, int flag);
ORL_API int Param_SetOverlaySourceRect(ORL_HANDLE p, double x, double y, double width, double height);
ORL_API int Param_SetOverlayText(ORL_HANDLE p, const char *text_utf8);
ORL_API int Param_SetOverlayTextAlpha(ORL_HANDLE p, int alpha);
ORL_API int Param_SetOverlayTextPosition(ORL_HANDLE p, double x, double y);
ORL_API int Param_SetOverlayTextReserved(ORL_HANDLE p, int value);
ORL_API int Param_SetOverlayTextBold(ORL_HANDLE p, int on);
ORL_API int Param_SetOverlayTextFontSize(ORL_HANDLE p, int points);
ORL_API int Param_SetOverlayTextFont(ORL_HANDLE p, const char *family_utf8);
ORL_API int Param_SetOverlayTextColor(ORL_HANDLE p, uint32_t argb);
ORL_API int Param_SetOverlayTextOutlineColor(ORL_HANDLE p, uint32_t argb);
ORL_API int Param_SetOverlayTextOutlineSize(ORL_HANDLE p, double size);
ORL_API int Param_SetOverlayTextShadowColor(ORL_HANDLE p, uint32_t argb);
ORL_API int Param_SetOverlayTextShadowOffset(ORL_HANDLE p, double offset);
ORL_API int Param_SetOverlayTextItalic(ORL_HANDLE p, int on);
ORL_API int Param_SetOverlayTextUnderline(ORL_HANDLE p, int on);
ORL_API int Param_SetOverlayTextStrikeOut(ORL_HANDLE p, int on);
ORL_API int Param_SetOverlayTextScale(ORL_HANDLE p, int scale_x, int scale_y);
ORL_API int Param_SetOverlayTextOnTop(ORL_HANDLE p, int on_top);
ORL_API int Param_SetOverlayTextSpacing(ORL_HANDLE p, double horizontal, double vertical);
/* When the picture and the text of the current slot are shown, in source
   times (µs); an end of 0 means to the end of the output. */
ORL_API int Param_SetOverlayImageTimes(ORL_HANDLE p, uint64_t start_us, uint64_t end_us);
ORL_API int Param_SetOverlayTextTimes(ORL_HANDLE p, uint64_t start_us, uint64_t end_us);

/* Background audio mixed into the output. */
ORL_API int Param_SelectBackgroundAudio(ORL_HANDLE p, int slot);
ORL_API int Param_SetBackgroundAudioFile(ORL_HANDLE p, const char *path_utf8);
ORL_API int Param_SetBackgroundAudioRepeat(ORL_HANDLE p, int repeat);
ORL_API int Param_SetBackgroundAudioReserved(ORL_HANDLE p, int value);
ORL_API int Param_SetBackgroundAudioVolume(ORL_HANDLE p, int percent);
ORL_API int Param_SetBackgroundAudioWeight(ORL_HANDLE p, int percent);
ORL_API int Param_SetBackgroundAudioRange(ORL_HANDLE p, uint64_t start_us, uint64_t end_us);
ORL_API int Param_SetBackgroundAudioExtra(ORL_HANDLE p, uint64_t a, uint64_t b);

/* Sound: volume and rate in percent, equaliser points in Hz and dB. */
ORL_API int Param_SetVolume(ORL_HANDLE p, int percent);
ORL_API int Param_SetRate(ORL_HANDLE p, int percent);
ORL_API int Param_SetSoundReserved(ORL_HANDLE p, int value);
/* Fade-in from silence at the start and fade-out at the end of each range (µs, 0 = none). */
ORL_API int Param_SetAudioFade(ORL_HANDLE p, uint64_t fade_in_us, uint64_t fade_out_us);
// The range a player plays (end 0 = to the end): its preview fades the
// sound in and out at this range's ends, as a conversion of it would.
ORL_API int Param_SetPlayRange(ORL_HANDLE p, uint64_t start_us, uint64_t end_us);
ORL_API int Param_SetEqualizer(ORL_HANDLE p, const double *frequencies_hz, const double *gains_db,
                               int count);

/* ---- Conv: conversion of one range ----------------------------------------- */

typedef void (*orl_progress_callback)(void *context, int percent, int state);

ORL_API ORL_HANDLE Conv_CreateCopy(int option);
ORL_API ORL_HANDLE Conv_CreateTranscode(int option);
ORL_API int Conv_Open(ORL_HANDLE c, const char *src_utf8, const char *dst_utf8,
                      const char *format_name, ORL_HANDLE params);
ORL_API int Conv_OpenDisc(ORL_HANDLE c, const char *src_utf8, const char *dst_utf8,
                          const char *format_name, ORL_HANDLE params);
ORL_API int Conv_SetRange(ORL_HANDLE c, uint64_t start_us, uint64_t length_us);
ORL_API int Conv_Start(ORL_HANDLE c);
/* The caller's cancel for what follows on c, the opens included: once the
 * token is triggered (from any thread) the open under way or begun gives up
 * and a running conversion ends as if stopped. 0 removes it. Unlike
 * Conv_Stop, a cancel that comes before the open is not lost. */
ORL_API int Conv_SetCancel(ORL_HANDLE c, ORL_HANDLE token);
ORL_API int Conv_Stop(ORL_HANDLE c);
ORL_API int Conv_IsFinished(ORL_HANDLE c);
ORL_API int Conv_IsAborted(ORL_HANDLE c);
ORL_API uint64_t Conv_GetPosition(ORL_HANDLE c);
ORL_API uint64_t Conv_GetTotal(ORL_HANDLE c);
/* Where a source that ends early (a partial download) ended, in µs from its
   start, when a finished conversion had to end its range there; 0 when the
   range was read whole. The output then ends at the last whole picture. */
ORL_API uint64_t Conv_GetSourceEnd(ORL_HANDLE c);
ORL_API int Conv_AddTrack(ORL_HANDLE c, ORL_HANDLE track);
/* How the finished stream copy was cut: ORL_CUT_* */
enum {
    ORL_CUT_KEY_FRAMES = 0,  /* at key frames, as asked */
    ORL_CUT_FRAME_EXACT = 1, /* frame-exact, and the check passed */
    ORL_CUT_FELL_BACK = 2    /* frame-exact was asked; cut at key frames instead */
};
ORL_API int Conv_GetCutMode(ORL_HANDLE c);
/* What keeps a stream copy from being cut frame-exact, as far as it is known
 * before any file is read: ORL_EXACT_*. format is a container name as a job
 * gives it ("mp4", "matroska"); when no container has that name, the file
 * name extension (without the dot) decides, as it does for the output.
 * video_codec is the source video's codec name ("h264"). Further reasons
 * (an interlaced source, say) show only when the file is cut, in
 * Conv_GetCutReport. */
enum {
    ORL_EXACT_POSSIBLE = 0,
    ORL_EXACT_NO_VIDEO = 1,  /* nothing to cut frame-exact */
    ORL_EXACT_CONTAINER = 2, /* the output container is not written frame-exact */
    ORL_EXACT_CODEC = 3      /* pictures of that codec cannot be re-encoded to match */
};
ORL_API int Conv_FrameExactObstacle(const char *format, const char *extension, const char *video_codec);
/* A sentence on how the cut was made and, after a fall-back, why; "" when
 * nothing was asked. Belongs to the handle. */
ORL_API const char *Conv_GetCutReport(ORL_HANDLE c);
/* Every finished conversion's output is checked before it counts as
 * finished: read back by the engine's own reader, its first and last group
 * of pictures decoded (and, in a merge of several files, the group where
 * each file's range begins). "passed", or why it failed ("<kind>: <detail>",
 * kind one of unreadable, streams, duration, start, sync, head, join, tail); a failed
 * check fails the conversion (Conv_IsAborted) with the error "output check
 * failed: " and the same reason, and leaves no file. "" before the end. */
ORL_API const char *Conv_GetCheckReport(ORL_HANDLE c);
/* What an output must hold for Conv_CheckOutput. */
typedef struct ORL_OUTPUT_EXPECT {
    int video;            /* 1: a moving picture must be there */
    int audio;            /* at least this many sound streams */
    uint64_t duration_us; /* the range (or ranges joined); 0: not checked */
    uint64_t longer_us;   /* how much longer it may be (a copy's lead-in) */
    /* Where ranges from another file begin (µs of the output); the group
     * of pictures at each is decoded too. May be NULL with join_count 0. */
    const uint64_t *joins_us;
    int join_count;
} ORL_OUTPUT_EXPECT;
/* The same check of any file: 1 passed, 0 failed; why (when given) gets
 * "passed" or the reason, cut to why_size. */
ORL_API int Conv_CheckOutput(const char *path_utf8, const ORL_OUTPUT_EXPECT *expect, char *why, int why_size);
ORL_API void Conv_Close(ORL_HANDLE c);
ORL_API void Conv_Destroy(ORL_HANDLE c);

/* ---- Merge: ranges appended into one output -------------------------------- */

ORL_API ORL_HANDLE Merge_CreateCopy(int option);
ORL_API ORL_HANDLE Merge_CreateTranscode(int option);
ORL_API int Merge_Open(ORL_HANDLE m, const char *dst_utf8, const char *format_name,
                       ORL_HANDLE params);
ORL_API int Merge_Start(ORL_HANDLE m);
ORL_API int Merge_Add(ORL_HANDLE m, const char *src_utf8, uint64_t start_us, uint64_t length_us,
                      ORL_HANDLE params);
ORL_API int Merge_AddDisc(ORL_HANDLE m, const char *src_utf8, uint64_t start_us,
                          uint64_t length_us, ORL_HANDLE params);
/* Whether ranges of all count sources join into the open merge: 1 when
 * they do (always, when it encodes); 0 when a stream copy cannot join them,
 * and -1 when a source cannot be read, with Merge_GetFitReport saying what
 * differs ("b.mp4: audio 44.1 kHz, others 48 kHz") or why. Nothing is
 * written; a later Merge_Add of a source that does not join fails alike. */
ORL_API int Merge_CheckSources(ORL_HANDLE m, const char *const *sources_utf8, int count, ORL_HANDLE params);
ORL_API const char *Merge_GetFitReport(ORL_HANDLE m);
/* What the last Merge_CheckSources found file by file: the files that do
 * not join the first (0 when all join or none could be read), and for
 * each its path as given, the kinds of stream that differ (ORL_FIT_*
 * flags; ORL_FIT_STREAM_COUNT when it holds another number of streams of a
 * kind flagged) and its part of the report ("b.mp4: audio 44.1 kHz, others
 * 48 kHz"). Texts belong to the handle until the next check; NULL and 0
 * past the last. */
enum {
    ORL_FIT_VIDEO = 1,
    ORL_FIT_AUDIO = 2,
    ORL_FIT_SUBTITLES = 4,
    ORL_FIT_DATA = 8,
    ORL_FIT_STREAM_COUNT = 16
};
ORL_API int Merge_GetMisfitCount(ORL_HANDLE m);
ORL_API const char *Merge_GetMisfitSource(ORL_HANDLE m, int index);
ORL_API int Merge_GetMisfitKinds(ORL_HANDLE m, int index);
ORL_API const char *Merge_GetMisfitText(ORL_HANDLE m, int index);
/* As Conv_SetCancel, for the ranges added from now on. */
ORL_API int Merge_SetCancel(ORL_HANDLE m, ORL_HANDLE token);
ORL_API int Merge_Finish(ORL_HANDLE m);
ORL_API int Merge_IsDone(ORL_HANDLE m);
ORL_API int Merge_HasError(ORL_HANDLE m);
/* As Conv_GetCutMode/Conv_GetCutReport, over the ranges added so far. */
ORL_API int Merge_GetCutMode(ORL_HANDLE m);
ORL_API const char *Merge_GetCutReport(ORL_HANDLE m);
/* How each range added so far went into the merged file, in order:
 * ORL_RANGE_COPY (its packets copied), ORL_RANGE_EXACT (copied, with the
 * pictures from its frame-exact start to the next key frame encoded),
 * ORL_RANGE_ENCODED (encoded whole); ORL_RANGE_SOUND_ENCODED is added when
 * a copied range's sound was encoded to match the first range's. The count
 * of ranges in; -1 past the last. */
enum {
    ORL_RANGE_COPY = 1,
    ORL_RANGE_EXACT = 2,
    ORL_RANGE_ENCODED = 3,
    ORL_RANGE_SOUND_ENCODED = 16
};
ORL_API int Merge_GetRangeCount(ORL_HANDLE m);
ORL_API int Merge_GetRangeMethod(ORL_HANDLE m, int index);
/* The merged file is checked by Merge_Finish, as a conversion's output is
 * (Conv_GetCheckReport): a failed check fails the finish and removes the
 * file. "passed", the reason, or "" before a finish. */
ORL_API const char *Merge_GetCheckReport(ORL_HANDLE m);
ORL_API uint64_t Merge_GetPosition(ORL_HANDLE m);
ORL_API uint64_t Merge_GetTotal(ORL_HANDLE m);
/* As Conv_GetSourceEnd, for the range added last. */
ORL_API uint64_t Merge_GetSourceEnd(ORL_HANDLE m);
ORL_API void Merge_Close(ORL_HANDLE m);
ORL_API void Merge_Destroy(ORL_HANDLE m);

/* ---- Track: elementary streams fed packet by packet ------------------------ */

ORL_API ORL_HANDLE Track_Create(int kind);
ORL_API int Track_SetCodec(ORL_HANDLE t, int legacy_codec_id);
ORL_API int Track_SetSize(ORL_HANDLE t, int width, int height);
ORL_API int Track_SetFrameRate(ORL_HANDLE t, int rate, int scale);
ORL_API int Track_SetDisplaySize(ORL_HANDLE t, int width, int height);
ORL_API int Track_SetAudio(ORL_HANDLE t, int first, int second);
ORL_API int Track_SetTiming(ORL_HANDLE t, int num, int den);
ORL_API int Track_SetPrivateData(ORL_HANDLE t, const uint8_t *data, int size);
/* Queues one packet (times in µs); data NULL ends the stream. */
ORL_API int Track_WritePacket(ORL_HANDLE t, const uint8_t *data, int size, int64_t pts_us,
                              int64_t dts_us, int64_t duration_us, int key_frame);
/* Time of the last packet the conversion took from the track, in µs. */
ORL_API uint64_t Track_GetTime(ORL_HANDLE t);
ORL_API void Track_Destroy(ORL_HANDLE t);

#ifdef __cplusplus
}
#endif

#endif /* ORLCODEC_H */
