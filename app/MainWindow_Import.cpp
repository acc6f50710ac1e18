// File import: the open-file dialog, drops, the add-file worker with its
// loading dialog, and the reception of each media item it makes.
#include "MainWindow.h"

#include "AddFileThread.h"
#include "AppPaths.h"
#include "EngineSession.h"
#include "OutputNaming.h"
#include "ParserXML.h"
#include "ProjectSession.h"
#include "QLoadingDlg.h"
#include "QPlayObject.h"
#include "QSimpleTimeLine.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"
#include "QVoMessageBox.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDebug>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QPointer>
#include <QUrl>

namespace {
const char *const kFilterText =
    "All Supported Formats(%1);;Apple Video files(*.m4v);;AVI Video files(*.avi);;High-definition files(*.mts *.ts "
    "*.m2ts *.m2t *.tp *.trp);; MPEG4 files(*.mp4 *.m4v);;MPEG files(*.mpg *.mpeg);;3GP files(*.3gp *.3g2);;Windows "
    "Media Video(*.wmv *.asf);; Real Media files(*.rm *.rmvb);;audio files(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;"
    "*.flac);;Video CD files(*.dat);; Quick Time files(*.mov);; Flash Video files(*.flv *.f4v);;MKV files(*.mkv);; "
    "Digital Video files(*.dv);;Microsoft Digital Video Recorder(*.dvr-ms);; Raw h.264 Video files(*.h.264);; "
    "Nullsoft Stream Video(*.nsv);;Unprotected VOB Files(*.vob);;WEBM Files(*.webm);;OGV Files(*.ogv);;All "
    "files(*.*)";
const char *const kAllPatterns = "*.m4v *.avi *.mts *.ts *.m2ts *.m2t *.tp *.trp *.mp4 *.mpg *.mpeg *.3gp *.3g2 *.wmv "
                                 "*.asf *.rm *.rmvb *.dat *.mov *.flv *.f4v *.mkv *.dv *.dvr-ms *.h.264 *.nsv *.vob "
                                 "*.webm *.ogv";
} // namespace

void MainWindow::OnAddFile()
{
    m_fileNames.clear();
    const QString filter = tr(kFilterText).arg(QLatin1String(kAllPatterns));
    const QString path = QFileDialog::getOpenFileName(this, QString(), openFolder(), filter);
    if (!path.isEmpty()) {
        setOpenFolder(QFileInfo(path).absolutePath());
        m_fileNames.append(path);
    }
    addImportFile(m_fileNames);
}

void MainWindow::OnAddSourceFile()
{
    if (isConverting() || isImporting())
        return;
    const QString filter = tr(kFilterText).arg(QLatin1String(kAllPatterns));
    const QString path = QFileDialog::getOpenFileName(this, tr("Add File"), openFolder(), filter);
    if (path.isEmpty())
        return;
    setOpenFolder(QFileInfo(path).absolutePath());
    addSourceFiles({path});
}

void MainWindow::addSourceFiles(const QStringList &fileNames)
{
    if (fileNames.isEmpty() || isConverting() || isImporting() || m_exitPending)
        return;
    // Without a work there is nothing to add to: the file is opened. A
    // project is a work of its own.
    if (VoVideoConvertManager::instance()->count() == 0 || ProjectSession::isProjectPath(fileNames.constLast())) {
        addImportFile(fileNames);
        return;
    }
    QStringList media;
    for (const QString &path : fileNames)
        if (!ProjectSession::isProjectPath(path))
            media << path;
    // The timeline of the Simple Mode shows one file.
    if (isSimpleMode())
        m_videoItemDlg->showList();
    startImport(media);
    m_addingImportId = m_importId;
}

void MainWindow::followCurrentSource()
{
    VoVideoConvertItem *item = currentItem();
    // An open under way finishes first and asks again when it is done.
    if (!item || !m_playObject || playerOpening() || m_itemOpening || m_playObject->path().isEmpty())
        return;
    if (m_playObject->path() == item->m_videoPath)
        return;
    // The file opens on the holder's thread; the player shows the
    // segment's start, paused, once it is open.
    reopenPlayer(item->m_videoPath, item->m_TrimStartTime, true);
    m_videoItemDlg->setTimelineTotal(item->m_duration);
    m_videoItemDlg->setLineBgImage(item);
    setAdjustFileName(item->m_fileSuffix, item->m_videoName);
}

void MainWindow::addImportFile(QStringList fileNames)
{
    if (fileNames.isEmpty())
        return;
    // A project names its source; opening it imports that.
    if (ProjectSession::isProjectPath(fileNames.constLast())) {
        m_project->openProject(fileNames.constLast());
        return;
    }
    // Another file takes the place of the work: unsaved work is asked about
    // before anything starts, so that Cancel leaves it exactly as it is. The
    // import starts from the answer.
    m_project->confirmDiscard([this, fileNames](bool mayGo) {
        if (mayGo)
            startImport(fileNames);
    });
}

void MainWindow::startImport(const QStringList &fileNames)
{
    // The program may have begun to end while the question was open.
    if (m_exitPending)
        return;
    // A dropped file or one named on the command line also sets where the
    // next open-file dialog starts.
    const QFileInfo last(fileNames.constLast());
    if (last.isFile())
        setOpenFolder(last.absolutePath());
    // A previous run still handing over items finishes first, so that none
    // of its items lands in the new work.
    if (m_addFileThread->isRunning()) {
        StopAddFileThree();
        m_addFileThread->waitForExit();
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    }
    if (m_loadingDlg) {
        m_loadingDlg->close();
        m_loadingDlg->deleteLater();
        m_loadingDlg = nullptr;
    }

    m_fileNames = fileNames;
    m_loadingDlg = new QLoadingDlg(this);
    centreDialog(m_loadingDlg);
    connect(m_loadingDlg, &QLoadingDlg::seedStopAddFile, this, &MainWindow::StopAddFileThree);

    // An import replaces the current work, but only once its first file has
    // opened (replaceWorkOnce): a file that fails leaves the work untouched.
    ++m_importId;
    m_importReplacedWork = false;
    m_addFileThread->startList(m_fileNames);
    // Modal to the window but without a loop of its own: the import's end
    // (AddFileComplete) closes it and tells who waits (importSettled).
    m_loadingDlg->open();
}

void MainWindow::showAddingFile(QString path, QString count, double progress)
{
    if (!m_loadingDlg)
        return;
    m_loadingDlg->setAddingPath(path);
    m_loadingDlg->setAddedCount(count);
    m_loadingDlg->setProgress(progress);
}

void MainWindow::StopAddFileThree()
{
    m_addFileThread->requestStop();
    EngineSession::setAbortLoading(true);
}

void MainWindow::AddFileComplete(bool bShowMsg)
{
    Q_UNUSED(bShowMsg)
    // The loading dialog stays until the last item's player has opened.
    if (playerOpening()) {
        m_completeWaiting = true;
        return;
    }
    m_completeWaiting = false;
    if (m_loadingDlg) {
        m_loadingDlg->done(QDialog::Accepted);
        m_loadingDlg->deleteLater();
        m_loadingDlg = nullptr;
    }
    EngineSession::setAbortLoading(false);
    if (VoVideoConvertManager::instance()->count() > 0)
        m_videoItemDlg->OnBtnShowList();
    focusPlayerArea();
    emit importSettled();
}

void MainWindow::replaceWorkOnce(unsigned importId)
{
    if (m_replacedForImport == importId)
        return;
    m_replacedForImport = importId;
    m_importReplacedWork = true;
    m_videoItemDlg->ActionDeleteALL();
    VoVideoConvertManager::instance()->clear();
    // Places marked in the previous file mean nothing in the next.
    m_videoItemDlg->timeLine()->setMarkers({});
}

bool MainWindow::playerOpening() const
{
    return !m_openQueue.isEmpty() || m_reopening;
}

void MainWindow::addConvertItem(VoVideoConvertItem *item)
{
    if (!item) {
        showOpenFailed(QString(), QString());
        return;
    }
    // Each item's player opens on the holder's thread, one after the
    // other in the order the items came.
    m_openQueue.append(PendingOpen{item, m_importId});
    openNextPlayer();
}

void MainWindow::openNextPlayer()
{
    // A message box of the item before may still be open: the next one
    // waits for it.
    if (m_itemOpening || m_reopening)
        return;
    if (m_openQueue.isEmpty()) {
        if (m_completeWaiting)
            AddFileComplete(false);
        return;
    }
    const VoVideoConvertItem *item = m_openQueue.first().item;
    // Should the new file fail to play, the previous one comes back where
    // it was.
    m_previousPath = m_playObject ? m_playObject->path() : QString();
    m_previousPosition = m_videoPlayDlg->player() ? m_videoPlayDlg->position() : 0;
    m_previousPaused = m_videoPlayDlg->isPaused();
    m_videoPlayDlg->close();
    m_itemOpening = true;
    playObject(true)->openAsync(item->m_videoPath);
}

QPlayObject *MainWindow::playObject(bool create)
{
    if (!m_playObject && create) {
        m_playObject = new QPlayObject(this);
        connect(m_playObject, &QPlayObject::opened, this, &MainWindow::playerOpened);
        // A player opened again for the same source plays the plan's sound.
        connect(m_playObject, &QPlayObject::opened, this, [this](bool ok) {
            if (ok)
                showTrackPlanInPlayer();
        });
    }
    return m_playObject;
}

void MainWindow::playerOpened(bool ok)
{
    if (m_reopening) {
        m_reopening = false;
        previousReopened(ok);
        openNextPlayer();
        // Another segment's file may have been chosen meanwhile.
        if (ok)
            followCurrentSource();
        return;
    }
    if (!m_itemOpening || m_openQueue.isEmpty())
        return;
    const PendingOpen next = m_openQueue.takeFirst();
    VoVideoConvertItem *item = next.item;
    if (!ok) {
        const QString path = item->m_videoPath;
        const QString reason = m_playObject->lastError();
        delete item;
        if (m_previousPath.isEmpty()) {
            m_videoPlayDlg->close();
        } else {
            m_reopening = true;
            m_playObject->openAsync(m_previousPath);
        }
        showOpenFailed(path, reason);
    } else {
        showOpenedItem(item, next.importId);
    }
    m_itemOpening = false;
    openNextPlayer();
}

void MainWindow::showOpenedItem(VoVideoConvertItem *item, unsigned importId)
{
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    const bool adding = importId == m_addingImportId;
    if (!adding)
        replaceWorkOnce(importId);
    if (item->endsEarly())
        m_playObject->limitDuration(item->m_duration);
    m_videoPlayDlg->open(item->m_videoPath, m_playObject->playerHandle());

    items->insert(item, -1);
    m_videoCutToolbar->reset();
    m_videoCutToolbar->setControlsEnabled(true);
    const uint64_t duration = m_videoPlayDlg->duration() ? m_videoPlayDlg->duration() : item->m_duration;
    item->m_TrimStartTime = 0;
    item->m_TrimEndTime = duration;
    item->m_duration = duration;
    item->m_isCurrent = true;
    refreshThumbnail(item);
    m_videoItemDlg->addConvertItem(item);
    m_videoItemDlg->setLineBgImage(item);
    m_videoItemDlg->setTimelineTotal(duration);
    m_videoCutToolbar->setItem(item);
    setAdjustFileName(item->m_fileSuffix, item->m_videoName);
    // The work's history names the files added once the import is over.
    if (adding)
        m_addedNames << QFileInfo(item->m_videoPath).fileName();
    // Neither message waits; the second opens when the first is closed,
    // not over it.
    QPointer<MainWindow> self(this);
    const auto audioNotice = [self] {
        if (self && self->m_playObject->audioOutputFailed())
            QVoMessageBox::showMessage(self, tr("Open audio device failed. "), productTitle(), QVoMessageBox::Error,
                                       QVoMessageBox::OkButton, {}, QStringLiteral("audioOutputFailed"));
    };
    if (item->endsEarly())
        QVoMessageBox::showMessage(this,
                                   tr("This file ends at %1 although it declares %2 — it may be an "
                                      "unfinished download.")
                                       .arg(shortClock(item->m_duration), shortClock(item->m_declaredDuration)),
                                   productTitle(), QVoMessageBox::Warning, QVoMessageBox::OkButton,
                                   [audioNotice](int) { audioNotice(); }, QStringLiteral("endsEarly"));
    else
        audioNotice();
}

void MainWindow::reopenPlayer(const QString &path, uint64_t position, bool paused)
{
    // The file opens on the holder's thread, as every open does; the player
    // shows it at position once it is open.
    if (path.isEmpty() || m_itemOpening || m_reopening)
        return;
    m_previousPath = path;
    m_previousPosition = position;
    m_previousPaused = paused;
    m_reopening = true;
    playObject(true)->openAsync(path);
}

void MainWindow::previousReopened(bool ok)
{
    if (!ok) {
        m_videoPlayDlg->close();
        return;
    }
    // The current item knows where a partial file's data ends.
    const VoVideoConvertItem *item = currentItem();
    if (item && item->endsEarly())
        m_playObject->limitDuration(item->m_duration);
    m_videoPlayDlg->open(m_previousPath, m_playObject->playerHandle());
    m_videoPlayDlg->PlaySeek(m_previousPosition);
    if (m_previousPaused)
        m_videoPlayDlg->OnBtnPause();
}

void MainWindow::showOpenFailed(QString path, QString reason)
{
    if (VoVideoConvertManager::instance()->count() == 0)
        m_videoItemDlg->OnBtnHideList();
    // The fixed words first; below them which file, and why.
    QString text = tr("Open file failed. ");
    const QString name = QFileInfo(path).fileName();
    QStringList details;
    if (!name.isEmpty())
        details << name;
    if (!reason.isEmpty())
        details << reason;
    if (!details.isEmpty())
        text += QLatin1String("\n\n") + details.join(QLatin1Char('\n'));
    // Not waited for; a later failure replaces the message instead of
    // opening another over it.
    QVoMessageBox::showMessage(this, text, productTitle(), QVoMessageBox::Error, QVoMessageBox::OkButton, {},
                               QStringLiteral("openFailed"));
}

QString MainWindow::shortClock(uint64_t us)
{
    // Tenths are enough to compare two ends; hours are never padded.
    const uint64_t tenths = (us + 50000) / 100000;
    return QStringLiteral("%1:%2:%3.%4")
        .arg(tenths / 36000)
        .arg(tenths / 600 % 60, 2, 10, QLatin1Char('0'))
        .arg(tenths / 10 % 60, 2, 10, QLatin1Char('0'))
        .arg(tenths % 10);
}

QStringList MainWindow::droppedPaths(const QList<QUrl> &urls)
{
    // Only the last entry that is not a folder is imported; a location that
    // is not a local file stays in the list so that it fails like an
    // unreadable file.
    QString last;
    for (const QUrl &url : urls) {
        if (!url.isLocalFile()) {
            last = url.toString();
            continue;
        }
        const QString path = url.toLocalFile();
        if (QFileInfo(path).isDir())
            continue;
        last = path;
    }
    return {last};
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && !isConverting())
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainWindow::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasUrls() && !isConverting())
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    if (!event->mimeData()->hasUrls())
        return;
    event->acceptProposedAction();
    if (isConverting())
        return;
    // Onto the segment list, or with Ctrl held, the files join the work
    // (every one dropped); elsewhere the last one takes its place.
    const QWidget *list = m_videoItemDlg;
    const bool onList = list && list->isVisible()
                        && list->rect().contains(list->mapFromGlobal(mapToGlobal(event->pos())));
    if ((onList || (event->keyboardModifiers() & Qt::ControlModifier)) && VoVideoConvertManager::instance()->count() > 0) {
        QStringList files;
        for (const QUrl &url : event->mimeData()->urls())
            if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isDir())
                files << url.toLocalFile();
        if (!files.isEmpty()) {
            QMetaObject::invokeMethod(this, [this, files] { addSourceFiles(files); }, Qt::QueuedConnection);
            return;
        }
    }
    m_dropList = droppedPaths(event->mimeData()->urls());
    m_lastDropPath = m_dropList.constLast();
    // The drag source waits for the drop to return; the import runs after.
    QMetaObject::invokeMethod(this, [this, list = m_dropList] { emit emitAddFileNames(list); }, Qt::QueuedConnection);
}

void MainWindow::openHandedOverFiles(const QStringList &files)
{
    if (files.isEmpty())
        return;
    bringToFront();
    // As with a drop, the last file counts.
    m_handedOverPath = files.constLast();
    openHandedOverFile();
}

void MainWindow::bringToFront()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void MainWindow::openHandedOverFile()
{
    if (m_handedOverPath.isEmpty())
        return;
    // An open dialog would not take a drop either; the file waits for it.
    if (QApplication::activeModalWidget() || isImporting()) {
        if (!m_handOverTimer.isActive()) {
            m_handOverTimer.setInterval(200);
            connect(&m_handOverTimer, &QTimer::timeout, this, &MainWindow::openHandedOverFile, Qt::UniqueConnection);
            m_handOverTimer.start();
        }
        return;
    }
    m_handOverTimer.stop();
    const QString path = m_handedOverPath;
    m_handedOverPath.clear();
    if (isConverting()) {
        // A drop is refused while converting; a file from a start must not
        // vanish without a word.
        QVoMessageBox::showMessage(this,
                                   tr("%1 was not opened: a conversion is running. Open it when the "
                                      "conversion has finished.")
                                       .arg(QFileInfo(path).fileName()),
                                   productTitle(), QVoMessageBox::Warning, QVoMessageBox::OkButton);
        return;
    }
    qInfo().noquote() << "instance: opening" << path << "from a later start";
    QMetaObject::invokeMethod(this, [this, path] { emit emitAddFileNames({path}); }, Qt::QueuedConnection);
}
