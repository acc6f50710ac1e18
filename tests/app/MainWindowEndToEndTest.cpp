// A user's whole job in the real main window: open a file, mark segments
// with the keys at play positions, convert, and find the outputs. Only the
// window's own signals, buttons and keys drive it; ffprobe judges the files.
#include "ConfigState.h"
#include "FormatWidget.h"
#include "OutputFormatParams.h"
#include "MainWindowHelpers.h"
#include "MediaProbe.h"
#include "ParserXML.h"
#include "QCustomTimeEdit.h"
#include "QSimpleTimeLine.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <QAbstractButton>
#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <cmath>
#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

constexpr double kTolerance = 0.1; // seconds; cuts fall on key frames

struct Range {
    double start;
    double end;
};

// All files under the output root, newest last.
QStringList outputs()
{
    QStringList files;
    QDirIterator it(ConfigState::instance().converterPath(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

class EndToEnd : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        simple = GetParam();
        // What the mode buttons of the segment list store.
        ParserXML::readItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
        ParserXML::writeItemValue("LISTMODEL_ITEM", "ListModel_Line", simple ? "Y" : "N");
        ParserXML::readItemValue("OutPut_path", "path_value", "");
        ParserXML::writeItemValue("OutPut_path", "path_value", root.path() + "/");
    }

    void seek(MainWindow &w, double seconds) { seekLikeTheTimeline(w, seconds); }
    void chooseMode(MainWindow &w, bool highSpeed) { chooseOutputMode(w, highSpeed); }

    void key(MainWindow &w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(&w, k, m); }

    void open(MainWindow &w)
    {
        ASSERT_TRUE(importThroughSignal(w, {fixture("long_h264_aac.mp4")}));
        ASSERT_EQ(itemCount(), 1);
        ASSERT_TRUE(waitUntil([&] { return !w.playerPanel()->isPaused(); }));
        key(w, Qt::Key_Space); // pause
        ASSERT_TRUE(w.playerPanel()->isPaused());
    }

    // Marks a segment: end first, then start, since a start is never set
    // past the end.
    void mark(MainWindow &w, Range r)
    {
        seek(w, r.end);
        key(w, Qt::Key_O);
        seek(w, r.start);
        key(w, Qt::Key_I);
        ASSERT_TRUE(marksLanded(w));
        VoVideoConvertItem *item = w.cutTool()->currentItem();
        ASSERT_NE(item, nullptr);
        EXPECT_NEAR(item->m_TrimStartTime / 1e6, r.start, 0.05);
        EXPECT_NEAR(item->m_TrimEndTime / 1e6, r.end, 0.05);
    }

    QStringList convert(MainWindow &w)
    {
        const QStringList before = outputs();
        QSignalSpy state(w.segmentManager(), &QVideoCutManageDlg::emitIsStartConverter);
        key(w, Qt::Key_Return, Qt::ControlModifier);
        EXPECT_TRUE(waitUntil([&] { return MainWindow::isConverting(); }, 5000));
        EXPECT_TRUE(waitUntil([&] { return !MainWindow::isConverting(); }, 120000));
        QStringList made = outputs();
        for (const QString &f : before)
            made.removeAll(f);
        return made;
    }

    void expectOutputs(const QStringList &files, const QVector<double> &durations, bool video = true)
    {
        ASSERT_EQ(files.size(), durations.size()) << files.join(' ').toStdString();
        for (int i = 0; i < files.size(); ++i) {
            SCOPED_TRACE(files[i].toStdString());
            const Probe p = probeFile(files[i]);
            ASSERT_TRUE(p.ok);
            EXPECT_NEAR(p.duration, durations[i], kTolerance * (durations[i] > 4 ? 2 : 1));
            EXPECT_EQ(p.count("video"), video ? 1 : 0);
            EXPECT_EQ(p.count("audio"), 1);
        }
    }

    bool simple = false;
    QTemporaryDir root;
};

} // namespace

TEST_P(EndToEnd, OpenMarkThreeSegmentsAndConvertSeparateMergedAndEncoded)
{
    MessageWatcher messages;
    {
        MainWindow w;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        open(w);

        const Range ranges[] = {{2, 5}, {8, 11}, {14, 16}};
        mark(w, ranges[0]);
        for (int i = 1; i < 3; ++i) {
            key(w, Qt::Key_Insert);
            ASSERT_EQ(itemCount(), i + 1);
            mark(w, ranges[i]);
        }
        // The list holds the three ranges in order, each its own item.
        for (int i = 0; i < 3; ++i) {
            const VoVideoConvertItem *item = VoVideoConvertManager::instance()->itemAt(i);
            EXPECT_NEAR(item->m_TrimStartTime / 1e6, ranges[i].start, 0.05) << i;
            EXPECT_NEAR(item->m_TrimEndTime / 1e6, ranges[i].end, 0.05) << i;
        }

        // A run starts in Encoding mode; the user picks High-Speed.
        EXPECT_FALSE(OutputFormatParams::instance().lossless);
        chooseMode(w, true);
        const QStringList separate = convert(w);
        expectOutputs(separate, {3, 3, 2});
        for (const QString &f : separate)
            EXPECT_TRUE(f.endsWith(".mp4")) << f.toStdString();

        auto *merge = w.segmentManager()->findChild<QAbstractButton *>("m_chkMerger");
        ASSERT_NE(merge, nullptr);
        QTest::mouseClick(merge, Qt::LeftButton);
        ASSERT_TRUE(merge->isChecked());
        expectOutputs(convert(w), {8});

        // Back to Encoding mode with the stored format (MP4 H.264/AAC),
        // merged again: one file of re-encoded pictures.
        chooseMode(w, false);
        const QStringList encoded = convert(w);
        expectOutputs(encoded, {8});
        const Probe p = probeFile(encoded.value(0));
        ASSERT_NE(p.first("video"), nullptr);
        EXPECT_EQ(p.first("video")->codec, "h264");
        EXPECT_TRUE(encoded.value(0).endsWith(".mp4"));
    }
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();
}

// A partial download: the header declares 10 s, the data ends about half
// way. The user is told on opening, and the player, the cut tool, the ruler
// and the output all stop where the data does.
TEST_P(EndToEnd, APartialDownloadIsToldOnOpeningAndEndsWhereItsDataEnds)
{
    const QString partial = fixture("partial.mkv");
    // ffprobe's word: the declared length, and the end of the last packet.
    const Probe probe = probeFile(partial);
    ASSERT_TRUE(probe.ok);
    double dataEnd = 0;
    for (const ProbedStream &st : probe.streams)
        for (const ProbedPacket &p : probePackets(partial, st.index))
            if (!std::isnan(p.pts))
                dataEnd = std::max(dataEnd, p.pts + (std::isnan(p.duration) ? 0 : p.duration));
    ASSERT_GT(probe.duration - dataEnd, 2.0) << "the fixture is no partial file";

    MessageWatcher messages;
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(importThroughSignal(w, {partial}));
    ASSERT_EQ(itemCount(), 1);
    ASSERT_TRUE(waitUntil([&] { return messages.texts.size() == 1; }));
    const QRegularExpression notice(
        "^This file ends at (\\d+):(\\d\\d):(\\d\\d\\.\\d) although it declares (\\d+):(\\d\\d):(\\d\\d\\.\\d) "
        "— it may be an unfinished download\\.$");
    const QRegularExpressionMatch m = notice.match(messages.texts.first());
    ASSERT_TRUE(m.hasMatch()) << messages.texts.first().toStdString();
    auto seconds = [&](int first) {
        return m.captured(first).toInt() * 3600 + m.captured(first + 1).toInt() * 60 + m.captured(first + 2).toDouble();
    };
    EXPECT_NEAR(seconds(1), dataEnd, 0.15);
    EXPECT_NEAR(seconds(4), probe.duration, 0.06);

    EXPECT_NEAR(w.playerPanel()->duration() / 1e6, dataEnd, 0.15);
    EXPECT_NEAR(w.cutTool()->endTimeEdit()->time() / 1e6, dataEnd, 0.15);
    EXPECT_NEAR(w.cutTool()->endTimeEdit()->maximumTime() / 1e6, dataEnd, 0.15);
    EXPECT_NEAR(w.segmentManager()->timeLine()->total() / 1e6, dataEnd, 0.15);
    EXPECT_TRUE(w.playerPanel()->timeText().endsWith(QVideoPlayDlg::formatTime(w.playerPanel()->duration())))
        << w.playerPanel()->timeText().toStdString();

    // The whole file, copied: the output holds what the data holds, and no
    // note about a source that ended early follows.
    chooseMode(w, true);
    const QStringList made = convert(w);
    expectOutputs(made, {dataEnd});
    EXPECT_EQ(messages.texts.size(), 1) << messages.texts.join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Modes, EndToEnd, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "SimpleMode" : "FreeMode"; });

namespace {

// Frame-exact cuts asked for where the engine cannot make them.
class FrameExactFallBack : public EndToEnd {
protected:
    // High-Speed mode with frame-exact cuts on, through the format dialog.
    void chooseFrameExact(MainWindow &w)
    {
        bool answered = false;
        QTimer::singleShot(0, &w, [&] {
            FormatWidget *dialog = nullptr;
            ASSERT_TRUE(waitUntil([&] { return (dialog = qobject_cast<FormatWidget *>(QApplication::activeModalWidget())); }));
            QWidget *radio = dialog->findChild<QWidget *>("m_radLosslessMode");
            ASSERT_NE(radio, nullptr);
            QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(8, radio->height() / 2));
            auto *exact = dialog->findChild<QAbstractButton *>("m_chkFrameExact");
            ASSERT_NE(exact, nullptr);
            if (!exact->isChecked())
                QTest::mouseClick(exact, Qt::LeftButton, Qt::NoModifier, QPoint(8, exact->height() / 2));
            ASSERT_TRUE(exact->isChecked());
            QTest::mouseClick(dialog->findChild<QAbstractButton *>("m_btnOk"), Qt::LeftButton);
            answered = true;
        });
        QTest::mouseClick(w.cutTool()->findChild<QAbstractButton *>("m_btnFormat"), Qt::LeftButton);
        ASSERT_TRUE(answered);
        ASSERT_TRUE(OutputFormatParams::instance().lossless);
    }
};

} // namespace

// An MPEG-2 recording cut frame-exactly: the engine cannot match its
// pictures and cuts at key frames; once the conversion is done the window
// says so for the output, with the reason.
TEST_P(FrameExactFallBack, TheWindowSaysWhyAnOutputIsNotFrameExact)
{
    MessageWatcher messages;
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(importThroughSignal(w, {fixture("mpeg2_broadcast.ts")}));
    ASSERT_EQ(itemCount(), 1);
    ASSERT_TRUE(waitUntil([&] { return !w.playerPanel()->isPaused(); }));
    key(w, Qt::Key_Space);
    chooseFrameExact(w);
    // The marks land on the pictures of a recording that starts mid-stream;
    // where exactly does not matter here.
    seek(w, 3.1);
    key(w, Qt::Key_O);
    seek(w, 1.3);
    key(w, Qt::Key_I);
    ASSERT_TRUE(marksLanded(w));
    ASSERT_LT(w.cutTool()->currentItem()->m_TrimStartTime + 1000000, w.cutTool()->currentItem()->m_TrimEndTime);
    const QStringList made = convert(w);
    ASSERT_EQ(made.size(), 1);
    ASSERT_TRUE(probeFile(made[0]).ok);
    ASSERT_TRUE(waitUntil([&] { return !messages.texts.isEmpty(); }, 5000)) << "no word about the fallback";
    ASSERT_EQ(messages.texts.size(), 1) << messages.texts.join('|').toStdString();
    const QString note = messages.texts.first();
    EXPECT_TRUE(note.startsWith(QFileInfo(made[0]).fileName() + " is not frame-exact: it was cut at key frames ("))
        << note.toStdString();
    EXPECT_TRUE(note.contains("mpeg2video")) << note.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Mode, FrameExactFallBack, ::testing::Values(false),
                         [](const auto &) { return std::string("FreeMode"); });
