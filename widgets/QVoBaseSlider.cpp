#include "QVoBaseSlider.h"

#include "ImageState.h"
#include "QVoBaseButton.h"

#include <QKeyEvent>
#include <QMouseEvent>

QVoBaseSlider::QVoBaseSlider(QWidget *parent)
    : QVoBaseProgress(parent)
{
    // Arrow keys move the value, so the slider must be reachable by Tab.
    setFocusPolicy(Qt::StrongFocus);
}

void QVoBaseSlider::setHandlePicture(const QString &path)
{
    delete m_handle;
    m_handle = new QVoBaseButton(this);
    m_handle->setFocusPolicy(Qt::NoFocus);
    connect(m_handle, &QVoBaseButton::mouseMove, this, &QVoBaseSlider::btnMouseMove);
    connect(m_handle, &QVoBaseButton::mouseDown, this, &QVoBaseSlider::btnMouseDown);
    connect(m_handle, &QVoBaseButton::mouseRelease, this, &QVoBaseSlider::btnMouseRelease);
    if (!m_handle->setImage(path))
        m_handle->setFixedSize(10, height());
    m_handle->move(0, 0);
    m_handle->show();
    setMargins(m_requestedStart, m_requestedEnd);
    update();
}

void QVoBaseSlider::setMargins(int start, int end)
{
    m_requestedStart = start;
    m_requestedEnd = end;
    if (m_handle) {
        // The handle may not hang over the ends.
        if (start < m_handle->height() / 2)
            start = m_handle->width() / 2;
        if (end < m_handle->height() / 2)
            end = m_handle->width() / 2;
    }
    storeMargins(start, end);
}

void QVoBaseSlider::setHandleOffset(int offset)
{
    m_handleOffset = offset;
    placeHandle();
}

void QVoBaseSlider::setValue(double val) { QVoBaseProgress::setValue(val); }
void QVoBaseSlider::setValue(int val) { QVoBaseProgress::setValue(double(val)); }

void QVoBaseSlider::placeHandle()
{
    if (!m_handle)
        return;
    const int centre = int(startMargin() + fraction() * trackLength() - 1);
    m_handle->move(centre - m_handle->width() / 2, (height() - m_handle->height()) / 2 + m_handleOffset);
}

void QVoBaseSlider::moveTo(int x)
{
    const int length = trackLength();
    if (!m_clickable || length == 0)
        return;
    const int position = qBound(0, x - startMargin(), length);
    const double span = maximum() - minimum();
    const double v = minimum() + span * position / length;
    if (v == value())
        return;
    QVoBaseProgress::setValue(v);
    if (span > 0)
        emit sendProgressValue((value() - minimum()) / span);
}

void QVoBaseSlider::stepBy(double step)
{
    QVoBaseProgress::setValue(qBound(minimum(), value() + step, maximum()));
}

void QVoBaseSlider::btnMouseMove(QMouseEvent *e, int) { moveTo(mapFromGlobal(e->globalPos()).x()); }

void QVoBaseSlider::btnMouseDown(QMouseEvent *e, int) { emit sendPressEvent(e); }

void QVoBaseSlider::btnMouseRelease(QMouseEvent *e, int) { emit sendReleseEvent(e); }

void QVoBaseSlider::paintEvent(QPaintEvent *event)
{
    QVoBaseProgress::paintEvent(event);
    placeHandle();
}

void QVoBaseSlider::resizeEvent(QResizeEvent *event)
{
    QVoBaseProgress::resizeEvent(event);
    placeHandle();
}

void QVoBaseSlider::mousePressEvent(QMouseEvent *event)
{
    const int x = event->pos().x();
    if (event->button() != Qt::LeftButton || x < startMargin() || x > width() - endMargin()) {
        QVoBaseProgress::mousePressEvent(event);
        return;
    }
    emit sendPressEvent(event);
    moveTo(x);
}

void QVoBaseSlider::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        moveTo(event->pos().x());
    QVoBaseProgress::mouseMoveEvent(event);
}

void QVoBaseSlider::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit sendReleseEvent(event);
    QVoBaseProgress::mouseReleaseEvent(event);
}

void QVoBaseSlider::keyPressEvent(QKeyEvent *event)
{
    const double step = (maximum() - minimum()) / 100;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down: stepBy(-step); break;
    case Qt::Key_Right:
    case Qt::Key_Up: stepBy(step); break;
    case Qt::Key_PageDown: stepBy(-10 * step); break;
    case Qt::Key_PageUp: stepBy(10 * step); break;
    case Qt::Key_Home: stepBy(minimum() - value()); break;
    case Qt::Key_End: stepBy(maximum() - value()); break;
    default: QVoBaseProgress::keyPressEvent(event); return;
    }
    event->accept();
}

// A focused slider lights its handle, so keyboard users see where the arrow
// keys will act.
void QVoBaseSlider::focusInEvent(QFocusEvent *event)
{
    if (m_handle && m_handle->isEnabled() && m_handle->drawState() == imagestate::Normal) {
        m_handle->setDrawState(imagestate::Hover);
        m_handle->update();
    }
    QVoBaseProgress::focusInEvent(event);
}

void QVoBaseSlider::focusOutEvent(QFocusEvent *event)
{
    if (m_handle && m_handle->drawState() == imagestate::Hover && !m_handle->underMouse()) {
        m_handle->setDrawState(imagestate::Normal);
        m_handle->update();
    }
    QVoBaseProgress::focusOutEvent(event);
}
