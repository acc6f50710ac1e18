#pragma once
// The segment area of the timeline: the thumbnail strip with one box per
// segment over it. Boxes lie in time order and never overlap; the user
// selects a box, moves it (after holding it for 100 ms, so that a click
// never shifts it) or drags one of its edges, bounded by the neighbours.
// Every change is reported as the box's TimeItemInfo.
#include "TimeItemInfo.h"
#include "WaveformBand.h"

#include <QImage>
#include <QList>
#include <QTimer>
#include <QWidget>

class QMouseEvent;
class QTimeItem;

class QTimeContainer : public QWidget {
    Q_OBJECT
public:
    enum DragMode { DragNone = 0, DragLeftEdge = 3, DragRightEdge = 6, DragMove = 9, DragNarrow = 10 };

    explicit QTimeContainer(QWidget *parent = nullptr);
    ~QTimeContainer() override;

    void addTrimTime(const TimeItemInfo &info);
    // Appends a selected segment from the last one's end to the strip's end.
    void appendAtEnd();
    bool hasRoomAtEnd() const;
    TimeItemInfo newSegmentInfo() const;
    TimeItemInfo currentInfo() const;
    int count() const { return m_items.size(); }
    void selectIndex(int index);
    void deleteCurrent();
    // Every segment and the thumbnail strip go.
    void clear();
    // Every segment goes; the strip stays.
    void clearSegments();
    void prepareThumbnails(int slotCount);
    void addThumbnail(const QImage &image);
    // The sound's outline under the strip (see WaveformBand::set); empty
    // peaks take it away.
    void setWaveform(const QVector<quint8> &peaks, int rate, uint64_t duration_us);
    bool hasWaveform() const { return !m_waveform.isEmpty(); }

    const QList<QTimeItem *> &items() const { return m_items; }
    QTimeItem *currentItem() const { return m_current; }
    int currentIndex() const { return m_currentIndex; }
    int dragMode() const { return m_dragMode; }
    const QImage &strip() const { return m_strip; }
    int slotWidth() const { return m_slotWidth; }
    const QTimer &pressTimerObject() const { return *m_pressTimer; }

signals:
    void emitTimeItemInfoChange(TimeItemInfo info, int index, bool flag);
    void emitDeleteFile(int index);
    void emitEditLabel(int index);

public slots:
    void timeItemInfoChange(TimeItemInfo info, int index);
    void setCurrentTimeItemInfoChange(TimeItemInfo info);
    void nextItem();
    void previousItem();
    void itemMousePress();
    void itemShowTreeMenu();
    void mainMouseMoveEvent(QMouseEvent *event);
    void mainMousePressEvent(QMouseEvent *event);
    void mainMouseReleaseEvent(QMouseEvent *event);

private slots:
    void pressTimer();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int nearest(double pixels) const;
    // Places box index from its info: edges at the nearest columns, never
    // narrower than 3 columns and never into the next box.
    void layoutItem(int index);
    void updateBounds(int index);
    void makeCurrent(int index);
    void takePressRecord(const QPoint &pos);
    QRect innerArea(const QTimeItem *item) const;
    bool verticallyInside(const QTimeItem *item, const QPoint &pos) const;
    bool nearLeftEdge(const QTimeItem *item, const QPoint &pos) const;
    bool nearRightEdge(const QTimeItem *item, const QPoint &pos) const;
    void applyHoverCursor(const QPoint &pos);
    void dragLeftEdge(int dx);
    void dragRightEdge(int dx);
    void reportCurrentGeometry(bool flag);
    void stopDrag();

    QList<QTimeItem *> m_items;
    QTimeItem *m_current = nullptr;
    int m_currentIndex = -1;
    int m_dragMode = DragNone;
    struct PressRecord {
        QPoint point;
        int left = 0, top = 0, width = 0, height = 0;
        int leftLimit = 0, rightLimit = 0;
    } m_press;
    QPoint m_lastPointer; // container coordinates of the latest mouse event
    QTimer *m_pressTimer = nullptr;
    QImage m_strip;
    int m_slotCount = 10;
    int m_slotWidth = 0;
    int m_nextSlotX = 0;
    WaveformBand m_waveform;
};
