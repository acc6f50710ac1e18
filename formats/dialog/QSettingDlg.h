#pragma once
// The custom parameters panel of the format dialog: eight dependent combo
// boxes (video codec, resolution, frame rate, bit rate; audio codec,
// channels, sample rate, bit rate) filled from the chosen format's profile,
// and the one step that turns them and the quality preset into the output
// parameters the conversion reads.
//
// Every combo row carries its untranslated profile value as item data; the
// logic works on those values, so a translated display text never changes
// what is written. Interface thread only.
#include "ProfileCatalogue.h"
#include "VideoQuality.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <cstdint>

class QLabel;
class QTextImageButton;
class QVoComboBox;

class QSettingDlg : public QWidget {
    Q_OBJECT
public:
    explicit QSettingDlg(QWidget *parent = nullptr);

    enum Combo { VEncoder, VResolution, VFrame, VBitRate, AEncoder, AChannel, ASample, ABitRate, ComboCount };

    void loadProfile(const FormatProfile &profile);
    void loadLosslessProfile(const FormatProfile &profile);
    // Applies the stored custom record of the format; false without one and
    // in High-Speed mode.
    bool loadCustomRecord(const QString &formatId);
    void setQuality(VideoQuality quality);
    VideoQuality quality() const { return m_quality; }
    VideoQuality effectiveQuality() const { return m_effectiveQuality; }
    bool audioOnly() const { return m_audioOnly; }
    QString category() const { return m_category; }
    QString formatId() const { return m_formatId; }
    uint32_t presetSignature() const { return m_presetSignature; }
    // The eight current rows packed four bits each, video codec first.
    uint32_t currentSignature() const;

    // Fills the process-wide output parameters from the combos.
    void applyToOutputParams();
    // OK of the format dialog: apply, store the custom record, report.
    void accept();

    QVoComboBox *combo(Combo which) const { return m_combos[which]; }
    // The untranslated value of a combo's current row.
    QString value(Combo which) const;
    bool isVideoPageShown() const { return m_videoPage; }

    // Display text of a channel count ("2" shows "Stereo").
    static QString channelText(const QString &value);

    // The current source's HDR ("HDR10", "HLG"; empty for SDR or no
    // source): the panel then says whether the chosen video codec keeps it
    // or the pictures are converted to SDR.
    void setSourceHdr(const QString &kind);
    // The note shown for it; empty when none is shown.
    QString hdrNote() const;
    // Video codecs (profile tags) whose outputs carry HDR (10-bit HEVC, VP9).
    static bool codecKeepsHdr(const QString &tag);

signals:
    void emitIsCustomized(bool customized);
    void emitChangeText(VideoQuality quality);

public slots:
    void OnClickVideo();
    void OnClickAudio();
    void OnClickDefault();
    void CmbItemChange(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void load(const FormatProfile &profile, bool lossless);
    void fill(Combo which, const QStringList &values, const QString &current);
    bool selectValue(Combo which, const QString &value);
    void showPage(bool video);
    void retranslate();
    ProfileCatalogue &catalogue() const;
    QString displayText(Combo which, const QString &value) const;
    void updateHdrNote();

    std::array<QVoComboBox *, ComboCount> m_combos{};
    std::array<QLabel *, ComboCount> m_labels{};
    QTextImageButton *m_btnVideo = nullptr;
    QTextImageButton *m_btnAudio = nullptr;
    QTextImageButton *m_btnDefault = nullptr;
    QLabel *m_labHdr = nullptr;
    QString m_sourceHdr;
    QString m_profileVideoCodec; // the format's own codec, for an "Auto" row
    QPixmap m_background;

    bool m_lossless = false; // the loaded profile came from the lossless catalogue
    QString m_category;
    QString m_formatId;
    bool m_audioOnly = false;
    VideoQuality m_quality = HighQuality;
    VideoQuality m_effectiveQuality = HighQuality;
    // The preset "Auto" rows are resolved with: the asked one, or for a
    // custom record the preset it was made from, so the same record writes
    // the same file in every run.
    VideoQuality m_rateQuality = HighQuality;
    uint32_t m_presetSignature = 0;
    // Values last loaded into the combos whose change rebuilds the profile.
    QString m_loadedVideoCodec, m_loadedResolution, m_loadedAudioCodec, m_loadedChannel;
    bool m_videoPage = true;
    bool m_profileLoaded = false;
};
