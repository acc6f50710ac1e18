#pragma once
// The bottom panel of the main window: the segments of the work and their
// conversion. Every segment is a media item of its own, kept in the item
// list in the same order as the rows here. Free Mode lists the segments as
// rows (any order, overlaps allowed); Simple Mode lays them side by side
// on a timeline over a strip of thumbnails. The conversion row starts and
// stops the conversion of all segments and opens the output folder.
#include "MediaConversion.h"
#include "SegmentOrder.h"
#include "TimeItemInfo.h"

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

class QButtonListDlg;
class QConverterObject;
class QImageButton;
class QImageButtonEx;
class QLabel;
class QScrollArea;
class QSimpleTimeLine;
class QSliderCtrlBtn;
class QVBoxLayout;
class QHBoxLayout;
class QVideoConvertItem;
class QVoCheckBox;
class ThumbnailStripWorker;
class VoVideoConvertItem;
class WorkModel;
struct WorkSegment;
class qSliderCtrl;

class QVideoCutManageDlg : public QWidget {
    Q_OBJECT
public:
    explicit QVideoCutManageDlg(QWidget *parent = nullptr);
    ~QVideoCutManageDlg() override;

    static constexpr int collapsedHeight = 50;
    static constexpr int listHeightDefault = 195;

    // Plain operations of the main window.
    QVideoConvertItem *currentEntry() const { return m_currentEntry; }
    bool isListExpanded() const { return m_bListExpanded; }
    TimeItemInfo currentTimeItemInfo() const;
    void setTimelineStart(double fraction);
    void setTimelineEnd(double fraction);
    void setTimelineTotal(uint64_t duration);
    bool timelineHasRoomAtEnd() const;
    // The work as the segments stand now (the rows' items brought into the
    // model first, each keeping its segment id); the rules on times are
    // asked of it, in microseconds.
    WorkModel *work();
    // A segment's item as the model's record (id and source left to the
    // caller).
    static WorkSegment segmentOf(const VoVideoConvertItem *item);
    // While the work's owner shows the model in the rows and boxes (undo,
    // a project opening), what they hold for a moment is not taken in.
    void holdWork(bool hold) { m_holdWork = hold; }
    // Ends one thing the user did as a step of the work's history, named
    // as the Undo entry shows it ("Delete Segment 2"); steps with the same
    // merge key during one drag join into one.
    void noteStep(const QString &text, quint64 mergeKey = 0);
    // A drag on the cut tool or the timeline: the handles and boxes of the
    // segment at index that moved while the button was held make one step,
    // noted as they move and joined by the segment's id until the button is
    // let go. Moves without a press are no drag and not noted.
    void beginDrag();
    void noteDrag(int index, bool start, bool end);
    void endDrag();
    void setListHeight(int extra);
    int listHeight() const { return m_extraHeight; }
    void retranslate();
    // The player panel whose spare height the size grip may take.
    void setPlayerPanel(QWidget *panel) { m_playerPanel = panel; }

    // State, for the owner's tests and screenshots.
    bool isSimpleMode() const { return m_bSimpleMode; }
    bool isConverting() const { return m_bConverting; }
    const QList<QVideoConvertItem *> &entries() const { return m_entries; }
    QButtonListDlg *pageButtons() const { return m_pageButtons; }
    QSimpleTimeLine *timeLine() const { return m_timeLine; }
    QScrollArea *listArea() const { return scrollArea; }
    qSliderCtrl *progressBar() const { return m_progressBar; }
    // The figure beside the progress bar: percentage and time left.
    QLabel *progressText() const { return m_labProgress; }
    QVoCheckBox *mergeCheck() const { return m_chkMerger; }
    // "Chapters from segments", offered while "Merge Segments" is on.
    QVoCheckBox *chaptersCheck() const { return m_chkChapters; }
    QImageButton *button(const QString &objectName) const;
    QImageButtonEx *openButton() const { return m_btnOpen; }
    QSliderCtrlBtn *sizeGrip() const { return m_btnSize; }
    int stripRequest() const { return m_stripRequest; }
    // The highest progress shown during the last conversion.
    int progressPeak() const { return m_progressPeak; }
    bool stripWorkerIdle() const;

    // How "Open The Output Folder" shows a folder; tests replace it so that
    // no file browser starts. An empty opener restores the desktop's.
    using FolderOpener = std::function<void(const QString &folder)>;
    static void setFolderOpener(FolderOpener opener);
    // Runs the editing dialog for item index of the item list; true when
    // the edit was accepted. The editing side installs it (it lies above
    // this panel); without one "Edit" only pauses the player.
    using EditRunner = std::function<bool(QWidget *parent, int itemIndex)>;
    void setEditRunner(EditRunner runner);

    // Opens the label editor of segment index: on its row in Free Mode, on
    // its box in Simple Mode. F2 does it for the current segment.
    void editLabel(int index);
    // The rows and boxes show the items' labels again (after an outside
    // change of them, or a change of order).
    void refreshLabels();
    // The files the segments are cut from, in list order, each once.
    QStringList sourcePaths() const;
    // The colour that marks the place-th file of a work cut from several.
    static QColor sourceColour(int place);
    // The open label editor, if any.
    QWidget *labelEditor() const;
    // Puts new items (outside the item list, in list order) into the work,
    // after the present segments or in their place; the panel owns them
    // from then on. The first new segment becomes current. In Simple Mode
    // segments out of time order leave the panel in Free Mode and the
    // switch's question opens: a Yes puts them in order and switches back
    // (a step of its own). True when the panel is in its mode of before.
    bool placeSegments(const QList<VoVideoConvertItem *> &items, bool replace);
    // The switch to Simple Mode. Segments out of time order are asked about
    // first without waiting for the answer: then(true) once the panel has
    // switched, then(false) when the user kept Free Mode or the question
    // was already open (that one answers).
    void requestSimpleMode(std::function<void(bool)> then);
    // Free Mode for this work, the user's choice of mode left as it is (a
    // second file joined the work).
    void showList();

    // Asks a running conversion to stop for the end of the program; calls
    // stopped once it has ended and its partial file is gone (at once when
    // nothing runs).
    void stopConversionForExit(const std::function<void()> &stopped);
    // "1:05" or "1:02:05", for the time left of a conversion.
    static QString timeLeftText(qint64 ms);

signals:
    void emitChangeHeight(int height, bool bShow);
    void mouseMove(QMouseEvent *event, int x);
    void emitStopPlay();
    void emitPausePlay();
    void seedIsAddItem(bool hasItems);
    void emitStartTimeChange(uint64_t time);
    void emitEndTimeChange(uint64_t time);
    void emitBtnAdd();
    void emitSelectItemChange();
    void emitVideoImageChange();
    void emitIsStartConverter(bool bStart);
    void emitProgressValueChanged(double value);
    void emitTimeLineMousePress();
    void emitTimeLineMouseRelease();
    void sendPlayProToPlay(uint64_t time);
    void emitFormatChanged();
    // The user chose to encode a merge whose files do not join losslessly:
    // the format to encode into is asked for.
    void emitChooseFormatForJoin();
    // The user named a segment (or changed its name).
    void emitLabelChanged(int index);
    void seedLineImage(QImage image, int id);

public slots:
    void OnConvert();
    void OnStopConvert();
    void ConverterPro(int nPro);
    void OnBtnOpen();
    void OnBtnShowList();
    void OnBtnHideList();
    void btnSizeMouseMove(QMouseEvent *event, int y);
    void btnSizeMouseDown(QMouseEvent *event, int y);
    void addConvertItem(VoVideoConvertItem *item);
    void stopShowLineBgImage();
    void setLineBgImage(VoVideoConvertItem *item);
    void StartTimeChange(uint64_t time);
    void EndTimeChange(uint64_t time);
    void OnClickItem(int index);
    void OnBarbtnDelete();
    void ActionDeleteALL();
    void respondMouseStateEmit();
    void respondDeleteEmit();
    void respondEditEmit();
    void setConvertState(bool bConverting);
    void convertedFinish(bool success);
    void OnBtnUp();
    void OnBtnDown();
    void swapItemValue(int i, int j);
    void videoPlayPro(double pro);
    void playProValueChange(double pro);

private slots:
    void OnStyleLine();
    void OnStyleList();
    void OnDelete();
    void OnEdit();
    void lineDeleteFile(int index);
    void lineImage(QImage image, int id);
    void timeItemInfoChange(TimeItemInfo info, int index, bool flag);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildForm();
    void layoutHeader();
    void refresh();
    void updateMoveButtons();
    void setPageButtonsVisibility();
    // Makes entry current: selected and enabled, every other row plain and
    // disabled, the page buttons and (in Simple Mode) the timeline follow.
    void makeCurrent(QVideoConvertItem *entry, bool selectOnTimeline);
    // Takes the row at index out of the layout, the rows and memory, and
    // the item out of the item list.
    void removeEntryAt(int index);
    void afterRemoval();
    void showModeButtons();
    void setFixedPanelHeight(int height);
    // The segments' ranges as they are now, in row order.
    QVector<SegmentRange> segmentRanges() const;
    // Puts the segments in time order without overlaps, as Simple Mode
    // shows them (starts moved, segments left without room removed).
    void normaliseForSimpleMode();
    // Shows the panel in Simple Mode with the segments as they are.
    void enterSimpleMode();
    void fillTimeline();
    void runEdit(QVideoConvertItem *entry);
    QString outputFolder() const;
    void showProgressFigure();
    // The message at the end of a run (a failure, notes), in one box.
    void showRunEnded(const QString &text, int kind);
    // A lossless merge of files that do not join: what differs, and the
    // ways on (the sound encoded to match the first file, or everything
    // encoded to a chosen format).
    void offerJoinFixes(const QString &misfit, const std::vector<MediaMerge::Misfit> &files);
    void startConversion(bool matchSound);
    void setupLabelEditing();
    void refreshSourceMarks();

    QImageButton *m_btnShowList = nullptr;
    QImageButton *m_btnHideList = nullptr;
    QSliderCtrlBtn *m_btnSize = nullptr;
    QScrollArea *scrollArea = nullptr;
    QWidget *m_scrollAreaWidget = nullptr;
    QVBoxLayout *m_listLayout = nullptr;
    QHBoxLayout *m_ConvertLayout = nullptr;
    QImageButton *m_btnAddItem = nullptr;
    qSliderCtrl *m_progressBar = nullptr;
    QLabel *m_labProgress = nullptr;
    QImageButtonEx *m_btnOpen = nullptr;
    QVoCheckBox *m_chkMerger = nullptr;
    QVoCheckBox *m_chkChapters = nullptr;
    QImageButton *m_btnUp = nullptr;
    QImageButton *m_btnDown = nullptr;
    QImageButton *m_btnEdit = nullptr;
    EditRunner m_editRunner;
    QImageButton *m_btnDelete = nullptr;
    QImageButton *m_btnStyleList = nullptr;
    QImageButton *m_btnStyleLine = nullptr;
    QStringList m_sourceOrder; // the work's files in the order they came
    QButtonListDlg *m_pageButtons = nullptr;
    QSimpleTimeLine *m_timeLine = nullptr;
    QVBoxLayout *m_mainLayout = nullptr;

    QList<QVideoConvertItem *> m_entries;
    QVideoConvertItem *m_currentEntry = nullptr;
    QVideoConvertItem *m_deletingEntry = nullptr;
    bool m_bSimpleMode = false;
    bool m_bListExpanded = false;
    int m_extraHeight = 0;
    int m_dragOriginY = 0;
    int m_dragStartExtra = 0;
    int m_dragSpare = 0;
    QWidget *m_playerPanel = nullptr;

    bool m_bConverting = false;
    bool m_bUserStopped = false;
    QStringList m_convertNotes; // notes of the running conversion, shown when it ends
    int m_progressPeak = 0;
    // The estimate of the time left is made when the percentage moves and
    // counts down between moves, so it does not jump with every report.
    QElapsedTimer m_convertClock;
    int m_estimatePercent = -1;
    qint64 m_estimateAtMs = 0;   // clock time of the last estimate
    qint64 m_estimateLeftMs = -1; // time left then; -1 while there is none
    std::unique_ptr<QConverterObject> m_converter; // the run of the last Start

    QPointer<QWidget> m_timelineLabelEditor;
    WorkModel *m_work = nullptr;
    bool m_holdWork = false;
    struct Drag {
        bool pressed = false;
        int index = -1;
        bool start = false;
        bool end = false;
    } m_drag;
    // Notes the drag's positions so far as a step that joins its others.
    void noteDragStep(const Drag &drag);
    std::unique_ptr<ThumbnailStripWorker> m_stripWorker;
    int m_stripRequest = 0; // compared on the interface thread only
};
