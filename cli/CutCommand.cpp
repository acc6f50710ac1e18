// snipwell-cli cut: the same segments out of every file, through the
// window's conversion manager, converter and naming rule.
#include "CliOutput.h"
#include "ConfigState.h"
#include "CutList.h"
#include "CutOptions.h"
#include "EditsJson.h"
#include "InterruptWatch.h"
#include "OutputNaming.h"
#include "OutputTemplate.h"
#include "ParserXML.h"
#include "AppPaths.h"
#include "PartialOutput.h"
#include "QConverterObject.h"
#include "Subcommands.h"
#include "TracksLeftOut.h"
#include "VoInfoClass.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonObject>
#include <QProcess>

#include <memory>

#include <signal.h>
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
bool segmentsFor(const CutOptions &o, const QString &path, const VoVideoConvertItem &item,
                 cutlist::SegmentList &segments)
{
    for (const SegmentSource &s : o.sources) {
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
    if (o.sources.empty())
        segments.push_back(cutlist::Segment{}); // the whole file
    return true;
}

QString baseName(const QString &name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot <= 0 ? name : name.left(dot);
}

// One file's conversion: its segments become items of the item list and
// the conversion manager runs them, as the window's Start does.
class FileCut {
public:
    FileCut(const CutOptions &options, const QString &path, InterruptWatch &watch)
        : m_o(options)
        , m_path(path)
        , m_watch(watch)
    {
    }

    // False when anything of the file failed (reported).
    bool run();

private:
    bool prepareItems(const VoVideoConvertItem &source, const cutlist::SegmentList &segments);
    QString outputFolder(const VoVideoConvertItem &source);
    bool convert(const VoVideoConvertItem &source);

    const CutOptions &m_o;
    QString m_path;
    InterruptWatch &m_watch;
    cutlist::SegmentList m_segments; // as converted, in item order
    QString m_folder;
};

bool FileCut::run()
{
    QString why;
    if (!sourceReadable(m_path, why)) {
        reportError(m_o.json, m_path, why);
        return false;
    }
    VoVideoConvertItem source;
    if (!source.open(m_path, -1, false, VoVideoConvertItem::OpenMode::ForConversion)) {
        reportError(m_o.json, m_path,
                    source.openError().isEmpty()
                        ? QCoreApplication::translate("snipwell-cli", "not a media file we can read")
                        : source.openError());
        return false;
    }
    cutlist::SegmentList wanted;
    if (!segmentsFor(m_o, m_path, source, wanted))
        return false;
    bool ok = true;
    // Ranges past the readable end are cut there, as the window does;
    // one that starts past it cannot be cut at all.
    const cutlist::Fit fit = cutlist::fitToDuration(wanted, source.m_duration);
    for (size_t i : fit.clipped)
        reportNote(m_o.json, m_path,
                   QCoreApplication::translate("snipwell-cli",
                                               "segment %1 (%2) ends past the end of the file (%3); it was cut there")
                       .arg(i + 1)
                       .arg(rangeText(wanted[i]), clock(source.m_duration)));
    for (size_t i : fit.outside) {
        reportError(m_o.json, m_path,
                    QCoreApplication::translate("snipwell-cli",
                                                "segment %1 (%2) starts past the end of the file (%3); it was left out")
                        .arg(i + 1)
                        .arg(rangeText(wanted[i]), clock(source.m_duration)));
        ok = false;
    }
    if (fit.segments.empty())
        return false;
    m_segments = fit.segments;
    if (!prepareItems(source, m_segments))
        return false;
    // The segments share their tracks: one note says what the encoding leaves out.
    if (m_o.mode == CutOptions::Encode) {
        const QString leftOut = tracksLeftOutNote(*VoVideoConvertManager::instance()->itemAt(0));
        if (!leftOut.isEmpty())
            reportNote(m_o.json, m_path, leftOut);
    }
    return convert(source) && ok;
}

bool FileCut::prepareItems(const VoVideoConvertItem &source, const cutlist::SegmentList &segments)
{
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    items->clear();
    OutputFormatParams::instance() = m_o.params;
    int number = 0;
    for (const cutlist::Segment &s : segments) {
        ++number;
        std::unique_ptr<VoVideoConvertItem> item(source.clone());
        item->m_TrimStartTime = s.start_us;
        item->m_TrimEndTime = s.end_us;
        if (m_o.mergeChapters)
            item->m_partChapter = s.label.empty() ? QCoreApplication::translate("snipwell-cli", "Part %1").arg(number)
                                                  : QString::fromStdString(s.label);
        item->applyOutputFormat(m_o.params);
        QString error;
        if (!m_o.edits.isEmpty() && !applyEditsJson(m_o.edits, item->m_editConfig, &error)) {
            reportError(m_o.json, m_path, error);
            return false;
        }
        items->insert(item.release(), -1);
    }
    return true;
}

QString FileCut::outputFolder(const VoVideoConvertItem &source)
{
    ConfigState &state = ConfigState::instance();
    if (m_o.outputDir.isEmpty()) {
        // The window's place: a folder per source under the output folder.
        QString root = ParserXML::readItemValue(QStringLiteral("OutPut_path"), QStringLiteral("path_value"),
                                                defaultOutputFolder());
        if (!root.endsWith(QLatin1Char('/')))
            root += QLatin1Char('/');
        state.setConverterPath(root);
        setAdjustFileName(source.m_fileSuffix, source.m_videoName);
        return state.outputDir().isEmpty() ? root : state.outputDir();
    }
    QString root = QDir(m_o.outputDir).absolutePath();
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    state.setConverterPath(root);
    setAdjustFileName(source.m_fileSuffix, source.m_videoName);
    // The user's own folder is never removed when a conversion fails.
    state.setOutputDir(QString());
    return root;
}

bool FileCut::convert(const VoVideoConvertItem &source)
{
    m_folder = outputFolder(source);
    const QString pattern = m_o.nameTemplate.isEmpty() ? defaultOutputTemplate() : m_o.nameTemplate;
    const QString name = baseName(source.m_videoName);
    const QString suffix = source.m_fileSuffix;
    const bool exact = m_o.params.frameExactCut;

    QConverterObject converter;
    converter.setPowerOffAllowed(false);
    converter.setOutputNamer([&](const VoVideoConvertItem &, int position) {
        OutputNameFields fields;
        fields.name = name;
        fields.ext = outputExtension(suffix);
        fields.n = position + 1;
        const cutlist::Segment &s = m_segments[size_t(qBound(0, position, int(m_segments.size()) - 1))];
        fields.label = QString::fromStdString(s.label);
        fields.start_us = s.start_us;
        fields.end_us = s.end_us;
        if (m_o.merge) {
            fields.start_us = m_segments.front().start_us;
            fields.end_us = m_segments.back().end_us;
        }
        fields.date = QDate::currentDate();
        QDir().mkpath(m_folder);
        // Another process may be writing the same name under its temporary.
        return freeOutputPath(m_folder, pattern, fields, [](const QString &path) {
            return QFileInfo::exists(path)
                || QFileInfo::exists(QString::fromStdString(partialPathFor(QFile::encodeName(path).toStdString())));
        });
    });

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
    m_watch.setHandler([&converter] { converter.OnCancelConvert(); });
    QElapsedTimer clock;
    QMetaObject::invokeMethod(
        &converter,
        [&] {
            clock.start();
            converter.startConvert(m_o.merge);
        },
        Qt::QueuedConnection);
    if (!m_watch.interrupted())
        loop.exec();
    // Late reports of the last item come before the verdict.
    QCoreApplication::processEvents();
    const double seconds = clock.isValid() ? double(clock.nsecsElapsed()) / 1e9 : 0.0;
    m_watch.setHandler({});
    VoVideoConvertManager::instance()->clear();
    if (m_watch.interrupted())
        return false;
    if (!ended)
        failed = true;
    if (m_o.json)
        printJson(QJsonObject{
            {"type", "done"}, {"file", m_path}, {"ok", !failed}, {"outputs", outputs}, {"seconds", seconds}});
    return !failed;
}

// Files converted by helper processes, jobs at a time; their lines are
// passed on whole.
int runParallel(const CutOptions &o, InterruptWatch &watch)
{
    int status = ExitOk;
    int next = 0;
    QList<QProcess *> running;
    QEventLoop loop;
    const QString program = QCoreApplication::applicationFilePath();
    std::function<void()> startMore;
    auto forward = [](QProcess *p, bool all) {
        p->setReadChannel(QProcess::StandardOutput);
        while (p->canReadLine() || (all && p->bytesAvailable() > 0))
            printOut(QString::fromUtf8(p->readLine()).trimmed());
        p->setReadChannel(QProcess::StandardError);
        while (p->canReadLine() || (all && p->bytesAvailable() > 0))
            printErr(QString::fromUtf8(p->readLine()).trimmed());
    };
    startMore = [&] {
        while (running.size() < o.jobs && next < o.files.size() && !watch.interrupted()) {
            auto *p = new QProcess;
            running.append(p);
            QObject::connect(p, &QProcess::readyReadStandardOutput, [p, forward] { forward(p, false); });
            QObject::connect(p, &QProcess::readyReadStandardError, [p, forward] { forward(p, false); });
            QObject::connect(p, qOverload<int, QProcess::ExitStatus>(&QProcess::finished),
                             [&, p](int code, QProcess::ExitStatus how) {
                                 forward(p, true);
                                 if (how != QProcess::NormalExit || code != ExitOk)
                                     status = ExitFailed;
                                 running.removeOne(p);
                                 p->deleteLater();
                                 startMore();
                                 if (running.isEmpty())
                                     loop.quit();
                             });
            QObject::connect(p, &QProcess::errorOccurred, [&, p](QProcess::ProcessError error) {
                if (error != QProcess::FailedToStart)
                    return;
                reportError(o.json, QString(), p->errorString());
                status = ExitFailed;
                running.removeOne(p);
                p->deleteLater();
                if (running.isEmpty())
                    loop.quit();
            });
            p->start(program,
                     QStringList{QStringLiteral("cut")} + o.perFileArgs
                         + QStringList{QStringLiteral("--"), o.files[next++]});
        }
    };
    watch.setHandler([&running] {
        // Each helper stops as on Ctrl+C and removes what it was writing.
        for (QProcess *p : running)
            if (p->processId() > 0)
                ::kill(pid_t(p->processId()), SIGINT);
    });
    startMore();
    if (!running.isEmpty())
        loop.exec();
    watch.setHandler({});
    return watch.interrupted() ? ExitFailed : status;
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
    InterruptWatch watch;
    if (o.jobs > 1 && o.files.size() > 1)
        return runParallel(o, watch);
    int status = ExitOk;
    for (const QString &file : o.files) {
        if (watch.interrupted())
            break;
        FileCut cut(o, file, watch);
        if (!cut.run())
            status = ExitFailed;
    }
    if (watch.interrupted()) {
        reportError(o.json, QString(),
                    QCoreApplication::translate("snipwell-cli", "stopped; nothing half-written was left behind"));
        status = ExitFailed;
    }
    return status;
}

} // namespace cli
