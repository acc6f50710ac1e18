// The segment manager as the user works it: adding, selecting, deleting
// and reordering segments in both modes, the switch to Simple Mode with
// its question, the list's size, and the thumbnail strip's requests. A
// long random walk checks that the rows, the page buttons, the timeline
// and the item list never disagree.
#include "ParserXML.h"
#include "QButtonListDlg.h"
#include "QCustomTimeEdit.h"
#include "QImageButton.h"
#include "QSimpleTimeLine.h"
#include "QTextImageButton.h"
#include "QTimeContainer.h"
#include "QTimeItem.h"
#include "QVideoConvertItem.h"
#include "QVideoCutManageDlg.h"
#include "QVoMessageBox.h"
#include "TestSupport.h"
#include "TimelineDriver.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"
#include "WorkModel.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <random>

namespace {

constexpr uint64_t sec = 1000000;
constexpr uint64_t duration = 60 * sec;

// Answers every segment-length question while it lives.
class Answerer {
public:
    explicit Answerer(bool yes) : m_yes(yes)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QVoMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            ++m_questions;
            m_lastText = box->message();
            box->prepare();
            QTest::mouseClick(box->buttons().at(m_yes ? 0 : 1), Qt::LeftButton);
        });
        m_timer.start(5);
    }
    void setYes(bool yes) { m_yes = yes; }
    int questions() const { return m_questions; }
    QString lastText() const { return m_lastText; }

private:
    QTimer m_timer;
    bool m_yes;
    int m_questions = 0;
    QString m_lastText;
};

class SegmentManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VoVideoConvertManager::instance()->clear();
        ParserXML::writeItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
        panel.reset(new QVideoCutManageDlg);
        panel->resize(900, 50);
        panel->show();
    }
    void TearDown() override
    {
        panel.reset();
        VoVideoConvertManager::instance()->clear();
    }

    // A new segment as the main window adds one: into the item list, then
    // into the panel.
    VoVideoConvertItem *add(uint64_t start, uint64_t end, bool current = true)
    {
        auto *item = new VoVideoConvertItem;
        item->m_duration = duration;
        item->m_TrimStartTime = start;
        item->m_TrimEndTime = end;
        item->m_isCurrent = current;
        item->m_videoPath = QStringLiteral("/nowhere/clip.mp4");
        VoVideoConvertManager::instance()->insert(item, -1);
        panel->addConvertItem(item);
        return item;
    }

    QList<QPair<uint64_t, uint64_t>> ranges() const
    {
        QList<QPair<uint64_t, uint64_t>> out;
        VoVideoConvertManager *items = VoVideoConvertManager::instance();
        for (int i = 0; i < items->count(); ++i)
            out << qMakePair(items->itemAt(i)->m_TrimStartTime, items->itemAt(i)->m_TrimEndTime);
        return out;
    }

    int currentIndex() const { return panel->entries().indexOf(panel->currentEntry()); }
    QImageButton *btn(const char *name) const { return panel->button(QString::fromLatin1(name)); }

    std::unique_ptr<QVideoCutManageDlg> panel;
};

using Ranges = QList<QPair<uint64_t, uint64_t>>;

// A drag of the row showing item `from` entering and dropped on `target`.
void dropRow(QWidget *target, int from)
{
    std::unique_ptr<QMimeData> data(QVideoConvertItem::makeDragData(QPixmap(4, 4), from));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

} // namespace

TEST_F(SegmentManagerTest, SwitchToSimpleModeNormalisesOverlaps)
{
    add(0, 10 * sec);
    add(5 * sec, 20 * sec);
    add(15 * sec, 0);
    Answerer answer(true);
    panel->OnBtnShowList();
    QTest::mouseClick(btn("m_btnStyleLine"), Qt::LeftButton);
    // The question does not hold the click up; the switch follows its Yes.
    QTRY_VERIFY(panel->isSimpleMode());
    EXPECT_EQ(answer.questions(), 1);
    EXPECT_EQ(answer.lastText(), "Switching to the Simple Mode will change the segment length!");
    EXPECT_TRUE(panel->isSimpleMode());
    EXPECT_EQ(ranges(), Ranges({{0, 10 * sec}, {10 * sec + 1, 20 * sec}, {20 * sec + 1, duration}}));
    ASSERT_EQ(panel->timeLine()->count(), 3);
    EXPECT_EQ(ParserXML::readItemValue("LISTMODEL_ITEM", "ListModel_Line", "N"), "Y");
    // The rows show the moved starts.
    EXPECT_EQ(panel->entries().at(2)->item()->m_TrimStartTime, 20 * sec + 1);
    EXPECT_TRUE(panel->listArea()->isHidden());
    EXPECT_FALSE(panel->timeLine()->isHidden());
}

TEST_F(SegmentManagerTest, OpenFirstSegmentAndCoveredSegmentsAreDropped)
{
    add(0, 0);
    add(10 * sec, 20 * sec);
    add(30 * sec, 40 * sec);
    {
        Answerer answer(true);
        panel->OnBtnShowList();
        QTest::mouseClick(btn("m_btnStyleLine"), Qt::LeftButton);
        QTRY_VERIFY(panel->isSimpleMode());
    }
    EXPECT_EQ(ranges(), Ranges({{0, duration}}));
    EXPECT_EQ(panel->entries().size(), 1);
    EXPECT_EQ(panel->pageButtons()->count(), 1);
    EXPECT_EQ(panel->timeLine()->count(), 1);

    QTest::mouseClick(btn("m_btnStyleList"), Qt::LeftButton);
    panel->ActionDeleteALL();
    add(0, 30 * sec);
    add(5 * sec, 20 * sec); // inside the first
    add(40 * sec, 50 * sec);
    Answerer answer(true);
    QTest::mouseClick(btn("m_btnStyleLine"), Qt::LeftButton);
    QTRY_VERIFY(panel->isSimpleMode());
    EXPECT_EQ(ranges(), Ranges({{0, 30 * sec}, {40 * sec, 50 * sec}}));
    EXPECT_EQ(panel->timeLine()->count(), 2);
}

TEST_F(SegmentManagerTest, OrderedSegmentsSwitchSilentlyAndNoKeepsFreeMode)
{
    add(0, 10 * sec);
    add(20 * sec, 30 * sec);
    panel->OnBtnShowList();
    {
        Answerer answer(false);
        QTest::mouseClick(btn("m_btnStyleLine"), Qt::LeftButton);
        EXPECT_EQ(answer.questions(), 0);
    }
    EXPECT_TRUE(panel->isSimpleMode());
    EXPECT_EQ(ranges(), Ranges({{0, 10 * sec}, {20 * sec, 30 * sec}}));
    QTest::mouseClick(btn("m_btnStyleList"), Qt::LeftButton);
    EXPECT_FALSE(panel->isSimpleMode());
    EXPECT_EQ(ranges(), Ranges({{0, 10 * sec}, {20 * sec, 30 * sec}}));

    add(5 * sec, 25 * sec);
    const Ranges before = ranges();
    Answerer answer(false);
    QTest::mouseClick(btn("m_btnStyleLine"), Qt::LeftButton);
    QTRY_COMPARE(answer.questions(), 1);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    EXPECT_FALSE(panel->isSimpleMode());
    EXPECT_EQ(ranges(), before);
    EXPECT_EQ(panel->entries().size(), 3);
    EXPECT_EQ(ParserXML::readItemValue("LISTMODEL_ITEM", "ListModel_Line", "Y"), "N");
    EXPECT_FALSE(panel->listArea()->isHidden());
}

TEST_F(SegmentManagerTest, TheSwitchActsOnTheSegmentsAsTheyAreWhenTheAnswerComes)
{
    add(0, 10 * sec);
    add(5 * sec, 20 * sec);
    panel->OnBtnShowList();
    QSignalSpy steps(panel->work(), &WorkModel::stepTaken);
    QTest::mouseClick(btn("m_btnStyleLine"), Qt::LeftButton);
    // The question is open and nothing has changed yet, nor been recorded.
    QList<QVoMessageBox *> boxes = panel->findChildren<QVoMessageBox *>();
    ASSERT_EQ(boxes.size(), 1);
    QPointer<QVoMessageBox> box = boxes.first();
    ASSERT_TRUE(box->isVisible());
    EXPECT_FALSE(panel->isSimpleMode());
    EXPECT_TRUE(steps.isEmpty());
    // Asked for again meanwhile (a placed list, a detection), the open
    // question answers: no second box.
    btn("m_btnStyleLine")->click();
    EXPECT_EQ(panel->findChildren<QVoMessageBox *>().size(), 1);

    // While it is open the list changes under it: the first segment goes
    // (its delete button, clicked from outside), another comes (an add
    // that waited for its picture).
    panel->entries().at(0)->deleteButton()->click();
    add(15 * sec, 30 * sec);
    ASSERT_EQ(ranges(), Ranges({{5 * sec, 20 * sec}, {15 * sec, 30 * sec}}));
    steps.clear();

    box->prepare();
    QTest::mouseClick(box->buttons().at(0), Qt::LeftButton);
    // Ordered as the segments are now, not as they were when asked.
    EXPECT_TRUE(panel->isSimpleMode());
    EXPECT_EQ(ranges(), Ranges({{5 * sec, 20 * sec}, {20 * sec + 1, 30 * sec}}));
    EXPECT_EQ(panel->entries().size(), 2);
    EXPECT_EQ(panel->timeLine()->count(), 2);
    EXPECT_EQ(panel->entries().at(1)->item()->m_TrimStartTime, 20 * sec + 1);
    // One step for the switch, named for it, once it happened.
    ASSERT_EQ(steps.size(), 1);
    EXPECT_EQ(steps.first().at(0).toString(), "Switch to Simple Mode");
    QTRY_VERIFY(!box);
}

TEST_F(SegmentManagerTest, DeletingTheCurrentSegmentSelectsItsNeighbour)
{
    add(0, 10 * sec);
    add(10 * sec, 20 * sec);
    add(20 * sec, 30 * sec);
    QSignalSpy changes(panel.get(), &QVideoCutManageDlg::emitSelectItemChange);
    QTest::mouseClick(panel->entries().at(1), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(currentIndex(), 1);
    EXPECT_EQ(panel->pageButtons()->selectedIndex(), 1);

    QTest::mouseClick(reinterpret_cast<QWidget *>(panel->entries().at(1)->deleteButton()), Qt::LeftButton);
    EXPECT_EQ(ranges(), Ranges({{0, 10 * sec}, {20 * sec, 30 * sec}}));
    EXPECT_EQ(currentIndex(), 0);
    EXPECT_EQ(panel->pageButtons()->selectedIndex(), 0);
    EXPECT_TRUE(VoVideoConvertManager::instance()->itemAt(0)->m_isCurrent);

    QTest::mouseClick(reinterpret_cast<QWidget *>(panel->entries().at(0)->deleteButton()), Qt::LeftButton);
    EXPECT_EQ(ranges(), Ranges({{20 * sec, 30 * sec}}));
    EXPECT_EQ(currentIndex(), 0);

    QSignalSpy stop(panel.get(), &QVideoCutManageDlg::emitStopPlay);
    QSignalSpy has(panel.get(), &QVideoCutManageDlg::seedIsAddItem);
    panel->OnBtnShowList();
    QTest::mouseClick(reinterpret_cast<QWidget *>(panel->entries().at(0)->deleteButton()), Qt::LeftButton);
    EXPECT_EQ(stop.count(), 1);
    ASSERT_GE(has.count(), 1);
    EXPECT_FALSE(has.last().at(0).toBool());
    EXPECT_FALSE(panel->isListExpanded());
    EXPECT_EQ(panel->height(), QVideoCutManageDlg::collapsedHeight);
}

TEST_F(SegmentManagerTest, SimpleModeDeleteSelectsThePreviousSegment)
{
    add(0, 10 * sec);
    add(10 * sec, 20 * sec);
    add(30 * sec, 40 * sec);
    panel->OnBtnShowList();
    QTest::mouseClick(btn("m_btnStyleLine"), Qt::LeftButton);
    ASSERT_TRUE(panel->isSimpleMode());
    panel->OnClickItem(1);
    EXPECT_EQ(currentIndex(), 1);
    EXPECT_EQ(panel->timeLine()->container()->currentIndex(), 1);

    QTest::mouseClick(btn("m_btnDelete"), Qt::LeftButton);
    EXPECT_EQ(ranges(), Ranges({{0, 10 * sec}, {30 * sec, 40 * sec}}));
    EXPECT_EQ(currentIndex(), 0);
    EXPECT_EQ(panel->timeLine()->count(), 2);

    panel->OnClickItem(0);
    QTest::mouseClick(btn("m_btnDelete"), Qt::LeftButton);
    EXPECT_EQ(ranges(), Ranges({{30 * sec, 40 * sec}}));
    EXPECT_EQ(currentIndex(), 0);
    QTest::mouseClick(btn("m_btnDelete"), Qt::LeftButton);
    EXPECT_TRUE(ranges().isEmpty());
    EXPECT_EQ(panel->timeLine()->count(), 0);
    EXPECT_FALSE(btn("m_btnAddItem")->isEnabled());
}

TEST_F(SegmentManagerTest, TimelineEditsMoveTheSegmentAndSeekToTheEdgeThatMoved)
{
    add(0, 10 * sec);
    add(20 * sec, 30 * sec);
    panel->OnBtnShowList();
    QTest::mouseClick(btn("m_btnStyleLine"), Qt::LeftButton);
    QSignalSpy seeks(panel.get(), &QVideoCutManageDlg::sendPlayProToPlay);

    TimeItemInfo info = panel->timeLine()->container()->items().at(1)->info();
    info.endPos = 0.75f;
    info.length = info.endPos - info.startPos;
    emit panel->timeLine()->emitTimeItemInfoChange(info, 1, false);
    ASSERT_EQ(seeks.count(), 1);
    EXPECT_EQ(seeks.last().at(0).value<uint64_t>(), static_cast<uint64_t>(duration * 0.75f));
    EXPECT_EQ(currentIndex(), 1);
    EXPECT_EQ(panel->entries().at(1)->item()->m_TrimEndTime, static_cast<uint64_t>(duration * 0.75f));

    info.startPos = 0.5f;
    emit panel->timeLine()->emitTimeItemInfoChange(info, 1, true);
    EXPECT_EQ(seeks.last().at(0).value<uint64_t>(), static_cast<uint64_t>(duration * 0.5f));

    // The same with the mouse: the right edge of the first segment dragged
    // to the right seeks to its new end, its left edge to its new start.
    panel->resize(900, 245);
    QSimpleTimeLine *line = panel->timeLine();
    QTimeItem *box = line->container()->items().at(0);
    const QPoint origin = line->container()->mapTo(line, box->geometry().topLeft());
    const int middle = box->height() / 2;
    timelinetest::Mouse mouse(line);
    const QPoint rightEdge = origin + QPoint(box->width() - 2, middle);
    mouse.press(rightEdge);
    mouse.move(rightEdge + QPoint(15, 0));
    mouse.release(rightEdge + QPoint(15, 0));
    VoVideoConvertItem *first = panel->entries().at(0)->item();
    EXPECT_EQ(currentIndex(), 0);
    EXPECT_GT(first->m_TrimEndTime, 10 * sec);
    EXPECT_EQ(seeks.last().at(0).value<uint64_t>(), first->m_TrimEndTime);
    const QPoint leftEdge = origin + QPoint(1, middle);
    mouse.press(leftEdge);
    mouse.move(leftEdge + QPoint(20, 0));
    mouse.release(leftEdge + QPoint(20, 0));
    EXPECT_GT(first->m_TrimStartTime, 0u);
    EXPECT_EQ(seeks.last().at(0).value<uint64_t>(), first->m_TrimStartTime);
    EXPECT_EQ(panel->entries().at(0)->endTimeEdit()->time() / 1000, first->m_TrimEndTime / 1000);

    // The play-head follows the player (percent) and the cut tool (fraction).
    panel->videoPlayPro(25);
    EXPECT_DOUBLE_EQ(panel->timeLine()->progress(), 0.25);
    panel->playProValueChange(0.5);
    EXPECT_DOUBLE_EQ(panel->timeLine()->progress(), 0.5);
}

TEST_F(SegmentManagerTest, MoveButtonsAndDropsReorderItemsAndRowsTogether)
{
    VoVideoConvertItem *a = add(0, 10 * sec);
    VoVideoConvertItem *b = add(10 * sec, 20 * sec);
    VoVideoConvertItem *c = add(20 * sec, 30 * sec);
    panel->OnBtnShowList();
    EXPECT_EQ(currentIndex(), 2);
    EXPECT_FALSE(btn("m_btnDown")->isEnabled());
    QTest::mouseClick(btn("m_btnUp"), Qt::LeftButton);
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    EXPECT_EQ(items->itemAt(1), c);
    EXPECT_EQ(items->itemAt(2), b);
    EXPECT_EQ(currentIndex(), 1);
    EXPECT_EQ(panel->entries().at(1)->item(), c);
    EXPECT_EQ(c->m_index, 1);
    QTest::mouseClick(btn("m_btnUp"), Qt::LeftButton);
    EXPECT_EQ(items->itemAt(0), c);
    EXPECT_FALSE(btn("m_btnUp")->isEnabled());
    EXPECT_TRUE(btn("m_btnDown")->isEnabled());

    // Row 0 (c) dropped on row 2 (b): they change places, a stays.
    dropRow(panel->entries().at(2), 0);
    EXPECT_EQ(items->itemAt(0), b);
    EXPECT_EQ(items->itemAt(1), a);
    EXPECT_EQ(items->itemAt(2), c);
    EXPECT_EQ(panel->entries().at(2)->item(), c);
    EXPECT_EQ(currentIndex(), 2);
}

TEST_F(SegmentManagerTest, ListExpandsCollapsesAndFollowsTheSizeGrip)
{
    add(0, 10 * sec);
    QSignalSpy heights(panel.get(), &QVideoCutManageDlg::emitChangeHeight);
    QTest::mouseClick(btn("m_btnShowList"), Qt::LeftButton);
    EXPECT_TRUE(panel->isListExpanded());
    EXPECT_EQ(panel->height(), 50 + 195);
    ASSERT_EQ(heights.count(), 1);
    EXPECT_EQ(heights.at(0).at(0).toInt(), 195);
    EXPECT_TRUE(heights.at(0).at(1).toBool());

    QWidget player;
    player.resize(400, 380); // 80 pixels to spare above its minimum of 300
    panel->setPlayerPanel(&player);
    QWidget *grip = reinterpret_cast<QWidget *>(panel->sizeGrip());
    const QPoint g = grip->mapToGlobal(QPoint(5, 5));
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(g), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grip, &down);
    QMouseEvent up(QEvent::MouseMove, QPointF(5, -195), QPointF(g - QPoint(0, 200)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
    QApplication::sendEvent(grip, &up);
    EXPECT_EQ(panel->height(), 50 + 195 + 80);
    QMouseEvent downAgain(QEvent::MouseMove, QPointF(5, 35), QPointF(g + QPoint(0, 30)), Qt::NoButton, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(grip, &downAgain);
    EXPECT_EQ(panel->height(), 50 + 195);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 35), QPointF(g + QPoint(0, 30)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grip, &release);

    panel->setListHeight(40);
    EXPECT_EQ(panel->height(), 50 + 195 + 40);
    QTest::mouseClick(btn("m_btnHideList"), Qt::LeftButton);
    EXPECT_EQ(panel->height(), 50);
    EXPECT_EQ(heights.last().at(0).toInt(), 195 + 40);
    EXPECT_FALSE(heights.last().at(1).toBool());
}

TEST_F(SegmentManagerTest, StaleThumbnailsAreNotDrawn)
{
    add(0, 10 * sec);
    panel->OnBtnShowList();
    QTest::mouseClick(btn("m_btnStyleLine"), Qt::LeftButton);
    panel->resize(900, 245);
    QTimeContainer *strip = panel->timeLine()->container();

    // A request for a file that cannot be read still prepares empty slots.
    VoVideoConvertItem *item = VoVideoConvertManager::instance()->itemAt(0);
    panel->setLineBgImage(item);
    const int first = panel->stripRequest();
    QTRY_VERIFY(panel->stripWorkerIdle());
    panel->setLineBgImage(item);
    ASSERT_GT(panel->stripRequest(), first);
    ASSERT_GT(strip->slotWidth(), 0);

    QImage red(32, 24, QImage::Format_ARGB32);
    red.fill(Qt::red);
    emit panel->seedLineImage(red, first);
    QCoreApplication::processEvents();
    EXPECT_EQ(strip->strip().pixelColor(strip->slotWidth() / 2, 60).alpha(), 0);
    emit panel->seedLineImage(red, panel->stripRequest());
    QTRY_COMPARE(strip->strip().pixelColor(strip->slotWidth() / 2, 60), QColor(Qt::red));
}

TEST_F(SegmentManagerTest, ThumbnailStripOfARealFileFillsEverySlot)
{
    VoVideoConvertItem source;
    ASSERT_TRUE(source.open(testsupport::fixture("long_h264_aac.mp4")));
    panel->OnBtnShowList();
    QTest::mouseClick(btn("m_btnStyleLine"), Qt::LeftButton);
    panel->resize(900, 245);
    // The pictures are emitted on the worker thread; they are counted where
    // the panel receives them.
    QList<QPair<QImage, int>> pictures;
    QObject::connect(
        panel.get(), &QVideoCutManageDlg::seedLineImage, panel.get(),
        [&](QImage image, int id) { pictures << qMakePair(image, id); }, Qt::QueuedConnection);
    // A first request overtaken at once by a second: only the second draws.
    panel->setLineBgImage(&source);
    panel->setLineBgImage(&source);
    const int request = panel->stripRequest();
    QTRY_VERIFY_WITH_TIMEOUT(panel->stripWorkerIdle(), 10000);
    QTRY_VERIFY(pictures.size() >= 10);
    int current = 0;
    for (const auto &p : pictures) {
        if (p.second == request) {
            ++current;
            EXPECT_FALSE(p.first.isNull());
            EXPECT_LE(p.first.height(), 240);
        }
    }
    EXPECT_EQ(current, 10);
    QTimeContainer *strip = panel->timeLine()->container();
    QTRY_VERIFY(strip->strip().pixelColor(strip->slotWidth() * 9 + strip->slotWidth() / 2, 60).alpha() == 255);
}

TEST_F(SegmentManagerTest, RandomOperationsKeepRowsItemsAndTimelineInStep)
{
    std::mt19937 rng(20261209);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    Answerer answer(true);
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    panel->OnBtnShowList();
    int switches = 0;
    int swaps = 0;

    auto check = [&](int step, int op) {
        SCOPED_TRACE(testing::Message() << "step " << step << " op " << op);
        const QList<QVideoConvertItem *> &rows = panel->entries();
        ASSERT_EQ(rows.size(), items->count());
        for (int i = 0; i < rows.size(); ++i) {
            ASSERT_EQ(rows.at(i)->item(), items->itemAt(i)) << "row " << i;
            ASSERT_EQ(items->itemAt(i)->m_index, i);
        }
        ASSERT_EQ(panel->pageButtons()->count(), rows.size());
        if (!rows.isEmpty()) {
            ASSERT_TRUE(rows.contains(panel->currentEntry()));
            int selected = 0, marked = 0;
            for (QVideoConvertItem *row : rows) {
                selected += row->state() == 2;
                marked += row->item()->m_isCurrent;
            }
            ASSERT_EQ(selected, 1);
            ASSERT_EQ(marked, 1);
            ASSERT_TRUE(panel->currentEntry()->item()->m_isCurrent);
            ASSERT_EQ(panel->pageButtons()->selectedIndex(), currentIndex());
        }
        if (panel->isSimpleMode()) {
            const QList<QTimeItem *> &boxes = panel->timeLine()->container()->items();
            ASSERT_EQ(boxes.size(), rows.size());
            for (int i = 0; i < boxes.size(); ++i) {
                const TimeItemInfo info = boxes.at(i)->info();
                const VoVideoConvertItem *item = items->itemAt(i);
                ASSERT_NEAR(double(info.startPos) * duration, double(item->m_TrimStartTime), duration * 1e-6);
                ASSERT_NEAR(double(info.endPos) * duration, double(item->m_TrimEndTime), duration * 1e-6);
            }
            if (!rows.isEmpty()) {
                ASSERT_EQ(panel->timeLine()->container()->currentIndex(), currentIndex());
            }
        }
    };

    for (int step = 0; step < 3000; ++step) {
        const int n = panel->entries().size();
        const int op = n == 0 ? 0 : pick(10);
        switch (op) {
        case 0: { // add
            if (panel->isSimpleMode() && !panel->timelineHasRoomAtEnd())
                break;
            const uint64_t start = rng() % duration;
            const uint64_t end = pick(5) == 0 ? 0 : start + 1 + rng() % (duration - start);
            add(start, end);
            break;
        }
        case 1: // delete the current segment
            if (panel->isSimpleMode())
                QTest::mouseClick(btn("m_btnDelete"), Qt::LeftButton);
            else
                QTest::mouseClick(reinterpret_cast<QWidget *>(panel->currentEntry()->deleteButton()), Qt::LeftButton);
            break;
        case 2: // delete a row by its own button
            panel->entries().at(pick(n))->deleteButton()->click();
            break;
        case 3:
            btn("m_btnUp")->click();
            break;
        case 4:
            btn("m_btnDown")->click();
            break;
        case 5: { // drag one row onto another
            const int from = panel->entries().at(pick(n))->itemIndex();
            const int to = pick(n);
            VoVideoConvertItem *moving = items->itemAt(from);
            dropRow(panel->entries().at(to), from);
            if (!panel->isSimpleMode()) {
                ASSERT_EQ(items->itemAt(to), moving) << "step " << step;
                swaps += from != to;
            }
            break;
        }
        case 6: // switch modes, answering Yes or No
            if (pick(3) == 0 || switches > 120)
                break;
            ++switches;
            answer.setYes(pick(2) == 0);
            if (panel->isSimpleMode())
                btn("m_btnStyleList")->click();
            else
                btn("m_btnStyleLine")->click();
            // A question asked is answered before the next operation.
            QTRY_VERIFY(!QApplication::activeModalWidget());
            break;
        case 7: // a page button
            panel->pageButtons()->button(pick(n))->click();
            break;
        case 8: // a row
            QTest::mouseClick(panel->entries().at(pick(n)), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
            break;
        default: // add, more often, so the list grows
            if (!panel->isSimpleMode() || panel->timelineHasRoomAtEnd())
                add(rng() % (duration / 2), 0);
            break;
        }
        ASSERT_NO_FATAL_FAILURE(check(step, op));
    }
    EXPECT_GT(switches, 20);
    EXPECT_GT(swaps, 20);
}

// Labels are named in place: on the row's label in Free Mode, on the box in
// Simple Mode, or with F2 for the current segment. Rows without a name
// show their number, which follows deletions.
TEST_F(SegmentManagerTest, SegmentsAreNamedInPlaceOnRowsAndTimelineBoxes)
{
    VoVideoConvertItem *first = add(0, 10 * sec);
    VoVideoConvertItem *second = add(10 * sec, 20 * sec);
    add(30 * sec, 40 * sec);
    panel->OnBtnShowList();
    QSignalSpy named(panel.get(), &QVideoCutManageDlg::emitLabelChanged);
    QVideoConvertItem *row = panel->entries().at(1);
    QTRY_VERIFY(row->labelText()->isVisible());
    EXPECT_EQ(row->labelText()->text(), "Segment 2");

    QTest::mouseDClick(row->labelText(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QLineEdit *editor = row->labelEditor();
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor, "Intro, \"cold\"");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(second->m_label, "Intro, \"cold\"");
    EXPECT_EQ(row->labelText()->text(), "Intro, \"cold\"");
    ASSERT_EQ(named.count(), 1);
    EXPECT_EQ(named.at(0).at(0).toInt(), 1);
    QTRY_VERIFY(!row->labelEditor());

    // Escape keeps the old name; blanks alone are no name.
    QTest::mouseDClick(row->labelText(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_TRUE(row->labelEditor());
    QTest::keyClicks(row->labelEditor(), "thrown away");
    QTest::keyClick(row->labelEditor(), Qt::Key_Escape);
    EXPECT_EQ(second->m_label, "Intro, \"cold\"");
    QTest::mouseDClick(panel->entries().at(0)->labelText(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_TRUE(panel->entries().at(0)->labelEditor());
    QTest::keyClicks(panel->entries().at(0)->labelEditor(), "   ");
    QTest::keyClick(panel->entries().at(0)->labelEditor(), Qt::Key_Enter);
    EXPECT_EQ(first->m_label, "");
    EXPECT_EQ(named.count(), 1);

    // The unnamed third row becomes "Segment 2" when the first goes.
    QTest::mouseClick(reinterpret_cast<QWidget *>(panel->entries().at(0)->deleteButton()), Qt::LeftButton);
    ASSERT_EQ(panel->entries().size(), 2);
    EXPECT_EQ(panel->entries().at(1)->labelText()->text(), "Segment 2");
    EXPECT_EQ(panel->entries().at(0)->labelText()->text(), "Intro, \"cold\"");

    // Simple Mode draws the names on the boxes and edits them there.
    QTest::mouseClick(btn("m_btnStyleLine"), Qt::LeftButton);
    ASSERT_TRUE(panel->isSimpleMode());
    const QList<QTimeItem *> &boxes = panel->timeLine()->container()->items();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes.at(0)->label(), "Intro, \"cold\"");
    EXPECT_EQ(boxes.at(1)->label(), "");
    QTest::mouseDClick(boxes.at(1), Qt::LeftButton, Qt::NoModifier, QPoint(6, boxes.at(1)->height() / 2));
    EXPECT_EQ(currentIndex(), 1);
    auto *boxEditor = qobject_cast<QLineEdit *>(panel->labelEditor());
    ASSERT_TRUE(boxEditor);
    QTest::keyClicks(boxEditor, "Finale");
    QTest::keyClick(boxEditor, Qt::Key_Return);
    EXPECT_EQ(VoVideoConvertManager::instance()->itemAt(1)->m_label, "Finale");
    EXPECT_EQ(boxes.at(1)->label(), "Finale");
    EXPECT_EQ(panel->entries().at(1)->labelText()->text(), "Finale");

    // F2 renames the current segment; leaving the editor keeps the text.
    panel->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    QTest::keyClick(panel.get(), Qt::Key_F2);
    boxEditor = qobject_cast<QLineEdit *>(panel->labelEditor());
    ASSERT_TRUE(boxEditor);
    EXPECT_EQ(boxEditor->text(), "Finale");
    EXPECT_EQ(boxEditor->selectedText(), "Finale");
    QTest::keyClicks(boxEditor, "Credits");
    QTest::mouseClick(btn("m_btnStyleList"), Qt::LeftButton);
    QTRY_COMPARE(VoVideoConvertManager::instance()->itemAt(1)->m_label, QString("Credits"));
    EXPECT_EQ(named.count(), 3);
}
