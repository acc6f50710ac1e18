// The main window between its panels: Simple Mode bounds, the limits on
// adding segments, the keyboard, the title bar and the centring rule.
#include "MainWindowHelpers.h"
#include "ParserXML.h"
#include "QCustomTimeEdit.h"
#include "QImageButton.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"
#include "TestSupport.h"
#include "TimeItemInfo.h"
#include "VoVideoConvertItem.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QSignalSpy>
#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

const QString kNoRoom = QStringLiteral(
    "Adding segment failed. Please drag segment to leave some space at the end \nor switch to the \"Free Mode\".");

void setMode(bool simple)
{
    ParserXML::readItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
    ParserXML::writeItemValue("LISTMODEL_ITEM", "ListModel_Line", simple ? "Y" : "N");
}

VoVideoConvertItem *item(int i) { return VoVideoConvertManager::instance()->itemAt(i); }

} // namespace

TEST(MainWindowPanels, SimpleModeKeepsSegmentsApartAndNeedsRoomAtTheEnd)
{
    setMode(true);
    MainWindow w;
    w.show();
    MessageWatcher messages;
    ASSERT_TRUE(importThroughSignal(w, {fixture("long_h264_aac.mp4")}));
    ASSERT_EQ(itemCount(), 1);
    const uint64_t d = item(0)->m_duration;
    ASSERT_GT(d, 19000000u);

    // The first segment covers the whole timeline: no room for another.
    QTest::keyClick(&w, Qt::Key_Insert);
    ASSERT_TRUE(waitUntil([&] { return messages.texts.size() == 1; }));
    EXPECT_EQ(messages.texts.first(), kNoRoom);
    EXPECT_EQ(itemCount(), 1);

    // End the first at 25 %, then a second segment fills the rest.
    emit w.cutTool()->emitEndValueChange(0.25);
    EXPECT_NEAR(double(item(0)->m_TrimEndTime) / d, 0.25, 0.001);
    QTest::keyClick(&w, Qt::Key_Insert);
    ASSERT_EQ(itemCount(), 2);
    EXPECT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(w.cutTool()->currentItem(), item(1));
    EXPECT_GE(item(1)->m_TrimStartTime, item(0)->m_TrimEndTime);

    // Dragging its start handle left of the first segment's end stops there.
    emit w.cutTool()->emitStartValueChange(0.05);
    const TimeItemInfo info = w.segmentManager()->currentTimeItemInfo();
    EXPECT_NEAR(info.startPos, info.minStart, 1e-6);
    EXPECT_GE(info.minStart, 0.25f);
    EXPECT_GE(item(1)->m_TrimStartTime, item(0)->m_TrimEndTime);
    EXPECT_EQ(w.cutTool()->trimStart(), item(1)->m_TrimStartTime);
    // A typed start time is held at the same bound.
    emit w.cutTool()->emitStartTimeChange(1000000);
    EXPECT_GE(item(1)->m_TrimStartTime, item(0)->m_TrimEndTime);
    // And the end cannot pass the end of the file's timeline.
    emit w.cutTool()->emitEndValueChange(1.0);
    EXPECT_LE(item(1)->m_TrimEndTime, d);
    EXPECT_EQ(item(0)->m_TrimEndTime, uint64_t(double(d) * 0.25));
}

TEST(MainWindowPanels, FreeModeNeverMakesTheHundredAndFirstItem)
{
    setMode(false);
    MainWindow w;
    w.show();
    MessageWatcher messages;
    ASSERT_TRUE(importThroughSignal(w, {fixture("h264_aac.mp4")}));
    QAbstractButton *add = w.segmentManager()->findChild<QAbstractButton *>("m_btnAddItem");
    ASSERT_NE(add, nullptr);
    for (int i = 0; i < 110; ++i)
        add->click();
    EXPECT_EQ(itemCount(), 100);
    EXPECT_TRUE(messages.texts.isEmpty());
    // The newest copy is current and the only one marked so.
    int current = 0;
    for (int i = 0; i < itemCount(); ++i)
        current += item(i)->m_isCurrent ? 1 : 0;
    EXPECT_EQ(current, 1);
    EXPECT_TRUE(item(99)->m_isCurrent);
    EXPECT_EQ(w.cutTool()->currentItem(), item(99));
}

TEST(MainWindowPanels, KeysPressTheButtonsButNeverWhileATextFieldHasFocus)
{
    setMode(false);
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    MessageWatcher messages;
    ASSERT_TRUE(importThroughSignal(w, {fixture("long_h264_aac.mp4")}));
    QVideoPlayDlg *play = w.playerPanel();
    ASSERT_TRUE(waitUntil([&] { return !play->isPaused(); }));

    QTest::keyClick(&w, Qt::Key_Space);
    EXPECT_TRUE(play->isPaused());
    QTest::keyClick(&w, Qt::Key_Space);
    EXPECT_FALSE(play->isPaused());
    QTest::keyClick(&w, Qt::Key_Space);

    emit w.segmentManager()->sendPlayProToPlay(6000000);
    QTest::keyClick(&w, Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_I);
    ASSERT_TRUE(marksLanded(w));
    EXPECT_NEAR(item(0)->m_TrimStartTime / 1e6, 7.0, 0.05); // the next key frame
    // The clock shows the picture the step landed on, mark or no mark.
    EXPECT_TRUE(play->timeText().startsWith(QStringLiteral("0:00:07.00"))) << play->timeText().toStdString();
    QTest::keyClick(&w, Qt::Key_Left, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_Left, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_O);
    ASSERT_TRUE(marksLanded(w));
    EXPECT_GE(item(0)->m_TrimEndTime, item(0)->m_TrimStartTime); // never before the start

    // In a time edit the same keys edit the time.
    QCustomTimeEdit *edit = w.cutTool()->startTimeEdit();
    auto *line = edit->findChild<QAbstractSpinBox *>();
    ASSERT_NE(line, nullptr);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    line->setFocus();
    ASSERT_TRUE(waitUntil([&] { return line->hasFocus(); }, 2000));
    const bool pausedBefore = play->isPaused();
    const uint64_t startBefore = item(0)->m_TrimStartTime;
    QTest::keyClick(line, Qt::Key_Space);
    QTest::keyClick(line, Qt::Key_I);
    QTest::keyClick(line, Qt::Key_Insert);
    EXPECT_EQ(play->isPaused(), pausedBefore);
    EXPECT_EQ(itemCount(), 1);
    EXPECT_EQ(item(0)->m_TrimStartTime, startBefore);
    line->clearFocus();

    QTest::keyClick(&w, Qt::Key_Plus);
    EXPECT_EQ(itemCount(), 2);
    QTest::keyClick(&w, Qt::Key_Delete);
    EXPECT_EQ(itemCount(), 1);
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();

    // The keys are named where the buttons explain themselves.
    auto tip = [&](QWidget *panel, const char *name) {
        auto *b = panel->findChild<QAbstractButton *>(QLatin1String(name));
        return b ? b->toolTip() : QString();
    };
    QTRY_VERIFY2(tip(play, "m_btnPlay").endsWith("(Space)"), qPrintable(tip(play, "m_btnPlay")));
    QTRY_VERIFY(tip(w.cutTool(), "m_btnStartSet").endsWith("(I)"));
    QTRY_VERIFY(tip(w.cutTool(), "m_btnConvert").endsWith("(Ctrl+Return)"));
}

TEST(MainWindowPanels, TitleBarSizesAndTheCentringRule)
{
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.minimumSize(), QSize(720, 520));
    EXPECT_EQ(w.playerPanel()->minimumHeight(), 300);
    EXPECT_EQ(w.cutTool()->height(), 110);
    const int width = w.width();
    auto at = [&](const char *name) { return w.findChild<QImageButton *>(QLatin1String(name))->geometry(); };
    EXPECT_EQ(at("m_btnClose").topLeft(), QPoint(width - 25, 0));
    EXPECT_EQ(at("m_btnMax").topLeft(), QPoint(width - 50, 0));
    // No two buttons overlap.
    const QList<QRect> buttons{at("m_btnClose"), at("m_btnMax"), at("m_btnMin"), at("m_btnMenu")};
    for (int i = 0; i < buttons.size(); ++i)
        for (int j = i + 1; j < buttons.size(); ++j)
            EXPECT_FALSE(buttons[i].intersects(buttons[j])) << i << " " << j;
    w.resize(900, 600);
    EXPECT_EQ(at("m_btnClose").topLeft(), QPoint(900 - 25, 0));

    // The list opening grows the window and raises its minimum; closing
    // gives the height back.
    const int h = w.height();
    w.showVideoList(195, true);
    EXPECT_EQ(w.minimumSize(), QSize(710, 715));
    w.showVideoList(195, false);
    EXPECT_EQ(w.minimumSize(), QSize(710, 520));
    EXPECT_LE(w.height(), qMax(h, 520));

    EXPECT_EQ(MainWindow::centredTopLeft(QRect(100, 100, 720, 530), QSize(320, 170)), QPoint(300, 280));
    EXPECT_EQ(MainWindow::centredTopLeft(QRect(-300, 0, 400, 100), QSize(320, 170)), QPoint(50, 50));
}
