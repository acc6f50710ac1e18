// The project file read and written on its own: every part of a cut comes
// back as it was, what this version does not know survives a save, and a
// bad file is refused with its reason while nothing on disk changes.
#include "ProjectFile.h"
#include "EditRecordJson.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

Project sampleProject()
{
    Project p;
    p.source.path = QStringLiteral("/videos/holiday ä.mp4");
    p.source.size = 123456789;
    p.source.headSha256 = QString(64, QLatin1Char('a'));
    p.source.tailSha256 = QString(64, QLatin1Char('b'));
    for (int i = 0; i < 3; ++i) {
        ProjectSegment s;
        s.start_us = 1000000ull * uint64_t(i) * 10 + 1;
        s.end_us = s.start_us + 4999999;
        s.label = i == 1 ? QStringLiteral("Zweiter «Teil»") : QString();
        s.edit.crop.rotation = 90 * i;
        s.edit.crop.cropRect = {0.125, 0.25, 0.5, 0.625};
        s.edit.picture.brightness = -40 + i;
        s.edit.watermark.text = "Ünïcode ✓";
        s.edit.watermark.fontColor = 0xff102030u;
        s.edit.watermark.textEndTime = 9007199254740990ull;
        s.edit.watermark.imageInts = {{1, 2, 3, 4, 5, 6}};
        s.edit.soundEffect.eqFrequencies = {60, 1000, 16000};
        s.edit.soundEffect.eqGains = {-3.5, 0, 6.25};
        s.edit.soundEffect.fadeOut = 1500000;
        s.edit.tags.title = "Title";
        s.edit.tags.coverData = std::string("\x89PNG\0\x01\xff", 7);
        s.edit.tags.coverSize = 7;
        s.edit.subtitleStyle.padding[3] = 0xfe;
        s.edit.chapters.push_back({1, 0, 10, 10, "Chapter", "c"});
        VEAudioTrackEntry track;
        track.selected = true;
        track.info.streamIndex = 2;
        track.info.extraData = {0, 1, 2, 255};
        track.info.bitRate = 5000000000ll;
        s.edit.audioTracks.push_back(track);
        s.edit.audioTrackNames = QStringList{QStringLiteral("English"), QStringLiteral("Deutsch")};
        s.edit.m_fileFormat = QStringLiteral("mkv");
        p.segments.append(s);
    }
    p.output.lossless = false;
    p.output.encodingCategory = QStringLiteral("General Video");
    p.output.encodingId = QStringLiteral("4010");
    p.output.losslessCategory = QStringLiteral("General Video");
    p.output.losslessId = QStringLiteral("3000");
    p.output.quality = 2;
    p.output.merge = true;
    p.output.params.container = QStringLiteral("matroska");
    p.output.params.extension = QStringLiteral("mkv");
    p.output.params.videoCodecId = 28;
    p.output.params.width = 640;
    p.output.params.height = 360;
    p.output.params.sampleRate = 44100;
    p.view.simpleMode = true;
    p.view.currentSegment = 2;
    return p;
}

Project parsed(const QByteArray &bytes)
{
    Project p;
    QString error;
    EXPECT_TRUE(ProjectFile::parse(bytes, &p, &error)) << error.toStdString();
    return p;
}

QString parseError(const QByteArray &bytes)
{
    Project p;
    QString error;
    EXPECT_FALSE(ProjectFile::parse(bytes, &p, &error));
    EXPECT_FALSE(error.isEmpty());
    return error;
}

QJsonObject jsonOf(const Project &p) { return QJsonDocument::fromJson(ProjectFile::serialize(p)).object(); }

QByteArray withChange(const std::function<void(QJsonObject &)> &change)
{
    QJsonObject root = jsonOf(sampleProject());
    change(root);
    return QJsonDocument(root).toJson();
}

} // namespace

TEST(ProjectFile, EveryPartOfTheCutComesBack)
{
    const Project original = sampleProject();
    const Project back = parsed(ProjectFile::serialize(original));

    EXPECT_EQ(back.source.path, original.source.path);
    EXPECT_EQ(back.source.size, original.source.size);
    EXPECT_EQ(back.source.tailSha256, original.source.tailSha256);
    ASSERT_EQ(back.segments.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const ProjectSegment &a = original.segments[i];
        const ProjectSegment &b = back.segments[i];
        EXPECT_EQ(b.start_us, a.start_us);
        EXPECT_EQ(b.end_us, a.end_us);
        EXPECT_EQ(b.label, a.label);
        EXPECT_EQ(b.edit.crop, a.edit.crop);
        EXPECT_EQ(b.edit.picture, a.edit.picture);
        EXPECT_EQ(b.edit.watermark, a.edit.watermark);
        EXPECT_EQ(b.edit.soundEffect, a.edit.soundEffect);
        EXPECT_EQ(b.edit.subtitleStyle, a.edit.subtitleStyle);
        EXPECT_EQ(b.edit.tags, a.edit.tags); // binary cover bytes with a NUL among them
        EXPECT_EQ(b.edit.chapters, a.edit.chapters);
        ASSERT_EQ(b.edit.audioTracks.size(), 1u);
        EXPECT_EQ(b.edit.audioTracks[0].info.extraData, a.edit.audioTracks[0].info.extraData);
        EXPECT_EQ(b.edit.audioTracks[0].info.bitRate, 5000000000ll);
        EXPECT_EQ(b.edit.audioTrackNames, a.edit.audioTrackNames);
        EXPECT_EQ(b.edit.m_fileFormat, a.edit.m_fileFormat);
    }
    EXPECT_FALSE(back.output.lossless);
    EXPECT_EQ(back.output.encodingId, QStringLiteral("4010"));
    EXPECT_EQ(back.output.losslessId, QStringLiteral("3000"));
    EXPECT_EQ(back.output.quality, 2);
    EXPECT_TRUE(back.output.merge);
    EXPECT_EQ(back.output.params.container, QStringLiteral("matroska"));
    EXPECT_EQ(back.output.params.videoCodecId, 28);
    EXPECT_EQ(back.output.params.width, 640);
    EXPECT_EQ(back.output.params.sampleRate, 44100u);
    EXPECT_TRUE(back.view.simpleMode);
    EXPECT_EQ(back.view.currentSegment, 2);
    // Nothing is lost or added on a second pass either.
    EXPECT_EQ(ProjectFile::serialize(back), ProjectFile::serialize(original));
}

// The window stops a start marked past its segment's end at that end, so a
// segment may be empty; its project (and the autosave that recovers the
// work after a crash) must read back, or the work is lost.
TEST(ProjectFile, AnEmptySegmentComesBack)
{
    Project p = sampleProject();
    p.segments[1].start_us = p.segments[1].end_us;
    const Project back = parsed(ProjectFile::serialize(p));
    ASSERT_EQ(back.segments.size(), 3);
    EXPECT_EQ(back.segments[1].start_us, p.segments[1].end_us);
    EXPECT_EQ(back.segments[1].end_us, p.segments[1].end_us);
}

TEST(ProjectFile, KeysThisVersionDoesNotKnowSurviveASave)
{
    const QByteArray bytes = withChange([](QJsonObject &root) {
        root.insert("future_root", QJsonArray{1, 2});
        QJsonObject source = root.value("source").toObject();
        source.insert("volume_id", "disk-7");
        root.insert("source", source);
        QJsonArray segments = root.value("segments").toArray();
        QJsonObject first = segments.at(0).toObject();
        first.insert("colour_tag", "red");
        QJsonObject edit = first.value("edit").toObject();
        QJsonObject crop = edit.value("crop").toObject();
        crop.insert("feather", 3);
        edit.insert("crop", crop);
        first.insert("edit", edit);
        segments.replace(0, first);
        root.insert("segments", segments);
    });
    Project p = parsed(bytes);
    // The user changes the cut; the unknown keys travel with their parts.
    p.segments[0].start_us = 42;
    p.segments[0].edit.crop.rotation = 270;
    std::swap(p.segments[0], p.segments[2]);
    const QJsonObject saved = jsonOf(p);
    EXPECT_EQ(saved.value("future_root").toArray(), (QJsonArray{1, 2}));
    EXPECT_EQ(saved.value("source").toObject().value("volume_id").toString(), "disk-7");
    const QJsonObject moved = saved.value("segments").toArray().at(2).toObject();
    EXPECT_EQ(moved.value("colour_tag").toString(), "red");
    EXPECT_EQ(moved.value("start_us").toDouble(), 42);
    const QJsonObject crop = moved.value("edit").toObject().value("crop").toObject();
    EXPECT_EQ(crop.value("feather").toInt(), 3);
    EXPECT_EQ(crop.value("rotation").toInt(), 270);
    EXPECT_FALSE(saved.value("segments").toArray().at(0).toObject().contains("colour_tag"));
}

TEST(ProjectFile, BadFilesAreRefusedWithTheirReason)
{
    const QByteArray good = ProjectFile::serialize(sampleProject());

    EXPECT_TRUE(parseError(good.left(good.size() / 2)).contains("incomplete"));
    QByteArray damaged = good;
    damaged[damaged.indexOf("\"segments\"") + 10] = '#'; // the colon after the key
    EXPECT_TRUE(parseError(damaged).contains("damaged"));
    EXPECT_TRUE(parseError(QByteArray("\x00\x00\x00\x20" "ftypisom", 12)).contains("damaged"));
    EXPECT_TRUE(parseError("[1,2,3]").contains("not a project file"));
    EXPECT_TRUE(parseError(R"({"name":"something else","version":1})").contains("not a project file"));

    const QString newer = parseError(withChange([](QJsonObject &root) { root.insert("version", 3); }));
    EXPECT_TRUE(newer.contains("newer version")) << newer.toStdString();
    EXPECT_TRUE(newer.contains("format 3")) << newer.toStdString();
    EXPECT_TRUE(parseError(withChange([](QJsonObject &root) { root.insert("version", "1"); })).contains("version"));

    // A value of the wrong type is named by where it is.
    const QString rotation = parseError(withChange([](QJsonObject &root) {
        QJsonArray segments = root.value("segments").toArray();
        QJsonObject s = segments.at(1).toObject();
        QJsonObject edit = s.value("edit").toObject();
        QJsonObject crop = edit.value("crop").toObject();
        crop.insert("rotation", "ninety");
        edit.insert("crop", crop);
        s.insert("edit", edit);
        segments.replace(1, s);
        root.insert("segments", segments);
    }));
    EXPECT_TRUE(rotation.contains("segments[1].edit.crop.rotation")) << rotation.toStdString();
    EXPECT_TRUE(parseError(withChange([](QJsonObject &root) { root.insert("segments", "all"); })).contains("segments"));
    EXPECT_TRUE(parseError(withChange([](QJsonObject &root) {
                    QJsonArray segments = root.value("segments").toArray();
                    QJsonObject s = segments.at(0).toObject();
                    s.insert("start_us", -5);
                    segments.replace(0, s);
                    root.insert("segments", segments);
                })).contains("segments[0].start_us"));
    EXPECT_TRUE(parseError(withChange([](QJsonObject &root) {
                    QJsonArray segments = root.value("segments").toArray();
                    QJsonObject s = segments.at(2).toObject();
                    s.insert("end_us", 5);
                    segments.replace(2, s);
                    root.insert("segments", segments);
                })).contains("segments[2] ends before it starts"));
    EXPECT_TRUE(parseError(withChange([](QJsonObject &root) {
                    QJsonObject o = root.value("output").toObject();
                    QJsonObject p = o.value("parameters").toObject();
                    p.insert("width", 1.5);
                    o.insert("parameters", p);
                    root.insert("output", o);
                })).contains("output.parameters.width"));
    EXPECT_TRUE(parseError(withChange([](QJsonObject &root) {
                    QJsonArray segments = root.value("segments").toArray();
                    QJsonObject s = segments.at(0).toObject();
                    QJsonObject edit = s.value("edit").toObject();
                    QJsonObject tags = edit.value("tags").toObject();
                    tags.insert("cover", "not base64 !!");
                    edit.insert("tags", tags);
                    s.insert("edit", edit);
                    segments.replace(0, s);
                    root.insert("segments", segments);
                })).contains("segments[0].edit.tags.cover"));
}

TEST(ProjectFile, WritingReplacesWholeOrNotAtAll)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("cut.snipwell");
    QString error;
    ASSERT_TRUE(ProjectFile::write(path, sampleProject(), &error)) << error.toStdString();
    Project small = sampleProject();
    small.segments.resize(1);
    ASSERT_TRUE(ProjectFile::write(path, small, &error));
    Project back;
    ASSERT_TRUE(ProjectFile::read(path, &back, &error)) << error.toStdString();
    EXPECT_EQ(back.segments.size(), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"cut.snipwell"});

    // A place that cannot take the file is reported by its name.
    const QString blocked = path + "/inside.snipwell";
    EXPECT_FALSE(ProjectFile::write(blocked, sampleProject(), &error));
    EXPECT_TRUE(error.contains(blocked)) << error.toStdString();
    ASSERT_TRUE(ProjectFile::read(path, &back, &error));
    EXPECT_EQ(back.segments.size(), 1);

    EXPECT_FALSE(ProjectFile::read(dir.filePath("missing.snipwell"), &back, &error));
    EXPECT_TRUE(error.contains("could not be read"));
}

TEST(SourceFingerprint, FindsTheSourceWhereItWentAndOnlyIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkpath("old");
    QDir(dir.path()).mkpath("new");
    // Larger than two chunks, so head and tail are separate reads.
    QByteArray data(3 * SourceFingerprint::kChunk + 17, '\0');
    for (int i = 0; i < data.size(); ++i)
        data[i] = char((uint32_t(i) * 7919u) >> 8);
    const QString original = dir.filePath("old/clip.mp4");
    auto writeFile = [](const QString &path, const QByteArray &bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    writeFile(original, data);
    const SourceFingerprint fp = SourceFingerprint::of(original);
    EXPECT_EQ(fp.size, data.size());
    EXPECT_EQ(fp.locate({}), original);

    // Moved and renamed; a file of the same size whose last byte differs
    // stands beside it and is not taken.
    QByteArray other = data;
    other[other.size() - 1] = char(other.at(other.size() - 1) ^ 1);
    writeFile(dir.filePath("new/a-decoy.mp4"), other);
    ASSERT_TRUE(QFile::rename(original, dir.filePath("new/renamed.mp4")));
    EXPECT_EQ(fp.locate({dir.filePath("new")}), dir.filePath("new/renamed.mp4"));
    EXPECT_TRUE(fp.locate({dir.filePath("old")}).isEmpty());

    // A different file at the saved path is not the source.
    writeFile(original, other);
    EXPECT_FALSE(fp.matches(original));
    EXPECT_EQ(fp.locate({dir.filePath("new")}), dir.filePath("new/renamed.mp4"));
}

namespace {

TrackPlan samplePlan()
{
    TrackPlan plan;
    plan.sourcePath = "/videos/holiday ä.mp4";
    const auto entry = [](int stream, int kind, bool keep, const char *language, const char *title, bool isDefault,
                          bool forced, int64_t shiftMs) {
        TrackPlanEntry e;
        e.stream = stream;
        e.kind = kind;
        e.keep = keep;
        e.language = language;
        e.title = title;
        e.isDefault = isDefault;
        e.forced = forced;
        e.shiftMs = shiftMs;
        return e;
    };
    plan.entries = {entry(0, 1, true, "", "", false, false, 0),
                    entry(3, 2, true, "spa", "Español «main»", true, false, -200),
                    entry(1, 2, true, "eng", "", false, false, 86400000),
                    entry(2, 2, false, "und", "Commentary", false, false, 0),
                    entry(5, 8, true, "fre", "", false, true, 7)};
    return plan;
}

} // namespace

TEST(ProjectFile, TheTrackPlanComesBackFieldByFieldAndAnOlderProjectOpensWithout)
{
    Project original = sampleProject();
    original.trackPlan = samplePlan();
    const QJsonObject json = jsonOf(original);
    // Its form on disk, read without our reader.
    const QJsonObject plan = json["track_plan"].toObject();
    EXPECT_EQ(plan["sourcePath"].toString(), QStringLiteral("/videos/holiday ä.mp4"));
    const QJsonArray entries = plan["entries"].toArray();
    ASSERT_EQ(entries.size(), 5);
    const QJsonObject second = entries[1].toObject();
    EXPECT_EQ(second["stream"].toInt(), 3);
    EXPECT_EQ(second["kind"].toInt(), 2);
    EXPECT_EQ(second["keep"].toBool(), true);
    EXPECT_EQ(second["language"].toString(), QStringLiteral("spa"));
    EXPECT_EQ(second["title"].toString(), QStringLiteral("Español «main»"));
    EXPECT_EQ(second["isDefault"].toBool(), true);
    EXPECT_EQ(second["forced"].toBool(), false);
    EXPECT_EQ(second["shiftMs"].toInt(), -200);

    const Project back = parsed(ProjectFile::serialize(original));
    EXPECT_TRUE(back.warning.isEmpty()) << back.warning.toStdString();
    EXPECT_EQ(back.trackPlan.sourcePath, original.trackPlan.sourcePath);
    ASSERT_EQ(back.trackPlan.entries.size(), original.trackPlan.entries.size());
    for (size_t i = 0; i < original.trackPlan.entries.size(); ++i) {
        SCOPED_TRACE(i);
        const TrackPlanEntry &a = original.trackPlan.entries[i];
        const TrackPlanEntry &b = back.trackPlan.entries[i];
        EXPECT_EQ(b.stream, a.stream);
        EXPECT_EQ(b.kind, a.kind);
        EXPECT_EQ(b.keep, a.keep);
        EXPECT_EQ(b.language, a.language);
        EXPECT_EQ(b.title, a.title);
        EXPECT_EQ(b.isDefault, a.isDefault);
        EXPECT_EQ(b.forced, a.forced);
        EXPECT_EQ(b.shiftMs, a.shiftMs);
    }
    EXPECT_EQ(ProjectFile::serialize(back), ProjectFile::serialize(original));

    // A project saved before plans existed: it opens, with no plan, and is
    // saved again without one.
    QJsonObject old = jsonOf(sampleProject());
    ASSERT_FALSE(old.contains("track_plan"));
    const Project opened = parsed(QJsonDocument(old).toJson());
    EXPECT_TRUE(opened.trackPlan.isEmpty());
    EXPECT_TRUE(opened.warning.isEmpty());
    EXPECT_EQ(opened.segments.size(), 3);
    EXPECT_FALSE(jsonOf(opened).contains("track_plan"));

    // A plan taken away in the window leaves no plan in the file saved over it.
    Project cleared = back;
    cleared.trackPlan = TrackPlan();
    EXPECT_FALSE(jsonOf(cleared).contains("track_plan"));
}

// A plan that cannot be used is dropped with a reason that names its place;
// the segments, output and view still open.
TEST(ProjectFile, ABadTrackPlanIsLeftOutWithItsReasonAndTheCutStillOpens)
{
    struct Case {
        const char *what;
        std::function<void(QJsonObject &)> change;
        const char *reason;
    };
    const auto entryChange = [](int i, const char *key, const QJsonValue &value) {
        return [=](QJsonObject &plan) {
            QJsonArray entries = plan["entries"].toArray();
            QJsonObject e = entries[i].toObject();
            if (value.isUndefined())
                e.remove(key);
            else
                e[key] = value;
            entries[i] = e;
            plan["entries"] = entries;
        };
    };
    const Case cases[] = {
        {"not an object", [](QJsonObject &plan) { plan = QJsonObject{{"oops", 1}}; }, nullptr},
        {"entries not a list", [](QJsonObject &plan) { plan["entries"] = "all"; }, "track_plan.entries"},
        {"an entry not an object",
         [](QJsonObject &plan) {
             QJsonArray entries = plan["entries"].toArray();
             entries[2] = 7;
             plan["entries"] = entries;
         },
         "track_plan.entries[2]"},
        {"a stream as text", entryChange(1, "stream", "3"), "track_plan.entries[1].stream"},
        {"a negative stream", entryChange(1, "stream", -1), "track_plan.entries[1].stream"},
        {"no stream", entryChange(1, "stream", QJsonValue(QJsonValue::Undefined)), "track_plan.entries[1]"},
        {"an unknown kind", entryChange(0, "kind", 4), "track_plan.entries[0]"},
        {"a language that is no code", entryChange(1, "language", "English"), "track_plan.entries[1]"},
        {"a shift of a fraction", entryChange(1, "shiftMs", 1.5), "track_plan.entries[1].shiftMs"},
        {"a shift beyond a day", entryChange(1, "shiftMs", 1e12), "track_plan.entries[1].shiftMs"},
        {"a flag as a number", entryChange(4, "forced", 1), "track_plan.entries[4].forced"},
        {"a stream named twice", entryChange(2, "stream", 3), "track_plan.entries[2]"},
        {"no source", [](QJsonObject &plan) { plan.remove("sourcePath"); }, "track_plan"},
    };
    Project withPlan = sampleProject();
    withPlan.trackPlan = samplePlan();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QJsonObject root = jsonOf(withPlan);
        if (QString(c.what) == "not an object") {
            root["track_plan"] = QJsonArray{1, 2};
        } else {
            QJsonObject plan = root["track_plan"].toObject();
            c.change(plan);
            root["track_plan"] = plan;
        }
        const Project p = parsed(QJsonDocument(root).toJson());
        EXPECT_TRUE(p.trackPlan.isEmpty());
        EXPECT_EQ(p.segments.size(), 3);
        EXPECT_TRUE(p.view.simpleMode);
        EXPECT_TRUE(p.warning.startsWith("The project's choice of tracks cannot be used")) << p.warning.toStdString();
        if (c.reason) {
            EXPECT_TRUE(p.warning.contains(c.reason)) << p.warning.toStdString();
        }
        // Saved again, the bad plan is not carried along as an unknown key.
        EXPECT_FALSE(jsonOf(p).contains("track_plan"));
    }
}

TEST(ProjectFile, AWorkOfSeveralFilesComesBackAndAVersionOneFileOpensAsOneFile)
{
    Project p = sampleProject();
    SourceFingerprint second, third;
    second.path = "/media/b.mp4";
    third.path = "/media/c.mkv";
    p.moreSources = {second, third};
    p.segments[0].source = 2;
    p.segments[1].source = 0;
    Project back;
    QString error;
    ASSERT_TRUE(ProjectFile::parse(ProjectFile::serialize(p), &back, &error)) << error.toStdString();
    ASSERT_EQ(back.moreSources.size(), 2);
    EXPECT_EQ(back.moreSources[0].path, "/media/b.mp4");
    EXPECT_EQ(back.moreSources[1].path, "/media/c.mkv");
    EXPECT_EQ(back.segments[0].source, 2);
    EXPECT_EQ(back.segments[1].source, 0);
    EXPECT_EQ(jsonOf(p).value("version").toInt(), ProjectFile::kVersion);

    // A file of the first version names one source and no segment's file:
    // every segment is of that source.
    QJsonObject one = jsonOf(sampleProject());
    one.insert("version", 1);
    one.remove("sources");
    QJsonArray segments = one.value("segments").toArray();
    for (int i = 0; i < segments.size(); ++i) {
        QJsonObject segment = segments[i].toObject();
        segment.remove("source");
        segments[i] = segment;
    }
    one.insert("segments", segments);
    ASSERT_TRUE(ProjectFile::parse(QJsonDocument(one).toJson(), &back, &error)) << error.toStdString();
    EXPECT_TRUE(back.moreSources.isEmpty());
    for (const ProjectSegment &segment : back.segments)
        EXPECT_EQ(segment.source, 0);

    // A segment of a file the project does not list, a list that is none,
    // a further file without a path: refused with where.
    QJsonObject wrong = jsonOf(p);
    QJsonArray wrongSegments = wrong.value("segments").toArray();
    QJsonObject s0 = wrongSegments[0].toObject();
    s0.insert("source", 3);
    wrongSegments[0] = s0;
    wrong.insert("segments", wrongSegments);
    EXPECT_TRUE(parseError(QJsonDocument(wrong).toJson()).contains("segments[0]"));
    QJsonObject notList = jsonOf(p);
    notList.insert("sources", "b.mp4");
    EXPECT_TRUE(parseError(QJsonDocument(notList).toJson()).contains("sources"));
    QJsonObject noPath = jsonOf(p);
    noPath.insert("sources", QJsonArray{QJsonObject{{"size", 5}}});
    EXPECT_TRUE(parseError(QJsonDocument(noPath).toJson()).contains("sources[0]"));
}

// A work of several files whose folder moved: the first file and every
// further one are found again, by their digests (a further file renamed,
// beside a decoy of its old name and size) or, saved by path alone as an
// older save has them, by their name; a further file gathered into the
// first one's folder is found there.
TEST(ProjectFile, FurtherFilesAreFoundWhereTheyWentByTheirDigests)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkpath("work");
    QDir(dir.path()).mkpath("elsewhere");
    auto writeFile = [](const QString &path, char seed) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        // One size for all: only the digests tell them apart.
        QByteArray bytes(200000, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(seed + (uint32_t(i) * 31u >> 4));
        f.write(bytes);
    };
    const QString work = dir.filePath("work");
    writeFile(work + "/first.mp4", 1);
    writeFile(work + "/second.mp4", 2);
    writeFile(work + "/third.mkv", 3);
    writeFile(dir.filePath("elsewhere/fourth.mp4"), 4);

    Project p = sampleProject();
    p.source = SourceFingerprint::of(work + "/first.mp4");
    p.moreSources = {SourceFingerprint::of(work + "/second.mp4"), SourceFingerprint(),
                     SourceFingerprint::of(dir.filePath("elsewhere/fourth.mp4"))};
    p.moreSources[1].path = work + "/third.mkv"; // saved by its path alone
    p.segments[0].source = 1;
    p.segments[1].source = 2;
    p.segments[2].source = 3;
    QString error;
    ASSERT_TRUE(ProjectFile::write(work + "/cut.snipwell", p, &error)) << error.toStdString();
    Project back;
    ASSERT_TRUE(ProjectFile::read(work + "/cut.snipwell", &back, &error)) << error.toStdString();
    ASSERT_EQ(back.moreSources.size(), 3);
    EXPECT_EQ(back.moreSources[0].size, 200000);
    EXPECT_EQ(back.moreSources[0].headSha256, p.moreSources[0].headSha256);
    EXPECT_EQ(back.moreSources[0].tailSha256, p.moreSources[0].tailSha256);
    EXPECT_EQ(back.moreSources[1].size, -1);

    ProjectFile::Places places = ProjectFile::locateSources(back, work + "/cut.snipwell");
    EXPECT_EQ(places.source, work + "/first.mp4");
    EXPECT_EQ(places.moreSources,
              (QStringList{work + "/second.mp4", work + "/third.mkv", dir.filePath("elsewhere/fourth.mp4")}));

    // The folder moved with its project; the second file renamed, a decoy
    // of its old name and size beside it; the fourth gathered into it.
    ASSERT_TRUE(QDir(dir.path()).rename("work", "moved"));
    const QString moved = dir.filePath("moved");
    ASSERT_TRUE(QFile::rename(moved + "/second.mp4", moved + "/second renamed.mp4"));
    writeFile(moved + "/second.mp4", 9);
    ASSERT_TRUE(QFile::rename(dir.filePath("elsewhere/fourth.mp4"), moved + "/fourth.mp4"));
    places = ProjectFile::locateSources(back, moved + "/cut.snipwell");
    EXPECT_EQ(places.source, moved + "/first.mp4");
    EXPECT_EQ(places.moreSources,
              (QStringList{moved + "/second renamed.mp4", moved + "/third.mkv", moved + "/fourth.mp4"}));

    // The project saved somewhere else, the first file where it was: a
    // further file that joined the first one's folder is found there.
    places = ProjectFile::locateSources(back, dir.filePath("elsewhere/cut.snipwell"));
    EXPECT_TRUE(places.source.isEmpty());
    Project found = back;
    found.source.path = moved + "/first.mp4";
    places = ProjectFile::locateSources(found, dir.filePath("elsewhere/cut.snipwell"));
    EXPECT_EQ(places.source, moved + "/first.mp4");
    EXPECT_EQ(places.moreSources.value(2), moved + "/fourth.mp4");

    // Gone: not found, and another file of its name and size is not taken.
    ASSERT_TRUE(QFile::remove(moved + "/second renamed.mp4"));
    ASSERT_TRUE(QFile::remove(moved + "/third.mkv"));
    places = ProjectFile::locateSources(back, moved + "/cut.snipwell");
    EXPECT_EQ(places.moreSources, (QStringList{QString(), QString(), moved + "/fourth.mp4"}));
}
