/*
 * orlcodec: the streams of an output, and the offset between two sound
 * tracks.
 *
 * Follows the conventions of orlcodec.h.
 *
 * A track plan names the streams of the source an output keeps, in the
 * order they are written, each with its language, title, flags and a shift
 * of its timing. It replaces the stream choice of the parameter set
 * (Param_SelectAudio, the copy masks, ...) for every kind of conversion
 * and merge made with it:
 *  - Streams not named are left out (covers and attachments still ride
 *    along where the container holds them). Within the named ones, the
 *    output holds the picture first, then the sound, then the subtitles,
 *    each kind in the order named.
 *  - A stream copy keeps every named stream. Encoding writes one picture
 *    stream and every sound named (up to 8), in the plan's order, each
 *    decoded, edited as the first and encoded with the format's sound
 *    codec, when the output has a picture and its container holds several
 *    sound tracks (Matroska, WebM, QuickTime/MP4, MPEG-TS); other outputs
 *    get the first sound named. Without a default flag in the plan the
 *    first sound written is the default. Subtitles are not encoded. What is
 *    left out the caller tells the user. In a merge every range keeps as
 *    many sound tracks as the first (a range without sound gives each
 *    silence); another number fails the range's Merge_Add.
 *  - A shift moves a sound or subtitle stream's timing: positive later,
 *    negative earlier. In a copy the packets' times move: sound that comes
 *    to lie before the output's start is cut off at a frame boundary, and
 *    a gap at the start stays a gap (no silence is made up). In an encode
 *    the decoded sound moves before it is encoded. A picture stream cannot
 *    be shifted (shift the sound instead).
 *  - A language, title or flag that the output's container cannot hold
 *    fails the open with a message that says so, unless it is what the
 *    source has anyway: nothing asked for is silently dropped.
 */
#ifndef ORLCODEC_TRACKS_H
#define ORLCODEC_TRACKS_H

#include "orlcodec.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Track flags. */
enum {
    ORL_TRACK_DEFAULT = 1, /* the track players choose of its kind */
    ORL_TRACK_FORCED = 2   /* shown even when subtitles are off */
};

/* One stream an output keeps. */
typedef struct orl_track_entry {
    int stream;           /* the stream's index in the source */
    const char *language; /* ISO 639-2 code ("eng"); NULL or "" keeps the source's */
    const char *title;    /* NULL keeps the source's; "" removes it */
    int flags;            /* ORL_TRACK_* ; -1 keeps the source's */
    int64_t shift_us;     /* signed; 0 none */
} orl_track_entry;

/* Sets the plan of a parameter set: the kept streams in output order. A
 * count of 0 removes the plan (the stream choice of the set holds again).
 * The entries are copied. Checked when a conversion opens: a stream that
 * the source does not have, one named twice, a language that is not a
 * code of three lower-case letters fail the open with a clear message. */
ORL_API int Param_SetTrackPlan(ORL_HANDLE p, const orl_track_entry *entries, int count);

/* How many sound tracks an encode into the container format_name (a muxer
 * name as Conv_Open takes it: "matroska", "mp4", "mpegts", "adts"...) keeps
 * of a plan: 8 when the output has a picture (with_picture non-zero) and
 * the container holds several sound tracks, else 1. */
ORL_API int Tracks_EncodedSoundLimit(const char *format_name, int with_picture);

/* ---- The streams of a source ----------------------------------------------- */

typedef struct orl_track_stream {
    int index;           /* the stream's index in the source */
    int kind;            /* ORL_STREAM_VIDEO, _AUDIO or _SUBTITLE (covers are not listed) */
    char codec[32];      /* FFmpeg's name of its codec */
    char language[16];   /* as stored, "" when none */
    char title[128];     /* UTF-8, "" when none (cut at a character's end) */
    int flags;           /* ORL_TRACK_* */
    int channels;
    int sample_rate;
    int width;
    int height;
} orl_track_stream;

/* The picture, sound and subtitle streams of a file, up to max of them into
 * streams, in the file's order; the number of them, or -1 when the file
 * cannot be read (why, when given, says why, cut to why_size). Blocks
 * while the file is opened. */
ORL_API int Tracks_ListStreams(const char *path_utf8, orl_track_stream *streams, int max, char *why, int why_size);

/* ---- The offset between two sound tracks ---------------------------------
 * Decodes up to max_us of each track (0: 120 s), reduces each to a loudness
 * envelope and cross-correlates the two. The result is how much later the
 * same sound comes in the second track than in the first (negative: earlier);
 * shifting the second track by minus that lines them up. Confidence runs
 * from 0 to 1: the best match against the next best one away from it and
 * against the correlation's spread; below 0.5 the offset is not to be
 * trusted and the call fails with the reason. */
typedef struct orl_offset_result {
    int64_t offset_us;
    double confidence;
    char reason[256]; /* why it could not tell; "" on success */
} orl_offset_result;

/* Tracks are named by the source file and the stream's index in it; the
 * two may be the same file. 1: found; 0: it cannot tell or a file cannot
 * be read (reason says which). Blocks while it decodes; the cancel token
 * (0: none) and the interrupt switch end it early. */
ORL_API int Tracks_FindOffset(const char *first_utf8, int first_stream, const char *second_utf8,
                              int second_stream, uint64_t max_us, ORL_HANDLE cancel,
                              orl_offset_result *result);

#ifdef __cplusplus
}
#endif

#endif
