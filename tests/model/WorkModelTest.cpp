// The work model's rules on a two-hour source, to the microsecond, and the
// changes it reports by segment id.
#include "WorkModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

constexpr uint64_t kSecond = 1000000;
constexpr uint64_t kTwoHours = 2 * 3600 * kSecond;

WorkSegment segment(uint64_t start, uint64_t end, const QString &label = {})
{
    WorkSegment s;
    s.start_us = start;
    s.end_us = end;
    s.label = label;
    return s;
}

// 0:00:00–1:00:00 and 1:01:40–1:03:20 of a two-hour file.
struct TwoSegments {
    WorkModel work;
    quint64 first = 0;
    quint64 second = 0;
    explicit TwoSegments(WorkMode mode)
    {
        work.addSource({QStringLiteral("/films/two-hours.mkv"), kTwoHours});
        work.setMode(mode);
        first = work.insertSegment(-1, segment(0, 3600 * kSecond));
        second = work.insertSegment(-1, segment(3700 * kSecond, 3800 * kSecond));
    }
    uint64_t start(quint64 id) const { return work.find(id)->start_us; }
    uint64_t end(quint64 id) const { return work.find(id)->end_us; }
};

} // namespace

TEST(WorkModel, SimpleModeStartBeforeThePreviousEndBecomesThatEndExactly)
{
    TwoSegments t(WorkMode::Simple);
    ASSERT_EQ(t.start(t.second), 3700 * kSecond);
    ASSERT_EQ(t.end(t.second), 3800 * kSecond);
    QSignalSpy changed(&t.work, &WorkModel::segmentChanged);

    // 0:59:56 is four seconds into the first segment.
    EXPECT_EQ(t.work.setStart(t.second, 3596 * kSecond), 3600 * kSecond);
    EXPECT_EQ(t.start(t.second), 3600 * kSecond);
    EXPECT_EQ(t.end(t.second), 3800 * kSecond);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<quint64>(), t.second);
    // One microsecond before the end is still inside the first segment.
    EXPECT_EQ(t.work.setStart(t.second, 3600 * kSecond - 1), 3600 * kSecond);
    EXPECT_EQ(changed.size(), 1); // nothing moved
    // At and after the previous end the typed time stands.
    EXPECT_EQ(t.work.setStart(t.second, 3600 * kSecond + 1), 3600 * kSecond + 1);
    EXPECT_EQ(t.work.setStart(t.second, 3600 * kSecond), 3600 * kSecond);
    EXPECT_EQ(t.work.setStart(t.second, 3650 * kSecond + 123), 3650 * kSecond + 123);
    // The first segment's end cannot pass into the second.
    EXPECT_EQ(t.work.setEnd(t.first, 3700 * kSecond), 3650 * kSecond + 123);
    EXPECT_EQ(t.work.setEnd(t.first, 1800 * kSecond), 1800 * kSecond);
    // Nothing typed before the previous end empties the segment.
    for (uint64_t typed : {uint64_t(0), 1799 * kSecond, 1800 * kSecond}) {
        EXPECT_EQ(t.work.setStart(t.second, typed), 1800 * kSecond);
        EXPECT_GT(t.work.find(t.second)->length_us(), 0u);
    }
    // The first segment has no left neighbour.
    EXPECT_EQ(t.work.lowestStart(t.first), 0u);
    EXPECT_EQ(t.work.highestEnd(t.second), kTwoHours);
}

TEST(WorkModel, NormalModeAllowsOverlapAndEveryModeHoldsRangesInsideTheSource)
{
    TwoSegments t(WorkMode::Normal);
    EXPECT_EQ(t.work.setStart(t.second, 3596 * kSecond), 3596 * kSecond);
    EXPECT_EQ(t.work.setEnd(t.first, 3700 * kSecond), 3700 * kSecond);

    for (WorkMode mode : {WorkMode::Normal, WorkMode::Simple}) {
        TwoSegments u(mode);
        // Past the end of the file: the end of the file, to the microsecond.
        EXPECT_EQ(u.work.setEnd(u.second, kTwoHours + 1), kTwoHours);
        EXPECT_EQ(u.work.setEnd(u.second, ~uint64_t(0)), kTwoHours);
        // A start past the segment's end is held at the end, an end before
        // the start at the start.
        EXPECT_EQ(u.work.setStart(u.second, kTwoHours + 5), kTwoHours);
        EXPECT_EQ(u.work.setEnd(u.second, 10 * kSecond), kTwoHours);
        EXPECT_EQ(u.work.setStart(u.second, 3700 * kSecond), 3700 * kSecond);
        EXPECT_EQ(u.work.setEnd(u.second, 10 * kSecond), 3700 * kSecond);
        // A new segment is held inside the file as it comes in.
        const quint64 late = u.work.insertSegment(-1, segment(kTwoHours + 7, kTwoHours + 9));
        EXPECT_EQ(u.work.find(late)->start_us, kTwoHours);
        EXPECT_EQ(u.work.find(late)->end_us, kTwoHours);
    }
    // A source of unknown length holds nothing.
    WorkModel open;
    open.addSource({QStringLiteral("/films/streaming.ts"), 0});
    const quint64 id = open.insertSegment(-1, segment(0, 5 * kSecond));
    EXPECT_EQ(open.setEnd(id, kTwoHours * 3), kTwoHours * 3);
}

TEST(WorkModel, MovesKeepIdsAndTimelineOrderRefusesThem)
{
    WorkModel work;
    work.addSource({QStringLiteral("/films/a.mp4"), kTwoHours});
    QVector<quint64> ids;
    for (int i = 0; i < 4; ++i)
        ids << work.insertSegment(-1, segment(i * 60 * kSecond, (i + 1) * 60 * kSecond, QString::number(i + 1)));
    QSignalSpy moved(&work, &WorkModel::segmentMoved);
    // Segment 3 to the top.
    ASSERT_TRUE(work.moveSegment(ids[2], 0));
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved.at(0).at(0).value<quint64>(), ids[2]);
    EXPECT_EQ(moved.at(0).at(1).toInt(), 2);
    EXPECT_EQ(moved.at(0).at(2).toInt(), 0);
    QStringList order;
    for (const WorkSegment &s : work.segments())
        order << s.label;
    EXPECT_EQ(order, (QStringList{"3", "1", "2", "4"}));
    EXPECT_EQ(work.indexOf(ids[2]), 0);
    EXPECT_EQ(work.indexOf(ids[3]), 3);
    // Past the end: the last place.
    ASSERT_TRUE(work.moveSegment(ids[0], 99));
    EXPECT_EQ(work.indexOf(ids[0]), 3);
    EXPECT_FALSE(work.moveSegment(ids[0], 3));
    // On the timeline the list order is the time order.
    work.setMode(WorkMode::Simple);
    EXPECT_FALSE(work.moveSegment(ids[1], 0));
    EXPECT_EQ(moved.size(), 2);

    // Ids are never given twice, even after a removal.
    QSignalSpy removed(&work, &WorkModel::segmentRemoved);
    ASSERT_TRUE(work.removeSegment(ids[3]));
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(removed.at(0).at(0).value<quint64>(), ids[3]);
    EXPECT_EQ(removed.at(0).at(1).toInt(), 2);
    const quint64 fresh = work.insertSegment(-1, segment(0, kSecond));
    EXPECT_TRUE(std::find(ids.begin(), ids.end(), fresh) == ids.end());
}

TEST(WorkModel, LabelAndEditChangesAreReportedOnceAndOnlyWhenSomethingChanged)
{
    WorkModel work;
    work.addSource({QStringLiteral("/films/a.mp4"), kTwoHours});
    const quint64 a = work.insertSegment(-1, segment(0, 10 * kSecond));
    const quint64 b = work.insertSegment(-1, segment(10 * kSecond, 20 * kSecond));
    QSignalSpy changed(&work, &WorkModel::segmentChanged);

    EXPECT_TRUE(work.setLabel(b, QStringLiteral("  Opening titles ")));
    EXPECT_EQ(work.find(b)->label, QStringLiteral("Opening titles"));
    EXPECT_FALSE(work.setLabel(b, QStringLiteral("Opening titles")));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<quint64>(), b);

    // Each part of the editing record counts, the watermark among them.
    VEEditConfig edit = work.find(a)->edit;
    edit.watermark.text = "(c) 2026";
    EXPECT_TRUE(work.setEdit(a, edit));
    EXPECT_EQ(work.find(a)->edit.watermark.text, "(c) 2026");
    EXPECT_FALSE(work.setEdit(a, edit));
    edit.soundEffect.fadeOut = 2 * kSecond;
    EXPECT_TRUE(work.setEdit(a, edit));
    VEAudioTrackEntry track;
    track.info.streamIndex = 1;
    track.info.sampleRate = 48000;
    edit.audioTracks.push_back(track);
    EXPECT_TRUE(work.setEdit(a, edit));
    edit.audioTracks.back().info.sampleRate = 44100;
    EXPECT_TRUE(work.setEdit(a, edit));
    edit.picture.hue = 30;
    EXPECT_TRUE(work.setEdit(a, edit));
    ASSERT_EQ(changed.size(), 6);
    for (int i = 1; i < changed.size(); ++i)
        EXPECT_EQ(changed.at(i).at(0).value<quint64>(), a);
    EXPECT_FALSE(work.setLabel(9999, QStringLiteral("nobody")));
    EXPECT_EQ(changed.size(), 6);
}

TEST(WorkModel, AssigningAnotherHoldersSegmentsReportsEachDifferenceByItsId)
{
    WorkModel work;
    work.addSource({QStringLiteral("/films/a.mp4"), kTwoHours});
    QVector<WorkSegment> given;
    for (int i = 0; i < 4; ++i) {
        WorkSegment s = segment(i * kSecond, (i + 1) * kSecond);
        s.id = 100 + i; // ids of the other holder
        given << s;
    }
    QSignalSpy inserted(&work, &WorkModel::segmentInserted);
    QSignalSpy removed(&work, &WorkModel::segmentRemoved);
    QSignalSpy moved(&work, &WorkModel::segmentMoved);
    QSignalSpy changed(&work, &WorkModel::segmentChanged);
    EXPECT_EQ(work.assignSegments(given), (QVector<quint64>{100, 101, 102, 103}));
    EXPECT_EQ(inserted.size(), 4);
    // The same again is no change.
    work.assignSegments(given);
    EXPECT_EQ(inserted.size() + removed.size() + moved.size() + changed.size(), 4);

    // 101 goes, 103 moves to the top, 102 gets a new end, a new one comes.
    QVector<WorkSegment> next{given[3], given[0], given[2], segment(50 * kSecond, 60 * kSecond)};
    next[2].end_us = 7 * kSecond;
    const QVector<quint64> ids = work.assignSegments(next);
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(removed.at(0).at(0).value<quint64>(), 101u);
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved.at(0).at(0).value<quint64>(), 103u);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<quint64>(), 102u);
    ASSERT_EQ(inserted.size(), 5);
    EXPECT_EQ(inserted.at(4).at(1).toInt(), 3);
    ASSERT_EQ(ids.size(), 4);
    EXPECT_GT(ids[3], 103u); // past every id seen
    QVector<quint64> order;
    for (const WorkSegment &s : work.segments())
        order << s.id;
    EXPECT_EQ(order, ids);
    EXPECT_EQ(work.find(102)->end_us, 7 * kSecond);
}

namespace {

QVector<WorkSegment> snapshot(const WorkModel &work) { return work.segments(); }

} // namespace

TEST(WorkModel, AStepHoldsOnlyWhatItChangedAndUndoAndRedoPutEitherSideBackExactly)
{
    TwoSegments t(WorkMode::Normal);
    const quint64 third = t.work.insertSegment(-1, segment(5000 * kSecond, 5100 * kSecond, QStringLiteral("credits")));
    t.work.takeStep(); // the work as opened
    const QVector<WorkSegment> opened = snapshot(t.work);

    // One step: a typed start, a label and a watermark, each on a segment.
    t.work.setStart(t.second, 3650 * kSecond + 7);
    t.work.setLabel(t.first, QStringLiteral("interview"));
    VEEditConfig edit = t.work.find(third)->edit;
    edit.watermark.text = "(c) 2026";
    t.work.setEdit(third, edit);
    const WorkStep changed = t.work.takeStep();
    ASSERT_EQ(changed.segments.size(), 3);
    EXPECT_EQ(changed.segments[0].id, t.second);
    EXPECT_EQ(changed.segments[1].id, t.first);
    EXPECT_EQ(changed.segments[2].id, third);
    EXPECT_FALSE(changed.orderAfter); // nothing came, went or moved
    const QVector<WorkSegment> typed = snapshot(t.work);

    // Another: the first goes, the third moves up, a new one comes.
    t.work.removeSegment(t.first);
    t.work.moveSegment(third, 0);
    const quint64 fresh = t.work.insertSegment(1, segment(100 * kSecond, 200 * kSecond));
    const WorkStep reshaped = t.work.takeStep();
    ASSERT_TRUE(reshaped.orderBefore && reshaped.orderAfter);
    EXPECT_EQ(*reshaped.orderBefore, (QVector<quint64>{t.first, t.second, third}));
    EXPECT_EQ(*reshaped.orderAfter, (QVector<quint64>{third, fresh, t.second}));
    const QVector<WorkSegment> after = snapshot(t.work);

    // A change that is changed back is no step.
    t.work.setEnd(t.second, 3900 * kSecond);
    t.work.setEnd(t.second, 3800 * kSecond);
    EXPECT_TRUE(t.work.takeStep().isEmpty());

    QSignalSpy inserted(&t.work, &WorkModel::segmentInserted);
    t.work.applyStep(reshaped, true);
    EXPECT_EQ(snapshot(t.work), typed); // the deleted segment back with its id
    EXPECT_EQ(inserted.size(), 1);
    t.work.applyStep(changed, true);
    EXPECT_EQ(snapshot(t.work), opened);
    EXPECT_TRUE(t.work.takeStep().isEmpty()); // undo is no step of its own
    t.work.applyStep(changed, false);
    EXPECT_EQ(snapshot(t.work), typed);
    t.work.applyStep(reshaped, false);
    EXPECT_EQ(snapshot(t.work), after);
    // Ids stay unique after segments came back.
    EXPECT_GT(t.work.insertSegment(-1, segment(0, kSecond)), fresh);
}

TEST(WorkModel, ADragsPositionsMergeIntoOneStepFromTheFirstBeforeToTheLastAfter)
{
    TwoSegments t(WorkMode::Simple);
    t.work.takeStep();
    const QVector<WorkSegment> before = snapshot(t.work);
    // The second segment's start dragged left in three moves; the third
    // runs into the first segment's end and is held there.
    WorkStep drag;
    for (uint64_t to : {3690 * kSecond, 3650 * kSecond, 3500 * kSecond}) {
        t.work.setStart(t.second, to);
        drag.absorb(t.work.takeStep());
    }
    ASSERT_EQ(drag.segments.size(), 1);
    EXPECT_EQ(drag.segments[0].before->start_us, 3700 * kSecond);
    EXPECT_EQ(drag.segments[0].after->start_us, 3600 * kSecond);
    const QVector<WorkSegment> dragged = snapshot(t.work);
    t.work.applyStep(drag, true);
    EXPECT_EQ(snapshot(t.work), before);
    t.work.applyStep(drag, false);
    EXPECT_EQ(snapshot(t.work), dragged);

    // Dragged back where it began: the merged step is empty.
    WorkStep there_and_back;
    t.work.setStart(t.second, 3650 * kSecond);
    there_and_back.absorb(t.work.takeStep());
    t.work.setStart(t.second, 3600 * kSecond);
    there_and_back.absorb(t.work.takeStep());
    EXPECT_TRUE(there_and_back.isEmpty());
}

TEST(WorkModel, ModeMarkersAndOutputAreStepsOfTheirOwnAndComeBackWithUndo)
{
    TwoSegments t(WorkMode::Normal);
    t.work.takeStep();
    t.work.setMode(WorkMode::Simple);
    t.work.setMarkers({5 * kSecond, 7 * kSecond});
    OutputSettings out = t.work.output();
    out.nameTemplate = QStringLiteral("{name}-{n}");
    t.work.setOutput(out);
    const WorkStep step = t.work.takeStep();
    EXPECT_TRUE(step.segments.isEmpty());
    QSignalSpy mode(&t.work, &WorkModel::modeChanged);
    t.work.applyStep(step, true);
    EXPECT_EQ(t.work.mode(), WorkMode::Normal);
    EXPECT_TRUE(t.work.markers().isEmpty());
    EXPECT_TRUE(t.work.output().nameTemplate.isEmpty());
    EXPECT_EQ(mode.size(), 1);
    t.work.applyStep(step, false);
    EXPECT_EQ(t.work.mode(), WorkMode::Simple);
    EXPECT_EQ(t.work.output(), out);
}

TEST(WorkModel, TheTrackPlanIsAStepOfItsOwnUndoneRedoneAndJoinedLikeTheRest)
{
    TwoSegments t(WorkMode::Normal);
    t.work.takeStep();
    ASSERT_TRUE(t.work.trackPlan().isEmpty());
    QSignalSpy planChanged(&t.work, &WorkModel::trackPlanChanged);

    TrackPlan plan;
    plan.sourcePath = "/films/two-hours.mkv";
    TrackPlanEntry picture;
    picture.stream = 0;
    picture.kind = 1;
    TrackPlanEntry sound;
    sound.stream = 1;
    sound.kind = 2;
    sound.language = "eng";
    sound.shiftMs = -200;
    TrackPlanEntry commentary;
    commentary.stream = 2;
    commentary.kind = 2;
    commentary.keep = false;
    plan.entries = {picture, sound, commentary};

    t.work.setTrackPlan(plan);
    EXPECT_EQ(planChanged.size(), 1);
    t.work.setTrackPlan(plan); // the same plan again changes nothing
    EXPECT_EQ(planChanged.size(), 1);
    const WorkStep first = t.work.takeStep();
    ASSERT_FALSE(first.isEmpty());
    EXPECT_TRUE(first.segments.isEmpty());
    ASSERT_TRUE(first.planBefore && first.planAfter);
    EXPECT_TRUE(first.planBefore->isEmpty());
    EXPECT_EQ(*first.planAfter, plan);

    // A second change (the title of the sound) is held from the plan before it.
    TrackPlan titled = plan;
    titled.entries[1].title = "Director";
    t.work.setTrackPlan(titled);
    const WorkStep second = t.work.takeStep();
    ASSERT_TRUE(second.planBefore && second.planAfter);
    EXPECT_EQ(*second.planBefore, plan);
    EXPECT_EQ(*second.planAfter, titled);

    t.work.applyStep(second, true);
    EXPECT_EQ(t.work.trackPlan(), plan);
    t.work.applyStep(first, true);
    EXPECT_TRUE(t.work.trackPlan().isEmpty());
    EXPECT_EQ(planChanged.size(), 4);
    EXPECT_TRUE(t.work.takeStep().isEmpty()); // undo is no step of its own
    t.work.applyStep(first, false);
    t.work.applyStep(second, false);
    EXPECT_EQ(t.work.trackPlan(), titled);

    // Joined: the first "before" and the last "after"; changed back, nothing.
    WorkStep joined = first;
    joined.absorb(second);
    EXPECT_TRUE(joined.planBefore->isEmpty());
    EXPECT_EQ(*joined.planAfter, titled);
    WorkStep back;
    back.planBefore = titled;
    back.planAfter = TrackPlan();
    joined.absorb(back);
    EXPECT_TRUE(joined.isEmpty());

    // Changed and changed back before the step is taken: no step.
    t.work.setTrackPlan(plan);
    t.work.setTrackPlan(titled);
    EXPECT_TRUE(t.work.takeStep().isEmpty());

    // New work has no plan.
    t.work.clear();
    EXPECT_TRUE(t.work.trackPlan().isEmpty());
}
