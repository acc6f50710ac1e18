// File import: the open-file dialog, drops, the add-file worker with its
// loading dialog, and the reception of each media item it makes.
#include "MainWindow.h"

#include "AddFileThread.h"
#include "AppPaths.h"
#include "EngineSession.h"
#include "OutputNaming.h"
#include "ParserXML.h"
#include "QLoadingDlg.h"
#include "QPlayObject.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"
#include "QVoMessageBox.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
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

void MainWindow::addImportFile(QStringList fileNames)
{
    if (fileNames.isEmpty())
        return;
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
    // The panel borrows the previous holder's player: let go of it first.
    m_videoPlayDlg->close();
    delete m_playObject;
    m_playObject = new QPlayObject(this);

    m_fileNames = fileNames;
    m_loadingDlg = new QLoadingDlg(this);
    centreDialog(m_loadingDlg);
    connect(m_loadingDlg, &QLoadingDlg::seedStopAddFile, this, &MainWindow::StopAddFileThree);

    m_videoItemDlg->ActionDeleteALL();
    VoVideoConvertManager::instance()->clear();

    m_addFileThread->startList(m_fileNames);
    QPointer<QLoadingDlg> dialog = m_loadingDlg;
    dialog->exec();
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
    if (m_loadingDlg) {
        m_loadingDlg->done(QDialog::Accepted);
        m_loadingDlg->deleteLater();
        m_loadingDlg = nullptr;
    }
    EngineSession::setAbortLoading(false);
    if (VoVideoConvertManager::instance()->count() > 0)
        m_videoItemDlg->OnBtnShowList();
}

void MainWindow::addConvertItem(VoVideoConvertItem *item)
{
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    if (item && m_playObject && m_playObject->open(item->m_videoPath)
        && m_videoPlayDlg->open(item->m_videoPath, m_playObject->playerHandle())) {
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
        if (m_playObject->audioOutputFailed())
            QVoMessageBox::ShowMessage(this, tr("Open audio device failed. "), productTitle(), QVoMessageBox::Error,
                                       QVoMessageBox::OkButton);
        return;
    }
    // The file did not open, or opened for reading but not for playing: it
    // never joins the item list, so rows and items stay index for index.
    if (item) {
        m_videoPlayDlg->close();
        m_videoCutToolbar->setControlsEnabled(false);
        delete item;
    }
    if (items->count() == 0)
        m_videoItemDlg->OnBtnHideList();
    QVoMessageBox::ShowMessage(this, tr("Open file failed. "), productTitle(), QVoMessageBox::Error,
                               QVoMessageBox::OkButton);
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
    m_dropList = droppedPaths(event->mimeData()->urls());
    m_lastDropPath = m_dropList.constLast();
    // The drag source waits for the drop to return; the import runs after.
    QMetaObject::invokeMethod(this, [this, list = m_dropList] { emit emitAddFileNames(list); }, Qt::QueuedConnection);
}
