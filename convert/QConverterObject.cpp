#include "QConverterObject.h"

#include "CAVConverter.h"
#include "ConvertJob.h"
#include "PartialOutput.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <functional>
#include <memory>

QConverterObject::QConverterObject(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<convertState>("convertState");
    connect(this, &QConverterObject::seedConvertPro, this, &QConverterObject::UpdataConverPro);
    // Queued: the end of an item is handled after the call that reported it
    // has returned, never inside it.
    connect(this, &QConverterObject::emitConvertedFinish, this, &QConverterObject::converterFinishCount,
            Qt::QueuedConnection);
}

QConverterObject::~QConverterObject()
{
    // Each converter's worker is told to stop and ends within moments.
    m_converter.reset();
    m_merger.reset();
}

QString QConverterObject::noteTime(uint64_t us)
{
    const uint64_t tenths = us / 100000;
    const uint64_t seconds = tenths / 10;
    return QStringLiteral("%1:%2:%3.%4")
        .arg(seconds / 3600)
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'))
        .arg(tenths % 10);
}

void QConverterObject::progressCallback(int32_t percent, void *context, int32_t state)
{
    auto *self = static_cast<QConverterObject *>(context);
    emit self->seedConvertPro(static_cast<uint>(percent < 0 ? 0 : percent), static_cast<convertState>(state));
}

void QConverterObject::startConvert(ConversionRun run)
{
    m_run = std::move(run);
    m_severalSources = std::any_of(m_run.segments.begin(), m_run.segments.end(), [this](const ConversionSegment &s) {
        return s.sourcePath != m_run.segments.first().sourcePath;
    });
    m_merge = m_run.merge;
    if (m_run.segments.isEmpty())
        return;
    // Temporaries of a run that was killed (or lost its power) never
    // became outputs: they go before anything new is written beside them.
    const QString root = m_run.naming.root;
    if (!root.isEmpty()) {
        const int stale = removeStalePartials(QFile::encodeName(root).toStdString());
        if (stale > 0)
            qDebug() << "removed" << stale << "unfinished outputs of an earlier run under" << root;
    }
    // A cancel ends the run it was made in, not the next one.
    m_cancelled = false;
    m_total = m_run.segments.size();
    m_position = 0;
    m_mergedWays.clear();
    emit emitIsStartConverter(true);
    m_index = 0;
    convertSegment(0);
}

QString QConverterObject::checkFailureText(const QString &path, const QString &engineError)
{
    static const QString prefix = QStringLiteral("output check failed: ");
    if (!engineError.startsWith(prefix))
        return QString();
    const QString why = engineError.mid(prefix.size());
    const int colon = why.indexOf(QLatin1String(": "));
    const QString kind = colon < 0 ? why : why.left(colon);
    const QString detail = colon < 0 ? QString() : why.mid(colon + 2);
    QString sentence;
    if (kind == QLatin1String("streams"))
        sentence = tr("a stream that was asked for is missing (%1)").arg(detail);
    else if (kind == QLatin1String("duration"))
        sentence = tr("it does not last as long as its range (%1)").arg(detail);
    else if (kind == QLatin1String("start"))
        sentence = tr("its first picture is not shown at its start (%1)").arg(detail);
    else if (kind == QLatin1String("sync"))
        sentence = tr("its picture and sound do not start together (%1)").arg(detail);
    else if (kind == QLatin1String("head"))
        sentence = tr("its beginning does not decode (%1)").arg(detail);
    else if (kind == QLatin1String("tail"))
        sentence = tr("its end does not decode (%1)").arg(detail);
    else
        sentence = tr("it cannot be read back (%1)").arg(detail.isEmpty() ? why : detail);
    return tr("%1 failed its check and was not kept: %2.").arg(QFileInfo(path).fileName(), sentence);
}

void QConverterObject::reportFailure(const QString &engineReason)
{
    // An output that failed its check is named, with what was wrong.
    const CAVConverter *converter = m_merge ? m_merger.get() : m_converter.get();
    const QString path = converter ? QString::fromStdString(converter->outputPath()) : QString();
    const QString checked = checkFailureText(path, engineReason);
    QString reason = checked.isEmpty() ? engineReason : checked;
    const QString misfit = QStringLiteral("the files do not join without encoding: ");
    m_misfitReport.clear();
    m_misfits.clear();
    if (reason.startsWith(misfit)) {
        m_misfitReport = reason.mid(misfit.size());
        if (converter)
            m_misfits = converter->misfits();
        reason = tr("The files cannot be joined without encoding: %1. Choose a format to encode them into one file.")
                     .arg(m_misfitReport);
    }
    if (!checked.isEmpty() && converter)
        emit sendOutputFailedCheck(path, QString::fromStdString(converter->checkReport()), checked);
    m_failureText = reason;
    if (!reason.isEmpty()) {
        qDebug() << "conversion failed:" << reason;
        emit sendFailureReason(reason);
    }
    emit emitConvertedFinish(false);
}

void QConverterObject::convertSegment(int position)
{
    if (position < 0 || position >= m_total)
        return;
    if (m_cancelled) {
        stopAll();
        m_cancelled = false;
        return;
    }
    m_failureText.clear();
    m_misfitReport.clear();
    m_misfits.clear();
    const ConversionSegment &segment = m_run.segments[position];
    const QByteArray source = segment.sourcePath.toUtf8();
    // A merge writes one file: later ranges need no name of their own, and
    // the name handed out last must stay the merged file's, so that a
    // failure removes that file.
    const QString name = m_merge && m_merger ? m_mergedPath : m_run.outputPathFor(m_index);
    m_lastOutput = name;
    const QByteArray destination = name.toUtf8();
    ConvertJob job = segment.job;
    if (m_merge && m_run.segmentChapters)
        job.partChapter = (!segment.label.isEmpty() ? segment.label
                               : m_severalSources ? QFileInfo(segment.sourcePath).completeBaseName()
                                                  : tr("Segment %1").arg(segment.number))
                              .toStdString();

    // From here on the segment's end is reported exactly once: by its
    // converter, or by the failure to start one.
    m_itemInFlight = true;
    if (m_merge) {
        if (!m_merger) {
            m_mergedPath = QString::fromUtf8(destination);
            m_merger = std::make_unique<CAVConverter>();
            if (!m_merger->OpenMerger(destination.constData(), job)) {
                reportFailure(QString::fromStdString(m_merger->lastError()));
                return;
            }
            // Ranges of several files are copied into one only when they
            // join: checked before the first is copied, on its worker.
            if (job.lossless) {
                std::vector<std::string> sources;
                for (const ConversionSegment &s : m_run.segments)
                    if (std::find(sources.begin(), sources.end(), s.sourcePath.toStdString()) == sources.end())
                        sources.push_back(s.sourcePath.toStdString());
                if (sources.size() > 1)
                    m_merger->SetMergeSources(std::move(sources));
            }
        }
        m_lastOutput = m_mergedPath;
        // The range's source is opened on the converter's worker.
        // The last range completes the merged file and checks it on the
        // converter's worker, never here.
        if (!m_merger->StartMergeSegment(source.constData(), job, this, &QConverterObject::progressCallback,
                                         position + 1 >= m_total))
            reportFailure(QString::fromStdString(m_merger->lastError()));
        return;
    }
    // The previous segment's converter has reported its end: its worker is
    // gone or about to be.
    m_converter = std::make_unique<CAVConverter>();
    // The source is opened on the converter's worker; the outcome comes
    // back as the segment's reports.
    if (!m_converter->StartConvert(source.constData(), destination.constData(), job, this,
                                   &QConverterObject::progressCallback, true))
        reportFailure(QString::fromStdString(m_converter->lastError()));
}

void QConverterObject::UpdataConverPro(uint nPro, convertState state)
{
    // The open is under way: nothing to show yet.
    if (state == convertStarting)
        return;
    const CAVConverter *converter = m_merge ? m_merger.get() : m_converter.get();
    if (state != convertProgress && converter) {
        // The item's last report: a container fall-back of its open may
        // have renamed the output.
        const QString path = QString::fromStdString(converter->outputPath());
        if (m_merge)
            m_mergedPath = path;
        m_lastOutput = path;
    }
    const int n = m_total;
    const float share = n == 0 ? 100.0f : 100.0f / static_cast<float>(n);
    const int overall = static_cast<int>(static_cast<float>(m_index) * share + share * static_cast<float>(nPro) / 100.0f);
    emit emitConvertProToCtrl(overall);
    if (state == convertFinished) {
        if (converter && converter->sourceEndedAt() > 0)
            emit sendConvertNote(tr("The source ends at %1; the segment was cut there.")
                                     .arg(noteTime(converter->sourceEndedAt())));
        // A merged file is whole only once the merger is closed.
        if (converter && !m_merge)
            emit sendOutputWritten(QString::fromStdString(converter->outputPath()),
                                   QString::fromStdString(converter->cutReport()),
                                   QString::fromStdString(converter->checkReport()));
        emit emitConvertedFinish(true);
    } else if (state == convertCancelled) {
        emit emitConvertedFinish(false);
    } else if (state != convertProgress) {
        reportFailure(converter ? QString::fromStdString(converter->lastError()) : QString());
    }
}

void QConverterObject::converterFinishCount(bool ok)
{
    m_itemInFlight = false;
    handleEnd(ok);
    if (m_stopPending && !m_itemInFlight) {
        // The stopped item has reported its end, which removed its partial
        // file: what is left goes, and the run ends here, once.
        stopAll();
        m_position = m_total;
        m_stopPending = false;
        emit emitIsStartConverter(false);
    }
}

void QConverterObject::handleEnd(bool ok)
{
    const bool wasQueued = m_position < m_total;
    if (wasQueued)
        ++m_position;
    const bool queueEmpty = m_position >= m_total;
    if (ok && m_cancelled) {
        // An item that finished just as the user cancelled: it is complete
        // and counted, and nothing else happens.
        if (!m_merge)
            emit emitConvertedFinishCount();
        return;
    }
    if (queueEmpty && wasQueued) {
        if (m_merge && m_merger) {
            std::unique_ptr<CAVConverter> merger = std::move(m_merger);
            merger->StopMerger(false);
            m_lastOutput = QString::fromStdString(merger->outputPath());
            // A merged file that could not be completed is a failure, not
            // a finished file.
            if (ok && !merger->mergedFileComplete()) {
                ok = false;
                const QString engineError = QString::fromStdString(merger->lastError());
                const QString checked = checkFailureText(QString::fromStdString(merger->outputPath()), engineError);
                m_failureText = checked.isEmpty() ? engineError : checked;
                if (!m_failureText.isEmpty())
                    emit sendFailureReason(m_failureText);
            }
            m_mergedWays = merger->rangeWays();
            if (ok)
                emit sendOutputWritten(QString::fromStdString(merger->outputPath()),
                                       QString::fromStdString(merger->cutReport()),
                                       QString::fromStdString(merger->checkReport()));
        }
        // A stop in progress announces the end itself, once it is complete.
        if (!m_stopPending)
            emit emitIsStartConverter(false);
    }

    if (ok) {
        if (!m_merge) {
            emit emitConvertedFinishCount();
            if (m_position < m_total) {
                ++m_index;
                convertSegment(m_position);
            }
        } else {
            if (m_position < m_total) {
                ++m_index;
                convertSegment(m_position);
            } else {
                emit emitConvertedFinishCount();
            }
        }
        if (m_position >= m_total && !m_cancelled)
            emit runCompleted();
        return;
    }

    // Failure or cancel: the partial output goes, and with it the item's
    // folder when nothing else is in it.
    if (!m_lastOutput.isEmpty())
        QFile::remove(m_lastOutput);
    const QString dir = m_run.naming.folderIsOwn ? m_run.naming.folder : QString();
    if (!dir.isEmpty() && QFileInfo(dir).isDir()) {
        const int entries = QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).size();
        qDebug() << "output folder entries:" << entries << dir;
        if (entries == 0)
            QDir().rmdir(dir);
    }
    if (m_merger) {
        std::unique_ptr<CAVConverter> merger = std::move(m_merger);
        merger->AbandonMerger();
    }
    if (!m_cancelled && m_position < m_total)
        emit emitIsStartConverter(false);
    m_position = m_total;
}

void QConverterObject::OnCancelConvert()
{
    // A Stop made while one is under way adds nothing to it.
    if (m_stopPending)
        return;
    m_cancelled = true;
    m_failureText.clear();
    if (m_itemInFlight) {
        // The converter is told to stop and returns at once; its worker
        // gives up the open or the conversion and reports the end, which
        // completes the stop (converterFinishCount).
        m_stopPending = true;
        if (CAVConverter *running = m_merge ? m_merger.get() : m_converter.get())
            running->RequestStop();
        return;
    }
    stopAll();
    m_position = m_total;
    emit emitIsStartConverter(false);
}

void QConverterObject::stopAll()
{
    m_cancelled = true;
    // Only converters whose worker has reported its end or was told to
    // stop come here, so the waits inside are short.
    if (std::unique_ptr<CAVConverter> merger = std::move(m_merger))
        merger->StopMerger(true);
    if (std::unique_ptr<CAVConverter> converter = std::move(m_converter))
        converter->StopConvert();
}
