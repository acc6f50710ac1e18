#include "QAdjustOperationForm.h"

#include "QVideoEditingSettings.h"

#include <QLabel>

QAdjustOperationForm::QAdjustOperationForm(QVideoEditingSettings *settings, QWidget *parent) : QEditOperationForm(settings, true, parent)
{
    setObjectName("QAdjustOperationForm");
    m_labCaption->setText(tr("Crop, aspect, rotation and mirror of the picture. Drag the rectangle on the left picture to crop."));
}

void QAdjustOperationForm::onReset()
{
    m_settings->setCrop(VECropSettings());
}
