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

// FFmpeg error code as text ("Invalid data found when processing input").
std::string ffmpegError(int averror);

// One log channel with the module prefix; level is an AV_LOG_* value.
void logLine(int level, const char *format, ...) __attribute__((format(printf, 2, 3)));

} // namespace orl
