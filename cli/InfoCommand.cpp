// snipwell-cli info: what the program reads from each file, as JSON.
#include "CliOutput.h"
#include "Subcommands.h"
#include "VoInfoClass.h"
#include "VoVideoConvertItem.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>

#include <utility>

namespace cli {

namespace {

double seconds(uint64_t us)
{
    return double(us) / 1e6;
}

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

// Colours, HDR, rotation and scanning of the video stream at a container
// index, under FFmpeg's names for the values.
void addLook(const VoInfoClass &info, int streamIndex, QJsonObject &s)
{
    VoVideoLook look;
    if (!info.videoLookOf(streamIndex, &look))
        return;
    QJsonObject color;
    const std::pair<const char *, const QString *> colors[] = {
        {"primaries", &look.primaries}, {"transfer", &look.transfer}, {"matrix", &look.matrix}, {"range", &look.range}};
    for (const auto &c : colors)
        if (!c.second->isEmpty())
            color.insert(c.first, *c.second);
    if (!color.isEmpty())
        s.insert("color", color);
    if (!look.pixelFormat.isEmpty())
        s.insert("pixelFormat", look.pixelFormat);
    if (look.bitDepth > 0)
        s.insert("bitDepth", look.bitDepth);
    s.insert("rotation", look.rotation);
    if (!look.fieldOrder.isEmpty())
        s.insert("fieldOrder", look.fieldOrder);
    if (!look.hdr.isEmpty())
        s.insert("hdr", look.hdr);
    if (look.hasMasteringDisplay) {
        QJsonArray primaries;
        for (const auto &xy : look.displayPrimaries)
            primaries.append(QJsonArray{xy[0], xy[1]});
        s.insert("masteringDisplay", QJsonObject{{"maxLuminance", look.maxLuminance},
                                                 {"minLuminance", look.minLuminance},
                                                 {"primaries", primaries}});
    }
    if (look.hasContentLight)
        s.insert("contentLight", QJsonObject{{"maxCll", look.maxCll}, {"maxFall", look.maxFall}});
}

QJsonObject fileInfo(const QString &path, QString &error)
{
    if (!sourceReadable(path, error))
        return {};
    VoVideoConvertItem item;
    if (!item.open(path, -1, false, VoVideoConvertItem::OpenMode::NoCover)) {
        error = item.openError().isEmpty() ? QCoreApplication::translate("snipwell-cli", "not a media file we can read")
                                           : item.openError();
        return {};
    }
    VoInfoClass info(-1);
    const bool infoOpen = info.isValid() && info.open(path);
    QJsonArray streams;
    for (const VideoStreamInfo &v : item.m_videoStreams) {
        QJsonObject s{{"index", v.streamIndex}, {"type", "video"}, {"codec", text(v.codecName)},
                      {"width", v.width},       {"height", v.height}};
        if (v.frameRateNum > 0 && v.frameRateDen > 0) {
            s.insert("frameRate", double(v.frameRateNum) / v.frameRateDen);
            s.insert("frameRateFraction", QStringLiteral("%1/%2").arg(v.frameRateNum).arg(v.frameRateDen));
        }
        if (!v.language.empty())
            s.insert("language", text(v.language));
        if (infoOpen)
            addLook(info, v.streamIndex, s);
        streams.append(s);
    }
    for (const AudioStreamInfo &a : item.m_audioStreams) {
        QJsonObject s{{"index", a.streamIndex}, {"type", "audio"}, {"codec", text(a.codecName)},
                      {"channels", a.channels}, {"sampleRate", a.sampleRate}};
        if (!a.language.empty())
            s.insert("language", text(a.language));
        streams.append(s);
    }
    for (const SubtitleStreamInfo &t : item.m_subtitleStreams) {
        if (t.kind != 0)
            continue; // a file beside the source, not a stream of it
        QJsonObject s{{"index", t.streamIndex}, {"type", "subtitle"}, {"codec", text(t.codecName)}};
        if (!t.language.empty())
            s.insert("language", text(t.language));
        streams.append(s);
    }

    QJsonArray chapters;
    int keyFrames = 0;
    if (infoOpen) {
        for (int c = 0; c < info.chapterCount(); ++c) {
            const uint64_t start = info.chapterStart(c);
            chapters.append(QJsonObject{{"start", seconds(start)},
                                        {"end", seconds(start + info.chapterDuration(c))},
                                        {"title", info.chapterTitle(c)}});
        }
        if (item.m_hasVideo)
            keyFrames = info.keyFrameCount();
    }

    QJsonObject o{{"file", path},
                  {"format", item.m_sourceFormat},
                  {"duration", seconds(item.m_duration)},
                  {"streams", streams},
                  {"chapters", chapters},
                  {"keyFrames", keyFrames}};
    // A partial download: where its data ends is the duration; what the
    // header claims is kept for the user.
    if (item.endsEarly())
        o.insert("declaredDuration", seconds(item.m_declaredDuration));
    return o;
}

} // namespace

int runInfo(const QStringList &args)
{
    QStringList files;
    for (const QString &a : args) {
        if (a.startsWith(QLatin1String("-")) && a != QLatin1String("-"))
            return usageError(QCoreApplication::translate("snipwell-cli", "unknown option %1").arg(a));
        files << a;
    }
    if (files.isEmpty())
        return usageError(QCoreApplication::translate("snipwell-cli", "no FILE to read"));
    int status = ExitOk;
    for (const QString &path : files) {
        QString error;
        const QJsonObject o = fileInfo(path, error);
        if (o.isEmpty()) {
            reportError(false, path, error);
            status = ExitFailed;
            continue;
        }
        printJson(o);
    }
    return status;
}

} // namespace cli
