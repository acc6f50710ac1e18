#include "TrackOptions.h"

#include "LanguageTable.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace cli {

namespace {

// Whether spec has the form of a stream's name.
bool specWellFormed(const QString &spec)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+|[vas]:(\\d+|[a-z]{3}))$"));
    return form.match(spec).hasMatch();
}

int kindOf(QChar c)
{
    return c == QLatin1Char('v') ? 1 : c == QLatin1Char('a') ? 2 : 8;
}

// The source streams spec names, in source order.
QList<int> resolve(const QString &spec, const QList<SourceTrack> &tracks)
{
    QList<int> found;
    bool isIndex = false;
    const int index = spec.toInt(&isIndex);
    if (isIndex) {
        for (int i = 0; i < tracks.size(); ++i)
            if (tracks[i].index == index)
                found << i;
        return found;
    }
    const int kind = kindOf(spec.at(0));
    const QString rest = spec.mid(2);
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

bool splitPair(const QString &name, const QString &value, QString &spec, QString &rest, QString &error)
{
    const int eq = value.indexOf(QLatin1Char('='));
    if (eq <= 0) {
        error = QCoreApplication::translate("snipwell-cli", "%1 %2: write it as STREAM=VALUE").arg(name, value);
        return false;
    }
    spec = value.left(eq).trimmed();
    rest = value.mid(eq + 1);
    return true;
}

} // namespace

bool isStreamName(const QString &spec)
{
    return specWellFormed(spec);
}

int streamNamed(const QString &spec, const QList<SourceTrack> &tracks)
{
    const QList<int> found = specWellFormed(spec) ? resolve(spec, tracks) : QList<int>();
    return found.isEmpty() ? -1 : tracks[found.first()].index;
}

const QStringList &trackOptionNames()
{
    static const QStringList names { "--drop", "--order", "--language", "--title", "--default", "--forced", "--shift" };
    return names;
}

bool readTrackOption(const QString &name, const QString &value, TrackOptions &o, QString &error)
{
    auto badSpec = [&](const QString &spec) {
        error = QCoreApplication::translate("snipwell-cli",
            "%1 %2: '%3' names no stream; use an index (3), a kind and number (v:0, a:1, s:0) or a kind "
            "and language (a:eng)")
                    .arg(name, value, spec);
        return false;
    };
    if (name == QLatin1String("--drop") || name == QLatin1String("--default") || name == QLatin1String("--forced")) {
        const QString spec = value.trimmed();
        if (!specWellFormed(spec))
            return badSpec(spec);
        (name == QLatin1String("--drop") ? o.drop : name == QLatin1String("--default") ? o.defaults : o.forced) << spec;
        return true;
    }
    if (name == QLatin1String("--order")) {
        for (const QString &part : value.split(QLatin1Char(','))) {
            const QString spec = part.trimmed();
            if (!specWellFormed(spec))
                return badSpec(spec);
            o.order << spec;
        }
        return true;
    }
    QString spec, rest;
    if (!splitPair(name, value, spec, rest, error))
        return false;
    if (!specWellFormed(spec))
        return badSpec(spec);
    if (name == QLatin1String("--language")) {
        const QString code = rest.trimmed();
        static const QRegularExpression three(QStringLiteral("^[a-z]{3}$"));
        if (!three.match(code).hasMatch() || lookupLanguageName(code).isNull()) {
            error = QCoreApplication::translate(
                "snipwell-cli", "%1 %2: '%3' is not a language code of ISO 639-2 (eng, ger, fre, ...)")
                        .arg(name, value, code);
            return false;
        }
        o.languages << qMakePair(spec, code);
    } else if (name == QLatin1String("--title")) {
        o.titles << qMakePair(spec, rest);
    } else if (name == QLatin1String("--shift")) {
        bool ok = false;
        const qint64 ms = rest.trimmed().toLongLong(&ok);
        if (!ok) {
            error = QCoreApplication::translate(
                "snipwell-cli", "%1 %2: give the shift in whole milliseconds, like -200 or 150")
                        .arg(name, value);
            return false;
        }
        o.shifts << qMakePair(spec, ms);
    }
    return true;
}

bool trackPlanFor(const TrackOptions &o, const QString &path, const QList<SourceTrack> &tracks, qint64 duration_us,
    TrackPlan &plan, QString &error)
{
    plan = trackPlanOf(path, tracks);
    auto named = [&](const QString &option, const QString &spec, QList<int> &found) {
        found = resolve(spec, tracks);
        if (found.isEmpty()) {
            error = QCoreApplication::translate("snipwell-cli", "%1 %2: the file has no such stream").arg(option, spec);
            return false;
        }
        return true;
    };
    QList<int> found;
    for (const QString &spec : o.drop) {
        if (!named(QStringLiteral("--drop"), spec, found))
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
    for (const QString &spec : o.defaults) {
        if (!named(QStringLiteral("--default"), spec, found))
            return false;
        // The default of its kind: the others of the kind lose it.
        const int kind = plan.entries[size_t(found.first())].kind;
        for (TrackPlanEntry &e : plan.entries)
            if (e.kind == kind)
                e.isDefault = false;
        plan.entries[size_t(found.first())].isDefault = true;
    }
    for (const QString &spec : o.forced) {
        if (!named(QStringLiteral("--forced"), spec, found))
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
    for (const QString &spec : o.order) {
        if (!named(QStringLiteral("--order"), spec, found))
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
