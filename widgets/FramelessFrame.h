#pragma once
// Moving, resizing and maximising of a window that has no system frame.
//
// Where the platform offers it, the window system itself moves or resizes
// the window (QWindow::startSystemMove/startSystemResize): on Wayland a
// client cannot place its own window, and on X11 the window manager then
// handles snapping and screen edges. Where it does not (offscreen, old
// window managers), the window follows the cursor by itself.
#include <QPoint>
#include <QRect>

class QMouseEvent;
class QWidget;

class FramelessFrame {
public:
    struct Zones {
        int leftRight = 4; // distance from the left/right edge for a horizontal resize
        int topBottom = 4; // distance from the top/bottom edge for a vertical resize
        int corner = 4;    // both distances for a diagonal resize
    };

    explicit FramelessFrame(QWidget *window);

    void setZones(const Zones &zones) { m_zones = zones; }
    void setDragHeight(int height) { m_dragHeight = height; }
    int dragHeight() const { return m_dragHeight; }
    void setMovable(bool on) { m_movable = on; }
    bool isMovable() const { return m_movable; }
    void setResizable(bool on) { m_resizable = on; }
    bool isResizable() const { return m_resizable; }
    // Restore the normal cursor when the button is released.
    void setRestoreCursorOnRelease(bool on) { m_restoreCursorOnRelease = on; }
    // Allow the window system to move and resize (tests switch it off to
    // exercise the fallback on every platform).
    void setUseSystemMove(bool on) { m_useSystemMove = on; }

    bool isMaximized() const { return m_maximized; }
    bool isPressed() const { return m_pressed; }
    Qt::Edges edges() const { return m_edges; }
    QRect restoreGeometry() const { return m_restore; }

    // Maximises to `area`, or returns to the geometry before; returns the
    // new maximised state.
    bool toggleMaximized(const QRect &area);

    // Edges of the window under a point in window coordinates.
    Qt::Edges edgesAt(const QPoint &pos) const;

    void mousePress(QMouseEvent *event);
    void mouseMove(QMouseEvent *event);
    void mouseRelease(QMouseEvent *event);

private:
    void resizeTo(const QPoint &globalPos);
    bool systemMove();
    bool systemResize(Qt::Edges edges);

    QWidget *m_window;
    Zones m_zones;
    int m_dragHeight = 100;
    bool m_movable = true;
    bool m_resizable = false;
    bool m_restoreCursorOnRelease = false;
    bool m_useSystemMove = true;
    bool m_maximized = false;
    QRect m_restore;

    bool m_pressed = false;
    QPoint m_pressOffset; // cursor minus the window's top-left, at the press
    QRect m_pressGeometry;
    Qt::Edges m_edges;
    int m_moveCounter = 0;
};
