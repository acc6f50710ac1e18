#include "QFontLookPanel.h"

#include "QVoBaseButton.h"
#include "QVoDoubleSpinBox.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace {

QFontLookPanel::FontChooser &fontChooser()
{
    static QFontLookPanel::FontChooser chooser;
    return chooser;
}

QFontLookPanel::ColorChooser &colorChooser()
{
    static QFontLookPanel::ColorChooser chooser;
    return chooser;
}

QLabel *caption(QWidget *parent, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setStyleSheet("color: rgb(246, 246, 246); font-family: Tahoma; font-size: 12px;");
    return l;
}

} // namespace

void FontLook::resetLook()
{
    const FontLook defaults;
    fontName.clear();
    fontColor = defaults.fontColor;
    outlineColor = defaults.outlineColor;
    shadowColor = defaults.shadowColor;
    outlineSize = defaults.outlineSize;
    shadowOffset = defaults.shadowOffset;
    spacingH = defaults.spacingH;
    spacingV = defaults.spacingV;
}

void QFontLookPanel::setFontChooser(FontChooser chooser)
{
    fontChooser() = std::move(chooser);
}

void QFontLookPanel::setColorChooser(ColorChooser chooser)
{
    colorChooser() = std::move(chooser);
}

QFontLookPanel::QFontLookPanel(const QString &fontToolTip, QWidget *parent) : QWidget(parent)
{
    qRegisterMetaType<FontLook>("FontLook");
    m_btnFont = new QVoBaseButton(this);
    m_btnFont->setObjectName("m_btnFont");
    m_btnFont->setImage("/VEditSource/edit_background.png", true);
    m_btnFont->setFixedSize(200, 24);
    m_btnFont->setToolTip(fontToolTip);
    m_btnTextColor = makeColorButton("m_btnTextColor");
    m_btnOutlineColor = makeColorButton("m_btnOutlineColor");
    m_btnShadowColor = makeColorButton("m_btnShadowColor");
    m_dspOutlineSize = makeSpinBox("m_dspOutlineSize", 0, 100);
    m_dspShadowOff = makeSpinBox("m_dspShadowOff", -100, 100);
    m_dspSpacingH = makeSpinBox("m_dspSpacingH", -100, 100);
    m_dspSpacingV = makeSpinBox("m_dspSpacingV", -100, 100);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
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

    connect(m_btnFont, &QVoBaseButton::clicked, this, &QFontLookPanel::onFont);
    for (QPushButton *b : {m_btnTextColor, m_btnOutlineColor, m_btnShadowColor})
        connect(b, &QPushButton::clicked, this, &QFontLookPanel::onColor);
    for (QVoDoubleSpinBox *s : {m_dspOutlineSize, m_dspShadowOff, m_dspSpacingH, m_dspSpacingV})
        connect(s, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &QFontLookPanel::valueChanged);
    setLook(m_look);
}

QPushButton *QFontLookPanel::makeColorButton(const char *name)
{
    auto *b = new QPushButton(this);
    b->setObjectName(QLatin1String(name));
    b->setFixedSize(60, 22);
    b->setIconSize(QSize(52, 14));
    b->setCursor(Qt::PointingHandCursor);
    b->setStyleSheet("QPushButton {border: 1px solid rgb(90, 90, 90); background: rgb(62, 63, 63);}"
                     "QPushButton:hover {border-color: rgb(160, 160, 160);}");
    b->setToolTip(tr("Choose a colour"));
    return b;
}

QVoDoubleSpinBox *QFontLookPanel::makeSpinBox(const char *name, double minimum, double maximum)
{
    auto *s = new QVoDoubleSpinBox(this);
    s->setObjectName(QLatin1String(name));
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

QPushButton *QFontLookPanel::colorButton(int row) const
{
    return row == OutlineColor ? m_btnOutlineColor : (row == ShadowColor ? m_btnShadowColor : m_btnTextColor);
}

void QFontLookPanel::showColor(QPushButton *button, uint32_t argb)
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

void QFontLookPanel::showFontName(const QString &family)
{
    m_btnFont->setText(family.isEmpty() ? tr("Default") : family);
    QFont font(family.isEmpty() ? QStringLiteral("Tahoma") : family);
    font.setPixelSize(12);
    m_btnFont->setFont(font);
}

void QFontLookPanel::setLook(const FontLook &look)
{
    m_look = look;
    m_loading = true;
    m_dspShadowOff->setValue(look.shadowOffset);
    m_dspOutlineSize->setValue(look.outlineSize);
    m_dspSpacingH->setValue(look.spacingH);
    m_dspSpacingV->setValue(look.spacingV);
    showColor(m_btnTextColor, look.fontColor);
    showColor(m_btnOutlineColor, look.outlineColor);
    showColor(m_btnShadowColor, look.shadowColor);
    showFontName(QString::fromStdString(look.fontName));
    m_loading = false;
}

void QFontLookPanel::onFont()
{
    QFont font(QString::fromStdString(m_look.fontName));
    font.setWeight(m_look.bold ? 75 : 50);
    font.setPointSize(std::max(1, m_look.fontSize));
    font.setItalic(m_look.italic != 0);
    font.setUnderline(m_look.underline != 0);
    font.setStrikeOut(m_look.strikeOut != 0);
    bool ok = false;
    if (fontChooser())
        ok = fontChooser()(font, window());
    else
        font = QFontDialog::getFont(&ok, font, window(), tr("Font"));
    if (!ok)
        return;
    m_look.fontName = font.family().toUtf8().toStdString();
    m_look.bold = font.weight() > 57 ? 1 : 0;
    if (font.pointSize() > 0)
        m_look.fontSize = font.pointSize();
    m_look.italic = font.italic() ? 1 : 0;
    m_look.underline = font.underline() ? 1 : 0;
    m_look.strikeOut = font.strikeOut() ? 1 : 0;
    showFontName(font.family());
    emit emitLookChanged(m_look);
}

void QFontLookPanel::onColor()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    if (!button)
        return;
    uint32_t &stored = button == m_btnTextColor ? m_look.fontColor
        : button == m_btnOutlineColor          ? m_look.outlineColor
                                               : m_look.shadowColor;
    QColor color = QColor::fromRgba(stored);
    bool ok = false;
    if (colorChooser()) {
        ok = colorChooser()(color, window());
    } else {
        color = QColorDialog::getColor(color, window(), tr("Select Color"),
                                       QColorDialog::ShowAlphaChannel | QColorDialog::DontUseNativeDialog);
        ok = color.isValid();
    }
    if (!ok || !color.isValid())
        return;
    stored = color.rgba();
    showColor(button, stored);
    emit emitLookChanged(m_look);
}

void QFontLookPanel::valueChanged(double value)
{
    if (m_loading)
        return;
    QObject *s = sender();
    double &stored = s == m_dspOutlineSize ? m_look.outlineSize
        : s == m_dspShadowOff              ? m_look.shadowOffset
        : s == m_dspSpacingH               ? m_look.spacingH
                                           : m_look.spacingV;
    if (std::fabs(value - stored) <= 0.01)
        return;
    stored = value;
    emit emitLookChanged(m_look);
}
