// The segment manager's conversion row and the thumbnail strip of Simple
// Mode.
#include "QVideoCutManageDlg.h"

#include "AppPaths.h"
#include "ConfigState.h"
#include "ParserXML.h"
#include "QButtonListDlg.h"
#include "OutputFormatParams.h"
#include "OutputNaming.h"
#include "QConverterObject.h"
#include "QImageButton.h"
#include "QImageButtonEx.h"
#include "QSimpleTimeLine.h"
#include "QVoCheckBox.h"
#include "QVoMessageBox.h"
#include "QVoMessageDlg.h"
#include "ThumbnailStripWorker.h"
#include "TracksLeftOut.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"
#include "WorkModel.h"
#include "qSliderCtrl.h"

#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>

namespace {

QVideoCutManageDlg::FolderOpener &folderOpener()
{
    static QVideoCutManageDlg::FolderOpener opener;
    return opener;
}

} // namespace

void QVideoCutManageDlg::setFolderOpener(FolderOpener opener)
{
    folderOpener() = std::move(opener);
}

QString QVideoCutManageDlg::outputFolder() const
{
    QString folder = ConfigState::instance().converterPath();
    if (folder.isEmpty()) {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString fallback = documents + QLatin1Char('/') + productTitle() + QStringLiteral("/Converted/");
        folder = ParserXML::readItemValue(QStringLiteral("OutPut_path"), QStringLiteral("path_value"), fallback);
    }
    return folder;
}

void QVideoCutManageDlg::OnConvert()
{
    startConversion(false);
}

void QVideoCutManageDlg::startConversion(bool matchSound)
{
    const QString folder = outputFolder();
    if (folder.isEmpty() || !(QFileInfo(folder).isDir() || QDir().mkpath(folder)) || !QFileInfo(folder).isDir()) {
        QVoMessageBox::showMessage(this, tr("The output path is invalid!"), QLatin1String(""),
                                   QVoMessageBox::Error, QVoMessageBox::OkButton, {},
                                   QStringLiteral("outputPathInvalid"));
        return;
    }
    m_converter = std::make_unique<QConverterObject>();
    m_bUserStopped = false;
    m_progressPeak = 0;
    connect(m_converter.get(), &QConverterObject::emitIsStartConverter, this, &QVideoCutManageDlg::setConvertState);
    connect(m_converter.get(), &QConverterObject::emitIsStartConverter, this, &QVideoCutManageDlg::emitIsStartConverter);
    connect(m_converter.get(), &QConverterObject::emitConvertProToCtrl, this, &QVideoCutManageDlg::ConverterPro);
    connect(m_converter.get(), &QConverterObject::emitConvertedFinish, this, &QVideoCutManageDlg::convertedFinish);
    connect(m_converter.get(), &QConverterObject::emitConvertedFinishCount, m_btnOpen, &QImageButtonEx::addItemCount);
    m_convertNotes.clear();
    // The run takes the work as it is now, its track plan too; nothing
    // changed later reaches it.
    ConversionRun run = currentWorkRun(m_chkMerger->isChecked(), m_chkChapters->isChecked(), m_work->trackPlan());
    for (ConversionSegment &segment : run.segments)
        segment.job.matchSound = matchSound;
    connect(m_converter.get(), &QConverterObject::sendConvertNote, this,
            [this](const QString &note) { m_convertNotes.append(note); });
    if (!OutputFormatParams::instance().lossless) {
        // Said once per source, with the end-of-run notes.
        VoVideoConvertManager *items = VoVideoConvertManager::instance();
        QList<const VoVideoConvertItem *> converted;
        for (int i = 0; i < items->count(); ++i)
            converted.append(items->itemAt(i));
        m_convertNotes.append(tracksLeftOutNotes(converted, run));
    }
    // A frame-exact cut the engine could not make (a codec it cannot match,
    // a container it cannot write so) is cut at key frames instead: a
    // different output from the one asked for, so the user is told why.
    connect(m_converter.get(), &QConverterObject::sendOutputWritten, this,
            [this](const QString &path, const QString &report) {
                static const QString fallBack = QStringLiteral("cut at key frames: ");
                if (report.startsWith(fallBack))
                    m_convertNotes.append(tr("%1 is not frame-exact: it was cut at key frames (%2).")
                                              .arg(QFileInfo(path).fileName(), report.mid(fallBack.size())));
            });
    connect(m_converter.get(), &QConverterObject::runCompleted, this, &powerOffIfChosen);
    m_converter->startConvert(run);
}

void QVideoCutManageDlg::OnStopConvert()
{
    if (!m_converter)
        return;
    m_bUserStopped = true;
    m_converter->OnCancelConvert();
}

void QVideoCutManageDlg::stopConversionForExit(const std::function<void()> &stopped)
{
    if (!m_converter || !m_bConverting) {
        stopped();
        return;
    }
    m_bUserStopped = true;
    // The stopped converter's last report removes the partial file; the run
    // announces its end after it, and only then may the program end. Should
    // that never come, the program ends anyway after a while.
    struct Waiting {
        std::function<void()> stopped;
        QMetaObject::Connection connection;
        bool done = false;
    };
    auto waiting = std::make_shared<Waiting>();
    waiting->stopped = stopped;
    const auto finish = [waiting] {
        if (waiting->done)
            return;
        waiting->done = true;
        QObject::disconnect(waiting->connection);
        waiting->stopped();
    };
    waiting->connection = connect(m_converter.get(), &QConverterObject::emitIsStartConverter, this,
                                  [finish](bool started) {
                                      if (!started)
                                          finish();
                                  });
    QTimer::singleShot(10000, this, [waiting, finish] {
        if (!waiting->done)
            qWarning() << "conversion: the stopped conversion did not report its end";
        finish();
    });
    m_converter->OnCancelConvert();
}

QString QVideoCutManageDlg::timeLeftText(qint64 ms)
{
    const qint64 seconds = qMax<qint64>(0, (ms + 999) / 1000);
    if (seconds >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600)
            .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
            .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void QVideoCutManageDlg::ConverterPro(int nPro)
{
    m_progressBar->setValue(nPro);
    m_progressPeak = qMax(m_progressPeak, nPro);
    if (!m_bConverting)
        return;
    const qint64 now = m_convertClock.elapsed();
    if (nPro != m_estimatePercent) {
        m_estimatePercent = nPro;
        m_estimateAtMs = now;
        // The time so far, stretched over what is left. The first second
        // and the first percent say too little to be worth showing.
        m_estimateLeftMs = nPro > 0 && nPro < 100 && now >= 1000 ? now * (100 - nPro) / nPro : -1;
    }
    showProgressFigure();
}

void QVideoCutManageDlg::showProgressFigure()
{
    const int percent = qMax(0, m_estimatePercent);
    if (m_estimateLeftMs < 0) {
        m_labProgress->setText(tr("%1%").arg(percent));
        return;
    }
    const qint64 left = m_estimateLeftMs - (m_convertClock.elapsed() - m_estimateAtMs);
    m_labProgress->setText(tr("%1% · %2 left").arg(percent).arg(timeLeftText(left)));
}

void QVideoCutManageDlg::setConvertState(bool bConverting)
{
    m_bConverting = bConverting;
    if (m_bListExpanded)
        OnBtnHideList();
    else
        setPageButtonsVisibility();
    m_btnAddItem->setEnabled(!bConverting && !m_entries.isEmpty());
    m_btnShowList->setEnabled(!bConverting);
    m_chkMerger->setVisible(!bConverting);
    m_chkChapters->setVisible(!bConverting && m_chkMerger->isChecked());
    m_progressBar->setVisible(bConverting);
    m_progressBar->setValue(0);
    m_labProgress->setVisible(bConverting);
    m_estimatePercent = -1;
    m_estimateLeftMs = -1;
    if (bConverting) {
        m_convertClock.start();
        showProgressFigure();
    }
    // The row changes its width: the folder button keeps its own place.
    layoutHeader();
    if (!bConverting && !m_convertNotes.isEmpty()) {
        // A finished segment that differs from what was asked (its source
        // ended early) is finished, but the user hears about it.
        const QString notes = m_convertNotes.join(QLatin1Char('\n'));
        m_convertNotes.clear();
        if (!m_bUserStopped)
            showRunEnded(notes, QVoMessageBox::Warning);
    }
}

void QVideoCutManageDlg::convertedFinish(bool success)
{
    if (success || m_bUserStopped)
        return;
    if (m_converter && !m_converter->misfitReport().isEmpty()) {
        offerJoinFixes(m_converter->misfitReport(), m_converter->misfits());
        return;
    }
    QString text = tr("File conversion failed, please check whether the output format parameters \n"
                      "and output file directory are set correctly.");
    // The engine's own reason, when it gave one, helps the user see what to change.
    if (m_converter && !m_converter->failureText().isEmpty())
        text += QLatin1String("\n\n") + m_converter->failureText();
    showRunEnded(text, QVoMessageBox::Error);
}

void QVideoCutManageDlg::showRunEnded(const QString &text, int kind)
{
    // Not waited for: the run goes on to its end while the box is open.
    // What else the run has to say (its notes after a failure) joins the
    // open box instead of opening another over it.
    static const QString name = QStringLiteral("conversionEnded");
    if (QVoMessageBox *open = QVoMessageBox::openBoxNamed(this, name)) {
        open->setMessage(open->message() + QStringLiteral("\n\n") + text);
        if (kind == QVoMessageBox::Error)
            open->setKind(kind);
        open->prepare();
        return;
    }
    QVoMessageBox::showMessage(this, text, productTitle(), kind, QVoMessageBox::OkButton, {}, name);
}

void QVideoCutManageDlg::offerJoinFixes(const QString &misfit, const std::vector<MediaMerge::Misfit> &files)
{
    // One line per file that differs, as the engine words it. Sound alone
    // (in as many streams as the first file has) can be made to match the
    // first file while the pictures are still copied; anything else needs
    // a format.
    bool soundOnly = !files.empty();
    QStringList lines;
    for (const MediaMerge::Misfit &file : files) {
        soundOnly = soundOnly && file.soundOnly();
        lines << QStringLiteral("• ") + QString::fromStdString(file.text);
    }
    if (files.empty())
        lines << QStringLiteral("• ") + misfit;
    QString text = tr("These files cannot be joined without encoding:") + QLatin1Char('\n') + lines.join(QLatin1Char('\n'))
                   + QStringLiteral("\n\n");
    text += soundOnly ? tr("Only the sound differs. Encode the sound of the files that differ to match the first "
                           "file (the pictures are still copied), or encode everything to a format you choose.")
                      : tr("Choose a format to encode everything into one file.");
    // The run that failed wrote nothing; the choice starts the next.
    auto *box = new QVoMessageBox(this);
    box->setObjectName(QStringLiteral("joinMisfit"));
    box->setTitle(productTitle());
    box->setMessage(text);
    box->setKind(QVoMessageBox::Warning);
    box->setMaxLineWidth(560);
    if (soundOnly) {
        box->setButtons(QVoMessageBox::YesNoCancelButtons);
        box->setButtonText(QVoMessageBox::Yes, tr("Match the Sound"));
        box->setButtonText(QVoMessageBox::No, tr("Choose Format…"));
    } else {
        box->setButtons(QVoMessageBox::YesNoButtons);
        box->setButtonText(QVoMessageBox::Yes, tr("Choose Format…"));
        box->setButtonText(QVoMessageBox::No, tr("Cancel"));
    }
    QPointer<QVideoCutManageDlg> self(this);
    QVoMessageBox::openBox(box, [self, soundOnly](int answer) {
        if (!self || self->m_bConverting)
            return;
        if (soundOnly && answer == QVoMessageBox::Yes)
            self->startConversion(true);
        else if ((soundOnly && answer == QVoMessageBox::No) || (!soundOnly && answer == QVoMessageBox::Yes))
            emit self->emitChooseFormatForJoin();
    });
}

void QVideoCutManageDlg::OnBtnOpen()
{
    m_btnOpen->resetItemCount();
    const QString folder = outputFolder();
    if (!QFileInfo(folder).isDir()) {
        QVoMessageDlg::openMsg(this, tr("Invalid path"));
        return;
    }
    if (folderOpener())
        folderOpener()(folder);
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void QVideoCutManageDlg::setLineBgImage(VoVideoConvertItem *item)
{
    if (!item)
        return;
    ++m_stripRequest;
    m_timeLine->prepareThumbnails(ThumbnailStripWorker::pictureCount);
    m_stripWorker->begin(item->m_videoPath, item->m_duration, m_stripRequest);
    m_timeLine->showWaveform(item->m_videoPath, item->m_duration);
}

void QVideoCutManageDlg::stopShowLineBgImage()
{
    m_stripWorker->stop();
}

void QVideoCutManageDlg::lineImage(QImage image, int id)
{
    // A picture of a file that is no longer shown is dropped.
    if (id != m_stripRequest)
        return;
    m_timeLine->addThumbnail(image);
}
