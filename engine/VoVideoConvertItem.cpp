#include "VoVideoConvertItem.h"
#include "orlcodec.h"

#include "ConvertJob.h"

#include "LanguageTable.h"
#include "OutputFormatParams.h"
#include "SourceContainer.h"
#include "VoInfoClass.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Subtitle files looked for beside the input, in the order they are listed.
struct SubtitleFileKind {
    const char *extension;
    const char *kind;
};
const SubtitleFileKind kSubtitleFiles[] = {
    {"ass", "ASS"}, {"ssa", "SSA"}, {"srt", "SRT"},   {"idx", "VOBSUB"}, {"sub", "SUB"},
    {"smi", "SMI"}, {"sami", "SAMI"}, {"sup", "SUP"}, {"vtt", "WEBVTT"}, {"lrc", "LRC"},
};

// Longest side of a cover grabbed from the video.
constexpr int kCoverLongSide = 480;

// Language of a stream for display: the table's name, else the raw code.
QString languageName(const char *code)
{
    const QString raw = QString::fromUtf8(code ? code : "");
    const QString name = lookupLanguageName(raw);
    return name.isNull() ? raw : name;
}

std::string utf8(const QString &s)
{
    return s.toUtf8().toStdString();
}

// The library's record of a stream and the look of a video stream, read
// through the information handle (its strings belong to the library until
// the next call on it).
bool streamInfo(const VoInfoClass &info, int kind, int number, orl_stream_info *si)
{
    return Info_GetStreamInfo(info.handle(), kind, number, si) == 1;
}

bool videoLook(const VoInfoClass &info, int number, orl_video_look *look)
{
    return Info_GetVideoLook(info.handle(), number, look) == 1;
}

std::vector<uint8_t> privateData(const orl_stream_info &si)
{
    if (!si.extradata || si.extradata_size <= 0)
        return {};
    return std::vector<uint8_t>(si.extradata, si.extradata + si.extradata_size);
}

// Stream name, or its codec when it has none.
QString nameOrCodec(const orl_stream_info &si)
{
    const QString name = QString::fromUtf8(si.name ? si.name : "");
    return name.isEmpty() ? QString::fromUtf8(si.codec_name ? si.codec_name : "") : name;
}

// What every stream record holds alike. The language is the name the
// table gives (or the raw code), as shown: names such as "Occitan (post
// 1500)" keep their parentheses.
template <typename Record>
void fillStreamRecord(Record &record, const orl_stream_info &si)
{
    record.streamIndex = si.index;
    const QString language = languageName(si.language);
    QString display = nameOrCodec(si);
    if (!language.isEmpty())
        display += QStringLiteral(" (%1)").arg(language);
    record.displayText = utf8(display);
    record.name = si.name ? si.name : "";
    record.codecName = si.codec_name ? si.codec_name : "";
    record.language = utf8(language);
    record.extraData = privateData(si);
}

} // namespace

VoVideoConvertItem::VoVideoConvertItem(QObject *parent) : QObject(parent) {}

VoVideoConvertItem::~VoVideoConvertItem() = default;

bool VoVideoConvertItem::endsNoticeablyEarly(uint64_t declared, uint64_t readable)
{
    constexpr uint64_t kSecond = 1000000;
    return readable < declared && declared - readable > qMax(kSecond, declared / 200);
}

bool VoVideoConvertItem::open(const QString &path, int titleIndex, bool isDisc, OpenMode mode)
{
    m_openError.clear();
    VoInfoClass info(mode == OpenMode::ForConversion ? ORL_INFO_HEADERS : -1);
    if (!info.isValid()) {
        m_openError = tr("The media library could not start.");
        return false;
    }
    const bool opened = isDisc ? info.openDisc(path) : info.open(path);
    if (!opened) {
        // The library names the path in front of some reasons; the user
        // sees the file's name beside the reason anyway.
        QString reason = info.lastError();
        if (reason.startsWith(path + QLatin1String(": ")))
            reason = reason.mid(path.size() + 2);
        m_openError = reason;
        return false;
    }
    // The handle is closed and destroyed by VoInfoClass on both outcomes.
    return readFile(info, path, titleIndex, isDisc, mode == OpenMode::Full, mode != OpenMode::ForConversion);
}

bool VoVideoConvertItem::readFile(VoInfoClass &info, const QString &path, int titleIndex,
                                  bool isDisc, bool withCover, bool withLook)
{
    // Title.
    int title = titleIndex;
    if (titleIndex == -1) {
        const int count = info.titleCount();
        title = -1;
        for (int t = 0; t < count; ++t) {
            if (info.selectTitle(t) && (info.hasVideo() || info.hasAudio())) {
                title = t;
                break;
            }
        }
        if (title < 0 || !info.selectTitle(title)) {
            m_openError = tr("The file holds no audio or video stream.");
            return false;
        }
        info.selectStream(ORL_STREAM_VIDEO, 0);
        info.selectStream(ORL_STREAM_AUDIO, 0);
    } else if (!info.selectTitle(titleIndex)) {
        m_openError = info.lastError();
        return false;
    }
    m_isDisc = isDisc;
    m_titleIndex = title;
    // Paths keep their "/" separators on this platform.
    m_videoPath = path;

    m_hasVideo = info.hasVideo();
    m_hasAudio = info.hasAudio();
    if (!m_hasVideo && !m_hasAudio) {
        m_openError = tr("The file holds no audio or video stream.");
        return false;
    }

    const QString formatName = info.formatName();
    QString brand = info.metadata("major_brand");
    if (brand.isEmpty())
        brand = formatName;
    brand = brand.toLower();
    // Encrypted audiobook formats: nothing here can convert them.
    if (brand == QLatin1String("aa") || brand == QLatin1String("aax ")) {
        m_openError = tr("Encrypted audiobooks cannot be converted.");
        return false;
    }

    // Display name.
    if (isDisc) {
        info.selectTitle(m_titleIndex);
        m_videoName = info.titleName(m_titleIndex);
        if (formatName == QLatin1String("Bluray")) {
            const QStringList clip = info.metadata("dvd_clip").split(QLatin1Char(','));
            bool okA = false, okB = false;
            const int a = clip.value(0).trimmed().toInt(&okA);
            const int b = clip.value(1).trimmed().toInt(&okB);
            if (clip.size() == 2 && okA && okB)
                m_videoName += QStringLiteral("_title_%1_%2")
                                   .arg(a + 1, 3, 10, QLatin1Char('0'))
                                   .arg(b + 1, 3, 10, QLatin1Char('0'));
        } else if (formatName == QLatin1String("DVD") || formatName == QLatin1String("ACD")) {
            m_videoName += QStringLiteral("_title_%1").arg(m_titleIndex + 1, 3, 10, QLatin1Char('0'));
        }
    } else {
        if (info.titleCount() > 1)
            m_videoName = info.titleName(m_titleIndex);
        if (m_videoName.isEmpty())
            m_videoName = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    }

    // Suffix.
    if (isDisc) {
        const QString upper = brand.toUpper();
        if (upper == QLatin1String("BLURAY"))
            m_fileSuffix = QStringLiteral("m2ts");
        else if (upper == QLatin1String("DVD"))
            m_fileSuffix = QStringLiteral("vob");
        else if (upper == QLatin1String("ACD"))
            m_fileSuffix = QStringLiteral("wav");
    } else {
        // A program of a transport stream is named by its title, which has
        // no suffix: the file's own name has.
        const QString fileName = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        const QString named = m_videoName.contains(QLatin1Char('.')) ? m_videoName : fileName;
        const int dot = named.lastIndexOf(QLatin1Char('.'));
        m_fileSuffix = dot < 0 ? QStringLiteral("mp4") : named.mid(dot + 1);
    }

    const std::string demuxer = utf8(info.metadata("ffmpeg_format"));
    std::string majorBrand = utf8(info.metadata("major_brand"));
    if (majorBrand.empty() && demuxer == "matroska,webm" && !isDisc) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            majorBrand = matroskaDocType(file.read(64).toStdString());
    }
    m_sourceFormat = QString::fromStdString(sourceContainerName(demuxer, majorBrand));
    // A copy in the source's own container is named after that container,
    // whatever the source file's suffix claims.
    if (!isDisc)
        m_fileSuffix = QString::fromStdString(suffixForContainer(utf8(m_sourceFormat), utf8(m_fileSuffix)));

    m_duration = info.duration();
    m_declaredDuration = m_duration;
    // A partial download plays, cuts and is measured only up to where its
    // data ends; the declared length stays known so the user can be told.
    const uint64_t readable = info.readableEnd();
    if (endsNoticeablyEarly(m_duration, readable))
        m_duration = readable;
    m_width = info.width();
    m_height = info.height();
    if (withCover)
        readCover(info);
    readStreams(info, withLook);
    return true;
}

bool VoVideoConvertItem::setCover(const QByteArray &bytes)
{
    CoverPicture cover(bytes);
    if (cover.isNull())
        return false;
    m_cover = cover;
    m_coverData = bytes;
    m_coverSize = bytes.size();
    return true;
}

void VoVideoConvertItem::readCover(VoInfoClass &info)
{
    const QByteArray blob = info.metadataBlob("cover_image");
    const bool video = m_hasVideo && m_width > 0 && m_height > 0;
    if (!blob.isEmpty()) {
        if (setCover(blob))
            return;
        // Not a picture file we show as it is (or media of its own, a
        // short clip): the media library makes a JPEG of it.
        VoInfoClass blobInfo(-1);
        if (blobInfo.openMemory(blob)) {
            const QByteArray bytes = blobInfo.grabFrame(blobInfo.duration() / 3);
            if (!bytes.isEmpty() && setCover(bytes))
                return;
        }
    }
    if (!video)
        return;
    // The cover is shown as a small picture beside each segment; a bounded
    // size keeps opening a large video quick.
    int width = m_width, height = m_height;
    if (qMax(width, height) > kCoverLongSide) {
        if (width >= height) {
            height = qMax(1, int(int64_t(height) * kCoverLongSide / width));
            width = kCoverLongSide;
        } else {
            width = qMax(1, int(int64_t(width) * kCoverLongSide / height));
            height = kCoverLongSide;
        }
    }
    // Any picture near a third of the way in will do: the key frame there
    // is decoded at once, where the exact picture may take a whole group.
    const QByteArray bytes = info.grabFrame(m_duration / 3, width, height, ORL_PICTURE_JPEG | ORL_PICTURE_KEY_FRAME);
    if (!bytes.isEmpty())
        setCover(bytes);
}

void VoVideoConvertItem::readStreams(VoInfoClass &info, bool withLook)
{
    m_splitMode = 0;
    m_splitInterval = 1;
    m_splitInMinutes = false;
    m_splitParts = 1;
    m_chapterCount = info.chapterCount();
    // Kept now, while the file is open on the loading thread: a split by
    // chapters later must not open the file again on the interface thread.
    m_chapters.clear();
    for (int i = 0; i < m_chapterCount; ++i) {
        const uint64_t start = info.chapterStart(i);
        const uint64_t length = info.chapterDuration(i);
        m_chapters.append({start, length > 0 ? start + length : 0, info.chapterTitle(i)});
    }

    m_audioTrackNames.clear();
    m_subtitleChoices.clear();
    m_videoStreams.clear();
    m_audioStreams.clear();
    m_subtitleStreams.clear();
    m_editConfig.audioTracks.clear();
    m_editConfig.subtitleTracks.clear();

    const int audioCount = info.streamCount(ORL_STREAM_AUDIO);
    const int subtitleCount = info.streamCount(ORL_STREAM_SUBTITLE);
    const int videoCount = info.streamCount(ORL_STREAM_VIDEO);

    for (int i = 0; i < audioCount; ++i) {
        orl_stream_info si{};
        if (!streamInfo(info, ORL_STREAM_AUDIO, i, &si))
            continue;
        QString language = languageName(si.language);
        if (language.isEmpty())
            language = QStringLiteral("Undefined");
        m_audioTrackNames << language + QStringLiteral("(%1)").arg(nameOrCodec(si));
    }

    m_subtitleChoices.append({tr("No Subtitle").toUtf8(), QByteArray()});
    QStringList subtitleTexts;
    for (int i = 0; i < subtitleCount; ++i) {
        orl_stream_info si{};
        QString text;
        if (streamInfo(info, ORL_STREAM_SUBTITLE, i, &si)) {
            const QString language = languageName(si.language);
            if (!language.isEmpty())
                text = QStringLiteral("%1 ").arg(language);
            const QString name = QString::fromUtf8(si.name ? si.name : "");
            const QString codec = QString::fromUtf8(si.codec_name ? si.codec_name : "");
            if (!name.isEmpty())
                text += QLatin1Char('(') + name + QLatin1Char(')');
            if (!codec.isEmpty())
                text += QLatin1Char('(') + codec + QLatin1Char(')');
        }
        if (text.isEmpty())
            text = QStringLiteral("Undefined");
        subtitleTexts << text;
        m_subtitleChoices.append({text.toUtf8(), QByteArray()});
    }
    m_subtitleChoices.append({tr("Video Internal CC").toUtf8(), QByteArray()});
    const int fileChoicesFrom = m_subtitleChoices.size();
    findSubtitleFiles();

    m_editConfig.isDisc = m_isDisc ? 1 : 0;
    m_editConfig.audioTrackNames = m_audioTrackNames;
    m_editConfig.subtitleChoices.clear();
    for (const auto &choice : m_subtitleChoices)
        m_editConfig.subtitleChoices.push_back(
            VESubtitleChoice{choice.first.toStdString(), choice.second.toStdString()});
    m_editConfig.trackChoice.audioTrack = 0;
    m_editConfig.trackChoice.subtitleTrack = 0;
    m_editConfig.trackChoice.subtitleCount = subtitleCount;
    m_editConfig.streamChoice.ProgramIndex = m_titleIndex;
    m_editConfig.streamChoice.subtitleCount = subtitleCount;

    if (m_hasVideo || m_hasAudio) {
        for (int i = 0; i < videoCount; ++i) {
            orl_stream_info si{};
            info.selectStream(ORL_STREAM_VIDEO, i);
            if (!streamInfo(info, ORL_STREAM_VIDEO, i, &si))
                continue;
            VideoStreamInfo v;
            fillStreamRecord(v, si);
            v.width = si.width;
            v.height = si.height;
            v.bitRate = si.bit_rate;
            v.frameRateNum = si.frame_rate_num;
            v.frameRateDen = si.frame_rate_den;
            v.profile = si.profile;
            v.level = si.level;
            // The look decodes a picture: only for items the window shows.
            orl_video_look look{};
            if (withLook && videoLook(info, i, &look) && look.hdr)
                v.hdr = look.hdr;
            m_videoStreams.append(v);
        }
        info.selectStream(ORL_STREAM_VIDEO, 0);
        for (int i = 0; i < audioCount; ++i) {
            orl_stream_info si{};
            if (!streamInfo(info, ORL_STREAM_AUDIO, i, &si))
                continue;
            AudioStreamInfo a;
            fillStreamRecord(a, si);
            a.channels = si.channels;
            a.sampleRate = si.sample_rate;
            a.bitRate = si.bit_rate;
            a.profile = si.profile;
            m_audioStreams.append(a);
            m_editConfig.audioTracks.push_back(VEAudioTrackEntry{false, a});
        }
        for (int i = 0; i < subtitleCount; ++i) {
            orl_stream_info si{};
            if (!streamInfo(info, ORL_STREAM_SUBTITLE, i, &si))
                continue;
            SubtitleStreamInfo s;
            fillStreamRecord(s, si);
            s.displayText = utf8(subtitleTexts.value(i));
            s.codecTag = si.codec_tag;
            s.value = si.duration;
            m_subtitleStreams.append(s);
            m_editConfig.subtitleTracks.push_back(VESubtitleTrackEntry{false, s});
        }
        for (int c = fileChoicesFrom; c < m_subtitleChoices.size(); ++c) {
            SubtitleStreamInfo s;
            s.kind = 1;
            s.displayText = m_subtitleChoices[c].first.toStdString();
            s.path = m_subtitleChoices[c].second.toStdString();
            const QString text = QString::fromUtf8(m_subtitleChoices[c].first);
            s.name = utf8(QFileInfo(QString::fromUtf8(m_subtitleChoices[c].second)).completeBaseName());
            // The kind stands between the square brackets of the text.
            const int open = text.lastIndexOf(QLatin1Char('['));
            s.codecName = utf8(text.mid(open + 1).chopped(1));
            m_editConfig.subtitleTracks.push_back(VESubtitleTrackEntry{false, s});
        }
    }

    VEAudioTagInfo &tags = m_editConfig.tags;
    tags = VEAudioTagInfo();
    tags.title = utf8(info.metadata("title"));
    tags.artist = utf8(info.metadata("artist"));
    tags.albumArtist = utf8(info.metadata("album_artist"));
    tags.composer = utf8(info.metadata("composer"));
    tags.album = utf8(info.metadata("album"));
    tags.genre = utf8(info.metadata("genre"));
    tags.track = utf8(info.metadata("track"));
    tags.year = utf8(info.metadata("year"));
    tags.date = utf8(info.metadata("date"));
    tags.comment = utf8(info.metadata("comment"));
    tags.copyright = utf8(info.metadata("copyright"));
    const QByteArray cover = info.metadataBlob("cover_image");
    tags.coverData = cover.toStdString();
    tags.coverSize = cover.size();
}

void VoVideoConvertItem::findSubtitleFiles()
{
    // The input path up to and including the last "." of its file name.
    const int slash = m_videoPath.lastIndexOf(QLatin1Char('/'));
    const int dot = m_videoPath.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > slash ? m_videoPath.left(dot + 1) : m_videoPath + QLatin1Char('.');
    for (const SubtitleFileKind &k : kSubtitleFiles) {
        const QString file = stem + QLatin1String(k.extension);
        const QFileInfo fi(file);
        if (!fi.isFile())
            continue;
        const QString text = QLatin1Char('(') + fi.completeBaseName() + QLatin1Char(')')
            + QLatin1Char('[') + QLatin1String(k.kind) + QLatin1Char(']');
        m_subtitleChoices.append({text.toUtf8(), file.toUtf8()});
    }
}

VoVideoConvertItem *VoVideoConvertItem::clone(QObject *parent) const
{
    auto *copy = new VoVideoConvertItem(parent);
    copy->m_sourceFormat = m_sourceFormat;
    copy->m_fileSuffix = m_fileSuffix;
    copy->m_videoPath = m_videoPath;
    copy->m_videoName = m_videoName;
    copy->m_width = m_width;
    copy->m_height = m_height;
    copy->m_hasVideo = m_hasVideo;
    copy->m_hasAudio = m_hasAudio;
    copy->m_cover = m_cover;
    copy->m_coverData = m_coverData;
    copy->m_coverSize = m_coverSize;
    copy->m_isDisc = m_isDisc;
    copy->m_titleIndex = m_titleIndex;
    copy->m_TrimStartTime = m_TrimStartTime;
    copy->m_TrimEndTime = m_TrimEndTime;
    copy->m_duration = m_duration;
    copy->m_declaredDuration = m_declaredDuration;
    copy->m_isCurrent = true;
    copy->m_subtitleChoices = m_subtitleChoices;
    copy->m_audioTrackNames = m_audioTrackNames;
    copy->m_splitSegments = m_splitSegments;
    copy->m_splitMode = m_splitMode;
    copy->m_splitInterval = m_splitInterval;
    copy->m_splitInMinutes = m_splitInMinutes;
    copy->m_splitParts = m_splitParts;
    copy->m_chapterCount = m_chapterCount;
    copy->m_chapters = m_chapters;
    copy->m_subtitleStreams = m_subtitleStreams;
    copy->m_audioStreams = m_audioStreams;
    copy->m_videoStreams = m_videoStreams;
    copy->m_editConfig = m_editConfig;
    copy->m_index = -1;
    return copy;
}

void VoVideoConvertItem::setLossless(bool lossless)
{
    m_editConfig.m_bLossless = lossless;
}

void VoVideoConvertItem::setFileFormat(const OutputFormatParams &params)
{
    const QString name = m_editConfig.m_bLossless && params.keepsSourceContainer()
        ? m_sourceFormat
        : params.container;
    m_editConfig.m_fileFormat = name.toLower();
}

void VoVideoConvertItem::applyOutputFormat(const OutputFormatParams &params)
{
    setLossless(params.lossless);
    setFileFormat(params);
    resetTrackData();
}

void VoVideoConvertItem::resetTrackData()
{
    VEEditConfig &c = m_editConfig;
    if (c.m_bLossless) {
        for (auto &entry : c.audioTracks)
            entry.selected = true;
        for (auto &entry : c.subtitleTracks)
            entry.selected = true;
        c.streamChoice.subtlType = c.streamChoice.subtitleCount > 0 ? 0 : -1;
    } else {
        for (size_t i = 0; i < c.audioTracks.size(); ++i)
            c.audioTracks[i].selected = i == 0;
        for (auto &entry : c.subtitleTracks)
            entry.selected = false;
        c.streamChoice.subtlType = -1;
        c.streamChoice.audioTrack = 0;
    }
    c.streamChoice.audioType = 0;
    c.streamChoice.subtitleTrack = 0;
}

// One reading of the track choice serves the item and the converter.
int VoVideoConvertItem::audioIndex() const
{
    return engineStreamChoice(m_editConfig).audioIndex;
}

int VoVideoConvertItem::subtitleIndex() const
{
    return engineStreamChoice(m_editConfig).subtitleIndex;
}

uint64_t VoVideoConvertItem::losslessAudioMask() const
{
    return engineStreamChoice(m_editConfig).audioMask;
}

uint64_t VoVideoConvertItem::losslessSubtitleMask() const
{
    return engineStreamChoice(m_editConfig).subtitleMask;
}

void VoVideoConvertItem::setSplitInfo(Split_Info info)
{
    m_splitSegments.clear();
    if (info.mode != 3 || m_chapterCount > 0)
        m_splitMode = info.mode;
    m_splitInterval = info.interval;
    m_splitInMinutes = info.inMinutes != 0;
    m_splitParts = info.parts;

    switch (m_splitMode) {
    case 1: {
        const uint64_t unit = m_splitInMinutes ? 60000000ull : 3600000000ull;
        // A non-positive interval would never advance: no segments.
        if (m_duration == 0 || m_splitInterval <= 0)
            break;
        const uint64_t step = static_cast<uint64_t>(m_splitInterval) * unit;
        for (uint64_t start = 0;;) {
            const uint64_t end = start + step;
            if (end < m_duration) {
                m_splitSegments.append({start, end});
                start = end;
            } else {
                m_splitSegments.append({start, 0});
                break;
            }
        }
        break;
    }
    case 2: {
        if (m_splitParts < 2)
            break;
        const uint64_t parts = static_cast<uint64_t>(m_splitParts);
        const uint64_t length = m_duration / parts;
        for (uint64_t i = 0; i + 1 < parts; ++i)
            m_splitSegments.append({i * length, (i + 1) * length});
        m_splitSegments.append({(parts - 1) * length, 0});
        break;
    }
    case 3:
        for (const ChapterMark &c : m_chapters)
            m_splitSegments.append({c.start, c.end});
        break;
    default:
        break;
    }
}
