#include "QSubtitleOperationForm.h"

#include "QCheckboxCombobox.h"
#include "QVideoEditingSettings.h"
#include "QVoBaseButton.h"
#include "QVoBaseSlider.h"
#include "QVoLineEdit.h"
#include "QVoMessageBox.h"
#include "QVoRadioButton.h"
#include "SubtitleFile.h"

#include <QButtonGroup>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpressionValidator>

#include <cmath>

namespace {

constexpr int kRowHeight = 24;

QFont tabFont(int pixelSize = 12)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    return font;
}

QLabel *captionLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(tabFont());
    label->setStyleSheet(QStringLiteral("color: rgb(246, 246, 246);"));
    return label;
}

QVoLineEdit *valueEdit(QWidget *parent, const char *name)
{
    auto *edit = new QVoLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setFont(tabFont());
    edit->setBackgroundImage(QStringLiteral("/VEditSource/edit_background.png"));
    edit->setStyleSheet(QStringLiteral("QLineEdit { color: rgb(246, 246, 246); background: transparent; border: none;"
                                       " selection-background-color: rgb(89, 104, 130); }"));
    edit->setAlignment(Qt::AlignCenter);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^[0-9]{0,4}$")), edit));
    return edit;
}

QVoBaseSlider *valueSlider(QWidget *parent, const char *name, double maximum)
{
    auto *slider = new QVoBaseSlider(parent);
    slider->setObjectName(QLatin1String(name));
    slider->setTrackPicture(QStringLiteral("/VEditSource/slider_bottom.png"));
    slider->setFillPicture(QStringLiteral("/VEditSource/slider_top.png"));
    slider->setHandlePicture(QStringLiteral("/VEditSource/slider_image.png"));
    slider->setMargins(6, 6);
    slider->setRange(0, maximum);
    return slider;
}

QVoRadioButton *positionRadio(QWidget *parent, const char *name)
{
    auto *radio = new QVoRadioButton(parent);
    radio->setObjectName(QLatin1String(name));
    radio->setFont(tabFont());
    radio->setBoxPictures(QStringLiteral("/VEditSource/Edit_selections_no.png"),
                          QStringLiteral("/VEditSource/Edit_selections_yes.png"));
    radio->setTextColor(QColor(246, 246, 246));
    return radio;
}

QVoBaseButton *glyphButton(QWidget *parent, const char *name, const QString &picture)
{
    auto *button = new QVoBaseButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setImage(picture);
    button->setFixedSize(26, 22);
    return button;
}

// The percent a slider position of the scale slider stands for: the
// middle is 100 %, each thousandth of the range either side doubles or
// halves it, and a small band round the middle snaps to 100 %.
int scaleFromFraction(double f)
{
    const double e = (f > 0.49 && f < 0.51) ? 0.0 : (f - 0.5) * 4000.0;
    return std::clamp(static_cast<int>(std::pow(2.0, e / 1000.0) * 100.0), 25, 400);
}

double sliderOfScale(int scale)
{
    return std::log2(scale / 100.0) * 1000.0 + 2000.0;
}

} // namespace

QSubtitleOperationForm::QSubtitleOperationForm(QVideoEditingSettings *settings, QWidget *parent)
    : QEditOperationForm(settings, true, parent)
{
    setObjectName("QSubtitleOperationForm");
    m_labCaption->hide();

    m_lblTrack = captionLabel(this, "m_lblTrack");
    m_lblTrack->setText(tr("Track:"));
    m_cbbSubtitleList = new QCheckboxCombobox(this);
    m_cbbSubtitleList->setObjectName("m_cbbSubtitleList");
    m_cbbSubtitleList->setFont(tabFont());
    m_cbbSubtitleList->setBackgroundImage(QStringLiteral("/VEditSource/edit_background.png"));
    m_cbbSubtitleList->setArrowImage(QStringLiteral("/VEditSource/cbb_trigonometric.png"), true);
    m_cbbSubtitleList->setTextMargins(4, 0, 18, 1);
    m_cbbSubtitleList->setTextColor(QColor(246, 246, 246));
    m_cbbSubtitleList->setRowHeight(22);
    m_cbbSubtitleList->setRowFont(tabFont(11));
    m_cbbSubtitleList->setMaxVisibleItems(16);
    m_cbbSubtitleList->setPopupBorder(1, QColor(62, 63, 63));
    m_cbbSubtitleList->setRowBackground(QColor(62, 63, 63));
    m_cbbSubtitleList->setRowSelectedBackground(QColor(89, 104, 130));
    m_cbbSubtitleList->setRowHoverBackground(QColor(84, 84, 84));
    m_cbbSubtitleList->setRowTextColor(QColor(246, 246, 246));
    m_cbbSubtitleList->setBoxPictures(QStringLiteral("/VEditSource/btn_check_off.png"),
                                      QStringLiteral("/VEditSource/btn_check_on.png"));

    m_lblFile = captionLabel(this, "m_lblFile");
    m_lblFile->setText(tr("File:"));
    m_leFamilyPath = valueEdit(this, "m_leFamilyPath");
    m_leFamilyPath->setValidator(nullptr);
    m_leFamilyPath->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_leFamilyPath->setReadOnly(true);
    m_btnSetFamily = glyphButton(this, "m_btnSetFamily", QStringLiteral("/VEditSource/btn_family.png"));
    m_btnSetFamily->setToolTip(tr("Open File"));
    m_btnSetSubtitleFont = glyphButton(this, "m_btnSetSubtitleFont", QStringLiteral("/VEditSource/btn_text_font.png"));
    m_btnSetSubtitleFont->setToolTip(tr("Set Font"));

    m_lblTransparency = captionLabel(this, "m_lblTransparency");
    m_lblTransparency->setText(tr("Transparency:"));
    m_sliderAlpha = valueSlider(this, "m_sliderAlpha", 255);
    m_sliderAlpha->setValue(255);
    m_leAlphaValue = valueEdit(this, "m_leAlphaValue");

    m_lblPosition = captionLabel(this, "m_lblPosition");
    m_lblPosition->setText(tr("Position:"));
    m_rbtnTop = positionRadio(this, "m_rbtnTop");
    m_rbtnTop->setText(tr("Top"));
    m_rbtnMiddle = positionRadio(this, "m_rbtnMiddle");
    m_rbtnMiddle->setText(tr("Middle"));
    m_rbtnBottom = positionRadio(this, "m_rbtnBottom");
    m_rbtnBottom->setText(tr("Bottom"));
    auto *positions = new QButtonGroup(this);
    for (QVoRadioButton *radio : {m_rbtnTop, m_rbtnMiddle, m_rbtnBottom})
        positions->addButton(radio);

    m_lblMargin = captionLabel(this, "m_lblMargin");
    m_lblMargin->setText(tr("Margin:"));
    m_sliderPosition = valueSlider(this, "m_sliderPosition", 1000);
    m_sliderPosition->setValue(50);
    m_lePositionValue = valueEdit(this, "m_lePositionValue");

    m_lblScale = captionLabel(this, "m_lblScale");
    m_lblScale->setText(tr("Scale:"));
    m_sliderScale = valueSlider(this, "m_sliderScale", 4000);
    m_sliderScale->setValue(2000);
    m_leScaleValue = valueEdit(this, "m_leScaleValue");

    layoutControls();

    connect(m_btnSetFamily, &QVoBaseButton::clicked, this, &QSubtitleOperationForm::onSetFamily);
    connect(m_btnSetSubtitleFont, &QVoBaseButton::clicked, this, &QSubtitleOperationForm::emitSubtitleSetting);
    for (QVoBaseSlider *slider : {m_sliderAlpha, m_sliderPosition, m_sliderScale})
        connect(slider, &QVoBaseSlider::sendProgressValue, this, &QSubtitleOperationForm::progressValue);
    for (QVoLineEdit *edit : {m_leAlphaValue, m_lePositionValue, m_leScaleValue})
        connect(edit, &QLineEdit::textEdited, this, &QSubtitleOperationForm::valueTextEdited);
    // Below 25 % a scale is only a step on the way to a longer number while
    // it is typed; it is taken (and raised to 25 %) when the edit is left.
    connect(m_leScaleValue, &QLineEdit::editingFinished, this, &QSubtitleOperationForm::scaleEditFinished);
    for (QVoRadioButton *radio : {m_rbtnTop, m_rbtnMiddle, m_rbtnBottom})
        connect(radio, &QAbstractButton::clicked, this, &QSubtitleOperationForm::onRadioButton);
    connectList(true);
}

void QSubtitleOperationForm::layoutControls()
{
    // Fixed columns, as wide as the longest caption of each in the current language.
    const auto width = [](QLabel *l) { return l->sizeHint().width(); };
    const int col1 = 12 + std::max({width(m_lblTrack), width(m_lblTransparency), width(m_lblMargin)}) + 8;
    const int y1 = 8, y2 = 44, y3 = 78;
    const auto placeLabel = [](QLabel *l, int x, int y) { l->setGeometry(x, y, l->sizeHint().width(), kRowHeight); };
    placeLabel(m_lblTrack, 12, y1);
    m_cbbSubtitleList->setGeometry(col1, y1, 260, kRowHeight);
    m_cbbSubtitleList->setArrowPosition(260 - 16, 7);
    const int fileX = col1 + 260 + 24;
    placeLabel(m_lblFile, fileX, y1);
    const int pathX = fileX + width(m_lblFile) + 8;
    m_btnSetSubtitleFont->move(806 - 12 - 26, y1 + 1);
    m_btnSetFamily->move(806 - 12 - 26 - 6 - 26, y1 + 1);
    m_leFamilyPath->setGeometry(pathX, y1 + 1, m_btnSetFamily->x() - 8 - pathX, 22);

    placeLabel(m_lblTransparency, 12, y2);
    m_sliderAlpha->setGeometry(col1, y2 + 2, 170, 20);
    m_leAlphaValue->setGeometry(col1 + 178, y2 + 1, 44, 22);
    const int col2 = col1 + 178 + 44 + 36;
    placeLabel(m_lblPosition, col2, y2);
    int x = col2 + std::max(width(m_lblPosition), width(m_lblScale)) + 8;
    for (QVoRadioButton *radio : {m_rbtnTop, m_rbtnMiddle, m_rbtnBottom}) {
        radio->setGeometry(x, y2, radio->sizeHint().width() + 4, kRowHeight);
        x += radio->width() + 16;
    }

    placeLabel(m_lblMargin, 12, y3);
    m_sliderPosition->setGeometry(col1, y3 + 2, 170, 20);
    m_lePositionValue->setGeometry(col1 + 178, y3 + 1, 44, 22);
    placeLabel(m_lblScale, col2, y3);
    const int scaleX = col2 + std::max(width(m_lblPosition), width(m_lblScale)) + 8;
    m_sliderScale->setGeometry(scaleX, y3 + 2, 120, 20);
    m_leScaleValue->setGeometry(scaleX + 128, y3 + 1, 44, 22);
}

QVoRadioButton *QSubtitleOperationForm::positionButton(int position) const
{
    return position == 16 ? m_rbtnTop : (position == 32 ? m_rbtnMiddle : m_rbtnBottom);
}

bool QSubtitleOperationForm::isLossless() const
{
    return m_settings->config().m_bLossless;
}

void QSubtitleOperationForm::connectList(bool on)
{
    QCheckboxCombobox *c = m_cbbSubtitleList;
    if (on) {
        connect(c, &QCheckboxCombobox::emitClickCheckbox, this, &QSubtitleOperationForm::SubtlCheckClick);
        connect(c, &QCheckboxCombobox::emitStateChange, this, &QSubtitleOperationForm::SubtlCheckChange);
        connect(c, qOverload<int>(&QComboBox::currentIndexChanged), this, &QSubtitleOperationForm::SubtlSelChange);
    } else {
        disconnect(c, &QCheckboxCombobox::emitClickCheckbox, this, &QSubtitleOperationForm::SubtlCheckClick);
        disconnect(c, &QCheckboxCombobox::emitStateChange, this, &QSubtitleOperationForm::SubtlCheckChange);
        disconnect(c, qOverload<int>(&QComboBox::currentIndexChanged), this, &QSubtitleOperationForm::SubtlSelChange);
    }
}

int QSubtitleOperationForm::rowOfEntry(int entry) const
{
    return m_rowEntry.indexOf(entry);
}

// ------------------------------------------------------------ the list ---

void QSubtitleOperationForm::loadingSetting()
{
    connectList(false);
    buildRows();
    connectList(true);
    const bool lossless = isLossless();
    const VETrackChoice choice = m_settings->streamChoice();
    m_cbbSubtitleList->setEnabled(!m_settings->config().trackListLocked);
    m_leFamilyPath->setEnabled(!lossless);
    m_btnSetFamily->setEnabled(!lossless);
    const QString path = choice.subtlType == -3 && !lossless ? QString::fromStdString(choice.path) : QString();
    m_leFamilyPath->setText(path);
    m_leFamilyPath->setToolTip(path);
    loadStyle();
}

void QSubtitleOperationForm::buildRows()
{
    QCheckboxCombobox *c = m_cbbSubtitleList;
    const VEEditConfig config = m_settings->config();
    const VETrackChoice &choice = config.streamChoice;
    const bool lossless = config.m_bLossless;
    c->clear();
    m_rowEntry.clear();
    c->setMultipleChoice(lossless);
    const auto addRow = [&](const QString &text, int entry) {
        c->addItem(text);
        m_rowEntry.append(entry);
    };
    addRow(tr("No Subtitle"), NoSubtitleRow);
    const int count = static_cast<int>(config.subtitleTracks.size());
    if (!lossless) {
        bool ccAdded = false;
        for (int i = 0; i < count; ++i) {
            const VESubtitleTrackEntry &e = config.subtitleTracks[i];
            if (e.info.kind == 1 && !ccAdded) {
                addRow(tr("Video Internet CC"), ClosedCaptionRow);
                ccAdded = true;
            }
            addRow(QString::fromStdString(e.info.displayText), i);
        }
        if (!ccAdded)
            addRow(tr("Video Internet CC"), ClosedCaptionRow);
        int current = 0;
        if (choice.subtlType == -2)
            current = rowOfEntry(ClosedCaptionRow);
        else if (choice.subtlType == 0 || choice.subtlType == -3)
            current = std::max(0, rowOfEntry(choice.subtitleTrack));
        c->setCurrentIndex(current);
        for (int row = 0; row < c->count(); ++row)
            c->setRowChecked(row, row == current);
        return;
    }
    int embedded = 0;
    for (const VESubtitleTrackEntry &e : config.subtitleTracks)
        embedded += e.info.kind == 0 ? 1 : 0;
    if (embedded > 0)
        addRow(tr("All Subtitle"), AllSubtitleRow);
    bool all = embedded > 0;
    for (int i = 0; i < count; ++i) {
        const VESubtitleTrackEntry &e = config.subtitleTracks[i];
        if (e.info.kind != 0)
            continue;
        addRow(QString::fromStdString(e.info.displayText), i);
        c->setRowChecked(c->count() - 1, e.selected);
        all = all && e.selected;
    }
    if (choice.subtlType == -1 || embedded == 0) {
        c->setCurrentIndex(0);
        c->setRowChecked(0, true);
    } else {
        const int row = rowOfEntry(choice.subtitleTrack);
        c->setCurrentIndex(all || row < 0 ? 1 : row);
        c->setRowChecked(0, false);
    }
    if (embedded > 0)
        c->setRowChecked(1, all && choice.subtlType != -1);
}

void QSubtitleOperationForm::SubtlSelChange(int index)
{
    if (index < 0 || index >= m_rowEntry.size())
        return;
    VETrackChoice choice = m_settings->streamChoice();
    const int entry = m_rowEntry[index];
    const bool lossless = isLossless();
    const VEEditConfig config = m_settings->config();
    if (entry == NoSubtitleRow) {
        choice.subtlType = -1;
    } else if (entry == ClosedCaptionRow) {
        choice.subtlType = -2;
    } else if (entry == AllSubtitleRow) {
        choice.subtlType = 0;
        choice.subtitleTrack = 0;
    } else {
        const bool isFile = config.subtitleTracks[entry].info.kind == 1;
        if (!lossless) {
            choice.subtlType = isFile ? -3 : 0;
            if (isFile)
                choice.path = config.subtitleTracks[entry].info.path;
            choice.subtitleTrack = entry;
        } else if (!isFile) {
            choice.subtlType = 0;
            choice.subtitleTrack = entry;
        } else {
            choice.subtlType = -1;
        }
    }
    if (!lossless)
        selectEncodingEntry(entry >= 0 ? entry : -1);
    m_settings->setStreamChoice(choice);
    if (entry == AllSubtitleRow || entry >= 0) {
        writeStyleAgain();
        if (lossless || choice.subtlType != -3) {
            m_leFamilyPath->clear();
            m_leFamilyPath->setToolTip(QString());
        } else {
            const QString path = QString::fromStdString(choice.path);
            m_leFamilyPath->setText(path);
            m_leFamilyPath->setToolTip(path);
        }
    } else if (!lossless) {
        m_leFamilyPath->clear();
        m_leFamilyPath->setToolTip(QString());
    }
}

// Encoding mode burns one subtitle: its entry alone is marked, so that the
// converter and the preview take the same one.
void QSubtitleOperationForm::selectEncodingEntry(int entry)
{
    VEEditConfig config = m_settings->config();
    bool changed = false;
    for (int i = 0; i < static_cast<int>(config.subtitleTracks.size()); ++i) {
        const bool on = i == entry;
        changed = changed || config.subtitleTracks[i].selected != on;
        config.subtitleTracks[i].selected = on;
    }
    if (changed)
        m_settings->setSubtitleTracks(config.subtitleTracks);
}

void QSubtitleOperationForm::SubtlCheckClick(int index)
{
    if (index < 0 || index >= m_rowEntry.size())
        return;
    QCheckboxCombobox *c = m_cbbSubtitleList;
    VETrackChoice choice = m_settings->streamChoice();
    const int entry = m_rowEntry[index];
    const bool lossless = isLossless();
    const int firstTrackRow = lossless ? 2 : 1;
    if (entry == NoSubtitleRow) {
        // "No Subtitle" and chosen tracks together would say two things.
        for (int row = 1; row < c->count(); ++row)
            c->setRowChecked(row, false);
        c->setRowChecked(0, true);
        choice.subtlType = -1;
    } else if (entry == AllSubtitleRow) {
        const bool all = c->isRowChecked(index);
        for (int row = firstTrackRow; row < c->count(); ++row)
            c->setRowChecked(row, all);
        c->setRowChecked(0, !all);
        if (!all)
            choice.subtlType = -1;
        else if (choice.subtlType == -1) {
            choice.subtlType = 0;
            choice.subtitleTrack = 0;
        }
    } else {
        bool none = true, all = true;
        for (int row = firstTrackRow; row < c->count(); ++row) {
            none = none && !c->isRowChecked(row);
            all = all && c->isRowChecked(row);
        }
        c->setRowChecked(0, none);
        if (lossless)
            c->setRowChecked(1, all);
        if (entry == ClosedCaptionRow) {
            choice.subtlType = -2;
        } else if (lossless) {
            if (none) {
                choice.subtlType = -1;
            } else if (choice.subtlType == -1) {
                choice.subtlType = 0;
                choice.subtitleTrack = entry;
            }
        } else {
            choice.subtlType = -1;
            const VEEditConfig config = m_settings->config();
            for (int i = 0; i < static_cast<int>(config.subtitleTracks.size()); ++i) {
                const VESubtitleTrackEntry &e = config.subtitleTracks[i];
                if (!e.selected)
                    continue;
                choice.subtlType = e.info.kind == 1 ? -3 : 0;
                if (e.info.kind == 1)
                    choice.path = e.info.path;
                choice.subtitleTrack = i;
                break;
            }
        }
    }
    m_settings->setStreamChoice(choice);
}

void QSubtitleOperationForm::SubtlCheckChange(int index, int state)
{
    if (index < 0 || index >= m_rowEntry.size() || m_rowEntry[index] < 0)
        return;
    VEEditConfig config = m_settings->config();
    const int entry = m_rowEntry[index];
    if (entry >= static_cast<int>(config.subtitleTracks.size()))
        return;
    const bool on = state == Qt::Checked;
    if (config.subtitleTracks[entry].selected == on)
        return;
    config.subtitleTracks[entry].selected = on;
    m_settings->setSubtitleTracks(config.subtitleTracks);
}

// ------------------------------------------------------- subtitle files ---

QString QSubtitleOperationForm::fileErrorText(const QString &path, int fileError)
{
    const QString name = QFileInfo(path).fileName();
    switch (static_cast<subtitles::FileError>(fileError)) {
    case subtitles::FileError::None:
        return QString();
    case subtitles::FileError::CannotOpen:
        return tr("The subtitle file \"%1\" cannot be opened.").arg(name);
    case subtitles::FileError::TooLarge:
        return tr("The file \"%1\" is too large to be a subtitle file.").arg(name);
    case subtitles::FileError::UnknownFormat:
        return tr("The file \"%1\" is not a subtitle file this program reads (SRT, ASS, SSA, WebVTT or MicroDVD SUB).")
            .arg(name);
    case subtitles::FileError::NotText:
        return tr("The file \"%1\" is not a text subtitle file.").arg(name);
    case subtitles::FileError::NoHeader:
    case subtitles::FileError::NoEvents:
        return tr("The file \"%1\" is damaged: its header is missing.").arg(name);
    case subtitles::FileError::NoEntries:
        return tr("The file \"%1\" holds no subtitle with a valid time.").arg(name);
    }
    return QString();
}

void QSubtitleOperationForm::onSetFamily()
{
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Open Subtitle File"), QString(),
        tr("Subtitles (%1)").arg(QStringLiteral("*.srt *.ass *.ssa *.vtt *.webvtt *.sub *.SRT *.ASS *.SSA *.VTT "
                                                "*.WEBVTT *.SUB")));
    if (file.isEmpty() || file == m_leFamilyPath->text())
        return;
    QString error;
    if (!addSubtitleFile(file, &error))
        QVoMessageBox::showMessage(this, error);
}

bool QSubtitleOperationForm::addSubtitleFile(const QString &path, QString *error)
{
    if (isLossless()) {
        if (error)
            *error = tr("Subtitle files can only be burned into the picture in Encoding mode.");
        return false;
    }
    const subtitles::SubtitleFile parsed = subtitles::readSubtitleFile(QFile::encodeName(path).toStdString());
    if (!parsed.ok()) {
        if (error)
            *error = fileErrorText(path, static_cast<int>(parsed.error));
        return false;
    }
    VEEditConfig config = m_settings->config();
    const std::string utf8Path = path.toUtf8().toStdString();
    int n = -1;
    for (int i = 0; i < static_cast<int>(config.subtitleTracks.size()); ++i)
        if (config.subtitleTracks[i].info.kind == 1 && config.subtitleTracks[i].info.path == utf8Path)
            n = i;
    if (n < 0) {
        // "movie.en.srt" is listed as "movie.en (SRT)".
        const QFileInfo fi(path);
        const QString text = QStringLiteral("%2 (%1)").arg(fi.suffix().toUpper(), fi.completeBaseName());
        VESubtitleTrackEntry entry;
        entry.selected = true;
        entry.info.kind = 1;
        entry.info.displayText = text.toUtf8().toStdString();
        entry.info.path = utf8Path;
        entry.info.name = fi.completeBaseName().toUtf8().toStdString();
        entry.info.codecName = fi.suffix().toUpper().toUtf8().toStdString();
        m_settings->addExternalSubtitle(entry);
        n = static_cast<int>(m_settings->config().subtitleTracks.size()) - 1;
        connectList(false);
        m_cbbSubtitleList->addItem(text);
        m_rowEntry.append(n);
        connectList(true);
    }
    selectEncodingEntry(n);
    connectList(false);
    const int row = rowOfEntry(n);
    m_cbbSubtitleList->setCurrentIndex(row);
    for (int r = 0; r < m_cbbSubtitleList->count(); ++r)
        m_cbbSubtitleList->setRowChecked(r, r == row);
    connectList(true);
    VETrackChoice choice = m_settings->streamChoice();
    choice.subtitleTrack = n;
    choice.subtlType = -3;
    choice.path = utf8Path;
    m_settings->setStreamChoice(choice);
    m_leFamilyPath->setText(path);
    m_leFamilyPath->setToolTip(path);
    writeStyleAgain();
    return true;
}

// --------------------------------------------------------------- style ---

void QSubtitleOperationForm::loadStyle()
{
    const VESubtitleStyle s = m_settings->subtitleStyle();
    m_sliderAlpha->setValue(double(s.alpha));
    m_leAlphaValue->setText(QString::number(static_cast<int>(s.alpha / 2.55)));
    m_sliderPosition->setValue(s.margin * 1000.0);
    m_lePositionValue->setText(QString::number(static_cast<int>(std::lround(s.margin * 100.0))));
    m_sliderScale->setValue(sliderOfScale(std::max(1, s.scale[0])));
    m_leScaleValue->setText(QString::number(s.scale[0]));
    positionButton(s.position)->setChecked(true);
}

void QSubtitleOperationForm::writeStyleAgain()
{
    m_settings->setSubtitleStyle(m_settings->subtitleStyle());
}

void QSubtitleOperationForm::progressValue(double value)
{
    VESubtitleStyle s = m_settings->subtitleStyle();
    const QObject *from = sender();
    if (from == m_sliderAlpha) {
        const int alpha = static_cast<int>(std::floor(value * 255.0));
        m_leAlphaValue->setText(QString::number(static_cast<int>(value * 100.0)));
        if (alpha == s.alpha)
            return;
        s.alpha = alpha;
    } else if (from == m_sliderPosition) {
        m_lePositionValue->setText(QString::number(static_cast<int>(std::lround(value * 100.0))));
        if (std::abs(value - s.margin) < 1e-9)
            return;
        s.margin = value;
    } else if (from == m_sliderScale) {
        const int scale = scaleFromFraction(value);
        m_leScaleValue->setText(QString::number(scale));
        if (scale == s.scale[0] && scale == s.scale[1])
            return;
        s.scale[0] = s.scale[1] = scale;
    } else {
        return;
    }
    m_settings->setSubtitleStyle(s);
}

void QSubtitleOperationForm::valueTextEdited(const QString &text)
{
    const QObject *from = sender();
    bool ok = false;
    int number = text.toInt(&ok);
    if (!ok)
        return;
    VESubtitleStyle s = m_settings->subtitleStyle();
    if (from == m_leAlphaValue) {
        if (number > 100) {
            number = 100;
            m_leAlphaValue->setText(QStringLiteral("100"));
        }
        s.alpha = static_cast<int>(number * 2.55);
        m_sliderAlpha->setValue(double(s.alpha));
    } else if (from == m_lePositionValue) {
        if (number > 100) {
            number = 100;
            m_lePositionValue->setText(QStringLiteral("100"));
        }
        s.margin = number / 100.0;
        m_sliderPosition->setValue(number * 10.0);
    } else if (from == m_leScaleValue) {
        if (number > 400) {
            number = 400;
            m_leScaleValue->setText(QStringLiteral("400"));
        }
        if (number < 25)
            return;
        s.scale[0] = s.scale[1] = number;
        m_sliderScale->setValue(sliderOfScale(number));
    } else {
        return;
    }
    m_settings->setSubtitleStyle(s);
}

void QSubtitleOperationForm::scaleEditFinished()
{
    bool ok = false;
    const int typed = m_leScaleValue->text().toInt(&ok);
    VESubtitleStyle s = m_settings->subtitleStyle();
    const int number = ok ? std::clamp(typed, 25, 400) : s.scale[0];
    m_leScaleValue->setText(QString::number(number));
    m_sliderScale->setValue(sliderOfScale(number));
    if (number == s.scale[0] && number == s.scale[1])
        return;
    s.scale[0] = s.scale[1] = number;
    m_settings->setSubtitleStyle(s);
}

void QSubtitleOperationForm::onRadioButton()
{
    VESubtitleStyle s = m_settings->subtitleStyle();
    s.position = m_rbtnTop->isChecked() ? 16 : (m_rbtnMiddle->isChecked() ? 32 : 0);
    m_settings->setSubtitleStyle(s);
}

void QSubtitleOperationForm::reset()
{
    m_settings->setSubtitleStyle(VESubtitleStyle());
    VETrackChoice choice = m_settings->streamChoice();
    choice.subtitleTrack = 0;
    choice.path.clear();
    choice.subtlType = -1;
    VEEditConfig config = m_settings->config();
    if (!config.m_bLossless) {
        choice.subtitleTrack = -1;
        for (auto &e : config.subtitleTracks)
            e.selected = false;
    } else if (choice.subtitleCount > 0) {
        // High-Speed mode keeps every embedded stream, as a new item does.
        choice.subtlType = 0;
        choice.subtitleTrack = 0;
        for (auto &e : config.subtitleTracks)
            e.selected = e.info.kind == 0;
    } else {
        choice.subtitleTrack = -1;
        for (auto &e : config.subtitleTracks)
            e.selected = false;
    }
    m_settings->setSubtitleTracks(config.subtitleTracks);
    m_settings->setStreamChoice(choice);
    loadingSetting();
}
