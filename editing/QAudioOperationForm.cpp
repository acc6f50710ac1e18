#include "QAudioOperationForm.h"

#include "QVideoEditingSettings.h"

#include <QLabel>

QAudioOperationForm::QAudioOperationForm(QVideoEditingSettings *settings, QWidget *parent) : QEditOperationForm(settings, true, parent)
{
    setObjectName("QAudioOperationForm");
    m_labCaption->setText(tr("Volume, background music and sound effects."));
}

void QAudioOperationForm::onReset()
{
    const VEEditConfig defaults;
    m_settings->setAudio(defaults.audio, true);
    m_settings->setSoundEffect(defaults.soundEffect);
}
