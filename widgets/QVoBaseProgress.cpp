#include "QVoBaseProgress.h"

#include "SkinImage.h"

#include <QPainter>
#include <QPainterPath>

QVoBaseProgress::QVoBaseProgress(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(230, 230, 230));
    pal.setColor(QPalette::Highlight, QColor(6, 176, 37));
    pal.setColor(QPalette::Base, Qt::transparent);
    pal.setColor(QPalette::AlternateBase, Qt::transparent);
    setPalette(pal);
}

bool QVoBaseProgress::setTrackPicture(const QString &path)
{
    const QPixmap picture = skin::load(path);
    if (picture.isNull())
        return false;
    m_track = picture;
    const QSize size = skin::logicalSize(picture);
    m_trackWidth = size.width();
    m_trackHeight = size.height();
    fitToTrack();
    update();
    return true;
}

bool QVoBaseProgress::setFillPicture(const QString &path)
{
    const QPixmap picture = skin::load(path);
    if (picture.isNull())
        return false;
    m_fill = picture;
    update();
    return true;
}

void QVoBaseProgress::setRoundedEnds(bool on)
{
    m_rounded = on;
    update();
}

void QVoBaseProgress::setEndRadius(int radius)
{
    m_endRadius = radius;
    update();
}

void QVoBaseProgress::storeMargins(int start, int end)
{
    if (start + end >= width())
        start = end = 0;
    m_startMargin = start;
    m_endMargin = end;
    update();
}

void QVoBaseProgress::setMargins(int start, int end) { storeMargins(start, end); }

int QVoBaseProgress::drawRadius() const
{
    if (!m_rounded)
        return 0;
    const int half = (m_track.isNull() ? height() : m_trackHeight) / 2;
    if (m_endRadius < 0)
        return half;
    return qMin(m_endRadius, half);
}

QRect QVoBaseProgress::barRect() const
{
    const int left = m_startMargin;
    const int right = width() - 1 - m_endMargin;
    if (m_track.isNull())
        return QRect(QPoint(left, 0), QPoint(right, height() - 1));
    const int top = (height() - m_trackHeight) / 2;
    return QRect(QPoint(left, top), QPoint(right, top + m_trackHeight - 1));
}

double QVoBaseProgress::fraction() const
{
    const double span = m_maximum - m_minimum;
    if (span <= 0)
        return 0;
    return qBound(0.0, (m_value - m_minimum) / span, 1.0);
}

int QVoBaseProgress::fillLength() const { return int(fraction() * barRect().width() + 0.5); }

void QVoBaseProgress::setRange(double min, double max)
{
    if (min > max)
        std::swap(min, max);
    m_minimum = min;
    m_maximum = max;
    m_value = qBound(m_minimum, m_value, m_maximum);
    update();
}

void QVoBaseProgress::setMinimum(double min) { setRange(min, m_maximum); }
void QVoBaseProgress::setMaximum(double max) { setRange(m_minimum, max); }

void QVoBaseProgress::setValue(double val)
{
    if (val == m_value)
        return;
    m_value = qBound(m_minimum, val, m_maximum);
    emit valueChanged(m_value);
    update();
}

void QVoBaseProgress::setValue(int val) { setValue(double(val)); }

void QVoBaseProgress::UpdateTime() {}

void QVoBaseProgress::fitToTrack()
{
    if (!m_track.isNull() && height() < m_trackHeight)
        resize(width(), m_trackHeight);
}

void QVoBaseProgress::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitToTrack();
}

void QVoBaseProgress::paintThreePart(QPainter &p, const QRect &target, const QPixmap &picture, int radius) const
{
    const QSize size = skin::logicalSize(picture);
    const qreal ratio = picture.devicePixelRatio();
    if (radius <= 0 || size.width() < 2 * radius) {
        p.drawPixmap(QRectF(target), picture, QRectF(picture.rect()));
        return;
    }
    const qreal r = radius * ratio;
    const int end = qMin(radius, target.width() / 2);
    const QRectF leftSource(0, 0, end * ratio, picture.height());
    const QRectF rightSource(picture.width() - end * ratio, 0, end * ratio, picture.height());
    p.drawPixmap(QRectF(target.left(), target.top(), end, target.height()), picture, leftSource);
    p.drawPixmap(QRectF(target.right() + 1 - end, target.top(), end, target.height()), picture, rightSource);
    const int middle = target.width() - 2 * end;
    if (middle > 0)
        p.drawPixmap(QRectF(target.left() + end, target.top(), middle, target.height()), picture,
                     QRectF(r, 0, picture.width() - 2 * r, picture.height()));
}

void QVoBaseProgress::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect bar = barRect();
    if (bar.width() <= 0)
        return;
    const int radius = drawRadius();
    if (!m_track.isNull()) {
        paintThreePart(p, bar, m_track, radius);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(palette().color(QPalette::Window));
        p.drawRoundedRect(bar, radius, radius);
    }
    const int length = fillLength();
    if (length <= 0)
        return;
    const QRect filled(bar.left(), bar.top(), length, bar.height());
    if (!m_fill.isNull()) {
        // A fill shorter than its two ends is the start of a full-length
        // fill, cut off, so its rounded start stays inside the track.
        if (length < 2 * radius) {
            p.save();
            p.setClipRect(filled);
            paintThreePart(p, QRect(bar.left(), bar.top(), 2 * radius, bar.height()), m_fill, radius);
            p.restore();
        } else {
            paintThreePart(p, filled, m_fill, radius);
        }
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(palette().color(QPalette::Highlight));
        if (length < 2 * radius) {
            QPainterPath clip;
            clip.addRoundedRect(bar, radius, radius);
            p.setClipPath(clip);
            p.drawRect(filled);
        } else {
            p.drawRoundedRect(filled, radius, radius);
        }
    }
}
