// snipcut [--merge] [--mode lossless|smart|encode] [--container NAME|Original] [--ext EXT]
//         [--vcodec TAG|none] [--acodec TAG|none] [--size WxH] [--fps F] [--vbitrate KBPS]
//         [--abitrate KBPS] [--channels N] [--samplerate HZ] [--quality 50|90]
//         [--edits FILE.json] --range START:END ... INPUT OUTDIR
// Cuts ranges (seconds; END 0 = to the end) of INPUT into OUTDIR through
// the program's real conversion path: media items, the conversion
// manager, the converter and the media library. Progress goes to stderr,
// the output paths to stdout; the exit status is 0 only when every range
// was converted. A developer and test tool.
#include "ConfigState.h"
#include "EditsJson.h"
#include "OutputFormatParams.h"
#include "OutputNaming.h"
#include "ProfileCatalogue.h"
#include "QConverterObject.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: snipcut [--merge] [--mode lossless|smart|encode] [--container NAME|Original] [--ext EXT]\n"
                         "               [--vcodec TAG|none] [--acodec TAG|none] [--size WxH] [--fps F] [--vbitrate KBPS]\n"
                         "               [--abitrate KBPS] [--channels N] [--samplerate HZ] [--quality 50|90]\n"
                         "               [--edits FILE.json] --range START:END ... INPUT OUTDIR\n");
    return 2;
}

// The usual file extension of a container name.
QString extensionFor(const QString &container)
{
    static const QList<QPair<QString, QString>> table{
        {"matroska", "mkv"}, {"mpegts", "ts"}, {"ipod", "m4a"}, {"asf", "wmv"}, {"adts", "aac"},
        {"mpeg", "mpg"},     {"vob", "vob"},   {"3gp", "3gp"}};
    for (const auto &row : table)
        if (row.first == container)
            return row.second;
    return container;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    bool merge = false;
    bool lossless = false;
    bool frameExact = false;
    QString container = "Original";
    QString extension;
    QList<QPair<double, double>> ranges;
    QStringList positional;
    OutputFormatParams &params = OutputFormatParams::instance();
    params = OutputFormatParams();
    params.quality = 50;
    QString editsFile;
    auto number = [&](int &i, auto &field) {
        bool ok = false;
        const double value = i + 1 < args.size() ? args[++i].toDouble(&ok) : 0;
        if (!ok || value < 0)
            return false;
        field = static_cast<std::remove_reference_t<decltype(field)>>(value);
        return true;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == "--merge") {
            merge = true;
        } else if (a == "--mode" && i + 1 < args.size()) {
            const QString mode = args[++i];
            if (mode != "lossless" && mode != "smart" && mode != "encode")
                return usage();
            // smart: lossless, frame-exact at the cut points
            lossless = mode == "lossless" || mode == "smart";
            frameExact = mode == "smart";
        } else if (a == "--vcodec" && i + 1 < args.size()) {
            params.videoCodec = args[++i];
            params.videoCodecId = params.videoCodec == "none" ? -1 : ProfileCatalogue::codecIdForTag(params.videoCodec);
            params.audioOnly = params.videoCodec == "none";
        } else if (a == "--acodec" && i + 1 < args.size()) {
            params.audioCodec = args[++i];
            params.audioCodecId = params.audioCodec == "none" ? -1 : ProfileCatalogue::codecIdForTag(params.audioCodec);
        } else if (a == "--size" && i + 1 < args.size()) {
            const QStringList wh = args[++i].split('x');
            if (wh.size() != 2)
                return usage();
            params.width = wh[0].toInt();
            params.height = wh[1].toInt();
        } else if (a == "--fps") {
            double fps = 0;
            if (!number(i, fps))
                return usage();
            const FrameRateFraction rate = ProfileCatalogue::frameRateToRational(fps);
            params.frameRateNum = rate.num;
            params.frameRateDen = rate.den;
        } else if (a == "--vbitrate") {
            if (!number(i, params.videoBitrate))
                return usage();
        } else if (a == "--abitrate") {
            if (!number(i, params.audioBitrate))
                return usage();
        } else if (a == "--channels") {
            if (!number(i, params.channels))
                return usage();
        } else if (a == "--samplerate") {
            if (!number(i, params.sampleRate))
                return usage();
        } else if (a == "--quality") {
            if (!number(i, params.quality))
                return usage();
        } else if (a == "--edits" && i + 1 < args.size()) {
            editsFile = args[++i];
        } else if (a == "--container" && i + 1 < args.size()) {
            container = args[++i];
        } else if (a == "--ext" && i + 1 < args.size()) {
            extension = args[++i];
        } else if (a == "--range" && i + 1 < args.size()) {
            const QStringList parts = args[++i].split(':');
            bool ok1 = false, ok2 = false;
            const double start = parts.value(0).toDouble(&ok1);
            const double end = parts.value(1).toDouble(&ok2);
            if (parts.size() != 2 || !ok1 || !ok2 || start < 0 || end < 0 || (end > 0 && end <= start))
                return usage();
            ranges.append({start, end});
        } else if (a.startsWith("--")) {
            return usage();
        } else {
            positional << a;
        }
    }
    if (positional.size() != 2)
        return usage();
    if (ranges.isEmpty())
        ranges.append({0.0, 0.0});

    auto *source = new VoVideoConvertItem();
    if (!source->open(positional[0])) {
        std::fprintf(stderr, "snipcut: cannot open %s\n", qUtf8Printable(positional[0]));
        delete source;
        return 1;
    }

    QByteArray edits;
    if (!editsFile.isEmpty()) {
        QFile file(editsFile);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "snipcut: cannot read %s\n", qUtf8Printable(editsFile));
            delete source;
            return 1;
        }
        edits = file.readAll();
    }
    if (!lossless && container == "Original") {
        std::fprintf(stderr, "snipcut: encoding needs --container\n");
        delete source;
        return 2;
    }
    params.lossless = lossless;
    params.frameExactCut = frameExact;
    params.container = container;
    params.extension = container == "Original" ? QString() : (extension.isEmpty() ? extensionFor(container) : extension);
    if (lossless) {
        params.videoCodecId = 0;
        params.audioCodecId = 0;
    }

    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    for (const auto &range : ranges) {
        VoVideoConvertItem *item = source->clone();
        item->m_TrimStartTime = static_cast<uint64_t>(range.first * 1e6);
        item->m_TrimEndTime = static_cast<uint64_t>(range.second * 1e6);
        item->applyOutputFormat(params);
        QString error;
        if (!edits.isEmpty() && !applyEditsJson(edits, item->m_editConfig, &error)) {
            std::fprintf(stderr, "snipcut: %s: %s\n", qUtf8Printable(editsFile), qUtf8Printable(error));
            delete item;
            delete source;
            return 2;
        }
        items->insert(item, -1);
    }

    QString root = QDir(positional[1]).absolutePath();
    if (!root.endsWith('/'))
        root += '/';
    if (!QDir().mkpath(root)) {
        std::fprintf(stderr, "snipcut: cannot create %s\n", qUtf8Printable(root));
        return 1;
    }
    ConfigState::instance().setConverterPath(root);
    setAdjustFileName(source->m_fileSuffix, source->m_videoName);
    delete source;

    // The outputs are the files that appear in the source's output folder.
    const QString outputDir = ConfigState::instance().outputDir().isEmpty() ? root : ConfigState::instance().outputDir();
    const QStringList before = QDir(outputDir).entryList(QDir::Files, QDir::Name);

    QConverterObject converter;
    int failures = 0;
    int finished = 0;
    QStringList outputs;
    QObject::connect(&converter, &QConverterObject::emitConvertProToCtrl, [](int pro) {
        std::fprintf(stderr, "progress %d\n", pro);
    });
    QObject::connect(&converter, &QConverterObject::emitConvertedFinish, [&](bool ok) {
        if (!ok)
            ++failures;
    });
    QObject::connect(&converter, &QConverterObject::emitConvertedFinishCount, [&] { ++finished; });
    QObject::connect(&converter, &QConverterObject::emitIsStartConverter, [&](bool started) {
        if (!started)
            QMetaObject::invokeMethod(&app, "quit", Qt::QueuedConnection);
    });
    // The conversion's own time (without opening the source as a media
    // item, which the program does when a file is added) for the benchmarks.
    QElapsedTimer conversionTime;
    QMetaObject::invokeMethod(
        &converter,
        [&] {
            conversionTime.start();
            converter.startConvert(merge);
        },
        Qt::QueuedConnection);
    app.exec();
    const double conversionSeconds = conversionTime.elapsed() / 1000.0;
    // Late reports (a failure after the last start) are delivered before
    // the verdict.
    QCoreApplication::processEvents();

    for (const QString &name : QDir(outputDir).entryList(QDir::Files, QDir::Name))
        if (!before.contains(name))
            outputs << QDir(outputDir).filePath(name);
    for (const QString &path : outputs)
        std::printf("%s\n", qUtf8Printable(path));
    std::printf("inprocess=%.3f\n", conversionSeconds);
    const int expected = merge ? 1 : ranges.size();
    return failures == 0 && finished == expected ? 0 : 1;
}
