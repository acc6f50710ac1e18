#pragma once
// The "Effect" tab: picture adjustment, effect and frame overlays.
#include "QEditOperationForm.h"

class QEffectOperationForm : public QEditOperationForm {
    Q_OBJECT
public:
    explicit QEffectOperationForm(QVideoEditingSettings *settings, QWidget *parent = nullptr);

protected slots:
    void onReset() override;
};
