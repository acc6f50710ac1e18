#include "QEffectOperationForm.h"

#include "QVideoEditingSettings.h"

#include <QLabel>

QEffectOperationForm::QEffectOperationForm(QVideoEditingSettings *settings, QWidget *parent) : QEditOperationForm(settings, true, parent)
{
    setObjectName("QEffectOperationForm");
    m_labCaption->setText(tr("Brightness, contrast, saturation and hue, video effects and frames."));
}

void QEffectOperationForm::onReset()
{
    m_settings->setPicture(VEPictureAdjust());
    const VEEditConfig defaults;
    m_settings->setEffectOverlay(defaults.effectOverlay);
    m_settings->setFrameOverlay(defaults.frameOverlay);
}
