// The interface thread never waits on the decoder. A probe timer keeps
// firing while the user steps the start time through a file with a key
// frame every 10 s, the picture shown at the end is the one asked for, and
// closing the window, opening another file or converting while a seek still
// decodes neither blocks nor crashes.
#include "MainWindowHelpers.h"
#include "MediaProbe.h"
#include "ParserXML.h"
#include "QCustomTimeEdit.h"
#include "QTimeEditEx.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"
#include "orlcodec.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using testsupport::fixture;

namespace {

// How late the interface thread returns to its event loop: a 5 ms timer
// that records the longest gap between two of its firings.
class LatencyProbe {
public:
    LatencyProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.elapsed();
            m_worst = std::max(m_worst, now - m_last);
            m_last = now;
        });
        m_clock.start();
        m_timer.start();
    }
    void reset()
    {
        m_last = m_clock.elapsed();
        m_worst = 0;
    }
    qint64 worstMs() const { return m_worst; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_worst = 0;
};

// Picture times of the video, relative to the file's start (ffprobe).
std::vector<uint64_t> pictureTimes(const QString &path)
{
    const double start = testsupport::ffprobeJson(path, {"-show_format"})
                             .value("format").toObject().value("start_time").toString().toDouble();
    const QJsonObject o = testsupport::ffprobeJson(
        path, {"-select_streams", "v:0", "-show_entries", "frame=best_effort_timestamp_time"});
    std::vector<uint64_t> times;
    for (const QJsonValue &v : o.value("frames").toArray())
        times.push_back(uint64_t(std::llround(
            (v.toObject().value("best_effort_timestamp_time").toString().toDouble() - start) * 1e6)));
    return times;
}

uint64_t frameAt(const std::vector<uint64_t> &frames, uint64_t t)
{
    uint64_t found = frames.front();
    for (uint64_t f : frames)
        if (f <= t)
            found = f;
    return found;
}

// Clicks into the seconds of a time edit, where a user clicks to step seconds.
void clickSeconds(QCustomTimeEdit *edit)
{
    QLineEdit *line = edit->timeEdit()->editor();
    const QFontMetrics fm(line->font());
    const int x = line->contentsRect().left() + line->textMargins().left() + 2
        + fm.horizontalAdvance(QStringLiteral("00:00:0"));
    QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, QPoint(x, line->height() / 2));
}

QStringList outputsUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

const QString kLongGop = QStringLiteral("gop10s_h264.mp4");

} // namespace

TEST(Responsiveness, ThirtyStepsOnALongGroupLeaveTheInterfaceAnsweringAndEndOnTheLastPicture)
{
    const auto frames = pictureTimes(fixture(kLongGop));
    ASSERT_GT(frames.size(), 700u);
    MainWindow w;
    w.show();
    MessageWatcher messages;
    ASSERT_TRUE(importThroughSignal(w, {fixture(kLongGop)}));
    ASSERT_EQ(itemCount(), 1);
    QVideoPlayDlg *panel = w.playerPanel();
    ASSERT_TRUE(waitUntil([&] { return !panel->isPaused(); }));

    QCustomTimeEdit *start = w.cutTool()->startTimeEdit();
    clickSeconds(start);
    ASSERT_EQ(start->timeEdit()->currentSection(), QDateTimeEdit::SecondSection);

    // A held Up key: thirty steps, 50 ms apart, each an exact seek up to
    // nine seconds past its key frame.
    LatencyProbe probe;
    int sent = 0;
    QTimer keys;
    keys.setInterval(50);
    QObject::connect(&keys, &QTimer::timeout, [&] {
        QTest::keyClick(start->timeEdit(), Qt::Key_Up);
        if (++sent == 30)
            keys.stop();
    });
    probe.reset();
    keys.start();
    ASSERT_TRUE(waitUntil([&] { return sent == 30; }, 60000));
    const qint64 duringSteps = probe.worstMs();
    ASSERT_TRUE(waitUntil([&] { return panel->pendingCommands() == 0; }, 30000));
    EXPECT_LE(duringSteps, 50) << "the interface thread stalled while seeking";
    EXPECT_LE(probe.worstMs(), 50) << "the interface thread stalled while the last picture decoded";

    VoVideoConvertItem *item = w.cutTool()->currentItem();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->m_TrimStartTime, 30000000u);
    // The picture on screen is the one whose span holds 30 s; the clock says
    // where the user asked to be.
    EXPECT_EQ(Player_GetFrameTime(panel->player()), frameAt(frames, 30000000));
    EXPECT_TRUE(panel->timeText().startsWith(QStringLiteral("0:00:29.99"))
                || panel->timeText().startsWith(QStringLiteral("0:00:30.00")))
        << panel->timeText().toStdString();
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST(Responsiveness, ClosingOpeningAnotherFileOrConvertingWhileASeekDecodesNeitherBlocksNorCrashes)
{
    QTemporaryDir root;
    ParserXML::readItemValue("OutPut_path", "path_value", "");
    ParserXML::writeItemValue("OutPut_path", "path_value", root.path() + "/");
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        auto w = std::make_unique<MainWindow>();
        w->show();
        MessageWatcher messages;
        ASSERT_TRUE(importThroughSignal(*w, {fixture(kLongGop)}));
        ASSERT_EQ(itemCount(), 1);
        // The timeline asks for a picture nine seconds into a group.
        emit w->segmentManager()->sendPlayProToPlay(9900000);
        ASSERT_GT(w->playerPanel()->pendingCommands(), 0);
        if (round == 0) {
            QElapsedTimer t;
            t.start();
            w.reset();
            EXPECT_LT(t.elapsed(), 1000);
            continue;
        }
        if (round == 3) {
            // A mark still waiting for its picture goes with the window.
            QTest::keyClick(w.get(), Qt::Key_I);
            QTest::keyClick(w.get(), Qt::Key_Right, Qt::ControlModifier);
            ASSERT_TRUE(w->playerPanel()->isWaitingForPicture());
            QElapsedTimer t;
            t.start();
            w.reset();
            EXPECT_LT(t.elapsed(), 1000);
            continue;
        }
        if (round == 1 || round == 4) {
            // A mark waiting for the old file's picture never lands on the
            // new file's segment.
            if (round == 4) {
                QTest::keyClick(w.get(), Qt::Key_O);
                ASSERT_TRUE(w->playerPanel()->isWaitingForPicture());
            }
            ASSERT_TRUE(importThroughSignal(*w, {fixture("h264_aac.mp4")}));
            ASSERT_EQ(itemCount(), 1);
            EXPECT_TRUE(w->cutTool()->currentItem()->m_videoPath.endsWith("h264_aac.mp4"));
            ASSERT_TRUE(waitUntil([&] { return w->playerPanel()->pendingCommands() == 0; }));
            // The old file's picture never lands on the new one.
            EXPECT_LT(Player_GetFrameTime(w->playerPanel()->player()), 9000000u);
            const VoVideoConvertItem *item = w->cutTool()->currentItem();
            EXPECT_EQ(item->m_TrimEndTime, item->m_duration);
            EXPECT_FALSE(w->playerPanel()->isWaitingForPicture());
            EXPECT_TRUE(messages.texts.isEmpty());
            continue;
        }
        const QStringList before = outputsUnder(root.path());
        QTest::keyClick(w.get(), Qt::Key_Return, Qt::ControlModifier);
        EXPECT_TRUE(waitUntil([] { return MainWindow::isConverting(); }, 5000));
        EXPECT_TRUE(waitUntil([] { return !MainWindow::isConverting(); }, 120000));
        QStringList made = outputsUnder(root.path());
        for (const QString &f : before)
            made.removeAll(f);
        ASSERT_EQ(made.size(), 1) << made.join(' ').toStdString();
        const Probe p = probeFile(made.first());
        ASSERT_TRUE(p.ok);
        EXPECT_NEAR(p.duration, 32.0, 0.2);
    }
}
