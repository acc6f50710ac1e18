#include "QWatermarkOperationForm.h"

#include "QVideoEditingSettings.h"

#include <QLabel>

QWatermarkOperationForm::QWatermarkOperationForm(QVideoEditingSettings *settings, QWidget *parent) : QEditOperationForm(settings, true, parent)
{
    setObjectName("QWatermarkOperationForm");
    m_labCaption->setText(tr("A text or picture watermark. Drag the boxes on the right picture to place and size them."));
}

void QWatermarkOperationForm::onReset()
{
    m_settings->setWatermark(VEWatermarkSettings(), 1, true);
}
