// Segment labels, shown on the rows and the timeline boxes and edited in
// place, and segments placed all at once (from a cut list, from chapters).
#include "QVideoCutManageDlg.h"

#include <QFileInfo>

#include "QSimpleTimeLine.h"
#include "QTimeContainer.h"
#include "QTimeItem.h"
#include "QVideoConvertItem.h"
#include "SegmentLabelEdit.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QScrollArea>
#include <QShortcut>

void QVideoCutManageDlg::setupLabelEditing()
{
    // F2 names the current segment wherever the focus is in the window,
    // as renaming does in file managers.
    auto *rename = new QShortcut(QKeySequence(Qt::Key_F2), this);
    rename->setContext(Qt::WindowShortcut);
    connect(rename, &QShortcut::activated, this, [this] {
        if (isVisible() && m_currentEntry)
            editLabel(m_entries.indexOf(m_currentEntry));
    });
    connect(m_timeLine, &QSimpleTimeLine::emitEditLabel, this, [this](int index) {
        if (QVideoConvertItem *entry = m_entries.value(index))
            if (entry != m_currentEntry)
                makeCurrent(entry, true);
        editLabel(index);
    });
}

QWidget *QVideoCutManageDlg::labelEditor() const
{
    // A closed editor is hidden at once and deleted later.
    if (m_timelineLabelEditor && !m_timelineLabelEditor->isHidden())
        return m_timelineLabelEditor;
    for (QVideoConvertItem *entry : m_entries)
        if (entry->labelEditor() && !entry->labelEditor()->isHidden())
            return entry->labelEditor();
    return nullptr;
}

void QVideoCutManageDlg::editLabel(int index)
{
    QVideoConvertItem *entry = m_entries.value(index);
    if (!entry || !entry->item() || m_bConverting)
        return;
    if (!m_bSimpleMode) {
        if (!m_bListExpanded)
            OnBtnShowList();
        scrollArea->ensureWidgetVisible(entry);
        entry->beginLabelEdit();
        return;
    }
    QTimeItem *box = m_timeLine->container()->items().value(index);
    if (!box || (m_timelineLabelEditor && !m_timelineLabelEditor->isHidden()))
        return;
    QWidget *host = m_timeLine->container();
    QRect where(box->x() + 2, box->y() + 2, qMax(box->width() - 4, 140), 22);
    if (where.right() > host->width() - 1)
        where.moveRight(host->width() - 1);
    where.moveLeft(qMax(0, where.left()));
    VoVideoConvertItem *item = entry->item();
    SegmentLabelEdit *edit = SegmentLabelEdit::open(host, where, item->m_label);
    edit->setAccessibleName(tr("Segment Label"));
    m_timelineLabelEditor = edit;
    QPointer<VoVideoConvertItem> guarded(item);
    connect(edit, &SegmentLabelEdit::committed, this, [this, guarded](const QString &label) {
        if (!guarded || guarded->m_label == label)
            return;
        guarded->m_label = label;
        refreshLabels();
        emit emitLabelChanged(guarded->m_index);
        noteStep(tr("Rename Segment %1").arg(guarded->m_index + 1));
    });
}

QColor QVideoCutManageDlg::sourceColour(int place)
{
    // Told apart on the rows' dark red and by most eyes that mix up reds
    // and greens.
    static const QColor colours[] = {QColor(86, 180, 233), QColor(230, 159, 0), QColor(0, 158, 115),
                                     QColor(240, 228, 66), QColor(204, 121, 167), QColor(0, 114, 178)};
    return colours[place % int(sizeof colours / sizeof colours[0])];
}

QStringList QVideoCutManageDlg::sourcePaths() const
{
    QStringList paths;
    for (QVideoConvertItem *entry : qAsConst(m_entries))
        if (entry->item() && !paths.contains(entry->item()->m_videoPath))
            paths.append(entry->item()->m_videoPath);
    return paths;
}

void QVideoCutManageDlg::refreshSourceMarks()
{
    // A file keeps its colour while it stays in the work: colours go by the
    // order in which the files came, not by where their segments stand now.
    const QStringList paths = sourcePaths();
    for (const QString &path : paths)
        if (!m_sourceOrder.contains(path))
            m_sourceOrder.append(path);
    for (int i = m_sourceOrder.size() - 1; i >= 0; --i)
        if (!paths.contains(m_sourceOrder.at(i)))
            m_sourceOrder.removeAt(i);
    const bool several = paths.size() > 1;
    for (QVideoConvertItem *entry : qAsConst(m_entries)) {
        const VoVideoConvertItem *item = entry->item();
        if (!item || !several) {
            entry->setSourceMark(QColor(), QString());
            continue;
        }
        entry->setSourceMark(sourceColour(m_sourceOrder.indexOf(item->m_videoPath)),
                             QFileInfo(item->m_videoPath).fileName());
    }
}

void QVideoCutManageDlg::refreshLabels()
{
    refreshSourceMarks();
    for (int i = 0; i < m_entries.size(); ++i) {
        QVideoConvertItem *entry = m_entries.at(i);
        entry->refreshLabel();
        if (i < m_timeLine->count() && entry->item())
            m_timeLine->setLabel(i, entry->item()->m_label);
    }
}

bool QVideoCutManageDlg::placeSegments(const QList<VoVideoConvertItem *> &items, bool replace)
{
    if (items.isEmpty() || m_bConverting)
        return m_bSimpleMode;
    const int before = m_entries.size();
    const bool simple = m_bSimpleMode;
    // Rows first, with the items' own ranges; a Simple Mode panel would
    // put each new segment after the last instead.
    m_bSimpleMode = false;
    VoVideoConvertManager *list = VoVideoConvertManager::instance();
    for (VoVideoConvertItem *item : items) {
        item->m_isCurrent = false;
        list->insert(item, -1);
        addConvertItem(item);
    }
    // The old segments go after the new ones came, so the list is never
    // empty on the way and the file stays open in the player.
    if (replace)
        for (int i = before - 1; i >= 0; --i)
            removeEntryAt(i);
    m_currentEntry = nullptr;
    makeCurrent(m_entries.value(replace ? 0 : before), false);
    if (simple) {
        // The switch checks the order and asks before it changes anything.
        // Until the answer, and after a No, the panel is in Free Mode with
        // the list as given; a Yes switches, a step of its own.
        requestSimpleMode([this](bool switched) {
            if (switched)
                noteStep(tr("Switch to Simple Mode"));
        });
        if (!m_bSimpleMode)
            OnStyleList();
    }
    setPageButtonsVisibility();
    refresh();
    updateMoveButtons();
    refreshLabels();
    if (!m_bListExpanded)
        OnBtnShowList();
    emit emitSelectItemChange();
    return m_bSimpleMode == simple;
}
