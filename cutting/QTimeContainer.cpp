#include "QTimeContainer.h"

#include "QTimeItem.h"

#include <QMouseEvent>
#include <QPainter>

QTimeContainer::QTimeContainer(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    m_pressTimer = new QTimer;
    m_pressTimer->setInterval(100);
    connect(m_pressTimer, &QTimer::timeout, this, &QTimeContainer::pressTimer);
}

QTimeContainer::~QTimeContainer()
{
    qDeleteAll(m_items);
    m_items.clear();
    delete m_pressTimer;
}

int QTimeContainer::nearest(double pixels) const
{
    return int(pixels + 0.5);
}

TimeItemInfo QTimeContainer::newSegmentInfo() const
{
    if (m_items.isEmpty())
        return TimeItemInfo{0.0f, 1.0f, 1.0f, 0.0f, 1.0f};
    const float e = m_items.last()->info().endPos;
    return TimeItemInfo{e, 1.0f, 1.0f - e, e, 1.0f};
}

bool QTimeContainer::hasRoomAtEnd() const
{
    return m_items.isEmpty() || width() - m_items.last()->rightEdge() >= 3;
}

TimeItemInfo QTimeContainer::currentInfo() const
{
    return m_current ? m_current->info() : TimeItemInfo{};
}

void QTimeContainer::addTrimTime(const TimeItemInfo &info)
{
    for (QTimeItem *item : qAsConst(m_items))
        item->setState(0);
    auto *box = new QTimeItem(this);
    box->setState(2);
    box->setInfo(info);
    connect(box, &QTimeItem::emitMousePress, this, &QTimeContainer::itemMousePress);
    connect(box, &QTimeItem::emitShowTreeMenu, this, &QTimeContainer::itemShowTreeMenu);
    connect(box, &QTimeItem::emitEditLabel, this, [this, box] {
        const int index = m_items.indexOf(box);
        if (index >= 0)
            emit emitEditLabel(index);
    });
    const int W = width();
    int w = 0;
    int left = 0;
    if (m_items.isEmpty()) {
        w = info.length == 1.0f ? W : nearest(double(info.length) * W);
        left = int(double(info.startPos) * W);
    } else {
        w = info.endPos == 1.0f ? nearest(W - double(info.startPos) * W) : nearest(double(info.length) * W);
        left = nearest(double(info.startPos) * W);
    }
    // A box no wider than nothing could never be seen or grabbed.
    box->setGeometry(left, 0, qMax(w, 1), height());
    box->show();
    m_items.append(box);
    m_current = box;
    m_currentIndex = m_items.size() - 1;
    update();
}

void QTimeContainer::appendAtEnd()
{
    if (!hasRoomAtEnd())
        return;
    TimeItemInfo info = newSegmentInfo();
    if (!m_items.isEmpty()) {
        // The pixel column after the last box, so that the two never share one.
        const float start = float(m_items.last()->rightEdge() + 1) / float(qMax(width(), 1));
        info = TimeItemInfo{start, 1.0f, 1.0f - start, start, 1.0f};
    }
    addTrimTime(info);
    updateBounds(m_currentIndex);
}

void QTimeContainer::layoutItem(int index)
{
    QTimeItem *box = m_items.at(index);
    const TimeItemInfo info = box->info();
    const int W = width();
    const bool last = index == m_items.size() - 1;
    const int limit = last ? W : m_items.at(index + 1)->x();
    int left = nearest(double(info.startPos) * W);
    // Both edges from their own fractions: rounding start and length apart
    // could push a box one column into its neighbour.
    int w = nearest(double(info.endPos) * W) - left;
    if (left + w > limit)
        w = limit - left;
    if (w < 3) {
        w = 3;
        if (limit < double(info.startPos) * W + 3.5)
            left = limit - 3;
    }
    box->setGeometry(qMax(left, 0), 0, w, height());
}

void QTimeContainer::timeItemInfoChange(TimeItemInfo info, int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    m_items.at(index)->setInfo(info);
    layoutItem(index);
    update();
}

void QTimeContainer::setCurrentTimeItemInfoChange(TimeItemInfo info)
{
    if (!m_current)
        return;
    timeItemInfoChange(info, m_currentIndex);
}

void QTimeContainer::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // From the right, so that a narrow box can lean on its placed neighbour.
    for (int i = m_items.size() - 1; i >= 0; --i)
        layoutItem(i);
}

void QTimeContainer::updateBounds(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    const float W = float(width());
    TimeItemInfo info = m_items.at(index)->info();
    if (W <= 0) {
        info.minStart = 0;
        info.maxEnd = 1.0f;
    } else {
        info.minStart = index == 0 ? 0.0f : float(m_items.at(index - 1)->rightEdge() + 1) / W;
        info.maxEnd = index == m_items.size() - 1 ? 1.0f : float(m_items.at(index + 1)->x()) / W;
    }
    m_items.at(index)->setInfo(info);
}

void QTimeContainer::makeCurrent(int index)
{
    for (int i = 0; i < m_items.size(); ++i)
        m_items.at(i)->setState(i == index ? 2 : 0);
    m_currentIndex = index;
    m_current = m_items.at(index);
    updateBounds(index);
}

void QTimeContainer::selectIndex(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    if (m_items.at(index) != m_current)
        makeCurrent(index);
    else
        updateBounds(index);
}

void QTimeContainer::itemMousePress()
{
    auto *box = qobject_cast<QTimeItem *>(sender());
    if (!box || box == m_current)
        return;
    const int index = m_items.indexOf(box);
    if (index < 0)
        return;
    makeCurrent(index);
    emit emitTimeItemInfoChange(m_current->info(), m_currentIndex, true);
}

void QTimeContainer::itemShowTreeMenu()
{
}

void QTimeContainer::nextItem()
{
    if (m_items.size() < 2 || !m_current)
        return;
    makeCurrent((m_currentIndex + 1) % m_items.size());
    emit emitTimeItemInfoChange(m_current->info(), m_currentIndex, true);
}

void QTimeContainer::previousItem()
{
    if (m_items.size() < 2 || !m_current)
        return;
    makeCurrent((m_currentIndex + m_items.size() - 1) % m_items.size());
    emit emitTimeItemInfoChange(m_current->info(), m_currentIndex, true);
}

void QTimeContainer::stopDrag()
{
    m_pressTimer->stop();
    m_dragMode = DragNone;
    unsetCursor();
}

void QTimeContainer::deleteCurrent()
{
    if (!m_current)
        return;
    stopDrag();
    const int index = m_currentIndex;
    if (m_items.size() == 1) {
        clear();
        emit emitDeleteFile(index);
        return;
    }
    const int neighbour = index == 0 ? 0 : index - 1; // index after the removal
    QTimeItem *gone = m_items.takeAt(index);
    m_current = nullptr;
    m_currentIndex = -1;
    delete gone;
    emit emitDeleteFile(index);
    makeCurrent(neighbour);
    update();
    emit emitTimeItemInfoChange(m_current->info(), m_currentIndex, true);
}

void QTimeContainer::clearSegments()
{
    stopDrag();
    qDeleteAll(m_items);
    m_items.clear();
    m_current = nullptr;
    m_currentIndex = -1;
    update();
}

void QTimeContainer::clear()
{
    clearSegments();
    m_strip = QImage();
    m_slotWidth = 0;
    m_nextSlotX = 0;
    m_waveform.clear();
    update();
}

void QTimeContainer::setWaveform(const QVector<quint8> &peaks, int rate, uint64_t duration_us)
{
    m_waveform.set(peaks, rate, duration_us);
    update();
}

void QTimeContainer::prepareThumbnails(int slotCount)
{
    m_slotCount = slotCount;
    m_slotWidth = slotCount > 0 ? width() / slotCount : 0;
    m_nextSlotX = 0;
    if (width() > 0) {
        m_strip = QImage(width(), 120, QImage::Format_ARGB32);
        m_strip.fill(Qt::transparent);
    } else {
        m_strip = QImage();
    }
    update();
}

void QTimeContainer::addThumbnail(const QImage &image)
{
    if (m_slotWidth <= 0 || m_strip.isNull() || image.isNull())
        return;
    const int w = image.width();
    const int h = image.height();
    QRect cut;
    if (qint64(w) * 120 >= qint64(m_slotWidth) * h) {
        const int cw = m_slotWidth * h / 120;
        cut = QRect((w - cw) / 2, 0, cw, h);
    } else {
        const int ch = w * 120 / m_slotWidth;
        cut = QRect(0, (h - ch) / 2, w, ch);
    }
    QPainter p(&m_strip);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(m_nextSlotX, 0, m_slotWidth, 120), image, cut);
    p.end();
    m_nextSlotX += m_slotWidth;
    update();
}

void QTimeContainer::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int W = width();
    const int H = height();
    p.fillRect(rect(), QColor(51, 51, 51));
    // With an outline the strip moves up and the outline fills the rest.
    const int stripTop = m_waveform.isEmpty() ? (H - 120) / 2 : 2;
    if (!m_strip.isNull()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(0, stripTop, W, 120), m_strip);
    }
    m_waveform.paint(p, QRect(0, stripTop + 122, W, H - stripTop - 124));
    if (m_items.isEmpty())
        return;
    const QColor shade(0, 0, 0, 204);
    int from = 0;
    for (const QTimeItem *box : m_items) {
        if (box->x() > from)
            p.fillRect(QRect(from, 0, box->x() - from, H), shade);
        from = box->rightEdge();
    }
    if (W - 1 >= from)
        p.fillRect(QRect(from, 0, W - from, H), shade);
}

QRect QTimeContainer::innerArea(const QTimeItem *item) const
{
    const int margin = item->width() > 3 ? 2 : 1;
    return QRect(item->x() + margin, item->y(), item->width() - 2 * margin, item->height());
}

bool QTimeContainer::verticallyInside(const QTimeItem *item, const QPoint &pos) const
{
    return item->y() < pos.y() && pos.y() < item->y() + item->height() - 1;
}

bool QTimeContainer::nearLeftEdge(const QTimeItem *item, const QPoint &pos) const
{
    const int d = pos.x() - item->x();
    return d >= 0 && d <= 2 && verticallyInside(item, pos);
}

bool QTimeContainer::nearRightEdge(const QTimeItem *item, const QPoint &pos) const
{
    const int d = item->rightEdge() - pos.x();
    return d >= 0 && d <= 2 && verticallyInside(item, pos);
}

void QTimeContainer::takePressRecord(const QPoint &pos)
{
    m_press.point = pos;
    m_press.left = m_current->x();
    m_press.top = m_current->y();
    m_press.width = m_current->width();
    m_press.height = m_current->height();
    const int last = m_items.size() - 1;
    m_press.leftLimit = m_currentIndex == 0 ? 0 : m_items.at(m_currentIndex - 1)->rightEdge() + 1;
    m_press.rightLimit = m_currentIndex == last ? width() : m_items.at(m_currentIndex + 1)->x();
    // The bounds reported during the drag are the limits it obeys, even if
    // a neighbour was moved from outside since the box was selected.
    updateBounds(m_currentIndex);
}

void QTimeContainer::applyHoverCursor(const QPoint &pos)
{
    if (!m_current)
        return;
    const QRect box = m_current->geometry();
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (innerArea(m_current).contains(pos))
        shape = Qt::ArrowCursor;
    else if (m_current->width() >= 1 && m_current->width() <= 4 && box.contains(pos))
        shape = Qt::SizeHorCursor;
    else if (nearLeftEdge(m_current, pos) || nearRightEdge(m_current, pos))
        shape = Qt::SizeHorCursor;
    setCursor(shape);
}

void QTimeContainer::mainMousePressEvent(QMouseEvent *event)
{
    const QPoint pos = mapFromGlobal(event->globalPos());
    m_lastPointer = pos;
    if (!m_current)
        return;
    bool overBox = false;
    for (const QTimeItem *box : qAsConst(m_items))
        overBox = overBox || box->geometry().contains(pos);
    if (!overBox) {
        setCursor(Qt::ArrowCursor);
        return;
    }
    if (innerArea(m_current).contains(pos)) {
        m_pressTimer->start(100);
        return;
    }
    const int w = m_current->width();
    if (w >= 1 && w <= 4 && m_current->geometry().contains(pos)) {
        m_dragMode = DragNarrow;
    } else if (w > 4) {
        if (nearLeftEdge(m_current, pos)) {
            m_dragMode = DragLeftEdge;
            setCursor(Qt::SizeHorCursor);
        } else if (nearRightEdge(m_current, pos)) {
            m_dragMode = DragRightEdge;
            setCursor(Qt::SizeHorCursor);
        } else {
            setCursor(Qt::ArrowCursor);
            m_dragMode = DragNone;
        }
    }
    if (m_dragMode != DragNone)
        takePressRecord(pos);
}

void QTimeContainer::pressTimer()
{
    m_pressTimer->stop();
    if (!m_current)
        return;
    m_dragMode = DragMove;
    setCursor(Qt::SizeAllCursor);
    takePressRecord(m_lastPointer);
}

void QTimeContainer::dragLeftEdge(int dx)
{
    const int right = m_press.left + m_press.width; // one past the right edge, kept
    int left = m_press.left + dx;
    int w = 0;
    if (left < m_press.leftLimit) {
        left = m_press.leftLimit;
        w = right - left;
    } else {
        w = m_press.width - dx;
        if (w <= 2) {
            w = 3;
            left = right - 3;
            // A box already narrower than 3 columns hemmed in on its left
            // cannot widen into the neighbour.
            if (left < m_press.leftLimit) {
                left = m_press.leftLimit;
                w = right - left;
            }
        }
    }
    m_current->setGeometry(left, m_current->y(), w, m_current->height());
}

void QTimeContainer::dragRightEdge(int dx)
{
    int w = m_press.width + dx;
    if (m_press.left + w > m_press.rightLimit)
        w = m_press.rightLimit - m_press.left;
    else
        w = qMax(w, 3);
    m_current->setGeometry(m_press.left, m_current->y(), w, m_current->height());
}

void QTimeContainer::reportCurrentGeometry(bool flag)
{
    const float W = float(qMax(width(), 1));
    TimeItemInfo info = m_current->info();
    info.startPos = float(m_current->x()) / W;
    info.endPos = float(m_current->rightEdge() + 1) / W;
    info.length = float(m_current->width()) / W;
    m_current->setInfo(info);
    update();
    emit emitTimeItemInfoChange(info, m_currentIndex, flag);
}

void QTimeContainer::mainMouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = mapFromGlobal(event->globalPos());
    m_lastPointer = pos;
    if (m_dragMode == DragNone) {
        applyHoverCursor(pos);
        return;
    }
    if (!m_current)
        return;
    const int dx = pos.x() - m_press.point.x();
    bool flag = true;
    switch (m_dragMode) {
    case DragLeftEdge:
        dragLeftEdge(dx);
        break;
    case DragRightEdge:
        dragRightEdge(dx);
        flag = false;
        break;
    case DragMove: {
        setCursor(Qt::SizeAllCursor);
        int left = m_press.left + dx;
        if (left + m_press.width > m_press.rightLimit)
            left = m_press.rightLimit - m_press.width;
        else if (left < m_press.leftLimit)
            left = m_press.leftLimit;
        m_current->move(left, m_current->y());
        break;
    }
    case DragNarrow:
        if (dx < 1) {
            dragLeftEdge(dx);
        } else {
            dragRightEdge(dx);
            flag = false;
        }
        break;
    default:
        return;
    }
    reportCurrentGeometry(flag);
}

void QTimeContainer::mainMouseReleaseEvent(QMouseEvent *event)
{
    m_pressTimer->stop();
    const QPoint pos = mapFromGlobal(event->globalPos());
    m_lastPointer = pos;
    if (m_dragMode != DragNone) {
        setCursor(Qt::ArrowCursor);
        m_dragMode = DragNone;
        applyHoverCursor(pos);
    }
}
