#pragma once
// Mouse input delivered the way the window system delivers it: a press goes
// to the widget under the pointer and bubbles up to the parents until one
// accepts it; moves and the release go to the widget that took the press.
#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace timelinetest {

class Mouse {
public:
    explicit Mouse(QWidget *root) : m_root(root) {}

    void press(QPoint p, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWidget *target = under(p);
        m_grab = target;
        m_held = button;
        send(target, QEvent::MouseButtonPress, p, button, button, mods);
    }
    void move(QPoint p)
    {
        QWidget *target = m_grab ? m_grab.data() : under(p);
        send(target, QEvent::MouseMove, p, Qt::NoButton, m_grab ? Qt::MouseButtons(m_held) : Qt::NoButton,
             Qt::NoModifier);
    }
    void release(QPoint p)
    {
        QWidget *target = m_grab ? m_grab.data() : under(p);
        send(target, QEvent::MouseButtonRelease, p, m_held, Qt::NoButton, Qt::NoModifier);
        m_grab = nullptr;
    }
    QWidget *grabber() const { return m_grab; }

private:
    QWidget *under(QPoint p) const
    {
        QWidget *child = m_root->childAt(p);
        return child ? child : m_root;
    }
    void send(QWidget *target, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers mods)
    {
        const QPoint global = m_root->mapToGlobal(p);
        QMouseEvent e(type, target->mapFromGlobal(global), global, button, buttons, mods);
        QApplication::sendEvent(target, &e);
    }

    QWidget *m_root;
    QPointer<QWidget> m_grab;
    Qt::MouseButton m_held = Qt::NoButton;
};

} // namespace timelinetest
