// "Apply Segments To Other Files…": the current file's segments, edits and
// output settings converted for each file the user chooses.
#include "MainWindow.h"

#include "BatchApplyDlg.h"
#include "ConfigState.h"
#include "OutputFormatParams.h"
#include "ParserXML.h"
#include "AppPaths.h"
#include "ProgramMenu.h"
#include "QVideoCutManageDlg.h"
#include "QVoCheckBox.h"
#include "QVoMessageBox.h"
#include "SaveSubtitlesDlg.h"
#include "SegmentBatch.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

#include <memory>

namespace {

// The run in progress, so that ending the program can stop it.
QPointer<SegmentBatch> &runningBatch()
{
    static QPointer<SegmentBatch> batch;
    return batch;
}

} // namespace

void MainWindow::ActOnApplySegments()
{
    if (isConverting() || isImporting())
        return;
    VoVideoConvertManager *manager = VoVideoConvertManager::instance();
    QList<SegmentBatch::Segment> segments;
    for (int i = 0; i < manager->count(); ++i) {
        const VoVideoConvertItem *item = manager->itemAt(i);
        if (!item)
            continue;
        SegmentBatch::Segment s;
        s.start_us = item->m_TrimStartTime;
        s.end_us = item->m_TrimEndTime;
        s.edits = item->m_editConfig;
        s.partChapter = item->m_partChapter;
        segments << s;
    }
    if (segments.isEmpty()) {
        QVoMessageBox::showMessage(this, tr("Open a file and mark its segments first."), productTitle(),
                                   QVoMessageBox::Warning, QVoMessageBox::OkButton);
        return;
    }
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Apply Segments To Other Files"), openFolder(),
                                                            tr("All files (*)"));
    if (files.isEmpty())
        return;
    setOpenFolder(QFileInfo(files.first()).absolutePath());

    // The same place the segment list's Start writes to.
    QString root = ConfigState::instance().converterPath();
    if (root.isEmpty())
        root = ParserXML::readItemValue(QStringLiteral("OutPut_path"), QStringLiteral("path_value"),
                                        defaultOutputFolder());
    if (root.isEmpty() || !(QFileInfo(root).isDir() || QDir().mkpath(root))) {
        QVoMessageBox::showMessage(this, tr("The output path is invalid!"), productTitle(), QVoMessageBox::Error,
                                   QVoMessageBox::OkButton);
        return;
    }
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');

    // The batch takes the output settings as they are now and builds its
    // runs from them; the window's own settings stay as they are.
    SegmentBatch batch(segments, m_videoItemDlg->mergeCheck()->isChecked(), OutputFormatParams::instance(), root);
    runningBatch() = &batch;
    BatchApplyDlg dlg(segments.size(), files.size(), this);
    connect(&dlg, &BatchApplyDlg::stopRequested, &batch, &SegmentBatch::stop);
    connect(&batch, &SegmentBatch::fileStarted, &dlg,
            [&dlg](int index, int, const QString &path) { dlg.showFile(index, path); });
    connect(&batch, &SegmentBatch::progressChanged, &dlg, &BatchApplyDlg::showProgress);
    connect(&batch, &SegmentBatch::fileDone, &dlg, [&dlg](int, const SegmentBatch::Result &r) {
        QStringList parts;
        if (r.stopped)
            parts << tr("stopped; nothing half-written was left");
        else if (r.ok)
            parts << (r.outputs == 1 ? tr("1 file written") : tr("%1 files written").arg(r.outputs));
        else
            parts << r.reason;
        // A file may fail or be stopped after some of its segments were
        // written: they are there, and the user should neither look for
        // them in vain nor make them again.
        if (!r.ok && !r.written.isEmpty()) {
            QStringList names;
            for (const QString &path : r.written)
                names << QFileInfo(path).fileName();
            parts << tr("Written: %1.").arg(names.join(QStringLiteral(", ")));
        }
        parts << r.notes;
        dlg.addResult(r.path, r.ok, parts.join(QLatin1Char(' ')), r.stopped);
    });
    connect(&batch, &SegmentBatch::finished, &dlg, &BatchApplyDlg::showEnd);
    centreDialog(&dlg);
    QTimer::singleShot(0, &batch, [&batch, files] { batch.start(files); });
    dlg.exec();
    runningBatch() = nullptr;
}

void MainWindow::stopBatchForExit(const std::function<void()> &stopped)
{
    QPointer<SegmentBatch> batch = runningBatch();
    if (!batch || !batch->isRunning()) {
        stopped();
        return;
    }
    // What a stopped file removes comes with the run's end; the program
    // ends only after it. Should it never come, the program ends anyway
    // after a while.
    auto done = std::make_shared<bool>(false);
    const auto finish = [done, stopped] {
        if (*done)
            return;
        *done = true;
        stopped();
    };
    connect(batch, &SegmentBatch::finished, this, [finish] { finish(); });
    QTimer::singleShot(10000, this, [done, finish] {
        if (!*done)
            qWarning() << "segments applied to other files: the stopped run did not report its end";
        finish();
    });
    batch->stop();
}

void MainWindow::ActOnSaveSubtitles()
{
    const VoVideoConvertItem *item = currentItem();
    if (!item || isConverting() || isImporting())
        return;
    // The segments as the cut list shows them, for "only what they show".
    QVector<VoSubtitleFiles::Range> segments;
    VoVideoConvertManager *manager = VoVideoConvertManager::instance();
    for (int i = 0; i < manager->count(); ++i)
        if (const VoVideoConvertItem *segment = manager->itemAt(i))
            if (segment->m_TrimEndTime > segment->m_TrimStartTime)
                segments.append({segment->m_TrimStartTime, segment->m_TrimEndTime});
    QString folder = ConfigState::instance().converterPath();
    if (folder.isEmpty())
        folder = ParserXML::readItemValue(QStringLiteral("OutPut_path"), QStringLiteral("path_value"),
                                          defaultOutputFolder());
    auto *dlg = new SaveSubtitlesDlg(item->m_videoPath, segments, folder, this);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->open();
}
