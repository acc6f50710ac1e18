#include "ProfileCatalogue.h"

#include "AppPaths.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

// A required entry is missing or has the wrong type; where is its path
// inside the format (or inside the file, for entries above the formats).
struct MissingEntry {
    std::string where;
};

// The format's filter has no audio codecs for the chosen video codec.
struct FilterGap {
    QString videoCodec;
};

const QString kAuto = QStringLiteral("Auto");

QString toQString(const std::string &s)
{
    return QString::fromStdString(s);
}

const boost::any *findEntry(const PlistDictionary &dict, const std::string &key)
{
    const auto it = dict.find(key);
    return it == dict.end() ? nullptr : &it->second;
}

template <class T>
const T &require(const PlistDictionary &dict, const std::string &key, const std::string &where)
{
    const boost::any *entry = findEntry(dict, key);
    const T *value = entry ? boost::any_cast<T>(entry) : nullptr;
    if (value == nullptr)
        throw MissingEntry{where + key};
    return *value;
}

QString requireString(const PlistDictionary &dict, const std::string &key, const std::string &where)
{
    return toQString(require<std::string>(dict, key, where));
}

// Entries a format may leave out read as empty; present ones must be text.
QString optionalString(const PlistDictionary &dict, const std::string &key, const std::string &where)
{
    const boost::any *entry = findEntry(dict, key);
    if (entry == nullptr)
        return QString();
    const std::string *value = boost::any_cast<std::string>(entry);
    if (value == nullptr)
        throw MissingEntry{where + key};
    return toQString(*value);
}

// Splits a "supports" list: items trimmed, "0" stands for "Auto", empty
// items dropped, every other item followed by the unit suffix.
QStringList splitList(const QString &text, const QString &suffix = QString())
{
    QStringList items;
    for (const QString &raw : text.split(QLatin1Char(','))) {
        const QString item = raw.trimmed();
        if (item.isEmpty())
            continue;
        if (item == QLatin1String("0"))
            items << kAuto;
        else
            items << item + suffix;
    }
    return items;
}

// The audio list of one video codec inside a filter: groups are separated
// by "|", each is a video tag, one separator character and a comma list.
// Only a group that starts with the tag counts, so a video tag is never
// matched inside another group's audio list.
QStringList filterAudioCodecs(const QString &filter, const QString &videoCodec)
{
    if (videoCodec.isEmpty())
        return {};
    for (const QString &group : filter.split(QLatin1Char('|'))) {
        if (group.startsWith(videoCodec))
            return splitList(group.mid(videoCodec.size() + 1));
    }
    return {};
}

std::string indexPath(const char *list, size_t index)
{
    return std::string(list) + "/" + std::to_string(index) + "/";
}

} // namespace

ProfileCatalogue::ProfileCatalogue(const QString &path)
    : m_path(path)
{
    try {
        if (path.isEmpty())
            throw std::runtime_error("Can't open file: ");
        readPlistFile(path.toStdString(), m_root);
        m_loaded = true;
    } catch (const std::exception &e) {
        m_root.clear();
        m_error = tr("The profile file %1 could not be read: %2").arg(path, QString::fromUtf8(e.what()));
    }
}

ProfileCatalogue::~ProfileCatalogue() = default;

ProfileCatalogue &ProfileCatalogue::encodingCatalogue(const QString &path)
{
    static ProfileCatalogue catalogue(path);
    return catalogue;
}

ProfileCatalogue &ProfileCatalogue::losslessCatalogue(const QString &path)
{
    static ProfileCatalogue catalogue(path);
    return catalogue;
}

ProfileCatalogue &ProfileCatalogue::encodingCatalogue()
{
    return encodingCatalogue(appFolder() + QStringLiteral("/profile/profiles_win.plist"));
}

ProfileCatalogue &ProfileCatalogue::losslessCatalogue()
{
    return losslessCatalogue(appFolder() + QStringLiteral("/profile/profiles_win_Lossless.plist"));
}

bool ProfileCatalogue::checkLoaded()
{
    if (m_loaded)
        m_error.clear();
    else if (m_error.isEmpty())
        m_error = tr("The profile file %1 could not be read: %2").arg(m_path, QString());
    return m_loaded;
}

QStringList ProfileCatalogue::getCategories()
{
    m_categories.clear();
    if (!checkLoaded())
        return m_categories;
    try {
        const PlistArray &titles = require<PlistArray>(m_root, "Categories", "");
        for (size_t i = 0; i < titles.size(); ++i) {
            const std::string *title = boost::any_cast<std::string>(&titles[i]);
            if (title == nullptr)
                throw MissingEntry{"Categories/" + std::to_string(i)};
            m_categories << toQString(*title);
        }
    } catch (const MissingEntry &e) {
        m_categories.clear();
        m_error = tr("The profile file %1 has no valid entry \"%2\".").arg(m_path, toQString(e.where));
    }
    return m_categories;
}

const PlistArray *ProfileCatalogue::formatsOf(const std::string &category)
{
    return &require<PlistArray>(m_root, category, "");
}

QVector<FormatItemInfo> ProfileCatalogue::getItems(const QString &category)
{
    m_items.clear();
    if (category.isEmpty() || !checkLoaded())
        return m_items;
    const std::string cat = category.toStdString();
    try {
        const PlistArray &formats = *formatsOf(cat);
        for (size_t i = 0; i < formats.size(); ++i) {
            const std::string where = cat + "/" + std::to_string(i) + "/";
            const PlistDictionary *format = boost::any_cast<PlistDictionary>(&formats[i]);
            if (format == nullptr)
                throw MissingEntry{cat + "/" + std::to_string(i)};
            const PlistDictionary &base = require<PlistDictionary>(*format, "baseinfo", where);
            const std::string baseWhere = where + "baseinfo/";
            m_items.push_back(FormatItemInfo{requireString(base, "title", baseWhere),
                                             requireString(base, "id", baseWhere),
                                             requireString(base, "ext", baseWhere), category,
                                             requireString(base, "icon", baseWhere)});
        }
    } catch (const MissingEntry &e) {
        m_items.clear();
        m_error = tr("The profile file %1 has no valid entry \"%2\".").arg(m_path, toQString(e.where));
    }
    return m_items;
}

namespace {

// The format dictionary of a category whose baseinfo "id" equals id.
const PlistDictionary *findFormat(const PlistArray &formats, const std::string &category, const std::string &id)
{
    for (size_t i = 0; i < formats.size(); ++i) {
        const PlistDictionary *format = boost::any_cast<PlistDictionary>(&formats[i]);
        if (format == nullptr)
            throw MissingEntry{category + "/" + std::to_string(i)};
        const std::string where = category + "/" + std::to_string(i) + "/";
        const PlistDictionary &base = require<PlistDictionary>(*format, "baseinfo", where);
        if (require<std::string>(base, "id", where + "baseinfo/") == id)
            return format;
    }
    return nullptr;
}

} // namespace

QString ProfileCatalogue::getItemField(const QString &category, const QString &id, const QString &key)
{
    if (category.isEmpty() || id.isEmpty() || !checkLoaded())
        return QString();
    const std::string cat = category.toStdString();
    const PlistDictionary *format = nullptr;
    try {
        format = findFormat(*formatsOf(cat), cat, id.toStdString());
    } catch (const MissingEntry &e) {
        m_error = tr("The profile file %1 has no valid entry \"%2\".").arg(m_path, toQString(e.where));
        return QString();
    }
    if (format == nullptr)
        return QString();
    try {
        const PlistDictionary &base = require<PlistDictionary>(*format, "baseinfo", "");
        return requireString(base, key.toStdString(), "baseinfo/");
    } catch (const MissingEntry &e) {
        m_error = tr("The format %1 in the category \"%2\" of the profile file %3 has no valid entry \"%4\".")
                      .arg(id, category, m_path, toQString(e.where));
        return QString();
    }
}

const FormatProfile *ProfileCatalogue::buildProfile(const QString &category, const QString &id,
                                                    const QString &videoCodec, const QString &resolution,
                                                    const QString &audioCodec, const QString &channel)
{
    m_profile.reset();
    if (category.isEmpty() || id.isEmpty() || !checkLoaded())
        return nullptr;
    auto profile = std::make_unique<FormatProfile>();
    const std::string cat = category.toStdString();
    try {
        buildInto(*profile, cat, id.toStdString(), videoCodec, resolution, audioCodec, channel);
    } catch (const MissingEntry &e) {
        // Errors above the format itself (the category list, another
        // format's id) are reported against the file.
        if (e.where.rfind(cat + "/", 0) == 0 || e.where == cat)
            m_error = tr("The profile file %1 has no valid entry \"%2\".").arg(m_path, toQString(e.where));
        else
            m_error = tr("The format %1 in the category \"%2\" of the profile file %3 has no valid entry \"%4\".")
                          .arg(id, category, m_path, toQString(e.where));
        return nullptr;
    } catch (const FilterGap &e) {
        m_error = tr("The format %1 in the category \"%2\" of the profile file %3 names no audio codec for the video codec %4.")
                      .arg(id, category, m_path, e.videoCodec);
        return nullptr;
    }
    profile->category = category;
    profile->id = id;
    m_profile = std::move(profile);
    return m_profile.get();
}

void ProfileCatalogue::buildInto(FormatProfile &p, const std::string &category, const std::string &id,
                                 QString videoChoice, QString resolutionChoice, QString audioChoice,
                                 QString channelChoice)
{
    for (QString *choice : {&videoChoice, &resolutionChoice, &audioChoice, &channelChoice}) {
        if (*choice == kAuto)
            choice->clear();
    }

    const PlistDictionary *format = findFormat(*formatsOf(category), category, id);
    if (format == nullptr)
        return;

    const PlistDictionary &base = require<PlistDictionary>(*format, "baseinfo", "");
    p.ext = requireString(base, "ext", "baseinfo/");
    p.autoAllowed = requireString(base, "auto", "baseinfo/") == QLatin1String("1");
    const QStringList autoEntry = p.autoAllowed ? QStringList{kAuto} : QStringList{};

    QString filter;
    const boost::any *videoEntry = findEntry(*format, "videoencoders");
    const PlistDictionary *videoEncoders = videoEntry ? boost::any_cast<PlistDictionary>(videoEntry) : nullptr;
    if (videoEntry != nullptr && videoEncoders == nullptr)
        throw MissingEntry{"videoencoders"};

    p.audioOnly = videoEncoders == nullptr || videoEncoders->empty();
    if (!p.audioOnly) {
        p.videoCodecs = autoEntry + splitList(optionalString(*videoEncoders, "supports", "videoencoders/"));
        if (videoChoice.isEmpty())
            videoChoice = optionalString(*videoEncoders, "default", "videoencoders/").trimmed();
        p.videoCodec = videoChoice;
        filter = optionalString(*videoEncoders, "filter", "videoencoders/");

        if (resolutionChoice.isEmpty()) {
            const PlistDictionary &res = require<PlistDictionary>(*format, "resolution", "");
            resolutionChoice = optionalString(res, "default", "resolution/");
        }
        p.resolution = resolutionChoice;
        p.resolutions = autoEntry;

        const PlistArray &videoParams = require<PlistArray>(*format, "videoparams", "");
        const PlistDictionary *chosen = nullptr;
        std::string chosenWhere;
        for (size_t i = 0; i < videoParams.size(); ++i) {
            const std::string where = indexPath("videoparams", i);
            const PlistDictionary *entry = boost::any_cast<PlistDictionary>(&videoParams[i]);
            if (entry == nullptr)
                throw MissingEntry{where.substr(0, where.size() - 1)};
            if (requireString(*entry, "fourcc", where).trimmed() != p.videoCodec)
                continue;
            const QString entryResolution = requireString(*entry, "resolution", where);
            p.resolutions << entryResolution;
            if (chosen == nullptr || entryResolution == resolutionChoice) {
                chosen = entry;
                chosenWhere = where;
                p.resolution = entryResolution;
            }
        }
        if (chosen != nullptr) {
            const std::string rateWhere = chosenWhere + "videobitrate/";
            const PlistDictionary &rate = require<PlistDictionary>(*chosen, "videobitrate", chosenWhere);
            const QString kbps = QStringLiteral(" kbps");
            p.videoBitrateDefault = optionalString(rate, "default", rateWhere) + kbps;
            p.videoBitrateLow = optionalString(rate, "low", rateWhere) + kbps;
            p.videoBitrateHigh = optionalString(rate, "high", rateWhere) + kbps;
            p.videoBitrates = autoEntry + splitList(optionalString(rate, "supports", rateWhere), kbps);

            const std::string fpsWhere = chosenWhere + "framerate/";
            const PlistDictionary &fps = require<PlistDictionary>(*chosen, "framerate", chosenWhere);
            const QString fpsSuffix = QStringLiteral(" fps");
            p.frameRateDefault = optionalString(fps, "default", fpsWhere) + fpsSuffix;
            p.frameRates = autoEntry + splitList(optionalString(fps, "supports", fpsWhere), fpsSuffix);
        }
    }

    QString audioDefault;
    if (!filter.isEmpty()) {
        p.audioCodecs = filterAudioCodecs(filter, p.videoCodec);
        if (p.audioCodecs.isEmpty())
            throw FilterGap{p.videoCodec};
        audioDefault = p.audioCodecs.first();
    } else {
        const PlistDictionary &audioEncoders = require<PlistDictionary>(*format, "audioencoders", "");
        p.audioCodecs = autoEntry + splitList(optionalString(audioEncoders, "supports", "audioencoders/"));
        audioDefault = optionalString(audioEncoders, "default", "audioencoders/");
    }
    if (audioChoice.isEmpty())
        audioChoice = audioDefault.trimmed();
    p.audioCodec = audioChoice;

    if (channelChoice.isEmpty()) {
        const PlistDictionary &channels = require<PlistDictionary>(*format, "channels", "");
        channelChoice = optionalString(channels, "default", "channels/");
    }
    p.channel = channelChoice;
    p.channels = autoEntry;

    const PlistArray &audioParams = require<PlistArray>(*format, "audioparams", "");
    const PlistDictionary *chosen = nullptr;
    std::string chosenWhere;
    for (size_t i = 0; i < audioParams.size(); ++i) {
        const std::string where = indexPath("audioparams", i);
        const PlistDictionary *entry = boost::any_cast<PlistDictionary>(&audioParams[i]);
        if (entry == nullptr)
            throw MissingEntry{where.substr(0, where.size() - 1)};
        if (requireString(*entry, "fourcc", where).trimmed() != p.audioCodec)
            continue;
        const QString entryChannel = requireString(*entry, "channel", where);
        p.channels << entryChannel;
        if (chosen == nullptr || entryChannel == channelChoice) {
            chosen = entry;
            chosenWhere = where;
            p.channel = entryChannel;
        }
    }
    if (chosen != nullptr) {
        const std::string rateWhere = chosenWhere + "audiobitrate/";
        const PlistDictionary &rate = require<PlistDictionary>(*chosen, "audiobitrate", chosenWhere);
        const QString kbps = QStringLiteral(" kbps");
        const QString rateDefault = optionalString(rate, "default", rateWhere);
        QString low = optionalString(rate, "low", rateWhere);
        QString high = optionalString(rate, "high", rateWhere);
        if (low.isEmpty())
            low = rateDefault;
        if (high.isEmpty())
            high = rateDefault;
        p.audioBitrateDefault = rateDefault + kbps;
        p.audioBitrateLow = low + kbps;
        p.audioBitrateHigh = high + kbps;
        p.audioBitrates = autoEntry + splitList(optionalString(rate, "supports", rateWhere), kbps);

        const std::string hzWhere = chosenWhere + "samplerate/";
        const PlistDictionary &hz = require<PlistDictionary>(*chosen, "samplerate", chosenWhere);
        const QString hzSuffix = QStringLiteral(" Hz");
        p.sampleRateDefault = optionalString(hz, "default", hzWhere) + hzSuffix;
        p.sampleRates = autoEntry + splitList(optionalString(hz, "supports", hzWhere), hzSuffix);
    }
}

QString ProfileCatalogue::codecDisplayName(const QString &tag) const
{
    if (tag == kAuto)
        return kAuto;
    if (tag.isEmpty())
        return QString();
    const std::string key = (tag.size() == 3 ? tag + QLatin1Char(' ') : tag).toStdString();
    const boost::any *codecs = findEntry(m_root, "Codecs");
    const PlistDictionary *names = codecs ? boost::any_cast<PlistDictionary>(codecs) : nullptr;
    if (names != nullptr) {
        const boost::any *name = findEntry(*names, key);
        const std::string *text = name ? boost::any_cast<std::string>(name) : nullptr;
        if (text != nullptr)
            return toQString(*text);
    }
    return tag;
}

int32_t ProfileCatalogue::codecIdForTag(const QString &tag)
{
    // Identifiers of the media library's codec numbering.
    static const struct {
        const char *tag;
        int32_t id;
    } table[] = {
        {"AC3", 0x15003}, {"MJPG", 8}, {"MP2A", 0x15000}, {"in24", 0x1000D}, {"MP4V", 13},
        {"PCM", 0x10000}, {"mp43", 17}, {"OGG", 0x15005}, {"APE", 0x10000}, {"wma3", 0x15026},
        {"WMV1", 18}, {"caf", 0x11000}, {"wma2", 0x15008}, {"WMV2", 19}, {"DV60", 25},
        {"wma1", 0x15007}, {"VBIS", 0x15005}, {"DV50", 25}, {"MP3", 0x15001}, {"mpg1", 1},
        {"flac", 0x1500C}, {"VP8", 141}, {"mp1v", 1}, {"AMRN", 0x12000}, {"VP9", 169},
        {"HMP2", 2}, {"flv1", 22}, {"AAC", 0x15002}, {"mp2v", 2}, {"fmp3", 0x1100D},
        {"H263", 5}, {"H264", 28}, {"WMV3", 72}, {"H265", 1211250229}, {"Xvid", 1145656920},
        {"vc-1", 71}, {"DIVX", 808802372}, {"pcmb", 0x10001}, {"alac", 0x15010}, {"OGV", 31},
    };
    for (const auto &row : table) {
        if (tag == QLatin1String(row.tag))
            return row.id;
    }
    return 0;
}

QString ProfileCatalogue::containerForExtension(const QString &ext)
{
    static const struct {
        const char *ext;
        const char *container;
    } table[] = {
        {"m4v", "mp4"}, {"wmv", "asf"}, {"mkv", "matroska"}, {"mpg", "mpeg"}, {"ts", "mpegts"},
        {"m4a", "mp4"}, {"DivX", "avi"}, {"ogv", "ogg"}, {"WebM", "webm"}, {"trp", "mpegts"},
        {"wma", "asf"}, {"mka", "matroska"}, {"aac", "adts"}, {"m4b", "mp4"}, {"m4r", "mp4"},
        {"alac", "mov"},
    };
    for (const auto &row : table) {
        if (ext == QLatin1String(row.ext))
            return QLatin1String(row.container);
    }
    return ext;
}

FrameRateFraction ProfileCatalogue::frameRateToRational(double fps)
{
    if (fps > 23.5 && fps < 23.99)
        return {24000, 1001};
    if (fps > 29.5 && fps < 29.99)
        return {30000, 1001};
    if (fps > 59.5 && fps < 59.99)
        return {60000, 1001};
    const double whole = fps + 0.01;
    // A NaN or a rate beyond 32 bits has no integer part to keep.
    if (!(std::fabs(whole) < 2147483647.0))
        return {0, 1};
    return {static_cast<int32_t>(whole), 1};
}
