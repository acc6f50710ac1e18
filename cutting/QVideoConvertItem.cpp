#include "QVideoConvertItem.h"

#include "ControlNames.h"
#include "MouseImageWidget.h"
#include "OutputFormatParams.h"
#include "QCustomTimeEdit.h"
#include "QDualSlider.h"
#include "QImageButton.h"
#include "SegmentLabelEdit.h"
#include "SkinImage.h"
#include "VoVideoConvertItem.h"

#include <QApplication>
#include <QDataStream>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

const QString iconPath = QStringLiteral("/image/CutListDlg/Video_icon.png");

QLabel *makeLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
    return label;
}

QCustomTimeEdit *makeTimeEdit(QWidget *parent, const char *name)
{
    auto *edit = new QCustomTimeEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setEnabled(false);
    return edit;
}

} // namespace

QVideoConvertItem::QVideoConvertItem(QWidget *parent) : CListItemWgt(parent)
{
    setObjectName(QStringLiteral("QVideoConvertItem"));
    setWindowTitle(QStringLiteral("Form"));
    setFixedHeight(rowHeight);
    setMouseTracking(true);
    setAcceptDrops(true);

    m_videoIconWidget = new MouseImageWidget(this);
    m_videoIconWidget->setObjectName(QStringLiteral("m_videoIconWidget"));
    m_videoIconWidget->setMaximumSize(55, 45);
    m_videoIconWidget->setPictures(iconPath, nullptr);

    m_labStart = makeLabel(this, "m_labStart");
    m_labEnd = makeLabel(this, "m_labEnd");
    m_labName = makeLabel(this, "m_labName");
    m_labName->setTextFormat(Qt::PlainText);
    m_startTimeEdit = makeTimeEdit(this, "m_startTimeEdit");
    m_endTimeEdit = makeTimeEdit(this, "m_endTimeEdit");

    m_btnClose = new QImageButton(this);
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    m_btnClose->setImage(QStringLiteral("/image/CutListDlg/btn_delete.png"));
    m_btnClose->setFocusPolicy(Qt::TabFocus);
    m_btnEdit = new QImageButton(this);
    m_btnEdit->setFocusPolicy(Qt::TabFocus);
    m_btnEdit->setObjectName(QStringLiteral("m_btnEdit"));
    m_btnEdit->setImage(QStringLiteral("/image/CutListDlg/btn_edit.png"));
    // Enabled once the panel has an editor to run (setEditable).
    m_btnEdit->setEnabled(false);

    m_TrimItemDSlider = new QDualSlider(this);
    m_TrimItemDSlider->setObjectName(QStringLiteral("m_TrimItemDSlider"));
    m_TrimItemDSlider->setTrackImage(QStringLiteral("/image/CutListDlg/trake_cut1.png"));
    m_TrimItemDSlider->setRangeImage(QStringLiteral("/image/CutListDlg/trake_cut2.png"));
    m_TrimItemDSlider->setCapWidth(5);
    m_TrimItemDSlider->setEnabled(false);
    // It only shows the kept range; clicks on it select the row.
    m_TrimItemDSlider->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_TrimItemDSlider->setProgressPercent(0, false);
    m_TrimItemDSlider->setStartPercent(0);
    m_TrimItemDSlider->setEndPercent(100);
    m_TrimItemDSlider->setMaximumHeight(7);

    connect(m_btnClose, &QImageButton::clicked, this, &QVideoConvertItem::OnBtnDelete);
    connect(m_startTimeEdit, &QCustomTimeEdit::emitTimeChange, this, &QVideoConvertItem::emitStartTimeChange);
    connect(m_endTimeEdit, &QCustomTimeEdit::emitTimeChange, this, &QVideoConvertItem::emitEndTimeChange);
    connect(m_btnEdit, &QImageButton::clicked, this, &QVideoConvertItem::emitEdit);
    retranslate();
}

QColor QVideoConvertItem::stateColor(int state) const
{
    switch (state) {
    case 1:
        return QColor(126, 126, 126);
    case 2:
        return QColor(92, 92, 92);
    default:
        return QColor(51, 51, 51);
    }
}

int QVideoConvertItem::itemIndex() const
{
    return m_item ? m_item->m_index : m_index;
}

void QVideoConvertItem::setEditable(bool editable)
{
    m_btnEdit->setEnabled(editable);
}

void QVideoConvertItem::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (m_item && m_labName->isVisible() && m_labName->geometry().contains(event->pos())) {
        beginLabelEdit();
        return;
    }
    if (m_btnEdit->isEnabled())
        emit emitEdit();
}

void QVideoConvertItem::OnBtnDelete()
{
    emit emitDelete();
}

void QVideoConvertItem::ClickSelectChange(bool selected)
{
    m_startTimeEdit->setEnabled(selected);
    m_endTimeEdit->setEnabled(selected);
    if (m_item)
        m_item->m_isCurrent = selected;
}

double QVideoConvertItem::percentOf(uint64_t time) const
{
    const uint64_t durationMs = m_item ? m_item->m_duration / 1000 : 0;
    if (durationMs == 0)
        return 100.0;
    return static_cast<double>(time / 1000) * 100.0 / static_cast<double>(durationMs);
}

void QVideoConvertItem::startValueChange(double value)
{
    if (!m_item)
        return;
    m_item->m_TrimStartTime = static_cast<uint64_t>(static_cast<double>(m_item->m_duration) * value);
    m_startTimeEdit->setTime(m_item->m_TrimStartTime);
    m_endTimeEdit->setTimeRange(m_item->m_TrimStartTime, m_item->m_duration);
    setBarStart(value * 100.0);
}

void QVideoConvertItem::endValueChange(double value)
{
    if (!m_item)
        return;
    m_item->m_TrimEndTime = static_cast<uint64_t>(static_cast<double>(m_item->m_duration) * value);
    m_startTimeEdit->setTimeRange(0, m_item->m_TrimEndTime);
    m_endTimeEdit->setTime(m_item->m_TrimEndTime);
    setBarEnd(value * 100.0);
}

void QVideoConvertItem::startTimeChange(uint64_t time)
{
    if (!m_item)
        return;
    m_item->m_TrimStartTime = time;
    m_endTimeEdit->setTimeRange(time, m_item->m_duration);
    m_startTimeEdit->setTime(time);
    setBarStart(percentOf(time));
}

void QVideoConvertItem::endTimeChange(uint64_t time)
{
    if (!m_item)
        return;
    m_item->m_TrimEndTime = time;
    m_startTimeEdit->setTimeRange(0, time);
    m_endTimeEdit->setTime(time);
    setBarEnd(percentOf(time));
}

void QVideoConvertItem::UpdateData()
{
    if (m_item)
        m_item->applyOutputFormat(OutputFormatParams::instance());
}

void QVideoConvertItem::setTrim(uint64_t start, uint64_t end)
{
    if (!m_item)
        return;
    m_item->m_TrimStartTime = start;
    m_item->m_TrimEndTime = end == 0 ? m_item->m_duration : end;
    const uint64_t trimEnd = m_item->m_TrimEndTime;
    m_startTimeEdit->setTimeRange(0, trimEnd);
    m_endTimeEdit->setTimeRange(start, m_item->m_duration);
    m_endTimeEdit->setTime(trimEnd);
    m_startTimeEdit->setTime(start);

    setBarEnd(100);
    const uint64_t duration = m_item->m_duration;
    setBarStart(duration ? static_cast<double>(start) * 100.0 / static_cast<double>(duration)
                                                : 0.0);
    setBarEnd(percentOf(trimEnd));
}

void QVideoConvertItem::setTrimReporting(uint64_t start, uint64_t end)
{
    if (!m_item)
        return;
    setTrim(start, end);
    emit emitStartTimeChange(start);
    emit emitEndTimeChange(end == 0 ? m_item->m_duration : end);
}

void QVideoConvertItem::refreshPicture()
{
    m_videoIconWidget->setPictures(iconPath, m_item && !m_item->m_cover.isNull() ? &m_item->m_cover.image() : nullptr);
    m_videoIconWidget->update();
}

void QVideoConvertItem::setItem(VoVideoConvertItem *item)
{
    if (!item)
        return;
    m_index = item->m_index;
    m_item = item;
    setTrim(item->m_TrimStartTime, item->m_TrimEndTime);
    refreshPicture();
    if (item->m_isCurrent) {
        setState(2);
        m_startTimeEdit->setEnabled(true);
        m_endTimeEdit->setEnabled(true);
        emit emitMousePress();
    } else {
        setState(0);
        m_startTimeEdit->setEnabled(false);
        m_endTimeEdit->setEnabled(false);
        item->m_isCurrent = false;
    }
    retranslate();
    UpdateData();
}

void QVideoConvertItem::setSourceMark(const QColor &colour, const QString &fileName)
{
    if (colour == m_sourceColour && fileName == m_sourceName)
        return;
    m_sourceColour = colour;
    m_sourceName = colour.isValid() ? fileName : QString();
    refreshLabel();
    update();
}

void QVideoConvertItem::paintEvent(QPaintEvent *event)
{
    CListItemWgt::paintEvent(event);
    if (!m_sourceColour.isValid())
        return;
    QPainter p(this);
    p.fillRect(QRect(0, 0, 4, height()), m_sourceColour);
}

void QVideoConvertItem::refreshLabel()
{
    const bool named = m_item && !m_item->m_label.isEmpty();
    const QString text = named ? m_item->m_label
                         : m_sourceName.isEmpty()
                             ? tr("Segment %1").arg(itemIndex() + 1)
                             : tr("Segment %1 · %2").arg(itemIndex() + 1).arg(m_sourceName);
    m_labName->setStyleSheet(named ? QStringLiteral("color: rgb(228,228,228);")
                                   : QStringLiteral("color: rgb(140,140,140); font-style: italic;"));
    // Before the row has its width there is nothing to elide against.
    const int room = m_labName->width() - 2;
    m_labName->setText(room > 0 ? m_labName->fontMetrics().elidedText(text, Qt::ElideRight, room) : text);
    QString tip = named ? m_item->m_label : tr("Double-click or press F2 to name the segment");
    if (!m_sourceName.isEmpty())
        tip = tr("From %1").arg(m_sourceName) + QLatin1Char('\n') + tip;
    m_labName->setToolTip(tip);
}

void QVideoConvertItem::beginLabelEdit()
{
    if (!m_item || labelEditor())
        return;
    QRect where = m_labName->geometry();
    where.setHeight(qMax(where.height(), 20));
    where.moveTop(m_labName->geometry().center().y() - where.height() / 2);
    where.setWidth(qMax(where.width(), 120));
    SegmentLabelEdit *edit = SegmentLabelEdit::open(this, where, m_item->m_label);
    edit->setAccessibleName(tr("Segment Label"));
    m_labelEditor = edit;
    connect(edit, &SegmentLabelEdit::committed, this, [this](const QString &label) {
        if (!m_item || m_item->m_label == label)
            return;
        m_item->m_label = label;
        refreshLabel();
        emit emitLabelChanged();
    });
}

void QVideoConvertItem::retranslate()
{
    m_labStart->setText(tr("Start Time:"));
    m_labStart->adjustSize();
    m_labEnd->setText(tr("End Time:"));
    m_labEnd->adjustSize();
    m_btnClose->setToolTip(tr("Delete"));
    m_btnEdit->setToolTip(tr("Edit"));
    nameTimeEdit(m_startTimeEdit, tr("Segment Start Time"));
    nameTimeEdit(m_endTimeEdit, tr("Segment End Time"));
    m_TrimItemDSlider->setAccessibleName(tr("Segment"));
    m_labName->setAccessibleName(tr("Segment Label"));
    if (m_item && !m_item->m_subtitleChoices.isEmpty())
        m_item->m_subtitleChoices[0].first = QStringLiteral("%1").arg(tr("No Subtitle")).toUtf8();
    layoutRow();
}

void QVideoConvertItem::layoutRow()
{
    const int W = width();
    const int H = rowHeight;
    const int middle = W / 2;
    const int centre = H / 2;
    m_videoIconWidget->move(6, (H - m_videoIconWidget->height()) / 2);

    const int editTop = centre - 5 - m_startTimeEdit->height() / 2;
    m_startTimeEdit->move(middle - m_startTimeEdit->width() - 10, editTop);
    m_labStart->move(m_startTimeEdit->x() - 10 - m_labStart->width(), centre - 5 - m_labStart->height() / 2);
    m_labEnd->move(middle + 10, centre - 5 - m_labEnd->height() / 2);
    m_endTimeEdit->move(m_labEnd->x() + m_labEnd->width() + 10, editTop);

    const int buttonTop = centre - 6 - m_btnClose->height() / 2;
    m_btnClose->move(W - 20 - m_btnClose->width(), buttonTop);
    m_btnEdit->move(m_btnClose->x() - 10 - m_btnEdit->width(), centre - 6 - m_btnEdit->height() / 2);

    // The label sits on the bar's line, before the bar: the line above is
    // taken by the time edits. Of one width in every row, so that the bars
    // keep one scale.
    const int nameLeft = m_videoIconWidget->x() + m_videoIconWidget->width() + 10;
    const int nameWidth = W >= 420 ? 150 : 0;
    m_labName->setGeometry(nameLeft, centre + 15 - 8, nameWidth, 16);
    m_labName->setVisible(nameWidth > 0);
    refreshLabel();
    const int barLeft = nameLeft + (nameWidth > 0 ? nameWidth + 8 : 0);
    m_TrimItemDSlider->setGeometry(barLeft, centre + 15 - 3, qMax(10, W - 20 - barLeft), 7);
    // Pixel positions from the old width would clamp the new ones.
    m_TrimItemDSlider->setStartPercent(0);
    m_TrimItemDSlider->setEndPercent(m_barEnd);
    m_TrimItemDSlider->setStartPercent(m_barStart);
}

void QVideoConvertItem::setBarStart(double percent)
{
    m_barStart = percent;
    m_TrimItemDSlider->setStartPercent(percent);
}

void QVideoConvertItem::setBarEnd(double percent)
{
    m_barEnd = percent;
    m_TrimItemDSlider->setEndPercent(percent);
}

void QVideoConvertItem::resizeEvent(QResizeEvent *event)
{
    CListItemWgt::resizeEvent(event);
    layoutRow();
}

void QVideoConvertItem::mousePressEvent(QMouseEvent *event)
{
    CListItemWgt::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        m_pressPos = event->pos();
}

void QVideoConvertItem::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    if ((event->pos() - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    startDrag();
}

QMimeData *QVideoConvertItem::makeDragData(const QPixmap &picture, int index)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << picture;
    auto *data = new QMimeData;
    data->setData(dragMimeType(), bytes);
    data->setText(QString::number(index));
    return data;
}

void QVideoConvertItem::startDrag()
{
    QPixmap picture;
    if (m_item && !m_item->m_cover.isNull())
        picture = QPixmap::fromImage(m_item->m_cover.image());
    else
        picture = skin::load(iconPath);
    auto *drag = new QDrag(this);
    drag->setMimeData(makeDragData(picture, itemIndex()));
    drag->setPixmap(picture);
    drag->setHotSpot(QPoint(0, 0));
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

void QVideoConvertItem::dragEnterEvent(QDragEnterEvent *event)
{
    if (!event->mimeData()->hasFormat(dragMimeType())) {
        event->ignore();
        return;
    }
    if (event->source() == this) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
}

void QVideoConvertItem::dragMoveEvent(QDragMoveEvent *event)
{
    if (!event->mimeData()->hasFormat(dragMimeType())) {
        event->ignore();
        return;
    }
    if (event->source() == this) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
}

void QVideoConvertItem::dropEvent(QDropEvent *event)
{
    if (!event->mimeData()->hasFormat(dragMimeType())) {
        event->ignore();
        return;
    }
    bool ok = false;
    const int i = event->mimeData()->text().toInt(&ok);
    const int j = m_item ? itemIndex() : 0;
    if (event->source() == this) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
    if (ok)
        emit emitSwapItem(i, j);
}
