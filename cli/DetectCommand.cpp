// snipwell-cli detect: the silences, black stretches, picture changes or
// still pictures of each file, as the window's detection finds them.
#include "CliOutput.h"
#include "InterruptWatch.h"
#include "Subcommands.h"
#include "VoDetector.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <thread>

namespace cli {

namespace {

int kindOf(const QString &name)
{
    if (name == QLatin1String("silence"))
        return VoDetector::Silence;
    if (name == QLatin1String("black"))
        return VoDetector::Black;
    if (name == QLatin1String("scene"))
        return VoDetector::Scene;
    if (name == QLatin1String("freeze"))
        return VoDetector::Freeze;
    return 0;
}

QString failureText(const VoDetector &d)
{
    switch (d.failure()) {
    case VoDetector::NoAudio: return QCoreApplication::translate("snipwell-cli", "the file has no sound to search");
    case VoDetector::NoVideo: return QCoreApplication::translate("snipwell-cli", "the file has no pictures to search");
    case VoDetector::Stopped: return QCoreApplication::translate("snipwell-cli", "stopped");
    case VoDetector::BadSettings: return QCoreApplication::translate("snipwell-cli", "a setting is out of its range");
    default:
        return d.errorText().isEmpty() ? QCoreApplication::translate("snipwell-cli", "not a media file we can read")
                                       : QCoreApplication::translate("snipwell-cli", "cannot be read: %1").arg(d.errorText());
    }
}

QString secondsText(int64_t us)
{
    return QString::number(double(us) / 1e6, 'f', 3);
}

} // namespace

int runDetect(const QStringList &args)
{
    if (args.isEmpty())
        return usageError(QCoreApplication::translate("snipwell-cli", "no KIND given: silence, black, scene or freeze"));
    const int kind = kindOf(args.first());
    if (!kind)
        return usageError(QCoreApplication::translate("snipwell-cli", "unknown KIND %1: silence, black, scene or freeze").arg(args.first()));
    VoDetector::Settings settings = VoDetector::defaults(kind);
    bool json = false;
    QStringList files;
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--json")) {
            json = true;
        } else if (a == QLatin1String("--threshold") || a == QLatin1String("--min-length")) {
            bool ok = false;
            const double v = i + 1 < args.size() ? args.at(i + 1).toDouble(&ok) : 0;
            if (!ok)
                return usageError(QCoreApplication::translate("snipwell-cli", "%1 needs a number").arg(a));
            ++i;
            if (a == QLatin1String("--threshold"))
                settings.threshold = v;
            else if (v >= 0)
                settings.minLength_us = int64_t(v * 1e6 + 0.5);
            else
                return usageError(QCoreApplication::translate("snipwell-cli", "%1 needs a number").arg(a));
        } else if (a.startsWith(QLatin1String("-")) && a != QLatin1String("-")) {
            return usageError(QCoreApplication::translate("snipwell-cli", "unknown option %1").arg(a));
        } else {
            files << a;
        }
    }
    if (files.isEmpty())
        return usageError(QCoreApplication::translate("snipwell-cli", "no FILE to read"));

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
        // The search runs on a worker so that Ctrl+C, read on the event
        // loop, can stop it half-way.
        VoDetector detector;
        QVector<VoDetector::Range> ranges;
        bool ok = false;
        QEventLoop loop;
        watch.setHandler([&detector] { detector.cancel(); });
        std::thread worker([&] {
            ok = detector.run(path, settings, ranges);
            QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
        });
        loop.exec();
        worker.join();
        watch.setHandler({});
        if (!ok) {
            reportError(json, path, failureText(detector));
            status = ExitFailed;
            continue;
        }
        if (json) {
            QJsonArray list;
            for (const VoDetector::Range &r : qAsConst(ranges)) {
                QJsonObject o{{"start", double(r.start_us) / 1e6}};
                if (kind == VoDetector::Scene)
                    o.insert("score", r.score);
                else
                    o.insert("end", double(r.end_us) / 1e6);
                list.append(o);
            }
            printJson(QJsonObject{{"type", "ranges"}, {"file", path}, {"kind", args.first()}, {"ranges", list}});
        } else {
            if (files.size() > 1)
                printOut(path + QLatin1Char(':'));
            for (const VoDetector::Range &r : qAsConst(ranges))
                printOut(kind == VoDetector::Scene ? secondsText(r.start_us)
                                                   : secondsText(r.start_us) + QLatin1Char(' ') + secondsText(r.end_us));
        }
    }
    return status;
}

} // namespace cli
