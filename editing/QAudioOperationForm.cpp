#include "QAudioOperationForm.h"

#include "EditTabWidgets.h"
#include "QAudioEffectManager.h"
#include "QCommonButtonForm.h"
#include "QHorizontalListFrom.h"
#include "QCheckboxCombobox.h"
#include "QVideoEditingSettings.h"
#include "QVoBaseButton.h"
#include "QVoBaseSlider.h"
#include "QVoCheckBox.h"
#include "QVoLineEdit.h"

#include <QDoubleValidator>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace edittabwidgets;

namespace {

constexpr int kMaxVolume = 200;
constexpr int kMaxWeight = 100;
// Fades longer than this are typing slips, not fades.
constexpr double kMaxFadeSeconds = 600.0;

QString fadeText(uint64_t us)
{
    return us == 0 ? QStringLiteral("0") : QString::number(us / 1e6, 'f', 1);
}

uint64_t fadeValue(const QString &text)
{
    bool ok = false;
    const double s = QLocale::c().toDouble(QString(text).replace(',', '.'), &ok);
    if (!ok || !(s > 0))
        return 0;
    return static_cast<uint64_t>(std::llround(std::min(s, kMaxFadeSeconds) * 1e6));
}

} // namespace

QAudioOperationForm::QAudioOperationForm(QVideoEditingSettings *settings, QWidget *parent)
    : QEditOperationForm(settings, true, parent)
{
    setObjectName("QAudioOperationForm");
    m_labCaption->hide();
    m_chooseFile = [](QWidget *parent, const QString &title, const QString &dir, const QString &filter) {
        return QFileDialog::getOpenFileName(parent, title, dir, filter);
    };

    m_lblTrack = captionLabel(this, tr("Track:"), "m_lblTrack");
    m_cbbAudioList = new QCheckboxCombobox(this);
    m_cbbAudioList->setObjectName("m_cbbAudioList");
    styleCombo(m_cbbAudioList, 164, 22);
    m_cbbAudioList->setBoxPictures("/VEditSource/btn_check_off.png", "/VEditSource/btn_check_on.png");

    m_lblVolume = captionLabel(this, tr("Volume:"), "m_lblVolume");
    m_sliderVolume = valueSlider(this, "m_sliderVolume");
    m_leVolumeValue = valueEdit(this, "m_leVolumeValue", 3);

    m_lblFile = captionLabel(this, tr("File:"), "m_lblFile");
    m_leBgVoicePath = valueEdit(this, "m_leBgVoicePath", 0);
    m_leBgVoicePath->setReadOnly(true);
    m_leBgVoicePath->setFixedWidth(164);
    m_btnSetBgVoice = new QVoBaseButton(this);
    m_btnSetBgVoice->setObjectName("m_btnSetBgVoice");
    m_btnSetBgVoice->setImage("/VEditSource/btn_family.png");
    m_btnSetBgVoice->setToolTip(tr("Open File"));
    m_btnSetBgVoice->setFixedSize(24, 22);

    m_lblWeight = captionLabel(this, tr("Weight:"), "m_lblWeight");
    m_sliderBgVoice = valueSlider(this, "m_sliderBgVoice");
    m_leBgVoiceValue = valueEdit(this, "m_leBgVoiceValue", 3);
    m_cbxRepeat = checkBox(this, tr("Repeat"), "m_cbxRepeat");

    m_lblFadeIn = captionLabel(this, tr("Fade in (s):"), "m_lblFadeIn");
    m_leFadeIn = valueEdit(this, "m_leFadeIn", 0);
    m_lblFadeOut = captionLabel(this, tr("Fade out (s):"), "m_lblFadeOut");
    m_leFadeOut = valueEdit(this, "m_leFadeOut", 0);
    for (QVoLineEdit *fade : {m_leFadeIn, m_leFadeOut}) {
        auto *v = new QDoubleValidator(0, kMaxFadeSeconds, 1, fade);
        v->setNotation(QDoubleValidator::StandardNotation);
        v->setLocale(QLocale::c());
        fade->setValidator(v);
        fade->setFixedWidth(48);
    }

    m_lblSoundEffects = captionLabel(this, tr("Sound effects:"), "m_lblSoundEffects");
    m_library = new QAudioEffectManager(this);
    m_effectsList = new QHorizontalListFrom(this);
    m_effectsList->setObjectName("m_effectsList");
    for (const EffectEntry &entry : m_library->entries())
        m_effectsList->addItem(QEffectLibrary::thumbnailPath(entry), entry.name);

    // Left the settings, in three rows with the common buttons in the last;
    // right the sound effects, as tall as the three rows.
    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->addWidget(m_lblTrack, 0, 0);
    grid->addWidget(m_cbbAudioList, 0, 1);
    grid->addWidget(m_lblVolume, 0, 2);
    grid->addWidget(m_sliderVolume, 0, 3);
    grid->addWidget(m_leVolumeValue, 0, 4);
    auto *file = new QHBoxLayout;
    file->setSpacing(4);
    file->addWidget(m_leBgVoicePath);
    file->addWidget(m_btnSetBgVoice);
    grid->addWidget(m_lblFile, 1, 0);
    grid->addLayout(file, 1, 1);
    grid->addWidget(m_lblWeight, 1, 2);
    grid->addWidget(m_sliderBgVoice, 1, 3);
    grid->addWidget(m_leBgVoiceValue, 1, 4);
    grid->addWidget(m_cbxRepeat, 1, 5);
    auto *fades = new QHBoxLayout;
    fades->setSpacing(6);
    fades->addWidget(m_lblFadeIn);
    fades->addWidget(m_leFadeIn);
    fades->addSpacing(10);
    fades->addWidget(m_lblFadeOut);
    fades->addWidget(m_leFadeOut);
    fades->addStretch();
    grid->addLayout(fades, 2, 0, 1, 3);
    if (commonButtons()) {
        layout()->removeWidget(commonButtons());
        grid->addWidget(commonButtons(), 2, 3, 1, 3);
    }
    auto *effects = new QVBoxLayout;
    effects->setSpacing(2);
    effects->addWidget(m_lblSoundEffects);
    effects->addWidget(m_effectsList, 1);
    auto *row = new QHBoxLayout;
    row->setSpacing(14);
    row->addLayout(grid);
    row->addLayout(effects, 1);
    if (auto *column = qobject_cast<QVBoxLayout *>(layout())) {
        column->setContentsMargins(12, 6, 12, 6);
        column->insertLayout(1, row);
    }
    m_sliderVolume->setFixedWidth(96);
    m_sliderBgVoice->setFixedWidth(96);
    m_leBgVoicePath->setFixedWidth(136);

    connect(m_sliderVolume, &QVoBaseSlider::sendProgressValue, this, &QAudioOperationForm::progressValue);
    connect(m_leVolumeValue, &QLineEdit::textEdited, this, &QAudioOperationForm::valuetextEdited);
    connect(m_sliderBgVoice, &QVoBaseSlider::sendProgressValue, this, &QAudioOperationForm::weightProgressValue);
    connect(m_leBgVoiceValue, &QLineEdit::textEdited, this, &QAudioOperationForm::weightTextEdited);
    connect(m_cbxRepeat, &QAbstractButton::clicked, this, &QAudioOperationForm::onRepeat);
    connect(m_btnSetBgVoice, &QVoBaseButton::clicked, this, &QAudioOperationForm::onSetBgVoice);
    connect(m_leFadeIn, &QLineEdit::editingFinished, this, &QAudioOperationForm::fadeTextEdited);
    connect(m_leFadeOut, &QLineEdit::editingFinished, this, &QAudioOperationForm::fadeTextEdited);
    connect(m_effectsList, &QHorizontalListFrom::currentIndexChanged, this,
            &QAudioOperationForm::effectsCurrentIndexChanged);
}

// ---------------------------------------------------------------- tracks ---

int QAudioOperationForm::firstTrackRow() const
{
    const VEEditConfig c = m_settings->config();
    return c.m_bLossless && !c.audioTracks.empty() ? 2 : 1;
}

int QAudioOperationForm::entryOfRow(int row) const
{
    const int entry = row - firstTrackRow();
    return entry >= 0 && entry < static_cast<int>(m_settings->config().audioTracks.size()) ? entry : -1;
}

void QAudioOperationForm::buildTrackList()
{
    const VEEditConfig c = m_settings->config();
    const VETrackChoice choice = m_settings->streamChoice();
    const bool lossless = c.m_bLossless;
    // Rebuilding must not be taken for the user's choices.
    QSignalBlocker block(m_cbbAudioList);
    m_cbbAudioList->clear();
    m_cbbAudioList->setMultipleChoice(lossless);
    m_cbbAudioList->addItem(tr("No Audio"));
    if (lossless && !c.audioTracks.empty())
        m_cbbAudioList->addItem(tr("All Audio"));
    for (const VEAudioTrackEntry &e : c.audioTracks)
        m_cbbAudioList->addItem(QString::fromStdString(e.info.displayText));
    const int first = firstTrackRow();
    const int entries = static_cast<int>(c.audioTracks.size());
    int current = 0;
    if (!lossless) {
        if (choice.audioType != -1 && entries > 0)
            current = first + std::clamp(choice.audioTrack, 0, entries - 1);
        m_cbbAudioList->setCurrentIndex(current);
        m_cbbAudioList->selectChange(current);
    } else {
        bool all = entries > 0;
        int firstChecked = -1;
        for (int i = 0; i < entries; ++i) {
            m_cbbAudioList->setRowChecked(first + i, c.audioTracks[i].selected);
            all = all && c.audioTracks[i].selected;
            if (c.audioTracks[i].selected && firstChecked < 0)
                firstChecked = i;
        }
        if (choice.audioType != -1 && entries > 0)
            current = all ? 1 : (firstChecked >= 0 ? first + firstChecked : 1);
        m_cbbAudioList->setRowChecked(0, current == 0);
        if (entries > 0)
            m_cbbAudioList->setRowChecked(1, current != 0 && all);
        m_cbbAudioList->setCurrentIndex(current);
    }
    m_cbbAudioList->setEnabled(!c.trackListLocked);
    // The drawn text follows the index through the signals blocked above.
    m_cbbAudioList->drawTextChange(m_cbbAudioList->currentText());
}

void QAudioOperationForm::chooseFirstCheckedTrack(VETrackChoice &choice) const
{
    const std::vector<VEAudioTrackEntry> tracks = m_settings->config().audioTracks;
    choice.audioType = -1;
    for (size_t i = 0; i < tracks.size(); ++i)
        if (tracks[i].selected) {
            choice.audioType = 0;
            choice.audioTrack = static_cast<int>(i);
            break;
        }
}

void QAudioOperationForm::AudioSelChange(int index)
{
    if (m_loading || index < 0)
        return;
    VETrackChoice choice = m_settings->streamChoice();
    const QString text = m_cbbAudioList->itemText(index);
    if (index == 0) {
        choice.audioType = -1;
    } else if (m_settings->config().m_bLossless && index == 1 && text == tr("All Audio")) {
        // The output keeps the checked tracks: all of them.
        std::vector<VEAudioTrackEntry> tracks = m_settings->audioTracks();
        m_loading = true;
        for (size_t i = 0; i < tracks.size(); ++i) {
            tracks[i].selected = true;
            m_cbbAudioList->setRowChecked(firstTrackRow() + static_cast<int>(i), true);
        }
        m_cbbAudioList->setRowChecked(0, false);
        m_cbbAudioList->setRowChecked(1, true);
        m_loading = false;
        m_settings->setAudioTracks(tracks);
        choice.audioType = 0;
        choice.audioTrack = 0;
    } else {
        if (!m_settings->config().m_bLossless) {
            // One track in encoding mode: the row chosen is the one checked.
            VEEditConfig c = m_settings->config();
            const int entry = entryOfRow(index);
            for (size_t i = 0; i < c.audioTracks.size(); ++i)
                c.audioTracks[i].selected = static_cast<int>(i) == entry;
            m_settings->setAudioTracks(c.audioTracks);
        }
        chooseFirstCheckedTrack(choice);
    }
    m_settings->setStreamChoice(choice);
}

void QAudioOperationForm::AudioCheckClick(int index)
{
    if (m_loading || index < 0 || !m_settings->config().m_bLossless)
        return;
    VEEditConfig c = m_settings->config();
    VETrackChoice choice = c.streamChoice;
    const int first = firstTrackRow();
    const int rows = m_cbbAudioList->count();
    m_loading = true;
    if (index == 0) {
        // "No Audio" takes every track away.
        for (int r = 1; r < rows; ++r)
            m_cbbAudioList->setRowChecked(r, false);
        m_cbbAudioList->setRowChecked(0, true);
        for (VEAudioTrackEntry &e : c.audioTracks)
            e.selected = false;
        choice.audioType = -1;
    } else if (index == 1 && first == 2) {
        // "All Audio" takes every track.
        m_cbbAudioList->setRowChecked(0, false);
        m_cbbAudioList->setRowChecked(1, true);
        for (int r = first; r < rows; ++r)
            m_cbbAudioList->setRowChecked(r, true);
        for (VEAudioTrackEntry &e : c.audioTracks)
            e.selected = true;
        choice.audioType = 0;
        choice.audioTrack = 0;
    } else {
        bool any = false;
        bool all = true;
        for (int r = first; r < rows; ++r) {
            const bool on = m_cbbAudioList->isRowChecked(r);
            any = any || on;
            all = all && on;
            if (entryOfRow(r) >= 0)
                c.audioTracks[static_cast<size_t>(entryOfRow(r))].selected = on;
        }
        m_cbbAudioList->setRowChecked(0, !any);
        m_cbbAudioList->setRowChecked(1, all);
    }
    m_loading = false;
    m_settings->setAudioTracks(c.audioTracks);
    if (index >= first)
        chooseFirstCheckedTrack(choice);
    m_settings->setStreamChoice(choice);
}

void QAudioOperationForm::AudioCheckChange(int index, int state)
{
    if (m_loading)
        return;
    const int entry = entryOfRow(index);
    if (entry < 0)
        return;
    VEEditConfig c = m_settings->config();
    c.audioTracks[static_cast<size_t>(entry)].selected = state == Qt::Checked;
    m_settings->setAudioTracks(c.audioTracks);
}

// ------------------------------------------------------- volume, weight ---

void QAudioOperationForm::showVolume(int volume)
{
    QSignalBlocker a(m_sliderVolume);
    m_sliderVolume->setValue(static_cast<double>(volume) / kMaxVolume * 100.0);
    if (m_leVolumeValue->text() != QString::number(volume))
        m_leVolumeValue->setText(QString::number(volume));
}

void QAudioOperationForm::showWeight(int weight)
{
    QSignalBlocker a(m_sliderBgVoice);
    m_sliderBgVoice->setValue(static_cast<double>(weight) / kMaxWeight * 100.0);
    if (m_leBgVoiceValue->text() != QString::number(weight))
        m_leBgVoiceValue->setText(QString::number(weight));
}

void QAudioOperationForm::writeVolume(int volume)
{
    VEAudioSettings audio = m_settings->audio();
    if (audio.volume != volume) {
        audio.volume = volume;
        m_settings->setAudio(audio, false);
    }
    VESoundEffect effect = m_settings->soundEffect();
    if (effect.volume != volume) {
        effect.volume = volume;
        m_settings->setSoundEffect(effect);
    }
}

void QAudioOperationForm::writeWeight(int weight)
{
    VEAudioSettings audio = m_settings->audio();
    if (audio.weight != weight) {
        audio.weight = weight;
        m_settings->setAudio(audio, false);
    }
}

void QAudioOperationForm::progressValue(double value)
{
    const int v = std::clamp(static_cast<int>(std::floor(value * kMaxVolume + 1e-9)), 0, kMaxVolume);
    m_leVolumeValue->setText(QString::number(v));
    writeVolume(v);
}

void QAudioOperationForm::valuetextEdited(QString text)
{
    if (text.isEmpty())
        return;
    const int v = std::min(text.toInt(), kMaxVolume);
    showVolume(v);
    writeVolume(v);
}

void QAudioOperationForm::weightProgressValue(double value)
{
    const int w = std::clamp(static_cast<int>(std::floor(value * kMaxWeight + 1e-9)), 0, kMaxWeight);
    m_leBgVoiceValue->setText(QString::number(w));
    writeWeight(w);
}

void QAudioOperationForm::weightTextEdited(QString text)
{
    if (text.isEmpty())
        return;
    const int w = std::min(text.toInt(), kMaxWeight);
    showWeight(w);
    writeWeight(w);
}

void QAudioOperationForm::onRepeat()
{
    VEAudioSettings audio = m_settings->audio();
    audio.repeat = m_cbxRepeat->isChecked() ? 1 : 0;
    m_settings->setAudio(audio, false);
}

void QAudioOperationForm::fadeTextEdited()
{
    VESoundEffect effect = m_settings->soundEffect();
    const uint64_t in = fadeValue(m_leFadeIn->text());
    const uint64_t out = fadeValue(m_leFadeOut->text());
    if (effect.fadeIn == in && effect.fadeOut == out)
        return;
    effect.fadeIn = in;
    effect.fadeOut = out;
    m_settings->setSoundEffect(effect);
}

// ---------------------------------------------------------- sound effect ---

void QAudioOperationForm::effectsCurrentIndexChanged(int index)
{
    const EffectEntry *entry = m_library->entryAt(index);
    if (!entry)
        return;
    VESoundEffect effect = m_settings->soundEffect();
    effect.effectIndex = index;
    effect.eqFrequencies.clear();
    effect.eqGains.clear();
    for (const auto &point : entry->eq) {
        effect.eqFrequencies.push_back(point.first);
        effect.eqGains.push_back(point.second);
    }
    effect.rate = entry->rate > 0 ? entry->rate : 100;
    m_settings->setSoundEffect(effect);
}

// ------------------------------------------------------ background file ---

void QAudioOperationForm::onSetBgVoice()
{
    const QString filter = tr("audio files(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;"
                              "video files(*.avi;*.mp4;*.mov;*.3gp;*.flv;*.mkv;*.rmvb;*.wmv;*.mpg;*.mpeg;*.ts;*.trp);;"
                              "all files(*.*)");
    const QString path = m_chooseFile(this, tr("Open Audio File"), "/home", filter);
    if (path.isEmpty() || path == m_leBgVoicePath->text())
        return;
    VEAudioSettings audio = m_settings->audio();
    audio.backgroundPath = path.toUtf8().toStdString();
    if (m_settings->isBoundToTrim()) {
        audio.bgStartTime = m_settings->trimStartTime();
        audio.bgEndTime = 0;
    }
    m_leBgVoicePath->setText(path);
    m_leBgVoicePath->setCursorPosition(0);
    m_settings->setAudio(audio, true);
}

// ------------------------------------------------------- load and reset ---

void QAudioOperationForm::loadingSetting()
{
    m_loading = true;
    buildTrackList();
    const VEAudioSettings audio = m_settings->audio();
    const VESoundEffect effect = m_settings->soundEffect();
    showWeight(std::clamp(audio.weight, 0, kMaxWeight));
    m_leBgVoicePath->setText(QString::fromStdString(audio.backgroundPath));
    m_leBgVoicePath->setCursorPosition(0);
    m_cbxRepeat->setChecked(audio.repeat != 0);
    showVolume(std::clamp(audio.volume, 0, kMaxVolume));
    m_leFadeIn->setText(fadeText(effect.fadeIn));
    m_leFadeOut->setText(fadeText(effect.fadeOut));
    // effectIndex is 0 also when no effect was ever chosen: highlighting an
    // entry that changes the sound would then claim an effect that is not
    // applied (and a press on it would do nothing).
    const EffectEntry *entry = m_library->entryAt(effect.effectIndex);
    const bool neutralEntry = entry && entry->eq.empty() && entry->rate == 100;
    const bool chosen = !effect.eqFrequencies.empty() || effect.rate != 100;
    m_effectsList->setCurrentIndex(chosen || neutralEntry ? effect.effectIndex : -1);
    m_loading = false;
    // The combo's signals are wired once the rows stand, as the rows'
    // boxes are made with them.
    disconnect(m_cbbAudioList, nullptr, this, nullptr);
    connect(m_cbbAudioList, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &QAudioOperationForm::AudioSelChange);
    connect(m_cbbAudioList, &QCheckboxCombobox::emitClickCheckbox, this, &QAudioOperationForm::AudioCheckClick);
    connect(m_cbbAudioList, &QCheckboxCombobox::emitStateChange, this, &QAudioOperationForm::AudioCheckChange);
}

void QAudioOperationForm::reset()
{
    const VEEditConfig defaults;
    m_settings->setAudio(defaults.audio, true);
    m_leBgVoicePath->clear();
    VESoundEffect effect;
    m_settings->setSoundEffect(effect);
    VEEditConfig c = m_settings->config();
    VETrackChoice choice = c.streamChoice;
    if (!c.m_bLossless) {
        // The first track stays the choice.
        choice.audioType = 0;
        choice.audioTrack = 0;
        for (size_t i = 0; i < c.audioTracks.size(); ++i)
            c.audioTracks[i].selected = i == 0;
    } else if (c.audioTracks.empty()) {
        choice.audioType = -1;
        choice.audioTrack = -1;
    } else {
        choice.audioType = 0;
        choice.audioTrack = 0;
        for (VEAudioTrackEntry &e : c.audioTracks)
            e.selected = true;
    }
    m_settings->setAudioTracks(c.audioTracks);
    m_settings->setStreamChoice(choice);
    loadingSetting();
    m_effectsList->clearHighlight();
}
