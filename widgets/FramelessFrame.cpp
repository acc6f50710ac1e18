#include "FramelessFrame.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

FramelessFrame::FramelessFrame(QWidget *window)
    : m_window(window)
{
}

bool FramelessFrame::toggleMaximized(const QRect &area)
{
    if (!m_maximized) {
        m_restore = m_window->geometry();
        m_window->setGeometry(area);
        m_maximized = true;
    } else {
        m_window->setGeometry(m_restore);
        m_maximized = false;
    }
    return m_maximized;
}

Qt::Edges FramelessFrame::edgesAt(const QPoint &pos) const
{
    const int w = m_window->width(), h = m_window->height();
    const bool nearLeft = pos.x() < m_zones.corner, nearRight = pos.x() >= w - m_zones.corner;
    const bool nearTop = pos.y() < m_zones.corner, nearBottom = pos.y() >= h - m_zones.corner;
    if ((nearLeft || nearRight) && (nearTop || nearBottom))
        return Qt::Edges((nearLeft ? Qt::LeftEdge : Qt::RightEdge) | (nearTop ? Qt::TopEdge : Qt::BottomEdge));
    if (pos.x() < m_zones.leftRight)
        return Qt::LeftEdge;
    if (pos.x() >= w - m_zones.leftRight)
        return Qt::RightEdge;
    if (pos.y() < m_zones.topBottom)
        return Qt::TopEdge;
    if (pos.y() >= h - m_zones.topBottom)
        return Qt::BottomEdge;
    return {};
}

namespace {
Qt::CursorShape cursorFor(Qt::Edges e)
{
    if (e == (Qt::LeftEdge | Qt::TopEdge) || e == (Qt::RightEdge | Qt::BottomEdge))
        return Qt::SizeFDiagCursor;
    if (e == (Qt::RightEdge | Qt::TopEdge) || e == (Qt::LeftEdge | Qt::BottomEdge))
        return Qt::SizeBDiagCursor;
    if (e & (Qt::LeftEdge | Qt::RightEdge))
        return Qt::SizeHorCursor;
    if (e & (Qt::TopEdge | Qt::BottomEdge))
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

QRect availableArea(const QWidget *w)
{
    const QScreen *screen = w->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}
} // namespace

bool FramelessFrame::systemMove()
{
    QWindow *handle = m_useSystemMove ? m_window->windowHandle() : nullptr;
    return handle && handle->startSystemMove();
}

bool FramelessFrame::systemResize(Qt::Edges edges)
{
    QWindow *handle = m_useSystemMove ? m_window->windowHandle() : nullptr;
    return handle && handle->startSystemResize(edges);
}

void FramelessFrame::mousePress(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    m_pressOffset = event->globalPos() - m_window->pos();
    m_pressGeometry = m_window->geometry();
    m_moveCounter = 0;
    if (m_resizable && !m_maximized) {
        m_edges = edgesAt(event->pos());
        if (m_edges && systemResize(m_edges)) {
            // The window system owns the gesture now; its release may never
            // reach us.
            m_pressed = false;
            m_edges = {};
        }
    } else {
        m_edges = {};
    }
}

void FramelessFrame::mouseMove(QMouseEvent *event)
{
    if (!m_pressed) {
        if (!m_maximized && m_resizable) {
            m_edges = edgesAt(event->pos());
            m_window->setCursor(cursorFor(m_edges));
        }
        return;
    }
    if (!(event->buttons() & Qt::LeftButton)) {
        // The release went elsewhere (a system gesture, a pop-up).
        m_pressed = false;
        return;
    }
    if (m_edges) {
        // Resizing repaints the whole window; every second event is plenty.
        if (++m_moveCounter >= 4000)
            m_moveCounter = 0;
        if (m_moveCounter % 2 == 0)
            resizeTo(event->globalPos());
        return;
    }
    if (m_pressOffset.y() < m_dragHeight && m_movable && !m_maximized) {
        if (systemMove()) {
            m_pressed = false;
            return;
        }
        m_window->move(event->globalPos() - m_pressOffset);
    }
}

void FramelessFrame::resizeTo(const QPoint &global)
{
    QRect g = m_window->geometry();
    if (m_edges & Qt::LeftEdge)
        g.setLeft(global.x());
    if (m_edges & Qt::RightEdge)
        g.setRight(global.x());
    if (m_edges & Qt::TopEdge)
        g.setTop(global.y());
    if (m_edges & Qt::BottomEdge)
        g.setBottom(global.y());
    const QSize minimum = m_window->minimumSize();
    if (g.width() <= minimum.width() || g.height() <= minimum.height())
        return;
    if (g.width() > m_window->maximumWidth() || g.height() > m_window->maximumHeight())
        return;
    const QRect area = availableArea(m_window);
    if (area.isValid() && !area.contains(g))
        return;
    m_window->setGeometry(g);
}

void FramelessFrame::mouseRelease(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = false;
    m_edges = {};
    if (m_restoreCursorOnRelease)
        m_window->setCursor(Qt::ArrowCursor);
}
