// Bad input, interrupted opens and misused handles: failure, never a crash,
// a hang or a leaked handle.
#include "TestSupport.h"
#include "orlcodec.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using testsupport::fixture;
using testsupport::fixtureDir;

namespace {

// A FIFO with a writer that never writes: reads on it block until
// interrupted.
struct SilentFifo {
    QTemporaryDir dir;
    QString path = dir.path() + "/stalled.mp4";
    int writer = -1;
    SilentFifo()
    {
        if (::mkfifo(path.toUtf8().constData(), 0600) == 0)
            writer = ::open(path.toUtf8().constData(), O_RDWR | O_NONBLOCK);
    }
    ~SilentFifo()
    {
        if (writer >= 0)
            ::close(writer);
    }
};

} // namespace

TEST(Robustness, BadInputFailsQuicklyWithoutLeaks)
{
    const int before = Engine_GetHandleCount();
    const QStringList paths = {fixture("truncated_noindex.mp4"), fixture("not_media.mp4"),
                               fixture("random_bytes.mp4"),      fixture("empty.mp4"),
                               fixtureDir(),                     fixtureDir() + "/missing.mp4",
                               fixture("subtitle_only.mkv"),     QString()};
    for (const QString &path : paths) {
        QElapsedTimer timer;
        timer.start();
        ORL_HANDLE h = Info_Create(-1);
        ASSERT_NE(h, 0);
        const int opened = Info_Open(h, path.toUtf8().constData());
        if (path.endsWith("subtitle_only.mkv")) {
            // Opens, but holds nothing to play.
            EXPECT_EQ(opened, 1);
            EXPECT_EQ(Info_HasVideo(h), 0);
            EXPECT_EQ(Info_HasAudio(h), 0);
            EXPECT_EQ(Info_GrabFrame(h, 0, 0, 0, 0), nullptr);
        } else {
            EXPECT_EQ(opened, 0) << path.toStdString();
            EXPECT_STRNE(Engine_GetLastError(h), "") << path.toStdString();
            EXPECT_EQ(Info_GetTitleCount(h), 0);
            EXPECT_EQ(Info_GetDuration(h), 0u);
            EXPECT_EQ(Info_GrabFrame(h, 0, 0, 0, 0), nullptr);
        }
        Info_Close(h);
        Info_Destroy(h);
        EXPECT_LT(timer.elapsed(), 2000) << path.toStdString();
    }
    EXPECT_EQ(Engine_GetHandleCount(), before);
    // The count really counts: a handle kept open shows up in it.
    ORL_HANDLE kept = Info_Create(-1);
    EXPECT_EQ(Info_Open(kept, nullptr), 0);
    EXPECT_EQ(Engine_GetHandleCount(), before + 1);
    Info_Destroy(kept);
    EXPECT_EQ(Engine_GetHandleCount(), before);
}

TEST(Robustness, DiscsAreRefusedCleanly)
{
    ORL_HANDLE h = Info_Create(-1);
    EXPECT_EQ(Info_OpenDisc(h, fixture("h264_aac.mp4").toUtf8().constData()), 0);
    EXPECT_STRNE(Engine_GetLastError(h), "");
    Info_Destroy(h);
}

TEST(Robustness, StaleAndMadeUpHandlesAreRefused)
{
    ORL_HANDLE h = Info_Create(-1);
    Info_Destroy(h);
    Info_Destroy(h);
    EXPECT_EQ(Info_Open(h, fixture("h264_aac.mp4").toUtf8().constData()), 0);
    EXPECT_EQ(Info_GetDuration(12345), 0u);
    EXPECT_EQ(Info_GetFormatName(0), nullptr);
    EXPECT_STREQ(Engine_GetLastError(777), "");
    // A buffer handle is no information handle and the other way round.
    const char bytes[] = "abc";
    ORL_HANDLE buffer = Buffer_Create(bytes, 3);
    EXPECT_EQ(Info_GetTitleCount(buffer), 0);
    ORL_HANDLE info = Info_Create(-1);
    EXPECT_EQ(Info_OpenMemory(info, info), 0);
    EXPECT_EQ(Info_OpenMemory(info, buffer), 0); // three bytes are no media
    Info_Destroy(info);
    Buffer_Destroy(buffer);
}

TEST(Robustness, PlayerHandlesAreRefusedByTheInformationFamily)
{
    ORL_HANDLE player = Player_OpenFile(fixture("h264_aac.mp4").toUtf8().constData());
    ASSERT_NE(player, 0);
    EXPECT_EQ(Info_GetTitleCount(player), 0);
    EXPECT_EQ(Info_GetDuration(player), 0u);
    Player_Destroy(player);
}

TEST(Robustness, HandlesOfOneFamilyAreRefusedByAnother)
{
    const int before = Engine_GetHandleCount();
    ORL_HANDLE conv = Conv_CreateCopy(-1);
    ORL_HANDLE merge = Merge_CreateCopy(-1);
    ORL_HANDLE params = Param_Create();
    ASSERT_NE(conv, 0);
    ASSERT_NE(merge, 0);
    ASSERT_NE(params, 0);
    const QByteArray src = fixture("h264_aac.mp4").toUtf8();
    EXPECT_EQ(Conv_Open(params, src.constData(), "/tmp/x.mp4", "mp4", 0), 0);
    EXPECT_EQ(Merge_Add(conv, src.constData(), 0, 0, params), 0);
    EXPECT_EQ(Param_SelectAudio(merge, 1), 0);
    EXPECT_EQ(Track_Create(99), 0);
    EXPECT_EQ(Conv_Start(conv), 0); // nothing open
    Param_Release(conv);            // a conversion is not a parameter set
    EXPECT_EQ(Engine_GetHandleCount(), before + 3);
    Conv_Destroy(conv);
    Merge_Destroy(merge);
    Param_Release(params);
    EXPECT_EQ(Engine_GetHandleCount(), before);
}

TEST(Robustness, AbortLoadingEndsAnOpenOnAStalledSource)
{
    SilentFifo fifo;
    ASSERT_GE(fifo.writer, 0);
    ORL_HANDLE h = Info_Create(-1);
    auto opening = std::async(std::launch::async,
                              [&] { return Info_Open(h, fifo.path.toUtf8().constData()); });
    // Still blocked after 300 ms: the source really stalls.
    ASSERT_EQ(opening.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout);
    QElapsedTimer timer;
    timer.start();
    Engine_SetAbortLoading(1);
    ASSERT_EQ(opening.wait_for(std::chrono::milliseconds(1000)), std::future_status::ready);
    const qint64 elapsed = timer.elapsed();
    EXPECT_EQ(opening.get(), 0);
    EXPECT_LT(elapsed, 200);
    // While the flag stays up, new opens fail at once; once down they work.
    EXPECT_EQ(Info_Open(h, fixture("h264_aac.mp4").toUtf8().constData()), 0);
    Engine_SetAbortLoading(0);
    EXPECT_EQ(Info_Open(h, fixture("h264_aac.mp4").toUtf8().constData()), 1);
    Info_Destroy(h);
}

TEST(Robustness, InterruptAndCloseFromAnotherThreadEndBlockedCalls)
{
    SilentFifo fifo;
    ASSERT_GE(fifo.writer, 0);
    for (int way = 0; way < 2; ++way) {
        ORL_HANDLE h = Info_Create(-1);
        auto opening = std::async(std::launch::async,
                                  [&] { return Info_Open(h, fifo.path.toUtf8().constData()); });
        ASSERT_EQ(opening.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
        if (way == 0) {
            Engine_SetInterrupt(1);
            ASSERT_EQ(opening.wait_for(std::chrono::milliseconds(500)), std::future_status::ready);
            Engine_SetInterrupt(0);
        } else {
            Info_Close(h); // waits for the open to give up
            // The open has returned; its future is completed by the async
            // thread a moment after it releases the handle.
            ASSERT_EQ(opening.wait_for(std::chrono::milliseconds(500)), std::future_status::ready);
        }
        EXPECT_EQ(opening.get(), 0);
        Info_Destroy(h);
    }
}

extern "C" int orl_plain_c_roundtrip(void);

TEST(Robustness, HeaderWorksFromPlainC)
{
    const int before = Engine_GetHandleCount();
    EXPECT_EQ(orl_plain_c_roundtrip(), 1);
    EXPECT_EQ(Engine_GetHandleCount(), before);
}
