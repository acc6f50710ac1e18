#include "QAdjustOperationForm.h"

#include "PreviewGeometry.h"
#include "QImageButton.h"
#include "QVideoEditingSettings.h"
#include "QVoComboBox.h"
#include "QVoLineEdit.h"
#include "VoPlayerManager.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

enum AspectEntry { OriginalDisplay = 0, OriginalResolution, FullScreen, Wide16x9, Normal4x3, PanScan };

const char *kCaptionStyle = "color: rgb(246, 246, 246); font-family: Tahoma; font-size: 12px;";

QLabel *caption(QWidget *parent, const QString &text, const QString &name)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setStyleSheet(kCaptionStyle);
    l->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return l;
}

QImageButton *glyphButton(QWidget *parent, const QString &image, const QString &name, const QString &tip)
{
    auto *b = new QImageButton(parent);
    b->setImage(image);
    b->setObjectName(name);
    b->setToolTip(tip);
    return b;
}

QVoLineEdit *sizeEdit(QWidget *parent, const QString &name)
{
    auto *e = new QVoLineEdit(parent);
    e->setObjectName(name);
    e->setFixedSize(50, 22);
    e->setBackgroundImage("/VEditSource/edit_background.png");
    e->setDigitsOnly();
    e->setAlignment(Qt::AlignCenter);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Text, QColor(246, 246, 246));
    pal.setColor(QPalette::Highlight, QColor(89, 104, 130));
    e->setPalette(pal);
    QFont font("Tahoma");
    font.setPixelSize(12);
    e->setFont(font);
    return e;
}

QVoComboBox *makeAspectCombo(QWidget *parent)
{
    auto *combo = new QVoComboBox(parent);
    combo->setObjectName("m_cbbAspectRatio");
    combo->setFixedSize(160, 22);
    QFont font("Tahoma");
    font.setPixelSize(12);
    combo->setFont(font);
    combo->setBackgroundImage("/VEditSource/edit_background.png");
    combo->setArrowImage("/VEditSource/cbb_trigonometric.png", true);
    combo->setArrowPosition(160 - 16, -1);
    combo->setTextMargins(6, 0, 18, 1);
    combo->setTextColor(QColor(246, 246, 246));
    combo->setRowHeight(22);
    combo->setMaxVisibleItems(16);
    QFont rowFont("Tahoma");
    rowFont.setPixelSize(11);
    combo->setRowFont(rowFont);
    combo->setPopupBorder(1, QColor(62, 63, 63));
    combo->setRowBackground(QColor(62, 63, 63));
    combo->setRowSelectedBackground(QColor(89, 104, 130));
    combo->setRowHoverBackground(QColor(84, 84, 84));
    combo->setRowTextColor(QColor(246, 246, 246));
    return combo;
}

int typedNumber(const QVoLineEdit *edit)
{
    bool ok = false;
    const qlonglong n = edit->text().toLongLong(&ok);
    return ok ? static_cast<int>(std::min<qlonglong>(n, 1 << 30)) : 0;
}

} // namespace

QAdjustOperationForm::QAdjustOperationForm(QVideoEditingSettings *settings, QWidget *parent)
    : QEditOperationForm(nullptr, true, parent)
{
    setObjectName("QAdjustOperationForm");
    m_labCaption->hide();

    m_lblRotion = caption(this, tr("Rotation:"), "m_lblRotion");
    m_btnRotate_L_90 = glyphButton(this, "/VEditSource/adjust/rotate_L_90.png", "m_btnRotate_L_90",
                                   tr("Rotate Anticlockwise"));
    m_btnRotate_R_90
        = glyphButton(this, "/VEditSource/adjust/rotate_R_90.png", "m_btnRotate_R_90", tr("Rotate Clockwise"));
    m_btnFlipH = glyphButton(this, "/VEditSource/adjust/flip_H.png", "m_btnFlipH", tr("Flip Horizontal"));
    m_btnFlipV = glyphButton(this, "/VEditSource/adjust/flip_V.png", "m_btnFlipV", tr("Flip Vertical"));
    m_lblCropAreaSize = caption(this, tr("Crop Area Size:"), "m_lblCropAreaSize");
    m_leCropArea_W = sizeEdit(this, "m_leCropArea_W");
    m_leCropArea_W->setToolTip(tr("Width of the crop area in pixels of the source"));
    m_lblX = caption(this, QStringLiteral("x"), "m_lblX");
    m_lblX->setFixedSize(22, 22);
    m_lblX->setAlignment(Qt::AlignCenter);
    m_leCropArea_H = sizeEdit(this, "m_leCropArea_H");
    m_leCropArea_H->setToolTip(tr("Height of the crop area in pixels of the source"));
    m_lblOriginalSize = caption(this, tr("Original Resolution:"), "m_lblOriginalSize");
    m_lblOriginalSizeValue = caption(this, QString(), "m_lblOriginalSizeValue");
    m_lblOriginalSizeValue->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_lblAspectRatio = caption(this, tr("Aspect Ratio:"), "m_lblAspectRatio");
    m_cbbAspectRatio = makeAspectCombo(this);
    m_cbbAspectRatio->addItem(tr("Original Display"));
    m_cbbAspectRatio->addItem(tr("Original Resolution"));
    m_cbbAspectRatio->addItem(tr("Full Screen"));
    m_cbbAspectRatio->addItem(QStringLiteral("16:9"));
    m_cbbAspectRatio->addItem(QStringLiteral("4:3"));
    m_cbbAspectRatio->addItem(tr("Pan Scan"));

    // Turning and mirroring on the left, size and aspect on the right.
    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    auto *turns = new QHBoxLayout;
    turns->setSpacing(10);
    turns->addWidget(m_lblRotion);
    turns->addSpacing(4);
    turns->addWidget(m_btnRotate_L_90);
    turns->addWidget(m_btnRotate_R_90);
    turns->addSpacing(10);
    turns->addWidget(m_btnFlipH);
    turns->addWidget(m_btnFlipV);
    turns->addStretch();
    grid->addLayout(turns, 0, 0, 2, 1, Qt::AlignVCenter);
    auto *size = new QHBoxLayout;
    size->setSpacing(4);
    size->addWidget(m_leCropArea_W);
    size->addWidget(m_lblX);
    size->addWidget(m_leCropArea_H);
    size->addSpacing(24);
    size->addWidget(m_lblOriginalSize);
    size->addWidget(m_lblOriginalSizeValue);
    size->addStretch();
    grid->addWidget(m_lblCropAreaSize, 0, 1, Qt::AlignRight | Qt::AlignVCenter);
    grid->addLayout(size, 0, 2);
    grid->addWidget(m_lblAspectRatio, 1, 1, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(m_cbbAspectRatio, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    auto *column = static_cast<QVBoxLayout *>(layout());
    column->insertLayout(1, grid);

    m_editTimer = new QTimer(this);
    m_editTimer->setSingleShot(true);
    m_editTimer->setInterval(kEditDelayMs);
    connect(m_editTimer, &QTimer::timeout, this, &QAdjustOperationForm::wideTimer);
    connect(m_btnRotate_L_90, &QImageButton::clicked, this, &QAdjustOperationForm::onRotate_L_90);
    connect(m_btnRotate_R_90, &QImageButton::clicked, this, &QAdjustOperationForm::onRotate_R_90);
    connect(m_btnFlipH, &QImageButton::clicked, this, &QAdjustOperationForm::onFlipH);
    connect(m_btnFlipV, &QImageButton::clicked, this, &QAdjustOperationForm::onFlipV);
    // Only what the user types waits for the pause; sizes shown from the
    // record or the preview do not.
    connect(m_leCropArea_W, &QLineEdit::textEdited, this, &QAdjustOperationForm::cropAreaChangedW);
    connect(m_leCropArea_H, &QLineEdit::textEdited, this, &QAdjustOperationForm::cropAreaChangedH);
    connect(m_leCropArea_W, &QLineEdit::editingFinished, this, &QAdjustOperationForm::commitPendingSize);
    connect(m_leCropArea_H, &QLineEdit::editingFinished, this, &QAdjustOperationForm::commitPendingSize);
    connect(m_cbbAspectRatio, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QAdjustOperationForm::aspectRatioChanged);
    m_leCropArea_W->installEventFilter(this);
    m_leCropArea_H->installEventFilter(this);
    setSettings(settings);
}

bool QAdjustOperationForm::eventFilter(QObject *watched, QEvent *event)
{
    // Enter applies the typed size and goes no further: the dialog would
    // take it for its default button.
    if ((watched == m_leCropArea_W || watched == m_leCropArea_H) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            commitPendingSize();
            return true;
        }
    }
    return QEditOperationForm::eventFilter(watched, event);
}

void QAdjustOperationForm::setSettings(QVideoEditingSettings *settings)
{
    m_settings = settings;
    disconnect(m_playerConnection);
    if (m_settings && m_settings->player())
        m_playerConnection = connect(m_settings->player(), &VoPlayerManager::emitCropAreaChange, this,
                                     &QAdjustOperationForm::cropAreaChange);
}

void QAdjustOperationForm::setComboIndex(int index)
{
    // Not a signal blocker: the drawn combo repaints its text from the
    // same signal.
    m_showing = true;
    m_cbbAspectRatio->setCurrentIndex(index);
    m_showing = false;
}

void QAdjustOperationForm::showSize(const VERect &rect)
{
    const QSize source = m_settings ? m_settings->videoSize() : QSize();
    m_leCropArea_W->setText(QString::number(std::lround(rect.width * source.width())));
    m_leCropArea_H->setText(QString::number(std::lround(rect.height * source.height())));
}

void QAdjustOperationForm::loadingSetting()
{
    if (!m_settings)
        return;
    const QSize source = m_settings->videoSize();
    m_lblOriginalSizeValue->setText(QStringLiteral("%1 x %2").arg(source.width()).arg(source.height()));
    const VECropSettings crop = m_settings->crop();
    showSize(crop.cropRect);
    setComboIndex(crop.panScan == 1 ? PanScan : std::clamp(crop.aspectMode, 0, int(Normal4x3)));
}

void QAdjustOperationForm::loadSettings()
{
    loadingSetting();
}

void QAdjustOperationForm::aspectRatioChanged(int index)
{
    if (!m_settings || index < 0 || m_showing)
        return;
    VECropSettings crop = m_settings->crop();
    if (index == PanScan) {
        crop.panScan = 1;
        crop.aspectMode = 0;
        crop.aspectNum = 0;
        crop.aspectDen = 0;
    } else {
        crop.panScan = 0;
        crop.aspectMode = index;
        switch (index) {
        case OriginalResolution: {
            const QSize source = m_settings->videoSize();
            crop.aspectNum = std::max(2, previewgeometry::evenCropPixels(crop.cropRect.width, source.width()));
            crop.aspectDen = std::max(2, previewgeometry::evenCropPixels(crop.cropRect.height, source.height()));
            break;
        }
        case FullScreen:
            crop.aspectNum = m_settings->displaySize().first;
            crop.aspectDen = m_settings->displaySize().second;
            break;
        case Wide16x9:
            crop.aspectNum = 16;
            crop.aspectDen = 9;
            break;
        case Normal4x3:
            crop.aspectNum = 4;
            crop.aspectDen = 3;
            break;
        default:
            crop.aspectNum = 0;
            crop.aspectDen = 0;
            break;
        }
    }
    m_settings->setCrop(crop);
    // The live rectangle may have changed (pan-scan has its own).
    showSize(crop.liveRect());
}

void QAdjustOperationForm::onRotate_R_90()
{
    if (!m_settings)
        return;
    VECropSettings crop = m_settings->crop();
    crop.rotation = (crop.rotation + (crop.mirrored ? 270 : 90)) % 360;
    if (crop.panScan == 1) {
        crop.aspectNum = 0;
        crop.aspectDen = 0;
    }
    m_settings->setCrop(crop);
}

void QAdjustOperationForm::onRotate_L_90()
{
    if (!m_settings)
        return;
    VECropSettings crop = m_settings->crop();
    crop.rotation = (crop.rotation + (crop.mirrored ? 90 : 270)) % 360;
    if (crop.panScan == 1) {
        crop.aspectNum = 0;
        crop.aspectDen = 0;
    }
    m_settings->setCrop(crop);
}

void QAdjustOperationForm::onFlipH()
{
    if (!m_settings)
        return;
    VECropSettings crop = m_settings->crop();
    crop.mirrored = 1 - crop.mirrored;
    m_settings->setCrop(crop);
}

void QAdjustOperationForm::onFlipV()
{
    if (!m_settings)
        return;
    // Upside down is a mirror plus a half turn: the record keeps one mirror.
    VECropSettings crop = m_settings->crop();
    crop.mirrored = 1 - crop.mirrored;
    crop.rotation = (crop.rotation + 180) % 360;
    m_settings->setCrop(crop);
}

void QAdjustOperationForm::cropAreaChangedW(const QString &)
{
    if (!m_settings)
        return;
    m_widthEdited = true;
    m_editTimer->start();
}

void QAdjustOperationForm::cropAreaChangedH(const QString &)
{
    if (!m_settings)
        return;
    m_widthEdited = false;
    m_editTimer->start();
}

bool QAdjustOperationForm::isSizePending() const
{
    return m_editTimer->isActive();
}

void QAdjustOperationForm::commitPendingSize()
{
    if (m_editTimer->isActive())
        wideTimer();
}

void QAdjustOperationForm::wideTimer()
{
    m_editTimer->stop();
    if (!m_settings)
        return;
    const QSize source = m_settings->videoSize();
    if (source.isEmpty())
        return;
    const QSize minimum = m_settings->minCropSize();
    VECropSettings crop = m_settings->crop();
    QVoLineEdit *edited = m_widthEdited ? m_leCropArea_W : m_leCropArea_H;
    QVoLineEdit *other = m_widthEdited ? m_leCropArea_H : m_leCropArea_W;
    const int editedLimit = m_widthEdited ? source.width() : source.height();
    const int otherLimit = m_widthEdited ? source.height() : source.width();
    const int editedMin = m_widthEdited ? minimum.width() : minimum.height();
    const int otherMin = m_widthEdited ? minimum.height() : minimum.width();
    // Raised to the smallest crop the preview accepts; a size beyond the
    // picture is cut to it, so the stored rectangle always lies inside.
    const int n = std::min(std::max(typedNumber(edited), editedMin), editedLimit);
    const int o = std::min(std::max(typedNumber(other), otherMin), otherLimit);
    const double fn = double(n) / editedLimit;
    const double fo = double(o) / otherLimit;
    VERect &rect = crop.cropRect;
    rect.width = m_widthEdited ? fn : fo;
    rect.height = m_widthEdited ? fo : fn;
    rect.x = std::clamp(rect.x, 0.0, 1.0 - rect.width);
    rect.y = std::clamp(rect.y, 0.0, 1.0 - rect.height);
    const bool panLive = &crop.liveRect() == &crop.panRect;
    if (panLive) {
        // The pan rectangle keeps its proportion, taken from the edited side.
        VERect &pan = crop.panRect;
        const double r = pan.height > 0 ? pan.width / pan.height : 1.0;
        if (m_widthEdited) {
            pan.width = fn;
            pan.height = std::min(1.0, fn / r);
        } else {
            pan.height = fn;
            pan.width = std::min(1.0, fn * r);
        }
        pan.x = std::clamp(pan.x, 0.0, 1.0 - pan.width);
        pan.y = std::clamp(pan.y, 0.0, 1.0 - pan.height);
        m_settings->setEditedDimension(m_widthEdited ? 1 : 2);
    }
    if (crop.aspectMode == OriginalResolution) {
        crop.aspectNum = std::max(2, previewgeometry::evenCropPixels(rect.width, source.width()));
        crop.aspectDen = std::max(2, previewgeometry::evenCropPixels(rect.height, source.height()));
    }
    m_settings->setCrop(crop);
    if (panLive) {
        showSize(crop.panRect);
    } else {
        edited->setText(QString::number(n));
        other->setText(QString::number(o));
    }
}

void QAdjustOperationForm::cropAreaChange(VECropSettings crop)
{
    if (!m_settings)
        return;
    showSize(crop.liveRect());
}

void QAdjustOperationForm::reset()
{
    if (!m_settings)
        return;
    m_editTimer->stop();
    setComboIndex(OriginalDisplay);
    m_settings->setCrop(VECropSettings());
    showSize(VECropSettings().cropRect);
}
