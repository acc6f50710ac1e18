// The segment timeline worked with the mouse as a user works it: presses go
// to the widget under the pointer and bubble up, moves and the release go
// to the widget that took the press.
#include "QDrawLine.h"
#include "QDualSlider.h"
#include "QSliderCtrlBtn.h"
#include "QSimpleTimeLine.h"
#include "QTimeContainer.h"
#include "QTimeControl.h"
#include "QTimeItem.h"
#include "QVoBaseButton.h"
#include "TimelineDriver.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr uint64_t kSecond = 1000000ULL;

// 620 wide: the axis and the segment area span 600 columns.
struct Timeline {
    QSimpleTimeLine line;
    timelinetest::Mouse mouse{&line};
    QSignalSpy infos{&line, &QSimpleTimeLine::emitTimeItemInfoChange};
    Timeline()
    {
        line.resize(620, 200);
        line.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&line));
    }
    QTimeContainer *c() const { return line.container(); }
    QTimeItem *box(int i) const { return c()->items().at(i); }
    int W() const { return c()->width(); }
    // Timeline point of a container column at mid height.
    QPoint at(int column) const { return QPoint(10 + column, 38 + c()->height() / 2); }
    void add(int left, int width)
    {
        const float w = float(W());
        line.addTrimTime(TimeItemInfo{left / w, (left + width) / w, width / w, 0, 0});
    }
    TimeItemInfo lastInfo() const { return infos.last().at(0).value<TimeItemInfo>(); }
    void holdForMove()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return c()->dragMode() == QTimeContainer::DragMove; }, 2000));
    }
};

} // namespace

TEST(TimelineRuler, StepTableAndLabels)
{
    QTimeControl ruler;
    ruler.resize(600, 37);
    // Before any duration: one hour of ticks, no labels; the same after a reset.
    EXPECT_EQ(ruler.total(), 3600 * kSecond);
    EXPECT_FALSE(ruler.labelsShown());
    EXPECT_EQ(ruler.ticks().size(), 31);

    ruler.setTime(3600 * kSecond);
    EXPECT_TRUE(ruler.labelsShown());
    EXPECT_EQ(ruler.step(), 120 * kSecond);
    const auto hour = ruler.ticks();
    ASSERT_EQ(hour.size(), 31);
    int majors = 0;
    for (int i = 0; i < hour.size(); ++i) {
        EXPECT_EQ(hour[i].major, i % 5 == 0);
        majors += hour[i].major;
    }
    EXPECT_EQ(majors, 7);
    EXPECT_EQ(hour.first().x, 1);
    EXPECT_EQ(hour.last().x, 601);
    EXPECT_EQ(QTimeControl::label(0), QStringLiteral("00:00:00.00"));
    EXPECT_EQ(QTimeControl::label(600 * kSecond), QStringLiteral("00:10:00.00"));
    EXPECT_EQ(QTimeControl::label(3600 * kSecond), QStringLiteral("01:00:00.00"));

    ruler.setTime(95 * kSecond);
    EXPECT_EQ(ruler.step(), 2 * kSecond);
    const auto short95 = ruler.ticks();
    ASSERT_EQ(short95.size(), 48); // 0, 2, … 94 s
    QStringList labels;
    for (int i = 0; i < short95.size(); i += 5)
        labels << QTimeControl::label(uint64_t(i) * ruler.step());
    EXPECT_EQ(labels.first(), QStringLiteral("00:00:00.00"));
    EXPECT_EQ(labels.last(), QStringLiteral("00:01:30.00"));
    EXPECT_EQ(labels.size(), 10);

    ruler.reset();
    EXPECT_EQ(ruler.total(), 3600 * kSecond);
    EXPECT_FALSE(ruler.labelsShown());
}

TEST(TimelineRuler, ExtremeDurations)
{
    EXPECT_EQ(QTimeControl::stepFor(10 * kSecond), kSecond / 5);
    EXPECT_EQ(QTimeControl::stepFor(11 * kSecond), 2 * kSecond / 5);
    EXPECT_EQ(QTimeControl::stepFor(100 * 3600 * kSecond), 36000 * kSecond / 5);
    // Beyond 300 hours the major step is a whole multiple of 30 hours.
    EXPECT_EQ(QTimeControl::stepFor(400ULL * 3600 * kSecond), 60ULL * 3600 * kSecond / 5);
    EXPECT_EQ(QTimeControl::label(1005 * 1000), QStringLiteral("00:00:01.05"));
    EXPECT_EQ(QTimeControl::label(125ULL * 3600 * kSecond), QStringLiteral("125:00:00.00"));
    // A zero duration draws no ticks instead of dividing by zero.
    QTimeControl ruler;
    ruler.resize(300, 37);
    ruler.setTime(0);
    EXPECT_TRUE(ruler.ticks().isEmpty());
    EXPECT_FALSE(ruler.grab().isNull());
}

TEST(Timeline, NewSegmentsAndRoomAtTheEnd)
{
    Timeline t;
    EXPECT_TRUE(t.line.hasRoomAtEnd());
    const TimeItemInfo first = t.line.newSegmentInfo();
    EXPECT_EQ(first.startPos, 0.0f);
    EXPECT_EQ(first.endPos, 1.0f);
    EXPECT_EQ(first.length, 1.0f);
    EXPECT_EQ(first.minStart, 0.0f);
    EXPECT_EQ(first.maxEnd, 1.0f);
    t.line.addTrimTime(first);
    EXPECT_EQ(t.box(0)->geometry(), QRect(0, 0, t.W(), t.c()->height()));
    EXPECT_EQ(t.infos.count(), 0);

    // Shorten it to end at 0.4 and append after it.
    t.line.setCurrentTimeItemInfoChange(TimeItemInfo{0, 0.4f, 0.4f, 0, 1});
    EXPECT_EQ(t.box(0)->width(), 240);
    const TimeItemInfo next = t.line.newSegmentInfo();
    EXPECT_FLOAT_EQ(next.startPos, 0.4f);
    EXPECT_EQ(next.endPos, 1.0f);
    EXPECT_FLOAT_EQ(next.length, 0.6f);
    EXPECT_FLOAT_EQ(next.minStart, 0.4f);
    EXPECT_EQ(next.maxEnd, 1.0f);
    t.line.addTrimTime(next);
    EXPECT_EQ(t.box(1)->x(), 240);
    EXPECT_EQ(t.box(1)->rightEdge(), t.W() - 1);
    EXPECT_EQ(t.c()->currentIndex(), 1);
    EXPECT_EQ(t.box(0)->state(), 0);
    EXPECT_EQ(t.box(1)->state(), 2);

    // Two free columns after the last box leave room, one does not.
    t.line.setCurrentTimeItemInfoChange(TimeItemInfo{0.4f, 598 / 600.f, 598 / 600.f - 0.4f, 0, 1});
    EXPECT_EQ(t.W() - t.box(1)->rightEdge(), 3);
    EXPECT_TRUE(t.line.hasRoomAtEnd());
    t.line.setCurrentTimeItemInfoChange(TimeItemInfo{0.4f, 599 / 600.f, 599 / 600.f - 0.4f, 0, 1});
    EXPECT_EQ(t.W() - t.box(1)->rightEdge(), 2);
    EXPECT_FALSE(t.line.hasRoomAtEnd());
    t.line.addTrimTime();
    EXPECT_EQ(t.line.count(), 2);
}

TEST(Timeline, EdgeDragsStopAtTheNeighboursAndAtThreeColumns)
{
    Timeline t;
    t.add(0, 200);
    t.add(300, 200);
    t.add(550, 50);
    t.line.selectIndex(1);

    // Left edge of the middle box dragged far left stops after box 0.
    t.mouse.press(t.at(300));
    EXPECT_EQ(t.c()->dragMode(), int(QTimeContainer::DragLeftEdge));
    t.mouse.move(t.at(20));
    EXPECT_EQ(t.box(1)->x(), 200);
    EXPECT_EQ(t.box(1)->rightEdge(), 499);
    EXPECT_TRUE(t.infos.last().at(2).toBool());
    EXPECT_EQ(t.infos.last().at(1).toInt(), 1);
    EXPECT_FLOAT_EQ(t.lastInfo().startPos, 200 / 600.f);
    EXPECT_FLOAT_EQ(t.lastInfo().minStart, 200 / 600.f);
    // … and dragged past its right edge stops at a width of 3, right edge kept.
    t.mouse.move(t.at(580));
    EXPECT_EQ(t.box(1)->width(), 3);
    EXPECT_EQ(t.box(1)->rightEdge(), 499);
    t.mouse.release(t.at(580));
    EXPECT_EQ(t.c()->dragMode(), 0);

    // Right edge of box 0 dragged right stops at box 1's left; flag false.
    t.line.selectIndex(0);
    t.mouse.press(t.at(199));
    EXPECT_EQ(t.c()->dragMode(), int(QTimeContainer::DragRightEdge));
    t.mouse.move(t.at(590));
    EXPECT_EQ(t.box(0)->rightEdge(), t.box(1)->x() - 1);
    EXPECT_FALSE(t.infos.last().at(2).toBool());
    EXPECT_FLOAT_EQ(t.lastInfo().endPos, t.lastInfo().maxEnd);
    t.mouse.move(t.at(-50));
    EXPECT_EQ(t.box(0)->geometry().x(), 0);
    EXPECT_EQ(t.box(0)->width(), 3);
    t.mouse.release(t.at(-50));
}

TEST(Timeline, MovingNeedsAHoldAndStopsAtBothNeighbours)
{
    Timeline t;
    t.add(0, 100);
    t.add(250, 100);
    t.add(500, 100);
    t.line.selectIndex(1);
    t.infos.clear();

    // A click on the inside released at once never moves the box.
    t.mouse.press(t.at(300));
    t.mouse.move(t.at(360));
    t.mouse.release(t.at(360));
    EXPECT_EQ(t.box(1)->x(), 250);
    EXPECT_EQ(t.infos.count(), 0); // re-click on the selected box: nothing

    // Held past 100 ms it moves, keeping its width, between the neighbours.
    QSignalSpy pressed(&t.line, &QSimpleTimeLine::emitMousePress);
    QSignalSpy released(&t.line, &QSimpleTimeLine::emitMouseRelease);
    t.mouse.press(t.at(300));
    t.holdForMove();
    t.mouse.move(t.at(340));
    EXPECT_EQ(t.box(1)->x(), 290);
    EXPECT_TRUE(t.infos.last().at(2).toBool());
    t.mouse.move(t.at(0));
    EXPECT_EQ(t.box(1)->x(), 100);
    EXPECT_EQ(t.box(1)->width(), 100);
    t.mouse.move(t.at(600));
    EXPECT_EQ(t.box(1)->rightEdge(), 499);
    EXPECT_EQ(t.box(1)->width(), 100);
    EXPECT_FLOAT_EQ(t.lastInfo().endPos, 500 / 600.f);
    EXPECT_FLOAT_EQ(t.lastInfo().length, 100 / 600.f);
    t.mouse.release(t.at(600));
    EXPECT_EQ(pressed.count(), 1);
    EXPECT_EQ(released.count(), 1);

    // A press on another box selects it with one report.
    t.infos.clear();
    t.mouse.press(t.at(50));
    t.mouse.release(t.at(50));
    ASSERT_EQ(t.infos.count(), 1);
    EXPECT_EQ(t.infos.last().at(1).toInt(), 0);
    EXPECT_EQ(t.box(0)->state(), 2);
    EXPECT_EQ(t.box(1)->state(), 0);
    EXPECT_EQ(t.lastInfo().maxEnd, 400 / 600.f);
}

TEST(Timeline, NarrowSegmentsGrowTheWayTheyAreDragged)
{
    Timeline t;
    t.add(0, 200);
    t.add(300, 4);
    t.add(400, 100);
    t.line.selectIndex(1);
    ASSERT_EQ(t.box(1)->width(), 4);
    t.mouse.press(t.at(301));
    EXPECT_EQ(t.c()->dragMode(), int(QTimeContainer::DragNarrow));
    t.mouse.move(t.at(280));
    EXPECT_EQ(t.box(1)->x(), 279);
    EXPECT_EQ(t.box(1)->rightEdge(), 303);
    t.mouse.release(t.at(280));

    t.line.selectIndex(2);
    t.line.setCurrentTimeItemInfoChange(TimeItemInfo{400 / 600.f, 403 / 600.f, 3 / 600.f, 0, 1});
    ASSERT_EQ(t.box(2)->width(), 3);
    t.mouse.press(t.at(402));
    EXPECT_EQ(t.c()->dragMode(), int(QTimeContainer::DragNarrow));
    t.mouse.move(t.at(450));
    EXPECT_EQ(t.box(2)->x(), 400);
    EXPECT_EQ(t.box(2)->width(), 51);
    EXPECT_FALSE(t.infos.last().at(2).toBool());
    t.mouse.release(t.at(450));

    // A two-column box appended into the last two free columns can only
    // grow to the left: it stays inside the strip.
    Timeline u;
    u.add(0, 598);
    u.line.addTrimTime(u.line.newSegmentInfo());
    ASSERT_EQ(u.box(1)->width(), 2);
    u.mouse.press(u.at(599));
    u.mouse.move(u.at(640));
    EXPECT_EQ(u.box(1)->rightEdge(), 599);
    u.mouse.move(u.at(599)); // no movement at all: a width of 3 would overlap box 0
    EXPECT_GE(u.box(1)->x(), u.box(0)->rightEdge() + 1);
    EXPECT_EQ(u.box(1)->rightEdge(), 599);
    u.mouse.move(u.at(598));
    EXPECT_GE(u.box(1)->x(), u.box(0)->rightEdge() + 1);
    u.mouse.release(u.at(598));
}

TEST(Timeline, DeletingSelectsANeighbour)
{
    Timeline t;
    QSignalSpy deleted(&t.line, &QSimpleTimeLine::emitDeleteFile);
    t.line.prepareThumbnails(10);
    t.add(0, 100);
    t.add(200, 100);
    t.add(400, 100);
    t.line.selectIndex(1);
    t.line.deleteCurrent();
    ASSERT_EQ(deleted.count(), 1);
    EXPECT_EQ(deleted.last().at(0).toInt(), 1);
    EXPECT_EQ(t.c()->currentIndex(), 0);
    EXPECT_EQ(t.infos.last().at(1).toInt(), 0);
    EXPECT_TRUE(t.infos.last().at(2).toBool());
    EXPECT_FLOAT_EQ(t.lastInfo().maxEnd, 400 / 600.f);
    // The freed stretch stays free.
    EXPECT_EQ(t.box(1)->x(), 400);

    t.line.deleteCurrent(); // the first: the new first is selected
    EXPECT_EQ(deleted.last().at(0).toInt(), 0);
    EXPECT_EQ(t.c()->currentIndex(), 0);
    EXPECT_EQ(t.box(0)->x(), 400);
    EXPECT_FLOAT_EQ(t.lastInfo().minStart, 0.0f);

    const int reports = t.infos.count();
    EXPECT_FALSE(t.c()->strip().isNull());
    t.line.deleteCurrent(); // the only one: the strip goes too
    EXPECT_EQ(deleted.last().at(0).toInt(), 0);
    EXPECT_EQ(t.line.count(), 0);
    EXPECT_TRUE(t.c()->strip().isNull());
    EXPECT_EQ(t.infos.count(), reports);
    const TimeItemInfo none = t.line.currentInfo();
    EXPECT_EQ(none.endPos, 0.0f);
    t.line.deleteCurrent(); // nothing left: nothing happens
    EXPECT_EQ(deleted.count(), 3);
}

TEST(Timeline, PlayHeadIsClampedToTheAxis)
{
    Timeline t;
    t.line.setPlayHeadImage("/image/CutListDlg/btn_silder_proess.png", 4);
    t.line.setProgressValue(0.5);
    QVoBaseButton *head = t.line.playHead();
    const int bw = head->width();
    EXPECT_EQ(head->x() + bw / 2, 310);
    EXPECT_EQ(head->y(), 4);
    EXPECT_EQ(t.line.playHeadLine()->x() + 1, 310);

    QSignalSpy progress(&t.line, &QSimpleTimeLine::emitProgressValueChanged);
    t.mouse.press(QPoint(310, 10));
    ASSERT_EQ(t.mouse.grabber(), head);
    t.mouse.move(QPoint(-200, 10));
    EXPECT_DOUBLE_EQ(progress.last().at(0).toDouble(), 0.0);
    EXPECT_EQ(head->x() + bw / 2, 10);
    t.mouse.move(QPoint(2000, 10));
    EXPECT_DOUBLE_EQ(progress.last().at(0).toDouble(), 100.0);
    EXPECT_EQ(head->x() + bw / 2, 610);
    EXPECT_EQ(t.line.playHeadLine()->x() + 1, 610);
    t.mouse.move(QPoint(160, 10));
    EXPECT_NEAR(progress.last().at(0).toDouble(), 25.0, 1e-9);
    t.mouse.release(QPoint(160, 10));

    // A press on the ruler puts the play-head there and drags it.
    t.mouse.press(QPoint(460, 30));
    EXPECT_TRUE(t.line.isDragging());
    EXPECT_NEAR(progress.last().at(0).toDouble(), 75.0, 1e-9);
    t.mouse.move(QPoint(900, 30));
    EXPECT_DOUBLE_EQ(progress.last().at(0).toDouble(), 100.0);
    t.mouse.release(QPoint(900, 30));
    EXPECT_FALSE(t.line.isDragging());

    // After a clear the play-head is locked until a segment arrives.
    t.line.clear();
    const int before = progress.count();
    t.mouse.press(QPoint(300, 30));
    t.mouse.release(QPoint(300, 30));
    EXPECT_EQ(progress.count(), before);
    EXPECT_FALSE(head->isEnabled());
    t.line.addTrimTime(t.line.newSegmentInfo());
    EXPECT_TRUE(head->isEnabled());
    EXPECT_TRUE(t.line.isPullEnabled());
}

TEST(Timeline, ResizingKeepsEverySegmentAtItsFractions)
{
    Timeline t;
    t.add(0, 150);
    t.add(150, 3);
    t.add(153, 297);
    t.add(450, 150);
    QVector<TimeItemInfo> before;
    for (QTimeItem *b : t.c()->items())
        before << b->info();
    for (int width : {220, 1620, 437, 620}) {
        t.line.resize(width, 200);
        const int W = t.W();
        const auto &items = t.c()->items();
        for (int i = 0; i < items.size(); ++i) {
            EXPECT_GE(items[i]->width(), 3) << width;
            EXPECT_NEAR(items[i]->x(), before[i].startPos * W, 3.5) << width << " box " << i;
            if (i + 1 < items.size()) {
                EXPECT_LT(items[i]->rightEdge(), items[i + 1]->x()) << width << " box " << i;
            }
            EXPECT_LE(items[i]->rightEdge(), W - 1);
            EXPECT_EQ(items[i]->height(), t.c()->height());
        }
    }
    // Back at the first width every box is where it was.
    EXPECT_EQ(t.box(1)->x(), 150);
    EXPECT_EQ(t.box(3)->rightEdge(), 599);
}

TEST(Timeline, ThumbnailsFillTheirSlotsCutToShape)
{
    Timeline t;
    // Dropped before the strip is prepared.
    QImage wide(320, 120, QImage::Format_RGB32);
    wide.fill(Qt::red);
    t.line.addThumbnail(wide);
    EXPECT_TRUE(t.c()->strip().isNull());
    t.line.prepareThumbnails(10);
    ASSERT_EQ(t.c()->slotWidth(), 60);
    EXPECT_EQ(t.c()->strip().size(), QSize(600, 120));
    EXPECT_EQ(t.c()->strip().pixelColor(30, 60).alpha(), 0);
    // A wide picture with a green centre: only its centre fits the slot.
    QPainter(&wide).fillRect(QRect(130, 0, 60, 120), Qt::green);
    t.line.addThumbnail(wide);
    EXPECT_EQ(t.c()->strip().pixelColor(30, 60), QColor(Qt::green));
    EXPECT_EQ(t.c()->strip().pixelColor(90, 60).alpha(), 0);
    for (int i = 0; i < 12; ++i) // more than there are slots
        t.line.addThumbnail(wide);
    t.line.clearSegments();
    EXPECT_FALSE(t.c()->strip().isNull());
}

TEST(KeyFrameMarks, DrawnOnTheRulerAndTheTrimSlider)
{
    QTimeControl ruler;
    ruler.resize(600, 37);
    ruler.setMarks({0.5, -0.5, 1.5});
    const QImage r = ruler.grab().toImage();
    EXPECT_EQ(r.pixelColor(301, 2), QColor(222, 132, 52));
    EXPECT_EQ(r.pixelColor(150, 2), QColor(32, 32, 32));

    QDualSlider slider;
    slider.setTrackImage("/image/CutToolDlg/trake_cut1.png");
    slider.setStartHandleImage("/image/CutToolDlg/btn_silder_left.png", 0);
    slider.setEndHandleImage("/image/CutToolDlg/btn_silder_right.png");
    slider.resize(400, 40);
    const int handle = slider.startHandle()->width();
    const int x = handle + int(0.5 * (slider.width() - 2 * handle));
    const QColor before = slider.grab().toImage().pixelColor(x, 20);
    slider.setMarks({0.5}, QColor(0, 255, 0));
    EXPECT_EQ(slider.grab().toImage().pixelColor(x, 20), QColor(0, 255, 0));
    EXPECT_NE(before, QColor(0, 255, 0));
    slider.setMarks({});
    EXPECT_EQ(slider.grab().toImage().pixelColor(x, 20), before);
}
