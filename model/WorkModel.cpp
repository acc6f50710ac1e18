#include "WorkModel.h"

#include <QSet>
#include <algorithm>
#include <limits>

namespace {
constexpr uint64_t kNoLimit = std::numeric_limits<uint64_t>::max();
}

WorkModel::WorkModel(QObject *parent) : QObject(parent) {}

int WorkModel::addSource(const WorkSource &source)
{
    m_sources.append(source);
    emit sourcesChanged();
    return m_sources.size() - 1;
}

void WorkModel::setSourceDuration(int index, uint64_t duration_us)
{
    if (index < 0 || index >= m_sources.size() || m_sources[index].duration_us == duration_us)
        return;
    m_sources[index].duration_us = duration_us;
    emit sourcesChanged();
}

void WorkModel::clear()
{
    while (!m_segments.isEmpty())
        removeSegment(m_segments.last().id);
    if (!m_sources.isEmpty()) {
        m_sources.clear();
        emit sourcesChanged();
    }
    setMarkers({});
    setTrackPlan(TrackPlan());
}

int WorkModel::indexOf(quint64 id) const
{
    for (int i = 0; i < m_segments.size(); ++i)
        if (m_segments[i].id == id)
            return i;
    return -1;
}

const WorkSegment *WorkModel::find(quint64 id) const
{
    const int i = indexOf(id);
    return i < 0 ? nullptr : &m_segments[i];
}

uint64_t WorkModel::durationOf(const WorkSegment &segment) const
{
    if (segment.source < 0 || segment.source >= m_sources.size() || m_sources[segment.source].duration_us == 0)
        return kNoLimit;
    return m_sources[segment.source].duration_us;
}

uint64_t WorkModel::heldToSource(const WorkSegment &segment, uint64_t t) const
{
    return std::min(t, durationOf(segment));
}

quint64 WorkModel::takeId(quint64 wanted)
{
    // An id another holder already gave the segment is kept, so that both
    // speak of it alike; the counter moves past it so it is never given again.
    if (wanted != 0 && indexOf(wanted) < 0) {
        m_lastId = std::max(m_lastId, wanted);
        return wanted;
    }
    return ++m_lastId;
}

quint64 WorkModel::insertSegment(int index, WorkSegment segment)
{
    segment.id = takeId(segment.id);
    segment.end_us = heldToSource(segment, segment.end_us);
    segment.start_us = std::min(heldToSource(segment, segment.start_us), segment.end_us);
    if (index < 0 || index > m_segments.size())
        index = m_segments.size();
    touch(segment.id);
    touchOrder();
    m_segments.insert(index, segment);
    emit segmentInserted(segment.id, index);
    return segment.id;
}

bool WorkModel::removeSegment(quint64 id)
{
    const int i = indexOf(id);
    if (i < 0)
        return false;
    touch(id);
    touchOrder();
    m_segments.removeAt(i);
    emit segmentRemoved(id, i);
    return true;
}

bool WorkModel::moveSegment(quint64 id, int to)
{
    const int from = indexOf(id);
    // On the timeline the list order is the time order.
    if (from < 0 || m_mode == WorkMode::Simple)
        return false;
    to = std::max(0, std::min(to, m_segments.size() - 1));
    if (to == from)
        return false;
    touchOrder();
    m_segments.move(from, to);
    emit segmentMoved(id, from, to);
    return true;
}

uint64_t WorkModel::lowestStart(quint64 id) const
{
    const int i = indexOf(id);
    if (i <= 0 || m_mode != WorkMode::Simple)
        return 0;
    return m_segments[i - 1].end_us;
}

uint64_t WorkModel::highestEnd(quint64 id) const
{
    const int i = indexOf(id);
    if (i < 0)
        return 0;
    const uint64_t end = durationOf(m_segments[i]);
    if (m_mode != WorkMode::Simple || i == m_segments.size() - 1)
        return end;
    return std::min(end, m_segments[i + 1].start_us);
}

uint64_t WorkModel::allowedStart(quint64 id, uint64_t start_us) const
{
    const WorkSegment *segment = find(id);
    if (!segment)
        return start_us;
    // The neighbour first, then the segment's own end: a start typed before
    // the previous segment's end becomes that end exactly, and one typed
    // past the segment's end is held at it.
    const uint64_t t = heldToSource(*segment, std::max(start_us, lowestStart(id)));
    return std::min(t, segment->end_us);
}

uint64_t WorkModel::allowedEnd(quint64 id, uint64_t end_us) const
{
    const WorkSegment *segment = find(id);
    if (!segment)
        return end_us;
    return std::max(std::min(end_us, highestEnd(id)), segment->start_us);
}

uint64_t WorkModel::setStart(quint64 id, uint64_t start_us)
{
    const int i = indexOf(id);
    if (i < 0)
        return start_us;
    const uint64_t t = allowedStart(id, start_us);
    if (m_segments[i].start_us != t) {
        touch(id);
        m_segments[i].start_us = t;
        emit segmentChanged(id);
    }
    return t;
}

uint64_t WorkModel::setEnd(quint64 id, uint64_t end_us)
{
    const int i = indexOf(id);
    if (i < 0)
        return end_us;
    const uint64_t t = allowedEnd(id, end_us);
    if (m_segments[i].end_us != t) {
        touch(id);
        m_segments[i].end_us = t;
        emit segmentChanged(id);
    }
    return t;
}

bool WorkModel::setLabel(quint64 id, const QString &label)
{
    const int i = indexOf(id);
    const QString trimmed = label.trimmed();
    if (i < 0 || m_segments[i].label == trimmed)
        return false;
    touch(id);
    m_segments[i].label = trimmed;
    emit segmentChanged(id);
    return true;
}

bool WorkModel::setEdit(quint64 id, const VEEditConfig &edit)
{
    const int i = indexOf(id);
    if (i < 0 || m_segments[i].edit == edit)
        return false;
    touch(id);
    m_segments[i].edit = edit;
    emit segmentChanged(id);
    return true;
}

QVector<quint64> WorkModel::assignSegments(const QVector<WorkSegment> &segments)
{
    QSet<quint64> given;
    for (const WorkSegment &s : segments)
        if (s.id != 0)
            given.insert(s.id);
    for (int i = m_segments.size() - 1; i >= 0; --i) {
        if (!given.contains(m_segments[i].id)) {
            const quint64 id = m_segments[i].id;
            touch(id);
            touchOrder();
            m_segments.removeAt(i);
            emit segmentRemoved(id, i);
        }
    }
    // Every place before i holds what was given for it; what is given for i
    // lies further on or is new.
    QVector<quint64> ids;
    for (int i = 0; i < segments.size(); ++i) {
        WorkSegment wanted = segments[i];
        const int at = wanted.id != 0 ? indexOf(wanted.id) : -1;
        if (at < 0 || at < i) {
            wanted.id = takeId(wanted.id);
            touch(wanted.id);
            touchOrder();
            m_segments.insert(i, wanted);
            emit segmentInserted(wanted.id, i);
        } else {
            if (at != i) {
                touchOrder();
                m_segments.move(at, i);
                emit segmentMoved(wanted.id, at, i);
            }
            if (m_segments[i] != wanted) {
                touch(wanted.id);
                m_segments[i] = wanted;
                emit segmentChanged(wanted.id);
            }
        }
        ids.append(wanted.id);
    }
    return ids;
}

void WorkModel::setMode(WorkMode mode)
{
    if (m_mode == mode)
        return;
    if (!m_applying && !m_pending.mode)
        m_pending.mode = m_mode;
    m_mode = mode;
    emit modeChanged(mode);
}

void WorkModel::setMarkers(const QVector<uint64_t> &markers_us)
{
    if (m_markers == markers_us)
        return;
    if (!m_applying && !m_pending.markers)
        m_pending.markers = m_markers;
    m_markers = markers_us;
    emit markersChanged();
}

void WorkModel::setOutput(const OutputSettings &output)
{
    if (m_output == output)
        return;
    if (!m_applying && !m_pending.output)
        m_pending.output = m_output;
    m_output = output;
    emit outputChanged();
}

void WorkModel::setTrackPlan(const TrackPlan &plan)
{
    if (m_plan == plan)
        return;
    if (!m_applying && !m_pending.plan)
        m_pending.plan = m_plan;
    m_plan = plan;
    emit trackPlanChanged();
}

// --- steps ------------------------------------------------------------------

void WorkModel::touch(quint64 id)
{
    if (m_applying || m_pending.before.contains(id))
        return;
    const WorkSegment *segment = find(id);
    m_pending.before.insert(id, segment ? std::optional<WorkSegment>(*segment) : std::nullopt);
    m_pending.ids.append(id);
}

void WorkModel::touchOrder()
{
    if (!m_applying && !m_pending.order)
        m_pending.order = order();
}

QVector<quint64> WorkModel::order() const
{
    QVector<quint64> ids;
    ids.reserve(m_segments.size());
    for (const WorkSegment &s : m_segments)
        ids.append(s.id);
    return ids;
}

WorkStep WorkModel::takeStep()
{
    WorkStep step;
    for (quint64 id : qAsConst(m_pending.ids)) {
        WorkStep::Segment change;
        change.id = id;
        change.before = m_pending.before.value(id);
        if (const WorkSegment *now = find(id))
            change.after = *now;
        if (change.before != change.after)
            step.segments.append(change);
    }
    if (m_pending.order && *m_pending.order != order()) {
        step.orderBefore = m_pending.order;
        step.orderAfter = order();
    }
    if (m_pending.mode && *m_pending.mode != m_mode) {
        step.modeBefore = m_pending.mode;
        step.modeAfter = m_mode;
    }
    if (m_pending.markers && *m_pending.markers != m_markers) {
        step.markersBefore = m_pending.markers;
        step.markersAfter = m_markers;
    }
    if (m_pending.output && *m_pending.output != m_output) {
        step.outputBefore = m_pending.output;
        step.outputAfter = m_output;
    }
    if (m_pending.plan && *m_pending.plan != m_plan) {
        step.planBefore = m_pending.plan;
        step.planAfter = m_plan;
    }
    m_pending = Pending();
    return step;
}

void WorkModel::applyStep(const WorkStep &step, bool undo)
{
    // Changes made since the last step belong to no step any more.
    m_pending = Pending();
    m_applying = true;
    const auto wanted = [undo](const WorkStep::Segment &s) -> const std::optional<WorkSegment> & {
        return undo ? s.before : s.after;
    };
    const std::optional<WorkMode> &mode = undo ? step.modeBefore : step.modeAfter;
    if (mode && *mode != m_mode) {
        m_mode = *mode;
        emit modeChanged(m_mode);
    }
    // Those the other side does not have go first, so that places are free.
    for (const WorkStep::Segment &s : step.segments) {
        const int i = indexOf(s.id);
        if (!wanted(s) && i >= 0) {
            m_segments.removeAt(i);
            emit segmentRemoved(s.id, i);
        }
    }
    // Then the list takes the other side's order; every place before i
    // already holds what the order names for it.
    if (const std::optional<QVector<quint64>> &order = undo ? step.orderBefore : step.orderAfter) {
        for (int i = 0; i < order->size(); ++i) {
            const quint64 id = order->at(i);
            const int at = indexOf(id);
            if (at == i)
                continue;
            if (at > i) {
                m_segments.move(at, i);
                emit segmentMoved(id, at, i);
                continue;
            }
            for (const WorkStep::Segment &s : step.segments) {
                if (s.id != id || !wanted(s))
                    continue;
                WorkSegment segment = *wanted(s);
                segment.id = id;
                m_lastId = std::max(m_lastId, id);
                const int place = std::min(i, m_segments.size());
                m_segments.insert(place, segment);
                emit segmentInserted(id, place);
                break;
            }
        }
    }
    for (const WorkStep::Segment &s : step.segments) {
        const int i = indexOf(s.id);
        if (i >= 0 && wanted(s) && m_segments[i] != *wanted(s)) {
            m_segments[i] = *wanted(s);
            emit segmentChanged(s.id);
        }
    }
    const std::optional<QVector<uint64_t>> &markers = undo ? step.markersBefore : step.markersAfter;
    if (markers && *markers != m_markers) {
        m_markers = *markers;
        emit markersChanged();
    }
    const std::optional<OutputSettings> &output = undo ? step.outputBefore : step.outputAfter;
    if (output && *output != m_output) {
        m_output = *output;
        emit outputChanged();
    }
    const std::optional<TrackPlan> &plan = undo ? step.planBefore : step.planAfter;
    if (plan && *plan != m_plan) {
        m_plan = *plan;
        emit trackPlanChanged();
    }
    m_applying = false;
}

void WorkStep::absorb(const WorkStep &later)
{
    for (const Segment &s : later.segments) {
        auto it = std::find_if(segments.begin(), segments.end(), [&](const Segment &mine) { return mine.id == s.id; });
        if (it == segments.end())
            segments.append(s);
        else
            it->after = s.after;
    }
    segments.erase(std::remove_if(segments.begin(), segments.end(),
                                  [](const Segment &s) { return s.before == s.after; }),
                   segments.end());
    const auto join = [](auto &before, auto &after, const auto &laterBefore, const auto &laterAfter) {
        if (!laterAfter)
            return;
        if (!before)
            before = laterBefore;
        after = laterAfter;
        if (*before == *after) {
            before.reset();
            after.reset();
        }
    };
    join(orderBefore, orderAfter, later.orderBefore, later.orderAfter);
    join(modeBefore, modeAfter, later.modeBefore, later.modeAfter);
    join(markersBefore, markersAfter, later.markersBefore, later.markersAfter);
    join(outputBefore, outputAfter, later.outputBefore, later.outputAfter);
    join(planBefore, planAfter, later.planBefore, later.planAfter);
}
