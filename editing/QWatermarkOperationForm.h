#pragma once
// The "Watermark" tab: the user's text and picture watermark.
#include "QEditOperationForm.h"

class QWatermarkOperationForm : public QEditOperationForm {
    Q_OBJECT
public:
    explicit QWatermarkOperationForm(QVideoEditingSettings *settings, QWidget *parent = nullptr);

protected slots:
    void onReset() override;
};
