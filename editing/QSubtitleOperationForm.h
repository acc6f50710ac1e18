#pragma once
// The "Subtitle" tab: subtitle choice, look and placement.
#include "QEditOperationForm.h"

class QSubtitleOperationForm : public QEditOperationForm {
    Q_OBJECT
public:
    explicit QSubtitleOperationForm(QVideoEditingSettings *settings, QWidget *parent = nullptr);

protected slots:
    void onReset() override;
};
