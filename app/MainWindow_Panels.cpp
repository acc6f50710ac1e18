// The three panels, the connections between them, and the slots that carry
// state from one panel into the others.
#include "MainWindow.h"

#include "AppPaths.h"
#include "FormatWidget.h"
#include "QLoadingDlg.h"
#include "QVideoConvertItem.h"
#include "QSimpleTimeLine.h"
#include "QTimeControl.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"
#include "QVoMessageBox.h"
#include "SegmentEditing.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"
#include "WorkModel.h"

#include <QPointer>
#include <QVBoxLayout>

namespace {
constexpr int kMaxItems = 100;
} // namespace

void MainWindow::buildPanels()
{
    m_centralWidget = new QWidget(this);
    m_centralWidget->setObjectName(QStringLiteral("centralWidget"));
    m_centralWidget->setMouseTracking(true);
    setCentralWidget(m_centralWidget);

    m_mainVLayout = new QVBoxLayout(m_centralWidget);
    m_mainVLayout->setObjectName(QStringLiteral("m_mainVLayout"));
    m_mainVLayout->setContentsMargins(5, 30, 5, 5);
    m_mainVLayout->setSpacing(0);

    auto addPanel = [this](QWidget *panel, const char *name, int stretch) {
        auto *layout = new QVBoxLayout;
        layout->setObjectName(QLatin1String(name));
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(panel);
        m_mainVLayout->addLayout(layout, stretch);
    };
    m_videoPlayDlg = new QVideoPlayDlg(m_centralWidget);
    m_videoCutToolbar = new QVideoCutDlg(m_centralWidget);
    m_videoItemDlg = new QVideoCutManageDlg(m_centralWidget);
    m_videoItemDlg->setPlayerPanel(m_videoPlayDlg);
    installSegmentEditing(m_videoItemDlg);
    addPanel(m_videoPlayDlg, "m_playLayout", 1);
    addPanel(m_videoCutToolbar, "m_cutLayout", 0);
    addPanel(m_videoItemDlg, "m_listLayout", 0);

    setMinimumSize(720, 520);
    resize(720, 530);
    m_videoPlayDlg->setMinimumHeight(300);
    m_videoCutToolbar->setMinimumHeight(110);
    m_videoCutToolbar->setMaximumHeight(110);
}

void MainWindow::connectPanels()
{
    QVideoPlayDlg *play = m_videoPlayDlg;
    QVideoCutDlg *cut = m_videoCutToolbar;
    QVideoCutManageDlg *list = m_videoItemDlg;
    connect(&m_showTimer, &QTimer::timeout, this, &MainWindow::showTimer);                         // 1
    connect(this, &MainWindow::emitAddFileNames, this, &MainWindow::addImportFile);                // 2
    connect(play, &QVideoPlayDlg::emitTrimDSliderEnable, cut, &QVideoCutDlg::TrimDSliderEnable);   // 3
    connect(play, &QVideoPlayDlg::emitPlayProValue, cut, &QVideoCutDlg::videoPlayPro);             // 4
    connect(cut, &QVideoCutDlg::sendPlayProToPlay, play, &QVideoPlayDlg::PlayProValueChange);      // 5
    connect(play, &QVideoPlayDlg::emitStopPlayTrim, cut, &QVideoCutDlg::OnStopTrim);               // 6
    connect(this, &MainWindow::emitStopPlay, play, &QVideoPlayDlg::OnBtnStop);                     // 7
    connect(this, &MainWindow::emitPausePlay, play, &QVideoPlayDlg::OnBtnPause);                   // 8
    connect(cut, &QVideoCutDlg::emitStartValueChange, this, &MainWindow::StartValueChange);        // 9
    connect(cut, &QVideoCutDlg::emitEndValueChange, this, &MainWindow::EndValueChange);            // 10
    connect(cut, &QVideoCutDlg::emitStartTimeChange, this, &MainWindow::StartTimeChange);          // 11
    connect(cut, &QVideoCutDlg::emitEndTimeChange, this, &MainWindow::EndTimeChange);              // 12
    connect(cut, &QVideoCutDlg::emitSliderMousePress, this, &MainWindow::sliderMousePress);        // 13
    connect(cut, &QVideoCutDlg::emitSliderMouseRelease, this, &MainWindow::sliderMouseRelease);    // 14
    connect(cut, &QVideoCutDlg::emitOnBtnStartSet, this, &MainWindow::OnBtnStartSet);              // 15
    connect(cut, &QVideoCutDlg::emitOnBtnEndSet, this, &MainWindow::OnBtnEndSet);                  // 16
    connect(cut, &QVideoCutDlg::emitOnConvert, list, [this, list] { afterMarks([list] { list->OnConvert(); }); }); // 17
    connect(cut, &QVideoCutDlg::emitStopConvert, list, &QVideoCutManageDlg::OnStopConvert);        // 18
    connect(cut, &QVideoCutDlg::emitShowFormatDlg, this, &MainWindow::OnFormatDlg);                // 19
    connect(cut, &QVideoCutDlg::emitPlaySelect, this, &MainWindow::OnPlayTrim);                    // 20
    connect(cut, &QVideoCutDlg::emitPauseSelect, this, &MainWindow::OnPauseTrim);                  // 21
    connect(cut, &QVideoCutDlg::emitStopSelect, this, &MainWindow::OnStopPlayTrim);                // 22
    connect(play, &QVideoPlayDlg::emitPlayProValue, list, &QVideoCutManageDlg::videoPlayPro);      // 23
    connect(cut, &QVideoCutDlg::sendPlayProToPlay, list, &QVideoCutManageDlg::playProValueChange); // 24
    connect(list, &QVideoCutManageDlg::sendPlayProToPlay, play, &QVideoPlayDlg::PlaySeek);         // 25
    connect(list, &QVideoCutManageDlg::emitStartTimeChange, this, &MainWindow::StartTimeChange);   // 26
    connect(list, &QVideoCutManageDlg::emitEndTimeChange, this, &MainWindow::EndTimeChange);       // 27
    connect(list, &QVideoCutManageDlg::emitBtnAdd, this, &MainWindow::OnBtnAddItem);               // 28
    connect(list, &QVideoCutManageDlg::emitSelectItemChange, this, &MainWindow::SelectItemChange); // 29
    // Files that do not join losslessly: the user chose to encode them.
    connect(list, &QVideoCutManageDlg::emitChooseFormatForJoin, this, &MainWindow::OnFormatDlg);
    connect(list, &QVideoCutManageDlg::seedIsAddItem, this, &MainWindow::IsAddVideoFile);          // 30
    connect(list, &QVideoCutManageDlg::emitIsStartConverter, this, &MainWindow::IsStartToConverter); // 31
    connect(list, &QVideoCutManageDlg::emitVideoImageChange, this, &MainWindow::itemVideoImageChange); // 32
    connect(list, &QVideoCutManageDlg::emitTimeLineMousePress, this, &MainWindow::sliderMousePress); // 33
    connect(list, &QVideoCutManageDlg::emitTimeLineMouseRelease, this, &MainWindow::sliderMouseRelease); // 34
    connect(list, &QVideoCutManageDlg::emitStopPlay, this, &MainWindow::emitStopPlay);             // 35
    connect(list, &QVideoCutManageDlg::emitPausePlay, this, &MainWindow::emitPausePlay);           // 36
    connect(list, &QVideoCutManageDlg::emitProgressValueChanged, this, &MainWindow::progressValueChanged); // 37
    connect(list, &QVideoCutManageDlg::emitChangeHeight, this, &MainWindow::showVideoList);        // 38
    connect(this, &MainWindow::emitLosslessChange, list, &QVideoCutManageDlg::emitFormatChanged);  // 39
    connect(cut, &QVideoCutDlg::OnBtnAdd, this, &MainWindow::OnAddFile);                           // 40
    connect(this, &QVariableSizeWidget::emitRestoreDlg, this, &MainWindow::RestoreDlg);            // 41
    connect(this, &MainWindow::seedAddComplete, this, &MainWindow::AddFileComplete);               // 42
    connect(this, &MainWindow::seedConvertItem, this, &MainWindow::addConvertItem);               // 43
    connect(this, &MainWindow::seedOpenFailed, this, &MainWindow::showOpenFailed);
    connect(m_videoPlayDlg, &QVideoPlayDlg::thumbnailReady, this, &MainWindow::thumbnailArrived);
    // Key frames found for the shown file are marked on the timeline's ruler
    // as on the cut tool's slider.
    connect(cut, &QVideoCutDlg::sendKeyFrameMarks, list->timeLine()->ruler(),
            [ruler = list->timeLine()->ruler()](const QVector<double> &fractions) { ruler->setMarks(fractions); });
    // How the cut tool's hint says the start will be cut depends on the
    // output mode, the format and the frame-exact choice.
    connect(FormatWidget::instance(this), &FormatWidget::settingChangeForFormat, cut,
            &QVideoCutDlg::refreshKeyFrameHint);
}

// The segment manager reads the stored mode and keeps it while it switches;
// asking it spares a settings read on every handle move.
bool MainWindow::isSimpleMode() const { return m_videoItemDlg->isSimpleMode(); }

int MainWindow::currentIndex() const { return m_videoItemDlg->entries().indexOf(m_videoItemDlg->currentEntry()); }

VoVideoConvertItem *MainWindow::currentItem() const
{
    QVideoConvertItem *entry = m_videoItemDlg->currentEntry();
    return entry ? entry->item() : nullptr;
}

void MainWindow::refreshThumbnail(VoVideoConvertItem *item)
{
    // The picture is grabbed on the player panel's worker; thumbnailArrived
    // puts it in place, if the item is still there by then.
    if (item)
        m_videoPlayDlg->requestThumbnail(reinterpret_cast<quintptr>(item), item->m_TrimStartTime);
}

void MainWindow::thumbnailArrived(quintptr key, const QImage &image)
{
    if (image.isNull())
        return;
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    VoVideoConvertItem *item = nullptr;
    for (int i = 0; i < items->count() && !item; ++i)
        if (reinterpret_cast<quintptr>(items->itemAt(i)) == key)
            item = items->itemAt(i);
    if (!item)
        return; // removed while its picture was grabbed
    item->m_cover = image;
    for (QVideoConvertItem *entry : m_videoItemDlg->entries())
        if (entry->item() == item)
            entry->refreshPicture();
}

void MainWindow::stopSectionPlay()
{
    if (m_videoPlayDlg->inSection())
        m_videoPlayDlg->StopPlaySection();
}

// On the timeline a segment may not reach over its neighbours. The work
// model decides that on microseconds; the boxes only draw the result, so
// neither their pixels nor the window's width change what is allowed.
uint64_t MainWindow::allowedStart(VoVideoConvertItem *item, uint64_t t)
{
    return m_videoItemDlg->work()->allowedStart(item->m_segmentId, t);
}

uint64_t MainWindow::allowedEnd(VoVideoConvertItem *item, uint64_t t)
{
    return m_videoItemDlg->work()->allowedEnd(item->m_segmentId, t);
}

void MainWindow::StartValueChange(double value)
{
    VoVideoConvertItem *item = currentItem();
    QVideoConvertItem *entry = m_videoItemDlg->currentEntry();
    const uint64_t duration = item ? item->m_duration : 0;
    if (isSimpleMode() && duration > 0) {
        const auto wanted = uint64_t(double(duration) * value);
        const uint64_t t = allowedStart(item, wanted);
        if (t != wanted) {
            // Held by the rules: the exact time, not a fraction of it.
            const double held = double(t) / double(duration);
            m_videoCutToolbar->setStartValue(held * 100);
            m_videoCutToolbar->videoPlayPro(held * 100);
            m_videoItemDlg->setTimelineStart(held);
            m_videoCutToolbar->setTrimStart(t);
            if (entry)
                entry->startTimeChange(t);
            m_videoItemDlg->noteDrag(currentIndex(), true, false);
            stopSectionPlay();
            return;
        }
        m_videoItemDlg->setTimelineStart(value);
    }
    m_videoCutToolbar->startValueChange(value);
    if (entry)
        entry->startValueChange(value);
    m_videoItemDlg->noteDrag(currentIndex(), true, false);
    stopSectionPlay();
}

void MainWindow::EndValueChange(double value)
{
    VoVideoConvertItem *item = currentItem();
    QVideoConvertItem *entry = m_videoItemDlg->currentEntry();
    const uint64_t duration = item ? item->m_duration : 0;
    if (isSimpleMode() && duration > 0) {
        const auto wanted = uint64_t(double(duration) * value);
        const uint64_t t = allowedEnd(item, wanted);
        if (t != wanted) {
            const double held = double(t) / double(duration);
            m_videoCutToolbar->setEndValue(float(held * 100));
            m_videoCutToolbar->videoPlayPro(held * 100);
            m_videoItemDlg->setTimelineEnd(held);
            m_videoCutToolbar->setTrimEnd(t);
            if (entry)
                entry->endTimeChange(t);
            m_videoItemDlg->noteDrag(currentIndex(), false, true);
            stopSectionPlay();
            return;
        }
        m_videoItemDlg->setTimelineEnd(value);
    }
    m_videoCutToolbar->endValueChange(value);
    if (entry)
        entry->endValueChange(value);
    m_videoItemDlg->noteDrag(currentIndex(), false, true);
    stopSectionPlay();
}

void MainWindow::StartTimeChange(uint64_t t)
{
    VoVideoConvertItem *item = currentItem();
    if (!item)
        return;
    const uint64_t duration = item->m_duration;
    if (isSimpleMode() && duration > 0) {
        t = allowedStart(item, t);
        m_videoItemDlg->setTimelineStart(double(t) / double(duration));
    }
    m_videoCutToolbar->startTimeChange(t);
    if (QVideoConvertItem *entry = m_videoItemDlg->currentEntry())
        entry->startTimeChange(t);
    refreshThumbnail(item);
    stopSectionPlay();
    m_videoItemDlg->noteStep(tr("Change Start of Segment %1").arg(currentIndex() + 1));
}

void MainWindow::EndTimeChange(uint64_t t)
{
    VoVideoConvertItem *item = currentItem();
    if (!item)
        return;
    const uint64_t duration = item->m_duration;
    if (isSimpleMode() && duration > 0) {
        t = allowedEnd(item, t);
        m_videoItemDlg->setTimelineEnd(double(t) / double(duration));
    }
    m_videoCutToolbar->endTimeChange(t);
    if (QVideoConvertItem *entry = m_videoItemDlg->currentEntry())
        entry->endTimeChange(t);
    stopSectionPlay();
    m_videoItemDlg->noteStep(tr("Change End of Segment %1").arg(currentIndex() + 1));
}

void MainWindow::sliderMousePress()
{
    m_videoPlayDlg->BeginAsyncSeek();
    m_videoItemDlg->beginDrag();
}

void MainWindow::sliderMouseRelease()
{
    m_videoPlayDlg->EndAsyncSeek();
    refreshThumbnail(currentItem());
    m_videoItemDlg->endDrag();
}

void MainWindow::itemVideoImageChange() { refreshThumbnail(currentItem()); }

void MainWindow::progressValueChanged(double value)
{
    m_videoPlayDlg->PlayProValueChange(value / 100.0);
    m_videoCutToolbar->videoPlayPro(value);
}

void MainWindow::OnBtnStartSet()
{
    VoVideoConvertItem *item = currentItem();
    if (!item)
        return;
    if (!m_videoPlayDlg->player()) {
        m_videoCutToolbar->OnBtnStartTimeSet();
        applyStart(item, m_videoCutToolbar->trimStart());
        return;
    }
    // The time of the picture the user will see once the steps and seeks
    // already asked for have landed, not where the player happens to stand
    // while they decode (a mark right after Ctrl+Right would take the
    // picture before it). The player's own time, not the slider's rounded
    // fraction: a start a microsecond before a key frame would make a
    // stream copy begin a whole key-frame interval early.
    QPointer<VoVideoConvertItem> marked(item);
    m_videoPlayDlg->whenShown(this, [this, marked](quint64 at) {
        // A segment picked meanwhile is not the one the mark was made for.
        if (!marked || currentItem() != marked)
            return;
        const uint64_t end = m_videoCutToolbar->trimEnd();
        if (end > 0 && at > end) {
            at = end;
            m_videoCutToolbar->showStartPastEnd(end);
        }
        m_videoCutToolbar->setTrimStart(at);
        applyStart(marked, m_videoCutToolbar->trimStart());
    });
}

void MainWindow::applyStart(VoVideoConvertItem *item, uint64_t t)
{
    const uint64_t duration = item->m_duration;
    if (isSimpleMode() && duration > 0) {
        // The segment may not reach back over its left neighbour.
        const uint64_t held = allowedStart(item, t);
        if (held != t) {
            t = held;
            m_videoCutToolbar->setTrimStart(t);
        }
        m_videoItemDlg->setTimelineStart(double(t) / double(duration));
    }
    if (QVideoConvertItem *entry = m_videoItemDlg->currentEntry())
        entry->startTimeChange(t);
    refreshThumbnail(item);
    m_videoItemDlg->noteStep(tr("Set Start of Segment %1").arg(currentIndex() + 1));
}

void MainWindow::OnBtnEndSet()
{
    VoVideoConvertItem *item = currentItem();
    if (!item)
        return;
    if (!m_videoPlayDlg->player()) {
        m_videoCutToolbar->OnBtnEndTimeSet();
        applyEnd(m_videoCutToolbar->trimEnd());
        return;
    }
    QPointer<VoVideoConvertItem> marked(item);
    m_videoPlayDlg->whenShown(this, [this, marked](quint64 at) {
        if (!marked || currentItem() != marked)
            return;
        const uint64_t start = m_videoCutToolbar->trimStart();
        if (at < start)
            at = start;
        m_videoCutToolbar->setTrimEnd(at);
        applyEnd(m_videoCutToolbar->trimEnd());
    });
}

void MainWindow::applyEnd(uint64_t t)
{
    VoVideoConvertItem *item = currentItem();
    const uint64_t duration = item ? item->m_duration : 0;
    if (isSimpleMode() && duration > 0) {
        const uint64_t held = allowedEnd(item, t);
        if (held != t) {
            t = held;
            m_videoCutToolbar->setTrimEnd(t);
        }
        m_videoItemDlg->setTimelineEnd(double(t) / double(duration));
    }
    if (QVideoConvertItem *entry = m_videoItemDlg->currentEntry())
        entry->endTimeChange(t);
    m_videoItemDlg->noteStep(tr("Set End of Segment %1").arg(currentIndex() + 1));
}

void MainWindow::afterMarks(std::function<void()> action)
{
    // What copies or converts the segment comes after a mark still waiting
    // for its picture, as the user asked for them; at once otherwise.
    if (m_videoPlayDlg->isWaitingForPicture())
        m_videoPlayDlg->whenShown(this, [action](quint64) { action(); });
    else
        action();
}

void MainWindow::OnBtnAddItem()
{
    afterMarks([this] { addItemNow(); });
}

void MainWindow::addItemNow()
{
    if (isSimpleMode() && !m_videoItemDlg->timelineHasRoomAtEnd()) {
        QVoMessageBox::showMessage(this,
                                   tr("Adding segment failed. Please drag segment to leave some space at the end \n"
                                      "or switch to the \"Free Mode\"."),
                                   productTitle(), QVoMessageBox::Warning, QVoMessageBox::OkButton);
        return;
    }
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    if (items->count() >= kMaxItems)
        return;
    QVideoConvertItem *entry = m_videoItemDlg->currentEntry();
    VoVideoConvertItem *item = entry ? entry->item() : nullptr;
    if (!item)
        return;

    item->m_isCurrent = false;
    entry->ClickSelectChange(false);
    entry->setState(0);
    entry->setEnabled(false);

    VoVideoConvertItem *copy = item->clone();
    items->insert(copy, -1);
    refreshThumbnail(copy);
    m_videoItemDlg->addConvertItem(copy);
    m_videoCutToolbar->setItem(copy);
    if (!m_videoItemDlg->isListExpanded())
        m_videoItemDlg->OnBtnShowList();
    m_videoItemDlg->noteStep(tr("Add Segment"));
}

void MainWindow::SelectItemChange()
{
    m_videoCutToolbar->setItem(currentItem());
    if (m_videoPlayDlg->inSection())
        m_videoPlayDlg->StopPlaySection();
    followCurrentSource();
}

void MainWindow::IsAddVideoFile(bool bFile)
{
    if (bFile)
        return;
    m_videoPlayDlg->close();
    m_videoCutToolbar->setControlsEnabled(false);
}

void MainWindow::OnPlayTrim()
{
    if (!m_videoCutToolbar->currentItem())
        m_videoCutToolbar->reset();
    if (m_videoPlayDlg->inSection()) {
        m_videoPlayDlg->OnPlayVideo();
        return;
    }
    if (VoVideoConvertItem *item = currentItem()) {
        m_videoPlayDlg->setSection(item->m_TrimStartTime, item->m_TrimEndTime);
        m_videoPlayDlg->PlaySection();
    }
}

// Pausing keeps the range, so that the next play resumes inside it.
void MainWindow::OnPauseTrim() { m_videoPlayDlg->OnPauseVideo(); }

void MainWindow::OnStopPlayTrim()
{
    if (!m_videoPlayDlg->inSection()) {
        if (VoVideoConvertItem *item = currentItem())
            m_videoPlayDlg->setSection(item->m_TrimStartTime, item->m_TrimEndTime);
    }
    m_videoPlayDlg->OnPauseVideo();
    m_videoPlayDlg->setPlaySeekStart();
}
