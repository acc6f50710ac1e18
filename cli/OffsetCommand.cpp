// snipwell-cli offset: how much later the sound of one track comes than the
// same sound in another (two tracks of one file, or a track of a second
// file), found by cross-correlating their loudness envelopes.
#include "CliOutput.h"
#include "Subcommands.h"
#include "TrackOptions.h"

#include <QCoreApplication>
#include <QJsonObject>

namespace cli {

int runOffset(const QStringList &args)
{
    bool json = false;
    QString firstName, secondName;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--json")) {
            json = true;
        } else if (a == QLatin1String("--first") || a == QLatin1String("--second")) {
            if (i + 1 >= args.size())
                return usageError(QCoreApplication::translate("snipwell-cli", "%1 needs a value").arg(a));
            const QString stream = args[++i].trimmed();
            if (!isStreamName(stream))
                return usageError(QCoreApplication::translate(
                                      "snipwell-cli",
                                      "%1 %2: use an index (3), a kind and number (a:1) or a kind and language (a:eng)")
                                      .arg(a, stream));
            (a == QLatin1String("--first") ? firstName : secondName) = stream;
        } else if (a.startsWith(QLatin1String("-")) && a != QLatin1String("-")) {
            return usageError(QCoreApplication::translate("snipwell-cli", "unknown option %1").arg(a));
        } else {
            files << a;
        }
    }
    if (files.isEmpty() || files.size() > 2)
        return usageError(QCoreApplication::translate("snipwell-cli", "offset takes FILE, or FILE and SECOND_FILE"));
    const QString first = files[0], second = files.value(1, files[0]);
    // One file: its first two sound tracks; two files: the first of each.
    if (firstName.isEmpty())
        firstName = QStringLiteral("a:0");
    if (secondName.isEmpty())
        secondName = files.size() == 2 ? QStringLiteral("a:0") : QStringLiteral("a:1");

    int streams[2] = {-1, -1};
    const QString paths[2] = {first, second};
    const QString streamNames[2] = {firstName, secondName};
    for (int k = 0; k < 2; ++k) {
        QString why;
        if (!sourceReadable(paths[k], why)) {
            reportError(json, paths[k], why);
            return ExitFailed;
        }
        QList<SourceTrack> tracks;
        if (!listSourceTracks(paths[k], tracks, why)) {
            reportError(json, paths[k], why);
            return ExitFailed;
        }
        streams[k] = streamNamed(streamNames[k], tracks);
        if (streams[k] < 0) {
            reportError(json, paths[k],
                        QCoreApplication::translate("snipwell-cli", "%1: the file has no such sound track").arg(streamNames[k]));
            return ExitUsage;
        }
    }
    const TrackOffset found = findTrackOffset(first, streams[0], second, streams[1]);
    const QString seconds = QString::number(found.seconds, 'f', 3);
    if (json) {
        QJsonObject o{{"type", found.found ? "offset" : "error"},
                      {"file", first},
                      {"first", streams[0]},
                      {"second", streams[1]},
                      {"confidence", found.confidence}};
        if (files.size() == 2)
            o.insert(QStringLiteral("second_file"), second);
        if (found.found) {
            o.insert(QStringLiteral("offset"), found.seconds);
            // The shift that lines the second track up with the first.
            o.insert(QStringLiteral("shift_ms"), qRound64(-found.seconds * 1000));
        } else {
            o.insert(QStringLiteral("message"), found.reason);
        }
        printJson(o);
    } else if (found.found) {
        printOut(seconds);
    } else {
        reportError(false, first, found.reason);
    }
    return found.found ? ExitOk : ExitFailed;
}

} // namespace cli
