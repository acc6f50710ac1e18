#include "QWatermarkOperationForm.h"

#include "QImageButton.h"
#include "QVoBaseSlider.h"
#include "QVideoEditingSettings.h"
#include "QVoBaseButton.h"
#include "QVoBaseSlider.h"
#include "QVoLineEdit.h"
#include "QVoTextEdit.h"
#include "VoInfoManager.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

QWatermarkOperationForm::ImageChooser &imageChooser()
{
    static QWatermarkOperationForm::ImageChooser chooser;
    return chooser;
}

QLabel *caption(QWidget *parent, const QString &text, const QString &name)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setStyleSheet("color: rgb(246, 246, 246); font-family: Tahoma; font-size: 12px;");
    l->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return l;
}

QVoLineEdit *percentEdit(QWidget *parent, const QString &name)
{
    auto *e = new QVoLineEdit(parent);
    e->setObjectName(name);
    e->setFixedSize(40, 22);
    e->setBackgroundImage("/VEditSource/edit_background.png");
    // Digits only; a number above 100 is taken as 100.
    e->setValidator(new QRegularExpressionValidator(QRegularExpression("^[0-9]{0,4}$"), e));
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

QVoBaseSlider *makeAlphaSlider(QWidget *parent, const QString &name)
{
    auto *s = new QVoBaseSlider(parent);
    s->setObjectName(name);
    s->setFixedSize(110, 20);
    s->setTrackPicture("/VEditSource/slider_bottom.png");
    s->setFillPicture("/VEditSource/slider_top.png");
    s->setHandlePicture("/VEditSource/slider_image.png");
    s->setMargins(6, 6);
    s->setRange(0, 255);
    s->setValue(255);
    return s;
}

} // namespace

void QWatermarkOperationForm::setImageChooser(ImageChooser chooser)
{
    imageChooser() = std::move(chooser);
}

int QWatermarkOperationForm::alphaPercent(int alpha)
{
    return static_cast<int>(alpha / 2.55);
}

QWatermarkOperationForm::QWatermarkOperationForm(QVideoEditingSettings *settings, QWidget *parent)
    : QEditOperationForm(settings, true, parent)
{
    setObjectName("QWatermarkOperationForm");
    m_labCaption->hide();

    m_lblWatermarkImage = caption(this, tr("Image:"), "m_lblWatermarkImage");
    m_btnAddWKImg = new QImageButton(this);
    m_btnAddWKImg->setObjectName("m_btnAddWKImg");
    m_btnAddWKImg->setImage("/VEditSource/add_watermark_image.png", QSize(64, 64));
    m_btnAddWKImg->setToolTip(tr("Add Watermark Image"));
    m_imgPreview = new QLabel(m_btnAddWKImg);
    m_imgPreview->setObjectName("m_imgPreview");
    m_imgPreview->setGeometry(0, 0, 64, 64);
    m_imgPreview->setAlignment(Qt::AlignCenter);
    m_imgPreview->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_btnDelete = new QImageButton(this);
    m_btnDelete->setObjectName("m_btnDelete");
    m_btnDelete->setImage("/VEditSource/delete_watermark_image.png");
    m_btnDelete->setToolTip(tr("Delete"));
    m_btnDelete->hide();
    m_lblTransparency = caption(this, tr("Transparency:"), "m_lblTransparency");
    m_sliderAlpha = makeAlphaSlider(this, "m_sliderAlpha");
    m_leAlphaValue = percentEdit(this, "m_leAlphaValue");
    m_leAlphaValue->setText("100");

    m_lblWatermarkText = caption(this, tr("Text:"), "m_lblWatermarkText");
    m_leAddWKText = new QVoTextEdit(this);
    m_leAddWKText->setObjectName("m_leAddWKText");
    m_leAddWKText->setBackgroundImage("/VEditSource/edit_background.png");
    m_leAddWKText->setMargins(3, 2, 3, 2);
    m_leAddWKText->setFixedSize(180, 64);
    m_leAddWKText->textEdit()->setAcceptRichText(false);
    m_leAddWKText->textEdit()->setStyleSheet(
        "QTextEdit {background-color:transparent;border:none;color: rgb(246, 246, 246);"
        "font-family: Tahoma; font-size: 12px; selection-background-color: rgb(89, 104, 130);}");
    m_leAddWKText->textEdit()->setPlaceholderText(tr("Type the watermark text here"));
    m_btnSetWKTFont = new QVoBaseButton(this);
    m_btnSetWKTFont->setObjectName("m_btnSetWKTFont");
    m_btnSetWKTFont->setImage("/VEditSource/btn_common.png", true);
    m_btnSetWKTFont->setText(tr("Set Font"));
    m_btnSetWKTFont->setFixedSize(80, 26);
    m_lblTextTransparency = caption(this, tr("Transparency:"), "m_lblTextTransparency");
    m_sliderTextAlpha = makeAlphaSlider(this, "m_sliderTextAlpha");
    m_leTextAlphaValue = percentEdit(this, "m_leTextAlphaValue");
    m_leTextAlphaValue->setText("100");

    auto percentRow = [this](QVoBaseSlider *slider, QVoLineEdit *edit) {
        auto *row = new QHBoxLayout;
        row->setSpacing(4);
        row->addWidget(slider);
        row->addSpacing(6);
        row->addWidget(edit);
        row->addWidget(caption(this, QStringLiteral("%"), QString()));
        return row;
    };
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    // The picture on the left: its button, its bin, its transparency.
    row->addWidget(m_lblWatermarkImage, 0, Qt::AlignTop);
    row->addWidget(m_btnAddWKImg, 0, Qt::AlignTop);
    row->addWidget(m_btnDelete, 0, Qt::AlignTop);
    auto *imageAlpha = new QVBoxLayout;
    imageAlpha->setSpacing(6);
    imageAlpha->addWidget(m_lblTransparency);
    imageAlpha->addLayout(percentRow(m_sliderAlpha, m_leAlphaValue));
    imageAlpha->addStretch();
    row->addLayout(imageAlpha);
    row->addStretch(1);
    // The text on the right: its caption over the font button, the edit,
    // its transparency.
    auto *textCaption = new QVBoxLayout;
    textCaption->setSpacing(0);
    textCaption->addWidget(m_lblWatermarkText, 0, Qt::AlignLeft | Qt::AlignTop);
    textCaption->addStretch();
    textCaption->addWidget(m_btnSetWKTFont);
    row->addLayout(textCaption);
    row->addWidget(m_leAddWKText, 0, Qt::AlignTop);
    auto *textAlpha = new QVBoxLayout;
    textAlpha->setSpacing(6);
    textAlpha->addWidget(m_lblTextTransparency);
    textAlpha->addLayout(percentRow(m_sliderTextAlpha, m_leTextAlphaValue));
    textAlpha->addStretch();
    row->addLayout(textAlpha);
    static_cast<QVBoxLayout *>(layout())->insertLayout(1, row);

    m_leAlphaValue->installEventFilter(this);
    m_leTextAlphaValue->installEventFilter(this);
    connect(m_btnAddWKImg, &QImageButton::clicked, this, &QWatermarkOperationForm::onSetAddWKImg);
    connect(m_btnDelete, &QImageButton::clicked, this, &QWatermarkOperationForm::onDeleteImage);
    // Mouse and arrow keys alike; values set from the record are not the user's.
    connect(m_sliderAlpha, &QVoBaseSlider::valueChanged, this, [this](double v) {
        if (!m_loading)
            sliderMoved(false, v / 255.0);
    });
    connect(m_sliderTextAlpha, &QVoBaseSlider::valueChanged, this, [this](double v) {
        if (!m_loading)
            sliderMoved(true, v / 255.0);
    });
    connect(m_leAlphaValue, &QLineEdit::textEdited, this, &QWatermarkOperationForm::alphaTextEdited);
    connect(m_leTextAlphaValue, &QLineEdit::textEdited, this, &QWatermarkOperationForm::alphaTextEdited);
    connect(m_leAddWKText->textEdit(), &QTextEdit::textChanged, this, &QWatermarkOperationForm::wkTextEdited);
    connect(m_btnSetWKTFont, &QVoBaseButton::clicked, this, &QWatermarkOperationForm::emitWatermartTextSetting);
}

bool QWatermarkOperationForm::eventFilter(QObject *watched, QEvent *event)
{
    // Every keystroke is applied already; Enter must not reach the dialog,
    // which would take it for its default button.
    if ((watched == m_leAlphaValue || watched == m_leTextAlphaValue) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QEditOperationForm::eventFilter(watched, event);
}

void QWatermarkOperationForm::showPicture(const QString &path)
{
    QPixmap thumb;
    if (!path.isEmpty()) {
        VoInfoManager info;
        if (info.open(path, false, 0)) {
            const QImage cover = info.cover(50);
            if (!cover.isNull())
                thumb = QPixmap::fromImage(cover.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
    }
    m_imgPreview->setPixmap(thumb);
    m_btnDelete->setVisible(!path.isEmpty());
}

void QWatermarkOperationForm::loadingSetting()
{
    if (!m_settings)
        return;
    const VEWatermarkSettings w = m_settings->watermark();
    m_loading = true;
    m_sliderAlpha->setValue(w.imageAlpha);
    m_leAlphaValue->setText(QString::number(alphaPercent(w.imageAlpha)));
    m_sliderTextAlpha->setValue(w.textAlpha);
    m_leTextAlphaValue->setText(QString::number(alphaPercent(w.textAlpha)));
    {
        const QSignalBlocker quiet(m_leAddWKText->textEdit());
        m_leAddWKText->textEdit()->setPlainText(QString::fromStdString(w.text));
    }
    showPicture(QString::fromStdString(w.imagePath));
    m_loading = false;
}

void QWatermarkOperationForm::onSetAddWKImg()
{
    if (!m_settings)
        return;
    const QString title = tr("Open Image");
    const QString folder = QStringLiteral("/home");
    const QString filter = tr("Images (*.jpg *.jpeg *.png *.gif *.bmp *.webp *.heic)");
    emit emitOpenDlg(true);
    const QString file = imageChooser() ? imageChooser()(this, title, folder, filter)
                                        : QFileDialog::getOpenFileName(this, title, folder, filter);
    emit emitOpenDlg(false);
    if (file.isEmpty())
        return;
    VEWatermarkSettings w = m_settings->watermark();
    w.imagePath = file.toUtf8().toStdString();
    if (m_settings->isBoundToTrim()) {
        w.imageStartTime = m_settings->trimStartTime();
        w.imageEndTime = 0;
    }
    m_settings->setWatermark(w, 1, true);
    showPicture(file);
}

void QWatermarkOperationForm::onDeleteImage()
{
    if (!m_settings)
        return;
    VEWatermarkSettings w = m_settings->watermark();
    w.imagePath.clear();
    m_settings->setWatermark(w, 1, true);
    showPicture(QString());
}

void QWatermarkOperationForm::wkTextEdited()
{
    if (!m_settings || m_loading)
        return;
    VEWatermarkSettings w = m_settings->watermark();
    const std::string text = m_leAddWKText->textEdit()->toPlainText().toUtf8().toStdString();
    if (text != w.text) {
        w.text = text;
        if (m_settings->isBoundToTrim()) {
            w.textStartTime = m_settings->trimStartTime();
            w.textEndTime = 0;
        }
    }
    m_settings->setWatermark(w, 1, true);
}

void QWatermarkOperationForm::setAlpha(bool text, int alpha)
{
    VEWatermarkSettings w = m_settings->watermark();
    int &stored = text ? w.textAlpha : w.imageAlpha;
    if (stored == alpha)
        return;
    stored = alpha;
    m_settings->setWatermark(w, 0, false);
}

void QWatermarkOperationForm::progressValue(double value)
{
    sliderMoved(sender() == m_sliderTextAlpha, value);
}

void QWatermarkOperationForm::sliderMoved(bool text, double value)
{
    if (!m_settings)
        return;
    const int alpha = static_cast<int>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
    setAlpha(text, alpha);
    (text ? m_leTextAlphaValue : m_leAlphaValue)->setText(QString::number(alphaPercent(alpha)));
}

void QWatermarkOperationForm::alphaTextEdited(const QString &value)
{
    if (!m_settings)
        return;
    const bool text = sender() == m_leTextAlphaValue;
    QVoLineEdit *edit = text ? m_leTextAlphaValue : m_leAlphaValue;
    int n = value.toInt();
    if (n > 100) {
        n = 100;
        edit->setText(QStringLiteral("100"));
    }
    const int alpha = static_cast<int>(n * 2.55);
    setAlpha(text, alpha);
    m_loading = true;
    (text ? m_sliderTextAlpha : m_sliderAlpha)->setValue(alpha);
    m_loading = false;
}

void QWatermarkOperationForm::reset()
{
    if (!m_settings)
        return;
    m_settings->setWatermark(VEWatermarkSettings(), 1, false);
    emit emitReset();
    loadingSetting();
}
