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

namespace {

// Counts a call into a converter; parked converters go when the last ends.
class CallScope {
public:
    CallScope(int &depth, const std::function<void()> &atEnd)
        : m_depth(depth)
        , m_atEnd(atEnd)
    {
        ++m_depth;
    }
    ~CallScope()
    {
        if (--m_depth == 0)
            m_atEnd();
    }
    CallScope(const CallScope &) = delete;
    CallScope &operator=(const CallScope &) = delete;

private:
    int &m_depth;
    std::function<void()> m_atEnd;
};

} // namespace

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
    m_converter.reset();
    m_merger.reset();
    m_callDepth = 0;
    m_reaping = false;
    reap();
}

void QConverterObject::retire(std::unique_ptr<CAVConverter> &converter)
{
    if (converter)
        m_retired.push_back(std::move(converter));
    reap();
}

void QConverterObject::reap()
{
    // A converter's destructor waits for its worker while dispatching events,
    // and a queued end-of-item event can retire (and reap) again from inside
    // it: each converter is taken out of the list before it is destroyed, so
    // none is destroyed twice.
    if (m_callDepth != 0 || m_reaping)
        return;
    m_reaping = true;
    while (!m_retired.empty()) {
        std::unique_ptr<CAVConverter> doomed = std::move(m_retired.back());
        m_retired.pop_back();
        doomed.reset();
    }
    m_reaping = false;
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

void QConverterObject::reportFailure(const QString &reason)
{
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

    CallScope scope(m_callDepth, [this] { reap(); });
    if (m_merge) {
        if (!m_merger) {
            m_mergedPath = QString::fromUtf8(destination);
            m_merger = std::make_unique<CAVConverter>();
            if (!m_merger->OpenMerger(destination.constData(), *job)) {
                reportFailure(QString::fromStdString(m_merger->lastError()));
                return;
            }
        }
        CAVConverter *merger = m_merger.get();
        const bool ok = merger->AddMergeSegment(source.constData(), *job, this, &QConverterObject::progressCallback);
        if (merger != m_merger.get())
            return; // cancelled while the range was being opened
        // A container fall-back renames the merged file.
        m_mergedPath = QString::fromStdString(merger->outputPath());
        ConfigState::instance().setOutputName(m_mergedPath);
        if (!ok)
            reportFailure(QString::fromStdString(merger->lastError()));
        return;
    }
    retire(m_converter);
    m_converter = std::make_unique<CAVConverter>();
    CAVConverter *converter = m_converter.get();
    const bool ok = converter->StartConvert(source.constData(), destination.constData(), *job, this,
                                            &QConverterObject::progressCallback, false);
    if (converter != m_converter.get())
        return; // cancelled while the source was being opened
    ConfigState::instance().setOutputName(QString::fromStdString(converter->outputPath()));
    if (!ok)
        reportFailure(QString::fromStdString(converter->lastError()));
}

void QConverterObject::UpdataConverPro(uint nPro, convertState state)
{
    const int n = m_total;
    const float share = n == 0 ? 100.0f : 100.0f / static_cast<float>(n);
    const int overall = static_cast<int>(static_cast<float>(m_index) * share + share * static_cast<float>(nPro) / 100.0f);
    emit emitConvertProToCtrl(overall);
    const CAVConverter *converter = m_merge ? m_merger.get() : m_converter.get();
    if (state == convertFinished) {
        if (converter && converter->sourceEndedAt() > 0)
            emit sendConvertNote(tr("The source ends at %1; the segment was cut there.")
                                     .arg(noteTime(converter->sourceEndedAt())));
        // A merged file is whole only once the merger is closed.
        if (converter && !m_merge)
            emit sendOutputWritten(QString::fromStdString(converter->outputPath()),
                                   QString::fromStdString(converter->cutReport()));
        emit emitConvertedFinish(true);
    } else if (state == convertCancelled) {
        emit emitConvertedFinish(false);
    } else if (state != convertProgress) {
        reportFailure(converter ? QString::fromStdString(converter->lastError()) : QString());
    }
}

void QConverterObject::converterFinishCount(bool ok)
{
    ConfigState &config = ConfigState::instance();
    CallScope scope(m_callDepth, [this] { reap(); });
    // Handled inside the stop's own wait, the report does not end the stop:
    // OnCancelConvert does once it has returned from the converter.
    if (m_cancelDepth > 0)
        m_stopReported = true;
    else
        m_stopPending = false;
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
                m_failureText = QString::fromStdString(merger->lastError());
                if (!m_failureText.isEmpty())
                    emit sendFailureReason(m_failureText);
            }
            if (ok)
                emit sendOutputWritten(QString::fromStdString(merger->outputPath()),
                                       QString::fromStdString(merger->cutReport()));
            retire(merger);
        }
        // A stop in progress announces the end itself, after the stop.
        if (m_cancelDepth == 0)
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
        retire(merger);
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
    // The stop waits for the worker while dispatching events: the stopped
    // item's report, a second Stop or anything else may run inside it. The
    // end of the run is announced once, here, after the stop has returned,
    // because whoever hears it may delete this object; a Stop made during
    // the wait adds nothing to the one in progress.
    if (m_cancelDepth > 0)
        return;
    m_stopPending = m_merge ? bool(m_merger) : bool(m_converter);
    m_stopReported = false;
    ++m_cancelDepth;
    stopAll();
    --m_cancelDepth;
    m_queue.clear();
    if (m_stopReported)
        m_stopPending = false;
    emit emitIsStartConverter(false);
}

void QConverterObject::stopAll()
{
    m_cancelled = true;
    m_failureText.clear();
    CallScope scope(m_callDepth, [this] { reap(); });
    // Taken out first: the stop waits dispatch events, and whatever runs
    // meanwhile must find no converter to stop or delete again.
    if (m_merge) {
        if (std::unique_ptr<CAVConverter> merger = std::move(m_merger)) {
            merger->StopMerger(true);
            retire(merger);
        }
    } else if (std::unique_ptr<CAVConverter> converter = std::move(m_converter)) {
        converter->StopConvert();
        retire(converter);
    }
}
