#include "QSubtitleSettingDlg.h"

#include "QImageButton.h"
#include "QVideoEditingSettings.h"
#include "QVoBaseButton.h"
#include "QVoDoubleSpinBox.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QLabel>
#include <QPainter>

#include <cmath>

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 250;

QLabel *caption(QWidget *parent, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: rgb(246, 246, 246); font-family: Tahoma; font-size: 12px;"));
    label->setGeometry(x, y, 120, 22);
    return label;
}

QVoDoubleSpinBox *spin(QWidget *parent, const char *name, double min, double max, int x, int y)
{
    auto *box = new QVoDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setBackgroundImage(QStringLiteral("/VEditSource/spinBox_bg.png"));
    box->setButtonImages(QStringLiteral("/VEditSource/spinBox_up.png"), QStringLiteral("/VEditSource/spinBox_down.png"));
    box->setRange(min, max);
    box->setSingleStep(0.1);
    box->setDecimals(2);
    box->setStyleSheet(QStringLiteral("QDoubleSpinBox { color: rgb(246, 246, 246); background: transparent; border: none;"
                                      " font-family: Tahoma; font-size: 12px;"
                                      " selection-background-color: rgb(89, 104, 130); }"));
    box->setGeometry(x, y, 78, 22);
    return box;
}

QVoBaseButton *plateButton(QWidget *parent, const char *name, const QString &text)
{
    auto *button = new QVoBaseButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setImage(QStringLiteral("/VEditSource/btn_common.png"), true);
    button->setText(text);
    return button;
}

} // namespace

QSubtitleSettingDlg::QSubtitleSettingDlg(QWidget *parent) : QNinePointsImageDialog(parent)
{
    setObjectName("QSubtitleSettingDlg");
    setBackgroundImage(QStringLiteral("/VEditSource/bg_3.png"), true);
    setFixedSize(kWidth, kHeight);
    setTitleText(tr("Font"));
    setTitleColor(QColor(228, 228, 228));
    setCloseButton(QStringLiteral("/VEditSource/btn_close.png"));
    setFont(QFont(QStringLiteral("Tahoma")));
    setModal(true);

    const int left = 20, right = 220, top = 44, step = 34;
    caption(this, tr("Font Name:"), left, top);
    m_btnFont = plateButton(this, "m_btnFont", tr("Default"));
    m_btnFont->setGeometry(left + 100, top - 2, 290, 26);
    caption(this, tr("Font Color:"), left, top + step);
    m_btnTextColor = plateButton(this, "m_btnTextColor", QString());
    m_btnTextColor->setGeometry(left + 100, top + step, 60, 22);
    caption(this, tr("Outline Color:"), right, top + step);
    m_btnOutlineColor = plateButton(this, "m_btnOutlineColor", QString());
    m_btnOutlineColor->setGeometry(right + 110, top + step, 60, 22);
    caption(this, tr("Outline Size:"), left, top + 2 * step);
    m_dspOutlineSize = spin(this, "m_dspOutlineSize", 0, 100, left + 100, top + 2 * step);
    caption(this, tr("Shadow Color:"), right, top + 2 * step);
    m_btnShadowColor = plateButton(this, "m_btnShadowColor", QString());
    m_btnShadowColor->setGeometry(right + 110, top + 2 * step, 60, 22);
    caption(this, tr("Shadow Offset:"), left, top + 3 * step);
    m_dspShadowOff = spin(this, "m_dspShadowOff", -100, 100, left + 100, top + 3 * step);
    caption(this, tr("Horizontal Spacing:"), right, top + 3 * step);
    m_dspSpacingH = spin(this, "m_dspSpacingH", -100, 100, right + 110, top + 3 * step);
    caption(this, tr("Vertical Spacing:"), left, top + 4 * step);
    m_dspSpacingV = spin(this, "m_dspSpacingV", -100, 100, left + 100, top + 4 * step);

    m_btnReset = plateButton(this, "m_btnReset", tr("Reset"));
    m_btnReset->setGeometry(left, kHeight - 40, 64, 28);
    m_btnOk = plateButton(this, "m_btnOk", tr("OK"));
    m_btnOk->setGeometry(kWidth - 20 - 64 - 8 - 64, kHeight - 40, 64, 28);
    m_btnCancel = plateButton(this, "m_btnCancel", tr("Cancel"));
    m_btnCancel->setGeometry(kWidth - 20 - 64, kHeight - 40, 64, 28);

    connect(m_btnFont, &QVoBaseButton::clicked, this, &QSubtitleSettingDlg::onFont);
    for (QVoBaseButton *b : {m_btnTextColor, m_btnOutlineColor, m_btnShadowColor})
        connect(b, &QVoBaseButton::clicked, this, &QSubtitleSettingDlg::onColor);
    for (QVoDoubleSpinBox *b : {m_dspOutlineSize, m_dspShadowOff, m_dspSpacingH, m_dspSpacingV})
        connect(b, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &QSubtitleSettingDlg::valueChanged);
    connect(m_btnReset, &QVoBaseButton::clicked, this, &QSubtitleSettingDlg::onReset);
    connect(m_btnOk, &QVoBaseButton::clicked, this, &QSubtitleSettingDlg::accept);
    connect(m_btnCancel, &QVoBaseButton::clicked, this, &QSubtitleSettingDlg::reject);
    if (closeButton())
        connect(closeButton(), &QImageButton::clicked, this, &QSubtitleSettingDlg::reject);
}

void QSubtitleSettingDlg::setSettings(QVideoEditingSettings *settings)
{
    m_settings = settings;
    if (m_settings)
        m_opened = m_settings->subtitleStyle();
    loadControls();
}

QVoBaseButton *QSubtitleSettingDlg::colorButton(int which) const
{
    return which == 1 ? m_btnOutlineColor : (which == 2 ? m_btnShadowColor : m_btnTextColor);
}

void QSubtitleSettingDlg::loadControls()
{
    if (!m_settings)
        return;
    m_loading = true;
    const VESubtitleStyle s = m_settings->subtitleStyle();
    m_dspOutlineSize->setValue(s.outlineSize);
    m_dspShadowOff->setValue(s.shadowOffset);
    m_dspSpacingH->setValue(s.spacingH);
    m_dspSpacingV->setValue(s.spacingV);
    showColor(m_btnTextColor, s.fontColor);
    showColor(m_btnOutlineColor, s.outlineColor);
    showColor(m_btnShadowColor, s.shadowColor);
    const QString family = QString::fromStdString(s.fontName);
    m_btnFont->setText(family.isEmpty() ? tr("Default") : family);
    QFont font(family.isEmpty() ? QStringLiteral("Tahoma") : family);
    font.setPixelSize(12);
    m_btnFont->setFont(font);
    m_loading = false;
}

void QSubtitleSettingDlg::showColor(QVoBaseButton *button, uint32_t argb)
{
    // A swatch on a chequer, so that a transparent colour shows as one.
    QPixmap swatch(40, 14);
    QPainter p(&swatch);
    for (int x = 0; x < 40; x += 7)
        for (int y = 0; y < 14; y += 7)
            p.fillRect(x, y, 7, 7, ((x + y) / 7) % 2 ? QColor(200, 200, 200) : QColor(255, 255, 255));
    p.fillRect(swatch.rect(), QColor::fromRgba(argb));
    p.end();
    button->setIcon(QIcon(swatch));
    button->setIconSize(swatch.size());
    button->setProperty("argb", QVariant::fromValue(argb));
}

void QSubtitleSettingDlg::write(const VESubtitleStyle &style)
{
    if (m_settings)
        m_settings->setSubtitleStyle(style);
}

void QSubtitleSettingDlg::onFont()
{
    if (!m_settings)
        return;
    VESubtitleStyle s = m_settings->subtitleStyle();
    QFont initial(QString::fromStdString(s.fontName));
    initial.setWeight(s.bold ? 75 : 50);
    initial.setPointSize(std::max(1, s.fontSize));
    initial.setItalic(s.italic != 0);
    initial.setUnderline(s.underline != 0);
    initial.setStrikeOut(s.strikeOut != 0);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, this, tr("Font"));
    if (!ok)
        return;
    s.fontName = chosen.family().toUtf8().toStdString();
    s.bold = chosen.weight() > 57 ? 1 : 0;
    s.fontSize = chosen.pointSize() > 0 ? chosen.pointSize() : s.fontSize;
    s.italic = chosen.italic() ? 1 : 0;
    s.underline = chosen.underline() ? 1 : 0;
    s.strikeOut = chosen.strikeOut() ? 1 : 0;
    write(s);
    loadControls();
}

void QSubtitleSettingDlg::onColor()
{
    auto *button = qobject_cast<QVoBaseButton *>(sender());
    if (!m_settings || !button)
        return;
    VESubtitleStyle s = m_settings->subtitleStyle();
    uint32_t &field = button == m_btnOutlineColor ? s.outlineColor
                                                  : (button == m_btnShadowColor ? s.shadowColor : s.fontColor);
    const QColor chosen = QColorDialog::getColor(QColor::fromRgba(field), this, QString(),
                                                 QColorDialog::ShowAlphaChannel | QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return;
    field = chosen.rgba();
    write(s);
    showColor(button, field);
}

void QSubtitleSettingDlg::valueChanged(double value)
{
    if (m_loading || !m_settings)
        return;
    VESubtitleStyle s = m_settings->subtitleStyle();
    const QObject *from = sender();
    double &field = from == m_dspOutlineSize ? s.outlineSize
        : from == m_dspShadowOff            ? s.shadowOffset
        : from == m_dspSpacingH             ? s.spacingH
                                            : s.spacingV;
    if (std::abs(value - field) <= 0.01)
        return;
    field = value;
    write(s);
}

void QSubtitleSettingDlg::onReset()
{
    if (!m_settings)
        return;
    VESubtitleStyle s = m_settings->subtitleStyle();
    // Size and weight of the font are the user's, not part of the look reset here.
    s.shadowOffset = 0.5;
    s.outlineSize = 1.0;
    s.spacingH = 0.05;
    s.spacingV = 0.05;
    s.fontColor = 0xffffffff;
    s.shadowColor = 0x80000000;
    s.outlineColor = 0xff000000;
    s.fontName.clear();
    write(s);
    loadControls();
}

void QSubtitleSettingDlg::reject()
{
    if (m_settings && m_settings->subtitleStyle() != m_opened)
        write(m_opened);
    QNinePointsImageDialog::reject();
}

void QSubtitleSettingDlg::done(int result)
{
    QNinePointsImageDialog::done(result);
    emit emitDlgClose();
}
