// Segment labels: shown on the rows and the timeline boxes, edited in place.
#include "QVideoCutManageDlg.h"

#include "QSimpleTimeLine.h"
#include "QTimeContainer.h"
#include "QTimeItem.h"
#include "QVideoConvertItem.h"
#include "SegmentLabelEdit.h"
#include "VoVideoConvertItem.h"

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
        if (entry->labelEditor())
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
    });
}

void QVideoCutManageDlg::refreshLabels()
{
    for (int i = 0; i < m_entries.size(); ++i) {
        QVideoConvertItem *entry = m_entries.at(i);
        entry->refreshLabel();
        if (i < m_timeLine->count() && entry->item())
            m_timeLine->setLabel(i, entry->item()->m_label);
    }
}
