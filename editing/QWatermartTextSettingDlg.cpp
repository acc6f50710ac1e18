#include "QWatermartTextSettingDlg.h"

#include "QImageButton.h"
#include "QVideoEditingSettings.h"
#include "QVoBaseButton.h"
#include "QVoDoubleSpinBox.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace {

QWatermartTextSettingDlg::FontChooser &fontChooser()
{
    static QWatermartTextSettingDlg::FontChooser chooser;
    return chooser;
}

QWatermartTextSettingDlg::ColorChooser &colorChooser()
{
    static QWatermartTextSettingDlg::ColorChooser chooser;
    return chooser;
}

constexpr uint32_t kFontColor = 0xffffffffu;
constexpr uint32_t kOutlineColor = 0xff000000u;
constexpr uint32_t kShadowColor = 0x80000000u;
constexpr double kOutlineSize = 1.0;
constexpr double kShadowOffset = 0.5;
constexpr double kSpacing = 0.05;

QLabel *caption(QWidget *parent, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setStyleSheet("color: rgb(246, 246, 246); font-family: Tahoma; font-size: 12px;");
    return l;
}

QVoBaseButton *plateButton(QWidget *parent, const QString &text, const QString &name)
{
    auto *b = new QVoBaseButton(parent);
    b->setObjectName(name);
    b->setImage("/VEditSource/btn_common.png", true);
    b->setText(text);
    b->setFixedSize(84, 26);
    return b;
}

} // namespace

void QWatermartTextSettingDlg::setFontChooser(FontChooser chooser)
{
    fontChooser() = std::move(chooser);
}

void QWatermartTextSettingDlg::setColorChooser(ColorChooser chooser)
{
    colorChooser() = std::move(chooser);
}

QWatermartTextSettingDlg::QWatermartTextSettingDlg(QWidget *parent) : QNinePointsImageDialog(parent)
{
    setObjectName("QWatermartTextSettingDlg");
    setBackgroundImage("/VEditSource/bg_3.png", true);
    setFixedSize(380, 372);
    setTitleText(tr("Font"));
    setTitleColor(QColor(228, 228, 228));
    setCloseButton("/VEditSource/btn_close.png");
    setFont(QFont("Tahoma"));
    setModal(true);

    m_btnFont = new QVoBaseButton(this);
    m_btnFont->setObjectName("m_btnFont");
    m_btnFont->setImage("/VEditSource/edit_background.png", true);
    m_btnFont->setFixedSize(200, 24);
    m_btnFont->setToolTip(tr("Choose the font of the watermark text"));
    m_btnTextColor = colorButton("m_btnTextColor");
    m_btnOutlineColor = colorButton("m_btnOutlineColor");
    m_btnShadowColor = colorButton("m_btnShadowColor");
    m_dspOutlineSize = spinBox("m_dspOutlineSize", 0, 100);
    m_dspShadowOff = spinBox("m_dspShadowOff", -100, 100);
    m_dspSpacingH = spinBox("m_dspSpacingH", -100, 100);
    m_dspSpacingV = spinBox("m_dspSpacingV", -100, 100);
    m_btnReset = plateButton(this, tr("Reset"), "m_btnReset");
    m_btnOK = plateButton(this, tr("OK"), "m_btnOK");
    m_btnCancel = plateButton(this, tr("Cancel"), "m_btnCancel");

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(10);
    const QList<QPair<QString, QWidget *>> rows{
        {tr("Font Name:"), m_btnFont},           {tr("Font Color:"), m_btnTextColor},
        {tr("Outline Color:"), m_btnOutlineColor}, {tr("Outline Size:"), m_dspOutlineSize},
        {tr("Shadow Color:"), m_btnShadowColor}, {tr("Shadow Offset:"), m_dspShadowOff},
        {tr("Horizontal Spacing:"), m_dspSpacingH}, {tr("Vertical Spacing:"), m_dspSpacingV}};
    for (int i = 0; i < rows.size(); ++i) {
        grid->addWidget(caption(this, rows[i].first), i, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(rows[i].second, i, 1, Qt::AlignLeft | Qt::AlignVCenter);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_btnReset);
    buttons->addStretch();
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(20, 44, 20, 16);
    column->addLayout(grid);
    column->addStretch();
    column->addLayout(buttons);

    connect(m_btnFont, &QVoBaseButton::clicked, this, &QWatermartTextSettingDlg::onFont);
    for (QPushButton *b : {m_btnTextColor, m_btnOutlineColor, m_btnShadowColor})
        connect(b, &QPushButton::clicked, this, &QWatermartTextSettingDlg::onColor);
    for (QVoDoubleSpinBox *s : {m_dspOutlineSize, m_dspShadowOff, m_dspSpacingH, m_dspSpacingV})
        connect(s, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
                &QWatermartTextSettingDlg::valueChanged);
    connect(m_btnReset, &QVoBaseButton::clicked, this, &QWatermartTextSettingDlg::onReset);
    // Every change is already written: all three only close.
    connect(m_btnOK, &QVoBaseButton::clicked, this, &QWatermartTextSettingDlg::accept);
    connect(m_btnCancel, &QVoBaseButton::clicked, this, &QWatermartTextSettingDlg::reject);
    if (closeButton())
        connect(closeButton(), &QImageButton::clicked, this, &QWatermartTextSettingDlg::reject);
}

QPushButton *QWatermartTextSettingDlg::colorButton(const QString &name)
{
    auto *b = new QPushButton(this);
    b->setObjectName(name);
    b->setFixedSize(60, 22);
    b->setIconSize(QSize(52, 14));
    b->setCursor(Qt::PointingHandCursor);
    b->setStyleSheet("QPushButton {border: 1px solid rgb(90, 90, 90); background: rgb(62, 63, 63);}"
                     "QPushButton:hover {border-color: rgb(160, 160, 160);}");
    b->setToolTip(tr("Choose a colour"));
    return b;
}

QVoDoubleSpinBox *QWatermartTextSettingDlg::spinBox(const QString &name, double minimum, double maximum)
{
    auto *s = new QVoDoubleSpinBox(this);
    s->setObjectName(name);
    s->setFixedSize(78, 22);
    s->setDecimals(2);
    s->setSingleStep(0.1);
    s->setRange(minimum, maximum);
    s->setBackgroundImage("/VEditSource/spinBox_bg.png");
    s->setStyleSheet(s->styleSheet() + "QDoubleSpinBox {color: rgb(246, 246, 246); font-family: Tahoma;"
                                       " font-size: 12px; selection-background-color: rgb(89, 104, 130);}");
    s->setButtonImages("/VEditSource/spinBox_up.png", "/VEditSource/spinBox_down.png");
    s->setButtonMargins(0, 2, 0);
    return s;
}

void QWatermartTextSettingDlg::setSettings(QVideoEditingSettings *settings)
{
    m_settings = settings;
}

void QWatermartTextSettingDlg::showColor(QPushButton *button, uint32_t argb)
{
    // The swatch lies on a chequer so that its transparency shows.
    QPixmap swatch(button->iconSize());
    QPainter p(&swatch);
    for (int y = 0; y < swatch.height(); y += 4)
        for (int x = 0; x < swatch.width(); x += 4)
            p.fillRect(x, y, 4, 4, ((x + y) / 4) % 2 ? QColor(200, 200, 200) : QColor(255, 255, 255));
    p.fillRect(swatch.rect(), QColor::fromRgba(argb));
    p.end();
    button->setIcon(QIcon(swatch));
    button->setProperty("argb", QVariant::fromValue(argb));
}

void QWatermartTextSettingDlg::showFontName(const QString &family)
{
    m_btnFont->setText(family.isEmpty() ? tr("Default") : family);
    QFont font(family.isEmpty() ? QStringLiteral("Tahoma") : family);
    font.setPixelSize(12);
    m_btnFont->setFont(font);
}

void QWatermartTextSettingDlg::loadValues()
{
    if (!m_settings)
        return;
    const VEWatermarkSettings w = m_settings->watermark();
    m_loading = true;
    m_dspShadowOff->setValue(w.shadowOffset);
    m_dspOutlineSize->setValue(w.outlineSize);
    m_dspSpacingH->setValue(w.spacingH);
    m_dspSpacingV->setValue(w.spacingV);
    showColor(m_btnTextColor, w.fontColor);
    showColor(m_btnOutlineColor, w.outlineColor);
    showColor(m_btnShadowColor, w.shadowColor);
    showFontName(QString::fromStdString(w.fontName));
    m_loading = false;
}

void QWatermartTextSettingDlg::showEvent(QShowEvent *event)
{
    loadValues();
    QNinePointsImageDialog::showEvent(event);
}

void QWatermartTextSettingDlg::done(int result)
{
    QNinePointsImageDialog::done(result);
    emit emitDlgClose();
}

void QWatermartTextSettingDlg::onFont()
{
    if (!m_settings)
        return;
    VEWatermarkSettings w = m_settings->watermark();
    QFont font(QString::fromStdString(w.fontName));
    font.setWeight(w.bold ? 75 : 50);
    font.setPointSize(std::max(1, w.fontSize));
    font.setItalic(w.italic != 0);
    font.setUnderline(w.underline != 0);
    font.setStrikeOut(w.strikeOut != 0);
    bool ok = false;
    if (fontChooser()) {
        ok = fontChooser()(font, this);
    } else {
        font = QFontDialog::getFont(&ok, font, this, tr("Font"));
    }
    if (!ok)
        return;
    w.fontName = font.family().toUtf8().toStdString();
    w.bold = font.weight() > 57 ? 1 : 0;
    if (font.pointSize() > 0)
        w.fontSize = font.pointSize();
    w.italic = font.italic() ? 1 : 0;
    w.underline = font.underline() ? 1 : 0;
    w.strikeOut = font.strikeOut() ? 1 : 0;
    m_settings->setWatermark(w, 1, false);
    showFontName(font.family());
}

void QWatermartTextSettingDlg::onColor()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    if (!m_settings || !button)
        return;
    VEWatermarkSettings w = m_settings->watermark();
    uint32_t &stored = button == m_btnTextColor ? w.fontColor
        : button == m_btnOutlineColor          ? w.outlineColor
                                               : w.shadowColor;
    QColor color = QColor::fromRgba(stored);
    bool ok = false;
    if (colorChooser()) {
        ok = colorChooser()(color, this);
    } else {
        const QColor chosen = QColorDialog::getColor(color, this, tr("Select Color"),
                                                     QColorDialog::ShowAlphaChannel
                                                         | QColorDialog::DontUseNativeDialog);
        ok = chosen.isValid();
        color = chosen;
    }
    if (!ok || !color.isValid())
        return;
    stored = color.rgba();
    m_settings->setWatermark(w, 1, false);
    showColor(button, stored);
}

void QWatermartTextSettingDlg::valueChanged(double value)
{
    if (!m_settings || m_loading)
        return;
    VEWatermarkSettings w = m_settings->watermark();
    QObject *s = sender();
    double &stored = s == m_dspOutlineSize ? w.outlineSize
        : s == m_dspShadowOff              ? w.shadowOffset
        : s == m_dspSpacingH               ? w.spacingH
                                           : w.spacingV;
    if (std::fabs(value - stored) <= 0.01)
        return;
    stored = value;
    m_settings->setWatermark(w, 1, false);
}

void QWatermartTextSettingDlg::onReset()
{
    if (!m_settings)
        return;
    // Size and style stay: only the look returns to its defaults.
    VEWatermarkSettings w = m_settings->watermark();
    w.shadowOffset = kShadowOffset;
    w.outlineSize = kOutlineSize;
    w.spacingH = kSpacing;
    w.spacingV = kSpacing;
    w.fontColor = kFontColor;
    w.shadowColor = kShadowColor;
    w.outlineColor = kOutlineColor;
    w.fontName.clear();
    m_settings->setWatermark(w, 1, false);
    loadValues();
}
