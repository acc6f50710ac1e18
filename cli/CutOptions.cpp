#include "CutOptions.h"

#include "CutList.h"
#include "CutListText.h"
#include "EditsJson.h"
#include "ProfileCatalogue.h"
#include "ProfileParams.h"
#include "ProjectFile.h"

#include <QCoreApplication>
#include <QFile>

namespace cli {

namespace {

// Finds a format of catalogue by its title (any case) or its number.
bool findFormat(ProfileCatalogue &catalogue, const QString &name, FormatItemInfo &found)
{
    for (const QString &category : catalogue.getCategories()) {
        for (const FormatItemInfo &item : catalogue.getItems(category)) {
            if (item.id == name || item.title.compare(name, Qt::CaseInsensitive) == 0
                || (!item.ext.isEmpty() && item.ext.compare(name, Qt::CaseInsensitive) == 0)) {
                found = item;
                return true;
            }
        }
    }
    return false;
}

QStringList formatTitles(ProfileCatalogue &catalogue)
{
    QStringList titles;
    for (const QString &category : catalogue.getCategories())
        for (const FormatItemInfo &item : catalogue.getItems(category))
            titles << item.title;
    return titles;
}

// The first format whose extension is ext, for --container: "mp4" is the
// lossless "MP4", "m4a" the audio "M4A".
bool findContainer(ProfileCatalogue &catalogue, const QString &name, FormatItemInfo &found)
{
    for (const QString &category : catalogue.getCategories()) {
        for (const FormatItemInfo &item : catalogue.getItems(category)) {
            if ((!item.ext.isEmpty() && item.ext.compare(name, Qt::CaseInsensitive) == 0)
                || item.title.compare(name, Qt::CaseInsensitive) == 0) {
                found = item;
                return true;
            }
        }
    }
    return false;
}

QStringList containerNames(ProfileCatalogue &catalogue)
{
    QStringList names;
    for (const QString &category : catalogue.getCategories())
        for (const FormatItemInfo &item : catalogue.getItems(category))
            names << (item.ext.isEmpty() ? item.title.toLower() : item.ext);
    names.removeDuplicates();
    return names;
}

} // namespace

bool parseTime(const QString &text, uint64_t &us)
{
    const QByteArray utf8 = text.trimmed().toUtf8();
    if (utf8.isEmpty())
        return false;
    return cutlist::text::parseTime(std::string_view(utf8.constData(), size_t(utf8.size())), us)
        == cutlist::text::TimeParse::Ok;
}

bool parseCutOptions(const QStringList &args, CutOptions &o, QString &error)
{
    QString mode, format, quality, container;
    QString videoCodec, audioCodec, size, fps, videoBitrate, audioBitrate, channels, sampleRate;
    bool sawMode = false;
    auto fail = [&error](const QString &text) {
        error = text;
        return false;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--")) {
            o.files << args.mid(i + 1);
            break;
        }
        // Options that take a value, as "--opt VALUE" or "--opt=VALUE".
        QString name = a, value;
        bool inlineValue = false;
        if (a.startsWith(QLatin1String("--")) && a.contains(QLatin1Char('='))) {
            name = a.section(QLatin1Char('='), 0, 0);
            value = a.section(QLatin1Char('='), 1);
            inlineValue = true;
        }
        static const QStringList withValue{
            "--cut",        "--cuts",          "--mode",          "--format",      "--quality",     "--container",
            "--output-dir", "--name",          "--jobs",          "--video-codec", "--audio-codec", "--size",
            "--fps",        "--video-bitrate", "--audio-bitrate", "--channels",    "--sample-rate", "--edits"};
        static const QStringList flags{"--chapters", "--merge", "--merge-chapters", "--join", "--match-sound", "--json"};
        if (withValue.contains(name) || trackOptionNames().contains(name)) {
            if (!inlineValue) {
                if (i + 1 >= args.size())
                    return fail(QCoreApplication::translate("snipwell-cli", "%1 needs a value").arg(name));
                value = args[++i];
            }
        } else if (flags.contains(name) && !inlineValue) {
            // A flag: no value follows.
        } else if (a.startsWith(QLatin1String("-")) && a != QLatin1String("-")) {
            return fail(QCoreApplication::translate("snipwell-cli", "unknown option %1").arg(a));
        } else {
            o.files << a;
            continue;
        }

        if (trackOptionNames().contains(name)) {
            if (!readTrackOption(name, value, o.tracks, error))
                return false;
        } else if (name == QLatin1String("--cut")) {
            const int dash = value.indexOf(QLatin1Char('-'));
            if (dash < 0)
                return fail(
                    QCoreApplication::translate("snipwell-cli", "--cut %1: write the segment as START-END").arg(value));
            SegmentSource s;
            const QString start = value.left(dash), end = value.mid(dash + 1);
            if (!parseTime(start, s.start_us))
                return fail(QCoreApplication::translate("snipwell-cli",
                                                        "--cut %1: '%2' is not a time (12.5, 1:02.5 or 1:02:03.250)")
                                .arg(value, start));
            if (!end.trimmed().isEmpty()) {
                if (!parseTime(end, s.end_us))
                    return fail(QCoreApplication::translate(
                                    "snipwell-cli", "--cut %1: '%2' is not a time (12.5, 1:02.5 or 1:02:03.250)")
                                    .arg(value, end));
                if (s.end_us <= s.start_us)
                    return fail(QCoreApplication::translate("snipwell-cli", "--cut %1: the end is not after the start")
                                    .arg(value));
            }
            s.file = int(o.files.size()) - 1;
            o.sources.push_back(s);
        } else if (name == QLatin1String("--cuts")
                   && value.endsWith(QLatin1Char('.') + QLatin1String(ProjectFile::kSuffix), Qt::CaseInsensitive)) {
            // A project saved by the window: its segments and their labels
            // (its source, edits and output settings stay with the window).
            Project project;
            QString why;
            if (!ProjectFile::read(value, &project, &why))
                return fail(QStringLiteral("--cuts %1: %2").arg(value, why));
            if (project.segments.isEmpty())
                return fail(
                    QCoreApplication::translate("snipwell-cli", "--cuts %1: the project holds no segments").arg(value));
            SegmentSource s;
            s.kind = SegmentSource::Project;
            s.path = value;
            for (const ProjectSegment &segment : project.segments)
                s.segments.push_back(cutlist::Segment{segment.start_us, segment.end_us, segment.label.toStdString()});
            s.file = int(o.files.size()) - 1;
            o.sources.push_back(s);
        } else if (name == QLatin1String("--cuts")) {
            // Read once here so that a broken list stops the run before
            // any file; each file reads it again with its own length.
            if (!cutlist::formatForFileName(QFile::encodeName(value).toStdString()))
                return fail(QCoreApplication::translate(
                                "snipwell-cli",
                                "--cuts %1: not a cut list (.csv, .tsv, .txt, .edl or .cue) or project (.snipwell)")
                                .arg(value));
            const cutlist::ReadResult list = cutlist::readFile(QFile::encodeName(value).toStdString());
            if (!list.ok())
                return fail(
                    QStringLiteral("--cuts %1: %2").arg(value, QString::fromStdString(cutlist::describe(list.error))));
            SegmentSource s;
            s.kind = SegmentSource::List;
            s.path = value;
            s.file = int(o.files.size()) - 1;
            o.sources.push_back(s);
        } else if (name == QLatin1String("--chapters")) {
            SegmentSource s;
            s.kind = SegmentSource::Chapters;
            s.file = int(o.files.size()) - 1;
            o.sources.push_back(s);
        } else if (name == QLatin1String("--mode")) {
            mode = value;
            sawMode = true;
        } else if (name == QLatin1String("--format")) {
            format = value;
        } else if (name == QLatin1String("--quality")) {
            quality = value;
        } else if (name == QLatin1String("--container")) {
            container = value;
        } else if (name == QLatin1String("--merge")) {
            o.merge = true;
        } else if (name == QLatin1String("--merge-chapters")) {
            o.mergeChapters = true;
        } else if (name == QLatin1String("--join")) {
            o.join = true;
            o.merge = true;
        } else if (name == QLatin1String("--match-sound")) {
            o.matchSound = true;
        } else if (name == QLatin1String("--output-dir")) {
            o.outputDir = value;
        } else if (name == QLatin1String("--name")) {
            o.nameTemplate = value;
        } else if (name == QLatin1String("--jobs")) {
            bool ok = false;
            o.jobs = value.toInt(&ok);
            if (!ok || o.jobs < 1 || o.jobs > 64)
                return fail(
                    QCoreApplication::translate("snipwell-cli", "--jobs %1: give a number from 1 to 64").arg(value));
        } else if (name == QLatin1String("--json")) {
            o.json = true;
        } else if (name == QLatin1String("--video-codec")) {
            videoCodec = value;
        } else if (name == QLatin1String("--audio-codec")) {
            audioCodec = value;
        } else if (name == QLatin1String("--size")) {
            size = value;
        } else if (name == QLatin1String("--fps")) {
            fps = value;
        } else if (name == QLatin1String("--video-bitrate")) {
            videoBitrate = value;
        } else if (name == QLatin1String("--audio-bitrate")) {
            audioBitrate = value;
        } else if (name == QLatin1String("--channels")) {
            channels = value;
        } else if (name == QLatin1String("--sample-rate")) {
            sampleRate = value;
        } else if (name == QLatin1String("--edits")) {
            o.editsPath = value;
        }
    }

    if (o.files.isEmpty())
        return fail(QCoreApplication::translate("snipwell-cli", "no FILE to cut"));
    if (!sawMode)
        mode = format.isEmpty() ? QStringLiteral("copy") : QStringLiteral("encode");
    if (mode == QLatin1String("copy"))
        o.mode = CutOptions::Copy;
    else if (mode == QLatin1String("exact"))
        o.mode = CutOptions::Exact;
    else if (mode == QLatin1String("encode"))
        o.mode = CutOptions::Encode;
    else
        return fail(QCoreApplication::translate("snipwell-cli", "--mode %1: use copy, exact or encode").arg(mode));
    if (o.matchSound && (!o.join || o.mode == CutOptions::Encode))
        return fail(QCoreApplication::translate("snipwell-cli", "--match-sound goes with join in --mode copy or exact"));
    if (o.mergeChapters && !o.merge)
        return fail(QCoreApplication::translate("snipwell-cli", "--merge-chapters goes with --merge"));
    if (o.mergeChapters && o.mode == CutOptions::Encode)
        return fail(QCoreApplication::translate("snipwell-cli", "--merge-chapters goes with --mode copy or exact"));
    const bool encoding = o.mode == CutOptions::Encode;
    const QStringList encodeOnly{format,       quality,      videoCodec, audioCodec, size,       fps,
                                 videoBitrate, audioBitrate, channels,   sampleRate, o.editsPath};
    if (!encoding) {
        for (const QString &v : encodeOnly)
            if (!v.isEmpty())
                return fail(QCoreApplication::translate(
                    "snipwell-cli", "--format, --quality, the encoding parameters and --edits go with --mode encode"));
    } else if (!container.isEmpty()) {
        return fail(QCoreApplication::translate(
            "snipwell-cli", "--container goes with --mode copy or exact; --format chooses the container of an encode"));
    }

    OutputFormatParams &p = o.params;
    p = OutputFormatParams();
    if (!encoding) {
        p.lossless = true;
        p.frameExactCut = o.mode == CutOptions::Exact;
        p.videoCodecId = 0;
        p.audioCodecId = 0;
        p.quality = 90;
        if (container.isEmpty() || container.compare(QLatin1String("original"), Qt::CaseInsensitive) == 0) {
            p.container = QStringLiteral("Original");
        } else {
            ProfileCatalogue &lossless = ProfileCatalogue::losslessCatalogue();
            FormatItemInfo item;
            if (!lossless.isLoaded())
                return fail(lossless.errorText());
            if (!findContainer(lossless, container, item))
                return fail(QCoreApplication::translate("snipwell-cli", "unknown container '%1'; one of: %2")
                                .arg(container, containerNames(lossless).join(QStringLiteral(", "))));
            if (item.ext.isEmpty()) {
                p.container = QStringLiteral("Original");
            } else {
                p.extension = item.ext;
                p.container = ProfileCatalogue::containerForExtension(item.ext);
            }
        }
        return true;
    }

    ProfileCatalogue &catalogue = ProfileCatalogue::encodingCatalogue();
    if (!catalogue.isLoaded())
        return fail(catalogue.errorText());
    FormatItemInfo item;
    // The window's first format.
    const QString wanted = format.isEmpty() ? QStringLiteral("4000") : format;
    if (!findFormat(catalogue, wanted, item))
        return fail(QCoreApplication::translate("snipwell-cli", "unknown format '%1'; one of: %2")
                        .arg(wanted, formatTitles(catalogue).join(QStringLiteral(", "))));
    const FormatProfile *built = catalogue.buildProfile(item.category, item.id, videoCodec, {}, audioCodec, {});
    if (!built)
        return fail(catalogue.errorText());
    const FormatProfile profile = *built;
    ProfileQuality q = ProfileQuality::High;
    if (quality == QLatin1String("small"))
        q = ProfileQuality::Small;
    else if (!quality.isEmpty() && quality != QLatin1String("high"))
        return fail(QCoreApplication::translate("snipwell-cli", "--quality %1: use small or high").arg(quality));

    ProfileChoices choices;
    const QString kAuto = QStringLiteral("Auto");
    choices.videoCodec = videoCodec.isEmpty() ? kAuto : videoCodec;
    choices.audioCodec = audioCodec.isEmpty() ? kAuto : audioCodec;
    // As the format dialog starts: a format that offers "Auto" keeps the
    // source's size, any other its own default size.
    choices.resolution = profile.autoAllowed ? kAuto : profile.resolution;
    if (!size.isEmpty()) {
        const QStringList wh = size.toLower().split(QLatin1Char('x'));
        bool okW = false, okH = false;
        if (wh.size() != 2 || wh[0].toUInt(&okW) == 0 || wh[1].toUInt(&okH) == 0 || !okW || !okH)
            return fail(QCoreApplication::translate("snipwell-cli", "--size %1: write it as WIDTHxHEIGHT").arg(size));
        choices.resolution = wh[0] + QLatin1Char('*') + wh[1];
    }
    auto number = [&](const QString &option, const QString &v, const char *unit, QString &choice) {
        if (v.isEmpty()) {
            choice = kAuto;
            return true;
        }
        bool ok = false;
        const double n = v.toDouble(&ok);
        if (!ok || n <= 0) {
            error = QCoreApplication::translate("snipwell-cli", "%1 %2: give a positive number").arg(option, v);
            return false;
        }
        choice = v + QLatin1Char(' ') + QLatin1String(unit);
        return true;
    };
    if (!number(QStringLiteral("--fps"), fps, "fps", choices.frameRate)
        || !number(QStringLiteral("--video-bitrate"), videoBitrate, "kbps", choices.videoBitrate)
        || !number(QStringLiteral("--audio-bitrate"), audioBitrate, "kbps", choices.audioBitrate)
        || !number(QStringLiteral("--sample-rate"), sampleRate, "Hz", choices.sampleRate))
        return false;
    if (channels.isEmpty()) {
        choices.channel = kAuto;
    } else if (channels.toUInt() == 0) {
        return fail(QCoreApplication::translate("snipwell-cli", "%1 %2: give a positive number")
                        .arg(QStringLiteral("--channels"), channels));
    } else {
        choices.channel = channels;
    }
    const bool noVideo = videoCodec.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0;
    if (noVideo)
        choices.videoCodec.clear();
    if (audioCodec.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
        choices.audioCodec.clear();
    applyProfileChoices(profile, choices, q, profile.audioOnly || noVideo, false, p);
    p.lossless = false;
    p.extension = item.ext;
    p.container = ProfileCatalogue::containerForExtension(item.ext);

    if (!o.editsPath.isEmpty()) {
        QFile file(o.editsPath);
        if (!file.open(QIODevice::ReadOnly))
            return fail(
                QCoreApplication::translate("snipwell-cli", "--edits %1: %2").arg(o.editsPath, file.errorString()));
        o.edits = file.readAll();
        VEEditConfig probe;
        QString why;
        if (!applyEditsJson(o.edits, probe, &why))
            return fail(QCoreApplication::translate("snipwell-cli", "--edits %1: %2").arg(o.editsPath, why));
    }
    return true;
}

} // namespace cli
