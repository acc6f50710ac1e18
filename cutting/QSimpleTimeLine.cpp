#include "QSimpleTimeLine.h"

#include "QDrawLine.h"
#include "QTimeItem.h"
#include "QTimeContainer.h"
#include "QTimeControl.h"
#include "QTimelineMarkers.h"
#include "QVoBaseButton.h"
#include "SkinImage.h"
#include "VoDetector.h"
#include "WaveformWorker.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>

QSimpleTimeLine::QSimpleTimeLine(QWidget *parent) : QWidget(parent)
{
    qRegisterMetaType<TimeItemInfo>("TimeItemInfo");
    m_container = new QTimeContainer(this);
    m_container->setObjectName(QStringLiteral("m_timeContainer"));
    connect(m_container, &QTimeContainer::emitTimeItemInfoChange, this, &QSimpleTimeLine::emitTimeItemInfoChange);
    connect(m_container, &QTimeContainer::emitDeleteFile, this, &QSimpleTimeLine::emitDeleteFile);
    connect(m_container, &QTimeContainer::emitEditLabel, this, &QSimpleTimeLine::emitEditLabel);
    connect(this, &QSimpleTimeLine::emitMouseMoveEvent, m_container, &QTimeContainer::mainMouseMoveEvent);
    connect(this, &QSimpleTimeLine::emitMousePressEvent, m_container, &QTimeContainer::mainMousePressEvent);
    connect(this, &QSimpleTimeLine::emitMouseReleaseEvent, m_container, &QTimeContainer::mainMouseReleaseEvent);

    m_timeControl = new QTimeControl(this);
    m_timeControl->setObjectName(QStringLiteral("m_timeControl"));
    m_timeControl->setTextColor(QColor(222, 222, 222));
    m_timeControl->setLineColor(QColor(119, 119, 119));

    m_markers = new QTimelineMarkers(this);

    m_btnPlayHead = new QVoBaseButton(this);
    m_btnPlayHead->setObjectName(QStringLiteral("m_btnPlayHead"));
    m_btnPlayHead->setFocusPolicy(Qt::NoFocus);
    m_btnPlayHead->resize(20, 30);
    connect(m_btnPlayHead, &QVoBaseButton::mouseMove, this, &QSimpleTimeLine::sliderBtnMouseMove);
    connect(m_btnPlayHead, &QVoBaseButton::mouseEnter, this, &QSimpleTimeLine::sliderBtnMouseEnter);
    connect(m_btnPlayHead, &QVoBaseButton::mouseLeave, this, &QSimpleTimeLine::sliderBtnMouseLeave);
    connect(m_btnPlayHead, &QVoBaseButton::mouseDown, this, &QSimpleTimeLine::sliderBtnMouseDown);
    connect(m_btnPlayHead, &QVoBaseButton::mouseRelease, this, &QSimpleTimeLine::sliderBtnMouseRelease);

    m_line = new QDrawLine(this);
    m_line->setObjectName(QStringLiteral("m_playHeadLine"));
    m_line->resize(2, 10);

    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    resize(600, 200);
}

QSimpleTimeLine::~QSimpleTimeLine()
{
    // The worker may still hand an outline to this object; it is dropped.
    m_waveWorker.reset();
}

void QSimpleTimeLine::showWaveform(const QString &path, uint64_t duration_us)
{
    const int id = ++m_waveRequest;
    m_container->setWaveform({}, 0, 0);
    m_waveArrived = false;
    if (!m_waveWorker)
        m_waveWorker.reset(new WaveformWorker([this](const QVector<quint8> &peaks, int requestId) {
            QMetaObject::invokeMethod(
                this,
                [this, peaks, requestId] {
                    if (requestId != m_waveRequest)
                        return;
                    m_waveArrived = true;
                    m_container->setWaveform(peaks, VoDetector::waveformRate, m_waveDuration);
                },
                Qt::QueuedConnection);
        }));
    m_waveDuration = duration_us;
    m_waveWorker->begin(path, id);
}

bool QSimpleTimeLine::waveformSettled() const
{
    return m_waveArrived;
}

void QSimpleTimeLine::setPlayHeadImage(const QString &path, int top)
{
    if (QFile::exists(skin::path(path)))
        m_btnPlayHead->setImage(path);
    m_playHeadTop = top;
    placePlayHead();
}

bool QSimpleTimeLine::hasRoomAtEnd() const
{
    return m_container->hasRoomAtEnd();
}

TimeItemInfo QSimpleTimeLine::newSegmentInfo() const
{
    return m_container->newSegmentInfo();
}

TimeItemInfo QSimpleTimeLine::currentInfo() const
{
    return m_container->currentInfo();
}

int QSimpleTimeLine::count() const
{
    return m_container->count();
}

void QSimpleTimeLine::selectIndex(int index)
{
    m_container->selectIndex(index);
}

void QSimpleTimeLine::deleteCurrent()
{
    m_container->deleteCurrent();
}

void QSimpleTimeLine::clear()
{
    m_btnPlayHead->setEnabled(false);
    m_pullEnabled = false;
    m_dragging = false;
    m_timeControl->reset();
    m_container->clear();
    ++m_waveRequest;
    m_waveArrived = true;
    if (m_waveWorker)
        m_waveWorker->stop();
}

void QSimpleTimeLine::clearSegments()
{
    m_container->clearSegments();
}

void QSimpleTimeLine::prepareThumbnails(int slotCount)
{
    m_container->prepareThumbnails(slotCount);
}

void QSimpleTimeLine::addThumbnail(const QImage &image)
{
    m_container->addThumbnail(image);
}

void QSimpleTimeLine::setTime(uint64_t time)
{
    m_total = time;
    m_timeControl->setTime(time);
    m_markers->setTotal(time);
}

void QSimpleTimeLine::setMarkers(const QVector<uint64_t> &times)
{
    m_markers->setMarkers(times);
}

QVector<uint64_t> QSimpleTimeLine::markers() const
{
    return m_markers->markers();
}

void QSimpleTimeLine::addTrimTime(TimeItemInfo info)
{
    m_container->addTrimTime(info);
    m_btnPlayHead->setEnabled(true);
    m_pullEnabled = true;
}

void QSimpleTimeLine::addTrimTime()
{
    m_container->appendAtEnd();
}

void QSimpleTimeLine::timeItemInfoChange(TimeItemInfo info, int index)
{
    m_container->timeItemInfoChange(info, index);
}

void QSimpleTimeLine::setCurrentTimeItemInfoChange(TimeItemInfo info)
{
    m_container->setCurrentTimeItemInfoChange(info);
}

void QSimpleTimeLine::deletetimeItem(int)
{
}

void QSimpleTimeLine::setProgressValue(double value)
{
    m_progress = value;
    placePlayHead();
}

void QSimpleTimeLine::setEnabledPull(bool flag)
{
    m_pullEnabled = flag;
}

void QSimpleTimeLine::setEnabledPull()
{
    m_pullEnabled = true;
}

void QSimpleTimeLine::placePlayHead()
{
    const int S = axisSpan();
    const int bw = m_btnPlayHead->width();
    const int lw = m_line->width();
    m_btnPlayHead->move(int(S * m_progress + 10 - bw / 2), m_playHeadTop);
    const int lineTop = m_playHeadTop + m_btnPlayHead->height() - 1;
    m_line->setGeometry(int(S * m_progress + 10 - lw / 2), lineTop, lw, qMax(height() - lineTop, 0));
    m_line->raise();
    m_btnPlayHead->raise();
}

void QSimpleTimeLine::placePlayHeadCentre(int x)
{
    const int bw = m_btnPlayHead->width();
    const int lw = m_line->width();
    m_btnPlayHead->move(x - bw / 2, m_playHeadTop);
    m_line->move(x - lw / 2, m_line->y());
}

void QSimpleTimeLine::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int S = axisSpan();
    m_timeControl->setGeometry(10, 0, S, 37);
    m_container->setGeometry(10, 38, S, height() - 39);
    m_markers->setGeometry(rect());
    m_markers->raise();
    placePlayHead();
}

void QSimpleTimeLine::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_background);
}

void QSimpleTimeLine::sliderBtnMouseMove(QMouseEvent *event, int x)
{
    setFocus();
    if (!m_pullEnabled)
        return;
    const int S = axisSpan();
    const int W = width();
    const int bw = m_btnPlayHead->width();
    const int left = mapFromGlobal(event->globalPos()).x() - x;
    int centre = left + bw / 2;
    double fraction = 0;
    if (centre <= 10) {
        centre = 10;
        fraction = 0;
    } else if (centre >= W - 10) {
        centre = W - 10;
        fraction = 1;
    } else {
        fraction = double(centre - 10) / S;
    }
    placePlayHeadCentre(centre);
    m_progress = fraction;
    emit emitProgressValueChanged(fraction * 100);
}

void QSimpleTimeLine::sliderBtnMouseEnter(QEvent *)
{
    setCursor(Qt::PointingHandCursor);
}

void QSimpleTimeLine::sliderBtnMouseLeave(QEvent *)
{
    setCursor(Qt::ArrowCursor);
}

void QSimpleTimeLine::sliderBtnMouseDown(QMouseEvent *, int)
{
    emit emitMousePress();
}

void QSimpleTimeLine::sliderBtnMouseRelease(QMouseEvent *, int)
{
    emit emitMouseRelease();
}

void QSimpleTimeLine::mousePressEvent(QMouseEvent *event)
{
    emit emitMousePress();
    const QPoint pos = mapFromGlobal(event->globalPos());
    if (m_timeControl->geometry().contains(pos) && m_pullEnabled) {
        m_dragging = true;
        const int S = axisSpan();
        placePlayHeadCentre(pos.x());
        m_progress = S > 0 ? double(pos.x() - 10) / S : 0;
        emit emitProgressValueChanged(m_progress * 100);
    }
    emit emitMousePressEvent(event);
}

void QSimpleTimeLine::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = mapFromGlobal(event->globalPos());
    if (m_dragging && m_pullEnabled) {
        const int S = axisSpan();
        const int x = qBound(10, pos.x(), width() - 10);
        placePlayHeadCentre(x);
        m_progress = S > 0 ? qBound(0.0, double(pos.x() - 10) / S, 1.0) : 0;
        emit emitProgressValueChanged(m_progress * 100);
    }
    const bool overRuler = pos.y() >= m_timeControl->y() && pos.y() <= m_timeControl->geometry().bottom();
    setCursor(overRuler && m_pullEnabled ? Qt::PointingHandCursor : Qt::ArrowCursor);
    emit emitMouseMoveEvent(event);
}

void QSimpleTimeLine::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    emit emitMouseReleaseEvent(event);
    emit emitMouseRelease();
}

void QSimpleTimeLine::setLabel(int index, const QString &label)
{
    if (QTimeItem *box = m_container->items().value(index))
        box->setLabel(label);
}
