/*
 * orlcodec: subtitle streams written to files of their own.
 *
 * Follows the conventions of orlcodec.h. A handle runs one export at a time
 * on the caller's thread (Subs_Export blocks while the source is read);
 * Subs_Cancel may be called from any other thread meanwhile. Text subtitles
 * (SubRip, ASS/SSA, MP4 timed text, WebVTT, ...) are written as SRT or ASS,
 * PGS pictures as SUP, other picture subtitles (DVB, DVD) as a Matroska
 * file of subtitles alone (.mks). Times count from the source's start; with
 * ranges, only what they show, placed where each range lands when the
 * ranges are joined in order (as a merged cut of them plays).
 */
#ifndef ORLCODEC_SUBS_H
#define ORLCODEC_SUBS_H

#include "orlcodec.h"

#ifdef __cplusplus
extern "C" {
#endif

/* File kinds. */
enum {
    ORL_SUBS_NONE = 0, /* Subs_Export: the stream's default kind */
    ORL_SUBS_SRT = 1,
    ORL_SUBS_ASS = 2,
    ORL_SUBS_SUP = 3,
    ORL_SUBS_MKS = 4
};

/* One subtitle stream of a source. */
typedef struct orl_subs_stream {
    int index;         /* the stream's index in the source */
    int kind;          /* the file it is written as by default; ORL_SUBS_NONE: it cannot be */
    char language[16]; /* the stream's language tag as the source has it; empty when none */
    char codec[32];    /* FFmpeg's name of its codec */
} orl_subs_stream;

ORL_API ORL_HANDLE Subs_Create(void);
/* The subtitle streams of the source, up to max of them into streams; the
 * number of them (0: none), or -1 when the source cannot be read
 * (Engine_GetLastError says why). Blocks while the source is opened. */
ORL_API int Subs_ListStreams(ORL_HANDLE h, const char *source_utf8, orl_subs_stream *streams, int max);
/* Writes stream of the source into out_utf8 as kind; count ranges given by
 * starts[i]..ends[i] (0: the whole stream). The file appears complete or
 * not at all. 1 on success. */
ORL_API int Subs_Export(ORL_HANDLE h, const char *source_utf8, int stream, int kind, const uint64_t *starts,
                        const uint64_t *ends, int count, const char *out_utf8);
/* Any thread: the export under way (or the next one) stops. */
ORL_API void Subs_Cancel(ORL_HANDLE h);
ORL_API void Subs_Destroy(ORL_HANDLE h);

#ifdef __cplusplus
}
#endif

#endif
