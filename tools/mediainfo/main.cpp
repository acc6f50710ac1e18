// Prints, as one JSON object, what an opened media item holds, keyed by the
// item's field names without their "m_" prefix.
#include "VoInfoManager.h"
#include "VoVideoConvertItem.h"
#include "orlcodec.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <cstdio>

namespace {

QString str(const std::string &s)
{
    return QString::fromStdString(s);
}

QString hexBytes(const std::vector<uint8_t> &bytes)
{
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char *>(bytes.data()), static_cast<int>(bytes.size())).toHex());
}

QJsonObject videoJson(const VideoStreamInfo &v)
{
    return QJsonObject{{"streamIndex", v.streamIndex}, {"displayText", str(v.displayText)},
                       {"name", str(v.name)},          {"codecName", str(v.codecName)},
                       {"width", v.width},             {"height", v.height},
                       {"language", str(v.language)},  {"bitRate", double(v.bitRate)},
                       {"frameRateNum", v.frameRateNum}, {"frameRateDen", v.frameRateDen},
                       {"profile", v.profile},         {"level", v.level},
                       {"extraData", hexBytes(v.extraData)}};
}

QJsonObject audioJson(const AudioStreamInfo &a)
{
    return QJsonObject{{"streamIndex", a.streamIndex}, {"displayText", str(a.displayText)},
                       {"name", str(a.name)},          {"codecName", str(a.codecName)},
                       {"language", str(a.language)},  {"channels", a.channels},
                       {"sampleRate", a.sampleRate},   {"bitRate", double(a.bitRate)},
                       {"profile", a.profile},         {"extraData", hexBytes(a.extraData)}};
}

QJsonObject subtitleJson(const SubtitleStreamInfo &s)
{
    return QJsonObject{{"streamIndex", s.streamIndex}, {"displayText", str(s.displayText)},
                       {"name", str(s.name)},          {"language", str(s.language)},
                       {"codecName", str(s.codecName)}, {"codecTag", double(s.codecTag)},
                       {"value", double(s.value)},     {"extraData", hexBytes(s.extraData)}};
}

QJsonObject tagsJson(const VEAudioTagInfo &t)
{
    QJsonObject o;
    for (int i = 0; i < VEAudioTagInfo::kFieldCount; ++i) {
        if (i == 13)
            continue; // the cover bytes are summed up by coverSize
        o.insert(QString::fromLatin1(VEAudioTagInfo::metadataKey(i)), str(*t.field(i)));
    }
    o.insert("coverSize", t.coverSize);
    return o;
}

int fail(const QString &message)
{
    const QJsonObject o{{"error", message}};
    std::fputs(QJsonDocument(o).toJson(QJsonDocument::Indented).constData(), stdout);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString split;
    const int splitAt = args.indexOf("--split");
    if (splitAt >= 0) {
        split = args.value(splitAt + 1);
        args.removeAt(splitAt);
        if (splitAt < args.size())
            args.removeAt(splitAt);
    }
    if (args.size() != 1) {
        std::fputs("usage: mediainfo FILE [--split MODE,INTERVAL,MINUTES,PARTS]\n", stderr);
        return 2;
    }
    Engine_Startup(0, 0);

    const QString path = args.first();
    VoVideoConvertItem item;
    if (!item.open(path))
        return fail(QStringLiteral("cannot open %1: %2").arg(path, item.openError()));

    QJsonObject o;
    o.insert("videoName", item.m_videoName);
    o.insert("fileSuffix", item.m_fileSuffix);
    o.insert("sourceFormat", item.m_sourceFormat);
    o.insert("videoPath", item.m_videoPath);
    o.insert("width", item.m_width);
    o.insert("height", item.m_height);
    o.insert("hasVideo", item.m_hasVideo);
    o.insert("hasAudio", item.m_hasAudio);
    o.insert("titleIndex", item.m_titleIndex);
    o.insert("duration", double(item.m_duration));
    // Above duration for a partial file: what its header declares.
    o.insert("declaredDuration", double(item.m_declaredDuration));
    o.insert("coverSize", item.m_coverSize);
    o.insert("chapterCount", item.m_chapterCount);
    o.insert("audioTrackNames", QJsonArray::fromStringList(item.m_audioTrackNames));
    QJsonArray choices;
    for (const auto &c : item.m_subtitleChoices)
        choices.append(QJsonArray{QString::fromUtf8(c.first), QString::fromUtf8(c.second)});
    o.insert("subtitleChoices", choices);
    QJsonArray videos, audios, subtitles;
    for (const auto &v : item.m_videoStreams)
        videos.append(videoJson(v));
    for (const auto &a : item.m_audioStreams)
        audios.append(audioJson(a));
    for (const auto &s : item.m_subtitleStreams)
        subtitles.append(subtitleJson(s));
    o.insert("videoStreams", videos);
    o.insert("audioStreams", audios);
    o.insert("subtitleStreams", subtitles);
    o.insert("tags", tagsJson(item.m_editConfig.tags));

    VoInfoManager manager;
    QJsonArray chapters;
    if (manager.open(path, item.m_isDisc, item.m_titleIndex)) {
        for (const ChapterEntry &c : manager.chapters())
            chapters.append(QJsonObject{{"number", c.number},
                                        {"start", double(c.start)},
                                        {"length", double(c.length)},
                                        {"end", double(c.end)},
                                        {"name", str(c.name)},
                                        {"text", str(c.label)}});
    }
    o.insert("chapters", chapters);

    if (!split.isEmpty()) {
        const QStringList f = split.split(',');
        if (f.size() != 4)
            return fail(QStringLiteral("--split needs MODE,INTERVAL,MINUTES,PARTS"));
        Split_Info info;
        info.mode = f[0].toInt();
        info.interval = f[1].toInt();
        info.inMinutes = f[2].toInt();
        info.parts = f[3].toInt();
        item.setSplitInfo(info);
        QJsonArray segments;
        for (const SplitSegment &s : item.m_splitSegments)
            segments.append(QJsonArray{double(s.start), double(s.end)});
        o.insert("splitSegments", segments);
    }
    std::fputs(QJsonDocument(o).toJson(QJsonDocument::Indented).constData(), stdout);
    return 0;
}
