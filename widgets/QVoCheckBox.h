#pragma once
// A check box drawn with box pictures; a plain check box until it has them.
#include "QVoBoxDraw.h"

#include <QCheckBox>

class QVoCheckBox : public QCheckBox, public QVoBoxDraw {
    Q_OBJECT
public:
    explicit QVoCheckBox(QWidget *parent = nullptr);
    explicit QVoCheckBox(const QString &text, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};
