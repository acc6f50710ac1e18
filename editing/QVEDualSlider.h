#pragma once
// The editing dialog's own trim slider: the player panel's dual-handle
// slider with the editing dialog's pictures.
#include "QDualSlider.h"

class QVEDualSlider : public QDualSlider {
    Q_OBJECT
public:
    explicit QVEDualSlider(QWidget *parent = nullptr);
};
