#pragma once
// The "Tag" tab: the metadata tags written into the output.
#include "QEditOperationForm.h"

class QAudioTagForm : public QEditOperationForm {
    Q_OBJECT
public:
    explicit QAudioTagForm(QVideoEditingSettings *settings, QWidget *parent = nullptr);
};
