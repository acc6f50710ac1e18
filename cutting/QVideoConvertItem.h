#pragma once
// One row of the Free Mode segment list: the segment's picture, its start
// and end in two time edits, a thin bar with the kept range, and delete and
// edit buttons. A row is selected by clicking it and reordered by dragging
// it onto another row. It shows a media item it does not own.
#include "CListItemWgt.h"

#include <QLineEdit>
#include <QMimeData>
#include <QPoint>
#include <QPointer>
#include <cstdint>

class MouseImageWidget;
class QCustomTimeEdit;
class QDualSlider;
class QImageButton;
class QLabel;
class VoVideoConvertItem;

class QVideoConvertItem : public CListItemWgt {
    Q_OBJECT
public:
    explicit QVideoConvertItem(QWidget *parent = nullptr);

    static constexpr int rowHeight = 48;
    // The MIME type of a row being dragged.
    static QString dragMimeType() { return QStringLiteral("application/x-dnditemdata"); }
    // What a drag of the row showing item number `index` carries: the
    // picture written with a data stream under the row type, and the
    // index as text. Owned by the caller.
    static QMimeData *makeDragData(const QPixmap &picture, int index);

    void setItem(VoVideoConvertItem *item);
    VoVideoConvertItem *item() const { return m_item; }
    // The item's position in the item list. Taken from the item itself:
    // deleting rows above renumbers the items, and a number remembered when
    // the row got its item would then name another segment.
    int itemIndex() const;

    void setTrim(uint64_t start, uint64_t end);
    void setTrimReporting(uint64_t start, uint64_t end);
    void refreshPicture();
    void retranslate();

    // For the owner's tests and screenshots.
    QCustomTimeEdit *startTimeEdit() const { return m_startTimeEdit; }
    QCustomTimeEdit *endTimeEdit() const { return m_endTimeEdit; }
    QDualSlider *rangeBar() const { return m_TrimItemDSlider; }
    QImageButton *deleteButton() const { return m_btnClose; }
    QImageButton *editButton() const { return m_btnEdit; }
    // The edit button and a double-click open the editing dialog once the
    // panel has an editor to run.
    void setEditable(bool editable);
    MouseImageWidget *pictureWidget() const { return m_videoIconWidget; }
    // The segment's label at the left of the row; "Segment N" in grey when
    // it has none, N being its place in the list.
    QLabel *labelText() const { return m_labName; }
    // Opens the in-place editor over the label (double-click on it, F2).
    void beginLabelEdit();
    // The open editor, if any.
    QLineEdit *labelEditor() const { return m_labelEditor && !m_labelEditor->isHidden() ? m_labelEditor.data() : nullptr; }
    void refreshLabel();
    // The segment's file, when the work cuts from several: a stripe of the
    // file's colour at the row's left edge and its name beside an unnamed
    // segment's number. An invalid colour (one file) shows neither.
    void setSourceMark(const QColor &colour, const QString &fileName);
    QColor sourceColour() const { return m_sourceColour; }
    QString sourceName() const { return m_sourceName; }

signals:
    void emitDelete();
    void emitStartTimeChange(uint64_t time);
    void emitEndTimeChange(uint64_t time);
    void emitSwapItem(int i, int j);
    void emitEdit();
    // The user changed the item's label.
    void emitLabelChanged();

public slots:
    void OnBtnDelete();
    void ClickSelectChange(bool selected);
    void startValueChange(double value);
    void endValueChange(double value);
    void startTimeChange(uint64_t time);
    void endTimeChange(uint64_t time);
    void UpdateData();

protected:
    QColor stateColor(int state) const override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void layoutRow();
    // Percent of the duration at millisecond resolution; 100 without one.
    double percentOf(uint64_t time) const;
    // The bar keeps its range in pixels; the row keeps it in percent so that
    // a row given its item before it had a width still shows the range.
    void setBarStart(double percent);
    void setBarEnd(double percent);
    void startDrag();

    MouseImageWidget *m_videoIconWidget = nullptr;
    QCustomTimeEdit *m_startTimeEdit = nullptr;
    QCustomTimeEdit *m_endTimeEdit = nullptr;
    QLabel *m_labStart = nullptr;
    QLabel *m_labEnd = nullptr;
    QLabel *m_labName = nullptr;
    QPointer<QLineEdit> m_labelEditor;
    QImageButton *m_btnClose = nullptr;
    QImageButton *m_btnEdit = nullptr;
    QDualSlider *m_TrimItemDSlider = nullptr;

    int m_index = -1;
    VoVideoConvertItem *m_item = nullptr; // borrowed
    QPoint m_pressPos;
    double m_barStart = 0;
    double m_barEnd = 100;
    QColor m_sourceColour;
    QString m_sourceName;
};
