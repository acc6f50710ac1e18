#include "QVideoEditingSettings.h"

#include "AppPaths.h"
#include "ParserXML.h"
#include "VoPlayerManager.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

QVideoEditingSettings::QVideoEditingSettings(QObject *parent) : QObject(parent)
{
    registerEditingMetaTypes();
}

void QVideoEditingSettings::attachPlayer(VoPlayerManager *player)
{
    if (!player)
        return;
    m_player = player;
    connect(player, &VoPlayerManager::emitPlayerChange, this, &QVideoEditingSettings::playerChange);
    connect(player, &VoPlayerManager::emitTrimTimeChange, this, &QVideoEditingSettings::trimTimeChange);
    connect(player, &VoPlayerManager::emitCropAreaChange, this, &QVideoEditingSettings::cropAreaChange);
    connect(player, &VoPlayerManager::emitWatermarkSettingChange, this, &QVideoEditingSettings::watermarkRectChange);
}

void QVideoEditingSettings::setCrop(const VECropSettings &crop)
{
    m_config.crop = crop;
    if (m_player)
        m_player->setCrop(crop);
}

void QVideoEditingSettings::setPicture(const VEPictureAdjust &picture)
{
    m_config.picture = picture;
    if (m_player)
        m_player->setPicture(picture);
}

void QVideoEditingSettings::setEffectOverlay(const VEWatermarkSettings &overlay)
{
    m_config.effectOverlay = overlay;
    if (m_player)
        m_player->setOverlay(1, overlay);
}

void QVideoEditingSettings::setFrameOverlay(const VEWatermarkSettings &overlay)
{
    m_config.frameOverlay = overlay;
    if (m_player)
        m_player->setOverlay(2, overlay);
}

void QVideoEditingSettings::setWatermark(const VEWatermarkSettings &watermark, int readBack, bool contentChanged)
{
    m_config.watermark = watermark;
    emit emitWatermarkSettingsChange(watermark);
    if (!m_player)
        return;
    if (contentChanged)
        m_player->setWatermarkContent(watermark, 0, readBack != 0);
    else
        m_player->setWatermarkProperties(watermark, 0, readBack != 0);
}

void QVideoEditingSettings::setTrackChoice(const VETrackChoice &choice)
{
    m_config.trackChoice = choice;
    if (m_player) {
        m_player->setTrackChoice(choice);
        m_player->setSubtitleStyle(m_config.subtitleStyle);
    }
}

void QVideoEditingSettings::setSubtitleStyle(const VESubtitleStyle &style)
{
    m_config.subtitleStyle = style;
    if (m_player)
        m_player->setSubtitleStyle(style);
}

void QVideoEditingSettings::setStreamChoice(const VETrackChoice &choice)
{
    m_config.streamChoice = choice;
    if (m_player)
        m_player->setStreamChoice(choice);
}

void QVideoEditingSettings::setAudio(const VEAudioSettings &audio, bool)
{
    m_config.audio = audio;
    if (m_player)
        m_player->setBackgroundAudio(audio);
}

void QVideoEditingSettings::setSoundEffect(const VESoundEffect &effect)
{
    m_config.soundEffect = effect;
    if (m_player)
        m_player->setSoundEffect(effect);
}

void QVideoEditingSettings::setTags(const VEAudioTagInfo &tags)
{
    m_config.tags = tags;
}

QSize QVideoEditingSettings::videoSize() const
{
    return m_player ? m_player->sourceSize() : QSize(0, 0);
}

QSize QVideoEditingSettings::minCropSize() const
{
    // The crop rectangle keeps at least 20 x 20 pixels of the shown picture.
    if (!m_player || !m_player->hasPlayer())
        return QSize(0, 0);
    return QSize(20, 20);
}

void QVideoEditingSettings::setEditedDimension(int which)
{
    m_editedDimension = which;
}

uint64_t QVideoEditingSettings::durationMs() const
{
    return m_player ? m_player->duration() / 1000 : 0;
}

uint64_t QVideoEditingSettings::positionMs() const
{
    return m_player && m_player->hasPlayer() ? m_player->position() / 1000 : 0;
}

void QVideoEditingSettings::loadConfig(const VEEditConfig &config)
{
    m_config = config;
    if (m_player)
        applyAll();
}

void QVideoEditingSettings::addExternalSubtitle(const VESubtitleTrackEntry &entry)
{
    m_config.subtitleTracks.push_back(entry);
    if (m_player)
        m_player->setSubtitleTracks(m_config.subtitleTracks);
}

void QVideoEditingSettings::setSubtitleTracks(const std::vector<VESubtitleTrackEntry> &tracks)
{
    m_config.subtitleTracks = tracks;
    if (m_player)
        m_player->setSubtitleTracks(tracks);
}

void QVideoEditingSettings::applyAll()
{
    VEEditConfig &c = m_config;
    m_player->setTrimState(c.trimStart != 0 || c.trimEnd != 0, c.trimStart, c.trimEnd);
    m_player->setCrop(c.crop);
    m_player->setSoundEffect(c.soundEffect);
    m_player->setPicture(c.picture);
    VEAudioSettings audio = c.audio;
    audio.bgStartTime = c.trimStart;
    m_player->setBackgroundAudio(audio);
    VEWatermarkSettings frame = c.frameOverlay;
    frame.imageStartTime = c.trimStart;
    m_player->setOverlay(2, frame);
    VEWatermarkSettings effect = c.effectOverlay;
    effect.imageStartTime = c.trimStart;
    m_player->setOverlay(1, effect);
    VEWatermarkSettings watermark = c.watermark;
    watermark.imageStartTime = c.trimStart;
    m_player->setWatermarkContent(watermark, 0, true);
    m_player->setStreamChoice(c.streamChoice);
    m_player->setSubtitleStyle(c.subtitleStyle);
}

void QVideoEditingSettings::trimTimeChange(uint64_t startTime, uint64_t endTime)
{
    m_config.trimStart = startTime;
    m_config.trimEnd = endTime;
    if (!m_bindOverlaysToTrim)
        return;
    for (VEWatermarkSettings *o : {&m_config.watermark, &m_config.effectOverlay, &m_config.frameOverlay}) {
        o->textStartTime = startTime;
        o->imageStartTime = startTime;
    }
    m_config.audio.bgStartTime = startTime;
    if (m_player) {
        m_player->setWatermarkProperties(m_config.watermark, 0, true);
        m_player->setOverlay(1, m_config.effectOverlay);
        m_player->setOverlay(2, m_config.frameOverlay);
        m_player->setBackgroundAudio(m_config.audio);
    }
}

void QVideoEditingSettings::playerChange() {}

void QVideoEditingSettings::cropAreaChange(VECropSettings crop)
{
    m_config.crop = crop;
}

void QVideoEditingSettings::watermarkRectChange(VEWatermarkSettings watermark, int)
{
    m_config.watermark = watermark;
    emit emitWatermarkSettingsChange(watermark);
}

// ------------------------------------------------- snapshot settings file ---

namespace {

const QString kElement = QStringLiteral("Screenshots");

QString snapshotSettingFile()
{
    return settingsFolder() + QStringLiteral("/VedioEditDefaultSetting.xml");
}

QString defaultImgFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QLatin1Char('/')
        + productTitle();
    const QString folder = base + QStringLiteral("/Converted/Screenshots/");
    if (QDir(folder).exists() || QDir().mkpath(folder))
        return folder;
    return base;
}

// Opens the file (creating it, or starting afresh when it does not parse);
// false when it cannot be opened at all.
bool openSnapshotSettings(QDomDocument &doc)
{
    const QString path = snapshotSettingFile();
    if (!QFile::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.close();
        doc = QDomDocument();
        doc.appendChild(doc.createElement(QStringLiteral("ROOTITEM")));
        return true;
    }
    if (!ParserXML::loadDocument(path, doc))
        return false;
    if (doc.documentElement().isNull())
        doc.appendChild(doc.createElement(QStringLiteral("ROOTITEM")));
    return true;
}

QDomElement screenshotsElement(QDomDocument &doc)
{
    const QDomElement root = doc.documentElement();
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        if (e.tagName() == kElement)
            return e;
    return QDomElement();
}

QString readValue(const QString &attribute, const QString &defaultValue)
{
    QDomDocument doc;
    if (!openSnapshotSettings(doc))
        return defaultValue;
    QDomElement e = screenshotsElement(doc);
    if (!e.isNull()) {
        const QString value = e.attribute(attribute);
        if (!value.isEmpty())
            return value;
        e.setAttribute(attribute, defaultValue);
    } else {
        e = doc.createElement(kElement);
        e.setAttribute(attribute, defaultValue);
        doc.documentElement().appendChild(e);
    }
    ParserXML::writeOperateXml(snapshotSettingFile(), doc);
    return defaultValue;
}

void writeValue(const QString &attribute, const QString &value)
{
    QDomDocument doc;
    if (!openSnapshotSettings(doc))
        return;
    QDomElement e = screenshotsElement(doc);
    if (e.isNull()) {
        e = doc.createElement(kElement);
        doc.documentElement().appendChild(e);
    }
    e.setAttribute(attribute, value);
    ParserXML::writeOperateXml(snapshotSettingFile(), doc);
}

} // namespace

QString getImgSuffix()
{
    return readValue(QStringLiteral("IMG_SUFFIX"), QStringLiteral("JPG"));
}

void setImgSuffix(const QString &suffix)
{
    writeValue(QStringLiteral("IMG_SUFFIX"), suffix);
}

QString getImgFolder()
{
    return readValue(QStringLiteral("IMG_Folder"), defaultImgFolder());
}

void setImgFolder(const QString &folder)
{
    writeValue(QStringLiteral("IMG_Folder"), folder);
}
