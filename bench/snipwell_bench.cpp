// Runs one benchmark job once: snipwell_bench JOB FILE.
//   open_info   open a media item: information, streams, tags and cover
//   thumb_strip ten pictures across the file through the frame grabber,
//               sized and decoded the way the segment timeline does it
//   key_frames  the key-frame times of the video (a packet scan for
//               files without an index), from a cold cache
// Exit status 0 when the job did all its work; prints the job's own time
// as "inprocess=SECONDS".
#include "VoVideoConvertItem.h"
#include "orlcodec.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <cstdio>
#include <cstring>

namespace {

int openInfo(const char *path)
{
    VoVideoConvertItem item;
    if (!item.open(QString::fromUtf8(path)) || !item.m_cover)
        return 1;
    return 0;
}

int thumbStrip(const char *path)
{
    ORL_HANDLE g = Grabber_Create();
    if (Grabber_Open(g, path) != 1) {
        Grabber_Destroy(g);
        return 1;
    }
    int w = Grabber_GetWidth(g);
    int h = Grabber_GetHeight(g);
    int a = 0, b = 0;
    if (Grabber_GetDisplayAspect(g, &a, &b) == 1 && a && b) {
        if (h * a <= w * b)
            w = h * a / b;
        else
            h = w * b / a;
    }
    const uint64_t d = Grabber_GetDuration(g);
    const bool canSeek = Grabber_CanSeek(g) != 0;
    int good = 0;
    for (int i = 0; i < 10; ++i) {
        const orl_picture *pic = Grabber_GrabFrame(g, canSeek ? d * i / 10 : 0, w, h, ORL_PICTURE_JPEG);
        if (!pic)
            continue;
        QImage image;
        if (image.loadFromData(pic->data, pic->size))
            ++good;
        Grabber_ReleaseFrame(g, pic);
    }
    Grabber_Close(g);
    Grabber_Destroy(g);
    return good == 10 ? 0 : 1;
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
    if (!job) {
        std::fprintf(stderr, "unknown job %s\n", argv[1]);
        return 2;
    }
    // The job's own time, without process start-up, for the absolute goals.
    QElapsedTimer timer;
    timer.start();
    const int status = job(argv[2]);
    std::printf("inprocess=%.6f\n", timer.nsecsElapsed() / 1e9);
    return status;
}
