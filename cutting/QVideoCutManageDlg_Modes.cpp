// The segment manager's two modes and the list's size: the switch to
// Simple Mode with its order check and normalisation, the timeline's
// reports, and expanding, collapsing and sizing the list.
#include "QVideoCutManageDlg.h"

#include "AppPaths.h"
#include "ParserXML.h"
#include "QButtonListDlg.h"
#include "QImageButton.h"
#include "QSimpleTimeLine.h"
#include "QSliderCtrlBtn.h"
#include "QVideoConvertItem.h"
#include "QVoMessageBox.h"
#include "SegmentOrder.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"
#include "WorkModel.h"

#include <QMouseEvent>
#include <QPointer>
#include <QScrollArea>

QVector<SegmentRange> QVideoCutManageDlg::segmentRanges() const
{
    QVector<SegmentRange> ranges;
    for (QVideoConvertItem *entry : qAsConst(m_entries)) {
        const VoVideoConvertItem *item = entry->item();
        ranges.append({item->m_TrimStartTime, item->m_TrimEndTime, item->m_duration});
    }
    return ranges;
}

void QVideoCutManageDlg::normaliseForSimpleMode()
{
    QVector<SegmentRange> ranges = segmentRanges();
    const QVector<int> removed = normaliseForTimeline(ranges);
    // Changed starts first, while the rows still match the ranges.
    for (int i = 0; i < m_entries.size(); ++i) {
        QVideoConvertItem *entry = m_entries.at(i);
        if (removed.contains(i))
            continue;
        if (entry->item()->m_TrimStartTime != ranges.at(i).start)
            entry->startTimeChange(ranges.at(i).start);
    }
    for (int k = removed.size() - 1; k >= 0; --k)
        removeEntryAt(removed.at(k));
}

void QVideoCutManageDlg::requestSimpleMode(std::function<void(bool)> then)
{
    // One timeline shows one file's times: segments of several files stay
    // in the list, which shows each one's file.
    const int files = sourcePaths().size();
    if (files > 1) {
        QVoMessageBox::showMessage(this,
                                   tr("The Simple Mode lays out the segments of one file. This work cuts from %1 "
                                      "files, so its segments stay in the list.")
                                       .arg(files),
                                   productTitle(), QVoMessageBox::Warning, QVoMessageBox::OkButton, {},
                                   QStringLiteral("simpleModeSeveralFiles"));
        if (then)
            then(false);
        return;
    }
    if (segmentsInTimelineOrder(segmentRanges())) {
        enterSimpleMode();
        if (then)
            then(true);
        return;
    }
    static const QString name = QStringLiteral("simpleModeQuestion");
    // One question at a time: a second request while it is open is the
    // same request, and the open question answers it.
    if (QVoMessageBox::openBoxNamed(this, name)) {
        if (then)
            then(false);
        return;
    }
    QPointer<QVideoCutManageDlg> self(this);
    QVoMessageBox::showMessage(
        this, tr("Switching to the Simple Mode will change the segment length!"), productTitle(),
        QVoMessageBox::Warning, QVoMessageBox::YesNoButtons,
        [self, then](int answer) {
            if (!self)
                return;
            const bool switching = answer == QVoMessageBox::Yes && !self->m_bConverting;
            if (switching) {
                // Read again, not the ranges asked about: while the question
                // was open segments may have come (an add waiting for its
                // picture, a list placed) or gone.
                self->normaliseForSimpleMode();
                self->enterSimpleMode();
            }
            if (then)
                then(switching);
        },
        name);
}

void QVideoCutManageDlg::enterSimpleMode()
{
    if (!m_entries.isEmpty()) {
        m_timeLine->clear();
        fillTimeline();
        QVideoConvertItem *selected = nullptr;
        for (QVideoConvertItem *entry : qAsConst(m_entries))
            if (entry->state() == 2) {
                selected = entry;
                break;
            }
        if (!selected)
            selected = m_entries.first();
        m_bSimpleMode = true;
        m_currentEntry = nullptr;
        makeCurrent(selected, true);
        emit emitSelectItemChange();
        // Clearing the timeline dropped its ruler and its pictures; the
        // segments are shown over their file again.
        m_timeLine->setTime(selected->item()->m_duration);
        setLineBgImage(selected->item());
        setPageButtonsVisibility();
    }
    ParserXML::writeItemValue(QStringLiteral("LISTMODEL_ITEM"), QStringLiteral("ListModel_Line"), QStringLiteral("Y"));
    m_bSimpleMode = true;
    scrollArea->hide();
    m_timeLine->show();
    m_btnStyleLine->hide();
    m_btnStyleList->show();
    m_btnDelete->show();
    m_btnEdit->show();
    m_btnUp->hide();
    m_btnDown->hide();
    refresh();
}

void QVideoCutManageDlg::fillTimeline()
{
    for (QVideoConvertItem *entry : qAsConst(m_entries)) {
        const VoVideoConvertItem *item = entry->item();
        const double d = item->m_duration ? static_cast<double>(item->m_duration) : 1.0;
        TimeItemInfo info;
        info.startPos = static_cast<float>(static_cast<double>(item->m_TrimStartTime) / d);
        info.endPos = item->m_TrimEndTime == 0 ? 1.0f : static_cast<float>(static_cast<double>(item->m_TrimEndTime) / d);
        info.length = info.endPos - info.startPos;
        info.minStart = 0;
        info.maxEnd = 0;
        m_timeLine->addTrimTime(info);
    }
    refreshLabels();
}

void QVideoCutManageDlg::OnStyleLine() { requestSimpleMode({}); }

void QVideoCutManageDlg::OnStyleList()
{
    ParserXML::writeItemValue(QStringLiteral("LISTMODEL_ITEM"), QStringLiteral("ListModel_Line"), QStringLiteral("N"));
    showList();
}

void QVideoCutManageDlg::showList()
{
    m_timeLine->clear();
    m_bSimpleMode = false;
    scrollArea->show();
    m_timeLine->hide();
    m_btnStyleLine->show();
    m_btnStyleList->hide();
    m_btnDelete->hide();
    m_btnEdit->hide();
    m_btnUp->show();
    m_btnDown->show();
    refresh();
}

void QVideoCutManageDlg::timeItemInfoChange(TimeItemInfo info, int index, bool flag)
{
    QVideoConvertItem *entry = m_entries.value(index);
    if (!entry || !entry->item())
        return;
    if (entry != m_currentEntry)
        makeCurrent(entry, false);
    VoVideoConvertItem *item = entry->item();
    const double d = static_cast<double>(item->m_duration);
    // The timeline keeps fractions in single precision; an edge it reports
    // unmoved keeps its exact time, or merely selecting a segment would
    // shift it by a few microseconds.
    auto timeOf = [d](float fraction, uint64_t held) {
        if (d > 0 && static_cast<float>(static_cast<double>(held) / d) == fraction)
            return held;
        return static_cast<uint64_t>(d * fraction);
    };
    const uint64_t start = timeOf(info.startPos, item->m_TrimStartTime);
    const uint64_t end = timeOf(info.endPos, item->m_TrimEndTime == 0 ? item->m_duration : item->m_TrimEndTime);
    noteDrag(index, start != item->m_TrimStartTime,
             end != (item->m_TrimEndTime == 0 ? item->m_duration : item->m_TrimEndTime));
    item->m_TrimStartTime = start;
    item->m_TrimEndTime = end;
    emit sendPlayProToPlay(flag ? start : end);
    entry->setTrim(start, end);
    emit emitSelectItemChange();
    updateMoveButtons();
}

TimeItemInfo QVideoCutManageDlg::currentTimeItemInfo() const
{
    return m_timeLine->currentInfo();
}

void QVideoCutManageDlg::setTimelineStart(double fraction)
{
    TimeItemInfo info = m_timeLine->currentInfo();
    if (m_timeLine->count() == 0)
        return;
    info.startPos = static_cast<float>(fraction);
    info.length = info.endPos - info.startPos;
    m_timeLine->setCurrentTimeItemInfoChange(info);
}

void QVideoCutManageDlg::setTimelineEnd(double fraction)
{
    TimeItemInfo info = m_timeLine->currentInfo();
    if (m_timeLine->count() == 0)
        return;
    info.endPos = static_cast<float>(fraction);
    info.length = info.endPos - info.startPos;
    m_timeLine->setCurrentTimeItemInfoChange(info);
}

void QVideoCutManageDlg::setTimelineTotal(uint64_t duration)
{
    m_timeLine->setTime(duration);
}

WorkSegment QVideoCutManageDlg::segmentOf(const VoVideoConvertItem *item)
{
    WorkSegment segment;
    segment.start_us = item->m_TrimStartTime;
    segment.end_us = item->m_TrimEndTime == 0 ? item->m_duration : item->m_TrimEndTime;
    segment.label = item->m_label;
    segment.edit = item->m_editConfig;
    return segment;
}

WorkModel *QVideoCutManageDlg::work()
{
    if (m_holdWork)
        return m_work;
    QVector<WorkSegment> segments;
    segments.reserve(m_entries.size());
    for (QVideoConvertItem *entry : qAsConst(m_entries)) {
        VoVideoConvertItem *item = entry->item();
        if (!item)
            continue;
        int source = -1;
        for (int i = 0; i < m_work->sourceCount() && source < 0; ++i)
            if (m_work->source(i).path == item->m_videoPath)
                source = i;
        if (source < 0)
            source = m_work->addSource({item->m_videoPath, item->m_duration});
        m_work->setSourceDuration(source, item->m_duration);
        WorkSegment segment = segmentOf(item);
        segment.id = item->m_segmentId;
        segment.source = source;
        segments.append(segment);
    }
    m_work->setMode(m_bSimpleMode ? WorkMode::Simple : WorkMode::Normal);
    m_work->setMarkers(m_timeLine->markers());
    const QVector<quint64> ids = m_work->assignSegments(segments);
    int next = 0;
    for (QVideoConvertItem *entry : qAsConst(m_entries))
        if (VoVideoConvertItem *item = entry->item())
            item->m_segmentId = ids.at(next++);
    return m_work;
}

bool QVideoCutManageDlg::timelineHasRoomAtEnd() const
{
    return m_timeLine->hasRoomAtEnd();
}

void QVideoCutManageDlg::showModeButtons()
{
    m_btnStyleLine->setVisible(!m_bSimpleMode);
    m_btnStyleList->setVisible(m_bSimpleMode);
}

void QVideoCutManageDlg::setFixedPanelHeight(int height)
{
    setMinimumHeight(height);
    setMaximumHeight(height);
}

void QVideoCutManageDlg::OnBtnShowList()
{
    m_btnShowList->hide();
    m_btnHideList->show();
    m_btnSize->show();
    m_pageButtons->hide();
    m_btnStyleLine->setEnabled(true);
    m_btnStyleList->setEnabled(true);
    showModeButtons();
    m_btnDelete->setVisible(m_bSimpleMode);
    m_btnEdit->setVisible(m_bSimpleMode);
    m_btnUp->setVisible(!m_bSimpleMode);
    m_btnDown->setVisible(!m_bSimpleMode);
    if (!m_bListExpanded) {
        m_bListExpanded = true;
        setFixedPanelHeight(collapsedHeight + listHeightDefault + m_extraHeight);
        emit emitChangeHeight(listHeightDefault + m_extraHeight, true);
    }
}

void QVideoCutManageDlg::OnBtnHideList()
{
    m_btnShowList->show();
    m_btnHideList->hide();
    m_btnSize->hide();
    m_btnStyleLine->setEnabled(false);
    m_btnStyleList->setEnabled(false);
    showModeButtons();
    m_btnDelete->hide();
    m_btnEdit->hide();
    m_btnUp->hide();
    m_btnDown->hide();
    if (m_bListExpanded) {
        m_bListExpanded = false;
        setFixedPanelHeight(collapsedHeight);
        emit emitChangeHeight(listHeightDefault + m_extraHeight, false);
    }
    setPageButtonsVisibility();
}

void QVideoCutManageDlg::btnSizeMouseDown(QMouseEvent *event, int)
{
    // Measured from where the pointer went down, so that a press without a
    // move changes nothing.
    m_dragOriginY = event ? event->globalPos().y() : m_btnSize->mapToGlobal(QPoint(0, 0)).y();
    m_dragStartExtra = qMax(0, height() - collapsedHeight - listHeightDefault);
    m_dragSpare = m_playerPanel ? qMax(0, m_playerPanel->height() - 300) : QWIDGETSIZE_MAX / 2;
}

void QVideoCutManageDlg::btnSizeMouseMove(QMouseEvent *event, int)
{
    if (!event)
        return;
    const int d = event->globalPos().y() - m_dragOriginY;
    if (d > 0)
        m_extraHeight = qMax(0, m_dragStartExtra - d);
    else
        m_extraHeight = m_dragStartExtra + qMin(-d, m_dragSpare);
    setFixedPanelHeight(collapsedHeight + listHeightDefault + m_extraHeight);
}

void QVideoCutManageDlg::setListHeight(int extra)
{
    m_extraHeight = qMax(0, extra);
    if (m_bListExpanded)
        setFixedPanelHeight(collapsedHeight + listHeightDefault + m_extraHeight);
}
