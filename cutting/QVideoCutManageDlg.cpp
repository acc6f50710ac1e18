#include "QVideoCutManageDlg.h"

#include "WorkModel.h"

#include "ParserXML.h"
#include "QButtonListDlg.h"
#include "QConverterObject.h"
#include "QImageButton.h"
#include "QImageButtonEx.h"
#include "QSimpleTimeLine.h"
#include "QSliderCtrlBtn.h"
#include "QVideoConvertItem.h"
#include "QVoCheckBox.h"
#include "StyleScrollBar.h"
#include "ThumbnailStripWorker.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"
#include "qSliderCtrl.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int headerHeight = 45;

QImageButton *makeButton(QWidget *parent, const char *name, const QString &image)
{
    auto *b = new QImageButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setImage(QStringLiteral("/image/CutListDlg/") + image);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

} // namespace

QVideoCutManageDlg::QVideoCutManageDlg(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("QVideoCutManageDlg"));
    qRegisterMetaType<VoVideoConvertItem *>("VoVideoConvertItem*");
    qRegisterMetaType<TimeItemInfo>("TimeItemInfo");
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setMouseTracking(true);
    setAcceptDrops(true);
    m_work = new WorkModel(this);
    buildForm();

    m_stripWorker.reset(new ThumbnailStripWorker([this](const QImage &image, int id) {
        emit seedLineImage(image, id);
    }));
    connect(this, &QVideoCutManageDlg::seedLineImage, this, &QVideoCutManageDlg::lineImage, Qt::QueuedConnection);

    m_bSimpleMode = ParserXML::readItemValue(QStringLiteral("LISTMODEL_ITEM"), QStringLiteral("ListModel_Line"),
                                             QStringLiteral("N")) == QLatin1String("Y");
    scrollArea->hide();
    m_timeLine->hide();
    m_btnStyleLine->setVisible(!m_bSimpleMode);
    m_btnStyleList->setVisible(m_bSimpleMode);
    m_btnDelete->setEnabled(false);
    m_btnEdit->setEnabled(false);
    OnBtnHideList();
    setFixedPanelHeight(collapsedHeight);
    refresh();
    retranslate();
}

QVideoCutManageDlg::~QVideoCutManageDlg()
{
    // The worker may still be handing out pictures through this object;
    // none of them is drawn any more.
    disconnect(this, &QVideoCutManageDlg::seedLineImage, nullptr, nullptr);
    m_stripWorker.reset();
    const QList<QVideoConvertItem *> entries = m_entries;
    m_entries.clear();
    qDeleteAll(entries);
    m_converter.reset();
}

void QVideoCutManageDlg::buildForm()
{
    m_mainLayout = new QVBoxLayout(this);
    m_mainLayout->setContentsMargins(10, headerHeight, 10, 10);
    m_mainLayout->setSpacing(0);

    scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(QStringLiteral("scrollArea"));
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setWidgetResizable(true);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette dark = scrollArea->palette();
    dark.setColor(QPalette::Window, QColor(32, 32, 32));
    dark.setColor(QPalette::Base, QColor(32, 32, 32));
    scrollArea->setPalette(dark);
    scrollArea->setAutoFillBackground(true);
    auto *bar = new StyleScrollBar(scrollArea);
    bar->setUpArrowImages(QStringLiteral("/image/ScrollBar/btn_up.png"), QStringLiteral("/image/ScrollBar/btn_up2.png"));
    bar->setDownArrowImages(QStringLiteral("/image/ScrollBar/btn_down.png"),
                            QStringLiteral("/image/ScrollBar/btn_down2.png"));
    scrollArea->setVerticalScrollBar(bar);
    m_scrollAreaWidget = new QWidget();
    m_scrollAreaWidget->setObjectName(QStringLiteral("m_scrollAreaWidget"));
    m_scrollAreaWidget->setPalette(dark);
    m_scrollAreaWidget->setAutoFillBackground(true);
    m_listLayout = new QVBoxLayout(m_scrollAreaWidget);
    m_listLayout->setContentsMargins(5, 2, 5, 2);
    m_listLayout->setSpacing(2);
    m_listLayout->addStretch(1);
    scrollArea->setWidget(m_scrollAreaWidget);
    m_mainLayout->addWidget(scrollArea);

    m_timeLine = new QSimpleTimeLine(this);
    m_timeLine->setObjectName(QStringLiteral("m_timeLine"));
    m_timeLine->setPlayHeadImage(QStringLiteral("/image/CutListDlg/btn_silder_proess.png"), 4);
    m_mainLayout->addWidget(m_timeLine);

    m_btnShowList = makeButton(this, "m_btnShowList", QStringLiteral("btn_show.png"));
    m_btnHideList = makeButton(this, "m_btnHideList", QStringLiteral("btn_hide.png"));
    m_btnAddItem = makeButton(this, "m_btnAddItem", QStringLiteral("btn_add.png"));
    m_btnStyleLine = makeButton(this, "m_btnStyleLine", QStringLiteral("btn_oneline.png"));
    m_btnStyleList = makeButton(this, "m_btnStyleList", QStringLiteral("btn_moreline.png"));
    m_btnUp = makeButton(this, "m_btnUp", QStringLiteral("btn_up.png"));
    m_btnDown = makeButton(this, "m_btnDown", QStringLiteral("btn_down.png"));
    m_btnEdit = makeButton(this, "m_btnEdit", QStringLiteral("btn_moreline_edit.png"));
    m_btnDelete = makeButton(this, "m_btnDelete", QStringLiteral("btn_moreline_delete.png"));

    m_btnSize = new QSliderCtrlBtn(this);
    m_btnSize->setObjectName(QStringLiteral("m_btnSize"));
    m_btnSize->setImage(QStringLiteral("/image/CutListDlg/btn_size.png"));
    m_btnSize->setCursor(Qt::SizeVerCursor);

    m_pageButtons = new QButtonListDlg(this);
    m_pageButtons->setObjectName(QStringLiteral("m_pageButtons"));

    // The conversion row sits at the right end of the header.
    auto *convertHost = new QWidget(this);
    convertHost->setObjectName(QStringLiteral("m_convertHost"));
    m_ConvertLayout = new QHBoxLayout(convertHost);
    m_ConvertLayout->setContentsMargins(0, 0, 0, 0);
    m_ConvertLayout->setSpacing(8);
    m_chkMerger = new QVoCheckBox(convertHost);
    m_chkMerger->setObjectName(QStringLiteral("m_chkMerger"));
    m_chkMerger->setBoxPictures(QStringLiteral("/image/Common_bg/btn_check_off1.png"),
                                QStringLiteral("/image/Common_bg/btn_check_on1.png"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    m_chkMerger->setFont(font);
    m_chkMerger->setStyleSheet(QStringLiteral("color: rgb(51,51,51);"));
    m_chkChapters = new QVoCheckBox(convertHost);
    m_chkChapters->setObjectName(QStringLiteral("m_chkChapters"));
    m_chkChapters->setBoxPictures(QStringLiteral("/image/Common_bg/btn_check_off1.png"),
                                  QStringLiteral("/image/Common_bg/btn_check_on1.png"));
    m_chkChapters->setFont(font);
    m_chkChapters->setStyleSheet(QStringLiteral("color: rgb(51,51,51);"));
    m_chkChapters->setFocusPolicy(Qt::TabFocus);
    m_chkChapters->setChecked(ParserXML::readItemValue(QStringLiteral("MERGE_ITEM"), QStringLiteral("SegmentChapters"),
                                                       QStringLiteral("N"))
                              == QLatin1String("Y"));
    m_chkChapters->setVisible(false);
    m_progressBar = new qSliderCtrl(convertHost);
    m_progressBar->setObjectName(QStringLiteral("m_progressBar"));
    m_progressBar->setTrackImage(QStringLiteral("/image/CutListDlg/trake1.png"));
    m_progressBar->setFillImage(QStringLiteral("/image/CutListDlg/trake2.png"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setEnabled(false);
    m_progressBar->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_progressBar->setFixedSize(140, 12);
    m_progressBar->hide();
    m_labProgress = new QLabel(convertHost);
    m_labProgress->setObjectName(QStringLiteral("m_labProgress"));
    m_labProgress->setFont(font);
    m_labProgress->setStyleSheet(QStringLiteral("color: rgb(51,51,51);"));
    m_labProgress->hide();
    m_btnOpen = new QImageButtonEx(convertHost);
    m_btnOpen->setObjectName(QStringLiteral("m_btnOpen"));
    m_btnOpen->setFocusPolicy(Qt::TabFocus);
    m_chkMerger->setFocusPolicy(Qt::TabFocus);
    m_btnOpen->setImage(QStringLiteral("/image/CutListDlg/btn_open.png"));
    m_ConvertLayout->addWidget(m_chkMerger);
    m_ConvertLayout->addWidget(m_chkChapters);
    m_ConvertLayout->addWidget(m_progressBar);
    m_ConvertLayout->addWidget(m_labProgress);
    m_ConvertLayout->addWidget(m_btnOpen);

    connect(m_pageButtons, &QButtonListDlg::ClickIndex, this, &QVideoCutManageDlg::OnClickItem);
    connect(m_timeLine, &QSimpleTimeLine::emitTimeItemInfoChange, this, &QVideoCutManageDlg::timeItemInfoChange);
    connect(m_timeLine, &QSimpleTimeLine::emitProgressValueChanged, this,
            &QVideoCutManageDlg::emitProgressValueChanged);
    connect(m_timeLine, &QSimpleTimeLine::emitMousePress, this, &QVideoCutManageDlg::emitTimeLineMousePress);
    connect(m_timeLine, &QSimpleTimeLine::emitMouseRelease, this, &QVideoCutManageDlg::emitTimeLineMouseRelease);
    connect(m_timeLine, &QSimpleTimeLine::emitDeleteFile, this, &QVideoCutManageDlg::lineDeleteFile);
    connect(m_btnSize, &QSliderCtrlBtn::mouseMoveY, this, &QVideoCutManageDlg::btnSizeMouseMove);
    connect(m_btnSize, &QSliderCtrlBtn::mouseDownY, this, &QVideoCutManageDlg::btnSizeMouseDown);
    connect(m_btnShowList, &QImageButton::clicked, this, &QVideoCutManageDlg::OnBtnShowList);
    connect(m_btnHideList, &QImageButton::clicked, this, &QVideoCutManageDlg::OnBtnHideList);
    connect(m_btnAddItem, &QImageButton::clicked, this, &QVideoCutManageDlg::emitBtnAdd);
    connect(m_btnDelete, &QImageButton::clicked, this, &QVideoCutManageDlg::OnDelete);
    connect(m_btnEdit, &QImageButton::clicked, this, &QVideoCutManageDlg::OnEdit);
    // The switch is a step once it has happened, after its question if
    // it asks one.
    connect(m_btnStyleLine, &QImageButton::clicked, this, [this] {
        requestSimpleMode([this](bool switched) {
            if (switched)
                noteStep(tr("Switch to Simple Mode"));
        });
    });
    connect(m_btnStyleList, &QImageButton::clicked, this, &QVideoCutManageDlg::OnStyleList);
    // After the switch itself (a refused switch changes nothing: no step).
    connect(m_btnStyleList, &QImageButton::clicked, this, [this] { noteStep(tr("Switch to Free Mode")); });
    connect(m_btnOpen, &QImageButtonEx::clicked, this, &QVideoCutManageDlg::OnBtnOpen);
    connect(m_btnUp, &QImageButton::clicked, this, &QVideoCutManageDlg::OnBtnUp);
    connect(m_btnDown, &QImageButton::clicked, this, &QVideoCutManageDlg::OnBtnDown);
    // Chapters only mean something in one merged file.
    connect(m_chkMerger, &QAbstractButton::toggled, this, [this](bool merge) {
        m_chkChapters->setVisible(merge);
        layoutHeader();
    });
    connect(m_chkChapters, &QAbstractButton::toggled, this, [](bool on) {
        ParserXML::writeItemValue(QStringLiteral("MERGE_ITEM"), QStringLiteral("SegmentChapters"),
                                  on ? QStringLiteral("Y") : QStringLiteral("N"));
    });
    setupLabelEditing();
}

QImageButton *QVideoCutManageDlg::button(const QString &objectName) const
{
    return findChild<QImageButton *>(objectName);
}

bool QVideoCutManageDlg::stripWorkerIdle() const
{
    return m_stripWorker->isIdle();
}

void QVideoCutManageDlg::retranslate()
{
    m_btnAddItem->setToolTip(tr("Add Segment"));
    m_btnShowList->setToolTip(tr("Show Segment List"));
    m_btnHideList->setToolTip(tr("Hide Segment List"));
    m_btnDelete->setToolTip(tr("Delete"));
    m_btnEdit->setToolTip(tr("Edit"));
    m_btnStyleLine->setToolTip(tr("Simple Mode"));
    m_btnStyleList->setToolTip(tr("Free Mode"));
    m_btnUp->setToolTip(tr("Move Up"));
    m_btnDown->setToolTip(tr("Move Down"));
    m_chkMerger->setText(tr("Merge Segments"));
    m_chkMerger->setToolTip(tr("Join all segments into one file"));
    m_chkChapters->setText(tr("Chapters from segments"));
    m_chkChapters->setToolTip(tr("One chapter per segment in the merged file, titled with its label"));
    m_timeLine->setAccessibleName(tr("Timeline"));
    scrollArea->setAccessibleName(tr("Segment List"));
    m_btnOpen->setToolTip(tr("Open The Output Folder"));
    // Wide enough for the longest figure, so the row does not move while
    // the figures change.
    m_labProgress->setMinimumWidth(
        m_labProgress->fontMetrics().horizontalAdvance(tr("%1% · %2 left").arg(100).arg(timeLeftText(36000000))) + 4);
    if (m_bConverting)
        showProgressFigure();
    for (QVideoConvertItem *entry : qAsConst(m_entries))
        entry->retranslate();
    layoutHeader();
}

void QVideoCutManageDlg::layoutHeader()
{
    const int W = width();
    auto centreY = [](const QWidget *w) { return (headerHeight - w->height()) / 2; };
    int x = 10;
    m_btnShowList->move(x, centreY(m_btnShowList));
    m_btnHideList->move(x, centreY(m_btnHideList));
    x += m_btnShowList->width() + 8;
    m_btnAddItem->move(x, centreY(m_btnAddItem));
    x += m_btnAddItem->width() + 8;
    m_pageButtons->move(x, centreY(m_pageButtons));

    QWidget *convertHost = m_chkMerger->parentWidget();
    convertHost->adjustSize();
    int right = W - 10 - convertHost->width();
    convertHost->move(right, (headerHeight - convertHost->height()) / 2);
    right -= 16;
    for (QImageButton *b : {m_btnDelete, m_btnEdit, m_btnDown, m_btnUp}) {
        right -= b->width();
        b->move(right, centreY(b));
        right -= 4;
    }
    right -= 8;
    right -= m_btnStyleLine->width();
    m_btnStyleLine->move(right, centreY(m_btnStyleLine));
    m_btnStyleList->move(right, centreY(m_btnStyleList));
    m_btnSize->move((W - m_btnSize->width()) / 2, 0);
}

void QVideoCutManageDlg::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(51, 51, 51));
    QLinearGradient header(0, 0, 0, headerHeight);
    header.setColorAt(0, QColor(228, 228, 228));
    header.setColorAt(0.9, QColor(207, 207, 207));
    p.fillRect(QRect(0, 0, width(), headerHeight), header);
}

void QVideoCutManageDlg::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutHeader();
}

void QVideoCutManageDlg::refresh()
{
    const bool hasEntries = !m_entries.isEmpty();
    if (m_bSimpleMode) {
        scrollArea->hide();
        m_timeLine->show();
        m_btnAddItem->setEnabled(hasEntries);
        emit seedIsAddItem(hasEntries);
        m_btnDelete->setEnabled(m_timeLine->count() > 0);
        m_btnEdit->setEnabled(m_editRunner && m_currentEntry);
    } else {
        m_timeLine->hide();
        scrollArea->setVisible(hasEntries);
        m_btnAddItem->setEnabled(hasEntries);
        emit seedIsAddItem(hasEntries);
    }
    m_btnAddItem->setEnabled(m_btnAddItem->isEnabled() && !m_bConverting);
    updateMoveButtons();
    refreshSourceMarks();
}

void QVideoCutManageDlg::updateMoveButtons()
{
    const int n = m_entries.size();
    if (n == 0) {
        m_btnUp->setEnabled(false);
        m_btnDown->setEnabled(false);
        return;
    }
    if (!m_currentEntry)
        return;
    const int i = m_entries.indexOf(m_currentEntry);
    if (i == 0) {
        m_btnUp->setEnabled(false);
        m_btnDown->setEnabled(n >= 2);
    } else if (i == n - 1) {
        m_btnDown->setEnabled(false);
        m_btnUp->setEnabled(n >= 2);
    } else {
        m_btnUp->setEnabled(true);
        m_btnDown->setEnabled(true);
    }
}

void QVideoCutManageDlg::setPageButtonsVisibility()
{
    m_pageButtons->setVisible(!m_bListExpanded && m_entries.size() >= 2 && !m_bConverting);
}

void QVideoCutManageDlg::makeCurrent(QVideoConvertItem *entry, bool selectOnTimeline)
{
    if (!entry)
        return;
    const int index = m_entries.indexOf(entry);
    for (QVideoConvertItem *other : qAsConst(m_entries)) {
        if (other == entry)
            continue;
        other->setState(0);
        other->ClickSelectChange(false);
    }
    entry->setState(2);
    entry->ClickSelectChange(true);
    m_pageButtons->select(index);
    if (selectOnTimeline && m_bSimpleMode && index < m_timeLine->count())
        m_timeLine->selectIndex(index);
    m_currentEntry = entry;
    if (m_bSimpleMode)
        m_btnEdit->setEnabled(bool(m_editRunner));
}

void QVideoCutManageDlg::addConvertItem(VoVideoConvertItem *item)
{
    if (!item)
        return;
    if (m_bSimpleMode) {
        // A segment the timeline cannot show would leave the boxes and the
        // rows out of step; the main window asks for room before adding, and
        // an item that comes anyway takes the last sliver of the axis.
        const TimeItemInfo info = m_timeLine->newSegmentInfo();
        item->m_TrimStartTime = static_cast<uint64_t>(static_cast<double>(item->m_duration) * info.startPos);
        item->m_TrimEndTime = static_cast<uint64_t>(static_cast<double>(item->m_duration) * info.endPos);
        m_timeLine->addTrimTime(info);
        emit sendPlayProToPlay(item->m_TrimStartTime);
    }

    auto *entry = new QVideoConvertItem(m_scrollAreaWidget);
    m_entries.append(entry);
    entry->setItem(item);
    connect(entry, &QVideoConvertItem::emitMousePress, this, &QVideoCutManageDlg::respondMouseStateEmit);
    connect(entry, &QVideoConvertItem::emitDelete, this, &QVideoCutManageDlg::respondDeleteEmit);
    connect(entry, &QVideoConvertItem::emitEdit, this, &QVideoCutManageDlg::respondEditEmit);
    entry->setEditable(bool(m_editRunner));
    connect(entry, &QVideoConvertItem::emitStartTimeChange, this, &QVideoCutManageDlg::StartTimeChange);
    connect(entry, &QVideoConvertItem::emitEndTimeChange, this, &QVideoCutManageDlg::EndTimeChange);
    connect(entry, &QVideoConvertItem::emitSwapItem, this, &QVideoCutManageDlg::swapItemValue);
    connect(entry, &QVideoConvertItem::emitLabelChanged, this, [this, entry] {
        refreshLabels();
        emit emitLabelChanged(m_entries.indexOf(entry));
        noteStep(tr("Rename Segment %1").arg(m_entries.indexOf(entry) + 1));
    });
    connect(this, &QVideoCutManageDlg::emitFormatChanged, entry, &QVideoConvertItem::UpdateData);

    m_listLayout->insertWidget(m_listLayout->count() - 1, entry);
    m_pageButtons->add(true);
    // The new segment is the one the user works on next; without this a
    // copy made from the current item would leave two rows selected.
    if (item->m_isCurrent || !m_currentEntry)
        makeCurrent(entry, false);
    else
        m_pageButtons->select(m_entries.indexOf(m_currentEntry));
    refresh();
    setPageButtonsVisibility();
    updateMoveButtons();
    refreshLabels();
}

void QVideoCutManageDlg::respondMouseStateEmit()
{
    auto *entry = qobject_cast<QVideoConvertItem *>(sender());
    if (!entry || entry == m_currentEntry || !m_entries.contains(entry))
        return;
    makeCurrent(entry, true);
    emit emitSelectItemChange();
    updateMoveButtons();
}

void QVideoCutManageDlg::OnClickItem(int index)
{
    QVideoConvertItem *entry = m_entries.value(index);
    if (!entry)
        return;
    entry->setState(2);
    emit entry->emitMousePress();
    if (m_bSimpleMode && index < m_timeLine->count())
        m_timeLine->selectIndex(index);
}

void QVideoCutManageDlg::StartTimeChange(uint64_t time)
{
    if (sender() == m_currentEntry)
        emit emitStartTimeChange(time);
}

void QVideoCutManageDlg::EndTimeChange(uint64_t time)
{
    if (sender() == m_currentEntry)
        emit emitEndTimeChange(time);
}

void QVideoCutManageDlg::removeEntryAt(int index)
{
    QVideoConvertItem *entry = m_entries.value(index);
    if (!entry)
        return;
    m_pageButtons->remove(index);
    m_listLayout->removeWidget(entry);
    if (entry == m_currentEntry)
        m_currentEntry = nullptr;
    m_entries.removeAt(index);
    delete entry;
    VoVideoConvertManager::instance()->removeAt(index);
}

void QVideoCutManageDlg::afterRemoval()
{
    if (m_entries.isEmpty()) {
        m_currentEntry = nullptr;
        emit emitStopPlay();
    }
    setPageButtonsVisibility();
    refresh();
    updateMoveButtons();
    refreshLabels();
    if (VoVideoConvertManager::instance()->count() == 0)
        OnBtnHideList();
}

void QVideoCutManageDlg::respondDeleteEmit()
{
    auto *entry = qobject_cast<QVideoConvertItem *>(sender());
    const int index = m_entries.indexOf(entry);
    if (index < 0)
        return;
    if (m_bSimpleMode && index < m_timeLine->count()) {
        // The box goes with its row, or the timeline would name other
        // segments by the same numbers.
        m_timeLine->selectIndex(index);
        OnDelete();
        return;
    }
    m_deletingEntry = entry;
    const bool wasCurrent = entry == m_currentEntry;
    const QString step = tr("Delete Segment %1").arg(index + 1);
    QVideoConvertItem *next = nullptr;
    if (wasCurrent && m_entries.size() > 1)
        next = m_entries.at(index == 0 ? 1 : index - 1);
    removeEntryAt(index);
    m_deletingEntry = nullptr;
    if (next) {
        makeCurrent(next, false);
        emit emitSelectItemChange();
    }
    afterRemoval();
    noteStep(step);
}

void QVideoCutManageDlg::OnBarbtnDelete()
{
    if (m_currentEntry)
        QMetaObject::invokeMethod(m_currentEntry, "OnBtnDelete");
}

void QVideoCutManageDlg::OnDelete()
{
    m_timeLine->deleteCurrent();
    refresh();
}

void QVideoCutManageDlg::lineDeleteFile(int index)
{
    if (index < 0 || index >= m_entries.size())
        return;
    removeEntryAt(index);
    afterRemoval();
    noteStep(tr("Delete Segment %1").arg(index + 1));
}

void QVideoCutManageDlg::ActionDeleteALL()
{
    m_currentEntry = nullptr;
    m_pageButtons->clear();
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    while (!m_entries.isEmpty()) {
        const int last = m_entries.size() - 1;
        QVideoConvertItem *entry = m_entries.takeLast();
        m_listLayout->removeWidget(entry);
        delete entry;
        items->removeAt(last);
    }
    // Items beyond the rows (none in normal use) go too: the list is empty.
    items->clear();
    if (m_bSimpleMode)
        m_timeLine->clear();
    setPageButtonsVisibility();
    refresh();
    updateMoveButtons();
}

void QVideoCutManageDlg::OnBtnUp()
{
    const int i = m_entries.indexOf(m_currentEntry);
    if (i > 0)
        swapItemValue(i, i - 1);
    updateMoveButtons();
}

void QVideoCutManageDlg::OnBtnDown()
{
    const int i = m_entries.indexOf(m_currentEntry);
    if (i >= 0 && i + 1 < m_entries.size())
        swapItemValue(i, i + 1);
    updateMoveButtons();
}

void QVideoCutManageDlg::swapItemValue(int i, int j)
{
    // The timeline keeps its segments in time order; exchanging two of them
    // there would put the boxes and the rows out of step.
    if (m_bSimpleMode)
        return;
    if (i < 0 || j < 0 || i >= m_entries.size() || j >= m_entries.size())
        return;
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    if (!items->swap(i, j))
        return;
    VoVideoConvertItem *a = items->itemAt(i);
    VoVideoConvertItem *b = items->itemAt(j);
    a->m_index = i;
    b->m_index = j;
    QVideoConvertItem *current = m_currentEntry;
    const bool currentMoves = i != j && (current == m_entries.at(i) || current == m_entries.at(j));
    QVideoConvertItem *follow = !currentMoves ? current : m_entries.at(current == m_entries.at(i) ? j : i);
    // The rows stay where they are and show the exchanged items; the
    // selection moves with the segment the user had selected (a row given
    // the current item selects itself).
    m_entries.at(i)->setItem(a);
    m_entries.at(j)->setItem(b);
    if (follow) {
        const bool changed = m_currentEntry != follow;
        makeCurrent(follow, false);
        if (changed)
            emit emitSelectItemChange();
    }
    updateMoveButtons();
    refreshLabels();
    noteStep(tr("Move Segment %1").arg(i + 1));
}

void QVideoCutManageDlg::setEditRunner(EditRunner runner)
{
    m_editRunner = std::move(runner);
    for (QVideoConvertItem *entry : qAsConst(m_entries))
        entry->setEditable(bool(m_editRunner));
    refresh();
}

void QVideoCutManageDlg::respondEditEmit()
{
    runEdit(qobject_cast<QVideoConvertItem *>(sender()));
}

void QVideoCutManageDlg::OnEdit()
{
    runEdit(m_currentEntry);
}

void QVideoCutManageDlg::runEdit(QVideoConvertItem *entry)
{
    if (!entry || !entry->item())
        return;
    emit emitPausePlay();
    if (!m_editRunner)
        return;
    if (!m_editRunner(this, m_entries.indexOf(entry)))
        return;
    // The edit may have moved the segment: the row and its timeline box
    // follow the item's trim pair.
    VoVideoConvertItem *item = entry->item();
    entry->setTrim(item->m_TrimStartTime, item->m_TrimEndTime);
    if (m_bSimpleMode) {
        m_timeLine->clear();
        fillTimeline();
    }
    refreshLabels();
    noteStep(tr("Video Edit"));
}

void QVideoCutManageDlg::videoPlayPro(double pro)
{
    m_timeLine->setProgressValue(pro / 100.0);
}

void QVideoCutManageDlg::playProValueChange(double pro)
{
    m_timeLine->setProgressValue(pro);
}

void QVideoCutManageDlg::dragEnterEvent(QDragEnterEvent *event)
{
    if (!event->mimeData()->hasFormat(QVideoConvertItem::dragMimeType())) {
        event->ignore();
        return;
    }
    if (event->source() && isAncestorOf(qobject_cast<QWidget *>(event->source()))) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
}

void QVideoCutManageDlg::dropEvent(QDropEvent *event)
{
    if (!event->mimeData()->hasFormat(QVideoConvertItem::dragMimeType())) {
        event->ignore();
        return;
    }
    if (event->source() && isAncestorOf(qobject_cast<QWidget *>(event->source()))) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
}

void QVideoCutManageDlg::noteStep(const QString &text, quint64 mergeKey)
{
    // The model settles each row's segment id first.
    work()->noteStep(text, mergeKey);
}

void QVideoCutManageDlg::beginDrag() { m_drag = Drag{true, -1, false, false}; }

void QVideoCutManageDlg::noteDrag(int index, bool start, bool end)
{
    if (!m_drag.pressed || index < 0 || (!start && !end))
        return;
    if (m_drag.index >= 0 && m_drag.index != index) {
        // One press moved two segments (the neighbour held it back): each
        // is a step of its own.
        const bool pressed = m_drag.pressed;
        endDrag();
        m_drag.pressed = pressed;
    }
    m_drag.index = index;
    m_drag.start |= start;
    m_drag.end |= end;
    noteDragStep(m_drag);
}

void QVideoCutManageDlg::noteDragStep(const Drag &drag)
{
    const QString text = drag.start && drag.end ? tr("Move Segment %1")
                         : drag.start            ? tr("Move Start of Segment %1")
                                                 : tr("Move End of Segment %1");
    WorkModel *model = work();
    if (drag.index >= model->count())
        return;
    const quint64 id = model->at(drag.index).id;
    const WorkModel::DragPart part = drag.start && drag.end ? WorkModel::DragPart::Whole
                                     : drag.start            ? WorkModel::DragPart::Start
                                                             : WorkModel::DragPart::End;
    model->noteStep(text.arg(drag.index + 1), WorkModel::dragKey(id, part));
}

void QVideoCutManageDlg::endDrag()
{
    const Drag drag = m_drag;
    m_drag = Drag();
    if (drag.index >= 0)
        noteDragStep(drag); // where it was let go
    work()->endDrag();
}
