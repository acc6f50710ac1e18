/*
 * orlcodec: finding places to cut, and the sound's outline.
 *
 * Follows the conventions of orlcodec.h. A detector handle runs one search
 * at a time on the caller's thread (a worker: Detect_Run blocks until the
 * file is read); Detect_Cancel and Detect_GetProgress may be called from any
 * other thread meanwhile. Only the stream a kind needs is decoded: the sound
 * alone for silence and the outline, the pictures alone (made small before
 * they are compared) for the picture kinds.
 */
#ifndef ORLCODEC_DETECT_H
#define ORLCODEC_DETECT_H

#include "orlcodec.h"

#ifdef __cplusplus
extern "C" {
#endif

/* What is searched for. */
enum {
    ORL_DETECT_SILENCE = 1, /* ranges where the sound stays below a level */
    ORL_DETECT_BLACK = 2,   /* ranges of black pictures */
    ORL_DETECT_SCENE = 3,   /* times where the picture changes; start == end */
    ORL_DETECT_FREEZE = 4   /* ranges where the picture does not change */
};

/* Why a search gave no result (Detect_GetFailure). */
enum {
    ORL_DETECT_FAILED_NONE = 0,
    ORL_DETECT_FAILED_NO_AUDIO = 1,   /* silence or outline asked of a file without sound */
    ORL_DETECT_FAILED_NO_VIDEO = 2,   /* a picture kind asked of a file without pictures */
    ORL_DETECT_FAILED_STOPPED = 3,    /* Detect_Cancel, Detect_Destroy or the interrupt switch */
    ORL_DETECT_FAILED_UNREADABLE = 4, /* not media, or the stream cannot be decoded */
    ORL_DETECT_FAILED_SETTINGS = 5    /* a setting out of its range */
};

typedef struct orl_detect_settings {
    int kind; /* ORL_DETECT_* */
    /* silence: level in dB below which sound counts as silence (-50);
       black: share of a picture's pixels that must be black, 0..1 (0.98);
       scene: change score 0..100 above which a change is reported (10);
       freeze: difference in dB below which pictures count as equal (-60). */
    double threshold;
    /* black only: luma, 0..1 of the picture's range, at or below which a
       pixel is black (0.10). */
    double pixel_threshold;
    /* silence, black, freeze: shortest range reported (1 s, 0.5 s, 2 s);
       scene: shortest distance between two reported changes (1 s). */
    uint64_t min_length_us;
    /* Number of the audio stream among the file's audio streams (0). */
    int audio_stream;
} orl_detect_settings;

/* One finding, in media times (0 = start of the file). score: the scene
 * change score (0..100), else 0. A range still open where the stream ends
 * ends there. */
typedef struct orl_detect_range {
    uint64_t start_us;
    uint64_t end_us;
    double score;
} orl_detect_range;

/* Fills s with the defaults of the kind; 0 for an unknown kind. */
ORL_API int Detect_DefaultSettings(int kind, orl_detect_settings *s);

ORL_API ORL_HANDLE Detect_Create(void);
/* Reads the file once and collects the findings; 1 on success (also when
 * nothing was found). On failure Detect_GetFailure says why and
 * Engine_GetLastError gives the details. */
ORL_API int Detect_Run(ORL_HANDLE d, const char *path_utf8, const orl_detect_settings *settings);
/* The caller's cancel token (Cancel_Create) that the following runs of d
 * watch; 0 gives d a fresh token of its own. Between runs only. */
ORL_API int Detect_SetCancel(ORL_HANDLE d, ORL_HANDLE token);
/* Any thread: triggers the token d watches, so a running Detect_Run or
 * Detect_Waveform ends within a fraction of a second and one not yet begun
 * ends at once (both fail with ORL_DETECT_FAILED_STOPPED). The token stays
 * triggered: further runs need a fresh one (Detect_SetCancel). */
ORL_API void Detect_Cancel(ORL_HANDLE d);
/* Any thread: how far the running or last search got, 0..1000. */
ORL_API int Detect_GetProgress(ORL_HANDLE d);
ORL_API int Detect_GetFailure(ORL_HANDLE d);
/* Findings of the last successful Detect_Run, ascending; the count is
 * returned and *ranges belongs to the handle. */
ORL_API int Detect_GetRanges(ORL_HANDLE d, const orl_detect_range **ranges);

/* The sound's outline: the loudest sample of all channels in each of
 * buckets_per_second slices of a second (1..1000) over the whole audio
 * stream, scaled 0..255 (255 = full scale). Returns the count (0 on failure,
 * see Detect_GetFailure); *peaks belongs to the handle until the next run. */
ORL_API int Detect_Waveform(ORL_HANDLE d, const char *path_utf8, int audio_stream,
                            int buckets_per_second, const uint8_t **peaks);

ORL_API void Detect_Destroy(ORL_HANDLE d);

#ifdef __cplusplus
}
#endif

#endif /* ORLCODEC_DETECT_H */
