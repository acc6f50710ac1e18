#pragma once
// The one top-level window: the player panel, the cut tool and the segment
// manager stacked top to bottom under a drawn title bar. The panels never
// know each other; every interaction between them passes through the
// connections made here and through this window's slots, which read one
// panel's state and push it into the others. The window also receives the
// files the user opens or drops and turns them into media items.
#include "QVariableSizeWidget.h"

#include <QPointer>
#include <QVector>
#include <QSystemTrayIcon>
#include <QStringList>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class AddFileThread;
class QAction;
namespace cutlist {
struct Error;
struct ReadResult;
struct Segment;
using SegmentList = std::vector<Segment>;
} // namespace cutlist
class ProgramMenu;
class ProjectSession;
class QAbstractButton;
class QImageButton;
class QLoadingDlg;
class QPlayObject;
class QVBoxLayout;
class QVideoCutDlg;
class QVideoCutManageDlg;
class QVideoPlayDlg;
class ShellTray;
class UpdateComponent;
class VoVideoConvertItem;

class MainWindow : public QVariableSizeWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Process-wide values other windows read.
    static bool isConverting();
    static QString openFolder();

    // Places a dialog so that its centre lies on this window's centre.
    void centreDialog(QWidget *dialog) const;
    // The same rule as a pure function: a resulting x or y that is not
    // positive becomes 50.
    static QPoint centredTopLeft(const QRect &window, const QSize &dialog);

    // The panels and helpers, for the menu code, tests and screenshots.
    QVideoPlayDlg *playerPanel() const { return m_videoPlayDlg; }
    QVideoCutDlg *cutTool() const { return m_videoCutToolbar; }
    QVideoCutManageDlg *segmentManager() const { return m_videoItemDlg; }
    QLoadingDlg *loadingDialog() const;
    QPlayObject *playObject() const { return m_playObject; }
    bool isImporting() const;
    int savedListHeight() const { return m_savedListHeight; }
    // The program menu, the tray and the update component (MainWindow_Menu.cpp).
    ProgramMenu *programMenu() const { return m_menu; }
    ShellTray *tray() const { return m_tray; }
    UpdateComponent *updates() const { return m_updates; }
    // Cut lists (MainWindow_CutList.cpp): what the menu's entries do once
    // a file is chosen. The file is read or written off the interface
    // thread; cutListImported / cutListSaved tell the end (false after a
    // refusal, which the user was shown).
    void importCutList(const QString &path);
    void exportCutList(const QString &path);
    // The user's sentence for a cut-list fault, with its line (reading) or
    // segment (writing).
    static QString cutListErrorText(const cutlist::Error &error, bool reading);
    // Projects, undo and redo (ProjectSession.cpp).
    ProjectSession *project() const { return m_project; }

signals:
    void cutListImported(bool ok);
    void cutListSaved(bool ok);
    void seedConvertItem(VoVideoConvertItem *item);
    void seedAddComplete(bool bShowMsg);
    // An import has ended: its files' players are open (or failed) and the
    // loading dialog has gone.
    void importSettled();
    // The add-file worker's thread has ended (emitted on that thread, so
    // connect queued): from then on it no longer counts as importing.
    void addFileWorkerEnded();
    void emitLosslessChange();
    void emitStopPlay();
    void emitPausePlay();
    void emitAddFileNames(QStringList str);
    // The add-file worker's report for the loading dialog.
    void seedAddingFile(QString path, QString count, double progress);
    // The add-file worker could not make an item of path, for reason.
    void seedOpenFailed(QString path, QString reason);

public slots:
    void IsStartToConverter(bool bStart);
    void showVideoList(int changeH, bool Show);
    void OnAddFile();
    // Imports fileNames (a project: opens it), after asking about unsaved
    // work; returns before the answer.
    void addImportFile(QStringList fileNames);
    // "Add File…": the file's whole length joins the work as a segment of
    // its own, beside the segments of the files already there.
    void OnAddSourceFile();
    // Adds the files to the work (without a work: opens them as new work).
    void addSourceFiles(const QStringList &fileNames);
    // The player, the timeline's strip and the title show the current
    // segment's file (a work may cut from several).
    void followCurrentSource();
    void StopAddFileThree();
    void AddFileComplete(bool bShowMsg);
    void RestoreDlg();
    void addConvertItem(VoVideoConvertItem *item);
    void StartValueChange(double value);
    void EndValueChange(double value);
    void sliderMousePress();
    void sliderMouseRelease();
    void StartTimeChange(uint64_t t);
    void EndTimeChange(uint64_t t);
    void itemVideoImageChange();
    void progressValueChanged(double value);
    void OnBtnStartSet();
    void OnBtnEndSet();
    void OnBtnAddItem();
    void SelectItemChange();
    void IsAddVideoFile(bool bFile);
    void OnPlayTrim();
    void OnPauseTrim();
    void OnStopPlayTrim();
    void OnFormatDlg();
    void OnMenu();
    void OnClose();
    void ActOnHome();
    void ActOnHelp();
    void ActOnAbout();
    void ActOnPreferDlg();
    void ActOnUpdates();
    void ActOnImportCutList();
    void ActOnExportCutList();
    void ActOnSegmentsFromChapters();
    void ActOnDetect();
    // The current segments applied to files the user chooses (MainWindow_Batch.cpp).
    void ActOnApplySegments();
    void ActOnSaveSubtitles();
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void setAutoUpdate(bool bUpdate);
    void LangugeChangeSet(bool bChange);
    void showTimer();
    // Files a later start of the program handed over: the window comes to
    // the front and opens the last one as if it had been dropped on it.
    void openHandedOverFiles(const QStringList &files);
    // Ends the program as the close dialog's "Exit" does, without asking
    // and without the animation (SIGTERM, SIGINT).
    void endProgram();

protected:
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void showAddingFile(QString path, QString count, double progress);
    void showOpenFailed(QString path, QString reason);

private:
    friend class ProjectSession;
    // Construction steps (MainWindow.cpp, MainWindow_Panels.cpp).
    void buildPanels();
    void connectPanels();
    void buildTitleBar();
    void placeTitleButtons();
    void updateMaxButtons();
    void retranslate();

    // Helpers of the panel slots (MainWindow_Panels.cpp).
    VoVideoConvertItem *currentItem() const;
    // The current segment's place in the list, -1 for none.
    int currentIndex() const;
    bool isSimpleMode() const;
    void refreshThumbnail(VoVideoConvertItem *item);
    void thumbnailArrived(quintptr key, const QImage &image);
    void stopSectionPlay();
    // The rest of a start (end) mark once its time is known.
    void applyStart(VoVideoConvertItem *item, uint64_t t);
    void applyEnd(uint64_t t);
    // What the work's rules allow for the current segment's edges, in µs.
    uint64_t allowedStart(VoVideoConvertItem *item, uint64_t t);
    uint64_t allowedEnd(VoVideoConvertItem *item, uint64_t t);
    // Runs action once the marks asked for before it have their time.
    void afterMarks(std::function<void()> action);
    void addItemNow();
    // Import (MainWindow_Import.cpp).
    static void setOpenFolder(const QString &folder);
    void bringToFront();
    void openHandedOverFile();
    void startAddFileWorker();
    static QStringList droppedPaths(const QList<QUrl> &urls);
    // Removes the previous file's segments, items and player, once per import.
    void replaceWorkOnce(unsigned importId);
    // The players of the items delivered open one after the other off the
    // interface thread (the holder's thread); each item is shown once its
    // player has opened.
    bool playerOpening() const;
    void openNextPlayer();
    QPlayObject *playObject(bool create);
    void playerOpened(bool ok);
    void showOpenedItem(VoVideoConvertItem *item, unsigned importId);
    // The previous file opened again after a new one could not be played:
    // it returns to where it was.
    void previousReopened(bool ok);
    // Opens path again in the player (off this thread) and shows it at
    // position: for work brought back while no file plays.
    void reopenPlayer(const QString &path, uint64_t position, bool paused);
    // A time as the partial-file notice shows it: "0:00:02.6".
    static QString shortClock(uint64_t us);
    // Keyboard (MainWindow_Keys.cpp).
    void installShortcuts();
    QAbstractButton *bindingButton(int panel, const char *name) const;
    bool handleKey(QWidget *receiver, QKeyEvent *event);
    bool handleShortcut(QObject *receiver, QKeyEvent *event);
    // " (key)" for a button a key presses, in the interface language.
    QString shortcutHint(const QAbstractButton *button) const;
    // The button's tooltip gains its key; its accessible name is the tooltip
    // without the key.
    void nameButton(QAbstractButton *button);
    void nameAllButtons();
    void focusPlayerArea();
    QVector<QWidget *> arrangeTabOrder();
    // What the user arranged, read at start and stored when the window goes.
    void restoreArrangement();
    void storeArrangement();
    bool textFieldHasFocus(const QObject *receiver) const;
    // Menu, tray, updates and language (MainWindow_Menu.cpp).
    void buildMenuAndTray();
    // The player hears the sound track as the work's track plan has it.
    void showTrackPlanInPlayer();
    void retranslateMenu();
    // What every way of ending the program does first: a running
    // conversion stops and leaves no partial file; then is called once
    // every piece of work has ended (at once when none runs).
    void stopWorkForExit(const std::function<void()> &then);
    // addImportFile once unsaved work may go.
    void startImport(const QStringList &fileNames);
    bool m_exitPending = false; // the program ends once the work stopped for it has ended
    // Cut lists (MainWindow_CutList.cpp).
    void buildCutListActions();
    void refuseCutListImport(const QString &path, const QString &why);
    void placeReadCutList(const QString &path, const std::shared_ptr<VoVideoConvertItem> &source,
                          const cutlist::ReadResult &read);
    void refreshCutListActions();
    // Asks whether count new segments made for the file sourcePath replace
    // the work's or follow them, unless the work is only the file just
    // opened (then at once). The question does not wait: then(true,
    // replace) comes with the answer, then(false, …) after Cancel, when
    // appending would pass the limit, when the work no longer holds that
    // file or cannot change now, or when the question is already open for
    // other segments. question: the sentence asked, with %1 the work's
    // count and %2 the new one; empty: the cut list's.
    void askReplaceSegments(int count, const QString &sourcePath, const QString &question,
                            std::function<void(bool go, bool replace)> then);
    // Places segments of source after the question above; then(placed).
    void placeCutList(const std::shared_ptr<VoVideoConvertItem> &source, const cutlist::SegmentList &segments,
                      std::function<void(bool placed)> then);
    // True while the work holds sourcePath and may take new segments.
    bool canPlaceSegmentsOf(const QString &sourcePath) const;
    // Detection (MainWindow_Detect.cpp).
    void buildDetectAction();
    void refreshDetectAction();
    void stopBatchForExit(const std::function<void()> &stopped);

    QWidget *m_centralWidget = nullptr;
    QVBoxLayout *m_mainVLayout = nullptr;
    QVideoPlayDlg *m_videoPlayDlg = nullptr;
    QVideoCutDlg *m_videoCutToolbar = nullptr;
    QVideoCutManageDlg *m_videoItemDlg = nullptr;

    QImageButton *m_btnMenu = nullptr;
    ProgramMenu *m_menu = nullptr;
    ShellTray *m_tray = nullptr;
    UpdateComponent *m_updates = nullptr;
    QAction *m_actImportCutList = nullptr;
    QAction *m_actExportCutList = nullptr;
    QAction *m_actChapterSegments = nullptr;
    QAction *m_actDetect = nullptr;
    ProjectSession *m_project = nullptr;
    QImageButton *m_btnMax = nullptr;
    QImageButton *m_btnRestore = nullptr;
    QImageButton *m_btnMin = nullptr;
    QImageButton *m_btnClose = nullptr;

    std::unique_ptr<AddFileThread> m_addFileThread;
    QStringList m_fileNames;
    QPointer<QLoadingDlg> m_loadingDlg;
    QPlayObject *m_playObject = nullptr;
    struct PendingOpen {
        VoVideoConvertItem *item; // owned until shown
        unsigned importId;
    };
    QList<PendingOpen> m_openQueue; // the first one's player is opening
    bool m_itemOpening = false;     // the first one's player opens or is being shown
    bool m_reopening = false;       // the previous file opens again
    bool m_completeWaiting = false; // the import ended before its players opened
    QString m_previousPath;
    uint64_t m_previousPosition = 0;
    bool m_previousPaused = false;
    unsigned m_importId = 0;
    unsigned m_replacedForImport = 0;
    bool m_importReplacedWork = false; // the running import has replaced the work
    unsigned m_addingImportId = 0;     // the import that adds to the work instead
    QStringList m_addedNames;          // the files that import has added so far
    // The running import has put its first item in place of the previous
    // work; until then a failed open leaves that work as it was.

    QStringList m_dropList;
    QString m_lastDropPath;
    // A file from a later start, waiting for an open dialog to close.
    QString m_handedOverPath;
    QTimer m_handOverTimer;

    QTimer m_showTimer;
    int m_savedListHeight = 0;
    // The last size the user gave the window (not maximised, not closing),
    // and how much the open segment list added to its height.
    QSize m_keptSize;
    int m_listGrowth = 0;
};
