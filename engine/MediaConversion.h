#pragma once
// The media library's conversions, merges and elementary-stream tracks in
// the engine's terms. The converter above keeps the handles, the threads
// and the output's name; these make the library's calls. Every function
// takes the handle it acts on. The progress reads may come from a watcher
// thread while the job runs, the rest from the thread that owns the job.
#include "EngineHandle.h"
#include "MediaTypes.h"

#include <cstdint>
#include <string>
#include <vector>

class VoCancelToken;

namespace MediaJobs {

// Why the last call on handle failed, in the library's words; empty when
// it gave no reason.
std::string lastError(MediaHandle handle);

// Counts every job's end in the process; waitForEnd returns once the count
// has moved past seen, or after timeoutMs.
uint64_t endCount();
void waitForEnd(uint64_t seen, int timeoutMs);

} // namespace MediaJobs

// One range of one source into one file (or elementary tracks into one).
namespace MediaConversion {

// A stream copy (lossless) or an encode; 0 when none could be made.
// Released with close().
MediaHandle create(bool lossless);
void close(MediaHandle c);
// The caller's cancel, checked by every read and wait of the job.
void setCancel(MediaHandle c, const VoCancelToken &token);
// Opens src (a disc folder when disc) for writing dst in the container
// format with the parameter set params. src null: the tracks added are
// the input.
bool open(MediaHandle c, const char *src, const std::string &dst, const char *format, MediaHandle params,
          bool disc = false);
void setRange(MediaHandle c, uint64_t startUs, uint64_t lengthUs);
bool addTrack(MediaHandle c, MediaHandle track);
bool start(MediaHandle c);
bool stop(MediaHandle c);
bool isFinished(MediaHandle c);
bool isAborted(MediaHandle c);
uint64_t position(MediaHandle c);
uint64_t total(MediaHandle c);
// Where a source that ends early ended, in µs of its timeline; 0 when the
// range was read whole.
uint64_t sourceEnd(MediaHandle c);
// The output's check and how a lossless cut was cut; null when there is
// none. Valid until the next call on c.
const char *checkReport(MediaHandle c);
const char *cutReport(MediaHandle c);

} // namespace MediaConversion

// Ranges of several sources joined into one file.
namespace MediaMerge {

// A stream copy (lossless) or an encode; none when it could not be made.
EngineHandle create(bool lossless);
void setCancel(MediaHandle m, const VoCancelToken &token);
// Opens (or opens anew) the merged output and starts its writer.
bool openAndStart(MediaHandle m, const std::string &dst, const char *format, MediaHandle params);
bool add(MediaHandle m, const std::string &src, uint64_t startUs, uint64_t lengthUs, MediaHandle params, bool disc);
// Whether the sources join by stream copy: 1 they do, 0 they do not
// (fitReport says what differs), below 0 they could not be checked.
int checkSources(MediaHandle m, const std::vector<std::string> &sources, MediaHandle params);
const char *fitReport(MediaHandle m);

// The kinds of stream in which a file differs from the first.
enum MisfitKind {
    MisfitVideo = 1,
    MisfitAudio = 2,
    MisfitSubtitles = 4,
    MisfitData = 8,
    // It holds another number of streams of a kind flagged.
    MisfitStreamCount = 16
};
// One file that does not join the first: its path, what differs (MisfitKind
// flags) and the words for it ("b.mp4: audio 44.1 kHz, others 48 kHz").
struct Misfit {
    std::string source;
    int kinds = 0;
    std::string text;
    // Only the sound differs, in streams both have: encoding the sound
    // makes the file join.
    bool soundOnly() const { return kinds == MisfitAudio; }
};
// File by file, what the last checkSources found (empty when all join).
std::vector<Misfit> misfits(MediaHandle m);

// How each range went into the merged file so far, in order.
enum RangeMethod {
    RangeCopied = 1,
    RangeExact = 2,   // copied, the pictures from its start to the next key frame encoded
    RangeEncoded = 3, // encoded whole
};
struct RangeWay {
    RangeMethod method = RangeCopied;
    bool soundEncoded = false; // a copied range whose sound was encoded to match
};
std::vector<RangeWay> rangeWays(MediaHandle m);
// Completes the merged file and checks it; false when it is not complete.
bool finish(MediaHandle m);
bool isDone(MediaHandle m);
bool hasError(MediaHandle m);
uint64_t position(MediaHandle m);
uint64_t total(MediaHandle m);
uint64_t sourceEnd(MediaHandle m);
const char *checkReport(MediaHandle m);
const char *cutReport(MediaHandle m);

} // namespace MediaMerge

// An elementary stream fed sample by sample into a conversion.
namespace MediaTrack {

// The three kinds; none when the track could not be made. privateData is
// the codec's set-up bytes (may be null).
EngineHandle createVideo(int codecId, int width, int height, int frameRate, int frameRateScale, int displayWidth,
                         int displayHeight, const uint8_t *privateData, int privateSize);
EngineHandle createAudio(int codecId, int sampleRate, int channels, const uint8_t *privateData, int privateSize);
// Times in milliseconds.
EngineHandle createSubtitle(int codecId);
// One packet, times in µs; data null ends the track.
bool writePacket(MediaHandle t, const uint8_t *data, int size, int64_t ptsUs, int64_t dtsUs, int64_t durationUs,
                 bool keyFrame);
// How far the track has been written, in µs.
uint64_t time(MediaHandle t);

} // namespace MediaTrack
