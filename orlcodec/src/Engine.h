#pragma once
// Process-wide state of the library: the interrupt switch, the
// abort-loading flag, the working folder and the log channel.
#include <string>

extern "C" {
#include <libavutil/error.h>
}

namespace orl {

bool globalInterrupt();
bool abortLoading();
std::string workFolder();

// Counts the ends of conversion and merge jobs, so that a caller waiting for
// one wakes at once instead of polling: read jobEnds(), check the job, then
// waitForJobEnd with that count.
void announceJobEnd();
uint64_t jobEnds();
// True when a job ended after `seen` was read, within timeout_ms.
bool waitForJobEnd(uint64_t seen, int timeout_ms);

// FFmpeg error code as text ("Invalid data found when processing input").
std::string ffmpegError(int averror);

// One log channel with the module prefix; level is an AV_LOG_* value.
void logLine(int level, const char *format, ...) __attribute__((format(printf, 2, 3)));

} // namespace orl
