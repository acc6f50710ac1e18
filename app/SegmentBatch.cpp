#include "SegmentBatch.h"

#include "AddFileThread.h"
#include "CutList.h"
#include "ConversionRun.h"
#include "QConverterObject.h"
#include "VoVideoConvertItem.h"

#include <QFileInfo>
#include <QTimer>

#include <algorithm>

namespace {

QString rangeText(uint64_t start, uint64_t end)
{
    return QConverterObject::noteTime(start) + QLatin1Char('-') + (end ? QConverterObject::noteTime(end) : QString());
}

} // namespace

SegmentBatch::SegmentBatch(QList<Segment> segments, bool merge, const OutputFormatParams &params,
                           const QString &root, QObject *parent)
    : QObject(parent)
    , m_segments(std::move(segments))
    , m_merge(merge)
    , m_params(params)
    , m_root(root)
{
    qRegisterMetaType<SegmentBatch::Result>("SegmentBatch::Result");
}

SegmentBatch::~SegmentBatch()
{
    // An opening in progress cannot be cut short; its item is dropped.
    if (m_opener) {
        m_opener->wait();
        delete m_opener;
    }
    // Nothing the converter still reports reaches a run being taken down.
    if (m_converter)
        m_converter->disconnect(this);
    m_converter.reset();
}

void SegmentBatch::start(const QStringList &files)
{
    if (m_running)
        return;
    m_files = files;
    m_results.clear();
    m_index = -1;
    m_stopping = false;
    m_running = true;
    openNext();
}

void SegmentBatch::stop()
{
    if (!m_running || m_stopping)
        return;
    m_stopping = true;
    if (m_converting) {
        m_current.stopped = true;
        m_converter->OnCancelConvert();
    }
    // While a file is being opened, the run ends once the opening returns.
}

void SegmentBatch::openNext()
{
    ++m_index;
    if (m_stopping || m_index >= m_files.size()) {
        finishRun();
        return;
    }
    m_current = Result();
    m_current.path = m_files[m_index];
    emit fileStarted(m_index, m_files.size(), m_current.path);
    emit progressChanged(m_index * 100 / m_files.size());
    // The interface thread never opens a file: a damaged or slow one would
    // freeze the window.
    const QString path = m_current.path;
    auto result = std::make_shared<std::pair<VoVideoConvertItem *, QString>>(nullptr, QString());
    m_opener = QThread::create([path, result] { result->first = AddFileThread::makeItem(path, &result->second); });
    connect(m_opener, &QThread::finished, this, [this, result] {
        m_opener->deleteLater();
        m_opener = nullptr;
        opened(result->first, result->second);
    });
    m_opener->start();
}

void SegmentBatch::opened(VoVideoConvertItem *source, const QString &reason)
{
    m_source.reset(source);
    if (m_stopping) {
        m_source.reset();
        finishRun();
        return;
    }
    if (!source) {
        m_current.reason = reason.isEmpty() ? tr("The file cannot be read.") : reason;
        finishFile();
        return;
    }
    convert(source);
}

void SegmentBatch::convert(VoVideoConvertItem *source)
{
    cutlist::SegmentList wanted;
    for (const Segment &s : m_segments)
        wanted.push_back(cutlist::Segment{s.start_us, s.end_us, std::string()});
    // What lies past this file's end is cut there; a segment that starts
    // past it cannot be cut from this file at all.
    const cutlist::Fit fit = cutlist::fitToDuration(wanted, source->m_duration);
    for (size_t i : fit.clipped)
        m_current.notes << tr("Segment %1 (%2) ends past the end of the file (%3); it was cut there.")
                               .arg(i + 1)
                               .arg(rangeText(wanted[i].start_us, wanted[i].end_us),
                                    QConverterObject::noteTime(source->m_duration));
    QStringList outside;
    for (size_t i : fit.outside)
        outside << tr("Segment %1 (%2) starts past the end of the file (%3).")
                       .arg(i + 1)
                       .arg(rangeText(wanted[i].start_us, wanted[i].end_us),
                            QConverterObject::noteTime(source->m_duration));
    if (!outside.isEmpty())
        m_current.reason = outside.join(QLatin1Char(' '));
    if (fit.segments.empty()) {
        finishFile();
        return;
    }

    // fitToDuration keeps the order and drops only whole segments.
    QList<int> kept;
    for (int i = 0; i < m_segments.size(); ++i)
        if (std::find(fit.outside.begin(), fit.outside.end(), size_t(i)) == fit.outside.end())
            kept << i;
    // The window's rule: a folder of this source's name under the output
    // folder, its segments numbered in it.
    ConversionRun run;
    run.merge = m_merge;
    OutputNamingPlan &naming = run.naming;
    naming.root = m_root;
    naming.extension = outputExtension(m_params, source->m_fileSuffix);
    const SourceOutputPlace place = sourceOutputPlace(m_root, source->m_videoName, naming.extension);
    naming.folder = place.folder;
    naming.folderIsOwn = true;
    naming.baseName = outputBaseName(place.adjustedName.isEmpty() ? source->m_videoName : place.adjustedName);
    for (int k = 0; k < kept.size(); ++k) {
        const Segment &s = m_segments[kept[k]];
        std::unique_ptr<VoVideoConvertItem> item(source->clone());
        item->m_index = k;
        item->m_TrimStartTime = fit.segments[size_t(k)].start_us;
        item->m_TrimEndTime = fit.segments[size_t(k)].end_us ? fit.segments[size_t(k)].end_us : source->m_duration;
        item->m_editConfig = s.edits;
        item->m_partChapter = s.partChapter;
        item->applyOutputFormat(m_params);
        run.segments.append(conversionSegmentOf(*item, m_params));
    }

    if (!m_converter)
        makeConverter();
    m_failed = false;
    m_converting = true;
    m_converter->startConvert(std::move(run));
}

void SegmentBatch::makeConverter()
{
    m_converter = std::make_unique<QConverterObject>();
    QConverterObject *converter = m_converter.get();
    connect(converter, &QConverterObject::emitConvertProToCtrl, this, [this](int percent) {
        emit progressChanged((m_index * 100 + qBound(0, percent, 100)) / qMax(1, int(m_files.size())));
    });
    connect(converter, &QConverterObject::sendOutputWritten, this, [this](const QString &path, const QString &) {
        ++m_current.outputs;
        m_current.written << path;
    });
    connect(converter, &QConverterObject::sendConvertNote, this,
            [this](const QString &note) { m_current.notes << note; });
    connect(converter, &QConverterObject::sendFailureReason, this, [this](const QString &reason) {
        m_current.reason = m_current.reason.isEmpty() ? reason : m_current.reason + QLatin1Char(' ') + reason;
        m_failed = true;
    });
    connect(converter, &QConverterObject::emitConvertedFinish, this, [this](bool ok) {
        if (!ok)
            m_failed = true;
    });
    connect(converter, &QConverterObject::emitIsStartConverter, this, [this](bool started) {
        if (!started && m_converting)
            // Reports of the last item that are still queued come first.
            QTimer::singleShot(0, this, &SegmentBatch::converterEnded);
    });
}

void SegmentBatch::converterEnded()
{
    // A stopped converter announces its end only after its last report,
    // which removed what it was writing.
    if (!m_converting)
        return;
    if (m_failed && m_current.reason.isEmpty() && !m_current.stopped)
        m_current.reason = m_converter->failureText().isEmpty() ? tr("The conversion failed.")
                                                                 : m_converter->failureText();
    m_converting = false;
    finishFile();
}

void SegmentBatch::finishFile()
{
    m_source.reset();
    m_current.ok = !m_current.stopped && !m_failed && m_current.reason.isEmpty() && m_current.outputs > 0;
    m_failed = false;
    m_results << m_current;
    emit fileDone(m_index, m_current);
    if (m_stopping)
        finishRun();
    else
        openNext();
}

void SegmentBatch::finishRun()
{
    if (!m_running)
        return;
    m_running = false;
    if (!m_stopping)
        emit progressChanged(100);
    emit finished(m_stopping);
}
