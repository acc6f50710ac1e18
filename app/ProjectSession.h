#pragma once
// The main window's work as a project: undo and redo of every change to
// the segments, the mode and the output settings; saving and opening
// project files; the list of recent files; the window title with the
// project's name; the question before unsaved work is closed.
//
// Each thing the user does that changes the work ends by naming itself
// to the work model ("Delete Segment 2", "Video Edit"); the session then
// records what the model collected since the last step (the segments it
// touched, before and after) as one named command. Undo and redo put one
// side back into the model, and the rows and timeline boxes are shown
// from the model again. A drag notes its positions as it goes, and they
// join into one step by the segment's id until the button is let go.
#include "CoverPicture.h"
#include "ProjectFile.h"
#include "WorkModel.h"
#include "WorkState.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class MainWindow;
class QAction;
class QDateTime;
class QKeyEvent;
class QLockFile;
class QTimer;
class QUndoStack;
class QVoMenu;
class QVoMessageBox;
class VoVideoConvertItem;

class ProjectSession : public QObject {
    Q_OBJECT
public:
    explicit ProjectSession(MainWindow *window);
    ~ProjectSession() override;

    QUndoStack *undoStack() const { return m_stack; }
    QString projectPath() const { return m_projectPath; }
    bool hasUnsavedChanges() const;
    // The title the window shows: the project's (or file's) name, marked
    // with "*" while there are unsaved changes.
    QString titleText() const;

    // Records what changed since the last step as the step called text
    // (nothing when nothing changed). Steps with the same merge key during
    // one drag join into one.
    void record(const QString &text, quint64 mergeKey = 0);
    // Puts one side of a step back (undo: its "before") and shows it: the
    // model first, then the rows and boxes from it, then the selection.
    void showStep(const WorkStep &step, bool undo, const std::optional<OutputState> &output, quint64 current);
    // Undo, redo, save and open by their keys, while no text field has the
    // keys; true when the key was one of them.
    bool handleKey(QKeyEvent *event);


    bool saveProject();
    bool saveProjectAs();
    bool saveProjectTo(const QString &path);
    // Opens a project: its source, then its segments, edits and output
    // settings; then(opened) follows once its source's import has ended. A
    // bad file is reported and changes nothing. False when it could not
    // even start.
    bool openProject(const QString &path, std::function<void(bool opened)> then = {});
    bool chooseAndOpenProject();
    static bool isProjectPath(const QString &path);

    // Asked before the work goes (closing, opening other work): then(true)
    // when it may go (saved, discarded, or nothing to lose), at once when
    // there is nothing to ask, else once the user has answered; the question
    // does not wait. then(false) after Cancel, a failed save, or when the
    // question is already open (that one decides).
    void confirmDiscard(std::function<void(bool mayGo)> then);
    // The question it asks, about the work called name.
    static QVoMessageBox *discardQuestion(QWidget *parent, const QString &name);

    // The autosave of this session: the work a few seconds after each
    // change, in the user's state folder, gone when the program ends
    // normally. Each running program has its own, locked while it runs.
    static QString autosaveFolder();
    QString autosavePath() const { return m_autosavePath; }
    // Autosaves of sessions that ended without tidying up (a crash, a
    // kill): the newest is offered for restoring, the rest are removed.
    // The question does not wait; then() follows its answer (at once when
    // nothing is offered), after a restore has begun.
    void offerRestore(std::function<void()> then = {});
    static QVoMessageBox *restoreQuestion(QWidget *parent, const QString &file, const QDateTime &when);
    // The program is ending without a chance to ask (SIGTERM at a logout):
    // unsaved work is written to the autosave now and left there, so that
    // the next start offers it back.
    void keepForRecovery();
    // The autosave is written once the work has rested this long, and at
    // the latest this long after the first change it has not yet written,
    // however busy the user is.
    static constexpr int kAutosaveDelayMs = 3000;
    static constexpr int kAutosaveLongestMs = 30000;

    QStringList recentPaths() const;
    void addRecent(const QString &path);

    // How the file dialogs are answered; tests replace them. An empty
    // chooser restores the desktop's dialog.
    using PathChooser = std::function<QString(QWidget *parent, const QString &suggested)>;
    static void setSaveChooser(PathChooser chooser);
    static void setOpenChooser(PathChooser chooser);

    // The project the work would be saved as.
    Project toProject() const;

signals:
    void titleChanged();

private:
    void buildMenu();
    void retranslate();
    void fillRecentMenu();
    void refreshTitle();
    void newWorkStarted();
    void importFinished();
    void showStepNames();
    OutputState captureOutput() const;
    void applyOutput(const OutputState &output);
    quint64 currentId() const;
    void rememberCovers();
    // The model as it is now is the base of the next step.
    void settleBase();
    // Shows the model in the rows and boxes: rewritten where the same
    // segments are shown in the same mode, else built anew.
    void showModel(quint64 current);
    void rebuildRows(quint64 current);
    // Gives the items and rows the model's ranges, edits and names (those
    // that differ, or all).
    void placeRows(bool all);
    void reopenPlayerIfClosed();
    // A project's segments, output and mode into the model and the window.
    // morePaths: where the project's further files were found (empty
    // where not), in the project's order.
    void showProject(const Project &project, const QStringList &morePaths = {});
    void finishOpening();
    // The restore question's answer about the autosave at path.
    void answerRestore(bool restore, const QString &path, const Project &project);
    void writeAutosave();
    void scheduleAutosave();
    bool writeAutosaveNow();
    void removeAutosave();

    MainWindow *m_window;
    QUndoStack *m_stack;
    // The output settings, the selected segment and each segment's picture
    // as of the last step.
    OutputState m_lastOutput;
    quint64 m_lastCurrent = 0;
    QHash<quint64, CoverPicture> m_covers; // by segment id
    int m_dragSerial = 0; // counts drags: steps join only within one
    bool m_applying = false;
    // A clone of the source's item as opened: every segment restored by
    // undo or from a project is a copy of it.
    std::unique_ptr<VoVideoConvertItem> m_template;
    // The same for each further file the work cuts from, by path.
    QHash<QString, std::shared_ptr<VoVideoConvertItem>> m_moreTemplates;
    // What finds each further file again, by path: read aside when the file
    // joined the work (absent until then).
    QHash<QString, SourceFingerprint> m_moreFingerprints;
    void readFingerprintOf(const QString &path);
    // The item a segment of the file at path is a copy of (the first
    // source's for a file not known).
    VoVideoConvertItem *templateFor(const QString &path) const;
    // Keeps a copy of every listed item of a file not yet known.
    void learnSources();
    // Records the step called text once no import is under way: at once,
    // or when the add-file worker's thread reports its end.
    void noteWhenSettled(const QString &text);
    void notePendingStep();
    QString m_pendingStep; // named by noteWhenSettled while the import winds down
    // Keys of a project's segments this version does not know.
    QHash<quint64, QJsonObject> m_stored; // by segment id
    QString m_projectPath;
    QString m_sourcePath;
    SourceFingerprint m_fingerprint; // of m_fingerprintOf, once read
    QString m_fingerprintOf;
    bool m_openingProject = false;
    // A project whose source is being imported.
    struct Opening {
        Project project;
        QString path;
        QString source;
        std::function<void(bool)> then;
        QStringList moreSources; // found paths of the further files ("" when not found)
    };
    std::unique_ptr<Opening> m_opening;
    void showOpenedProject(const Opening &opening);
    bool m_restoring = false;

    QAction *m_actOpen = nullptr;
    QAction *m_actSave = nullptr;
    QAction *m_actSaveAs = nullptr;
    QAction *m_actUndo = nullptr;
    QAction *m_actRedo = nullptr;
    QVoMenu *m_recentMenu = nullptr;

    QTimer *m_autosaveTimer = nullptr;
    QElapsedTimer m_autosavePending;
    QString m_autosavePath;
    bool m_keepAutosave = false;
    std::unique_ptr<QLockFile> m_autosaveLock;
};
