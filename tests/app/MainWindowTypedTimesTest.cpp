// Times typed into the edits of the whole window, as a user types them:
// a click into the field, Ctrl+A, the digits, then Return or Tab, in the cut
// tool and in the current segment row, with the start already past 0; and
// the cut tool's hint on where the output starts, as the output mode and
// the frame-exact choice change in the format dialog.
#include "MainWindowHelpers.h"
#include "ConfigState.h"
#include "FormatWidget.h"
#include "MediaProbe.h"
#include "OutputFormatParams.h"
#include "ParserXML.h"
#include "QCustomTimeEdit.h"
#include "QImageButton.h"
#include "QSimpleTimeLine.h"
#include "QTimeContainer.h"
#include "QTimeItem.h"
#include "QTimeEditEx.h"
#include "QVideoConvertItem.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <QAbstractButton>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

constexpr uint64_t kMs = 1000;

void freeMode()
{
    ParserXML::readItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
    ParserXML::writeItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
}

QString shown(QCustomTimeEdit *edit) { return edit->timeEdit()->text(); }

QString clock(uint64_t us) { return QCustomTimeEdit::fromMicroseconds(us).toString(QStringLiteral("hh:mm:ss.zzz")); }

// The decoded picture at a time of a file (or its first one), as ffmpeg
// hashes it.
QByteArray pictureHash(const QString &file, const QString &at = {})
{
    QStringList args{"-v", "error"};
    if (!at.isEmpty())
        args << "-ss" << at;
    args << "-i" << file << "-frames:v" << "1" << "-f" << "framemd5" << "-";
    const testsupport::ProcessResult r = testsupport::runProcess("ffmpeg", args);
    const QList<QByteArray> lines = r.out.trimmed().split('\n');
    return r.exitCode == 0 && !lines.isEmpty() ? lines.last().split(',').last().trimmed() : QByteArray();
}

// Click into the field, select everything, type, confirm.
void typeTime(QCustomTimeEdit *edit, const QString &text, Qt::Key confirm = Qt::Key_Return)
{
    QLineEdit *line = edit->timeEdit()->editor();
    QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, line->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return edit->timeEdit()->hasFocus(); }, 2000)) << text.toStdString();
    QTest::keyClick(edit->timeEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit->timeEdit(), text);
    QTest::keyClick(edit->timeEdit(), confirm);
}

QCustomTimeEdit *rowEdit(QVideoConvertItem *row, const char *name)
{
    auto *edit = row ? row->findChild<QCustomTimeEdit *>(QLatin1String(name)) : nullptr;
    EXPECT_NE(edit, nullptr) << name;
    return edit;
}

// Opens the format dialog with the cut tool's button and accepts it with
// High-Speed or Encoding mode and frame-exact cuts on or off.
void chooseOutput(MainWindow &w, bool highSpeed, bool frameExact)
{
    bool answered = false;
    QTimer::singleShot(0, &w, [&] {
        FormatWidget *dialog = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (dialog = qobject_cast<FormatWidget *>(QApplication::activeModalWidget())); }));
        QWidget *radio = dialog->findChild<QWidget *>(highSpeed ? "m_radLosslessMode" : "m_radCustomize");
        ASSERT_NE(radio, nullptr);
        QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(8, radio->height() / 2));
        if (highSpeed) {
            auto *exact = dialog->findChild<QAbstractButton *>("m_chkFrameExact");
            ASSERT_NE(exact, nullptr);
            if (exact->isChecked() != frameExact)
                QTest::mouseClick(exact, Qt::LeftButton, Qt::NoModifier, QPoint(8, exact->height() / 2));
            ASSERT_EQ(exact->isChecked(), frameExact);
        }
        auto *ok = dialog->findChild<QAbstractButton *>("m_btnOk");
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
        answered = true;
    });
    auto *format = w.cutTool()->findChild<QAbstractButton *>("m_btnFormat");
    ASSERT_NE(format, nullptr);
    QTest::mouseClick(format, Qt::LeftButton);
    ASSERT_TRUE(answered);
    ASSERT_EQ(OutputFormatParams::instance().lossless, highSpeed);
}

} // namespace

TEST(MainWindowTypedTimes, TypedStartAndEndBecomeTheSegmentInTheCutToolAndTheRow)
{
    freeMode();
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    MessageWatcher messages;
    ASSERT_TRUE(importThroughSignal(w, {fixture("long_h264_aac.mp4")}));
    // The loading dialog had the activation; the user is back in the window.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    VoVideoConvertItem *item = w.cutTool()->currentItem();
    ASSERT_NE(item, nullptr);
    const uint64_t d = item->m_duration;
    ASSERT_GT(d, 19000 * kMs);
    QCustomTimeEdit *start = w.cutTool()->startTimeEdit();
    QCustomTimeEdit *end = w.cutTool()->endTimeEdit();

    // The cut tool: the start first, then the end, both inside the file.
    typeTime(start, QStringLiteral("00:00:12.000"));
    EXPECT_EQ(item->m_TrimStartTime, 12000 * kMs);
    typeTime(end, QStringLiteral("00:00:17.000"));
    EXPECT_EQ(item->m_TrimEndTime, 17000 * kMs);
    EXPECT_EQ(shown(end), QStringLiteral("00:00:17.000"));
    EXPECT_EQ(item->m_TrimStartTime, 12000 * kMs);
    // A start typed again and confirmed by leaving the field.
    typeTime(start, QStringLiteral("00:00:14.500"), Qt::Key_Tab);
    ASSERT_TRUE(waitUntil([&] { return !start->timeEdit()->hasFocus(); }, 2000));
    EXPECT_EQ(item->m_TrimStartTime, 14500 * kMs);
    EXPECT_EQ(shown(start), QStringLiteral("00:00:14.500"));
    // An end before the start is held at the start, and the user is told.
    typeTime(end, QStringLiteral("00:00:09.000"));
    EXPECT_EQ(item->m_TrimEndTime, 14500 * kMs);
    EXPECT_EQ(shown(end), QStringLiteral("00:00:14.500"));
    ASSERT_NE(end->note(), nullptr);
    EXPECT_TRUE(end->note()->isVisible());
    EXPECT_TRUE(end->note()->text().contains(QStringLiteral("00:00:14.500"))) << end->note()->text().toStdString();
    // Past the end of the file: the end of the file.
    typeTime(end, QStringLiteral("00:05:00.000"));
    EXPECT_EQ(item->m_TrimEndTime / kMs, d / kMs);
    EXPECT_TRUE(end->note()->isVisible());
    typeTime(end, QStringLiteral("00:00:17.000"));
    EXPECT_EQ(item->m_TrimEndTime, 17000 * kMs);
    EXPECT_FALSE(end->note()->isVisible());
    // Esc drops what was typed and gives the keys back to the player.
    typeTime(end, QStringLiteral("00:00:13.000"), Qt::Key_Escape);
    ASSERT_TRUE(waitUntil([&] { return !end->timeEdit()->hasFocus(); }, 2000));
    EXPECT_EQ(item->m_TrimEndTime, 17000 * kMs);
    EXPECT_EQ(shown(end), QStringLiteral("00:00:17.000"));

    // The current segment row shows the same pair and edits it the same way.
    if (!w.segmentManager()->isListExpanded())
        QTest::mouseClick(w.segmentManager()->findChild<QImageButton *>("m_btnShowList"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return w.segmentManager()->isListExpanded(); }, 5000));
    QVideoConvertItem *row = w.segmentManager()->currentEntry();
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(row->item(), item);
    QCustomTimeEdit *rowStart = rowEdit(row, "m_startTimeEdit");
    QCustomTimeEdit *rowEnd = rowEdit(row, "m_endTimeEdit");
    ASSERT_TRUE(rowEnd && rowStart);
    ASSERT_TRUE(waitUntil([&] { return rowEnd->isVisible() && rowEnd->isEnabled(); }, 5000));
    EXPECT_EQ(shown(rowStart), QStringLiteral("00:00:14.500"));
    EXPECT_EQ(shown(rowEnd), QStringLiteral("00:00:17.000"));

    typeTime(rowEnd, QStringLiteral("00:00:16.250"));
    EXPECT_EQ(item->m_TrimEndTime, 16250 * kMs);
    EXPECT_EQ(shown(rowEnd), QStringLiteral("00:00:16.250"));
    EXPECT_EQ(shown(end), QStringLiteral("00:00:16.250"));
    typeTime(rowStart, QStringLiteral("00:00:05.000"), Qt::Key_Tab);
    ASSERT_TRUE(waitUntil([&] { return item->m_TrimStartTime == 5000 * kMs; }, 2000));
    EXPECT_EQ(shown(start), QStringLiteral("00:00:05.000"));
    typeTime(rowEnd, QStringLiteral("00:00:08.000"));
    EXPECT_EQ(item->m_TrimEndTime, 8000 * kMs);
    EXPECT_EQ(item->m_TrimStartTime, 5000 * kMs);
    // A start past the end, typed in the row, is held at the end.
    typeTime(rowStart, QStringLiteral("00:00:11.000"));
    EXPECT_EQ(item->m_TrimStartTime, 8000 * kMs);
    EXPECT_EQ(shown(rowStart), QStringLiteral("00:00:08.000"));
    ASSERT_NE(rowStart->note(), nullptr);
    EXPECT_TRUE(rowStart->note()->isVisible());
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();
}

TEST(MainWindowTypedTimes, TheStartHintFollowsTheOutputModeAndTheFrameExactChoice)
{
    freeMode();
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    MessageWatcher messages;
    // Key frames at 0, 3.2, 10.4, 12.8 and 20 s.
    ASSERT_TRUE(importThroughSignal(w, {fixture("gop_h264.mp4")}));
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QVideoCutDlg *cut = w.cutTool();
    ASSERT_TRUE(waitUntil([&] { return cut->keyFrames().size() == 5; }));
    auto *hint = cut->findChild<QLabel *>("m_labKeyHint");
    ASSERT_NE(hint, nullptr);
    typeTime(cut->startTimeEdit(), QStringLiteral("00:00:05.000"));
    ASSERT_EQ(cut->trimStart(), 5000 * kMs);
    EXPECT_TRUE(hint->isHidden()); // Encoding mode starts where asked

    chooseOutput(w, true, false);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), QStringLiteral("starts at 0:00:03.200, key frame"));

    chooseOutput(w, true, true);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), QStringLiteral("starts at 0:00:05.000, frame-exact"));

    chooseOutput(w, true, false);
    EXPECT_EQ(hint->text(), QStringLiteral("starts at 0:00:03.200, key frame"));
    chooseOutput(w, false, false);
    EXPECT_TRUE(hint->isHidden());
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();
}

// Simple Mode on a two-hour file, segments 0:00:00–1:00:00 and
// 1:01:40–1:03:20: a start typed into the second segment before the first
// one's end becomes that end to the microsecond, one at or after it stands
// as typed, and the segment never empties, whatever the window's width
// (a column of the timeline is several seconds here). The converted output
// starts on that very picture.
TEST(MainWindowTypedTimes, OnTheTimelineATypedStartStopsAtThePreviousEndToTheMicrosecondAtAnyWidth)
{
    constexpr uint64_t kS = 1000 * kMs;
    ParserXML::readItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
    ParserXML::writeItemValue("LISTMODEL_ITEM", "ListModel_Line", "Y");
    QTemporaryDir root;
    ParserXML::readItemValue("OutPut_path", "path_value", "");
    ParserXML::writeItemValue("OutPut_path", "path_value", root.path() + "/");
    MessageWatcher messages;
    const QString source = fixture("two_hours.mp4");
    for (int width : {1000, 1600}) {
        SCOPED_TRACE(width);
        MainWindow w;
        w.resize(width, 700);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        ASSERT_TRUE(importThroughSignal(w, {source}));
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        ASSERT_EQ(w.width(), width);
        ASSERT_TRUE(w.segmentManager()->isSimpleMode());
        QCustomTimeEdit *start = w.cutTool()->startTimeEdit();
        QCustomTimeEdit *end = w.cutTool()->endTimeEdit();
        VoVideoConvertItem *first = w.cutTool()->currentItem();
        ASSERT_NE(first, nullptr);
        ASSERT_EQ(first->m_duration, 7200 * kS);
        // The file plays once open; the user stops it before typing.
        ASSERT_TRUE(waitUntil([&] { return !w.playerPanel()->isPaused(); }));
        QTest::keyClick(&w, Qt::Key_Space);
        ASSERT_TRUE(waitUntil([&] { return w.playerPanel()->isPaused(); }));

        typeTime(end, QStringLiteral("01:00:00.000"));
        ASSERT_EQ(first->m_TrimEndTime, 3600 * kS);
        auto *add = w.segmentManager()->findChild<QAbstractButton *>("m_btnAddItem");
        ASSERT_NE(add, nullptr);
        QTest::mouseClick(add, Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return itemCount() == 2 && w.cutTool()->currentItem() != first; }, 5000));
        VoVideoConvertItem *second = w.cutTool()->currentItem();
        typeTime(start, QStringLiteral("01:01:40.000"));
        typeTime(end, QStringLiteral("01:03:20.000"));
        ASSERT_EQ(second->m_TrimStartTime, 3700 * kS);
        ASSERT_EQ(second->m_TrimEndTime, 3800 * kS);

        QTimeContainer *boxes = w.segmentManager()->timeLine()->container();
        ASSERT_EQ(boxes->count(), 2);
        const struct {
            const char *typed;
            uint64_t expected;
        } cases[] = {
            {"00:59:56.000", 3600 * kS}, // before the previous end: that end
            {"00:30:00.000", 3600 * kS},
            {"01:00:00.000", 3600 * kS}, // at it
            {"01:00:03.000", 3603 * kS}, // after it: as typed
            {"01:00:00.001", 3600 * kS + kMs},
        };
        for (const auto &c : cases) {
            SCOPED_TRACE(c.typed);
            typeTime(start, QStringLiteral("01:01:40.000"));
            ASSERT_EQ(second->m_TrimStartTime, 3700 * kS);
            typeTime(start, QLatin1String(c.typed));
            EXPECT_EQ(second->m_TrimStartTime, c.expected);
            EXPECT_EQ(second->m_TrimEndTime, 3800 * kS);
            EXPECT_EQ(shown(start), clock(c.expected));
            EXPECT_EQ(first->m_TrimStartTime, 0u);
            EXPECT_EQ(first->m_TrimEndTime, 3600 * kS);
            // The boxes draw it: side by side, the second not empty.
            EXPECT_GT(boxes->items().at(1)->x(), boxes->items().at(0)->rightEdge());
            EXPECT_GT(boxes->items().at(1)->width(), 1);
        }

        if (width != 1600)
            continue;
        typeTime(start, QStringLiteral("00:59:56.000"));
        ASSERT_EQ(second->m_TrimStartTime, 3600 * kS);
        chooseOutput(w, true, false); // a stream copy: every frame is a key frame
        auto *convert = w.cutTool()->findChild<QAbstractButton *>("m_btnConvert");
        ASSERT_NE(convert, nullptr);
        QTest::mouseClick(convert, Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return MainWindow::isConverting(); }, 5000));
        ASSERT_TRUE(waitUntil([&] { return !MainWindow::isConverting(); }, 120000));
        QStringList made;
        QDirIterator it(ConfigState::instance().converterPath(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            made << it.next();
        QString cut;
        for (const QString &file : made)
            if (std::abs(probeFile(file).duration - 200.0) < 0.6)
                cut = file;
        ASSERT_FALSE(cut.isEmpty()) << made.join(' ').toStdString();
        const QByteArray picture = pictureHash(cut);
        ASSERT_FALSE(picture.isEmpty());
        EXPECT_EQ(picture, pictureHash(source, "3600"));
        EXPECT_NE(picture, pictureHash(source, "3596"));
    }
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();
}
