#include "QComboboxCheckbox.h"

#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

QComboboxCheckbox::QComboboxCheckbox(QWidget *parent)
    : QVoCheckBox(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void QComboboxCheckbox::setRadioLook(bool on)
{
    m_radioLook = on;
    update();
}

void QComboboxCheckbox::mousePressEvent(QMouseEvent *event)
{
    if (m_radioLook && event->button() == Qt::LeftButton) {
        event->accept();
        emit emitClick();
        return;
    }
    QVoCheckBox::mousePressEvent(event);
}

void QComboboxCheckbox::mouseReleaseEvent(QMouseEvent *event)
{
    // The press did not arm the box, so its release must not reach the
    // popup beneath (which would pick the row a second time).
    if (m_radioLook && event->button() == Qt::LeftButton) {
        event->accept();
        return;
    }
    QVoCheckBox::mouseReleaseEvent(event);
}

void QComboboxCheckbox::paintEvent(QPaintEvent *event)
{
    if (!m_radioLook || hasBoxPictures()) {
        QVoCheckBox::paintEvent(event);
        return;
    }
    // Without pictures the radio look is the style's radio indicator.
    QStylePainter p(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isChecked() ? QStyle::State_On : QStyle::State_Off;
    option.text = text();
    p.drawControl(QStyle::CE_RadioButton, option);
}
