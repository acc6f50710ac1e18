#include "QAudioTagForm.h"

#include "QVideoEditingSettings.h"

#include <QLabel>

QAudioTagForm::QAudioTagForm(QVideoEditingSettings *settings, QWidget *parent) : QEditOperationForm(settings, false, parent)
{
    setObjectName("QAudioTagForm");
    m_labCaption->setText(tr("Title, artist, album and the other tags written into the output."));
}
