#include "ProjectFile.h"

#include "EditRecordJson.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace {
const QString kFormatName = QStringLiteral("zelvane-snipwell-project");

// Reads the known keys of one JSON object level with type checks; the
// first wrong type stops the whole read.
class Level {
public:
    Level(const QJsonObject &o, const QString &where, QString *error) : m_obj(o), m_path(where), m_err(error) {}
    bool ok() const { return m_err->isEmpty(); }
    QString child(const QString &key) const { return m_path.isEmpty() ? key : m_path + QLatin1Char('.') + key; }

    void fail(const QString &key, const char *expected)
    {
        if (ok())
            *m_err = ProjectFile::tr("%1 should be %2.").arg(child(key), ProjectFile::tr(expected));
    }
    QJsonValue value(const QString &key) const { return m_obj.value(key); }
    bool has(const QString &key) const { return m_obj.contains(key); }

    void text(const QString &key, QString &v)
    {
        const QJsonValue j = value(key);
        if (j.isUndefined())
            return;
        if (!j.isString())
            return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "a text"));
        v = j.toString();
    }
    void flag(const QString &key, bool &v)
    {
        const QJsonValue j = value(key);
        if (j.isUndefined())
            return;
        if (!j.isBool())
            return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "true or false"));
        v = j.toBool();
    }
    template <class T> void whole(const QString &key, T &v, double lowest, double highest)
    {
        const QJsonValue j = value(key);
        if (j.isUndefined())
            return;
        const double d = j.toDouble(-1e300);
        if (!j.isDouble() || d < lowest || d > highest || d != std::floor(d))
            return fail(key, QT_TRANSLATE_NOOP("ProjectFile", "a whole number in range"));
        v = static_cast<T>(d);
    }
    QJsonObject object(const QString &key)
    {
        const QJsonValue j = value(key);
        if (j.isUndefined())
            return QJsonObject();
        if (!j.isObject())
            fail(key, QT_TRANSLATE_NOOP("ProjectFile", "an object"));
        return j.toObject();
    }

private:
    QJsonObject m_obj;
    QString m_path;
    QString *m_err;
};

constexpr double kMaxTime = 9007199254740992.0; // 2^53 µs: whole numbers a double holds exactly

bool readSource(const QJsonObject &json, SourceFingerprint &source, QString *error)
{
    Level l(json, QStringLiteral("source"), error);
    l.text(QStringLiteral("path"), source.path);
    l.whole(QStringLiteral("size"), source.size, -1, kMaxTime);
    l.text(QStringLiteral("head_sha256"), source.headSha256);
    l.text(QStringLiteral("tail_sha256"), source.tailSha256);
    if (l.ok() && source.path.isEmpty())
        *error = ProjectFile::tr("The project names no source file.");
    return l.ok();
}

bool readSegment(const QJsonObject &json, int index, ProjectSegment &segment, QString *error)
{
    const QString where = QStringLiteral("segments[%1]").arg(index);
    Level l(json, where, error);
    l.whole(QStringLiteral("start_us"), segment.start_us, 0, kMaxTime);
    l.whole(QStringLiteral("end_us"), segment.end_us, 0, kMaxTime);
    l.text(QStringLiteral("label"), segment.label);
    l.whole(QStringLiteral("source"), segment.source, 0, 1e6);
    const QJsonObject edit = l.object(QStringLiteral("edit"));
    if (!l.ok())
        return false;
    // A start the window stopped at its segment's end leaves an empty
    // segment: it is part of the work (and of its autosave) all the same.
    if (segment.end_us != 0 && segment.end_us < segment.start_us) {
        *error = ProjectFile::tr("%1 ends before it starts.").arg(where);
        return false;
    }
    segment.stored = json;
    return projectjson::editFromJson(edit, l.child(QStringLiteral("edit")), segment.edit, error);
}

bool readOutput(const QJsonObject &json, ProjectOutput &output, QString *error)
{
    Level l(json, QStringLiteral("output"), error);
    QString mode = QStringLiteral("encoding");
    l.text(QStringLiteral("mode"), mode);
    if (l.ok() && mode != QLatin1String("encoding") && mode != QLatin1String("high-speed"))
        l.fail(QStringLiteral("mode"), QT_TRANSLATE_NOOP("ProjectFile", "\"encoding\" or \"high-speed\""));
    output.lossless = mode == QLatin1String("high-speed");
    const QJsonObject encoding = l.object(QStringLiteral("encoding_format"));
    const QJsonObject lossless = l.object(QStringLiteral("high_speed_format"));
    l.whole(QStringLiteral("quality"), output.quality, 0, 2);
    l.flag(QStringLiteral("frame_exact"), output.frameExact);
    l.flag(QStringLiteral("merge"), output.merge);
    const QJsonObject params = l.object(QStringLiteral("parameters"));
    if (!l.ok())
        return false;
    Level e(encoding, l.child(QStringLiteral("encoding_format")), error);
    e.text(QStringLiteral("category"), output.encodingCategory);
    e.text(QStringLiteral("id"), output.encodingId);
    Level h(lossless, l.child(QStringLiteral("high_speed_format")), error);
    h.text(QStringLiteral("category"), output.losslessCategory);
    h.text(QStringLiteral("id"), output.losslessId);
    if (!h.ok())
        return false;
    return projectjson::paramsFromJson(params, l.child(QStringLiteral("parameters")), output.params, error);
}

// Stream kinds as the media information numbers them.
bool knownKind(int kind) { return kind == 1 || kind == 2 || kind == 8; }

constexpr double kMaxShiftMs = 24.0 * 3600 * 1000; // a day either way

// The track plan; a wrong value leaves the plan out (the caller decides),
// never the project.
bool readTrackPlan(const QJsonValue &value, TrackPlan &plan, QString *error)
{
    const QString where = QStringLiteral("track_plan");
    if (!value.isObject()) {
        *error = ProjectFile::tr("%1 should be %2.").arg(where, ProjectFile::tr("an object"));
        return false;
    }
    const QJsonObject json = value.toObject();
    Level l(json, where, error);
    QString source;
    l.text(QStringLiteral("sourcePath"), source);
    const QJsonValue list = json.value(QStringLiteral("entries"));
    if (l.ok() && !list.isUndefined() && !list.isArray())
        l.fail(QStringLiteral("entries"), QT_TRANSLATE_NOOP("ProjectFile", "a list"));
    if (!l.ok())
        return false;
    TrackPlan out;
    out.sourcePath = source.toStdString();
    const QJsonArray entries = list.toArray();
    for (int i = 0; i < entries.size(); ++i) {
        const QString at = QStringLiteral("%1.entries[%2]").arg(where).arg(i);
        if (!entries.at(i).isObject()) {
            *error = ProjectFile::tr("%1 should be %2.").arg(at, ProjectFile::tr("an object"));
            return false;
        }
        Level e(entries.at(i).toObject(), at, error);
        TrackPlanEntry entry;
        entry.stream = -1;
        QString language, title;
        e.whole(QStringLiteral("stream"), entry.stream, 0, 65535);
        e.whole(QStringLiteral("kind"), entry.kind, 0, 64);
        e.flag(QStringLiteral("keep"), entry.keep);
        e.text(QStringLiteral("language"), language);
        e.text(QStringLiteral("title"), title);
        e.flag(QStringLiteral("isDefault"), entry.isDefault);
        e.flag(QStringLiteral("forced"), entry.forced);
        e.whole(QStringLiteral("shiftMs"), entry.shiftMs, -kMaxShiftMs, kMaxShiftMs);
        if (!e.ok())
            return false;
        if (entry.stream < 0) {
            *error = ProjectFile::tr("%1 names no stream.").arg(at);
            return false;
        }
        if (!knownKind(entry.kind)) {
            *error = ProjectFile::tr("%1 is of no known stream kind.").arg(at);
            return false;
        }
        // An ISO 639-2 code: three small letters.
        const bool code = language.size() == 3
            && std::all_of(language.begin(), language.end(), [](QChar c) { return c >= 'a' && c <= 'z'; });
        if (!language.isEmpty() && !code) {
            *error = ProjectFile::tr("%1 has no language code: \"%2\".").arg(at, language);
            return false;
        }
        for (const TrackPlanEntry &seen : out.entries)
            if (seen.stream == entry.stream) {
                *error = ProjectFile::tr("%1 names stream %2 a second time.").arg(at).arg(entry.stream);
                return false;
            }
        entry.language = language.toStdString();
        entry.title = title.toStdString();
        out.entries.push_back(entry);
    }
    if (!out.entries.empty() && out.sourcePath.empty()) {
        *error = ProjectFile::tr("%1 names no source file.").arg(where);
        return false;
    }
    plan = out;
    return true;
}

QJsonObject trackPlanToJson(const TrackPlan &plan)
{
    QJsonArray entries;
    for (const TrackPlanEntry &e : plan.entries) {
        QJsonObject entry;
        entry.insert(QStringLiteral("stream"), e.stream);
        entry.insert(QStringLiteral("kind"), e.kind);
        entry.insert(QStringLiteral("keep"), e.keep);
        entry.insert(QStringLiteral("language"), QString::fromStdString(e.language));
        entry.insert(QStringLiteral("title"), QString::fromStdString(e.title));
        entry.insert(QStringLiteral("isDefault"), e.isDefault);
        entry.insert(QStringLiteral("forced"), e.forced);
        entry.insert(QStringLiteral("shiftMs"), double(e.shiftMs));
        entries.append(entry);
    }
    return QJsonObject{{QStringLiteral("sourcePath"), QString::fromStdString(plan.sourcePath)},
                       {QStringLiteral("entries"), entries}};
}

bool readView(const QJsonObject &json, ProjectView &view, QString *error)
{
    Level l(json, QStringLiteral("view"), error);
    QString mode = QStringLiteral("free");
    l.text(QStringLiteral("mode"), mode);
    if (l.ok() && mode != QLatin1String("free") && mode != QLatin1String("simple"))
        l.fail(QStringLiteral("mode"), QT_TRANSLATE_NOOP("ProjectFile", "\"free\" or \"simple\""));
    view.simpleMode = mode == QLatin1String("simple");
    l.whole(QStringLiteral("current_segment"), view.currentSegment, 0, 1e6);
    return l.ok();
}
} // namespace

bool ProjectFile::parse(const QByteArray &bytes, Project *project, QString *error)
{
    QString message;
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        // A file cut short ends inside a value or an object.
        const bool cutShort = parseError.offset >= bytes.trimmed().size() - 1;
        *error = cutShort ? tr("The project file is incomplete: it ends early (after %1 bytes).").arg(bytes.size())
                          : tr("The project file is damaged: %1 at byte %2.")
                                .arg(parseError.errorString())
                                .arg(parseError.offset);
        return false;
    }
    const QJsonObject root = doc.object();
    if (!doc.isObject() || root.value(QStringLiteral("format")).toString() != kFormatName) {
        *error = tr("This is not a project file of Zelvane Snipwell.");
        return false;
    }
    const QJsonValue version = root.value(QStringLiteral("version"));
    const double v = version.toDouble(-1);
    if (!version.isDouble() || v < 1 || v != std::floor(v)) {
        *error = tr("The project file has no valid format version.");
        return false;
    }
    if (v > kVersion) {
        *error = tr("This project was saved by a newer version of Zelvane Snipwell (project format %1); this "
                    "version reads format %2 and older. Please update the program to open it.")
                     .arg(QString::number(v, 'g', 16))
                     .arg(kVersion);
        return false;
    }

    Project out;
    out.stored = root;
    Level l(root, QString(), &message);
    const QJsonObject source = l.object(QStringLiteral("source"));
    const QJsonValue segments = root.value(QStringLiteral("segments"));
    if (l.ok() && !segments.isArray())
        l.fail(QStringLiteral("segments"), QT_TRANSLATE_NOOP("ProjectFile", "a list"));
    const QJsonObject output = l.object(QStringLiteral("output"));
    const QJsonObject view = l.object(QStringLiteral("view"));
    bool ok = l.ok() && readSource(source, out.source, &message);
    const QJsonValue more = root.value(QStringLiteral("sources"));
    if (ok && !more.isUndefined() && !more.isArray()) {
        message = tr("%1 should be %2.").arg(QStringLiteral("sources"), tr("a list"));
        ok = false;
    }
    const QJsonArray moreList = more.toArray();
    for (int i = 0; ok && i < moreList.size(); ++i) {
        const QString where = QStringLiteral("sources[%1]").arg(i);
        SourceFingerprint further;
        if (!moreList.at(i).isObject()) {
            message = tr("%1 should be %2.").arg(where, tr("an object"));
            ok = false;
        } else if (!readSource(moreList.at(i).toObject(), further, &message) || further.path.isEmpty()) {
            if (further.path.isEmpty())
                message = tr("%1 names no file.").arg(where);
            ok = false;
        }
        out.moreSources.append(further);
    }
    const QJsonArray list = segments.toArray();
    for (int i = 0; ok && i < list.size(); ++i) {
        if (!list.at(i).isObject()) {
            message = tr("%1 should be %2.").arg(QStringLiteral("segments[%1]").arg(i), tr("an object"));
            ok = false;
            break;
        }
        ProjectSegment segment;
        ok = readSegment(list.at(i).toObject(), i, segment, &message);
        if (ok && segment.source > out.moreSources.size()) {
            message = tr("%1 names a source the project does not list.").arg(QStringLiteral("segments[%1]").arg(i));
            ok = false;
        }
        out.segments.append(segment);
    }
    ok = ok && readOutput(output, out.output, &message) && readView(view, out.view, &message);
    if (!ok) {
        *error = tr("The project file cannot be used: %1").arg(message);
        return false;
    }
    // A plan that cannot be used is left out; the cut itself still opens.
    const QJsonValue plan = root.value(QStringLiteral("track_plan"));
    QString planError;
    if (!plan.isUndefined() && !plan.isNull() && !readTrackPlan(plan, out.trackPlan, &planError)) {
        out.trackPlan = TrackPlan();
        out.warning = tr("The project's choice of tracks cannot be used and was left out: %1").arg(planError);
        // Saved again, the project writes the plan the window has.
        out.stored.remove(QStringLiteral("track_plan"));
    }
    if (out.segments.isEmpty())
        out.view.currentSegment = 0;
    else
        out.view.currentSegment = qMin(out.view.currentSegment, out.segments.size() - 1);
    *project = out;
    return true;
}

bool ProjectFile::read(const QString &path, Project *project, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = tr("The project file could not be read: %1").arg(file.errorString());
        return false;
    }
    if (file.size() > kMaxBytes) {
        *error = tr("This is not a project file of Zelvane Snipwell.");
        return false;
    }
    return parse(file.readAll(), project, error);
}

QByteArray ProjectFile::serialize(const Project &project)
{
    const auto sourceJson = [](const SourceFingerprint &f) {
        QJsonObject source;
        source.insert(QStringLiteral("path"), f.path);
        source.insert(QStringLiteral("size"), double(f.size));
        source.insert(QStringLiteral("head_sha256"), f.headSha256);
        source.insert(QStringLiteral("tail_sha256"), f.tailSha256);
        return source;
    };
    const QJsonObject source = sourceJson(project.source);
    QJsonArray moreSources;
    for (const SourceFingerprint &f : project.moreSources)
        moreSources.append(sourceJson(f));

    QJsonArray segments;
    for (const ProjectSegment &s : project.segments) {
        QJsonObject fresh;
        fresh.insert(QStringLiteral("start_us"), double(s.start_us));
        fresh.insert(QStringLiteral("end_us"), double(s.end_us));
        fresh.insert(QStringLiteral("label"), s.label);
        fresh.insert(QStringLiteral("source"), s.source);
        fresh.insert(QStringLiteral("edit"), projectjson::editToJson(s.edit));
        segments.append(projectjson::overlay(s.stored, fresh));
    }

    const ProjectOutput &o = project.output;
    QJsonObject output;
    output.insert(QStringLiteral("mode"), o.lossless ? QStringLiteral("high-speed") : QStringLiteral("encoding"));
    output.insert(QStringLiteral("encoding_format"),
                  QJsonObject{{QStringLiteral("category"), o.encodingCategory}, {QStringLiteral("id"), o.encodingId}});
    output.insert(QStringLiteral("high_speed_format"),
                  QJsonObject{{QStringLiteral("category"), o.losslessCategory}, {QStringLiteral("id"), o.losslessId}});
    output.insert(QStringLiteral("quality"), o.quality);
    output.insert(QStringLiteral("frame_exact"), o.frameExact);
    output.insert(QStringLiteral("merge"), o.merge);
    output.insert(QStringLiteral("parameters"), projectjson::paramsToJson(o.params));

    QJsonObject view;
    view.insert(QStringLiteral("mode"), project.view.simpleMode ? QStringLiteral("simple") : QStringLiteral("free"));
    view.insert(QStringLiteral("current_segment"), project.view.currentSegment);

    QJsonObject fresh;
    fresh.insert(QStringLiteral("format"), kFormatName);
    fresh.insert(QStringLiteral("version"), kVersion);
    fresh.insert(QStringLiteral("source"), source);
    fresh.insert(QStringLiteral("sources"), moreSources);
    fresh.insert(QStringLiteral("segments"), segments);
    fresh.insert(QStringLiteral("output"), output);
    fresh.insert(QStringLiteral("view"), view);
    QJsonObject document = projectjson::overlay(project.stored, fresh);
    // The plan is written whole or not at all: none leaves no key behind.
    if (project.trackPlan.isEmpty())
        document.remove(QStringLiteral("track_plan"));
    else
        document.insert(QStringLiteral("track_plan"), trackPlanToJson(project.trackPlan));
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

bool ProjectFile::write(const QString &path, const Project &project, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = tr("The project could not be saved to %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = serialize(project);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        *error = tr("The project could not be saved to %1: %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

ProjectFile::Places ProjectFile::locateSources(const Project &project, const QString &projectPath)
{
    Places places;
    const QString projectFolder = QFileInfo(projectPath).absolutePath();
    places.source = project.source.locate({projectFolder, QFileInfo(project.source.path).absolutePath()});
    for (const SourceFingerprint &further : project.moreSources) {
        QStringList folders{projectFolder, QFileInfo(further.path).absolutePath()};
        if (!places.source.isEmpty())
            folders << QFileInfo(places.source).absolutePath();
        folders.removeDuplicates();
        places.moreSources << further.locate(folders);
    }
    return places;
}
