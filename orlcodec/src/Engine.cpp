#include "Engine.h"

#include "Handles.h"
#include "orlcodec.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

namespace orl {

namespace {

std::atomic<bool> g_interrupt{false};
std::atomic<bool> g_abortLoading{false};
std::mutex g_jobEndMutex;
std::condition_variable g_jobEnded;
uint64_t g_jobEnds = 0; // guarded by g_jobEndMutex
std::mutex g_folderMutex;
std::string g_workFolder; // guarded by g_folderMutex
std::once_flag g_startOnce;

void logCallback(void *avcl, int level, const char *fmt, va_list vl)
{
    if (level > av_log_get_level())
        return;
    // FFmpeg logs from its own threads too; the prefix state and the
    // output are shared.
    static std::mutex mutex;
    static int printPrefix = 1; // guarded by mutex; kept across calls by av_log_format_line
    std::lock_guard<std::mutex> lock(mutex);
    char line[1024];
    av_log_format_line(avcl, level, fmt, vl, line, sizeof line, &printPrefix);
    std::fprintf(stderr, "orlcodec: %s", line);
}

} // namespace

void announceJobEnd()
{
    {
        std::lock_guard<std::mutex> lock(g_jobEndMutex);
        ++g_jobEnds;
    }
    g_jobEnded.notify_all();
}

uint64_t jobEnds()
{
    std::lock_guard<std::mutex> lock(g_jobEndMutex);
    return g_jobEnds;
}

bool waitForJobEnd(uint64_t seen, int timeout_ms)
{
    std::unique_lock<std::mutex> lock(g_jobEndMutex);
    return g_jobEnded.wait_for(lock, std::chrono::milliseconds(timeout_ms < 0 ? 0 : timeout_ms),
                               [seen] { return g_jobEnds != seen; });
}

bool globalInterrupt()
{
    return g_interrupt.load(std::memory_order_relaxed);
}

bool abortLoading()
{
    return g_abortLoading.load(std::memory_order_relaxed);
}

std::string workFolder()
{
    std::lock_guard<std::mutex> lock(g_folderMutex);
    return g_workFolder;
}

std::string ffmpegError(int averror)
{
    char buf[AV_ERROR_MAX_STRING_SIZE] = {0};
    av_strerror(averror, buf, sizeof buf);
    return buf;
}

void logLine(int level, const char *format, ...)
{
    if (level > av_log_get_level())
        return;
    va_list ap;
    va_start(ap, format);
    std::fputs("orlcodec: ", stderr);
    std::vfprintf(stderr, format, ap);
    std::fputc('\n', stderr);
    va_end(ap);
}

} // namespace orl

using namespace orl;

extern "C" {

int Engine_Startup(int network, int verbose)
{
    try {
        std::call_once(g_startOnce, [network] {
            if (network)
                avformat_network_init();
        });
        av_log_set_level(verbose ? AV_LOG_WARNING : AV_LOG_ERROR);
        av_log_set_callback(logCallback);
        return 1;
    } catch (...) {
        return 0;
    }
}

int Engine_SetWorkFolder(const char *path_utf8)
{
    if (!path_utf8)
        return 0;
    try {
        std::lock_guard<std::mutex> lock(g_folderMutex);
        g_workFolder = path_utf8;
        return 1;
    } catch (...) {
        return 0;
    }
}

uint64_t Engine_GetJobEndCount(void)
{
    try {
        return jobEnds();
    } catch (...) {
        return 0;
    }
}

int Engine_WaitForJobEnd(uint64_t seen, int timeout_ms)
{
    try {
        return waitForJobEnd(seen, timeout_ms) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

void Engine_SetInterrupt(int on)
{
    g_interrupt.store(on != 0);
}

void Engine_SetAbortLoading(int on)
{
    g_abortLoading.store(on != 0);
}

int Engine_GetAbortLoading(void)
{
    return g_abortLoading.load() ? 1 : 0;
}

const char *Engine_GetLastError(ORL_HANDLE handle)
{
    // The text is copied into thread-local storage so that it stays valid
    // even when another thread changes the handle's error meanwhile.
    thread_local std::string text;
    try {
        auto obj = findHandle(handle);
        text = obj ? obj->lastError() : std::string();
    } catch (...) {
        text.clear();
    }
    return text.c_str();
}

int Engine_GetHandleCount(void)
{
    return static_cast<int>(liveHandleCount());
}

const char *Engine_GetVersion(void)
{
    thread_local std::string text;
    text = std::string("orlcodec 1.0 on libavformat ") + LIBAVFORMAT_IDENT + ", " + LIBAVCODEC_IDENT;
    return text.c_str();
}

} // extern "C"
