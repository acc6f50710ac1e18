#include "QConverterObject.h"

#include "CAVConverter.h"
#include "ConfigState.h"
#include "ConvertJob.h"
#include "OutputFormatParams.h"
#include "OutputNaming.h"
#include "ParserXML.h"
#include "PartialOutput.h"
#include "SystemCommand.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

void QConverterObject::startConvert(bool merge)
{
    VoVideoConvertManager *manager = VoVideoConvertManager::instance();
    QList<VoVideoConvertItem *> items;
    for (int i = 0; i < manager->count(); ++i)
        items.append(manager->itemAt(i));
    startConvert(merge, items);
}

void QConverterObject::startConvert(bool merge, const QList<VoVideoConvertItem *> &items)
{
    m_merge = merge;
    if (items.isEmpty())
        return;
    // Temporaries of a run that was killed (or lost its power) never
    // became outputs: they go before anything new is written beside them.
    const QString root = ConfigState::instance().converterPath();
    if (!root.isEmpty()) {
        const int stale = removeStalePartials(QFile::encodeName(root).toStdString());
        if (stale > 0)
            qDebug() << "removed" << stale << "unfinished outputs of an earlier run under" << root;
    }
    m_queue.clear();
    for (VoVideoConvertItem *item : items)
        if (item)
            m_queue.append(item);
    if (m_queue.isEmpty())
        return;
    // A cancel ends the run it was made in, not the next one.
    m_cancelled = false;
    m_total = m_queue.size();
    emit emitIsStartConverter(true);
    m_index = 0;
    convertItem(m_queue.first(), true);
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
    const QString reason = checked.isEmpty() ? engineReason : checked;
    if (!checked.isEmpty() && converter)
        emit sendOutputFailedCheck(path, QString::fromStdString(converter->checkReport()), checked);
    m_failureText = reason;
    if (!reason.isEmpty()) {
        qDebug() << "conversion failed:" << reason;
        emit sendFailureReason(reason);
    }
    emit emitConvertedFinish(false);
}

void QConverterObject::convertItem(VoVideoConvertItem *item, bool first)
{
    Q_UNUSED(first);
    if (!item)
        return;
    m_current = item;
    if (m_cancelled) {
        stopAll();
        m_cancelled = false;
        return;
    }
    m_failureText.clear();
    const QByteArray source = item->m_videoPath.toUtf8();
    // A merge writes one file: later ranges need no name of their own, and
    // the name handed out last must stay the merged file's, so that a
    // failure removes that file.
    QString name;
    if (m_merge && m_merger) {
        name = m_mergedPath;
    } else if (m_namer) {
        name = m_namer(*item, m_index);
        ConfigState::instance().setOutputName(name);
    } else {
        name = getConvertPath();
    }
    const QByteArray destination = name.toUtf8();
    std::unique_ptr<ConvertJob> job(item->assembleConvertJob(OutputFormatParams::instance()));
    if (m_merge && m_segmentChapters)
        job->partChapter = (item->m_label.isEmpty() ? tr("Segment %1").arg(item->m_index + 1) : item->m_label)
                               .toStdString();

    // From here on the item's end is reported exactly once: by its
    // converter, or by the failure to start one.
    m_itemInFlight = true;
    if (m_merge) {
        if (!m_merger) {
            m_mergedPath = QString::fromUtf8(destination);
            m_merger = std::make_unique<CAVConverter>();
            if (!m_merger->OpenMerger(destination.constData(), *job)) {
                reportFailure(QString::fromStdString(m_merger->lastError()));
                return;
            }
        }
        ConfigState::instance().setOutputName(m_mergedPath);
        // The range's source is opened on the converter's worker.
        // The last range completes the merged file and checks it on the
        // converter's worker, never here.
        int left = 0;
        for (const QPointer<VoVideoConvertItem> &queued : m_queue)
            left += queued ? 1 : 0;
        if (!m_merger->StartMergeSegment(source.constData(), *job, this, &QConverterObject::progressCallback,
                                         left <= 1))
            reportFailure(QString::fromStdString(m_merger->lastError()));
        return;
    }
    // The previous item's converter has reported its end: its worker is
    // gone or about to be.
    m_converter = std::make_unique<CAVConverter>();
    ConfigState::instance().setOutputName(QString::fromUtf8(destination));
    // The source is opened on the converter's worker; the outcome comes
    // back as the item's reports.
    if (!m_converter->StartConvert(source.constData(), destination.constData(), *job, this,
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
        ConfigState::instance().setOutputName(path);
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
        m_queue.clear();
        m_stopPending = false;
        emit emitIsStartConverter(false);
    }
}

void QConverterObject::handleEnd(bool ok)
{
    ConfigState &config = ConfigState::instance();
    if (ok)
        config.setConvertedCount(config.convertedCount() + 1);

    const bool wasQueued = !m_queue.isEmpty() && m_queue.first() == m_current;
    if (wasQueued)
        m_queue.removeFirst();
    // Removed items count as passed, so the progress still ends at 100.
    m_index += dropRemovedItems();
    if (ok && m_cancelled) {
        // An item that finished just as the user cancelled: it is complete
        // and counted, and nothing else happens.
        if (!m_merge)
            emit emitConvertedFinishCount();
        return;
    }
    if (m_queue.isEmpty() && wasQueued) {
        if (m_merge && m_merger) {
            std::unique_ptr<CAVConverter> merger = std::move(m_merger);
            merger->StopMerger(false);
            config.setOutputName(QString::fromStdString(merger->outputPath()));
            // A merged file that could not be completed is a failure, not
            // a finished file.
            if (ok && !merger->mergedFileComplete()) {
                ok = false;
                config.setConvertedCount(config.convertedCount() - 1);
                const QString engineError = QString::fromStdString(merger->lastError());
                const QString checked = checkFailureText(QString::fromStdString(merger->outputPath()), engineError);
                m_failureText = checked.isEmpty() ? engineError : checked;
                if (!m_failureText.isEmpty())
                    emit sendFailureReason(m_failureText);
            }
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
            if (!m_queue.isEmpty()) {
                ++m_index;
                convertItem(m_queue.first(), false);
            }
        } else {
            if (!m_queue.isEmpty()) {
                ++m_index;
                convertItem(m_queue.first(), false);
            } else {
                emit emitConvertedFinishCount();
            }
        }
        if (m_queue.isEmpty() && !m_cancelled && m_powerOffAllowed
            && ParserXML::readItemValue("SHOWDOWN_ITEM", "bIsShowDownComputer", "N") == QLatin1String("Y")) {
            qDebug("\n\n\nshutdown---------\n\n\n");
            powerOffComputer();
        }
        return;
    }

    // Failure or cancel: the partial output goes, and with it the item's
    // folder when nothing else is in it.
    if (!config.outputName().isEmpty())
        QFile::remove(config.outputName());
    const QString dir = config.outputDir();
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
    if (!m_cancelled && !m_queue.isEmpty())
        emit emitIsStartConverter(false);
    m_queue.clear();
}

int QConverterObject::dropRemovedItems()
{
    return m_queue.removeAll(QPointer<VoVideoConvertItem>());
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
    m_queue.clear();
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
