// Runs one benchmark job once: snipwell_bench JOB FILE.
//   open_info   open a media item: information, streams, tags and cover
//   thumb_strip the segment timeline's strip: ten pictures across the file
//               from the strip worker, until the last one is delivered
//   key_frames  the key-frame times of the video (a packet scan for
//               files without an index), from a cold cache
//   detect_silence, detect_black
//               the silences / black stretches of the file, default settings
//   waveform    the sound's outline, 100 values a second
//   first_picture
//               what a user waits for after choosing a file: the media item
//               opened as the add-file worker opens it, then the player
//               opened until its first picture reaches the screen
// Exit status 0 when the job did all its work; prints the job's own time
// as "inprocess=SECONDS".
#include "ThumbnailStripWorker.h"
#include "VoVideoConvertItem.h"
#include "orlcodec.h"
#include "orlcodec_detect.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <cstdio>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <sys/resource.h>

namespace {

int openInfo(const char *path)
{
    VoVideoConvertItem item;
    if (!item.open(QString::fromUtf8(path)) || item.m_cover.isNull())
        return 1;
    return 0;
}

// Restarted by a job whose set-up is not part of what it measures.
QElapsedTimer jobTimer;

int thumbStrip(const char *path)
{
    // The duration is known before a strip is asked for: it comes from the
    // media item the segment manager already holds.
    uint64_t duration = 0;
    {
        ORL_HANDLE info = Info_Create(-1);
        if (!info || Info_Open(info, path) != 1) {
            Info_Destroy(info);
            return 1;
        }
        duration = Info_GetDuration(info);
        Info_Close(info);
        Info_Destroy(info);
    }
    std::mutex mutex;
    std::condition_variable arrived;
    int good = 0;
    int delivered = 0;
    ThumbnailStripWorker worker([&](const QImage &image, int) {
        std::lock_guard<std::mutex> lock(mutex);
        ++delivered;
        if (!image.isNull())
            ++good;
        arrived.notify_all();
    });
    jobTimer.restart();
    worker.begin(QString::fromUtf8(path), duration, 1);
    std::unique_lock<std::mutex> lock(mutex);
    arrived.wait_for(lock, std::chrono::seconds(20),
                     [&] { return delivered == ThumbnailStripWorker::pictureCount; });
    return good == ThumbnailStripWorker::pictureCount ? 0 : 1;
}

int keyFrames(const char *path)
{
    ORL_HANDLE h = Info_Create(-1);
    if (Info_Open(h, path) != 1) {
        Info_Destroy(h);
        return 1;
    }
    const uint64_t *times = nullptr;
    const int n = Info_GetKeyFrames(h, &times);
    std::printf("key_frames=%d\n", n);
    Info_Close(h);
    Info_Destroy(h);
    return n > 0 ? 0 : 1;
}

int detect(const char *path, int kind)
{
    orl_detect_settings s{};
    Detect_DefaultSettings(kind, &s);
    ORL_HANDLE h = Detect_Create();
    const int ok = Detect_Run(h, path, &s);
    const orl_detect_range *ranges = nullptr;
    std::printf("ranges=%d\n", Detect_GetRanges(h, &ranges));
    if (!ok)
        std::fprintf(stderr, "%s\n", Engine_GetLastError(h));
    Detect_Destroy(h);
    return ok ? 0 : 1;
}

int detectSilence(const char *path)
{
    return detect(path, ORL_DETECT_SILENCE);
}

int detectBlack(const char *path)
{
    return detect(path, ORL_DETECT_BLACK);
}

int waveform(const char *path)
{
    ORL_HANDLE h = Detect_Create();
    const uint8_t *peaks = nullptr;
    const int n = Detect_Waveform(h, path, 0, 100, &peaks);
    std::printf("peaks=%d\n", n);
    Detect_Destroy(h);
    return n > 0 ? 0 : 1;
}

struct PictureSink {
    std::mutex mutex;
    std::condition_variable arrived;
    int count = 0;
    static void deliver(void *opaque, int, int, int, const uint8_t *)
    {
        auto *self = static_cast<PictureSink *>(opaque);
        std::lock_guard<std::mutex> lock(self->mutex);
        ++self->count;
        self->arrived.notify_all();
    }
};

int firstPicture(const char *path)
{
    VoVideoConvertItem item;
    if (!item.open(QString::fromUtf8(path)))
        return 1;
    PictureSink sink;
    orl_video_sink s{&sink, &PictureSink::deliver};
    const ORL_HANDLE p = Player_Create(0);
    if (!p || Player_Open(p, path, 0, 0) != 1) {
        Player_Destroy(p);
        return 1;
    }
    Player_SetVideoWindow(p, &s);
    std::unique_lock<std::mutex> lock(sink.mutex);
    const bool shown = sink.arrived.wait_for(lock, std::chrono::seconds(30), [&] { return sink.count > 0; });
    lock.unlock();
    std::printf("first_picture=%.6f\n", jobTimer.nsecsElapsed() / 1e9);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak_kb=%ld\n", usage.ru_maxrss);
    Player_SetVideoWindow(p, nullptr);
    Player_Destroy(p);
    return shown ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("usage: snipwell_bench open_info|thumb_strip FILE\n", stderr);
        return 2;
    }
    QCoreApplication app(argc, argv);
    Engine_Startup(0, 0);
    int (*job)(const char *) = nullptr;
    if (std::strcmp(argv[1], "open_info") == 0)
        job = openInfo;
    else if (std::strcmp(argv[1], "thumb_strip") == 0)
        job = thumbStrip;
    else if (std::strcmp(argv[1], "key_frames") == 0)
        job = keyFrames;
    else if (std::strcmp(argv[1], "detect_silence") == 0)
        job = detectSilence;
    else if (std::strcmp(argv[1], "detect_black") == 0)
        job = detectBlack;
    else if (std::strcmp(argv[1], "waveform") == 0)
        job = waveform;
    else if (std::strcmp(argv[1], "first_picture") == 0)
        job = firstPicture;
    if (!job) {
        std::fprintf(stderr, "unknown job %s\n", argv[1]);
        return 2;
    }
    // The job's own time, without process start-up, for the absolute goals.
    jobTimer.start();
    const int status = job(argv[2]);
    std::printf("inprocess=%.6f\n", jobTimer.nsecsElapsed() / 1e9);
    return status;
}
