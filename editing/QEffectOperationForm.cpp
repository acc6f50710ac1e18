#include "QEffectOperationForm.h"

#include "EffectFitting.h"
#include "EffectNames.h"
#include "QCommonButtonForm.h"
#include "QFrameChunkManager.h"
#include "QHorizontalListFrom.h"
#include "QVideoEditTag.h"
#include "QVideoEditingSettings.h"
#include "QVideoEffectManager.h"
#include "QVoBaseSlider.h"

#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kRowHeight = 22;
constexpr int kRowStep = 26;
constexpr int kLabelX = 14;
constexpr int kSliderX = 96;
constexpr int kSliderWidth = 200;
constexpr int kEditWidth = 45;
constexpr int kLibraryX = 372;

// Products in double precision, truncated toward zero.
int truncated(double v)
{
    return static_cast<int>(std::trunc(v));
}

} // namespace

QEffectOperationForm::QEffectOperationForm(QVideoEditingSettings *settings, QWidget *parent)
    : QEditOperationForm(settings, true, parent)
{
    setObjectName("QEffectOperationForm");
    // The tab lays its controls out itself; the base's caption stays unused.
    m_labCaption->hide();
    layout()->removeWidget(commonButtons());

    addControl(Brightness, tr("Brightness:"), "m_sliderBrightness", "m_leBrightnessValue");
    addControl(Contrast, tr("Contrast:"), "m_sliderContrast", "m_leConstrastValue");
    addControl(Saturation, tr("Saturation:"), "m_sliderSaturation", "m_leSaturationValue");
    addControl(Hue, tr("Hue:"), "m_sliderHue", "m_leHueValue");
    m_sliderBrightness = m_sliders[Brightness];
    m_sliderContrast = m_sliders[Contrast];
    m_sliderSaturation = m_sliders[Saturation];
    m_sliderHue = m_sliders[Hue];
    m_leBrightnessValue = m_edits[Brightness];
    m_leConstrastValue = m_edits[Contrast];
    m_leSaturationValue = m_edits[Saturation];
    m_leHueValue = m_edits[Hue];

    m_effectTag = new QVideoEditTag({tr("Video effects"), tr("Frame")}, this);
    m_effectTag->setObjectName("m_effectTag");
    connect(m_effectTag, &QVideoEditTag::emitSelectedTag, this, &QEffectOperationForm::selectedTag);
    m_effectsList = new QHorizontalListFrom(this);
    m_effectsList->setObjectName("m_effectsList");
    m_frameList = new QHorizontalListFrom(this);
    m_frameList->setObjectName("m_frameList");
    m_frameList->hide();
    connect(m_effectsList, &QHorizontalListFrom::currentIndexChanged, this,
            &QEffectOperationForm::effectsListIndexChanged);
    connect(m_frameList, &QHorizontalListFrom::currentIndexChanged, this, &QEffectOperationForm::frameListIndexChanged);

    m_effects = new QVideoEffectManager(this);
    m_frames = new QFrameChunkManager(this);
    fillLists();
    placeControls();
}

void QEffectOperationForm::addControl(Control c, const QString &caption, const char *sliderName, const char *editName)
{
    auto *label = new QLabel(caption, this);
    label->setStyleSheet("color: rgb(246, 246, 246); font-family: Tahoma; font-size: 12px;");
    label->adjustSize();
    auto *slider = new QVoBaseSlider(this);
    slider->setObjectName(sliderName);
    slider->setTrackPicture("/VEditSource/slider_bottom.png");
    slider->setFillPicture("/VEditSource/slider_top.png");
    slider->setHandlePicture("/VEditSource/slider_image.png");
    slider->setRange(0, 200);
    slider->setValue(100);
    auto *edit = new QLineEdit("100", this);
    edit->setObjectName(editName);
    edit->setAlignment(Qt::AlignCenter);
    edit->setMaxLength(4);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), edit));
    edit->setStyleSheet("QLineEdit { color: rgb(228, 228, 228); background: rgb(34, 34, 34); border: 1px solid "
                        "rgb(80, 80, 80); font-family: Tahoma; font-size: 12px;"
                        " selection-background-color: rgb(89, 104, 130); }");
    connect(slider, &QVoBaseSlider::sendProgressValue, this, &QEffectOperationForm::progressValue);
    slider->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, &QEffectOperationForm::textEdited);
    m_labels[c] = label;
    m_sliders[c] = slider;
    m_edits[c] = edit;
}

void QEffectOperationForm::placeControls()
{
    for (int c = 0; c < ControlCount; ++c) {
        const int y = 6 + c * kRowStep;
        m_labels[c]->move(kLabelX, y + (kRowHeight - m_labels[c]->height()) / 2);
        m_sliders[c]->setGeometry(kSliderX, y, kSliderWidth, kRowHeight);
        m_edits[c]->setGeometry(kSliderX + kSliderWidth + 10, y, kEditWidth, kRowHeight);
    }
    const int right = width() - 12;
    QCommonButtonForm *buttons = commonButtons();
    buttons->adjustSize();
    buttons->setGeometry(right - buttons->sizeHint().width(), 4, buttons->sizeHint().width(), 26);
    m_effectTag->setGeometry(kLibraryX, 4, 200, 25);
    const QRect list(kLibraryX, 33, std::max(60, right - kLibraryX), height() - 35);
    m_effectsList->setGeometry(list);
    m_frameList->setGeometry(list);
}

void QEffectOperationForm::resizeEvent(QResizeEvent *event)
{
    QEditOperationForm::resizeEvent(event);
    placeControls();
}

bool QEffectOperationForm::eventFilter(QObject *watched, QEvent *event)
{
    // The arrow keys move a slider without reporting it; the value it has
    // once the key is handled is the user's choice.
    if (event->type() == QEvent::KeyRelease) {
        for (int c = 0; c < ControlCount; ++c) {
            if (watched != m_sliders[c])
                continue;
            const int v = static_cast<int>(std::lround(m_sliders[c]->value()));
            if (QString::number(v) != m_edits[c]->text()) {
                m_edits[c]->setText(QString::number(v));
                store(static_cast<Control>(c), v);
            }
        }
    }
    return QEditOperationForm::eventFilter(watched, event);
}

void QEffectOperationForm::fillLists()
{
    const struct {
        QHorizontalListFrom *list;
        const QEffectLibrary *library;
    } lists[] = {{m_effectsList, m_effects}, {m_frameList, m_frames}};
    for (const auto &l : lists) {
        l.list->clear();
        for (const EffectEntry &entry : l.library->entries())
            l.list->addItem(QEffectLibrary::thumbnailPath(entry), effectDisplayName(entry.name));
    }
}

// ------------------------------------------------------------ mappings ---

int QEffectOperationForm::sliderValue(double fraction)
{
    if (fraction > 0.49 && fraction < 0.51)
        return 100;
    return std::clamp(static_cast<int>(std::floor(fraction * 200)), 0, 200);
}

int QEffectOperationForm::brightnessFromSlider(int v)
{
    return truncated((v - 100) * 2.55);
}

int QEffectOperationForm::saturationFromSlider(int v)
{
    return v;
}

int QEffectOperationForm::contrastFromSlider(int v)
{
    return v <= 100 ? v : 2 * v - 100;
}

int QEffectOperationForm::hueFromSlider(int v)
{
    return truncated((v - 100) * 1.8);
}

int QEffectOperationForm::sliderFromBrightness(int brightness)
{
    return truncated((brightness + 255) / 2.55);
}

int QEffectOperationForm::sliderFromSaturation(int saturation)
{
    return saturation;
}

int QEffectOperationForm::sliderFromContrast(int contrast)
{
    return contrast <= 100 ? contrast : (contrast - 100) / 2 + 100;
}

int QEffectOperationForm::sliderFromHue(int hue)
{
    return truncated((hue + 180) / 1.8);
}

// ---------------------------------------------------------- the values ---

void QEffectOperationForm::show(Control c, int v)
{
    m_sliders[c]->setValue(std::clamp(v, 0, 200));
    m_edits[c]->setText(QString::number(v));
}

void QEffectOperationForm::store(Control c, int v)
{
    VEPictureAdjust picture = m_settings->picture();
    switch (c) {
    case Brightness:
        // Always written: the preview refreshes on every move.
        picture.brightness = brightnessFromSlider(v);
        m_settings->setPicture(picture);
        return;
    case Contrast: {
        const int stored = contrastFromSlider(v);
        if (stored == picture.contrast)
            return;
        picture.contrast = stored;
        break;
    }
    case Saturation: {
        const int stored = saturationFromSlider(v);
        if (stored == picture.saturation)
            return;
        picture.saturation = stored;
        break;
    }
    case Hue: {
        const int stored = hueFromSlider(v);
        if (stored == picture.hue)
            return;
        picture.hue = stored;
        break;
    }
    case ControlCount:
        return;
    }
    m_settings->setPicture(picture);
}

void QEffectOperationForm::progressValue(double value)
{
    for (int c = 0; c < ControlCount; ++c) {
        if (sender() != m_sliders[c])
            continue;
        const int v = sliderValue(value);
        show(static_cast<Control>(c), v);
        store(static_cast<Control>(c), v);
        return;
    }
}

void QEffectOperationForm::textEdited(QString text)
{
    for (int c = 0; c < ControlCount; ++c) {
        QLineEdit *edit = m_edits[c];
        if (sender() != edit)
            continue;
        // "0150" is 150: leading zeros go while something follows them.
        while (text.size() > 1 && text.startsWith('0'))
            text.remove(0, 1);
        if (text.isEmpty())
            text = QStringLiteral("0");
        int v = text.toInt();
        if (v > 200) {
            v = 200;
            text = QStringLiteral("200");
        }
        const int cursor = edit->cursorPosition();
        if (edit->text() != text) {
            edit->setText(text);
            edit->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
        }
        m_sliders[c]->setValue(v);
        store(static_cast<Control>(c), v);
        return;
    }
}

void QEffectOperationForm::loadingSetting()
{
    const VEPictureAdjust picture = m_settings->picture();
    show(Brightness, sliderFromBrightness(picture.brightness));
    show(Saturation, sliderFromSaturation(picture.saturation));
    show(Contrast, sliderFromContrast(picture.contrast));
    show(Hue, sliderFromHue(picture.hue));
    m_effectsList->setCurrentIndex(m_settings->effectOverlay().listIndex);
    m_frameList->setCurrentIndex(m_settings->frameOverlay().listIndex);
    m_effectTag->setCurrentIndex(0);
    selectedTag(0);
}

void QEffectOperationForm::selectedTag(int index)
{
    m_effectsList->setVisible(index == 0);
    m_frameList->setVisible(index == 1);
}

// ----------------------------------------------------- effect and frame ---

void QEffectOperationForm::effectsListIndexChanged(int index)
{
    VEWatermarkSettings overlay = m_settings->effectOverlay();
    const EffectEntry *entry = m_effects->entryAt(index);
    const auto [videoWidth, videoHeight] = m_settings->displaySize();
    const int chosen = entry ? effectfit::choosePicture(entry->frames, videoWidth, videoHeight, false) : -1;
    if (chosen < 0) {
        overlay.imagePath.clear();
    } else {
        const FramePicture &picture = entry->frames[chosen];
        overlay.imageSourceRect = effectfit::coverSourceRect(picture, videoWidth, videoHeight);
        overlay.imagePath = QString("%1/%2").arg(entry->folder, picture.fileName).toStdString();
        overlay.frameType = picture.type;
    }
    overlay.listIndex = index;
    if (m_settings->isBoundToTrim()) {
        overlay.imageStartTime = m_settings->trimStartTime();
        overlay.imageEndTime = 0;
    }
    m_settings->setEffectOverlay(overlay);
}

void QEffectOperationForm::frameListIndexChanged(int index)
{
    VEWatermarkSettings overlay = m_settings->frameOverlay();
    const EffectEntry *entry = m_frames->entryAt(index);
    const auto [videoWidth, videoHeight] = m_settings->displaySize();
    const int chosen = entry ? effectfit::choosePicture(entry->frames, videoWidth, videoHeight, true) : -1;
    if (chosen < 0) {
        overlay.imagePath.clear();
    } else {
        const FramePicture &picture = entry->frames[chosen];
        overlay.imagePath = QString("%1/%2").arg(entry->folder, picture.fileName).toStdString();
        overlay.frameType = picture.type;
    }
    overlay.listIndex = index;
    if (m_settings->isBoundToTrim()) {
        overlay.imageStartTime = m_settings->trimStartTime();
        overlay.imageEndTime = 0;
    }
    m_settings->setFrameOverlay(overlay);
}

void QEffectOperationForm::reset()
{
    m_settings->setPicture(VEPictureAdjust());
    VEWatermarkSettings frame = m_settings->frameOverlay();
    frame.imagePath.clear();
    frame.listIndex = 0;
    m_settings->setFrameOverlay(frame);
    VEWatermarkSettings effect = m_settings->effectOverlay();
    effect.imagePath.clear();
    effect.listIndex = 0;
    m_settings->setEffectOverlay(effect);
    m_effectsList->clearHighlight();
    m_frameList->clearHighlight();
    loadingSetting();
}
