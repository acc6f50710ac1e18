#include "CListItemWgt.h"

#include <QMouseEvent>
#include <QPainter>

CListItemWgt::CListItemWgt(QWidget *parent) : QWidget(parent) {}

void CListItemWgt::setState(int state)
{
    m_state = state;
    update();
}

QColor CListItemWgt::stateColor(int state) const
{
    switch (state) {
    case 1:
        return QColor(142, 117, 117);
    case 2:
        return QColor(122, 100, 100);
    default:
        return QColor(79, 59, 59);
    }
}

void CListItemWgt::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), stateColor(m_state));
}

void CListItemWgt::selectForMenu()
{
    if (m_state != 2) {
        setState(2);
        emit emitMousePress();
    }
}

void CListItemWgt::mousePressEvent(QMouseEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    const Qt::MouseButton button = event->button();
    if (mods == Qt::ShiftModifier) {
        if (button == Qt::LeftButton) {
            emit emitMouseShiftPress();
        } else if (button == Qt::RightButton) {
            selectForMenu();
            emit emitshowTreeMenu();
        }
        return;
    }
    if (mods == Qt::ControlModifier) {
        if (button == Qt::LeftButton) {
            m_state = m_state == 2 ? 0 : 2;
            emit emitMouseCtrlPress();
        } else if (button == Qt::RightButton) {
            selectForMenu();
            emit emitshowTreeMenu();
        }
        update();
        return;
    }
    if (button == Qt::LeftButton) {
        setState(2);
        emit emitMousePress();
    } else if (button == Qt::RightButton) {
        selectForMenu();
        emit emitshowTreeMenu();
    }
}

void CListItemWgt::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void CListItemWgt::enterEvent(QEvent *)
{
    if (m_state != 1 && m_state != 2)
        setState(1);
}

void CListItemWgt::leaveEvent(QEvent *)
{
    if (m_state == 1)
        setState(0);
}
