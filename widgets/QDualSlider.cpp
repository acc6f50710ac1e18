#include "QDualSlider.h"

#include "QSliderCtrlBtn.h"
#include "SkinImage.h"

#include <QDebug>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

QDualSlider::QDualSlider(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    // Drawn over the parent, which shows through where nothing is painted.
    setAttribute(Qt::WA_NoSystemBackground);
}

void QDualSlider::connectHandle(QSliderCtrlBtn *btn)
{
    connect(btn, &QSliderCtrlBtn::mouseDown, this, &QDualSlider::btnMousePress);
    connect(btn, &QSliderCtrlBtn::mouseUp, this, &QDualSlider::btnMouseRelease);
}

void QDualSlider::resizeToImages()
{
    resize(sizeHint());
    setMinimumHeight(sizeHint().height());
    updateGeometry();
}

QSize QDualSlider::sizeHint() const
{
    return QSize(m_endW + m_trackW + m_w, std::max(m_trackH, 40));
}

void QDualSlider::setStartHandleImage(const QString &path, int yOffset)
{
    if (!m_startBtn) {
        m_startBtn = new QSliderCtrlBtn(this);
        connect(m_startBtn, &QSliderCtrlBtn::mouseMove, this, &QDualSlider::btnMouseMove);
        connectHandle(m_startBtn);
    }
    m_startBtn->setImage(path);
    m_startBtn->setHandleEnabled(m_enabled);
    m_w = m_startBtn->width();
    m_yOffset = yOffset;
    resizeToImages();
    m_handleY = (height() - m_startBtn->height()) / 2 + yOffset + 5;
    m_startBtn->move(int(m_s), m_handleY);
    m_startBtn->show();
}

void QDualSlider::setEndHandleImage(const QString &path)
{
    if (!m_endBtn) {
        m_endBtn = new QSliderCtrlBtn(this);
        connect(m_endBtn, &QSliderCtrlBtn::mouseMove, this, &QDualSlider::btnEndMouseMove);
        connectHandle(m_endBtn);
    }
    m_endBtn->setImage(path);
    m_endBtn->setHandleEnabled(m_enabled);
    m_endW = m_endBtn->width();
    resizeToImages();
    if (m_startBtn)
        m_handleY = (height() - m_startBtn->height()) / 2 + m_yOffset + 5;
    m_endBtn->move(width() - m_endW, m_handleY);
    m_e = float(width() - m_w - m_endW);
    m_endBtn->show();
}

void QDualSlider::setProgressHandleImage(const QString &path, int y)
{
    if (!m_proBtn) {
        m_proBtn = new QSliderCtrlBtn(this);
        connect(m_proBtn, &QSliderCtrlBtn::mouseMove, this, &QDualSlider::btnProMouseMove);
        connectHandle(m_proBtn);
    }
    m_proBtn->setImage(path);
    m_proBtn->setHandleEnabled(m_enabled);
    m_proW = m_proBtn->width();
    m_proY = y;
    m_p = 0;
    m_proBtn->move(m_w - m_proW / 2, m_proY);
    m_proBtn->show();
    m_proBtn->raise();
}

void QDualSlider::setTrackImage(const QString &path)
{
    m_track = skin::load(path);
    const QSize s = skin::logicalSize(m_track);
    m_trackW = s.width();
    m_trackH = s.height();
    update();
}

void QDualSlider::setRangeImage(const QString &path)
{
    m_range = skin::load(path);
    update();
}

void QDualSlider::setHandleAreaImage(const QString &path)
{
    m_area = skin::load(path);
    update();
}

void QDualSlider::setShowHandleArea(bool show)
{
    m_showArea = show;
    update();
}

void QDualSlider::setCapWidth(int width)
{
    m_cap = std::max(0, width);
    update();
}

void QDualSlider::setEnabled(bool enabled)
{
    m_enabled = enabled;
    for (QSliderCtrlBtn *b : {m_startBtn, m_endBtn, m_proBtn})
        if (b)
            b->setHandleEnabled(enabled);
    update();
}

float QDualSlider::trackLength() const
{
    return float(width() - 2 * m_w);
}

float QDualSlider::progressMax() const
{
    return float(width() - m_w - m_endW);
}

double QDualSlider::startFraction() const
{
    const float L = trackLength();
    return L > 0 ? m_s / L : 0.0;
}

double QDualSlider::endFraction() const
{
    const float L = trackLength();
    return L > 0 ? m_e / L : 0.0;
}

double QDualSlider::progressFraction() const
{
    const float L = trackLength();
    return L > 0 ? m_p / L : 0.0;
}

void QDualSlider::setHandleTooltips(const QString &start, const QString &end)
{
    m_startTip = start;
    m_endTip = end;
}

void QDualSlider::showTip(QSliderCtrlBtn *btn, const QString &tip)
{
    if (m_showValue && btn && !tip.isEmpty())
        QToolTip::showText(QCursor::pos(), tip, btn);
}

void QDualSlider::btnMouseMove(QMouseEvent *e, int o)
{
    if (!m_enabled || !m_startBtn)
        return;
    setFocus();
    const int m = e->globalPos().x();
    const int g = mapToGlobal(QPoint(0, 0)).x();
    const int x = m - o - g;
    const int d = m_endBtn ? m_endBtn->x() : width();
    int left;
    if (m - o < g + m_w / 2)
        left = 0;
    else if (x + m_w <= d)
        left = x;
    else
        left = d - m_w; // touching the end handle
    m_startBtn->move(left, m_handleY);
    m_s = float(left);
    const float L = trackLength();
    setProgressPercent(L > 0 ? m_s / L * 100.0 : 0.0, false);
    showTip(m_startBtn, m_startTip);
    emit sendProgressValue(startFraction());
    emit sendPlayProValue(progressFraction());
    update();
}

void QDualSlider::btnEndMouseMove(QMouseEvent *e, int o)
{
    if (!m_enabled || !m_endBtn)
        return;
    setFocus();
    const int m = e->globalPos().x();
    const int g = mapToGlobal(QPoint(0, 0)).x();
    const int x = m - o - g;
    const int W = width();
    const int r = (m_startBtn ? m_startBtn->x() + m_w - 1 : m_w - 1) + 1;
    const float L = trackLength();
    if (x > r && x + m_w < W) {
        m_endBtn->move(x, m_handleY);
        m_e = float(x - m_w - 1);
    } else if (x > r) {
        m_endBtn->move(W - m_w, m_handleY);
        m_e = L;
    } else {
        m_endBtn->move(r, m_handleY);
        m_e = float(r - m_w);
    }
    setProgressPercent(L > 0 ? m_e / L * 100.0 : 0.0, false);
    showTip(m_endBtn, m_endTip);
    emit sendEndProgressValue(endFraction());
    emit sendPlayProValue(progressFraction());
    update();
}

void QDualSlider::placeProgressAtMouse(int leftEdge)
{
    // The play-head's centre marks p; it is held between the track's ends
    // and is not limited by the start and end handles.
    const float pmax = progressMax();
    float p = float(leftEdge + m_proW / 2 - m_w);
    if (leftEdge < m_w - m_proW / 2) {
        leftEdge = m_w - m_proW / 2;
        p = 0;
    } else if (p > pmax) {
        leftEdge = width() - m_endW - m_proW / 2;
        p = pmax;
    }
    m_p = p;
    if (m_proBtn)
        m_proBtn->move(leftEdge, m_proY);
}

void QDualSlider::btnProMouseMove(QMouseEvent *e, int o)
{
    if (!m_enabled)
        return;
    const int m = e->globalPos().x();
    const int g = mapToGlobal(QPoint(0, 0)).x();
    placeProgressAtMouse(m - o - g);
    emit sendPlayProValue(progressFraction());
    update();
}

void QDualSlider::btnMousePress(QMouseEvent *, int)
{
    m_startPressedLast = sender() == m_startBtn;
    emit emitMousePress();
}

void QDualSlider::btnMouseRelease(QMouseEvent *, int)
{
    emit emitmouseRelease();
}

void QDualSlider::mousePressEvent(QMouseEvent *e)
{
    qDebug() << "dual slider: press at" << e->pos().x();
    emit emitMousePress();
    if (!m_enabled || e->button() != Qt::LeftButton)
        return;
    m_bodyPressed = true;
    placeProgressAtMouse(e->pos().x() - m_proW / 2);
    emit sendPlayProValue(progressFraction());
    update();
}

void QDualSlider::mouseMoveEvent(QMouseEvent *e)
{
    if (!m_enabled || !m_bodyPressed)
        return;
    placeProgressAtMouse(e->pos().x() - m_proW / 2);
    emit sendPlayProValue(progressFraction());
    update();
}

void QDualSlider::mouseReleaseEvent(QMouseEvent *)
{
    m_bodyPressed = false;
    if (m_startBtn)
        m_startBtn->setNormal();
    emit emitmouseRelease();
}

void QDualSlider::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Left)
        emit emitPreviousFrame();
    else if (e->key() == Qt::Key_Right)
        emit emitNextFrame();
    else
        QWidget::keyPressEvent(e);
}

void QDualSlider::setStartPercent(double v)
{
    const float L = trackLength();
    float s;
    if (v <= m_min)
        s = 0;
    else if (L > 0 && v < m_e / L * 100.0)
        s = float(v * L / 100.0);
    else
        s = m_e;
    s = std::min(s, m_e - 2);
    s = std::max(s, 0.0f);
    m_s = s;
    if (m_startBtn)
        m_startBtn->move(int(m_s), m_handleY);
    update();
}

void QDualSlider::setEndPercent(double v)
{
    const float L = trackLength();
    float e;
    if (v >= m_max)
        e = L;
    else if (L <= 0 || v <= m_s / L * 100.0)
        e = m_s;
    else
        e = float(v * L / 100.0);
    e = std::max(e, m_s + 2);
    e = std::min(e, L);
    m_e = e;
    if (m_endBtn)
        m_endBtn->move(m_w + int(m_e), m_handleY);
    update();
}

void QDualSlider::setProgressPercent(double v, bool report)
{
    const float pmax = progressMax();
    if (v >= m_max)
        m_p = pmax;
    else if (v <= m_min)
        m_p = 0;
    else
        m_p = float(v * pmax / 100.0);
    if (m_proBtn)
        m_proBtn->move(m_w + int(m_p) - m_proW / 2, m_proY);
    if (report)
        emit sendPlayProValue(progressFraction());
    update();
}

void QDualSlider::setValue(float Value)
{
    setProgressPercent(Value, false);
}

void QDualSlider::setShowValue(bool flag)
{
    m_showValue = flag;
}

void QDualSlider::setShowValue()
{
    m_showValue = true;
}

void QDualSlider::resizeEvent(QResizeEvent *)
{
    // The handles keep their places on the track; owners set the
    // percentages again after a resize.
    if (m_endBtn)
        m_endBtn->move(m_w + int(m_e), m_handleY);
    if (m_proBtn)
        m_proBtn->move(m_w + int(m_p) - m_proW / 2, m_proY);
}

void QDualSlider::drawSliced(QPainter &p, const QPixmap &pix, int x, int width)
{
    skin::drawThreePart(p, pix, x, width, height(), m_cap);
}

void QDualSlider::setMarks(const QVector<double> &fractions, const QColor &color)
{
    m_marks = fractions;
    m_markColor = color;
    update();
}

void QDualSlider::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_showArea && !m_area.isNull()) {
        const QSize s = skin::logicalSize(m_area);
        const qreal dpr = m_area.devicePixelRatio();
        const int y = (height() - s.height()) / 2;
        const int sx = m_startBtn ? m_startBtn->x() : 0;
        p.drawPixmap(QRect(sx, y, m_w, s.height()), m_area,
                     QRect(0, 0, int(m_w * dpr), int(s.height() * dpr)));
        p.drawPixmap(QRect(width() - m_endW, y, m_endW, s.height()), m_area,
                     QRect(int((s.width() - m_endW) * dpr), 0, int(m_endW * dpr), int(s.height() * dpr)));
    }
    drawSliced(p, m_track, m_w, width() - m_w - m_endW);
    // Without handles (a bar that only shows a range) the range is drawn
    // from the stored positions.
    const int from = m_startBtn ? m_startBtn->x() + m_w : m_w + int(m_s);
    const int to = m_endBtn ? m_endBtn->x() : m_w + int(m_e);
    drawSliced(p, m_range, from, to - from);
    if (!m_marks.isEmpty()) {
        const int top = (height() - m_trackH) / 2 - 3;
        const int bottom = top + m_trackH + 5;
        const float L = trackLength();
        p.setPen(m_markColor);
        for (double f : qAsConst(m_marks)) {
            if (f < 0 || f > 1)
                continue;
            const int x = m_w + int(f * L);
            p.drawLine(x, top, x, bottom);
        }
    }
}
