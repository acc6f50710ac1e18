#include "TrackOptions.h"

#include "LanguageTable.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace cli {

namespace {

// Whether stream has the form of a stream's name.
bool nameWellFormed(const QString &stream)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+|[vas]:(\\d+|[a-z]{3}))$"));
    return form.match(stream).hasMatch();
}

int kindOf(QChar c)
{
    return c == QLatin1Char('v') ? 1 : c == QLatin1Char('a') ? 2 : 8;
}

// The source streams stream names, in source order.
QList<int> resolve(const QString &stream, const QList<SourceTrack> &tracks)
{
    QList<int> found;
    bool isIndex = false;
    const int index = stream.toInt(&isIndex);
    if (isIndex) {
        for (int i = 0; i < tracks.size(); ++i)
            if (tracks[i].index == index)
                found << i;
        return found;
    }
    const int kind = kindOf(stream.at(0));
    const QString rest = stream.mid(2);
    bool isNumber = false;
    const int number = rest.toInt(&isNumber);
    int seen = 0;
    for (int i = 0; i < tracks.size(); ++i) {
        if (tracks[i].kind != kind)
            continue;
        if (isNumber ? seen == number : tracks[i].language == rest)
            found << i;
        ++seen;
    }
    return found;
}

bool splitPair(const QString &name, const QString &value, QString &stream, QString &rest, QString &error)
{
    const int eq = value.indexOf(QLatin1Char('='));
    if (eq <= 0) {
        error = QCoreApplication::translate("snipwell-cli", "%1 %2: write it as STREAM=VALUE").arg(name, value);
        return false;
    }
    stream = value.left(eq).trimmed();
    rest = value.mid(eq + 1);
    return true;
}

} // namespace

bool isStreamName(const QString &stream)
{
    return nameWellFormed(stream);
}

int streamNamed(const QString &stream, const QList<SourceTrack> &tracks)
{
    const QList<int> found = nameWellFormed(stream) ? resolve(stream, tracks) : QList<int>();
    return found.isEmpty() ? -1 : tracks[found.first()].index;
}

const QStringList &trackOptionNames()
{
    static const QStringList names { "--drop", "--order", "--language", "--title", "--default", "--forced", "--shift" };
    return names;
}

bool readTrackOption(const QString &name, const QString &value, TrackOptions &o, QString &error)
{
    auto badName = [&](const QString &stream) {
        error = QCoreApplication::translate("snipwell-cli",
            "%1 %2: '%3' names no stream; use an index (3), a kind and number (v:0, a:1, s:0) or a kind "
            "and language (a:eng)")
                    .arg(name, value, stream);
        return false;
    };
    if (name == QLatin1String("--drop") || name == QLatin1String("--default") || name == QLatin1String("--forced")) {
        const QString stream = value.trimmed();
        if (!nameWellFormed(stream))
            return badName(stream);
        (name == QLatin1String("--drop") ? o.drop : name == QLatin1String("--default") ? o.defaults : o.forced) << stream;
        return true;
    }
    if (name == QLatin1String("--order")) {
        for (const QString &part : value.split(QLatin1Char(','))) {
            const QString stream = part.trimmed();
            if (!nameWellFormed(stream))
                return badName(stream);
            o.order << stream;
        }
        return true;
    }
    QString stream, rest;
    if (!splitPair(name, value, stream, rest, error))
        return false;
    if (!nameWellFormed(stream))
        return badName(stream);
    if (name == QLatin1String("--language")) {
        const QString code = rest.trimmed();
        static const QRegularExpression three(QStringLiteral("^[a-z]{3}$"));
        if (!three.match(code).hasMatch() || lookupLanguageName(code).isNull()) {
            error = QCoreApplication::translate(
                "snipwell-cli", "%1 %2: '%3' is not a language code of ISO 639-2 (eng, ger, fre, ...)")
                        .arg(name, value, code);
            return false;
        }
        o.languages << qMakePair(stream, code);
    } else if (name == QLatin1String("--title")) {
        o.titles << qMakePair(stream, rest);
    } else if (name == QLatin1String("--shift")) {
        bool ok = false;
        const qint64 ms = rest.trimmed().toLongLong(&ok);
        if (!ok) {
            error = QCoreApplication::translate(
                "snipwell-cli", "%1 %2: give the shift in whole milliseconds, like -200 or 150")
                        .arg(name, value);
            return false;
        }
        o.shifts << qMakePair(stream, ms);
    }
    return true;
}

bool trackPlanFor(const TrackOptions &o, const QString &path, const QList<SourceTrack> &tracks, qint64 duration_us,
    TrackPlan &plan, QString &error)
{
    plan = trackPlanOf(path, tracks);
    auto named = [&](const QString &option, const QString &stream, QList<int> &found) {
        found = resolve(stream, tracks);
        if (found.isEmpty()) {
            error = QCoreApplication::translate("snipwell-cli", "%1 %2: the file has no such stream").arg(option, stream);
            return false;
        }
        return true;
    };
    QList<int> found;
    for (const QString &stream : o.drop) {
        if (!named(QStringLiteral("--drop"), stream, found))
            return false;
        for (int i : found)
            plan.entries[size_t(i)].keep = false;
    }
    for (const auto &pair : o.languages) {
        if (!named(QStringLiteral("--language"), pair.first, found))
            return false;
        for (int i : found)
            plan.entries[size_t(i)].language = pair.second.toStdString();
    }
    for (const auto &pair : o.titles) {
        if (!named(QStringLiteral("--title"), pair.first, found))
            return false;
        for (int i : found)
            plan.entries[size_t(i)].title = pair.second.toStdString();
    }
    for (const QString &stream : o.defaults) {
        if (!named(QStringLiteral("--default"), stream, found))
            return false;
        // The default of its kind: the others of the kind lose it.
        const int kind = plan.entries[size_t(found.first())].kind;
        for (TrackPlanEntry &e : plan.entries)
            if (e.kind == kind)
                e.isDefault = false;
        plan.entries[size_t(found.first())].isDefault = true;
    }
    for (const QString &stream : o.forced) {
        if (!named(QStringLiteral("--forced"), stream, found))
            return false;
        for (int i : found)
            plan.entries[size_t(i)].forced = true;
    }
    for (const auto &pair : o.shifts) {
        if (!named(QStringLiteral("--shift"), pair.first, found))
            return false;
        if (duration_us > 0 && qAbs(pair.second) * 1000 >= duration_us) {
            error = QCoreApplication::translate(
                "snipwell-cli", "--shift %1=%2: the shift is as long as the file or longer")
                        .arg(pair.first)
                        .arg(pair.second);
            return false;
        }
        for (int i : found) {
            if (plan.entries[size_t(i)].kind == 1) {
                error = QCoreApplication::translate(
                    "snipwell-cli", "--shift %1: pictures cannot be shifted; shift the sound instead")
                            .arg(pair.first);
                return false;
            }
            plan.entries[size_t(i)].shiftMs = pair.second;
        }
    }
    // The named streams first, in the order named; the rest after them in
    // the source's order (the output groups them by kind).
    std::vector<TrackPlanEntry> ordered;
    std::vector<bool> placed(plan.entries.size(), false);
    for (const QString &stream : o.order) {
        if (!named(QStringLiteral("--order"), stream, found))
            return false;
        for (int i : found)
            if (!placed[size_t(i)]) {
                placed[size_t(i)] = true;
                ordered.push_back(plan.entries[size_t(i)]);
            }
    }
    for (size_t i = 0; i < plan.entries.size(); ++i)
        if (!placed[i])
            ordered.push_back(plan.entries[i]);
    plan.entries = ordered;
    bool keepsAny = false;
    for (const TrackPlanEntry &e : plan.entries)
        keepsAny = keepsAny || e.keep;
    if (!keepsAny) {
        error = QCoreApplication::translate("snipwell-cli", "--drop leaves no stream to write");
        return false;
    }
    return true;
}

} // namespace cli
