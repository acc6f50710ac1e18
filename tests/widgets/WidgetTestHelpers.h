#pragma once
// Mouse traffic that QTest does not send on its own: enter/leave, and moves
// with a held button at an explicit screen position.
#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

namespace widgettest {

inline void enter(QWidget *w, const QPoint &pos = QPoint(1, 1))
{
    QEnterEvent e(pos, w->mapTo(w->window(), pos), w->mapToGlobal(pos));
    QApplication::sendEvent(w, &e);
}

inline void leave(QWidget *w)
{
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
}

// A mouse event at a position in w's coordinates whose screen position is
// given explicitly (windows move while they are dragged).
inline void mouse(QWidget *w, QEvent::Type type, const QPoint &local, const QPoint &global, Qt::MouseButton button,
                  Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(local), QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void press(QWidget *w, const QPoint &local)
{
    mouse(w, QEvent::MouseButtonPress, local, w->mapToGlobal(local), Qt::LeftButton, Qt::LeftButton);
}

inline void dragTo(QWidget *w, const QPoint &global)
{
    mouse(w, QEvent::MouseMove, w->mapFromGlobal(global), global, Qt::NoButton, Qt::LeftButton);
}

inline void release(QWidget *w, const QPoint &global)
{
    mouse(w, QEvent::MouseButtonRelease, w->mapFromGlobal(global), global, Qt::LeftButton, Qt::NoButton);
}

} // namespace widgettest
