// snipwell-cli as a user runs it: the built program as a process on the
// media fixtures, every option and every way a run can go wrong; what it
// writes is judged by ffprobe, what it says by its exit status and text.
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

// Readable failures for lists of paths.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

using testsupport::fixture;
using testsupport::ProcessResult;

namespace {

ProcessResult cli(const QStringList &args, int timeout_ms = 120000)
{
    return testsupport::runProcess(SNIPWELL_CLI, args, timeout_ms);
}

// Runs the command as an ordinary user: permissions mean nothing to root,
// which the tests may run as.
ProcessResult cliAsUser(const QStringList &args)
{
    if (geteuid() != 0)
        return cli(args);
    return testsupport::runProcess("setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", "--",
                                                          SNIPWELL_CLI} + args);
}

QStringList lines(const QByteArray &text)
{
    return QString::fromUtf8(text).split('\n', Qt::SkipEmptyParts);
}

QList<QJsonObject> jsonLines(const QByteArray &text)
{
    QList<QJsonObject> objects;
    for (const QString &line : lines(text)) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8(), &error);
        EXPECT_TRUE(doc.isObject()) << "not a JSON object: " << line.toStdString();
        objects << doc.object();
    }
    return objects;
}

double probedDuration(const QString &file)
{
    return testsupport::ffprobeJson(file)["format"].toObject()["duration"].toString().toDouble();
}

QString probedFormat(const QString &file)
{
    return testsupport::ffprobeJson(file)["format"].toObject()["format_name"].toString();
}

// Every entry of a folder, hidden temporaries included.
QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// The long options a text names: "--cut", "--merge-chapters"...
QSet<QString> longOptions(const QString &text)
{
    QSet<QString> names;
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])--[a-z][a-z-]*[a-z]"));
    QRegularExpressionMatchIterator it = option.globalMatch(text);
    while (it.hasNext())
        names.insert(it.next().captured());
    return names;
}

class CliTest : public ::testing::Test {
protected:
    QString out(const QString &name = "out") const { return m_dir.filePath(name); }
    QString copy(const QString &fixtureName, const QString &as)
    {
        const QString path = m_dir.filePath(as);
        EXPECT_TRUE(QFile::copy(fixture(fixtureName), path));
        return path;
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(CliTest, HelpAndManPageNameTheSameOptionsAndTheProgramLinksNoPictureLibrary)
{
    const ProcessResult help = cli({"--help"});
    ASSERT_EQ(help.exitCode, 0);
    QFile man(SNIPWELL_MAN_PAGE);
    ASSERT_TRUE(man.open(QIODevice::ReadOnly));
    // roff writes a dash as "\-".
    const QString page = QString::fromUtf8(man.readAll()).replace("\\-", "-");
    const QSet<QString> inHelp = longOptions(QString::fromUtf8(help.out));
    const QSet<QString> inMan = longOptions(page);
    EXPECT_EQ(inHelp, inMan) << "only in --help: " << QStringList((inHelp - inMan).values()).join(' ').toStdString()
                             << "; only in the man page: " << QStringList((inMan - inHelp).values()).join(' ').toStdString();
    EXPECT_GE(inHelp.size(), 20);
    const ProcessResult cutHelp = cli({"cut", "--help"});
    EXPECT_EQ(cutHelp.exitCode, 0);
    EXPECT_TRUE(cutHelp.out.contains("--merge-chapters"));

    // Starting lean: neither Qt's picture nor its widget library.
    const ProcessResult needed = testsupport::runProcess("readelf", {"-d", SNIPWELL_CLI});
    ASSERT_EQ(needed.exitCode, 0);
    EXPECT_TRUE(needed.out.contains("libQt5Core"));
    EXPECT_FALSE(needed.out.contains("libQt5Gui"));
    EXPECT_FALSE(needed.out.contains("libQt5Widgets"));
}

TEST_F(CliTest, InfoDescribesEachFileAsFfprobeSeesIt)
{
    const QString chapters = fixture("chapters_cover.mp4");
    const ProcessResult r = cli({"info", chapters, fixture("h264_aac.mp4"), out("missing.mp4")});
    EXPECT_EQ(r.exitCode, 1); // the missing file; the others are still described
    EXPECT_TRUE(r.err.contains("missing.mp4: ")) << r.err.constData();
    const QList<QJsonObject> infos = jsonLines(r.out);
    ASSERT_EQ(infos.size(), 2);
    const QJsonObject probe = testsupport::ffprobeJson(chapters, {"-show_format", "-show_streams", "-show_chapters"});
    const QJsonObject info = infos[0];
    EXPECT_EQ(info["file"].toString(), chapters);
    EXPECT_NEAR(info["duration"].toDouble(), probe["format"].toObject()["duration"].toString().toDouble(), 0.05);
    const QJsonArray probedChapters = probe["chapters"].toArray();
    const QJsonArray ourChapters = info["chapters"].toArray();
    ASSERT_EQ(ourChapters.size(), probedChapters.size());
    for (int i = 0; i < ourChapters.size(); ++i) {
        const QJsonObject theirs = probedChapters[i].toObject();
        EXPECT_EQ(ourChapters[i]["title"].toString(), theirs["tags"].toObject()["title"].toString());
        EXPECT_NEAR(ourChapters[i]["start"].toDouble(), theirs["start_time"].toString().toDouble(), 0.01);
        EXPECT_NEAR(ourChapters[i]["end"].toDouble(), theirs["end_time"].toString().toDouble(), 0.01);
    }
    QStringList ourCodecs, theirCodecs;
    for (const QJsonValue &s : info["streams"].toArray())
        ourCodecs << s["type"].toString() + ":" + s["codec"].toString();
    for (const QJsonValue &s : probe["streams"].toArray())
        if (s["codec_type"] == "video" || s["codec_type"] == "audio")
            if (s["disposition"].toObject()["attached_pic"].toInt() == 0)
                theirCodecs << s["codec_type"].toString() + ":" + s["codec_name"].toString();
    EXPECT_EQ(ourCodecs, theirCodecs);
    // Key frames: ffprobe's count of pictures flagged as key frames.
    const QJsonObject packets =
        testsupport::ffprobeJson(fixture("h264_aac.mp4"), {"-select_streams", "v:0", "-show_entries", "packet=flags"});
    int keys = 0;
    for (const QJsonValue &p : packets["packets"].toArray())
        keys += p["flags"].toString().startsWith('K') ? 1 : 0;
    EXPECT_EQ(infos[1]["keyFrames"].toInt(), keys);
    EXPECT_GT(keys, 1);
}

// The picture's description as ffprobe gives it: the exact frame rate of a
// file whose average rate is a little off (24 fps remuxed from millisecond
// time stamps), colours, HDR10 and HLG with their metadata, bit depth,
// rotation and field order.
TEST_F(CliTest, InfoDescribesRateColoursHdrRotationAndFieldOrder)
{
    const auto make = [&](const QStringList &args) {
        const ProcessResult r =
            testsupport::runProcess("ffmpeg", QStringList{"-nostdin", "-v", "error", "-y"} + args);
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    };
    make({"-f", "lavfi", "-i", "testsrc2=s=160x120:r=24:d=4", "-c:v", "libx264", "-preset", "ultrafast", out("ms.mkv")});
    make({"-i", out("ms.mkv"), "-c", "copy", out("remuxed.mp4")});
    const QString hdrParams = "master-display=G(13250,34500)B(7500,3000)R(34000,16000)WP(15635,16450)L(10000000,1):"
                              "max-cll=1000,400:log-level=error:pools=1";
    make({"-f", "lavfi", "-i", "testsrc2=s=160x120:r=25:d=0.2", "-c:v", "libx265", "-pix_fmt", "yuv420p10le",
          "-x265-params", "colorprim=bt2020:transfer=smpte2084:colormatrix=bt2020nc:" + hdrParams, "-color_primaries",
          "bt2020", "-color_trc", "smpte2084", "-colorspace", "bt2020nc", out("hdr10.mkv")});
    make({"-f", "lavfi", "-i", "testsrc2=s=160x120:r=25:d=0.2", "-c:v", "libx265", "-pix_fmt", "yuv420p10le",
          "-x265-params", "log-level=error:pools=1", "-color_primaries", "bt2020", "-color_trc", "arib-std-b67",
          "-colorspace", "bt2020nc", out("hlg.mp4")});

    const QStringList files{out("remuxed.mp4"), out("hdr10.mkv"), out("hlg.mp4"), fixture("rotated.mp4"),
                            fixture("look_interlaced.mkv"), fixture("look_full_range.mkv")};
    const ProcessResult r = cli(QStringList{"info"} + files);
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QList<QJsonObject> infos = jsonLines(r.out);
    ASSERT_EQ(infos.size(), files.size());
    const auto video = [&](int i) { return infos[i]["streams"].toArray()[0].toObject(); };
    const auto probedStream = [&](int i) {
        return testsupport::ffprobeJson(files[i], {"-select_streams", "v:0", "-show_streams"})["streams"]
            .toArray()[0]
            .toObject();
    };
    const auto probedFrame = [&](int i) {
        return testsupport::ffprobeJson(files[i], {"-select_streams", "v:0", "-show_frames", "-read_intervals", "%+#1"})
            ["frames"]
                .toArray()[0]
                .toObject();
    };

    // The average is off, the frame rate is not.
    const QJsonObject remuxed = probedStream(0);
    ASSERT_NE(remuxed["avg_frame_rate"].toString(), "24/1") << "the fixture no longer has an uneven average";
    EXPECT_EQ(video(0)["frameRate"].toDouble(), 24.0);
    EXPECT_EQ(video(0)["frameRateFraction"].toString(), remuxed["r_frame_rate"].toString());
    EXPECT_FALSE(video(0).contains("hdr"));
    EXPECT_EQ(video(0)["fieldOrder"].toString(), "progressive");

    // Colours and HDR against ffprobe's first picture.
    for (int i : {1, 2, 5}) {
        const QJsonObject frame = probedFrame(i);
        const QJsonObject color = video(i)["color"].toObject();
        EXPECT_EQ(color["primaries"].toString(), frame["color_primaries"].toString()) << files[i].toStdString();
        EXPECT_EQ(color["transfer"].toString(), frame["color_transfer"].toString()) << files[i].toStdString();
        EXPECT_EQ(color["matrix"].toString(), frame["color_space"].toString()) << files[i].toStdString();
        EXPECT_EQ(color["range"].toString(), frame["color_range"].toString()) << files[i].toStdString();
        EXPECT_EQ(video(i)["pixelFormat"].toString(), frame["pix_fmt"].toString()) << files[i].toStdString();
    }
    EXPECT_EQ(video(1)["hdr"].toString(), "HDR10");
    EXPECT_EQ(video(2)["hdr"].toString(), "HLG");
    EXPECT_FALSE(video(5).contains("hdr"));
    EXPECT_EQ(video(1)["bitDepth"].toInt(), 10);
    EXPECT_EQ(video(5)["bitDepth"].toInt(), 8);
    const auto ratio = [](const QJsonValue &v) {
        const QStringList parts = v.toString().split('/');
        return parts.size() == 2 ? parts[0].toDouble() / parts[1].toDouble() : parts[0].toDouble();
    };
    QJsonObject mastering, light;
    for (const QJsonValue &sd : probedFrame(1)["side_data_list"].toArray()) {
        if (sd["side_data_type"] == "Mastering display metadata")
            mastering = sd.toObject();
        if (sd["side_data_type"] == "Content light level metadata")
            light = sd.toObject();
    }
    ASSERT_FALSE(mastering.isEmpty());
    ASSERT_FALSE(light.isEmpty());
    const QJsonObject ours = video(1)["masteringDisplay"].toObject();
    EXPECT_DOUBLE_EQ(ours["maxLuminance"].toDouble(), ratio(mastering["max_luminance"]));
    EXPECT_DOUBLE_EQ(ours["minLuminance"].toDouble(), ratio(mastering["min_luminance"]));
    const QJsonArray primaries = ours["primaries"].toArray();
    ASSERT_EQ(primaries.size(), 4);
    const char *names[] = {"red", "green", "blue", "white_point"};
    for (int c = 0; c < 4; ++c) {
        EXPECT_DOUBLE_EQ(primaries[c].toArray()[0].toDouble(), ratio(mastering[QString(names[c]) + "_x"])) << names[c];
        EXPECT_DOUBLE_EQ(primaries[c].toArray()[1].toDouble(), ratio(mastering[QString(names[c]) + "_y"])) << names[c];
    }
    EXPECT_EQ(video(1)["contentLight"].toObject()["maxCll"].toInt(), light["max_content"].toInt());
    EXPECT_EQ(video(1)["contentLight"].toObject()["maxFall"].toInt(), light["max_average"].toInt());

    // ffprobe gives the display matrix's turn counter-clockwise; ours is
    // the clockwise turn that shows the picture upright.
    int turn = 0;
    for (const QJsonValue &sd : probedStream(3)["side_data_list"].toArray())
        if (sd["side_data_type"] == "Display Matrix")
            turn = sd["rotation"].toInt();
    ASSERT_NE(turn, 0);
    EXPECT_EQ(video(3)["rotation"].toInt(), (360 - turn) % 360);
    EXPECT_EQ(video(0)["rotation"].toInt(), 0);

    // Interlaced pictures in a container that calls them progressive.
    const QJsonObject fields = probedFrame(4);
    ASSERT_EQ(fields["interlaced_frame"].toInt(), 1);
    EXPECT_EQ(video(4)["fieldOrder"].toString(), fields["top_field_first"].toInt() ? "tt" : "bb");
}

TEST_F(CliTest, CutsTheSameSegmentsOutOfEveryFileIntoTheChosenContainerAndNames)
{
    const QString a = copy("long_h264_aac.mp4", "first.mp4");
    const QString b = copy("long_h264_aac.mp4", "second.mp4");
    const ProcessResult r = cli({"cut", "--cut", "2-6", "--cut", "1:00.0-", "--cut", "0:00:16.5-", "--container", "mkv",
                                 "--name", "{name} {n:02}.{ext}", "--output-dir", out(), a, b});
    ASSERT_TRUE(r.finished);
    // "1:00.0-" starts past the 20 s files: left out and named, a failure;
    // the other segments are written all the same.
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    EXPECT_EQ(r.err.count("starts past the end"), 2) << r.err.constData();
    const QStringList written = lines(r.out);
    EXPECT_EQ(written.join('|').toStdString(), QStringList({out() + "/first 01.mkv", out() + "/first 02.mkv",
                                                            out() + "/second 01.mkv", out() + "/second 02.mkv"})
                                                   .join('|')
                                                   .toStdString());
    for (const QString &path : written) {
        EXPECT_TRUE(probedFormat(path).contains("matroska")) << path.toStdString();
    }
    // Copies start at the key frame at or before the start (a second apart).
    EXPECT_NEAR(probedDuration(written[0]), 4.0, 1.05);
    EXPECT_NEAR(probedDuration(written[1]), 3.5, 1.05);
    // A second run never overwrites: the numbers count on.
    const ProcessResult again =
        cli({"cut", "--cut", "2-3", "--container", "mkv", "--name", "{name} {n:02}.{ext}", "--output-dir", out(), a});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(lines(again.out).join(' ').toStdString(), (out() + "/first 03.mkv").toStdString());
}

// Blu-ray and AVCHD transport streams keep their 192-byte packets (an
// arrival time stamp, then the 188-byte packet) when the container is kept,
// copied or cut frame-exactly: players of .m2ts files expect them.
TEST_F(CliTest, M2tsSourcesKeepTheirPacketsWithArrivalTimeStamps)
{
    for (const QString mode : {"copy", "exact"}) {
        const QString dir = out(mode);
        const ProcessResult r =
            cli({"cut", "--mode", mode, "--cut", "1.2-3", "--output-dir", dir, fixture("m2ts_h264_aac.m2ts")});
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        const QStringList written = lines(r.out);
        ASSERT_EQ(written.size(), 1);
        EXPECT_TRUE(written[0].endsWith(".m2ts")) << written[0].toStdString();
        QFile file(written[0]);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GT(bytes.size(), 192 * 10);
        EXPECT_EQ(bytes.size() % 192, 0) << mode.toStdString() << ": " << bytes.size() << " bytes";
        int unsynced = 0;
        for (int at = 4; at < bytes.size(); at += 192)
            unsynced += bytes[at] == 0x47 ? 0 : 1;
        EXPECT_EQ(unsynced, 0) << mode.toStdString() << ": packets without their sync byte after the time stamp";
        const QJsonObject probe = testsupport::ffprobeJson(written[0]);
        EXPECT_EQ(probe["format"].toObject()["format_name"].toString(), "mpegts");
        EXPECT_EQ(probe["streams"].toArray().size(), 2);
        EXPECT_NEAR(probedDuration(written[0]), 1.8, 0.5) << mode.toStdString();
    }
}

TEST_F(CliTest, ExactCutsReportHowEachRangeWasCutAndFallBackWithTheReason)
{
    const ProcessResult r = cli({"cut", "--json", "--mode", "exact", "--cut", "1.32-3.72", "--output-dir", out(),
                                 fixture("long_h264_aac.mp4")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QList<QJsonObject> events = jsonLines(r.out);
    QString path, report, check;
    bool progress = false, done = false;
    for (const QJsonObject &e : events) {
        progress = progress || e["type"] == "progress";
        if (e["type"] == "output") {
            path = e["path"].toString();
            report = e["cutReport"].toString();
            check = e["check"].toString();
        }
        if (e["type"] == "done") {
            done = e["ok"].toBool() && e["outputs"].toInt() == 1;
        }
    }
    EXPECT_TRUE(progress);
    EXPECT_TRUE(done);
    EXPECT_TRUE(report.startsWith("frame-exact")) << report.toStdString();
    EXPECT_EQ(check, "passed");
    EXPECT_NEAR(probedDuration(path), 2.4, 0.05);

    // AVI is not written frame-exact: it is cut at key frames, the output
    // is still written, and the note says so and why.
    const ProcessResult open = cli({"cut", "--mode", "exact", "--cut", "1.3-3.3", "--output-dir", out("open"),
                                    fixture("plain.avi")});
    EXPECT_EQ(open.exitCode, 0) << open.err.constData();
    ASSERT_EQ(lines(open.out).size(), 1);
    EXPECT_TRUE(open.err.contains("not frame-exact, cut at key frames: ")) << open.err.constData();
}

TEST_F(CliTest, SegmentsFromCutListsAndChaptersMergedOrOneFileEach)
{
    QFile csv(out("list.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("start,end,label\n1,2.5,\"Intro, short\"\n0:03,0:05,Main\n");
    csv.close();
    const ProcessResult listed =
        cli({"cut", "--cuts", out("list.csv"), "--name", "{label}", "--output-dir", out("listed"), fixture("long_h264_aac.mp4")});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.constData();
    EXPECT_EQ(lines(listed.out), (QStringList{out("listed") + "/Intro, short.mp4", out("listed") + "/Main.mp4"}));

    const ProcessResult chapters =
        cli({"cut", "--chapters", "--name", "{n} {label}", "--output-dir", out("chapters"), fixture("chapters_cover.mp4")});
    ASSERT_EQ(chapters.exitCode, 0) << chapters.err.constData();
    const QStringList parts = lines(chapters.out);
    ASSERT_EQ(parts, (QStringList{out("chapters") + "/1 Opening.mp4", out("chapters") + "/2 Middle.mp4",
                                  out("chapters") + "/3 Ending.mp4"}));
    EXPECT_NEAR(probedDuration(parts[1]), 2.0, 0.1);

    // Merged: one file as long as its parts; with --merge-chapters one
    // chapter per part, named by its label.
    const ProcessResult merged = cli({"cut", "--chapters", "--merge", "--merge-chapters", "--output-dir", out("merged"),
                                      fixture("chapters_cover.mp4")});
    ASSERT_EQ(merged.exitCode, 0) << merged.err.constData();
    ASSERT_EQ(lines(merged.out).size(), 1);
    const QString file = lines(merged.out).first();
    EXPECT_NEAR(probedDuration(file), 6.0, 0.1);
    const QJsonArray probed = testsupport::ffprobeJson(file, {"-show_chapters"})["chapters"].toArray();
    ASSERT_EQ(probed.size(), 3);
    EXPECT_EQ(probed[1].toObject()["tags"].toObject()["title"].toString(), "Middle");
    EXPECT_NEAR(probed[1].toObject()["start_time"].toString().toDouble(), 2.0, 0.1);

    // A file without chapters cannot be cut by them.
    const ProcessResult none = cli({"cut", "--chapters", "--output-dir", out("none"), fixture("h264_aac.mp4")});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains("no chapters")) << none.err.constData();
}

TEST_F(CliTest, AProjectGivesItsSegmentsAndTheirLabelsToEveryFile)
{
    // A project as the window saves it: its source is some other file; its
    // segments (the last one to the end) are cut from every FILE.
    const auto writeProject = [this](const QString &name, const QByteArray &segments) {
        QFile f(out(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(R"({"format": "zelvane-snipwell-project", "version": 1,
                    "source": {"path": "/nowhere/holiday.mp4", "size": 1},
                    "segments": )" + segments + R"(,
                    "output": {"mode": "high-speed", "frame_exact": true},
                    "view": {"mode": "free", "current_segment": 1}})");
        return out(name);
    };
    const QString project = writeProject(
        "trip.snipwell",
        R"([{"start_us": 1000000, "end_us": 3000000, "label": "Arrival", "edit": {}},
            {"start_us": 18000000, "end_us": 0, "label": "Departure"}])");
    const ProcessResult each = cli({"cut", "--cuts", project, "--mode", "exact", "--jobs", "2", "--name",
                                    "{name} {n} {label}.{ext}", "--output-dir", out("each"),
                                    fixture("long_h264_aac.mp4"), fixture("gop_h264.mp4")});
    ASSERT_EQ(each.exitCode, 0) << each.err.constData();
    QStringList written = lines(each.out);
    written.sort();
    const QString dir = out("each") + "/";
    ASSERT_EQ(written, (QStringList{dir + "gop_h264 1 Arrival.mp4", dir + "gop_h264 2 Departure.mp4",
                                    dir + "long_h264_aac 1 Arrival.mp4", dir + "long_h264_aac 2 Departure.mp4"}));
    // To the end means to the end of each file: 24 s and 20 s long.
    const QVector<double> durations{2.0, 6.0, 2.0, 2.0};
    for (int i = 0; i < written.size(); ++i)
        EXPECT_NEAR(probedDuration(written[i]), durations[i], 0.1) << written[i].toStdString();

    // The labels name the chapters of a merge, and the segments follow the
    // times a command line gives before them.
    const ProcessResult merged = cli({"cut", "--cut", "5-6", "--cuts", project, "--merge", "--merge-chapters",
                                      "--output-dir", out("merged"), fixture("long_h264_aac.mp4")});
    ASSERT_EQ(merged.exitCode, 0) << merged.err.constData();
    ASSERT_EQ(lines(merged.out).size(), 1);
    const QJsonArray chapters =
        testsupport::ffprobeJson(lines(merged.out).first(), {"-show_chapters"})["chapters"].toArray();
    ASSERT_EQ(chapters.size(), 3);
    EXPECT_EQ(chapters[1].toObject()["tags"].toObject()["title"].toString(), "Arrival");
    EXPECT_EQ(chapters[2].toObject()["tags"].toObject()["title"].toString(), "Departure");

    // A project that cannot be used stops the run before any file.
    QFile whole(project), cut(out("short.snipwell"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly) && cut.open(QIODevice::WriteOnly));
    cut.write(whole.readAll().left(150)); // saving was interrupted
    cut.close();
    const QList<QPair<QString, QString>> broken{
        {out("short.snipwell"), "incomplete"},
        {writeProject("backwards.snipwell", R"([{"start_us": 5000000, "end_us": 2000000}])"),
         "segments[0] ends before it starts"},
        {writeProject("empty.snipwell", "[]"), "the project holds no segments"},
        {out("absent.snipwell"), "could not be read"},
    };
    for (const auto &b : broken) {
        const ProcessResult r = cli({"cut", "--cuts", b.first, "--output-dir", out("never"), fixture("h264_aac.mp4")});
        EXPECT_EQ(r.exitCode, 2) << b.first.toStdString();
        EXPECT_TRUE(r.err.contains(b.second.toUtf8())) << b.first.toStdString() << ": " << r.err.constData();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_TRUE(entries(out("never")).isEmpty());
}

TEST_F(CliTest, EncodesToAFormatAtEitherQuality)
{
    const ProcessResult high = cli({"cut", "--format", "MKV Video", "--cut", "1-3", "--output-dir", out("high"),
                                    fixture("long_h264_aac.mp4")});
    ASSERT_EQ(high.exitCode, 0) << high.err.constData();
    const ProcessResult small = cli({"cut", "--format", "mkv video", "--quality", "small", "--cut", "1-3",
                                     "--output-dir", out("small"), fixture("long_h264_aac.mp4")});
    ASSERT_EQ(small.exitCode, 0) << small.err.constData();
    const QString highFile = lines(high.out).value(0), smallFile = lines(small.out).value(0);
    EXPECT_TRUE(highFile.endsWith(".mkv"));
    EXPECT_TRUE(probedFormat(highFile).contains("matroska"));
    // Re-encoded: exact at both ends, not at key frames.
    EXPECT_NEAR(probedDuration(highFile), 2.0, 0.1);
    EXPECT_LT(QFileInfo(smallFile).size(), QFileInfo(highFile).size());
}

TEST_F(CliTest, WrongCommandLinesExitWithTwoAndTouchNothing)
{
    const QString file = fixture("h264_aac.mp4");
    const QList<QPair<QStringList, QString>> cases{
        {{"cut", "--cut", "1:xx-2", file}, "'1:xx' is not a time"},
        {{"cut", "--cut", "4-3", file}, "the end is not after the start"},
        {{"cut", "--cut", "3", file}, "START-END"},
        {{"cut", "--format", "Betamax", file}, "unknown format 'Betamax'"},
        {{"cut", "--container", "tape", file}, "unknown container 'tape'"},
        {{"cut", "--mode", "fast", file}, "--mode fast"},
        {{"cut", "--format", "4000", "--quality", "best", file}, "--quality best"},
        {{"cut", "--container", "mkv", "--quality", "small", file}, "--mode encode"},
        {{"cut", "--merge-chapters", file}, "--merge-chapters goes with --merge"},
        {{"cut", "--name", "{title}", file}, "{title}"},
        {{"cut", "--jobs", "0", file}, "--jobs 0"},
        {{"cut", "--cuts", out("absent.csv"), file}, "absent.csv"},
        {{"cut", "--frobnicate", file}, "unknown option --frobnicate"},
        {{"cut", "--cut", "1-2"}, "no FILE"},
        {{"info"}, "no FILE"},
        {{"split", file}, "unknown command 'split'"},
        {{}, "a command is missing"},
    };
    for (const auto &c : cases) {
        QStringList args = c.first;
        if (args.value(0) == "cut")
            args.insert(1, "--output-dir"), args.insert(2, out("never"));
        const ProcessResult r = cli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.second.toUtf8())) << args.join(' ').toStdString() << ": " << r.err.constData();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_TRUE(entries(out("never")).isEmpty());

    // In the language the environment asks for.
    QProcess german;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("LANGUAGE");
    env.remove("LC_ALL");
    env.remove("LC_MESSAGES");
    env.insert("LANG", "de_DE.UTF-8");
    german.setProcessEnvironment(env);
    german.start(SNIPWELL_CLI, {"cut", "--mode", "fast", file});
    ASSERT_TRUE(german.waitForFinished(30000));
    EXPECT_EQ(german.exitCode(), 2);
    EXPECT_TRUE(german.readAllStandardError().contains("verwenden Sie copy, exact oder encode"));
}

TEST_F(CliTest, AFileThatFailsIsNamedWithItsReasonAndTheOthersAreStillWritten)
{
    const QString good = copy("h264_aac.mp4", "good.mp4");
    const QString unreadable = copy("h264_aac.mp4", "locked.mp4");
    ASSERT_TRUE(QFile::setPermissions(unreadable, QFileDevice::WriteOwner));
    QDir().mkpath(out());
    QFile::setPermissions(out(), QFileDevice::Permissions(0x7777)); // the ordinary user writes here
    QFile::setPermissions(m_dir.path(), QFileDevice::Permissions(0x7777));
    const ProcessResult r = cliAsUser({"cut", "--cut", "1-2", "--output-dir", out(), out("../absent.mp4"), unreadable,
                                       fixture("not_media.mp4"), fixture("random_bytes.mp4"), good});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 1);
    const QString err = QString::fromUtf8(r.err);
    EXPECT_TRUE(err.contains("absent.mp4: no such file")) << err.toStdString();
    EXPECT_TRUE(err.contains("locked.mp4: not readable")) << err.toStdString();
    EXPECT_TRUE(err.contains("not_media.mp4: ")) << err.toStdString();
    EXPECT_TRUE(err.contains("random_bytes.mp4: ")) << err.toStdString();
    EXPECT_EQ(lines(r.out), QStringList{out() + "/good_1.mp4"});
    EXPECT_EQ(entries(out()), QStringList{"good_1.mp4"});
    EXPECT_NEAR(probedDuration(out() + "/good_1.mp4"), 1.0, 1.05);

    // An output folder the user may not write to: a failure, nothing tried.
    QDir().mkpath(out("closed"));
    QFile::setPermissions(out("closed"), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                             | QFileDevice::ExeOther);
    const ProcessResult closed = cliAsUser({"cut", "--output-dir", out("closed"), good});
    EXPECT_EQ(closed.exitCode, 1);
    EXPECT_TRUE(closed.err.contains("not writable")) << closed.err.constData();
    EXPECT_TRUE(entries(out("closed")).isEmpty());
}

// A recording whose sound is damaged where the cut begins: the output
// starts with sound that does not decode, fails its check, is not kept,
// and the run fails, in JSON and in text. Sound that simply ended before
// the range is no fault: that output is kept.
TEST_F(CliTest, AnOutputThatFailsItsCheckIsNotKeptAndTheRunFails)
{
    const ProcessResult r = cli({"cut", "--json", "--cut", "3-", "--output-dir", out(), fixture("damaged_sound.mp4")});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    QString check, error;
    bool written = true, ok = true;
    for (const QJsonObject &e : jsonLines(r.out)) {
        if (e["type"] == "output") {
            check = e["check"].toString();
            written = e["written"].toBool(true);
        }
        if (e["type"] == "error")
            error = e["message"].toString();
        if (e["type"] == "done")
            ok = e["ok"].toBool();
    }
    EXPECT_FALSE(written);
    EXPECT_TRUE(check.startsWith("head: ")) << check.toStdString();
    EXPECT_TRUE(error.contains("failed its check and was not kept")) << error.toStdString();
    EXPECT_FALSE(ok);
    EXPECT_TRUE(entries(out()).isEmpty()) << entries(out()).join(' ').toStdString();

    // The text form names the output and the reason on standard error.
    const ProcessResult text = cli({"cut", "--cut", "3-", "--output-dir", out(), fixture("damaged_sound.mp4")});
    EXPECT_EQ(text.exitCode, 1);
    EXPECT_TRUE(text.out.isEmpty()) << text.out.constData();
    EXPECT_TRUE(text.err.contains("damaged_sound_1.mp4 failed its check")) << text.err.constData();

    // Sound that ended at 1 s: a cut of 2-4 s has none to hear, copied and
    // encoded alike, and is kept.
    for (const char *mode : {"copy", "encode"}) {
        const QString dir = out(mode);
        const ProcessResult quiet = cli({"cut", "--json", "--mode", mode, "--cut", "2-4", "--output-dir", dir,
                                         fixture("short_sound.mp4")});
        EXPECT_EQ(quiet.exitCode, 0) << mode << quiet.out.constData() << quiet.err.constData();
        const QStringList written = entries(dir);
        ASSERT_EQ(written.size(), 1) << mode;
        EXPECT_NEAR(probedDuration(dir + "/" + written.first()), 2.0, 0.15) << mode;
    }
}

TEST_F(CliTest, TimesPastTheEndAreCutThereWithANote)
{
    const ProcessResult r = cli({"cut", "--json", "--cut", "2-1:30", "--output-dir", out(), fixture("long_h264_aac.mp4")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    QString note, path;
    for (const QJsonObject &e : jsonLines(r.out)) {
        if (e["type"] == "note")
            note += e["message"].toString() + "\n";
        if (e["type"] == "output")
            path = e["path"].toString();
    }
    EXPECT_TRUE(note.contains("ends past the end of the file (0:00:20.0)")) << note.toStdString();
    // The file itself is whole: read to its end, it did not end early.
    EXPECT_FALSE(note.contains("The source ends at")) << note.toStdString();
    EXPECT_NEAR(probedDuration(path), 18.0, 1.05);
}

TEST_F(CliTest, AFullDiskFailsAndLeavesNoPartialFile)
{
    // A small file system of its own, mounted in a private namespace.
    const ProcessResult probe = testsupport::runProcess("unshare", {"-rm", "true"});
    if (probe.exitCode != 0)
        GTEST_SKIP() << "no user namespace for a small tmpfs here: " << probe.err.constData();
    const QString dir = out("small");
    QDir().mkpath(dir);
    const QString script = QStringLiteral("mount -t tmpfs -o size=160k none \"$1\" || exit 99; \"$2\" cut --cut 0-15 "
                                          "--output-dir \"$1\" \"$3\"; rc=$?; ls -A \"$1\"; exit $rc");
    const ProcessResult r = testsupport::runProcess(
        "unshare", {"-rm", "sh", "-c", script, "sh", dir, SNIPWELL_CLI, fixture("long_h264_aac.mp4")});
    if (r.exitCode == 99)
        GTEST_SKIP() << "tmpfs cannot be mounted here: " << r.err.constData();
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    EXPECT_TRUE(r.err.contains("long_h264_aac.mp4: ")) << r.err.constData();
    // ls -A of the full folder after the run: nothing, not even a temporary.
    EXPECT_TRUE(r.out.trimmed().isEmpty()) << r.out.constData();
}

TEST_F(CliTest, CtrlCStopsAtOnceAndLeavesNothingBehind)
{
    const QString a = copy("long_h264_aac.mp4", "a.mp4");
    const QString b = copy("long_h264_aac.mp4", "b.mp4");
    const QString c = copy("long_h264_aac.mp4", "c.mp4");
    for (const QStringList &jobs : {QStringList{}, QStringList{"--jobs", "2"}}) {
        SCOPED_TRACE(jobs.join(' ').toStdString());
        const QString dir = out(jobs.isEmpty() ? "one" : "two");
        QProcess p;
        p.start(SNIPWELL_CLI, QStringList{"cut", "--json", "--format", "4000", "--output-dir", dir} + jobs
                                  + QStringList{a, b, c});
        ASSERT_TRUE(p.waitForStarted());
        // Interrupted once the first encode is under way.
        QByteArray seen;
        while (!seen.contains("\"progress\"") && p.state() == QProcess::Running) {
            p.waitForReadyRead(5000);
            seen += p.readAllStandardOutput();
        }
        ASSERT_TRUE(seen.contains("\"progress\"")) << seen.constData();
        ::kill(pid_t(p.processId()), SIGINT);
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 1);
        seen += p.readAllStandardOutput();
        EXPECT_TRUE(seen.contains("stopped")) << seen.constData();
        EXPECT_TRUE(entries(dir).isEmpty()) << entries(dir).join(' ').toStdString();
    }
}

TEST_F(CliTest, JobsConvertSeveralFilesAtOnce)
{
    QStringList files;
    for (int i = 0; i < 4; ++i)
        files << copy("h264_aac.mp4", QStringLiteral("clip%1.mp4").arg(i));
    files.insert(2, fixture("not_media.mp4"));
    const ProcessResult r = cli(QStringList{"cut", "--json", "--jobs", "2", "--cut", "1-3", "--output-dir", out()} + files);
    EXPECT_EQ(r.exitCode, 1); // the one that is no media
    QStringList written;
    int errors = 0;
    for (const QJsonObject &e : jsonLines(r.out)) {
        if (e["type"] == "output")
            written << QFileInfo(e["path"].toString()).fileName();
        if (e["type"] == "error")
            errors += e["file"].toString().endsWith("not_media.mp4") ? 1 : 100;
    }
    written.sort();
    EXPECT_EQ(written, (QStringList{"clip0_1.mp4", "clip1_1.mp4", "clip2_1.mp4", "clip3_1.mp4"}));
    EXPECT_EQ(errors, 1);
    for (const QString &name : written) {
        EXPECT_NEAR(probedDuration(out() + "/" + name), 2.0, 1.05);
    }
}

// The processes whose parent is pid, read from /proc.
QList<qint64> childProcesses(qint64 pid)
{
    QList<qint64> children;
    for (const QString &entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const qint64 candidate = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        QFile stat("/proc/" + entry + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold spaces and brackets.
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toLongLong() == pid)
            children << candidate;
    }
    return children;
}

TEST_F(CliTest, JobsConvertTogetherInsideOneProcessWithoutHelpers)
{
    // Two files encoded with --jobs 2: no child process is ever started,
    // both conversions are under way at once (the second file reports
    // progress before the first is done), and both outputs are whole.
    const QString a = copy("long_h264_aac.mp4", "a.mp4");
    const QString b = copy("long_h264_aac.mp4", "b.mp4");
    QProcess p;
    // An instrumented build's leak check stops the program at its exit from
    // a process of its own (a clone of the program): not a helper of ours.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
    p.setProcessEnvironment(env);
    p.start(SNIPWELL_CLI, QStringList{"cut", "--json", "--jobs", "2", "--format", "4000", "--cut", "2-8",
                                      "--output-dir", out(), a, b});
    ASSERT_TRUE(p.waitForStarted());
    QSet<qint64> children;
    QByteArray seen;
    QElapsedTimer clock;
    clock.start();
    while (p.state() != QProcess::NotRunning && clock.elapsed() < 120000) {
        for (qint64 child : childProcesses(p.processId()))
            children.insert(child);
        p.waitForReadyRead(2);
        seen += p.readAllStandardOutput();
    }
    ASSERT_EQ(p.state(), QProcess::NotRunning) << "the run did not end";
    seen += p.readAllStandardOutput();
    EXPECT_TRUE(children.isEmpty()) << "child processes: " << children.size();
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();

    QStringList written;
    int firstDone = -1;
    int otherFirstProgress = -1;
    QString firstFile;
    const QList<QJsonObject> events = jsonLines(seen);
    for (int i = 0; i < events.size(); ++i) {
        const QJsonObject &e = events[i];
        if (e["type"] == "output")
            written << QFileInfo(e["path"].toString()).fileName();
        if (e["type"] == "done" && firstDone < 0) {
            firstDone = i;
            firstFile = e["file"].toString();
        }
    }
    for (int i = 0; i < events.size(); ++i)
        if (events[i]["type"] == "progress" && !firstFile.isEmpty() && events[i]["file"].toString() != firstFile
            && otherFirstProgress < 0)
            otherFirstProgress = i;
    ASSERT_GE(firstDone, 0) << seen.constData();
    ASSERT_GE(otherFirstProgress, 0) << seen.constData();
    EXPECT_LT(otherFirstProgress, firstDone) << "the files were converted one after the other:\n" << seen.constData();
    written.sort();
    ASSERT_EQ(written, (QStringList{"a_1.mp4", "b_1.mp4"}));
    for (const QString &name : written) {
        EXPECT_NEAR(probedDuration(out() + "/" + name), 6.0, 0.5) << name.toStdString();
        EXPECT_EQ(probedFormat(out() + "/" + name), "mov,mp4,m4a,3gp,3g2,mj2");
    }
}

// detect prints the ranges the fixture was made with, takes its settings,
// and names what a file cannot give.
TEST_F(CliTest, DetectPrintsTheRangesOfEachKind)
{
    const QString path = fixture("detect.mp4");
    ProcessResult r = cli({"detect", "silence", path});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QStringList lines = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << r.out.constData();
    const QList<QPair<double, double>> expected{{2.0, 3.5}, {9.0, 12.0}};
    for (int i = 0; i < 2; ++i) {
        const QStringList f = lines[i].split(' ');
        ASSERT_EQ(f.size(), 2);
        EXPECT_NEAR(f[0].toDouble(), expected[i].first, 0.1);
        EXPECT_NEAR(f[1].toDouble(), expected[i].second, 0.1);
    }

    r = cli({"detect", "scene", "--json", "--min-length", "5", path});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o["kind"].toString(), "scene");
    const QJsonArray ranges = o["ranges"].toArray();
    ASSERT_EQ(ranges.size(), 2);
    EXPECT_NEAR(ranges[0].toObject()["start"].toDouble(), 3.0, 0.1);
    EXPECT_NEAR(ranges[1].toObject()["start"].toDouble(), 10.0, 0.1);
    EXPECT_GT(ranges[0].toObject()["score"].toDouble(), 10);

    r = cli({"detect", "black", "--threshold", "0.98", path, fixture("tone.flac")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains("3.000 4.000")) << r.out.constData();
    EXPECT_TRUE(r.err.contains("no pictures")) << r.err.constData();

    EXPECT_EQ(cli({"detect", "loudness", path}).exitCode, 2);
    EXPECT_EQ(cli({"detect", "silence", "--threshold", "loud", path}).exitCode, 2);
    r = cli({"detect", "silence", "--threshold", "5", path});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("out of its range")) << r.err.constData();
}

// Every subtitle stream into NAME.INDEX.LANGUAGE.EXT beside the file or in
// --output-dir, as the ffmpeg CLI reads the stream; --cut keeps what the
// segments show; existing files are left alone (exit 1) and wrong command
// lines write nothing (exit 2).
TEST_F(CliTest, ExtractSubtitlesWritesEachStreamAsItsOwnFile)
{
    const QString dir = out("subs");
    ASSERT_TRUE(QDir().mkpath(dir));
    ProcessResult r = cli({"extract-subtitles", "--output-dir", dir, fixture("two_audio_subs.mkv"),
                           fixture("timed_text.mp4"), fixture("h264_aac.mp4")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(entries(dir), QStringList({"timed_text.1.ger.srt", "two_audio_subs.3.eng.srt"}));
    EXPECT_TRUE(r.err.contains("no subtitle streams")) << r.err.constData();
    const ProcessResult theirs = testsupport::runProcess(
        "ffmpeg", {"-nostdin", "-v", "error", "-i", fixture("timed_text.mp4"), "-map", "0:1", "-f", "srt", "-"});
    QFile ours(dir + "/timed_text.1.ger.srt");
    ASSERT_TRUE(ours.open(QIODevice::ReadOnly));
    EXPECT_EQ(ours.readAll(), theirs.out);

    r = cli({"extract-subtitles", "--json", "--format", "ass", "--cut", "1-2.5", "--output-dir", dir,
             fixture("styled_subs.mkv")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QList<QJsonObject> written = jsonLines(r.out);
    ASSERT_EQ(written.size(), 1);
    EXPECT_EQ(written[0]["path"].toString(), dir + "/styled_subs.0.und.ass");
    const QJsonArray events = testsupport::ffprobeJson(written[0]["path"].toString(),
                                                       {"-show_entries", "packet=pts_time,duration_time"})
                                  .value("packets")
                                  .toArray();
    ASSERT_EQ(events.size(), 3); // 1.0-2.5 shows three events, from 0
    EXPECT_NEAR(events[0].toObject()["pts_time"].toString().toDouble(), 0.0, 0.001);
    EXPECT_NEAR(events[0].toObject()["duration_time"].toString().toDouble(), 0.9, 0.001);

    r = cli({"extract-subtitles", "--output-dir", dir, fixture("two_audio_subs.mkv")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("already exists")) << r.err.constData();
    const QStringList before = entries(dir);
    EXPECT_EQ(cli({"extract-subtitles", "--format", "vtt", fixture("styled_subs.mkv")}).exitCode, 2);
    EXPECT_EQ(cli({"extract-subtitles", "--cut", "3-1", fixture("styled_subs.mkv")}).exitCode, 2);
    EXPECT_EQ(cli({"extract-subtitles", "--output-dir", out("missing"), fixture("styled_subs.mkv")}).exitCode, 2);
    EXPECT_EQ(entries(dir), before);
    EXPECT_EQ(cli({"extract-subtitles", "--output-dir", dir, fixture("not_media.mp4")}).exitCode, 1);
}

TEST_F(CliTest, JoinPutsTheSegmentsOfSeveralFilesIntoOneOutputOrSaysWhatDiffers)
{
    // A recording and one made with other encoder settings, whole: one
    // file as long as both, playing cleanly (the ffmpeg CLI decodes it).
    // With --merge-chapters each part is a chapter named after its file.
    const ProcessResult joined = cli({"join", "--merge-chapters", "--output-dir", out("joined"),
                                      fixture("h264_aac.mp4"), fixture("join_params_h264.mp4")});
    ASSERT_EQ(joined.exitCode, 0) << joined.err.constData();
    ASSERT_EQ(lines(joined.out), QStringList{out("joined") + "/h264_aac_1.mp4"});
    EXPECT_NEAR(probedDuration(lines(joined.out).first()), 7.0, 0.1);
    const QJsonArray chapters
        = testsupport::ffprobeJson(lines(joined.out).first(), {"-show_chapters"})["chapters"].toArray();
    ASSERT_EQ(chapters.size(), 2);
    EXPECT_EQ(chapters[0].toObject()["tags"].toObject()["title"].toString(), "h264_aac");
    EXPECT_EQ(chapters[1].toObject()["tags"].toObject()["title"].toString(), "join_params_h264");
    EXPECT_NEAR(chapters[1].toObject()["start_time"].toString().toDouble(), 5.0, 0.1);
    // The second file's parameter sets differ and travel with its pictures:
    // the sample entry says so (avc3); ranges of one file keep avc1.
    const auto videoTag = [](const QString &file) {
        return testsupport::ffprobeJson(file)["streams"].toArray()[0].toObject()["codec_tag_string"].toString();
    };
    EXPECT_EQ(videoTag(lines(joined.out).first()), "avc3");
    const ProcessResult sameFile = cli({"join", "--output-dir", out("same"), fixture("h264_aac.mp4"), "--cut", "0-1",
                                        fixture("h264_aac.mp4"), "--cut", "2-3"});
    ASSERT_EQ(sameFile.exitCode, 0) << sameFile.err.constData();
    EXPECT_EQ(videoTag(lines(sameFile.out).first()), "avc1");
    const ProcessResult decoded = testsupport::runProcess(
        "ffmpeg", {"-nostdin", "-v", "error", "-i", lines(joined.out).first(), "-f", "null", "-"});
    EXPECT_EQ(decoded.exitCode, 0);
    EXPECT_EQ(decoded.err.trimmed(), QByteArray());

    // A cut belongs to the file before it: one second of the first file,
    // all of the second (six seconds, not two).
    const ProcessResult perFile = cli({"join", "--output-dir", out("perfile"), fixture("join_params_h264.mp4"),
                                       "--cut", "0-1", fixture("h264_aac.mp4")});
    ASSERT_EQ(perFile.exitCode, 0) << perFile.err.constData();
    ASSERT_EQ(lines(perFile.out).size(), 1);
    EXPECT_NEAR(probedDuration(lines(perFile.out).first()), 6.0, 0.15);

    // Sound at another rate: named with what differs, nothing written; an
    // encode of the same segments joins them.
    const QStringList files{fixture("h264_aac.mp4"), fixture("join_48k.mp4")};
    const ProcessResult refused = cli(QStringList{"join", "--cut", "0-1", "--output-dir", out("refused")} + files);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("join_48k.mp4: audio 48 kHz, others 44.1 kHz")) << refused.err.constData();
    EXPECT_TRUE(QDir(out("refused")).entryList(QDir::Files | QDir::Hidden).isEmpty());
    // Asked to, the sound alone is encoded to match; the pictures are copied.
    const ProcessResult matched
        = cli(QStringList{"join", "--cut", "0-1", "--match-sound", "--output-dir", out("matched")} + files);
    ASSERT_EQ(matched.exitCode, 0) << matched.err.constData();
    ASSERT_EQ(lines(matched.out).size(), 1);
    const QJsonArray matchedStreams = testsupport::ffprobeJson(lines(matched.out).first())["streams"].toArray();
    ASSERT_EQ(matchedStreams.size(), 2);
    EXPECT_EQ(matchedStreams[1].toObject()["sample_rate"].toString(), "44100");
    EXPECT_NEAR(probedDuration(lines(matched.out).first()), 2.0, 0.1);
    EXPECT_EQ(cli(QStringList{"cut", "--match-sound"} + files).exitCode, 2); // a join's option only
    const ProcessResult encoded = cli(QStringList{"join", "--cut", "0-1", "--mode", "encode", "--format",
                                                  "MP4 H.264/AAC", "--output-dir", out("encoded")}
                                      + files);
    ASSERT_EQ(encoded.exitCode, 0) << encoded.err.constData();
    ASSERT_EQ(lines(encoded.out).size(), 1);
    EXPECT_NEAR(probedDuration(lines(encoded.out).first()), 2.0, 0.1);
}

// --json names how the segment after each join was made, and what was
// written agrees: a frame-exact start makes the file as long as the
// segments asked (a key-frame copy would start half a second early), a
// matched sound has the first file's rate.
TEST_F(CliTest, JoinJsonNamesTheMethodOfEachJoin)
{
    const auto outputLine = [](const ProcessResult &r) {
        QJsonObject output;
        for (const QJsonObject &o : jsonLines(r.out))
            if (o["type"].toString() == "output")
                output = o;
        return output;
    };
    const auto methods = [](const QJsonObject &output) {
        QStringList list;
        for (const QJsonValue &j : output["joins"].toArray())
            list << QString("%1:%2:%3/%4")
                        .arg(j.toObject()["segment"].toInt())
                        .arg(QFileInfo(j.toObject()["file"].toString()).fileName(),
                             j.toObject()["method"].toString(), j.toObject()["sound"].toString());
        return list.join(' ');
    };

    // Copied, and copied with the sound encoded to match.
    const ProcessResult copied = cli({"join", "--json", "--match-sound", "--output-dir", out("copy"),
                                      fixture("h264_aac.mp4"), "--cut", "0-1", fixture("join_params_h264.mp4"),
                                      "--cut", "0-1", fixture("join_48k.mp4"), "--cut", "0-1"});
    ASSERT_EQ(copied.exitCode, 0) << copied.err.constData();
    QJsonObject output = outputLine(copied);
    EXPECT_EQ(methods(output).toStdString(),
              "2:join_params_h264.mp4:copy/copied 3:join_48k.mp4:copy/encoded");
    EXPECT_EQ(testsupport::ffprobeJson(output["path"].toString())["streams"].toArray()[1].toObject()["sample_rate"]
                  .toString(),
              "44100");

    // Frame-exact: the second segment starts between key frames.
    const ProcessResult exact = cli({"join", "--json", "--mode", "exact", "--output-dir", out("exact"),
                                     fixture("h264_aac.mp4"), "--cut", "0-1", fixture("join_params_h264.mp4"),
                                     "--cut", "0.52-1.52"});
    ASSERT_EQ(exact.exitCode, 0) << exact.err.constData();
    output = outputLine(exact);
    EXPECT_EQ(methods(output).toStdString(), "2:join_params_h264.mp4:exact/copied");
    EXPECT_NEAR(probedDuration(output["path"].toString()), 2.0, 0.1);

    // Encoded: every join, pictures and sound.
    const ProcessResult encoded = cli({"join", "--json", "--mode", "encode", "--format", "MP4 H.264/AAC",
                                       "--output-dir", out("encode"), fixture("h264_aac.mp4"), "--cut", "0-1",
                                       fixture("join_48k.mp4"), "--cut", "0-1"});
    ASSERT_EQ(encoded.exitCode, 0) << encoded.err.constData();
    output = outputLine(encoded);
    EXPECT_EQ(methods(output).toStdString(), "2:join_48k.mp4:encode/encoded");

    // A cut of one file keeps its line as it was: no joins.
    const ProcessResult single = cli({"cut", "--json", "--cut", "0-1", "--output-dir", out("single"),
                                      fixture("h264_aac.mp4")});
    ASSERT_EQ(single.exitCode, 0) << single.err.constData();
    EXPECT_FALSE(outputLine(single).contains("joins"));
}

// The stream options on the fixture of three sound tracks (44.1, 32 and
// 48 kHz) and two subtitle streams: what is kept, in which order, with
// which names and flags, judged by ffprobe; a wrong name writes nothing.
TEST_F(CliTest, StreamOptionsChooseOrderNameAndShiftTheStreamsOfEachOutput)
{
    const QString dir = out("streams");
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString src = fixture("three_audio_two_subs.mkv");
    ProcessResult r = cli({"cut", "--drop", "a:1", "--order", "a:ger,0", "--language", "a:2=spa", "--title",
                           "3=Commentary", "--default", "a:ger", "--forced", "s:fre", "--shift", "a:0=-200",
                           "--container", "mkv", "--output-dir", dir, src});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QString written = dir + "/three_audio_two_subs_1.mkv";
    const QJsonArray streams = testsupport::ffprobeJson(written, {"-show_streams"})["streams"].toArray();
    ASSERT_EQ(streams.size(), 5);
    const QJsonObject first = streams[1].toObject(), second = streams[2].toObject();
    EXPECT_EQ(first["sample_rate"].toString(), "48000");
    EXPECT_EQ(first["tags"].toObject()["language"].toString(), "spa");
    EXPECT_EQ(first["tags"].toObject()["title"].toString(), "Commentary");
    EXPECT_EQ(first["disposition"].toObject()["default"].toInt(), 1);
    EXPECT_EQ(second["sample_rate"].toString(), "44100");
    EXPECT_EQ(second["disposition"].toObject()["default"].toInt(), 0);
    EXPECT_EQ(streams[4].toObject()["tags"].toObject()["language"].toString(), "fre");
    EXPECT_EQ(streams[4].toObject()["disposition"].toObject()["forced"].toInt(), 1);
    // The shifted track ends 200 ms before the one it ended with (to a frame).
    auto end = [&](int stream) {
        const QJsonArray packets = testsupport::ffprobeJson(written, {"-show_packets", "-select_streams",
                                                                     QString::number(stream)})["packets"].toArray();
        const QJsonObject last = packets.last().toObject();
        return last["pts_time"].toString().toDouble() + last["duration_time"].toString().toDouble();
    };
    EXPECT_NEAR(end(2) - end(1), -0.2, 0.03);

    // An encode into MP4 keeps the picture and every sound kept, in order,
    // and says that the subtitles are left out.
    r = cli({"cut", "--mode", "encode", "--format", "4000", "--quality", "small", "--drop", "a:1", "--order", "a:2",
             "--cut", "0-1", "--output-dir", dir, src});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.err.contains("left out: #4 (eng), #5 (fre)")) << r.err.constData();
    const QStringList encoded = QDir(dir).entryList({"*.mp4"});
    ASSERT_EQ(encoded.size(), 1);
    const QJsonArray encodedStreams =
        testsupport::ffprobeJson(dir + "/" + encoded[0], {"-show_streams"})["streams"].toArray();
    ASSERT_EQ(encodedStreams.size(), 3);
    EXPECT_EQ(encodedStreams[1].toObject()["tags"].toObject()["language"].toString(), "ger");
    EXPECT_EQ(encodedStreams[2].toObject()["tags"].toObject()["language"].toString(), "eng");

    // Wrong names and values: exit 2, nothing written; a container that
    // cannot hold the choice fails the file and writes nothing either.
    const QStringList before = entries(dir);
    for (const QStringList &wrong :
         {QStringList{"--drop", "9"}, QStringList{"--language", "a:0=english"}, QStringList{"--language", "a:0=xyz"},
          QStringList{"--shift", "a:0=9000"}, QStringList{"--shift", "v:0=100"}, QStringList{"--default", "a:7"},
          QStringList{"--order", "a:0,x:1"}, QStringList{"--drop", "v:0", "--drop", "a:0", "--drop", "a:1",
                                                         "--drop", "a:2", "--drop", "s:0", "--drop", "s:1"}}) {
        r = cli(QStringList{"cut", "--output-dir", dir} + wrong + QStringList{src});
        EXPECT_EQ(r.exitCode, 2) << wrong.join(' ').toStdString() << ": " << r.err.constData();
        EXPECT_FALSE(r.err.isEmpty());
    }
    r = cli({"cut", "--default", "a:1", "--container", "ts", "--output-dir", dir, src});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("cannot mark a default track")) << r.err.constData();
    EXPECT_EQ(entries(dir), before);
}

// offset prints how much later the second track's sound comes (the fixture
// delays it by 0.37 s), or refuses with the reason.
TEST_F(CliTest, OffsetMeasuresHowFarTwoSoundTracksAreApart)
{
    ProcessResult r = cli({"offset", fixture("offset_pair.mkv")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_NEAR(QString::fromUtf8(r.out).trimmed().toDouble(), 0.37, 0.01);

    r = cli({"offset", "--json", "--first", "a:1", "--second", "a:0", fixture("offset_pair.mkv")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QList<QJsonObject> found = jsonLines(r.out);
    ASSERT_EQ(found.size(), 1);
    EXPECT_NEAR(found[0]["offset"].toDouble(), -0.37, 0.01);
    EXPECT_NEAR(found[0]["shift_ms"].toDouble(), 370, 10);
    EXPECT_GE(found[0]["confidence"].toDouble(), 0.5);

    r = cli({"offset", fixture("offset_pair.mkv"), fixture("offset_unrelated.mkv")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_NEAR(QString::fromUtf8(r.out).trimmed().toDouble(), 0.0, 0.01);

    r = cli({"offset", fixture("offset_unrelated.mkv")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("no offset lines the two tracks up")) << r.err.constData();
    EXPECT_EQ(cli({"offset", "--second", "a:5", fixture("offset_pair.mkv")}).exitCode, 2);
    EXPECT_EQ(cli({"offset", "--first", "x", fixture("offset_pair.mkv")}).exitCode, 2);
    EXPECT_EQ(cli({"offset", fixture("not_media.mp4")}).exitCode, 1);
}
