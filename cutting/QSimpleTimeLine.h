#pragma once
// The Simple Mode view of the segments: a time ruler, under it the segment
// area with its thumbnail strip and boxes, and a draggable play-head with a
// dashed line down to the bottom. It works in pixels and fractions of the
// duration only; its owner turns them into times and seeks.
#include "TimeItemInfo.h"

#include <QColor>
#include <QWidget>
#include <cstdint>
#include <memory>

class QDrawLine;
class QMouseEvent;
class QTimeContainer;
class QTimeControl;
class QTimelineMarkers;
class QVoBaseButton;
class WaveformWorker;

class QSimpleTimeLine : public QWidget {
    Q_OBJECT
public:
    explicit QSimpleTimeLine(QWidget *parent = nullptr);
    ~QSimpleTimeLine() override;

    // The play-head shows the picture (when it exists) and sits at top.
    void setPlayHeadImage(const QString &path, int top);
    // At least two free pixel columns after the last segment, or none yet.
    bool hasRoomAtEnd() const;
    // {0,1,1,0,1} when empty, else {e,1,1−e,e,1} after the last segment's end e.
    TimeItemInfo newSegmentInfo() const;
    // All zeros without a current segment.
    TimeItemInfo currentInfo() const;
    int count() const;
    // Selects segment index without any signal.
    void selectIndex(int index);
    void deleteCurrent();
    // Segments, thumbnails and ruler go; the play-head is locked until the
    // next segment arrives.
    void clear();
    // Segments go; the thumbnails stay.
    void clearSegments();
    // The label box index shows.
    void setLabel(int index, const QString &label);
    void prepareThumbnails(int slotCount);
    void addThumbnail(const QImage &image);
    // Reads the sound's outline of path on a worker and shows it under the
    // strip, over duration_us; an outline shown before goes at once.
    void showWaveform(const QString &path, uint64_t duration_us);
    // The outline asked for last has arrived (or there is none to show).
    bool waveformSettled() const;

    // Places marked on the timeline (microseconds); they stay through
    // changes of the segments and go only when replaced.
    void setMarkers(const QVector<uint64_t> &times);
    QVector<uint64_t> markers() const;
    QTimelineMarkers *markerLayer() const { return m_markers; }

    uint64_t total() const { return m_total; }
    double progress() const { return m_progress; }
    bool isPullEnabled() const { return m_pullEnabled; }
    bool isDragging() const { return m_dragging; }
    int playHeadTop() const { return m_playHeadTop; }
    QTimeControl *ruler() const { return m_timeControl; }
    QTimeContainer *container() const { return m_container; }
    QVoBaseButton *playHead() const { return m_btnPlayHead; }
    QDrawLine *playHeadLine() const { return m_line; }
    // Columns of the axis: the ruler and the segment area share them.
    int axisSpan() const { return width() - 20; }

signals:
    void emitTimeItemInfoChange(TimeItemInfo info, int index, bool flag);
    void emitProgressValueChanged(double value);
    void emitDeleteFile(int index);
    // A double-click on box index.
    void emitEditLabel(int index);
    void emitMousePress();
    void emitMouseRelease();
    void emitMouseMoveEvent(QMouseEvent *event);
    void emitMousePressEvent(QMouseEvent *event);
    void emitMouseReleaseEvent(QMouseEvent *event);

public slots:
    void setTime(uint64_t time);
    void addTrimTime(TimeItemInfo info);
    void addTrimTime();
    void timeItemInfoChange(TimeItemInfo info, int index);
    void setCurrentTimeItemInfoChange(TimeItemInfo info);
    void deletetimeItem(int index);
    void setProgressValue(double value);
    void setEnabledPull(bool flag);
    void setEnabledPull();

private slots:
    void sliderBtnMouseMove(QMouseEvent *event, int x);
    void sliderBtnMouseEnter(QEvent *event);
    void sliderBtnMouseLeave(QEvent *event);
    void sliderBtnMouseDown(QMouseEvent *event, int x);
    void sliderBtnMouseRelease(QMouseEvent *event, int x);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void placePlayHead();
    // Puts the play-head's centre on column x of the timeline.
    void placePlayHeadCentre(int x);

    QTimeControl *m_timeControl = nullptr;
    QTimeContainer *m_container = nullptr;
    QVoBaseButton *m_btnPlayHead = nullptr;
    QDrawLine *m_line = nullptr;
    QTimelineMarkers *m_markers = nullptr;
    bool m_pullEnabled = true;
    uint64_t m_total = 0;
    double m_progress = 0;
    bool m_dragging = false;
    QColor m_background{51, 51, 51};
    int m_playHeadTop = 20;
    std::unique_ptr<WaveformWorker> m_waveWorker; // made on first use
    int m_waveRequest = 0;                        // interface thread only
    uint64_t m_waveDuration = 0;
    bool m_waveArrived = true;
};
