#include "QSettingDlg.h"

#include "ProfileParams.h"

#include "OutputFormatParams.h"
#include "ParserXML.h"
#include "QTextImageButton.h"
#include "QVoComboBox.h"
#include "SkinImage.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>

namespace {

const QString kAuto = QStringLiteral("Auto");

QVoComboBox *makeCombo(QWidget *parent, const QString &name)
{
    auto *combo = new QVoComboBox(parent);
    combo->setObjectName(name);
    combo->setFixedSize(170, 24);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    combo->setFont(font);
    combo->setBackgroundImage(QStringLiteral("/image/Common_bg/bg_combobox2.png"));
    combo->setStateFrames(true);
    combo->setArrowImage(QStringLiteral("/image/Common_bg/btn_arrow.png"), true);
    combo->setArrowPosition(170 - 13, -1);
    combo->setTextMargins(4, 0, 17, 1);
    combo->setTextColor(Qt::white);
    combo->setRowHeight(22);
    combo->setPopupBorder(1, QColor(62, 63, 63));
    combo->setRowBackground(QColor(62, 63, 63));
    combo->setRowSelectedBackground(QColor(105, 105, 105));
    combo->setRowHoverBackground(QColor(84, 84, 84));
    combo->setRowTextColor(Qt::white);
    combo->setMaxVisibleItems(10);
    return combo;
}

} // namespace

QSettingDlg::QSettingDlg(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("m_settingDlg"));
    setAttribute(Qt::WA_TranslucentBackground);
    m_background = skin::load(QStringLiteral("/image/Format_Dlg/bg_setting.png"));
    // Not fixed: the format dialog grows the panel in from its bottom edge.
    resize(556, 130);

    const char *names[ComboCount] = {"m_cmbVEncoder", "m_cmbVResolution", "m_cmbVFrame", "m_cmbVBitRate",
                                     "m_cmbAEncoder", "m_cmbAChannel", "m_cmbASample", "m_cmbABitRate"};
    QFont labelFont(QStringLiteral("Tahoma"));
    labelFont.setPixelSize(11);
    for (int i = 0; i < ComboCount; ++i) {
        m_combos[i] = makeCombo(this, QString::fromLatin1(names[i]));
        m_labels[i] = new QLabel(this);
        m_labels[i]->setFont(labelFont);
        m_labels[i]->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
        m_labels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // Two columns of two rows; the video and audio pages share the places.
        const int slot = i % 4;
        const int x = slot % 2 == 0 ? 14 : 282;
        const int y = slot < 2 ? 52 : 90;
        m_labels[i]->setGeometry(x, y, 86, 24);
        m_combos[i]->move(x + 92, y);
        connect(m_combos[i], QOverload<int>::of(&QComboBox::activated), this, &QSettingDlg::CmbItemChange);
    }

    auto makePageButton = [this](const QString &name, const QString &picture, int x) {
        auto *button = new QTextImageButton(this);
        button->setObjectName(name);
        button->setImage(picture);
        button->setTextPixelSize(12);
        button->setTextColors(QColor(200, 200, 200), Qt::white, Qt::white, QColor(119, 108, 87));
        button->move(x, 10);
        return button;
    };
    m_btnVideo = makePageButton(QStringLiteral("m_btnVideo"), QStringLiteral("/image/Format_Dlg/btn_video.png"), 14);
    m_btnAudio = makePageButton(QStringLiteral("m_btnAudio"), QStringLiteral("/image/Format_Dlg/btn_audio.png"), 96);
    m_btnDefault = new QTextImageButton(this);
    m_btnDefault->setObjectName(QStringLiteral("m_btnDefault"));
    m_btnDefault->setImage(QStringLiteral("/image/Format_Dlg/btn_Default.png"));
    m_btnDefault->setTextPixelSize(11);
    m_btnDefault->setTextColors(QColor(228, 228, 228), Qt::white, Qt::white, QColor(119, 108, 87));
    m_btnDefault->move(556 - 14 - m_btnDefault->width(), 11);
    connect(m_btnVideo, &QPushButton::clicked, this, &QSettingDlg::OnClickVideo);
    connect(m_btnAudio, &QPushButton::clicked, this, &QSettingDlg::OnClickAudio);
    connect(m_btnDefault, &QPushButton::clicked, this, &QSettingDlg::OnClickDefault);

    m_labHdr = new QLabel(this);
    m_labHdr->setObjectName(QStringLiteral("m_labHdr"));
    m_labHdr->setFont(labelFont);
    m_labHdr->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
    m_labHdr->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int hdrLeft = 96 + m_btnAudio->width() + 12;
    m_labHdr->setGeometry(hdrLeft, 11, m_btnDefault->x() - 12 - hdrLeft, m_btnDefault->height());
    m_labHdr->hide();
    // Rows change by the user's pick and by every profile load.
    connect(m_combos[VEncoder], QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this] { updateHdrNote(); });

    retranslate();
    showPage(true);
}

void QSettingDlg::retranslate()
{
    const QString texts[ComboCount] = {tr("Codec:"), tr("Resolution:"), tr("Frame Rate:"), tr("Bit Rate:"),
                                       tr("Codec:"), tr("Channel:"), tr("Sample Rate:"), tr("Bit Rate:")};
    for (int i = 0; i < ComboCount; ++i)
        m_labels[i]->setText(texts[i]);
    m_btnVideo->setText(tr("Video"));
    m_btnAudio->setText(tr("Audio"));
    m_btnDefault->setText(tr("Default"));
    updateHdrNote();
    // Rows show translated texts for the words the profiles share.
    for (int c = 0; c < ComboCount; ++c)
        for (int row = 0; row < m_combos[c]->count(); ++row)
            m_combos[c]->setItemText(row, displayText(Combo(c), m_combos[c]->itemData(row).toString()));
}

void QSettingDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void QSettingDlg::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_background.isNull())
        painter.drawPixmap(rect(), m_background);
}

ProfileCatalogue &QSettingDlg::catalogue() const
{
    return m_lossless ? ProfileCatalogue::losslessCatalogue() : ProfileCatalogue::encodingCatalogue();
}

QString QSettingDlg::channelText(const QString &value)
{
    if (value == kAuto || value == QLatin1String("0"))
        return tr("Auto");
    if (value == QLatin1String("1"))
        return tr("Mono");
    if (value == QLatin1String("2"))
        return tr("Stereo");
    if (value == QLatin1String("6"))
        return tr("5.1 Surround");
    return value;
}

QString QSettingDlg::displayText(Combo which, const QString &value) const
{
    if (which == AChannel)
        return channelText(value);
    if (value == kAuto)
        return tr("Auto");
    if (which == VEncoder || which == AEncoder)
        return catalogue().codecDisplayName(value);
    return value;
}

QString QSettingDlg::value(Combo which) const
{
    const QVoComboBox *c = m_combos[which];
    return c->currentIndex() < 0 ? QString() : c->itemData(c->currentIndex()).toString();
}

void QSettingDlg::fill(Combo which, const QStringList &values, const QString &current)
{
    // Signals stay on: the drawn text follows the current row through them,
    // and the logic listens to activated() only, which a program never sends.
    QVoComboBox *c = m_combos[which];
    c->clear();
    for (const QString &v : values)
        c->addItem(displayText(which, v), QVariant(v));
    const int row = values.indexOf(current);
    c->setCurrentIndex(row >= 0 ? row : (values.isEmpty() ? -1 : 0));
}

bool QSettingDlg::selectValue(Combo which, const QString &v)
{
    QVoComboBox *c = m_combos[which];
    const int row = c->findData(v);
    if (row < 0)
        return false;
    c->setCurrentIndex(row);
    return true;
}

void QSettingDlg::loadProfile(const FormatProfile &profile)
{
    load(profile, false);
}

void QSettingDlg::loadLosslessProfile(const FormatProfile &profile)
{
    load(profile, true);
}

void QSettingDlg::load(const FormatProfile &profile, bool lossless)
{
    m_lossless = lossless;
    m_profileLoaded = true;
    m_audioOnly = profile.audioOnly;
    m_btnVideo->setVisible(!m_audioOnly);
    showPage(!m_audioOnly && m_videoPage);
    m_category = profile.category;
    m_formatId = profile.id;

    fill(VEncoder, profile.videoCodecs, profile.videoCodec);
    fill(VResolution, profile.resolutions, profile.resolution);
    fill(VFrame, profile.frameRates, profile.frameRateDefault);
    fill(VBitRate, profile.videoBitrates, profile.videoBitrateHigh);
    fill(AEncoder, profile.audioCodecs, profile.audioCodec);
    fill(AChannel, profile.channels, profile.channel);
    fill(ASample, profile.sampleRates, profile.sampleRateDefault);
    fill(ABitRate, profile.audioBitrates, profile.audioBitrateHigh);
    m_loadedVideoCodec = value(VEncoder);
    m_loadedResolution = value(VResolution);
    m_loadedAudioCodec = value(AEncoder);
    m_loadedChannel = value(AChannel);
    m_profileVideoCodec = profile.videoCodec;
    updateHdrNote();
}

bool QSettingDlg::codecKeepsHdr(const QString &tag)
{
    return tag == QLatin1String("H265") || tag == QLatin1String("VP9");
}

void QSettingDlg::setSourceHdr(const QString &kind)
{
    m_sourceHdr = kind;
    updateHdrNote();
}

QString QSettingDlg::hdrNote() const
{
    return m_labHdr->isHidden() ? QString() : m_labHdr->text();
}

void QSettingDlg::updateHdrNote()
{
    // A copy keeps everything; a sound-only format has no pictures.
    if (m_sourceHdr.isEmpty() || m_lossless || m_audioOnly || !m_profileLoaded) {
        m_labHdr->hide();
        return;
    }
    QString codec = value(VEncoder);
    if (codec.isEmpty() || codec == kAuto)
        codec = m_profileVideoCodec;
    m_labHdr->setText(codecKeepsHdr(codec) ? tr("HDR kept") : tr("HDR converted to SDR"));
    m_labHdr->show();
}

uint32_t QSettingDlg::currentSignature() const
{
    uint32_t signature = 0;
    for (int i = 0; i < ComboCount; ++i) {
        // Rows past 15 share the last nibble; a change among them is still
        // seen by the combos in front of it, and it never marks a preset.
        const int row = qBound(0, m_combos[i]->currentIndex() + 1, 15);
        signature = (signature << 4) | uint32_t(row);
    }
    return signature;
}

void QSettingDlg::setQuality(VideoQuality quality)
{
    m_quality = m_effectiveQuality = quality;
    if (quality == Customized && loadCustomRecord(m_formatId))
        return;
    m_rateQuality = quality;
    if (!m_profileLoaded)
        return;
    const QString videoCodec = value(VEncoder);
    const QString resolution = value(VResolution);
    const QString audioCodec = value(AEncoder);
    const QString channel = value(AChannel);
    if (!OutputFormatParams::instance().lossless && !m_lossless) {
        const FormatProfile *p =
            catalogue().buildProfile(m_category, m_formatId, videoCodec, resolution, audioCodec, channel);
        if (p == nullptr)
            return;
        const FormatProfile profile = *p;
        loadProfile(profile);
        if (profile.autoAllowed) {
            for (QVoComboBox *c : m_combos)
                if (c->count() > 0)
                    c->setCurrentIndex(0);
        } else if (quality == HighQuality) {
            selectValue(VBitRate, profile.videoBitrateHigh);
        } else if (quality == SmallSize) {
            selectValue(VBitRate, profile.videoBitrateLow);
        }
    }
    m_presetSignature = currentSignature();
}

bool QSettingDlg::loadCustomRecord(const QString &formatId)
{
    if (OutputFormatParams::instance().lossless || m_lossless)
        return false;
    const std::optional<CustomFormatRecord> record = ParserXML::readCustomRecord(formatId);
    if (!record)
        return false;
    const QString category = m_formatId == formatId ? m_category
                                                    : ParserXML::readItemValue(QStringLiteral("FormatSet"),
                                                                               QStringLiteral("Format_cate"),
                                                                               QStringLiteral("General Video"));
    const FormatProfile *p = catalogue().buildProfile(category, formatId, record->videoEncoder, record->videoResolution,
                                                      record->audioEncoder, record->audioChannel);
    if (p == nullptr)
        return false;
    loadProfile(*p);
    m_rateQuality = record->quality <= HighQuality ? VideoQuality(record->quality) : Customized;
    selectValue(VResolution, record->videoResolution);
    selectValue(VFrame, record->videoFrameRate);
    selectValue(VBitRate, record->videoBitrate);
    selectValue(ASample, record->audioSampleRate);
    selectValue(ABitRate, record->audioBitrate);
    return true;
}

void QSettingDlg::CmbItemChange(int)
{
    auto *source = qobject_cast<QVoComboBox *>(sender());
    if (m_quality != Customized) {
        const bool same = currentSignature() == m_presetSignature;
        m_effectiveQuality = same ? (m_quality == HighQuality ? HighQuality : SmallSize) : Customized;
        emit emitChangeText(m_effectiveQuality);
    }
    if (source == nullptr)
        return;
    QString videoCodec, resolution, audioCodec, channel;
    if (source == m_combos[VEncoder] && value(VEncoder) != m_loadedVideoCodec)
        videoCodec = value(VEncoder);
    else if (source == m_combos[VResolution] && value(VResolution) != m_loadedResolution)
        resolution = value(VResolution);
    else if (source == m_combos[AEncoder] && value(AEncoder) != m_loadedAudioCodec)
        audioCodec = value(AEncoder);
    else if (source == m_combos[AChannel] && value(AChannel) != m_loadedChannel)
        channel = value(AChannel);
    else
        return;
    // Only the changed choice goes in; the others fall back to what the
    // format offers with it, then the user's other picks are kept where
    // they still exist.
    const FormatProfile *p = catalogue().buildProfile(m_category, m_formatId, videoCodec, resolution, audioCodec,
                                                      channel);
    if (p == nullptr)
        return;
    QString snapshot[ComboCount];
    for (int i = 0; i < ComboCount; ++i)
        snapshot[i] = value(Combo(i));
    const bool wasAudioOnly = m_audioOnly;
    const bool lossless = m_lossless;
    auto loadAndRestore = [&](const FormatProfile &profile) {
        load(profile, lossless);
        for (int i = 0; i < ComboCount; ++i) {
            if (wasAudioOnly && i <= VBitRate)
                continue;
            selectValue(Combo(i), snapshot[i]);
        }
    };
    const FormatProfile first = *p;
    loadAndRestore(first);
    // A restored resolution or channel count that is not the one the profile
    // was built for would leave rate lists of another entry on screen, and
    // the rates shown would not belong to the size shown: build once more
    // from what the combos now hold.
    auto chosen = [](const QString &v) { return v == kAuto ? QString() : v; };
    if (chosen(value(VResolution)) != chosen(first.resolution) || chosen(value(AChannel)) != chosen(first.channel)
        || chosen(value(VEncoder)) != chosen(first.videoCodec) || chosen(value(AEncoder)) != chosen(first.audioCodec)) {
        const FormatProfile *again = catalogue().buildProfile(m_category, m_formatId, value(VEncoder),
                                                              value(VResolution), value(AEncoder), value(AChannel));
        if (again != nullptr)
            loadAndRestore(*again);
    }
    m_loadedVideoCodec = value(VEncoder);
    m_loadedResolution = value(VResolution);
    m_loadedAudioCodec = value(AEncoder);
    m_loadedChannel = value(AChannel);
}

void QSettingDlg::applyToOutputParams()
{
    ProfileCatalogue &encoding = ProfileCatalogue::encodingCatalogue();
    const QString videoChoice = value(VEncoder);
    const QString resolutionChoice = value(VResolution);
    const QString audioChoice = value(AEncoder);
    const QString channelChoice = value(AChannel);
    const FormatProfile *built =
        catalogue().buildProfile(m_category, m_formatId, videoChoice, resolutionChoice, audioChoice, channelChoice);
    FormatProfile k = built ? *built : FormatProfile();

    OutputFormatParams &out = OutputFormatParams::instance();
    out.container.clear();
    out.extension.clear();
    if (out.lossless) {
        ProfileCatalogue &lossless = ProfileCatalogue::losslessCatalogue();
        const QString cate = ParserXML::readItemValue(QStringLiteral("FormatSet"),
                                                      QStringLiteral("Format_cate_lossless"),
                                                      QStringLiteral("General Video"));
        const QString id = ParserXML::readItemValue(QStringLiteral("FormatSet"), QStringLiteral("Format_ID_lossless"),
                                                    QStringLiteral("3000"));
        if (lossless.getItemField(cate, id, QStringLiteral("title")) == QLatin1String("Original")) {
            out.container = QStringLiteral("Original");
        } else {
            out.extension = lossless.getItemField(cate, id, QStringLiteral("ext"));
            out.container = ProfileCatalogue::containerForExtension(out.extension);
        }
    } else {
        out.extension = encoding.getItemField(m_category, m_formatId, QStringLiteral("ext"));
        out.container = ProfileCatalogue::containerForExtension(out.extension);
    }
    const bool original = out.container == QLatin1String("Original");

    ProfileChoices choices;
    choices.videoCodec = videoChoice;
    choices.resolution = resolutionChoice;
    choices.frameRate = value(VFrame);
    choices.videoBitrate = value(VBitRate);
    choices.audioCodec = audioChoice;
    choices.channel = channelChoice;
    choices.sampleRate = value(ASample);
    choices.audioBitrate = value(ABitRate);
    const ProfileQuality quality = m_rateQuality == HighQuality ? ProfileQuality::High
                                   : m_rateQuality == SmallSize ? ProfileQuality::Small
                                                                : ProfileQuality::Custom;
    applyProfileChoices(k, choices, quality, m_audioOnly, original, out);
}

void QSettingDlg::accept()
{
    applyToOutputParams();
    CustomFormatRecord record;
    record.onlyAudio = m_audioOnly;
    record.videoEncoder = value(VEncoder);
    record.videoResolution = value(VResolution);
    record.videoFrameRate = value(VFrame);
    record.videoBitrate = value(VBitRate);
    record.audioEncoder = value(AEncoder);
    record.audioChannel = value(AChannel);
    record.audioSampleRate = value(ASample);
    record.audioBitrate = value(ABitRate);
    record.quality = uint32_t(m_rateQuality);
    ParserXML::writeCustomRecord(m_formatId, record);
    emit emitIsCustomized(true);
}

void QSettingDlg::showPage(bool video)
{
    m_videoPage = video;
    for (int i = 0; i < ComboCount; ++i) {
        const bool show = (i <= VBitRate) == video;
        m_labels[i]->setVisible(show);
        m_combos[i]->setVisible(show);
    }
    m_btnVideo->setSelected(video);
    m_btnAudio->setSelected(!video);
}

void QSettingDlg::OnClickVideo()
{
    if (!m_audioOnly)
        showPage(true);
}

void QSettingDlg::OnClickAudio()
{
    showPage(false);
}

void QSettingDlg::OnClickDefault()
{
    setQuality(HighQuality);
    emit emitChangeText(m_effectiveQuality);
}
