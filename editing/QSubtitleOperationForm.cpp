#include "QSubtitleOperationForm.h"

#include "QVideoEditingSettings.h"

#include <QLabel>

QSubtitleOperationForm::QSubtitleOperationForm(QVideoEditingSettings *settings, QWidget *parent) : QEditOperationForm(settings, true, parent)
{
    setObjectName("QSubtitleOperationForm");
    m_labCaption->setText(tr("Subtitles burned into the picture, their font, colour and position."));
}

void QSubtitleOperationForm::onReset()
{
    m_settings->setSubtitleStyle(VESubtitleStyle());
}
