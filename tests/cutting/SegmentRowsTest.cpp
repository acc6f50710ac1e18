// The segment rows and the page buttons, driven with the mouse: selection
// with modifiers, trim pairs shown and kept, drops between rows, and the
// window of visible page buttons.
#include "CListItemWgt.h"
#include "QButtonListDlg.h"
#include "QCustomTimeEdit.h"
#include "QDualSlider.h"
#include "QTextImageButton.h"
#include "QVideoConvertItem.h"
#include "VoVideoConvertItem.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr uint64_t sec = 1000000;

std::unique_ptr<VoVideoConvertItem> makeItem(uint64_t duration, uint64_t start, uint64_t end, int index = 0)
{
    auto item = std::make_unique<VoVideoConvertItem>();
    item->m_duration = duration;
    item->m_TrimStartTime = start;
    item->m_TrimEndTime = end;
    item->m_index = index;
    item->m_videoPath = QStringLiteral("/nowhere/clip.mp4");
    return item;
}

// Visible page buttons as their texts, left to right.
QStringList shownPages(const QButtonListDlg &pages)
{
    QStringList texts;
    for (int i = 0; i < pages.count(); ++i)
        if (!pages.button(i)->isHidden())
            texts << pages.button(i)->text();
    return texts;
}

bool dropOn(QWidget *target, QMimeData *data, QObject *source = nullptr)
{
    Q_UNUSED(source);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

} // namespace

TEST(SegmentRows, ModifierClicksFollowTheSelectionRules)
{
    CListItemWgt row;
    row.resize(200, 48);
    row.show();
    QSignalSpy press(&row, &CListItemWgt::emitMousePress);
    QSignalSpy shift(&row, &CListItemWgt::emitMouseShiftPress);
    QSignalSpy ctrl(&row, &CListItemWgt::emitMouseCtrlPress);
    QSignalSpy menu(&row, &CListItemWgt::emitshowTreeMenu);

    // Shift with the left button only reports itself.
    QTest::mousePress(&row, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 10));
    EXPECT_EQ(shift.count(), 1);
    EXPECT_EQ(press.count(), 0);
    EXPECT_EQ(row.state(), 0);

    // A plain click selects.
    QTest::mousePress(&row, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(row.state(), 2);
    EXPECT_EQ(press.count(), 1);

    // Ctrl on a selected row deselects and emits only the Ctrl signal.
    QTest::mousePress(&row, Qt::LeftButton, Qt::ControlModifier, QPoint(10, 10));
    EXPECT_EQ(row.state(), 0);
    EXPECT_EQ(ctrl.count(), 1);
    EXPECT_EQ(press.count(), 1);
    QTest::mousePress(&row, Qt::LeftButton, Qt::ControlModifier, QPoint(10, 10));
    EXPECT_EQ(row.state(), 2);

    // The right button selects an unselected row once, then asks for a menu.
    row.setState(0);
    QTest::mousePress(&row, Qt::RightButton, Qt::ShiftModifier, QPoint(10, 10));
    QTest::mousePress(&row, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(row.state(), 2);
    EXPECT_EQ(press.count(), 2);
    EXPECT_EQ(menu.count(), 2);

    // Ctrl+Shift is neither rule: a plain selection.
    row.setState(0);
    QTest::mousePress(&row, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, QPoint(10, 10));
    EXPECT_EQ(row.state(), 2);
    EXPECT_EQ(press.count(), 3);
}

TEST(SegmentRows, OpenEndShowsTheDurationAndIsStoredAsIt)
{
    auto item = makeItem(90 * sec, 30 * sec, 0);
    QVideoConvertItem row;
    row.resize(700, 48);
    row.show();
    row.setItem(item.get());
    EXPECT_EQ(item->m_TrimEndTime, 90 * sec);
    EXPECT_EQ(row.endTimeEdit()->time(), 90 * sec);
    EXPECT_EQ(row.startTimeEdit()->time(), 30 * sec);
    EXPECT_NEAR(row.rangeBar()->endFraction(), 1.0, 0.01);
    EXPECT_NEAR(row.rangeBar()->startFraction(), 1.0 / 3, 0.01);
    // An item without the current mark leaves both edits disabled.
    EXPECT_FALSE(row.startTimeEdit()->isEnabled());
    EXPECT_EQ(row.state(), 0);

    // The kept range survives a resize of the row.
    row.resize(500, 48);
    EXPECT_NEAR(row.rangeBar()->startFraction(), 1.0 / 3, 0.01);
    EXPECT_NEAR(row.rangeBar()->endFraction(), 1.0, 0.01);

    // A row given its item before it was laid out shows the range too.
    QVideoConvertItem early;
    early.setItem(item.get());
    early.resize(600, 48);
    early.show();
    EXPECT_NEAR(early.rangeBar()->startFraction(), 1.0 / 3, 0.01);
    EXPECT_NEAR(early.rangeBar()->endFraction(), 1.0, 0.01);

    // Reporting a pair reports an open end as the duration.
    QSignalSpy ends(&row, &QVideoConvertItem::emitEndTimeChange);
    row.setTrimReporting(10 * sec, 0);
    ASSERT_EQ(ends.count(), 1);
    EXPECT_EQ(ends.at(0).at(0).value<uint64_t>(), 90 * sec);
    EXPECT_EQ(row.startTimeEdit()->maximumTime(), 90 * sec);
}

TEST(SegmentRows, CurrentItemSelectsItsRowAndTypedTimesAreReported)
{
    auto item = makeItem(60 * sec, 0, 20 * sec);
    item->m_isCurrent = true;
    QVideoConvertItem row;
    row.resize(700, 48);
    row.show();
    QSignalSpy press(&row, &QVideoConvertItem::emitMousePress);
    row.setItem(item.get());
    EXPECT_EQ(press.count(), 1);
    EXPECT_EQ(row.state(), 2);
    EXPECT_TRUE(row.endTimeEdit()->isEnabled());

    QSignalSpy starts(&row, &QVideoConvertItem::emitStartTimeChange);
    row.startTimeEdit()->setTime(0);
    emit row.startTimeEdit()->emitTimeChange(5 * sec);
    ASSERT_EQ(starts.count(), 1);
    EXPECT_EQ(starts.at(0).at(0).value<uint64_t>(), 5 * sec);

    // Slots from the cut tool move the pair without reporting anything.
    row.startValueChange(0.25);
    row.endValueChange(0.5);
    EXPECT_EQ(item->m_TrimStartTime, 15 * sec);
    EXPECT_EQ(item->m_TrimEndTime, 30 * sec);
    EXPECT_EQ(row.endTimeEdit()->minimumTime(), 15 * sec);
    EXPECT_EQ(starts.count(), 1);
    row.ClickSelectChange(false);
    EXPECT_FALSE(item->m_isCurrent);
    EXPECT_FALSE(row.startTimeEdit()->isEnabled());
}

TEST(SegmentRows, DropsSwapByItemNumberAndRefuseForeignData)
{
    auto first = makeItem(60 * sec, 0, 10 * sec, 0);
    auto second = makeItem(60 * sec, 10 * sec, 20 * sec, 1);
    QVideoConvertItem a, b;
    a.setItem(first.get());
    b.setItem(second.get());
    QSignalSpy swapsOnB(&b, &QVideoConvertItem::emitSwapItem);
    QSignalSpy swapsOnA(&a, &QVideoConvertItem::emitSwapItem);

    std::unique_ptr<QMimeData> data(QVideoConvertItem::makeDragData(QPixmap(8, 8), a.itemIndex()));
    EXPECT_TRUE(dropOn(&b, data.get()));
    ASSERT_EQ(swapsOnB.count(), 1);
    EXPECT_EQ(swapsOnB.at(0).at(0).toInt(), 0);
    EXPECT_EQ(swapsOnB.at(0).at(1).toInt(), 1);

    // A row dropped on itself asks for the swap of itself with itself.
    EXPECT_TRUE(dropOn(&a, data.get()));
    ASSERT_EQ(swapsOnA.count(), 1);
    EXPECT_EQ(swapsOnA.at(0).at(0).toInt(), 0);
    EXPECT_EQ(swapsOnA.at(0).at(1).toInt(), 0);

    // Files dragged in from outside are not rows.
    QMimeData files;
    files.setText(QStringLiteral("1"));
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/x.mp4"))});
    EXPECT_FALSE(dropOn(&b, &files));
    EXPECT_EQ(swapsOnB.count(), 1);

    // Renumbered items are named by their new number.
    second->m_index = 0;
    std::unique_ptr<QMimeData> moved(QVideoConvertItem::makeDragData(QPixmap(8, 8), b.itemIndex()));
    EXPECT_EQ(moved->text(), QStringLiteral("0"));
}

TEST(PageButtons, EightButtonsScrollSixAtATime)
{
    QButtonListDlg pages;
    pages.show();
    EXPECT_EQ(pages.size(), QSize(179, 19));
    for (int i = 0; i < 6; ++i)
        pages.add(true);
    EXPECT_TRUE(pages.previousButton()->isHidden());
    EXPECT_TRUE(pages.nextButton()->isHidden());
    EXPECT_EQ(shownPages(pages), QStringList({"1", "2", "3", "4", "5", "6"}));

    pages.add(true);
    pages.add(true);
    EXPECT_EQ(shownPages(pages), QStringList({"3", "4", "5", "6", "7", "8"}));
    EXPECT_FALSE(pages.previousButton()->isHidden());
    EXPECT_TRUE(pages.nextButton()->isHidden());
    EXPECT_EQ(pages.selectedIndex(), 7);

    QTest::mouseClick(pages.previousButton(), Qt::LeftButton);
    EXPECT_EQ(shownPages(pages), QStringList({"2", "3", "4", "5", "6", "7"}));
    EXPECT_FALSE(pages.previousButton()->isHidden());
    EXPECT_FALSE(pages.nextButton()->isHidden());
    QTest::mouseClick(pages.previousButton(), Qt::LeftButton);
    QTest::mouseClick(pages.previousButton(), Qt::LeftButton);
    EXPECT_EQ(pages.firstVisible(), 0);
    EXPECT_TRUE(pages.previousButton()->isHidden());
    QTest::mouseClick(pages.nextButton(), Qt::LeftButton);
    QTest::mouseClick(pages.nextButton(), Qt::LeftButton);
    QTest::mouseClick(pages.nextButton(), Qt::LeftButton);
    EXPECT_EQ(pages.firstVisible(), 2);

    // Clicking a page reports its index once; clicking it again does not.
    QSignalSpy clicks(&pages, &QButtonListDlg::ClickIndex);
    QTest::mouseClick(pages.button(3), Qt::LeftButton);
    QTest::mouseClick(pages.button(3), Qt::LeftButton);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 3);
    EXPECT_TRUE(pages.button(3)->isSelected());
    EXPECT_FALSE(pages.button(7)->isSelected());

    // Removing keeps the last page full.
    pages.remove(7);
    pages.remove(6);
    EXPECT_EQ(shownPages(pages), QStringList({"1", "2", "3", "4", "5", "6"}));
    EXPECT_TRUE(pages.nextButton()->isHidden());
    EXPECT_TRUE(pages.previousButton()->isHidden());
}

TEST(PageButtons, RemovingTheSelectedButtonSelectsANeighbour)
{
    QButtonListDlg pages;
    for (int i = 0; i < 4; ++i)
        pages.add(i == 0);
    ASSERT_EQ(pages.selectedIndex(), 0);
    pages.remove(0);
    EXPECT_EQ(pages.selectedIndex(), 0);
    EXPECT_EQ(pages.button(0)->text(), QStringLiteral("1"));
    pages.select(2);
    pages.remove(2);
    EXPECT_EQ(pages.selectedIndex(), 1);
    pages.select(9); // out of range: ignored
    EXPECT_EQ(pages.selectedIndex(), 1);
    pages.remove(0);
    pages.remove(0);
    EXPECT_EQ(pages.count(), 0);
    EXPECT_EQ(pages.selectedIndex(), -1);
    pages.add(false);
    EXPECT_EQ(pages.selectedIndex(), -1);
    pages.clear();
    EXPECT_EQ(pages.count(), 0);
}
