#include "QVariableSizeWidget.h"

#include "QNinePointsImageDialog.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>

QVariableSizeWidget::QVariableSizeWidget(QWidget *parent)
    : QMainWindow(parent)
    , m_frame(this)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    m_frame.setZones({3, 6, 6});
    m_frame.setDragHeight(75);
    m_frame.setResizable(true);
    m_frame.setRestoreCursorOnRelease(true);
}

bool QVariableSizeWidget::setBackgroundImage(const QString &path)
{
    m_background = skin::load(path);
    if (m_background.isNull())
        return false;
    if (!m_cornersExplicit)
        m_corners = skin::NineCorners::thirds(skin::logicalSize(m_background));
    update();
    return true;
}

void QVariableSizeWidget::setCornerSizes(int ltw, int lth, int rtw, int rth, int lbw, int lbh, int rbw, int rbh)
{
    m_corners = skin::NineCorners{ltw, lth, rtw, rth, lbw, lbh, rbw, rbh};
    m_cornersExplicit = true;
    update();
}

bool QVariableSizeWidget::setLogoImage(const QString &path)
{
    m_logo = skin::load(path);
    update();
    return !m_logo.isNull();
}

void QVariableSizeWidget::setLogoRect(const QRect &rect)
{
    m_logoPos = rect.topLeft();
    update();
}

void QVariableSizeWidget::setLogoRect(int left, int top, int right, int bottom)
{
    setLogoRect(QRect(QPoint(left, top), QPoint(right, bottom)));
}

QRect QVariableSizeWidget::logoRect() const { return QRect(m_logoPos, skin::logicalSize(m_logo)); }

void QVariableSizeWidget::setTitleText(const QString &title)
{
    m_title = title;
    update();
}

void QVariableSizeWidget::setTitleRect(const QRect &rect)
{
    m_titleRect = rect;
    update();
}

void QVariableSizeWidget::setTitleRect(int left, int top, int right, int bottom)
{
    setTitleRect(QRect(QPoint(left, top), QPoint(right, bottom)));
}

QRect QVariableSizeWidget::titleRect() const { return frametitle::effectiveRect(m_titleRect, width()); }

void QVariableSizeWidget::setTitleColor(const QColor &color)
{
    m_titleColor = color;
    update();
}

void QVariableSizeWidget::OnBtnMax(int TransparentSize)
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    QRect area = screen ? screen->availableGeometry() : geometry();
    // The shadow border of the background lies beyond the screen's edges, so
    // the visible window fills the screen exactly.
    const int half = TransparentSize / 2;
    area.adjust(-half, -half, half, half);
    if (!m_frame.toggleMaximized(area))
        emit emitRestoreDlg();
}

void QVariableSizeWidget::OnBtnMax() { OnBtnMax(m_transparentSize); }

void QVariableSizeWidget::startCloseAnimation()
{
    if (m_closing)
        return;
    m_closing = true;
    setMinimumSize(0, 0);
    const QRect from = geometry();
    const QRect to(from.left(), from.top() + from.height() / 2, from.width(), 1);
    auto *animation = new QPropertyAnimation(this, "geometry", this);
    animation->setDuration(150);
    animation->setStartValue(from);
    animation->setEndValue(to);
    connect(animation, &QPropertyAnimation::finished, this, [this] {
        m_closing = false;
        close();
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void QVariableSizeWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    skin::drawNinePart(p, rect(), m_background, m_corners);
    if (!m_logo.isNull())
        p.drawPixmap(logoRect(), m_logo);
    frametitle::paint(p, titleRect(), m_title, m_titleColor, 12);
}

void QVariableSizeWidget::mousePressEvent(QMouseEvent *event)
{
    m_frame.mousePress(event);
    QMainWindow::mousePressEvent(event);
}

void QVariableSizeWidget::mouseMoveEvent(QMouseEvent *event)
{
    m_frame.mouseMove(event);
    QMainWindow::mouseMoveEvent(event);
}

void QVariableSizeWidget::mouseReleaseEvent(QMouseEvent *event)
{
    m_frame.mouseRelease(event);
    QMainWindow::mouseReleaseEvent(event);
}

void QVariableSizeWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && event->pos().y() < 76)
        OnBtnMax();
    QMainWindow::mouseDoubleClickEvent(event);
}
