// The detector family on a fixture with silences, black, cuts and a still
// picture at known times (tests/media/make-fixtures: detect.mp4).
#include "TestSupport.h"
#include "orlcodec_detect.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <utility>
#include <vector>

using testsupport::fixture;

namespace {

constexpr double kTolerance = 0.1; // seconds

struct Detector {
    ORL_HANDLE h = Detect_Create();
    ~Detector() { Detect_Destroy(h); }

    std::vector<std::pair<double, double>> run(const QString &path, const orl_detect_settings &s)
    {
        std::vector<std::pair<double, double>> found;
        if (Detect_Run(h, path.toUtf8().constData(), &s) != 1) {
            ADD_FAILURE() << "failed: " << Engine_GetLastError(h);
            return found;
        }
        const orl_detect_range *r = nullptr;
        const int n = Detect_GetRanges(h, &r);
        for (int i = 0; i < n; ++i)
            found.emplace_back(r[i].start_us / 1e6, r[i].end_us / 1e6);
        return found;
    }
};

orl_detect_settings defaults(int kind)
{
    orl_detect_settings s{};
    EXPECT_EQ(Detect_DefaultSettings(kind, &s), 1);
    return s;
}

void expectRanges(const std::vector<std::pair<double, double>> &found,
                  const std::vector<std::pair<double, double>> &expected)
{
    ASSERT_EQ(found.size(), expected.size()) << "found " << found.size() << " ranges";
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_NEAR(found[i].first, expected[i].first, kTolerance) << "start of range " << i;
        EXPECT_NEAR(found[i].second, expected[i].second, kTolerance) << "end of range " << i;
    }
}

} // namespace

// Each kind with its defaults finds exactly what the fixture was made with;
// the short silence at 6 s is under the default shortest length, and a
// silence running to the end of the file ends there.
TEST(Detect, FindsEveryKindAtItsTimesAndNothingElse)
{
    const QString path = fixture("detect.mp4");
    Detector d;
    expectRanges(d.run(path, defaults(ORL_DETECT_SILENCE)), {{2.0, 3.5}, {9.0, 12.0}});
    expectRanges(d.run(path, defaults(ORL_DETECT_BLACK)), {{3.0, 4.0}});
    expectRanges(d.run(path, defaults(ORL_DETECT_SCENE)), {{3, 3}, {4, 4}, {7, 7}, {10, 10}});
    expectRanges(d.run(path, defaults(ORL_DETECT_FREEZE)), {{7.0, 10.0}});
    EXPECT_EQ(Detect_GetProgress(d.h), 1000);
    EXPECT_EQ(Detect_GetFailure(d.h), ORL_DETECT_FAILED_NONE);
}

// The settings reach the filters: a shorter shortest length finds the short
// silence, a longer one drops the black second, a longer distance between
// changes keeps only those that far apart, a lower share of black pixels
// still finds only the black stretch.
TEST(Detect, SettingsChangeWhatIsFound)
{
    const QString path = fixture("detect.mp4");
    Detector d;
    orl_detect_settings s = defaults(ORL_DETECT_SILENCE);
    s.min_length_us = 400000;
    expectRanges(d.run(path, s), {{2.0, 3.5}, {6.0, 6.5}, {9.0, 12.0}});
    s.threshold = -5; // the tone (-18 dB) counts as silence too: all of the file
    expectRanges(d.run(path, s), {{0.0, 12.0}});

    s = defaults(ORL_DETECT_BLACK);
    s.min_length_us = 1500000;
    expectRanges(d.run(path, s), {});

    s = defaults(ORL_DETECT_SCENE);
    s.min_length_us = 5000000;
    expectRanges(d.run(path, s), {{3, 3}, {10, 10}});

    s = defaults(ORL_DETECT_FREEZE);
    s.min_length_us = 3500000;
    expectRanges(d.run(path, s), {});
    // The black second is a still picture too; its start and end come on
    // the same picture.
    s.min_length_us = 1000000;
    expectRanges(d.run(path, s), {{3.0, 4.0}, {7.0, 10.0}});
}

// Plain PCM WAV counts its channels without naming them; the silence is
// found there as in any other file, mono or stereo, at any sample rate, and
// the outline of the sound is drawn too.
TEST(Detect, FindsSilenceInPlainWav)
{
    Detector d;
    expectRanges(d.run(fixture("detect_mono22k.wav"), defaults(ORL_DETECT_SILENCE)), {{2.0, 3.5}});
    expectRanges(d.run(fixture("detect_stereo48k.wav"), defaults(ORL_DETECT_SILENCE)), {{1.0, 3.0}});
    const uint8_t *peaks = nullptr;
    EXPECT_NEAR(Detect_Waveform(d.h, fixture("detect_stereo48k.wav").toUtf8().constData(), 0, 10, &peaks), 45, 1);
}

// A kind the file cannot give is refused with its own reason and a text;
// so are files that are not media and settings out of range.
TEST(Detect, RefusesWhatTheFileCannotGive)
{
    Detector d;
    orl_detect_settings s = defaults(ORL_DETECT_SILENCE);
    EXPECT_EQ(Detect_Run(d.h, fixture("still_10min.mp4").toUtf8().constData(), &s), 0);
    EXPECT_EQ(Detect_GetFailure(d.h), ORL_DETECT_FAILED_NO_AUDIO);
    EXPECT_STREQ(Engine_GetLastError(d.h), "the file has no sound");
    const uint8_t *peaks = nullptr;
    EXPECT_EQ(Detect_Waveform(d.h, fixture("still_10min.mp4").toUtf8().constData(), 0, 10, &peaks), 0);
    EXPECT_EQ(Detect_GetFailure(d.h), ORL_DETECT_FAILED_NO_AUDIO);

    for (int kind : {ORL_DETECT_BLACK, ORL_DETECT_SCENE, ORL_DETECT_FREEZE}) {
        s = defaults(kind);
        EXPECT_EQ(Detect_Run(d.h, fixture("tone.flac").toUtf8().constData(), &s), 0);
        EXPECT_EQ(Detect_GetFailure(d.h), ORL_DETECT_FAILED_NO_VIDEO) << "kind " << kind;
        EXPECT_STREQ(Engine_GetLastError(d.h), "the file has no pictures");
    }

    s = defaults(ORL_DETECT_BLACK);
    EXPECT_EQ(Detect_Run(d.h, fixture("random_bytes.mp4").toUtf8().constData(), &s), 0);
    EXPECT_EQ(Detect_GetFailure(d.h), ORL_DETECT_FAILED_UNREADABLE);
    EXPECT_STRNE(Engine_GetLastError(d.h), "");
    EXPECT_EQ(Detect_Run(d.h, "/nonexistent/file.mp4", &s), 0);
    EXPECT_EQ(Detect_GetFailure(d.h), ORL_DETECT_FAILED_UNREADABLE);

    s.threshold = 1.5;
    EXPECT_EQ(Detect_Run(d.h, fixture("detect.mp4").toUtf8().constData(), &s), 0);
    EXPECT_EQ(Detect_GetFailure(d.h), ORL_DETECT_FAILED_SETTINGS);
    s = defaults(ORL_DETECT_SILENCE);
    s.kind = 99;
    EXPECT_EQ(Detect_Run(d.h, fixture("detect.mp4").toUtf8().constData(), &s), 0);
    EXPECT_EQ(Detect_GetFailure(d.h), ORL_DETECT_FAILED_SETTINGS);
    EXPECT_EQ(Detect_Run(d.h, nullptr, &s), 0);
    EXPECT_EQ(Detect_Run(0, fixture("detect.mp4").toUtf8().constData(), &s), 0);
}

// A stop from another thread ends a long search within 0.2 s; the handle
// then searches again from the start.
TEST(Detect, CancelStopsAtOnceAndTheHandleStaysUsable)
{
    const QByteArray path = fixture("still_10min.mp4").toUtf8();
    Detector d;
    const orl_detect_settings s = defaults(ORL_DETECT_FREEZE);
    int result = -1;
    std::chrono::steady_clock::time_point returned;
    std::thread worker([&] {
        result = Detect_Run(d.h, path.constData(), &s);
        returned = std::chrono::steady_clock::now();
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (Detect_GetProgress(d.h) < 10 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    const int progressAtStop = Detect_GetProgress(d.h);
    const auto stopped = std::chrono::steady_clock::now();
    Detect_Cancel(d.h);
    worker.join();
    ASSERT_GE(progressAtStop, 10);
    ASSERT_LT(progressAtStop, 1000) << "the search ended before it was stopped";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Detect_GetFailure(d.h), ORL_DETECT_FAILED_STOPPED);
    EXPECT_LE(std::chrono::duration_cast<std::chrono::milliseconds>(returned - stopped).count(), 200);
    const orl_detect_range *r = nullptr;
    EXPECT_EQ(Detect_GetRanges(d.h, &r), 0);

    // The cancel stays: the next run on the same token ends at once; a
    // fresh token makes the handle search again from the start.
    const orl_detect_settings black = defaults(ORL_DETECT_BLACK);
    EXPECT_EQ(Detect_Run(d.h, fixture("detect.mp4").toUtf8().constData(), &black), 0);
    EXPECT_EQ(Detect_GetFailure(d.h), ORL_DETECT_FAILED_STOPPED);
    ASSERT_EQ(Detect_SetCancel(d.h, 0), 1);
    expectRanges(d.run(fixture("detect.mp4"), black), {{3.0, 4.0}});
}

// A cancel owned by the caller: triggered before the search begins (here
// from another thread, racing the start), the search ends at once, every
// time; the library never clears it.
TEST(Detect, ACancelBeforeTheSearchBeginsEndsItAtOnce)
{
    const QByteArray path = fixture("still_10min.mp4").toUtf8();
    const orl_detect_settings freeze = defaults(ORL_DETECT_FREEZE);
    Detector d;
    for (int round = 0; round < 50; ++round) {
        const ORL_HANDLE token = Cancel_Create();
        ASSERT_NE(token, 0);
        ASSERT_EQ(Detect_SetCancel(d.h, token), 1);
        std::thread stopper([token] { Cancel_Trigger(token); });
        if (round % 2 == 0)
            stopper.join(); // before the run; otherwise racing its start
        const auto began = std::chrono::steady_clock::now();
        int result = Detect_Run(d.h, path.constData(), &freeze);
        const auto took = std::chrono::steady_clock::now() - began;
        if (stopper.joinable())
            stopper.join();
        if (result == 1) {
            // The trigger came after the search: only possible when racing.
            ASSERT_NE(round % 2, 0);
            continue;
        }
        EXPECT_EQ(Detect_GetFailure(d.h), ORL_DETECT_FAILED_STOPPED) << "round " << round;
        if (round % 2 == 0) {
            EXPECT_LE(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 100) << "round " << round;
        }
        EXPECT_EQ(Cancel_IsTriggered(token), 1);
        // A search on the token again: still stopped, still at once.
        result = Detect_Run(d.h, path.constData(), &freeze);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(Detect_GetFailure(d.h), ORL_DETECT_FAILED_STOPPED);
        Cancel_Destroy(token);
    }
    // The token may go before the handle that watched it.
    ASSERT_EQ(Detect_SetCancel(d.h, 0), 1);
    expectRanges(d.run(fixture("detect.mp4"), defaults(ORL_DETECT_BLACK)), {{3.0, 4.0}});
    EXPECT_EQ(Detect_SetCancel(d.h, 12345), 0) << "a handle that is no token";
    EXPECT_EQ(Cancel_IsTriggered(0), 0);
}

// The outline: one value per slice over the whole sound, nothing in the
// silences, the tone's level (1/8 of full scale) elsewhere.
TEST(Detect, WaveformFollowsTheSound)
{
    Detector d;
    const uint8_t *peaks = nullptr;
    const int n = Detect_Waveform(d.h, fixture("detect.mp4").toUtf8().constData(), 0, 10, &peaks);
    ASSERT_NEAR(n, 120, 1) << Engine_GetLastError(d.h);
    ASSERT_NE(peaks, nullptr);
    auto inside = [](int i, double from, double to) { return i / 10.0 >= from + 0.1 && (i + 1) / 10.0 <= to - 0.1; };
    for (int i = 0; i < n; ++i) {
        const bool silent = inside(i, 2, 3.5) || inside(i, 6, 6.5) || inside(i, 9, 12);
        const bool tone = inside(i, 0, 2) || inside(i, 3.5, 6) || inside(i, 6.5, 9);
        if (silent) {
            EXPECT_LE(peaks[i], 1) << "slice " << i;
        }
        if (tone) {
            EXPECT_NEAR(peaks[i], 32, 3) << "slice " << i;
        }
    }
    EXPECT_EQ(Detect_Waveform(d.h, fixture("detect.mp4").toUtf8().constData(), 0, 0, &peaks), 0);
    EXPECT_EQ(Detect_GetFailure(d.h), ORL_DETECT_FAILED_SETTINGS);
}
