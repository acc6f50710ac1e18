#include "QNinePointsImageDialog.h"

#include "QImageButton.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace frametitle {
QRect effectiveRect(const QRect &r, int windowWidth)
{
    if (r.right() == r.left() - 1 || r.bottom() == r.top() - 1)
        return QRect(r.left(), r.top(), windowWidth, 20);
    return r;
}

void paint(QPainter &p, const QRect &rect, const QString &title, const QColor &color, int pixelSize, Qt::Alignment alignment)
{
    if (title.isEmpty())
        return;
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    p.setFont(font);
    p.setPen(color);
    p.drawText(rect, int(alignment), p.fontMetrics().elidedText(title, Qt::ElideRight, rect.width()));
}
} // namespace frametitle

QNinePointsImageDialog::QNinePointsImageDialog(QWidget *parent)
    : QDialog(parent)
    , m_frame(this)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

bool QNinePointsImageDialog::setBackgroundImage(const QString &path, bool resizable)
{
    m_background = skin::load(path);
    m_frame.setResizable(resizable);
    if (m_background.isNull())
        return false;
    const QSize size = skin::logicalSize(m_background);
    if (!m_cornersExplicit)
        m_corners = skin::NineCorners::thirds(size);
    if (!m_titleRectExplicit)
        m_titleRect = QRect(QPoint(10, 0), QPoint(9 + size.width(), 24));
    if (resizable) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(size);
    } else {
        setFixedSize(size);
    }
    update();
    return true;
}

void QNinePointsImageDialog::setCornerSizes(int ltw, int lth, int rtw, int rth, int lbw, int lbh, int rbw, int rbh)
{
    m_corners = skin::NineCorners{ltw, lth, rtw, rth, lbw, lbh, rbw, rbh};
    m_cornersExplicit = true;
    update();
}

bool QNinePointsImageDialog::setLogoImage(const QString &path)
{
    m_logo = skin::load(path);
    update();
    return !m_logo.isNull();
}

void QNinePointsImageDialog::setLogoRect(const QRect &rect)
{
    m_logoPos = rect.topLeft();
    update();
}

QRect QNinePointsImageDialog::logoRect() const { return QRect(m_logoPos, skin::logicalSize(m_logo)); }

void QNinePointsImageDialog::setTitleText(const QString &title)
{
    m_title = title;
    update();
}

void QNinePointsImageDialog::setTitleRect(const QRect &rect)
{
    m_titleRect = rect;
    m_titleRectExplicit = true;
    update();
}

void QNinePointsImageDialog::setTitleRect(int left, int top, int right, int bottom)
{
    setTitleRect(QRect(QPoint(left, top), QPoint(right, bottom)));
}

QRect QNinePointsImageDialog::titleRect() const { return frametitle::effectiveRect(m_titleRect, width()); }

void QNinePointsImageDialog::setTitleColor(const QColor &color)
{
    m_titleColor = color;
    update();
}

void QNinePointsImageDialog::setTitlePixelSize(int size)
{
    m_titlePixelSize = size;
    update();
}

bool QNinePointsImageDialog::setCloseButton(const QString &path, bool visible)
{
    if (!m_closeButton) {
        m_closeButton = new QImageButton(this);
        connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);
    }
    const bool ok = m_closeButton->setImage(path);
    m_closeButton->setVisible(visible);
    m_closeButton->move(width() - m_closeButton->width() - 8, 8);
    return ok;
}

void QNinePointsImageDialog::OnBtnMax()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    m_frame.toggleMaximized(screen ? screen->availableGeometry() : geometry());
}

void QNinePointsImageDialog::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    skin::drawNinePart(p, rect(), m_background, m_corners);
    if (!m_logo.isNull())
        p.drawPixmap(logoRect(), m_logo);
    frametitle::paint(p, titleRect(), m_title, m_titleColor, m_titlePixelSize);
}

void QNinePointsImageDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (m_closeButton)
        m_closeButton->move(width() - m_closeButton->width() - 8, 8);
}

void QNinePointsImageDialog::mousePressEvent(QMouseEvent *event)
{
    m_frame.mousePress(event);
    QDialog::mousePressEvent(event);
}

void QNinePointsImageDialog::mouseMoveEvent(QMouseEvent *event)
{
    m_frame.mouseMove(event);
    QDialog::mouseMoveEvent(event);
}

void QNinePointsImageDialog::mouseReleaseEvent(QMouseEvent *event)
{
    m_frame.mouseRelease(event);
    QDialog::mouseReleaseEvent(event);
}

void QNinePointsImageDialog::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_frame.isResizable())
        OnBtnMax();
    QDialog::mouseDoubleClickEvent(event);
}
