#pragma once
// The "Audio" tab: volume, background audio and sound effect.
#include "QEditOperationForm.h"

class QAudioOperationForm : public QEditOperationForm {
    Q_OBJECT
public:
    explicit QAudioOperationForm(QVideoEditingSettings *settings, QWidget *parent = nullptr);

protected slots:
    void onReset() override;
};
