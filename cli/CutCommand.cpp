// snipwell-cli cut: the same segments out of every file, through the
// window's conversion manager, converter and naming rule. Each file's work
// is one run description; with --jobs several of them convert at once, each
// on a thread of its own with its own conversion manager, in this process.
#include "CliOutput.h"
#include "ConversionRun.h"
#include "CutList.h"
#include "CutOptions.h"
#include "EditsJson.h"
#include "InterruptWatch.h"
#include "OutputTemplate.h"
#include "ParserXML.h"
#include "AppPaths.h"
#include "PartialOutput.h"
#include "QConverterObject.h"
#include "Subcommands.h"
#include "TracksLeftOut.h"
#include "VoInfoClass.h"
#include "VoVideoConvertItem.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QThread>

#include <atomic>
#include <memory>
#include <set>
#include <vector>

#include <unistd.h>

namespace cli {

namespace {

QString clock(uint64_t us)
{
    return QConverterObject::noteTime(us);
}

QString rangeText(const cutlist::Segment &s)
{
    return s.end_us == 0 ? clock(s.start_us) + QLatin1Char('-')
                         : clock(s.start_us) + QLatin1Char('-') + clock(s.end_us);
}

// The file's video frame rate, which EDL timecodes count in (25 when the
// file has no video).
cutlist::FrameRate frameRateOf(const VoVideoConvertItem &item)
{
    cutlist::FrameRate rate;
    for (const VideoStreamInfo &v : item.m_videoStreams) {
        if (v.frameRateNum > 0 && v.frameRateDen > 0) {
            rate.num = uint32_t(v.frameRateNum);
            rate.den = uint32_t(v.frameRateDen);
            break;
        }
    }
    return rate;
}

// The segments of one file in command-line order; false (reported) when
// a list does not fit the file or the file has no chapters.
bool segmentsFor(const CutOptions &o, int fileIndex, const QString &path, const VoVideoConvertItem &item,
                 cutlist::SegmentList &segments)
{
    // In a join each cut belongs to the FILE before it; cuts given before
    // any FILE belong to every one. A file left without cuts joins whole.
    bool any = false;
    for (const SegmentSource &s : o.sources) {
        if (o.join && s.file >= 0 && s.file != fileIndex)
            continue;
        any = true;
        if (s.kind == SegmentSource::Range) {
            segments.push_back(cutlist::Segment{s.start_us, s.end_us, std::string()});
        } else if (s.kind == SegmentSource::List) {
            cutlist::ReadOptions read;
            read.duration_us = item.m_duration;
            read.rate = frameRateOf(item);
            const cutlist::ReadResult list = cutlist::readFile(QFile::encodeName(s.path).toStdString(), read);
            if (!list.ok()) {
                reportError(
                    o.json, path,
                    QStringLiteral("%1: %2").arg(s.path, QString::fromStdString(cutlist::describe(list.error))));
                return false;
            }
            segments.insert(segments.end(), list.segments.begin(), list.segments.end());
        } else if (s.kind == SegmentSource::Project) {
            segments.insert(segments.end(), s.segments.begin(), s.segments.end());
        } else {
            VoInfoClass info(-1);
            std::vector<cutlist::SourceChapter> chapters;
            if (info.isValid() && info.open(path)) {
                for (int c = 0; c < info.chapterCount(); ++c) {
                    const uint64_t start = info.chapterStart(c);
                    chapters.push_back({start, start + info.chapterDuration(c), info.chapterTitle(c).toStdString()});
                }
            }
            if (chapters.empty()) {
                reportError(o.json, path, QCoreApplication::translate("snipwell-cli", "the file has no chapters"));
                return false;
            }
            const cutlist::ReadResult list = cutlist::segmentsFromChapters(chapters, item.m_duration);
            if (!list.ok()) {
                reportError(o.json, path, QString::fromStdString(cutlist::describe(list.error)));
                return false;
            }
            segments.insert(segments.end(), list.segments.begin(), list.segments.end());
        }
    }
    if (!any)
        segments.push_back(cutlist::Segment{}); // the whole file
    return true;
}

QString baseName(const QString &name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot <= 0 ? name : name.left(dot);
}

// The conversion managers at work, so that Ctrl+C stops each of them the
// way the window's Stop does, on its own thread. The folder choice is here
// too: two files of the same name converted at once must not both take the
// same new folder.
class RunningCuts {
public:
    void add(QConverterObject *converter)
    {
        QMutexLocker lock(&m_mutex);
        m_converters.insert(converter);
    }
    void remove(QConverterObject *converter)
    {
        QMutexLocker lock(&m_mutex);
        m_converters.erase(converter);
    }
    // From the interface thread: every manager is told on its own thread.
    void stopAll()
    {
        QMutexLocker lock(&m_mutex);
        for (QConverterObject *converter : m_converters)
            QMetaObject::invokeMethod(converter, &QConverterObject::OnCancelConvert, Qt::AutoConnection);
    }
    // Chooses the folder of a source under root and makes it.
    SourceOutputPlace placeFor(const QString &root, const QString &name, const QString &extension)
    {
        QMutexLocker lock(&m_placeMutex);
        const SourceOutputPlace place = sourceOutputPlace(root, name, extension);
        if (!place.folder.isEmpty())
            QDir().mkpath(place.folder);
        return place;
    }

private:
    QMutex m_mutex;
    std::set<QConverterObject *> m_converters; // guarded by m_mutex
    QMutex m_placeMutex;                        // held while a folder is chosen and made
};

// One file's conversion: its segments become one run description, and a
// conversion manager of its own runs it, as the window's Start does.
class FileCut {
public:
    // paths: one file, or the files a join takes in turn (named after the first).
    FileCut(const CutOptions &options, const QStringList &paths, const QString &defaultRoot, InterruptWatch &watch,
            RunningCuts &running)
        : m_o(options)
        , m_paths(paths)
        , m_path(paths.value(0))
        , m_defaultRoot(defaultRoot)
        , m_watch(watch)
        , m_running(running)
    {
    }

    // False when anything of the file failed (reported).
    bool run();
    // The failure was the command line's: a stream option named a stream
    // the file does not have.
    bool usageFault() const { return m_usageFault; }

private:
    bool prepareItems(const VoVideoConvertItem &source, const cutlist::SegmentList &segments);
    ConversionRun describeRun(const VoVideoConvertItem &source);
    bool convert(const VoVideoConvertItem &source);
    // The joins of a merged output for its JSON line.
    QJsonArray joinsOf(const std::vector<MediaMerge::RangeWay> &ways) const;

    const CutOptions &m_o;
    QStringList m_paths;
    QString m_path; // the first: what the run's reports and names go by
    QString m_defaultRoot; // the program's output folder, ending with '/'
    InterruptWatch &m_watch;
    RunningCuts &m_running;
    cutlist::SegmentList m_segments; // as converted, in item order
    std::vector<std::unique_ptr<VoVideoConvertItem>> m_items;
    std::vector<std::unique_ptr<VoVideoConvertItem>> m_sources; // the opened files, in order
    std::vector<TrackPlan> m_plans; // per file, when stream options were given
    bool m_usageFault = false;
};

bool FileCut::run()
{
    m_segments.clear();
    m_items.clear();
    m_sources.clear();
    bool ok = true;
    // A join takes every file's segments in turn; otherwise there is one file.
    for (int fileIndex = 0; fileIndex < m_paths.size(); ++fileIndex) {
        const QString &path = m_paths.at(fileIndex);
        QString why;
        if (!sourceReadable(path, why)) {
            reportError(m_o.json, path, why);
            return false;
        }
        auto source = std::make_unique<VoVideoConvertItem>();
        if (!source->open(path, -1, false, VoVideoConvertItem::OpenMode::ForConversion)) {
            reportError(m_o.json, path,
                        source->openError().isEmpty()
                            ? QCoreApplication::translate("snipwell-cli", "not a media file we can read")
                            : source->openError());
            return false;
        }
        cutlist::SegmentList wanted;
        if (!segmentsFor(m_o, fileIndex, path, *source, wanted))
            return false;
        if (m_o.tracks.any()) {
            // The stream options name streams of this file: a name it does
            // not have is a wrong command line, and nothing is written.
            QList<SourceTrack> tracks;
            TrackPlan plan;
            QString why;
            if (!listSourceTracks(path, tracks, why)
                || !trackPlanFor(m_o.tracks, path, tracks, qint64(source->m_duration), plan, why)) {
                reportError(m_o.json, path, why);
                m_usageFault = true;
                return false;
            }
            m_plans.push_back(plan);
        }
        // Ranges past the readable end are cut there, as the window does;
        // one that starts past it cannot be cut at all.
        const cutlist::Fit fit = cutlist::fitToDuration(wanted, source->m_duration);
        for (size_t i : fit.clipped)
            reportNote(m_o.json, path,
                       QCoreApplication::translate("snipwell-cli",
                                                   "segment %1 (%2) ends past the end of the file (%3); it was cut there")
                           .arg(i + 1)
                           .arg(rangeText(wanted[i]), clock(source->m_duration)));
        for (size_t i : fit.outside) {
            reportError(m_o.json, path,
                        QCoreApplication::translate("snipwell-cli",
                                                    "segment %1 (%2) starts past the end of the file (%3); it was left out")
                            .arg(i + 1)
                            .arg(rangeText(wanted[i]), clock(source->m_duration)));
            ok = false;
        }
        if (fit.segments.empty())
            return false;
        const size_t first = m_items.size();
        m_segments.insert(m_segments.end(), fit.segments.begin(), fit.segments.end());
        if (!prepareItems(*source, fit.segments))
            return false;
        // The segments share their tracks: one note says what the encoding leaves out.
        if (m_o.mode == CutOptions::Encode) {
            const QString leftOut = m_o.tracks.any() ? tracksLeftOutNote(m_plans.back(), m_o.params)
                                                     : tracksLeftOutNote(*m_items[first]);
            if (!leftOut.isEmpty())
                reportNote(m_o.json, path, leftOut);
        }
        m_sources.push_back(std::move(source));
    }
    return convert(*m_sources.front()) && ok;
}

// Adds the items of one file's segments, numbered on from those before.
bool FileCut::prepareItems(const VoVideoConvertItem &source, const cutlist::SegmentList &segments)
{
    int number = int(m_items.size());
    for (const cutlist::Segment &s : segments) {
        ++number;
        std::unique_ptr<VoVideoConvertItem> item(source.clone());
        item->m_index = number - 1;
        item->m_TrimStartTime = s.start_us;
        item->m_TrimEndTime = s.end_us;
        // A chapter per segment: its label, or in a join the name of its
        // file, or its number.
        if (m_o.mergeChapters)
            item->m_partChapter = !s.label.empty() ? QString::fromStdString(s.label)
                : m_o.join                         ? baseName(source.m_videoName)
                                                   : QCoreApplication::translate("snipwell-cli", "Part %1").arg(number);
        item->applyOutputFormat(m_o.params);
        QString error;
        if (!m_o.edits.isEmpty() && !applyEditsJson(m_o.edits, item->m_editConfig, &error)) {
            reportError(m_o.json, source.m_videoPath, error);
            return false;
        }
        m_items.push_back(std::move(item));
    }
    return true;
}

QJsonArray FileCut::joinsOf(const std::vector<MediaMerge::RangeWay> &ways) const
{
    // Segment k (k from 2) begins at join k - 1; the first begins the file.
    QJsonArray joins;
    for (size_t k = 1; k < ways.size() && k < m_items.size(); ++k) {
        const MediaMerge::RangeWay &way = ways[k];
        const QString method = way.method == MediaMerge::RangeExact ? QStringLiteral("exact")
            : way.method == MediaMerge::RangeEncoded                ? QStringLiteral("encode")
                                                                    : QStringLiteral("copy");
        QJsonObject join{{"segment", int(k) + 1},
                         {"file", m_items[k]->m_videoPath},
                         {"method", method},
                         {"sound", way.method == MediaMerge::RangeEncoded || way.soundEncoded
                                       ? QStringLiteral("encoded")
                                       : QStringLiteral("copied")}};
        joins.append(join);
    }
    return joins;
}

ConversionRun FileCut::describeRun(const VoVideoConvertItem &source)
{
    ConversionRun run;
    run.merge = m_o.merge;
    OutputNamingPlan &naming = run.naming;
    naming.extension = outputExtension(m_o.params, source.m_fileSuffix);
    naming.baseName = baseName(source.m_videoName);
    if (m_o.outputDir.isEmpty()) {
        // The window's place: a folder per source under the output folder.
        naming.root = m_defaultRoot;
        naming.folder = m_running.placeFor(naming.root, source.m_videoName, naming.extension).folder;
        naming.folderIsOwn = true;
    } else {
        // The user's own folder is never removed when a conversion fails.
        naming.root = QDir(m_o.outputDir).absolutePath();
        if (!naming.root.endsWith(QLatin1Char('/')))
            naming.root += QLatin1Char('/');
    }
    naming.pattern = m_o.nameTemplate.isEmpty() ? defaultOutputTemplate() : m_o.nameTemplate;
    // Another run may be writing the same name under its temporary.
    naming.avoidNamesBeingWritten = true;
    naming.date = QDate::currentDate();
    for (size_t i = 0; i < m_items.size(); ++i) {
        ConversionSegment segment = conversionSegmentOf(*m_items[i], m_o.params);
        // Names count the segments as the command line gives them.
        segment.number = int(i) + 1;
        segment.label = QString::fromStdString(m_segments[i].label);
        segment.start_us = m_segments[i].start_us;
        segment.end_us = m_segments[i].end_us;
        segment.job.matchSound = m_o.matchSound;
        run.segments.append(segment);
    }
    for (const TrackPlan &plan : m_plans)
        applyTrackPlan(run, plan);
    return run;
}

bool FileCut::convert(const VoVideoConvertItem &source)
{
    const bool exact = m_o.params.frameExactCut;
    QConverterObject converter;

    bool failed = false;
    bool ended = false;
    int outputs = 0;
    int lastPercent = -1;
    QEventLoop loop;
    QObject::connect(&converter, &QConverterObject::emitConvertProToCtrl, [&](int percent) {
        if (m_o.json && percent != lastPercent)
            printJson(QJsonObject{{"type", "progress"}, {"file", m_path}, {"percent", percent}});
        lastPercent = percent;
    });
    QObject::connect(&converter, &QConverterObject::sendOutputWritten, [&](const QString &path, const QString &report,
                                                                           const QString &check) {
        ++outputs;
        if (m_o.json) {
            QJsonObject o{{"type", "output"}, {"file", m_path}, {"path", path}};
            if (!report.isEmpty())
                o.insert("cutReport", report);
            // A merged output: how the segment after each join was made.
            const QJsonArray joins = joinsOf(converter.mergedWays());
            if (!joins.isEmpty())
                o.insert("joins", joins);
            o.insert("check", check.isEmpty() ? QStringLiteral("none") : check);
            printJson(o);
        } else {
            printOut(path);
        }
        // A frame-exact cut that fell back says so, with the reason.
        if (exact && report.startsWith(QLatin1String("cut at key frames")))
            reportNote(m_o.json, m_path,
                       QCoreApplication::translate("snipwell-cli", "%1: not frame-exact, %2")
                           .arg(QFileInfo(path).fileName(), report));
    });
    // An output that failed its check is not kept: its line says why, and
    // the error that follows makes the run fail.
    QObject::connect(&converter, &QConverterObject::sendOutputFailedCheck,
                     [&](const QString &path, const QString &check, const QString &) {
                         if (m_o.json)
                             printJson(QJsonObject{{"type", "output"}, {"file", m_path}, {"path", path},
                                                   {"written", false}, {"check", check}});
                     });
    QObject::connect(&converter, &QConverterObject::sendConvertNote,
                     [&](const QString &note) { reportNote(m_o.json, m_path, note); });
    QObject::connect(&converter, &QConverterObject::sendFailureReason, [&](const QString &reason) {
        reportError(m_o.json, m_path, reason);
        failed = true;
    });
    QObject::connect(&converter, &QConverterObject::emitConvertedFinish, [&](bool ok) {
        if (!ok)
            failed = true;
    });
    QObject::connect(&converter, &QConverterObject::emitIsStartConverter, [&](bool started) {
        if (!started) {
            ended = true;
            loop.quit();
        }
    });
    QElapsedTimer clock;
    QMetaObject::invokeMethod(
        &converter,
        [&, run = describeRun(source)]() mutable {
            clock.start();
            converter.startConvert(std::move(run));
        },
        Qt::QueuedConnection);
    m_running.add(&converter);
    if (!m_watch.interrupted())
        loop.exec();
    // Late reports of the last item come before the verdict.
    QCoreApplication::processEvents();
    m_running.remove(&converter);
    const double seconds = clock.isValid() ? double(clock.nsecsElapsed()) / 1e9 : 0.0;
    m_items.clear();
    if (m_watch.interrupted())
        return false;
    if (!ended)
        failed = true;
    if (m_o.json)
        printJson(QJsonObject{
            {"type", "done"}, {"file", m_path}, {"ok", !failed}, {"outputs", outputs}, {"seconds", seconds}});
    return !failed;
}

// Files converted jobs at a time, each on a worker thread of this process
// with its own conversion manager and run description; each line is
// printed whole as it comes.
int runParallel(const CutOptions &o, const QString &defaultRoot, InterruptWatch &watch, RunningCuts &running)
{
    std::atomic<int> next{0};
    std::atomic<bool> failed{false};
    const int workers = qMin(o.jobs, int(o.files.size()));
    std::vector<std::unique_ptr<QThread>> threads;
    QEventLoop loop;
    int left = workers;
    for (int w = 0; w < workers; ++w) {
        std::unique_ptr<QThread> thread(QThread::create([&] {
            for (int i = next++; i < o.files.size() && !watch.interrupted(); i = next++) {
                FileCut cut(o, {o.files[i]}, defaultRoot, watch, running);
                if (!cut.run())
                    failed = true;
            }
        }));
        QObject::connect(thread.get(), &QThread::finished, &loop, [&] {
            if (--left == 0)
                loop.quit();
        });
        threads.push_back(std::move(thread));
    }
    for (const std::unique_ptr<QThread> &thread : threads)
        thread->start();
    loop.exec();
    for (const std::unique_ptr<QThread> &thread : threads)
        thread->wait();
    return failed ? ExitFailed : ExitOk;
}

} // namespace

int runCut(const QStringList &args)
{
    CutOptions o;
    QString error;
    if (!parseCutOptions(args, o, error))
        return usageError(error);
    if (!o.nameTemplate.isEmpty()) {
        const QString unknown = unknownPlaceholder(o.nameTemplate);
        if (!unknown.isEmpty())
            return usageError(
                QCoreApplication::translate(
                    "snipwell-cli",
                    "--name %1: %2 is not a placeholder; use {name} {n} {label} {start} {end} {ext} {date}")
                    .arg(o.nameTemplate, unknown));
    }
    if (!o.outputDir.isEmpty()) {
        const QFileInfo dir(o.outputDir);
        if (!dir.exists() && !QDir().mkpath(o.outputDir)) {
            reportError(o.json, o.outputDir,
                        QCoreApplication::translate("snipwell-cli", "the output folder cannot be made"));
            return ExitFailed;
        }
        if (!QFileInfo(o.outputDir).isDir() || ::access(QFile::encodeName(o.outputDir).constData(), W_OK | X_OK) != 0) {
            reportError(o.json, o.outputDir,
                        QCoreApplication::translate("snipwell-cli", "the output folder is not writable"));
            return ExitFailed;
        }
    }
    // The program's output folder, read once here: the conversions read
    // no settings of their own.
    QString defaultRoot;
    if (o.outputDir.isEmpty()) {
        defaultRoot = ParserXML::readItemValue(QStringLiteral("OutPut_path"), QStringLiteral("path_value"),
                                               defaultOutputFolder());
        if (!defaultRoot.endsWith(QLatin1Char('/')))
            defaultRoot += QLatin1Char('/');
    }
    InterruptWatch watch;
    RunningCuts running;
    watch.setHandler([&running] { running.stopAll(); });
    int status = ExitOk;
    if (o.join) {
        FileCut cut(o, o.files, defaultRoot, watch, running);
        if (!cut.run())
            status = cut.usageFault() ? ExitUsage : ExitFailed;
    } else if (o.jobs > 1 && o.files.size() > 1) {
        status = runParallel(o, defaultRoot, watch, running);
    } else {
        for (const QString &file : o.files) {
            if (watch.interrupted())
                break;
            FileCut cut(o, {file}, defaultRoot, watch, running);
            if (!cut.run())
                status = cut.usageFault() && status != ExitFailed ? ExitUsage : ExitFailed;
        }
    }
    watch.setHandler({});
    if (watch.interrupted()) {
        reportError(o.json, QString(),
                    QCoreApplication::translate("snipwell-cli", "stopped; nothing half-written was left behind"));
        status = ExitFailed;
    }
    return status;
}

int runJoin(const QStringList &args)
{
    return runCut(QStringList(args) << QStringLiteral("--join"));
}

} // namespace cli
