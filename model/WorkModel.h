#pragma once
// The work a user edits, with one owner: the sources, the segments cut from
// them, the markers a search left on the timeline, the mode and the output
// settings. Every rule about times lives here and works in microseconds:
// a range stays inside its source, a start never passes its end, and in
// Simple Mode the segments lie in time order without overlap. The views
// draw what it holds and hear of each change by the segment's id, which
// stays with the segment through moves and edits and is never reused.
// Interface thread only.
#include "VEEditConfig.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QVector>
#include <cstdint>
#include <optional>

#include "TrackPlan.h"

// A file the segments are cut from. Segments name it by its place in the
// model's list of sources.
struct WorkSource {
    QString path;
    uint64_t duration_us = 0; // 0 while unknown: nothing is held to it

    bool operator==(const WorkSource &o) const { return path == o.path && duration_us == o.duration_us; }
    bool operator!=(const WorkSource &o) const { return !(*this == o); }
};

struct WorkSegment {
    quint64 id = 0; // given by the model; 0 asks for a new one
    int source = 0;
    uint64_t start_us = 0;
    uint64_t end_us = 0;
    QString label;
    VEEditConfig edit;

    uint64_t length_us() const { return end_us > start_us ? end_us - start_us : 0; }
    bool operator==(const WorkSegment &o) const
    {
        return id == o.id && source == o.source && start_us == o.start_us && end_us == o.end_us
            && label == o.label && edit == o.edit;
    }
    bool operator!=(const WorkSegment &o) const { return !(*this == o); }
};

enum class WorkMode {
    Normal, // segments as a free list: any order, overlaps allowed
    Simple, // segments side by side on one timeline
};

struct OutputSettings {
    bool lossless = false;
    QString format; // lower-case container name
    bool frameExact = false;
    bool merge = false;
    bool chaptersFromSegments = false;
    QString nameTemplate;

    bool operator==(const OutputSettings &o) const
    {
        return lossless == o.lossless && format == o.format && frameExact == o.frameExact && merge == o.merge
            && chaptersFromSegments == o.chaptersFromSegments && nameTemplate == o.nameTemplate;
    }
    bool operator!=(const OutputSettings &o) const { return !(*this == o); }
};

// One step of the user's work: what it changed, as it was before and as it
// is after. Only the segments the step touched are held (absent where the
// segment did not exist), the order of the list only when a segment came,
// went or moved, and the mode, markers and output settings only when they
// changed; the track plan likewise. Undo puts the "before" side back, redo
// the "after" side.
struct WorkStep {
    struct Segment {
        quint64 id = 0;
        std::optional<WorkSegment> before;
        std::optional<WorkSegment> after;
        bool operator==(const Segment &o) const { return id == o.id && before == o.before && after == o.after; }
    };
    QVector<Segment> segments;
    std::optional<QVector<quint64>> orderBefore, orderAfter;
    std::optional<WorkMode> modeBefore, modeAfter;
    std::optional<QVector<uint64_t>> markersBefore, markersAfter;
    std::optional<OutputSettings> outputBefore, outputAfter;
    std::optional<TrackPlan> planBefore, planAfter;

    bool isEmpty() const
    {
        return segments.isEmpty() && !orderAfter && !modeAfter && !markersAfter && !outputAfter && !planAfter;
    }
    // Takes a later step of the same thing in (a drag's next position):
    // this step's "before", the later one's "after".
    void absorb(const WorkStep &later);
};

class WorkModel : public QObject {
    Q_OBJECT
public:
    explicit WorkModel(QObject *parent = nullptr);

    // Sources.
    int sourceCount() const { return m_sources.size(); }
    const WorkSource &source(int index) const { return m_sources.at(index); }
    int addSource(const WorkSource &source);
    void setSourceDuration(int index, uint64_t duration_us);
    // Every source and segment goes (a new file, a new project), and the
    // markers and track plan with them.
    void clear();

    // Segments, in list order (time order in Simple Mode).
    int count() const { return m_segments.size(); }
    const WorkSegment &at(int index) const { return m_segments.at(index); }
    const QVector<WorkSegment> &segments() const { return m_segments; }
    int indexOf(quint64 id) const;
    const WorkSegment *find(quint64 id) const;

    // Puts a segment at index (appends when index lies outside), its range
    // held inside its source; returns its id.
    quint64 insertSegment(int index, WorkSegment segment);
    bool removeSegment(quint64 id);
    // To position to of the list as it stands without the segment.
    bool moveSegment(quint64 id, int to);
    // The rules applied to a wanted start or end; what was applied is
    // returned (the segment's time unchanged for an unknown id).
    uint64_t setStart(quint64 id, uint64_t start_us);
    uint64_t setEnd(quint64 id, uint64_t end_us);
    bool setLabel(quint64 id, const QString &label);
    bool setEdit(quint64 id, const VEEditConfig &edit);

    // What setStart / setEnd would apply, without applying it.
    uint64_t allowedStart(quint64 id, uint64_t start_us) const;
    uint64_t allowedEnd(quint64 id, uint64_t end_us) const;
    // The stretch a segment's edges may use: the source, and in Simple Mode
    // the previous segment's end and the next one's start.
    uint64_t lowestStart(quint64 id) const;
    uint64_t highestEnd(quint64 id) const;

    // Takes the segments of another holder as they stand now: a segment
    // with a known id is updated in place (and moved to its new position),
    // one with id 0 or an unknown id is inserted, and those not given are
    // removed, each reported as a single change. Ranges are taken as they
    // are, so that the model never disagrees with what it was given; the
    // rules apply to the next change. Returns the ids in the given order.
    QVector<quint64> assignSegments(const QVector<WorkSegment> &segments);

    WorkMode mode() const { return m_mode; }
    void setMode(WorkMode mode);
    const QVector<uint64_t> &markers() const { return m_markers; }
    void setMarkers(const QVector<uint64_t> &markers_us);
    const OutputSettings &output() const { return m_output; }
    void setOutput(const OutputSettings &output);
    // The streams every output of the work keeps, in which order, named
    // how and shifted by how much (empty: as the segments' stream choice
    // says). One per work; it names the source it is for.
    const TrackPlan &trackPlan() const { return m_plan; }
    void setTrackPlan(const TrackPlan &plan);

    // The changes since the last step was taken, as one step (empty when
    // everything changed back). Collecting starts again afterwards.
    WorkStep takeStep();
    // Changes so far belong to no step (new work, or the views taken in
    // after an undo).
    void forgetChanges() { m_pending = Pending(); }
    // Puts one side of a step back: "before" for undo, "after" for redo.
    // Records are restored exactly as held, ids included, and each change
    // is reported as the user's own are; nothing of it is collected.
    void applyStep(const WorkStep &step, bool undo);

    // A view says that one thing the user did has ended, and what it was
    // called ("Delete Segment 2"): the history records it as one step.
    // Steps with the same merge key taken during one drag become a single
    // step (0: never merged).
    void noteStep(const QString &text, quint64 mergeKey = 0) { emit stepTaken(text, mergeKey); }
    // The key that merges the steps of one segment's drag, by the part
    // dragged (its start, its end, or the whole box).
    enum class DragPart : quint64 { Start = 1, End = 2, Whole = 3 };
    static quint64 dragKey(quint64 id, DragPart part) { return id * 4 + quint64(part); }
    // The drag whose steps were joining has ended: the next step is new.
    void endDrag() { emit dragEnded(); }

signals:
    void segmentInserted(quint64 id, int index);
    void segmentRemoved(quint64 id, int index);
    void segmentMoved(quint64 id, int from, int to);
    void segmentChanged(quint64 id);
    void sourcesChanged();
    void modeChanged(WorkMode mode);
    void markersChanged();
    void outputChanged();
    void trackPlanChanged();
    void stepTaken(const QString &text, quint64 mergeKey);
    void dragEnded();

private:
    uint64_t durationOf(const WorkSegment &segment) const;
    uint64_t heldToSource(const WorkSegment &segment, uint64_t t) const;
    quint64 takeId(quint64 wanted);
    // Before a change: keeps what it changes as it was, once per step.
    void touch(quint64 id);
    void touchOrder();
    QVector<quint64> order() const;

    struct Pending {
        QVector<quint64> ids; // touched segments, first touch first
        QHash<quint64, std::optional<WorkSegment>> before;
        std::optional<QVector<quint64>> order;
        std::optional<WorkMode> mode;
        std::optional<QVector<uint64_t>> markers;
        std::optional<OutputSettings> output;
        std::optional<TrackPlan> plan;
    } m_pending;
    bool m_applying = false;

    QVector<WorkSource> m_sources;
    QVector<WorkSegment> m_segments;
    WorkMode m_mode = WorkMode::Normal;
    QVector<uint64_t> m_markers;
    OutputSettings m_output;
    TrackPlan m_plan;
    quint64 m_lastId = 0;
};
