// snipcut [--merge] [--mode lossless] [--container NAME|Original] [--ext EXT]
//         --range START:END ... INPUT OUTDIR
// Cuts ranges (seconds; END 0 = to the end) of INPUT into OUTDIR through
// the program's real conversion path: media items, the conversion
// manager, the converter and the media library. Progress goes to stderr,
// the output paths to stdout; the exit status is 0 only when every range
// was converted. A developer and test tool.
#include "ConfigState.h"
#include "OutputFormatParams.h"
#include "OutputNaming.h"
#include "QConverterObject.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: snipcut [--merge] [--mode lossless] [--container NAME|Original] [--ext EXT]\n"
                         "               --range START:END ... INPUT OUTDIR\n");
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
    QString container = "Original";
    QString extension;
    QList<QPair<double, double>> ranges;
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == "--merge") {
            merge = true;
        } else if (a == "--mode" && i + 1 < args.size()) {
            lossless = args[++i] == "lossless";
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
    if (!lossless) {
        std::fprintf(stderr, "snipcut: encoding options are not available yet; use --mode lossless\n");
        return 2;
    }
    if (ranges.isEmpty())
        ranges.append({0.0, 0.0});

    auto *source = new VoVideoConvertItem();
    if (!source->open(positional[0])) {
        std::fprintf(stderr, "snipcut: cannot open %s\n", qUtf8Printable(positional[0]));
        delete source;
        return 1;
    }

    OutputFormatParams &params = OutputFormatParams::instance();
    params.lossless = lossless;
    params.container = container;
    params.extension = container == "Original" ? QString() : (extension.isEmpty() ? extensionFor(container) : extension);
    params.videoCodecId = 0;
    params.audioCodecId = 0;

    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    for (const auto &range : ranges) {
        VoVideoConvertItem *item = source->clone();
        item->m_TrimStartTime = static_cast<uint64_t>(range.first * 1e6);
        item->m_TrimEndTime = static_cast<uint64_t>(range.second * 1e6);
        item->applyOutputFormat(params);
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
    QMetaObject::invokeMethod(&converter, [&] { converter.startConvert(merge); }, Qt::QueuedConnection);
    app.exec();
    // Late reports (a failure after the last start) are delivered before
    // the verdict.
    QCoreApplication::processEvents();

    for (const QString &name : QDir(outputDir).entryList(QDir::Files, QDir::Name))
        if (!before.contains(name))
            outputs << QDir(outputDir).filePath(name);
    for (const QString &path : outputs)
        std::printf("%s\n", qUtf8Printable(path));
    const int expected = merge ? 1 : ranges.size();
    return failures == 0 && finished == expected ? 0 : 1;
}
