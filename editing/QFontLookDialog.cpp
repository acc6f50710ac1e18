#include "QFontLookDialog.h"

#include "QImageButton.h"
#include "QVoBaseButton.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

QVoBaseButton *plateButton(QWidget *parent, const QString &text, const char *name)
{
    auto *b = new QVoBaseButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setImage("/VEditSource/btn_common.png", true);
    b->setText(text);
    b->setFixedSize(84, 26);
    return b;
}

} // namespace

QFontLookDialog::QFontLookDialog(const QString &fontToolTip, QWidget *parent) : QNinePointsImageDialog(parent)
{
    setBackgroundImage("/VEditSource/bg_3.png", true);
    setFixedSize(380, 372);
    setTitleText(tr("Font"));
    setTitleColor(QColor(228, 228, 228));
    setCloseButton("/VEditSource/btn_close.png");
    setFont(QFont("Tahoma"));
    setModal(true);

    m_panel = new QFontLookPanel(fontToolTip, this);
    m_btnReset = plateButton(this, tr("Reset"), "m_btnReset");
    m_btnOK = plateButton(this, tr("OK"), "m_btnOK");
    m_btnCancel = plateButton(this, tr("Cancel"), "m_btnCancel");
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_btnReset);
    buttons->addStretch();
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(20, 44, 20, 16);
    column->addWidget(m_panel);
    column->addStretch();
    column->addLayout(buttons);

    connect(m_panel, &QFontLookPanel::emitLookChanged, this, &QFontLookDialog::lookChanged);
    connect(m_btnReset, &QVoBaseButton::clicked, this, &QFontLookDialog::onReset);
    connect(m_btnOK, &QVoBaseButton::clicked, this, &QFontLookDialog::accept);
    connect(m_btnCancel, &QVoBaseButton::clicked, this, &QFontLookDialog::reject);
    if (closeButton())
        connect(closeButton(), &QImageButton::clicked, this, &QFontLookDialog::reject);
}

QVoBaseButton *QFontLookDialog::fontButton() const
{
    return m_panel->fontButton();
}

void QFontLookDialog::loadValues()
{
    if (hasStore())
        m_panel->setLook(storedLook());
}

void QFontLookDialog::lookChanged(const FontLook &look)
{
    if (hasStore())
        storeLook(look);
}

void QFontLookDialog::onReset()
{
    if (!hasStore())
        return;
    FontLook look = storedLook();
    look.resetLook();
    storeLook(look);
    loadValues();
}

void QFontLookDialog::done(int result)
{
    QNinePointsImageDialog::done(result);
    emit emitDlgClose();
}
