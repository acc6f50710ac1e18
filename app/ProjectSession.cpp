#include "ProjectSession.h"

#include "AppPaths.h"
#include "FormatWidget.h"
#include "MainWindow.h"
#include "OffThread.h"
#include "ParserXML.h"
#include "ProgramMenu.h"
#include "QPlayObject.h"
#include "QSimpleTimeLine.h"
#include "QVideoConvertItem.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"
#include "QVoCheckBox.h"
#include "QVoMessageBox.h"
#include "TimeItemInfo.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"
#include "WorkModel.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>
#include <QDateTime>
#include <QThread>
#include <QUndoCommand>
#include <QUndoStack>

#include <limits>
#include <type_traits>

namespace {

ProjectSession::PathChooser g_saveChooser;
ProjectSession::PathChooser g_openChooser;

constexpr int kRecentCount = 10;
const QString kRecentItem = QStringLiteral("RECENT_ITEM");

// One named step: what it changed in the model, before and after, and the
// output settings when they changed. The change has already happened when
// the step is recorded, so the first redo does nothing. The steps of one
// drag join by their segment's id while the drag lasts.
class WorkCommand : public QUndoCommand {
public:
    WorkCommand(ProjectSession *session, WorkStep step, const QString &text, quint64 mergeKey, int dragSerial)
        : QUndoCommand(text), m_session(session), m_step(std::move(step)), m_mergeKey(mergeKey),
          m_dragSerial(dragSerial)
    {
    }
    void setOutputs(const OutputState &before, const OutputState &after)
    {
        m_outputBefore = before;
        m_outputAfter = after;
    }
    void setCurrent(quint64 before, quint64 after)
    {
        m_currentBefore = before;
        m_currentAfter = after;
    }
    void undo() override { m_session->showStep(m_step, true, m_outputBefore, m_currentBefore); }
    void redo() override
    {
        if (m_done)
            m_session->showStep(m_step, false, m_outputAfter, m_currentAfter);
        m_done = true;
    }
    int id() const override { return m_mergeKey ? 1 : -1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *later = static_cast<const WorkCommand *>(other);
        // The same segment (its id is the key's quarter), the same drag.
        if (later->m_mergeKey / 4 != m_mergeKey / 4 || later->m_dragSerial != m_dragSerial)
            return false;
        m_step.absorb(later->m_step);
        if (later->m_outputAfter) {
            if (!m_outputBefore)
                m_outputBefore = later->m_outputBefore;
            m_outputAfter = later->m_outputAfter;
        }
        m_currentAfter = later->m_currentAfter;
        setText(later->text());
        // Dragged back to where it began: no step at all.
        setObsolete(m_step.isEmpty() && m_outputBefore == m_outputAfter);
        return true;
    }

private:
    ProjectSession *m_session;
    WorkStep m_step;
    std::optional<OutputState> m_outputBefore, m_outputAfter;
    quint64 m_currentBefore = 0, m_currentAfter = 0;
    quint64 m_mergeKey;
    int m_dragSerial;
    bool m_done = false;
};

void storeSetting(const QString &item, const QString &attribute, const QString &value)
{
    // A value is only stored on an item that exists.
    ParserXML::readItemValue(item, attribute, value);
    ParserXML::writeItemValue(item, attribute, value);
}

QString yesNo(bool b) { return b ? QStringLiteral("Y") : QStringLiteral("N"); }

} // namespace

ProjectSession::ProjectSession(MainWindow *window)
    : QObject(window), m_window(window), m_stack(new QUndoStack(this))
{
    setObjectName(QStringLiteral("projectSession"));
    // Far more than the 100 steps promised; each step shares what it did
    // not change with its neighbours.
    m_stack->setUndoLimit(5000);
    buildMenu();
    connect(m_stack, &QUndoStack::cleanChanged, this, &ProjectSession::refreshTitle);
    connect(m_stack, &QUndoStack::indexChanged, this, &ProjectSession::refreshTitle);
    connect(window, &MainWindow::importSettled, this, &ProjectSession::importFinished);
    connect(window, &MainWindow::addFileWorkerEnded, this, &ProjectSession::notePendingStep, Qt::QueuedConnection);

    QVideoCutManageDlg *list = window->segmentManager();
    connect(list->work(), &WorkModel::stepTaken, this, &ProjectSession::record);
    connect(list->work(), &WorkModel::dragEnded, this, [this] { ++m_dragSerial; });
    connect(list->mergeCheck(), &QAbstractButton::toggled, this,
            [this](bool on) { record(on ? tr("Merge Segments") : tr("Separate Segments")); });
    connect(m_stack, &QUndoStack::indexChanged, this, &ProjectSession::showStepNames);

    // Named by the process: two programs running at once, for one user on
    // two displays, never write each other's file.
    QDir().mkpath(autosaveFolder());
    const QString base = QDir(autosaveFolder()).filePath(QStringLiteral("session-%1").arg(QCoreApplication::applicationPid()));
    m_autosavePath = base + QLatin1Char('.') + ProjectFile::kSuffix;
    m_autosaveLock = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
    m_autosaveLock->setStaleLockTime(0);
    m_autosaveLock->tryLock(0);
    m_autosaveTimer = new QTimer(this);
    m_autosaveTimer->setSingleShot(true);
    m_autosaveTimer->setInterval(kAutosaveDelayMs);
    connect(m_autosaveTimer, &QTimer::timeout, this, &ProjectSession::writeAutosave);
    connect(m_stack, &QUndoStack::indexChanged, this, &ProjectSession::scheduleAutosave);
    refreshTitle();
}

ProjectSession::~ProjectSession()
{
    // The program ends normally: nothing is left to restore.
    if (!m_keepAutosave)
        removeAutosave();
    m_autosaveLock.reset();
    // The commands hold no items, only records; the stack goes first so
    // that nothing is applied while the window is going.
    m_stack->disconnect(this);
    delete m_stack;
}

void ProjectSession::buildMenu()
{
    ProgramMenu *menu = m_window->programMenu();
    m_actOpen = menu->actOpenProject();
    m_actSave = menu->actSaveProject();
    m_actSaveAs = menu->actSaveProjectAs();
    m_actUndo = menu->actUndo();
    m_actRedo = menu->actRedo();
    m_recentMenu = menu->recentMenu();
    connect(m_actOpen, &QAction::triggered, this, &ProjectSession::chooseAndOpenProject);
    connect(m_actSave, &QAction::triggered, this, &ProjectSession::saveProject);
    connect(m_actSaveAs, &QAction::triggered, this, &ProjectSession::saveProjectAs);
    // Marks, adds and conversions asked for while the player was still on
    // its way to a picture happen first: the keys act in the order pressed.
    connect(m_actUndo, &QAction::triggered, this, [this] { m_window->afterMarks([this] { m_stack->undo(); }); });
    connect(m_actRedo, &QAction::triggered, this, [this] { m_window->afterMarks([this] { m_stack->redo(); }); });
    connect(m_stack, &QUndoStack::canUndoChanged, m_actUndo, &QAction::setEnabled);
    connect(m_stack, &QUndoStack::canRedoChanged, m_actRedo, &QAction::setEnabled);
    m_actUndo->setEnabled(false);
    m_actRedo->setEnabled(false);
    connect(menu, &QMenu::aboutToShow, this, [this] {
        const bool hasWork = VoVideoConvertManager::instance()->count() > 0 && !MainWindow::isConverting();
        m_actSave->setEnabled(hasWork);
        m_actSaveAs->setEnabled(hasWork);
        m_actOpen->setEnabled(!MainWindow::isConverting());
        fillRecentMenu();
    });
    fillRecentMenu();
}

void ProjectSession::fillRecentMenu()
{
    m_recentMenu->clear();
    const QStringList paths = recentPaths();
    for (const QString &path : paths) {
        QAction *action = m_recentMenu->addAction(QFileInfo(path).fileName());
        action->setToolTip(path);
        action->setData(path);
        action->setEnabled(!MainWindow::isConverting());
        connect(action, &QAction::triggered, this, [this, path] { m_window->addImportFile({path}); });
    }
    if (paths.isEmpty())
        m_recentMenu->addAction(tr("No recent files"))->setEnabled(false);
}

QStringList ProjectSession::recentPaths() const
{
    QStringList paths;
    for (int i = 0; i < kRecentCount; ++i) {
        const QString path =
            ParserXML::readItemValue(kRecentItem, QStringLiteral("Path%1").arg(i), QString());
        if (!path.isEmpty())
            paths << path;
    }
    return paths;
}

void ProjectSession::addRecent(const QString &path)
{
    QStringList paths = recentPaths();
    paths.removeAll(path);
    paths.prepend(path);
    for (int i = 0; i < kRecentCount; ++i)
        storeSetting(kRecentItem, QStringLiteral("Path%1").arg(i), paths.value(i));
}

bool ProjectSession::isProjectPath(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String(ProjectFile::kSuffix), Qt::CaseInsensitive) == 0;
}

bool ProjectSession::hasUnsavedChanges() const
{
    return !m_stack->isClean() && VoVideoConvertManager::instance()->count() > 0;
}

QString ProjectSession::titleText() const
{
    QString name;
    if (!m_projectPath.isEmpty())
        name = QFileInfo(m_projectPath).completeBaseName();
    else if (!m_sourcePath.isEmpty() && VoVideoConvertManager::instance()->count() > 0)
        name = QFileInfo(m_sourcePath).fileName();
    if (name.isEmpty())
        return productTitle();
    return QStringLiteral("%1%2 — %3").arg(m_stack->isClean() ? QString() : QStringLiteral("*"), name, productTitle());
}

void ProjectSession::refreshTitle()
{
    // The task bar and window lists name the work as the drawn title does.
    m_window->setTitleText(titleText());
    m_window->setWindowTitle(titleText());
    m_window->update();
    emit titleChanged();
}

// --- steps of the work ----------------------------------------------------

OutputState ProjectSession::captureOutput() const
{
    OutputState out;
    FormatWidget *format = FormatWidget::instance(m_window);
    out.params = OutputFormatParams::instance();
    out.lossless = out.params.lossless;
    out.encodingCategory = format->encodingCategory();
    out.encodingId = format->encodingId();
    out.losslessCategory = format->losslessCategory();
    out.losslessId = format->losslessId();
    out.quality = int(format->quality());
    out.frameExact = ParserXML::readItemValue(QStringLiteral("FRAMEEXACT_ITEM"), QStringLiteral("bFrameExactCut"),
                                              QStringLiteral("N"))
                     == QLatin1String("Y");
    out.merge = m_window->segmentManager()->mergeCheck()->isChecked();
    return out;
}

quint64 ProjectSession::currentId() const
{
    const QVideoConvertItem *entry = m_window->segmentManager()->currentEntry();
    return entry && entry->item() ? entry->item()->m_segmentId : 0;
}

void ProjectSession::record(const QString &text, quint64 mergeKey)
{
    if (m_applying || m_openingProject || MainWindow::isConverting() || m_window->isImporting() || !m_template)
        return;
    // The rows have just been taken into the model (noteStep does that
    // first); what they changed since the last step is this step.
    WorkStep step = m_window->segmentManager()->work()->takeStep();
    const OutputState output = captureOutput();
    const quint64 current = currentId();
    rememberCovers();
    const bool outputChanged = output != m_lastOutput;
    if (step.isEmpty() && !outputChanged) {
        m_lastCurrent = current;
        return;
    }
    auto *command = new WorkCommand(this, std::move(step), text, mergeKey, m_dragSerial);
    if (outputChanged)
        command->setOutputs(m_lastOutput, output);
    command->setCurrent(m_lastCurrent, current);
    m_lastOutput = output;
    m_lastCurrent = current;
    m_stack->push(command);
}

void ProjectSession::rememberCovers()
{
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    for (int i = 0; i < items->count(); ++i)
        m_covers.insert(items->itemAt(i)->m_segmentId, items->itemAt(i)->m_cover);
}

void ProjectSession::showStepNames()
{
    m_window->programMenu()->setStepNames(m_stack->canUndo() ? m_stack->undoText() : QString(),
                                          m_stack->canRedo() ? m_stack->redoText() : QString());
}

void ProjectSession::applyOutput(const OutputState &o)
{
    if (o == captureOutput())
        return;
    storeSetting(QStringLiteral("LOSSLESS_ITEM"), QStringLiteral("Lossless_convert"), yesNo(o.lossless));
    storeSetting(QStringLiteral("FormatSet"), QStringLiteral("Format_cate"), o.encodingCategory);
    storeSetting(QStringLiteral("FormatSet"), QStringLiteral("Format_ID"), o.encodingId);
    if (!o.losslessCategory.isEmpty()) {
        storeSetting(QStringLiteral("FormatSet"), QStringLiteral("Format_cate_lossless"), o.losslessCategory);
        storeSetting(QStringLiteral("FormatSet"), QStringLiteral("Format_ID_lossless"), o.losslessId);
    }
    storeSetting(QStringLiteral("VIDEO_QUALITY_ITEM"), QStringLiteral("quality_value"), QString::number(o.quality));
    storeSetting(QStringLiteral("FRAMEEXACT_ITEM"), QStringLiteral("bFrameExactCut"), yesNo(o.frameExact));
    FormatWidget *format = FormatWidget::instance(m_window);
    format->showLosslessView(o.lossless);
    if (!o.lossless)
        format->setQuality(VideoQuality(o.quality));
    // The exact parameters the work was converted with, custom values too.
    OutputFormatParams::instance() = o.params;
    {
        const QSignalBlocker quiet(m_window->segmentManager()->mergeCheck());
        m_window->segmentManager()->mergeCheck()->setChecked(o.merge);
    }
    // The rows take the mode and container into their items, as after the
    // format dialog's OK.
    emit m_window->segmentManager()->emitFormatChanged();
    emit format->settingChangeForFormat();
}

void ProjectSession::showStep(const WorkStep &step, bool undo, const std::optional<OutputState> &output,
                              quint64 current)
{
    QVideoCutManageDlg *list = m_window->segmentManager();
    WorkModel *model = list->work();
    m_applying = true;
    if (output)
        applyOutput(*output);
    model->applyStep(step, undo);
    showModel(current);
    m_applying = false;
    settleBase();
}

void ProjectSession::settleBase()
{
    // What the window shows now is the base of the next step, even should
    // it differ from the model; undo and the change would otherwise take
    // turns for ever.
    if (!m_window->segmentManager()->work()->takeStep().isEmpty())
        qWarning("project: the rows and boxes show other segments than the work holds");
    m_lastOutput = captureOutput();
    m_lastCurrent = currentId();
    rememberCovers();
}

void ProjectSession::showModel(quint64 current)
{
    QVideoCutManageDlg *list = m_window->segmentManager();
    // The rows are rebuilt or rewritten from the model here; what they hold
    // on the way is not taken back into it.
    list->holdWork(true);
    const WorkModel *model = list->work();
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    const bool simple = model->mode() == WorkMode::Simple;
    bool sameRows = model->count() > 0 && items->count() == model->count() && list->isSimpleMode() == simple;
    for (int i = 0; sameRows && i < model->count(); ++i)
        sameRows = items->itemAt(i)->m_segmentId == model->at(i).id;
    if (sameRows)
        placeRows(false);
    else
        rebuildRows(current);
    list->timeLine()->setMarkers(model->markers());
    list->refreshLabels();
    if (model->count() > 0) {
        list->OnClickItem(qMax(0, model->indexOf(current)));
        m_window->SelectItemChange();
    }
    list->holdWork(false);
}

void ProjectSession::placeRows(bool all)
{
    QVideoCutManageDlg *list = m_window->segmentManager();
    const WorkModel *model = list->work();
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    bool moved = false;
    for (int i = 0; i < model->count() && i < items->count(); ++i) {
        const WorkSegment &want = model->at(i);
        VoVideoConvertItem *item = items->itemAt(i);
        WorkSegment shown = QVideoCutManageDlg::segmentOf(item);
        shown.id = item->m_segmentId;
        shown.source = want.source;
        if (!all && shown == want)
            continue;
        item->m_segmentId = want.id;
        item->m_editConfig = want.edit;
        item->m_label = want.label;
        if (m_covers.contains(want.id))
            item->m_cover = m_covers.value(want.id);
        if (QVideoConvertItem *entry = list->entries().value(i)) {
            entry->setTrim(want.start_us, want.end_us);
            entry->refreshPicture();
        }
        item->m_TrimStartTime = want.start_us;
        item->m_TrimEndTime = want.end_us;
        moved = true;
    }
    if (moved && model->mode() == WorkMode::Simple) {
        // The boxes follow the model exactly: the ranges are its own, never
        // normalised again.
        QSimpleTimeLine *line = list->timeLine();
        line->clearSegments();
        for (int i = 0; i < items->count(); ++i) {
            const VoVideoConvertItem *item = items->itemAt(i);
            const double d = item->m_duration ? double(item->m_duration) : 1.0;
            TimeItemInfo info;
            info.startPos = float(double(item->m_TrimStartTime) / d);
            info.endPos = item->m_TrimEndTime == 0 ? 1.0f : float(double(item->m_TrimEndTime) / d);
            info.length = info.endPos - info.startPos;
            info.minStart = 0;
            info.maxEnd = 0;
            line->addTrimTime(info);
        }
    }
}

void ProjectSession::rebuildRows(quint64 current)
{
    QVideoCutManageDlg *list = m_window->segmentManager();
    const WorkModel *model = list->work();
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    const bool simple = model->mode() == WorkMode::Simple;
    const bool modeChanges = simple != list->isSimpleMode();
    if (model->count() == 0) {
        // As when the user deletes the last segment: the player closes.
        list->ActionDeleteALL();
        list->OnBtnHideList();
        if (modeChanges)
            QMetaObject::invokeMethod(list, simple ? "OnStyleLine" : "OnStyleList");
        return;
    }
    {
        // The list is empty for a moment; the player must not take that
        // for the end of the work.
        const QSignalBlocker quiet(list);
        list->ActionDeleteALL();
        // Switched while empty, the mode asks nothing and changes nothing.
        if (modeChanges)
            QMetaObject::invokeMethod(list, simple ? "OnStyleLine" : "OnStyleList");
        const int selected = qMax(0, model->indexOf(current));
        for (int i = 0; i < model->count(); ++i) {
            const WorkSegment &segment = model->at(i);
            const QString path = segment.source < model->sourceCount() ? model->source(segment.source).path : QString();
            VoVideoConvertItem *copy = templateFor(path)->clone();
            copy->m_segmentId = segment.id;
            copy->m_isCurrent = i == selected;
            items->insert(copy, -1);
            list->addConvertItem(copy);
        }
    }
    reopenPlayerIfClosed();
    if (simple) {
        list->setTimelineTotal(m_template->m_duration);
        list->setLineBgImage(items->itemAt(0));
    }
    // The rows applied the output mode to their items and the timeline
    // placed new boxes its own way; the model's records win.
    placeRows(true);
    if (!list->isListExpanded())
        list->OnBtnShowList();
}

void ProjectSession::reopenPlayerIfClosed()
{
    QVideoPlayDlg *play = m_window->playerPanel();
    QVideoCutManageDlg *list = m_window->segmentManager();
    if (play->player())
        return;
    m_window->reopenPlayer(m_sourcePath, 0, true);
    m_window->cutTool()->setControlsEnabled(true);
    VoVideoConvertItem *first = VoVideoConvertManager::instance()->itemAt(0);
    list->setTimelineTotal(first->m_duration);
    list->setLineBgImage(first);
}

// --- new work -------------------------------------------------------------

void ProjectSession::importFinished()
{
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    const VoVideoConvertItem *first = items->count() > 0 ? items->itemAt(0) : nullptr;
    // Only an import that replaced the work starts new work; a failed one
    // leaves everything, history included, as it was.
    if (!first || !m_window->m_importReplacedWork) {
        // Files added to the work: one step, named after them.
        const QStringList added = m_window->m_addedNames;
        m_window->m_addedNames.clear();
        if (first && !added.isEmpty()) {
            learnSources();
            noteWhenSettled(tr("Add %1").arg(added.join(QStringLiteral(", "))));
        }
        if (m_opening)
            finishOpening();
        return;
    }
    m_window->m_importReplacedWork = false;
    m_window->m_addedNames.clear();
    m_template.reset(first->clone());
    m_moreTemplates.clear();
    m_moreFingerprints.clear();
    m_sourcePath = first->m_videoPath;
    // What finds the source again when it has moved: its size and the
    // digests of its ends, read away from the interface (a slow mount).
    m_fingerprintOf.clear();
    const QString path = m_sourcePath;
    runOffThread<SourceFingerprint>(
        this, [path] { return SourceFingerprint::of(path); },
        [this, path](SourceFingerprint fingerprint) {
            if (path != m_sourcePath)
                return;
            m_fingerprint = fingerprint;
            m_fingerprintOf = path;
        });
    m_stored.clear();
    // The streams chosen for the previous source mean nothing for this one.
    m_window->segmentManager()->work()->setTrackPlan(TrackPlan());
    if (!m_openingProject) {
        m_projectPath.clear();
        addRecent(m_sourcePath);
    }
    newWorkStarted();
    if (m_opening)
        finishOpening();
}

void ProjectSession::noteWhenSettled(const QString &text)
{
    // The import has settled, but its worker's thread may not have ended
    // yet; steps are not taken while anything is imported, so the step
    // waits for the worker's report of its end.
    m_pendingStep = text;
    notePendingStep();
}

void ProjectSession::notePendingStep()
{
    if (m_pendingStep.isEmpty() || m_window->isImporting())
        return;
    const QString text = m_pendingStep;
    m_pendingStep.clear();
    m_window->segmentManager()->noteStep(text);
}

VoVideoConvertItem *ProjectSession::templateFor(const QString &path) const
{
    if (path != m_sourcePath)
        if (const auto found = m_moreTemplates.value(path))
            return found.get();
    return m_template.get();
}

void ProjectSession::learnSources()
{
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    for (int i = 0; i < items->count(); ++i) {
        const VoVideoConvertItem *item = items->itemAt(i);
        if (item->m_videoPath == m_sourcePath || m_moreTemplates.contains(item->m_videoPath))
            continue;
        std::shared_ptr<VoVideoConvertItem> copy(item->clone());
        // As opened: its whole length, no edits of a segment.
        copy->m_TrimStartTime = 0;
        copy->m_TrimEndTime = copy->m_duration;
        m_moreTemplates.insert(item->m_videoPath, copy);
        readFingerprintOf(item->m_videoPath);
    }
}

void ProjectSession::readFingerprintOf(const QString &path)
{
    // Read away from the interface, as the first file's is; kept while the
    // file is still one of the work's.
    runOffThread<SourceFingerprint>(
        this, [path] { return SourceFingerprint::of(path); },
        [this, path](SourceFingerprint fingerprint) {
            if (m_moreTemplates.contains(path) && fingerprint.size >= 0)
                m_moreFingerprints.insert(path, fingerprint);
        });
}

void ProjectSession::newWorkStarted()
{
    m_pendingStep.clear();
    m_stack->clear();
    ++m_dragSerial;
    // The new work as it stands is the base of the first step.
    m_window->segmentManager()->work()->forgetChanges();
    settleBase();
    m_stack->setClean();
    refreshTitle();
}

// --- projects -------------------------------------------------------------

Project ProjectSession::toProject() const
{
    Project project;
    // The document as last read or saved keeps what this version does not know.
    if (!m_projectPath.isEmpty()) {
        Project previous;
        QString ignored;
        if (ProjectFile::read(m_projectPath, &previous, &ignored))
            project.stored = previous.stored;
    }
    const QString path = m_sourcePath;
    // Read once, aside, when the source came in; a save in the moment
    // before that ends names the source by its path alone.
    if (m_fingerprintOf == path)
        project.source = m_fingerprint;
    project.source.path = QFileInfo(path).absoluteFilePath();
    const WorkModel *work = m_window->segmentManager()->work();
    // The further files, in the order their segments first come, with
    // their digests once read (by path alone in the moment before).
    QStringList more;
    for (const WorkSegment &s : work->segments()) {
        const QString file = s.source < work->sourceCount() ? work->source(s.source).path : path;
        if (file != path && !more.contains(file)) {
            more << file;
            SourceFingerprint further = m_moreFingerprints.value(file);
            further.path = QFileInfo(file).absoluteFilePath();
            project.moreSources.append(further);
        }
    }
    for (const WorkSegment &s : work->segments()) {
        ProjectSegment segment;
        const QString file = s.source < work->sourceCount() ? work->source(s.source).path : path;
        segment.source = file == path ? 0 : int(more.indexOf(file)) + 1;
        segment.start_us = s.start_us;
        segment.end_us = s.end_us;
        segment.label = s.label;
        segment.edit = s.edit;
        segment.stored = m_stored.value(s.id);
        project.segments.append(segment);
    }
    const OutputState o = captureOutput();
    project.output.lossless = o.lossless;
    project.output.encodingCategory = o.encodingCategory;
    project.output.encodingId = o.encodingId;
    project.output.losslessCategory = o.losslessCategory;
    project.output.losslessId = o.losslessId;
    project.output.quality = o.quality;
    project.output.frameExact = o.frameExact;
    project.output.merge = o.merge;
    project.output.params = o.params;
    project.view.simpleMode = work->mode() == WorkMode::Simple;
    project.view.currentSegment = qMax(0, work->indexOf(currentId()));
    // The plan of this source only; it is saved under the source's path.
    if (work->trackPlan().sourcePath == path.toStdString()) {
        project.trackPlan = work->trackPlan();
        project.trackPlan.sourcePath = project.source.path.toStdString();
    }
    return project;
}

void ProjectSession::showProject(const Project &project, const QStringList &morePaths)
{
    QVideoCutManageDlg *list = m_window->segmentManager();
    WorkModel *model = list->work();
    int source = -1;
    for (int i = 0; i < model->sourceCount() && source < 0; ++i)
        if (model->source(i).path == m_sourcePath)
            source = i;
    // The model's place of each of the project's files: 0 the first, k the
    // further file k (-1 when it was not found or did not open).
    QVector<int> places{qMax(0, source)};
    QStringList missing;
    for (int k = 0; k < project.moreSources.size(); ++k) {
        const QString found = morePaths.value(k);
        if (found.isEmpty() || !m_moreTemplates.contains(found)) {
            places << -1;
            missing << project.moreSources[k].path;
            continue;
        }
        int place = -1;
        for (int i = 0; i < model->sourceCount() && place < 0; ++i)
            if (model->source(i).path == found)
                place = i;
        if (place < 0)
            place = model->addSource({found, m_moreTemplates.value(found)->m_duration});
        places << place;
    }
    QVector<WorkSegment> segments;
    QVector<int> kept; // the project's segment behind each model segment
    for (int n = 0; n < project.segments.size(); ++n) {
        const ProjectSegment &s = project.segments[n];
        const int place = places.value(s.source, -1);
        if (place < 0)
            continue;
        const VoVideoConvertItem *from = s.source == 0 ? m_template.get() : templateFor(morePaths.value(s.source - 1));
        const uint64_t duration = from ? from->m_duration : 0;
        kept << n;
        WorkSegment segment;
        segment.source = place;
        // A source that became shorter keeps what still exists.
        segment.start_us = duration ? qMin(s.start_us, duration) : s.start_us;
        segment.end_us = s.end_us == 0 || (duration && s.end_us > duration) ? duration : s.end_us;
        segment.label = s.label;
        segment.edit = s.edit;
        segments.append(segment);
    }
    const ProjectOutput &o = project.output;
    OutputState output;
    output.lossless = o.lossless;
    output.encodingCategory = o.encodingCategory;
    output.encodingId = o.encodingId;
    output.losslessCategory = o.losslessCategory;
    output.losslessId = o.losslessId;
    output.quality = o.quality;
    output.frameExact = o.frameExact;
    output.merge = o.merge;
    output.params = o.params;
    output.params.lossless = o.lossless;

    m_applying = true;
    applyOutput(output);
    model->setMode(project.view.simpleMode ? WorkMode::Simple : WorkMode::Normal);
    // New segments, new ids: the project's unknown keys go with them.
    const QVector<quint64> ids = model->assignSegments(segments);
    for (int i = 0; i < ids.size(); ++i)
        m_stored.insert(ids[i], project.segments[kept.value(i)].stored);
    for (const WorkSegment &s : model->segments()) {
        const VoVideoConvertItem *from = templateFor(model->source(s.source).path);
        m_covers.insert(s.id, from ? from->m_cover : CoverPicture());
    }
    // The plan's stream numbers are the project's source's, wherever it was
    // found.
    TrackPlan plan = project.trackPlan;
    if (!plan.isEmpty())
        plan.sourcePath = m_sourcePath.toStdString();
    model->setTrackPlan(plan);
    showModel(ids.value(qMax(0, kept.indexOf(project.view.currentSegment))));
    m_applying = false;
    QString warning = project.warning;
    if (!missing.isEmpty()) {
        const QString files = tr("These files of the project were not found, and their segments were left out:\n%1")
                                  .arg(missing.join(QLatin1Char('\n')));
        warning = warning.isEmpty() ? files : warning + QStringLiteral("\n\n") + files;
    }
    if (!warning.isEmpty()) {
        qWarning("project: %s", qUtf8Printable(warning));
        QVoMessageBox::showMessage(m_window, warning, productTitle(), QVoMessageBox::Warning,
                                   QVoMessageBox::OkButton, {}, QStringLiteral("projectPartLeftOut"));
    }
}

void ProjectSession::setSaveChooser(PathChooser chooser) { g_saveChooser = std::move(chooser); }

void ProjectSession::setOpenChooser(PathChooser chooser) { g_openChooser = std::move(chooser); }

bool ProjectSession::saveProject()
{
    if (m_projectPath.isEmpty())
        return saveProjectAs();
    return saveProjectTo(m_projectPath);
}

bool ProjectSession::saveProjectAs()
{
    if (VoVideoConvertManager::instance()->count() == 0 || MainWindow::isConverting())
        return false;
    const QFileInfo source(m_sourcePath);
    const QString suggested = !m_projectPath.isEmpty()
        ? m_projectPath
        : source.absoluteDir().filePath(source.completeBaseName() + QLatin1Char('.') + ProjectFile::kSuffix);
    QString path;
    if (g_saveChooser)
        path = g_saveChooser(m_window, suggested);
    else
        path = QFileDialog::getSaveFileName(m_window, tr("Save Project As"), suggested,
                                            tr("Zelvane Snipwell projects (*.snipwell)"));
    if (path.isEmpty())
        return false;
    if (!isProjectPath(path))
        path += QLatin1Char('.') + QLatin1String(ProjectFile::kSuffix);
    return saveProjectTo(path);
}

bool ProjectSession::saveProjectTo(const QString &path)
{
    if (VoVideoConvertManager::instance()->count() == 0)
        return false;
    const Project project = toProject();
    QString error;
    if (!ProjectFile::write(path, project, &error)) {
        QVoMessageBox::showMessage(m_window, error, productTitle(), QVoMessageBox::Error, QVoMessageBox::OkButton);
        return false;
    }
    m_projectPath = QFileInfo(path).absoluteFilePath();
    m_stack->setClean();
    addRecent(m_projectPath);
    refreshTitle();
    return true;
}

bool ProjectSession::chooseAndOpenProject()
{
    if (MainWindow::isConverting())
        return false;
    QString path;
    if (g_openChooser)
        path = g_openChooser(m_window, MainWindow::openFolder());
    else
        path = QFileDialog::getOpenFileName(m_window, tr("Open Project"), MainWindow::openFolder(),
                                            tr("Zelvane Snipwell projects (*.snipwell)"));
    return !path.isEmpty() && openProject(path);
}

bool ProjectSession::openProject(const QString &path, std::function<void(bool)> then)
{
    auto fail = [this, then](const QString &text) {
        QVoMessageBox::showMessage(m_window, text, productTitle(), QVoMessageBox::Error, QVoMessageBox::OkButton);
        if (then)
            then(false);
        return false;
    };
    if (m_openingProject) {
        // One at a time: the first is still on its way.
        if (then)
            then(false);
        return false;
    }
    if (MainWindow::isConverting())
        return fail(tr("%1 was not opened: a conversion is running. Open it when the conversion has finished.")
                        .arg(QFileInfo(path).fileName()));
    // The project and its source are read aside (either may sit on a slow
    // mount); the rest follows when they are.
    struct Found {
        Project project;
        QString error;
        bool read = false;
        QString source;
        QStringList moreSources; // "" where a further file was not found
    };
    m_openingProject = true;
    runOffThread<Found>(
        this,
        [path] {
            Found found;
            found.read = ProjectFile::read(path, &found.project, &found.error);
            if (found.read) {
                const ProjectFile::Places places = ProjectFile::locateSources(found.project, path);
                found.source = places.source;
                found.moreSources = places.moreSources;
            }
            return found;
        },
        [this, path, then, fail](Found found) {
            m_openingProject = false;
            if (MainWindow::isConverting())
                return void(fail(tr("%1 was not opened: a conversion is running. Open it when the conversion has "
                                    "finished.")
                                     .arg(QFileInfo(path).fileName())));
            if (!found.read)
                return void(fail(tr("The project %1 could not be opened.").arg(QFileInfo(path).fileName())
                                 + QStringLiteral("\n\n") + found.error));
            if (found.source.isEmpty())
                return void(fail(tr("The source file of the project %1 was not found:\n%2")
                                     .arg(QFileInfo(path).fileName(), found.project.source.path)));
            confirmDiscard([this, path, then, fail, found](bool mayGo) {
                if (!mayGo) {
                    if (then)
                        then(false);
                    return;
                }
                // Asked again: a conversion may have started, or another
                // project be on its way, while the question was open.
                if (MainWindow::isConverting())
                    return void(fail(tr("%1 was not opened: a conversion is running. Open it when the conversion "
                                        "has finished.")
                                         .arg(QFileInfo(path).fileName())));
                if (m_openingProject) {
                    if (then)
                        then(false);
                    return;
                }
                // The import runs with its loading window; its end finishes
                // the opening (finishOpening).
                m_opening = std::make_unique<Opening>(Opening{found.project, path, found.source, then, found.moreSources});
                m_openingProject = true;
                m_window->addImportFile({found.source});
            });
        });
    return true;
}

void ProjectSession::finishOpening()
{
    m_openingProject = false;
    std::unique_ptr<Opening> opening = std::move(m_opening);
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    // A failed import said why and left the work as it was.
    const bool opened = opening && items->count() > 0 && items->itemAt(0)->m_videoPath == opening->source
                        && m_sourcePath == opening->source;
    if (!opened) {
        if (opening && opening->then)
            opening->then(false);
        return;
    }
    QStringList more;
    for (const QString &path : opening->moreSources)
        if (!path.isEmpty() && path != m_sourcePath && !more.contains(path))
            more << path;
    if (more.isEmpty()) {
        showOpenedProject(*opening);
        return;
    }
    // The further files open aside, as every file does; the project is
    // shown once they have.
    m_openingProject = true;
    std::shared_ptr<Opening> held(opening.release());
    struct Opened {
        std::vector<std::shared_ptr<VoVideoConvertItem>> items;
        std::vector<SourceFingerprint> fingerprints; // of each item's file
    };
    runOffThread<Opened>(
        this,
        [more] {
            Opened opened;
            for (const QString &path : more) {
                auto item = std::make_shared<VoVideoConvertItem>();
                if (item->open(path)) {
                    item->moveToThread(QCoreApplication::instance()->thread());
                    opened.items.push_back(item);
                    // Read again where the file was found: saved anew, the
                    // project finds it again should it move once more.
                    opened.fingerprints.push_back(SourceFingerprint::of(path));
                }
            }
            return opened;
        },
        [this, held](Opened opened) {
            m_openingProject = false;
            for (size_t i = 0; i < opened.items.size(); ++i) {
                const std::shared_ptr<VoVideoConvertItem> &item = opened.items[i];
                item->m_TrimStartTime = 0;
                item->m_TrimEndTime = item->m_duration;
                m_moreTemplates.insert(item->m_videoPath, item);
                if (opened.fingerprints[i].size >= 0)
                    m_moreFingerprints.insert(item->m_videoPath, opened.fingerprints[i]);
            }
            showOpenedProject(*held);
        });
}

void ProjectSession::showOpenedProject(const Opening &opening)
{
    showProject(opening.project, opening.moreSources);
    m_projectPath = QFileInfo(opening.path).absoluteFilePath();
    if (!m_restoring)
        addRecent(m_projectPath);
    newWorkStarted();
    if (opening.then)
        opening.then(true);
}

QVoMessageBox *ProjectSession::discardQuestion(QWidget *parent, const QString &name)
{
    auto *box = new QVoMessageBox(parent);
    box->setObjectName(QStringLiteral("discardQuestion"));
    box->setTitle(productTitle());
    box->setMessage(tr("The segments of %1 have changed. Save them as a project before they are closed?").arg(name));
    box->setKind(QVoMessageBox::Warning);
    box->setButtons(QVoMessageBox::YesNoCancelButtons);
    box->setButtonText(QVoMessageBox::Yes, tr("Save"));
    box->setButtonText(QVoMessageBox::No, tr("Discard"));
    box->setButtonText(QVoMessageBox::Cancel, tr("Cancel"));
    return box;
}

void ProjectSession::confirmDiscard(std::function<void(bool mayGo)> then)
{
    // A project being opened has asked already, before its source's import.
    if (m_openingProject || !hasUnsavedChanges()) {
        then(true);
        return;
    }
    static const QString name = QStringLiteral("discardQuestion");
    if (QVoMessageBox::openBoxNamed(m_window, name)) {
        then(false);
        return;
    }
    const QString workName = m_projectPath.isEmpty() ? QFileInfo(m_sourcePath).fileName()
                                                     : QFileInfo(m_projectPath).fileName();
    QVoMessageBox *box = discardQuestion(m_window, workName);
    m_window->centreDialog(box);
    QPointer<ProjectSession> self(this);
    QVoMessageBox::openBox(box, [self, then](int answer) {
        if (!self)
            return;
        if (answer == QVoMessageBox::Yes)
            // Saved as it is now, with what changed while the question was open.
            then(self->saveProject());
        else
            then(answer == QVoMessageBox::No);
    });
}

// --- autosave and recovery ----------------------------------------------

QString ProjectSession::autosaveFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/zelvane-snipwell");
}

void ProjectSession::scheduleAutosave()
{
    // Each change puts the write off until the work rests, but never past
    // the longest wait counted from the first change still unwritten.
    if (!m_autosaveTimer->isActive())
        m_autosavePending.start();
    const qint64 left = kAutosaveLongestMs - m_autosavePending.elapsed();
    m_autosaveTimer->start(int(qBound<qint64>(0, left, kAutosaveDelayMs)));
}

void ProjectSession::writeAutosave()
{
    if (MainWindow::isConverting() || m_window->isImporting()) {
        m_autosaveTimer->start(kAutosaveDelayMs);
        return;
    }
    if (VoVideoConvertManager::instance()->count() == 0 || m_stack->isClean()) {
        removeAutosave();
        return;
    }
    writeAutosaveNow();
}

bool ProjectSession::writeAutosaveNow()
{
    Project project = toProject();
    QJsonObject session;
    session.insert(QStringLiteral("saved_at"), QDateTime::currentDateTime().toString(Qt::ISODate));
    session.insert(QStringLiteral("project"), m_projectPath);
    project.stored.insert(QStringLiteral("autosave"), session);
    QString error;
    if (!ProjectFile::write(m_autosavePath, project, &error)) {
        qWarning().noquote() << "project: autosave failed:" << error;
        return false;
    }
    return true;
}

void ProjectSession::keepForRecovery()
{
    if (!hasUnsavedChanges())
        return;
    m_autosaveTimer->stop();
    // Half-replaced work is not worth writing; the last autosave, made
    // before the import began, holds the work as it was.
    if (!m_window->isImporting() && !MainWindow::isConverting())
        writeAutosaveNow();
    m_keepAutosave = QFileInfo::exists(m_autosavePath);
    if (m_keepAutosave)
        qInfo().noquote() << "project: unsaved work kept for the next start in" << m_autosavePath;
}

void ProjectSession::removeAutosave()
{
    if (m_autosaveTimer)
        m_autosaveTimer->stop();
    if (!m_autosavePath.isEmpty())
        QFile::remove(m_autosavePath);
}

QVoMessageBox *ProjectSession::restoreQuestion(QWidget *parent, const QString &file, const QDateTime &when)
{
    auto *box = new QVoMessageBox(parent);
    box->setTitle(productTitle());
    box->setMessage(tr("Restore the segments of %1 from %2?")
                        .arg(file, QLocale().toString(when, QLocale::ShortFormat)));
    box->setKind(QVoMessageBox::Help);
    box->setButtons(QVoMessageBox::YesNoButtons);
    return box;
}

void ProjectSession::offerRestore(std::function<void()> then)
{
    struct Left {
        QString path;
        QDateTime when;
        Project project;
    };
    QVector<Left> left;
    const QDir folder(autosaveFolder());
    const QStringList names = folder.entryList({QStringLiteral("session-*.") + ProjectFile::kSuffix}, QDir::Files);
    for (const QString &name : names) {
        const QString path = folder.filePath(name);
        if (path == m_autosavePath)
            continue;
        // A lock still held is a program still running.
        const QString lockPath = path.left(path.size() - int(qstrlen(ProjectFile::kSuffix))) + QStringLiteral("lock");
        QLockFile lock(lockPath);
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue;
        Left entry;
        entry.path = path;
        QString error;
        if (ProjectFile::read(path, &entry.project, &error)) {
            entry.when = QDateTime::fromString(
                entry.project.stored.value(QStringLiteral("autosave")).toObject().value(QStringLiteral("saved_at")).toString(),
                Qt::ISODate);
            if (!entry.when.isValid())
                entry.when = QFileInfo(path).lastModified();
            left.append(entry);
        } else {
            qWarning().noquote() << "project: unusable autosave" << path << error;
            QFile::remove(path);
        }
        lock.unlock();
        QFile::remove(lockPath);
    }
    if (left.isEmpty()) {
        if (then)
            then();
        return;
    }
    std::sort(left.begin(), left.end(), [](const Left &a, const Left &b) { return a.when > b.when; });
    for (int i = 1; i < left.size(); ++i)
        QFile::remove(left[i].path);
    const Left newest = left.first();
    QVoMessageBox *box = restoreQuestion(m_window, QFileInfo(newest.project.source.path).fileName(), newest.when);
    box->setObjectName(QStringLiteral("restoreQuestion"));
    m_window->centreDialog(box);
    QPointer<ProjectSession> self(this);
    QVoMessageBox::openBox(box, [self, newest, then](int answer) {
        if (!self)
            return;
        self->answerRestore(answer == QVoMessageBox::Yes, newest.path, newest.project);
        if (then)
            then();
    });
}

void ProjectSession::answerRestore(bool restore, const QString &path, const Project &project)
{
    // Taken over as this session's own until it is saved again.
    const QString taken = m_autosavePath + QStringLiteral(".restoring");
    QFile::remove(taken);
    if (!restore || !QFile::rename(path, taken)) {
        QFile::remove(path);
        return;
    }
    const QString projectPath = project.stored.value(QStringLiteral("autosave")).toObject().value(QStringLiteral("project")).toString();
    m_restoring = true;
    openProject(taken, [this, taken, projectPath](bool opened) {
        m_restoring = false;
        QFile::remove(taken);
        if (!opened)
            return;
        // The restored work is unsaved work: it belongs to its project (if
        // it had one) and keeps the mark until saved.
        m_projectPath = projectPath;
        m_stack->resetClean();
        refreshTitle();
        writeAutosave();
    });
}

// --- keys and input -------------------------------------------------------

bool ProjectSession::handleKey(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    QAction *action = nullptr;
    if (mods == Qt::ControlModifier && event->key() == Qt::Key_Z)
        action = m_actUndo;
    else if ((mods == (Qt::ControlModifier | Qt::ShiftModifier) && event->key() == Qt::Key_Z)
             || (mods == Qt::ControlModifier && event->key() == Qt::Key_Y))
        action = m_actRedo;
    else if (mods == Qt::ControlModifier && event->key() == Qt::Key_S)
        action = m_actSave;
    else if (mods == (Qt::ControlModifier | Qt::ShiftModifier) && event->key() == Qt::Key_O)
        action = m_actOpen;
    if (!action)
        return false;
    if (MainWindow::isConverting())
        return true;
    if (action == m_actSave && VoVideoConvertManager::instance()->count() == 0)
        return true;
    if (action->isEnabled() || action == m_actSave || action == m_actOpen)
        action->trigger();
    return true;
}

