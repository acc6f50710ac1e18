// Times typed into the edits of the whole window, as a user types them:
// a click into the field, Ctrl+A, the digits, then Return or Tab, in the cut
// tool and in the current segment row, with the start already past 0; and
// the cut tool's hint on where the output starts, as the output mode and
// the frame-exact choice change in the format dialog.
#include "MainWindowHelpers.h"
#include "FormatWidget.h"
#include "OutputFormatParams.h"
#include "ParserXML.h"
#include "QCustomTimeEdit.h"
#include "QImageButton.h"
#include "QTimeEditEx.h"
#include "QVideoConvertItem.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
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
