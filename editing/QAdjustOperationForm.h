#pragma once
// The "Adjust" tab: crop, aspect, rotation and mirror of the picture.
#include "QEditOperationForm.h"

class QAdjustOperationForm : public QEditOperationForm {
    Q_OBJECT
public:
    explicit QAdjustOperationForm(QVideoEditingSettings *settings, QWidget *parent = nullptr);

protected slots:
    void onReset() override;
};
