#pragma once
// The live holder of the working copy of an item's edit record while the
// editing dialog is open: the tabs read and change it through here, and
// each change is shown by the preview player at once.
#include "VEEditConfig.h"
#include "VoPlayerManager.h"

#include <QObject>
#include <QPair>
#include <QPointer>
#include <QSize>

class QVideoEditingSettings : public QObject {
    Q_OBJECT
public:
    explicit QVideoEditingSettings(QObject *parent = nullptr);

    void attachPlayer(VoPlayerManager *player);
    VoPlayerManager *player() const { return m_player; }

    VECropSettings crop() const { return m_config.crop; }
    void setCrop(const VECropSettings &crop);
    VEPictureAdjust picture() const { return m_config.picture; }
    void setPicture(const VEPictureAdjust &picture);
    VEWatermarkSettings effectOverlay() const { return m_config.effectOverlay; }
    void setEffectOverlay(const VEWatermarkSettings &overlay);
    VEWatermarkSettings frameOverlay() const { return m_config.frameOverlay; }
    void setFrameOverlay(const VEWatermarkSettings &overlay);
    VEWatermarkSettings watermark() const { return m_config.watermark; }
    void setWatermark(const VEWatermarkSettings &watermark, int readBack, bool contentChanged);
    VETrackChoice trackChoice() const { return m_config.trackChoice; }
    void setTrackChoice(const VETrackChoice &choice);
    VESubtitleStyle subtitleStyle() const { return m_config.subtitleStyle; }
    void setSubtitleStyle(const VESubtitleStyle &style);
    VETrackChoice streamChoice() const { return m_config.streamChoice; }
    void setStreamChoice(const VETrackChoice &choice);
    // The checked flags of the source's audio tracks (High-Speed mode keeps
    // every checked one); nothing to show, so nothing is pushed.
    std::vector<VEAudioTrackEntry> audioTracks() const { return m_config.audioTracks; }
    void setAudioTracks(const std::vector<VEAudioTrackEntry> &tracks) { m_config.audioTracks = tracks; }
    VEAudioSettings audio() const { return m_config.audio; }
    void setAudio(const VEAudioSettings &audio, bool fileChanged);
    VESoundEffect soundEffect() const { return m_config.soundEffect; }
    void setSoundEffect(const VESoundEffect &effect);
    VEAudioTagInfo tags() const { return m_config.tags; }
    void setTags(const VEAudioTagInfo &tags);

    uint64_t trimStartTime() const { return m_config.trimStart; }
    bool isBoundToTrim() const { return m_bindOverlaysToTrim; }
    void setBoundToTrim(bool bound) { m_bindOverlaysToTrim = bound; }
    QPair<int, int> displaySize() const { return {m_config.displayWidth, m_config.displayHeight}; }
    QSize videoSize() const;
    QSize minCropSize() const;
    void setEditedDimension(int which);
    int editedDimension() const { return m_editedDimension; }
    uint64_t durationMs() const;
    uint64_t positionMs() const;

    VEEditConfig config() const { return m_config; }
    void setConfig(const VEEditConfig &config) { m_config = config; }
    void loadConfig(const VEEditConfig &config);
    void addExternalSubtitle(const VESubtitleTrackEntry &entry);
    // The subtitle entries with their checked flags (which streams a
    // conversion copies or burns).
    void setSubtitleTracks(const std::vector<VESubtitleTrackEntry> &tracks);

signals:
    void emitWatermarkSettingsChange(VEWatermarkSettings watermark);

public slots:
    void trimTimeChange(uint64_t startTime, uint64_t endTime);
    void playerChange();
    void cropAreaChange(VECropSettings crop);
    void watermarkRectChange(VEWatermarkSettings watermark, int index);

private:
    void applyAll();

    VEEditConfig m_config;
    // The preview may go before the holder (the dialog releases it on OK).
    QPointer<VoPlayerManager> m_player;
    bool m_bindOverlaysToTrim = false;
    int m_editedDimension = 0;
};

// The snapshot settings file "VedioEditDefaultSetting.xml".
QString getImgSuffix();
void setImgSuffix(const QString &suffix);
QString getImgFolder();
void setImgFolder(const QString &folder);
