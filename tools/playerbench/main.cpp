// Times the player on one file: playerbench FILE
// Prints "<job> ours=<seconds>" lines: player_open (open until the first
// picture reaches the sink), step_fwd, step_back and seek_exact (medians
// over 20 positions spread over the file; step_back after a step forward,
// step_back_cold right after a seek) and preview_update (a changed picture
// value of the editing preview, from the hand-over until the edited
// picture reached the sink, while paused; median of 20 changes),
// play_rate (seconds of the file played per second of real time, over 3 s
// of playback) and player_close (a close during playback).
//
// playerbench --keep-up SECONDS FILE [WxH] plays SECONDS of FILE as the
// window does, shown at WxH pixels (full size without), and prints keep_up_shown (pictures shown / pictures due),
// keep_up_lag_frames (the most the clock ran ahead of the picture shown, in
// frame durations; goal at most 2) and keep_up_rate (media seconds played
// per second); with PLAYERBENCH_TRACE set, each moment the clock was more
// than two frame durations ahead goes to standard error.
#include "orlcodec.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

struct Sink {
    std::vector<uint8_t> copy; // what the interface's surface does: one copy
    int count = 0;
    static void deliver(void *opaque, int w, int h, int stride, const uint8_t *pixels)
    {
        auto *self = static_cast<Sink *>(opaque);
        self->copy.resize(size_t(w) * h * 4);
        for (int y = 0; y < h; ++y)
            std::memcpy(self->copy.data() + size_t(y) * w * 4, pixels + size_t(y) * stride, size_t(w) * 4);
        ++self->count;
    }
};

double now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Frame duration of the first video stream, from its stated rate.
double frameSeconds(const char *path)
{
    double seconds = 0.04;
    const ORL_HANDLE info = Info_Create(0);
    if (info && Info_Open(info, path) == 1) {
        orl_stream_info s{};
        if (Info_GetStreamInfo(info, ORL_STREAM_VIDEO, 0, &s) == 1 && s.frame_rate_num > 0 && s.frame_rate_den > 0)
            seconds = double(s.frame_rate_den) / s.frame_rate_num;
    }
    Info_Destroy(info);
    return seconds;
}

int keepUp(const char *path, double seconds, int shownW, int shownH)
{
    Sink sink;
    orl_video_sink s{&sink, &Sink::deliver};
    const double frame = frameSeconds(path);
    // The preview is shown at window size, not at the source's.
    const ORL_HANDLE p = Player_Create(0);
    if (!p || Player_Open(p, path, 0, 0) != 1) {
        std::fprintf(stderr, "playerbench: cannot open %s\n", path);
        return 1;
    }
    Player_SetShownSize(p, shownW, shownH);
    Player_SetVideoWindow(p, &s);
    Player_Play(p);
    const double started = now();
    // The first half second fills the queues.
    while (Player_GetPosition(p) < 500000 && now() - started < 10)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    const uint64_t p0 = Player_GetPosition(p);
    const int shown0 = sink.count;
    const double t0 = now();
    double worstLag = 0;
    int samples = 0;
    int over = 0;
    while (now() - t0 < seconds && !Player_IsEnded(p)) {
        const double clock = Player_GetPosition(p) / 1e6;
        const double picture = Player_GetFrameTime(p) / 1e6;
        // The picture on screen spans one frame: behind means the clock
        // passed the end of its span.
        const double lag = (clock - picture) / frame - 1;
        worstLag = std::max(worstLag, lag);
        ++samples;
        if (lag > 2) {
            ++over;
            if (std::getenv("PLAYERBENCH_TRACE"))
                std::fprintf(stderr, "lag %.2f frames at clock %.3f picture %.3f\n", lag, clock, picture);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const double played = (Player_GetPosition(p) - p0) / 1e6;
    const double rate = played / (now() - t0);
    const int shown = sink.count - shown0;
    Player_Destroy(p);
    std::printf("keep_up_shown ours=%.4f\n", played > 0 ? shown / (played / frame) : 0.0);
    std::printf("keep_up_lag_frames ours=%.4f\n", std::max(0.0, worstLag));
    std::printf("keep_up_rate ours=%.4f\n", rate);
    std::printf("keep_up_over_2 ours=%.4f\n", samples ? double(over) / samples : 0.0);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "--keep-up") == 0) {
        int w = 0, h = 0;
        if (argc == 5 && std::sscanf(argv[4], "%dx%d", &w, &h) != 2) {
            std::fprintf(stderr, "playerbench: a shown size is WIDTHxHEIGHT\n");
            return 2;
        }
        return keepUp(argv[3], std::atof(argv[2]), w, h);
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: playerbench FILE | playerbench --keep-up SECONDS FILE [WxH]\n");
        return 2;
    }
    Sink sink;
    orl_video_sink s{&sink, &Sink::deliver};

    std::vector<double> opens;
    for (int i = 0; i < 5; ++i) {
        const double t0 = now();
        ORL_HANDLE p = Player_OpenFile(argv[1]);
        if (!p) {
            std::fprintf(stderr, "playerbench: cannot open %s\n", argv[1]);
            return 1;
        }
        const int before = sink.count;
        Player_SetVideoWindow(p, &s);
        if (sink.count == before) {
            std::fprintf(stderr, "playerbench: no picture\n");
            return 1;
        }
        opens.push_back(now() - t0);
        Player_Destroy(p);
    }
    std::printf("player_open ours=%.4f\n", median(opens));

    ORL_HANDLE p = Player_OpenFile(argv[1]);
    Player_SetVideoWindow(p, &s);
    const uint64_t duration = Player_GetDuration(p);
    std::vector<double> fwd, back, seek, cold;
    for (int i = 0; i < 20; ++i) {
        // Positions between key frames, away from the ends.
        const uint64_t t = duration / 25 * (i + 2) + 337000;
        double t0 = now();
        Player_Seek(p, t);
        seek.push_back(now() - t0);
        t0 = now();
        Player_StepFrame(p, 1);
        fwd.push_back(now() - t0);
        t0 = now();
        Player_StepFrame(p, -1);
        back.push_back(now() - t0);
        // Right after a seek nothing before the picture is decoded yet.
        Player_Seek(p, t + 40000);
        t0 = now();
        Player_StepFrame(p, -1);
        cold.push_back(now() - t0);
    }
    Player_Destroy(p);

    p = Player_OpenFile(argv[1]);
    Player_SetVideoWindow(p, &s);
    Player_Seek(p, duration / 2 + 337000);
    std::vector<double> updates;
    for (int i = 0; i < 21; ++i) {
        const ORL_HANDLE params = Param_Create();
        Param_SetBrightness(params, -100 + i * 10);
        Param_SetContrast(params, 90 + i * 3);
        const int before = sink.count;
        const double t0 = now();
        const int ok = Player_SetParams(p, params);
        const double spent = now() - t0;
        Param_Release(params);
        if (ok != 1 || sink.count == before) {
            std::fprintf(stderr, "playerbench: the edited picture was not shown: %s\n", Engine_GetLastError(p));
            return 1;
        }
        if (i > 0) // the first builds the filters for the first time
            updates.push_back(spent);
    }
    Player_Destroy(p);
    std::printf("step_fwd ours=%.4f\n", median(fwd));
    std::printf("step_back ours=%.4f\n", median(back));
    std::printf("seek_exact ours=%.4f\n", median(seek));
    std::printf("step_back_cold ours=%.4f\n", median(cold));
    std::printf("preview_update ours=%.4f\n", median(updates));

    p = Player_OpenFile(argv[1]);
    Player_SetVideoWindow(p, &s);
    Player_Play(p);
    // The first half second fills the queues; the rate is taken after.
    const double started = now();
    while (Player_GetPosition(p) < 500000) {
        if (now() - started > 10) {
            std::fprintf(stderr, "playerbench: playback does not advance\n");
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const uint64_t p0 = Player_GetPosition(p);
    const double t0 = now();
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const double rate = (Player_GetPosition(p) - p0) / 1e6 / (now() - t0);
    const double c0 = now();
    Player_Close(p);
    const double closing = now() - c0;
    Player_Destroy(p);
    std::printf("play_rate ours=%.4f\n", rate);
    std::printf("player_close ours=%.4f\n", closing);
    return 0;
}
