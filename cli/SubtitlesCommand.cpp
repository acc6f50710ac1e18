// snipwell-cli extract-subtitles: every subtitle stream of each file into a
// file of its own beside it (or in --output-dir), the whole stream or what
// the --cut ranges show, placed as the cut of those ranges joined plays it.
#include "CliOutput.h"
#include "CutOptions.h"
#include "InterruptWatch.h"
#include "Subcommands.h"
#include "VoSubtitleFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <limits>
#include <thread>

namespace cli {

namespace {

// "12.5-20" or "1:00-" (to the end).
bool parseRange(const QString &text, VoSubtitleFiles::Range &range)
{
    const int dash = text.indexOf(QLatin1Char('-'));
    if (dash <= 0)
        return false;
    uint64_t start = 0;
    uint64_t end = uint64_t(std::numeric_limits<int64_t>::max());
    if (!parseTime(text.left(dash), start))
        return false;
    const QString endText = text.mid(dash + 1);
    if (!endText.isEmpty() && !parseTime(endText, end))
        return false;
    if (end <= start)
        return false;
    range = {start, end};
    return true;
}

} // namespace

int runExtractSubtitles(const QStringList &args)
{
    int kind = VoSubtitleFiles::None;
    bool json = false;
    QString outputDir;
    QVector<VoSubtitleFiles::Range> ranges;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--json")) {
            json = true;
        } else if (a == QLatin1String("--format")) {
            if (!hasValue)
                return usageError(QCoreApplication::translate("snipwell-cli", "%1 needs a value").arg(a));
            const QString f = args[++i].toLower();
            if (f == QLatin1String("srt"))
                kind = VoSubtitleFiles::Srt;
            else if (f == QLatin1String("ass"))
                kind = VoSubtitleFiles::Ass;
            else
                return usageError(QCoreApplication::translate("snipwell-cli", "unknown subtitle format %1: srt or ass").arg(args[i]));
        } else if (a == QLatin1String("--cut")) {
            VoSubtitleFiles::Range r;
            if (!hasValue || !parseRange(args[i + 1], r))
                return usageError(QCoreApplication::translate("snipwell-cli", "%1 needs START-END, the end after the start").arg(a));
            ranges.append(r);
            ++i;
        } else if (a == QLatin1String("--output-dir")) {
            if (!hasValue)
                return usageError(QCoreApplication::translate("snipwell-cli", "%1 needs a value").arg(a));
            outputDir = args[++i];
        } else if (a.startsWith(QLatin1String("--"))) {
            return usageError(QCoreApplication::translate("snipwell-cli", "unknown option %1").arg(a));
        } else {
            files << a;
        }
    }
    if (files.isEmpty())
        return usageError(QCoreApplication::translate("snipwell-cli", "no FILE to read"));
    if (!outputDir.isEmpty() && !QFileInfo(outputDir).isDir())
        return usageError(QCoreApplication::translate("snipwell-cli", "the output folder %1 does not exist").arg(outputDir));

    InterruptWatch watch;
    int status = ExitOk;
    for (const QString &path : files) {
        if (watch.interrupted())
            return ExitFailed;
        QString why;
        if (!sourceReadable(path, why)) {
            reportError(json, path, why);
            status = ExitFailed;
            continue;
        }
        VoSubtitleFiles lister;
        QVector<VoSubtitleFiles::Stream> streams;
        if (!lister.streams(path, streams)) {
            reportError(json, path, QCoreApplication::translate("snipwell-cli", "cannot be read: %1").arg(lister.errorText()));
            status = ExitFailed;
            continue;
        }
        const QFileInfo source(path);
        const QDir folder(outputDir.isEmpty() ? source.absolutePath() : outputDir);
        for (const VoSubtitleFiles::Stream &t : qAsConst(streams)) {
            const QString stream = QCoreApplication::translate("snipwell-cli", "stream %1").arg(t.index);
            if (t.kind == VoSubtitleFiles::None) {
                reportError(json, path, stream + QStringLiteral(": ")
                                + QCoreApplication::translate("snipwell-cli", "%1 subtitles can be neither read as text nor kept as pictures").arg(t.codec));
                status = ExitFailed;
                continue;
            }
            const int chosen = t.kind == VoSubtitleFiles::Srt && kind != VoSubtitleFiles::None ? kind : t.kind;
            const QString out = folder.filePath(QStringLiteral("%1.%2.%3.%4")
                                                    .arg(source.completeBaseName())
                                                    .arg(t.index)
                                                    .arg(t.language.isEmpty() ? QStringLiteral("und") : t.language,
                                                         VoSubtitleFiles::extension(chosen)));
            if (QFileInfo::exists(out)) {
                reportError(json, path, stream + QStringLiteral(": ")
                                + QCoreApplication::translate("snipwell-cli", "%1 already exists; remove it or choose another --output-dir").arg(out));
                status = ExitFailed;
                continue;
            }
            // The export runs on a worker so that Ctrl+C, read on the event
            // loop, can stop it half-way.
            VoSubtitleFiles files;
            bool ok = false;
            QEventLoop loop;
            watch.setHandler([&files] { files.cancel(); });
            std::thread worker([&] {
                ok = files.write(path, t.index, chosen, ranges, out);
                QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
            });
            loop.exec();
            worker.join();
            watch.setHandler({});
            if (!ok) {
                reportError(json, path, stream + QStringLiteral(": ") + files.errorText());
                status = ExitFailed;
                continue;
            }
            if (json)
                printJson(QJsonObject{{"type", "output"}, {"file", path}, {"stream", t.index}, {"path", out}});
            else
                printOut(out);
        }
        if (streams.isEmpty())
            reportNote(json, path, QCoreApplication::translate("snipwell-cli", "no subtitle streams"));
    }
    return status;
}

} // namespace cli
