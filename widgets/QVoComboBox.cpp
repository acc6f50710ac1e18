#include "QVoComboBox.h"

#include "ImageState.h"
#include "QVoBaseButton.h"
#include "SkinImage.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>

namespace {
const QString kEditSheet = QStringLiteral("QLineEdit {background-color:transparent;border:none;color:%1}");

// Rows are widgets laid over the list items; the items themselves only
// carry text (for typing to select), data and their size.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *, const QStyleOptionViewItem &, const QModelIndex &) const override {}
};
} // namespace

QVoComboBox::QVoComboBox(QWidget *parent)
    : QComboBox(parent)
    , QVoBaseRectImageDraw(this)
{
    connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) { drawTextChange(itemText(index)); });
    connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, &QVoComboBox::currentIndexChangeSlot);
    connect(this, &QVoComboBox::emitShowPopup, this, &QVoComboBox::showPopup, Qt::QueuedConnection);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    const QColor text = palette().color(QPalette::Text);
    QVoBaseRectImageDraw::setTextColors(text, text, text, text);
    for (QColor &c : m_rowColors)
        c = text;
    m_styleSheet = styleSheet();
    if (!isEnabled())
        setDrawState(imagestate::Disabled);
}

QVoComboBoxItem *QVoComboBox::rowWidget(int index) const
{
    if (!m_list || index < 0 || index >= m_list->count())
        return nullptr;
    return qobject_cast<QVoComboBoxItem *>(m_list->itemWidget(m_list->item(index)));
}

bool QVoComboBox::setBackgroundImage(const QString &path)
{
    if (!QVoBaseRectImageDraw::setBackgroundImage(path))
        return false;
    if (m_list)
        return true;
    // Rows added before the picture move over into the drawn list.
    struct Row {
        QIcon icon;
        QString text;
        QVariant data;
    };
    QVector<Row> rows;
    for (int i = 0; i < QComboBox::count(); ++i)
        rows.append({QComboBox::itemIcon(i), QComboBox::itemText(i), QComboBox::itemData(i)});
    const int current = currentIndex();
    QComboBox::clear();

    m_styleSheet += QStringLiteral("QComboBox {background-color:transparent;border:none}");
    m_styleSheet += QStringLiteral("QComboBox QAbstractItemView{background-color:transparent;}");
    m_list = new QListWidget(this);
    m_list->setItemDelegate(new RowDelegate(m_list));
    m_list->setFrameShape(QFrame::NoFrame);
    setModel(m_list->model());
    setView(m_list);
    // Rows paint the current row themselves.
    connect(m_list, &QListWidget::currentItemChanged, m_list->viewport(), qOverload<>(&QWidget::update));
    applyStyleSheet();
    for (const Row &row : rows)
        insertItem(count(), row.icon.pixmap(row.icon.availableSizes().value(0, QSize(16, 16))), row.text, row.data);
    if (current >= 0)
        setCurrentIndex(current);
    return true;
}

bool QVoComboBox::setArrowImage(const QString &path, bool moveOnly)
{
    const QString file = skin::path(path);
    if (file.isEmpty() || !QFileInfo::exists(file))
        return false;
    delete m_arrow;
    m_arrow = new QVoBaseButton(this);
    if (!m_arrow->setImage(file, !moveOnly)) {
        delete m_arrow;
        m_arrow = nullptr;
        return false;
    }
    m_arrowMoveOnly = moveOnly;
    // The combo keeps the keyboard focus; the arrow is for the mouse.
    m_arrow->setFocusPolicy(Qt::NoFocus);
    m_arrow->setEnabled(isEnabled());
    connect(m_arrow, &QAbstractButton::clicked, this, [this] {
        showPopup();
        emit emitClicked();
    });
    m_arrow->show();
    placeArrow();
    return true;
}

void QVoComboBox::setArrowPosition(qint16 x, qint16 y, qint16 rightMargin, qint16 bottomMargin)
{
    m_arrowX = x;
    m_arrowY = y;
    m_arrowRight = rightMargin;
    m_arrowBottom = bottomMargin;
    placeArrow();
}

void QVoComboBox::placeArrow()
{
    if (!m_arrow)
        return;
    if (m_arrowX < 0)
        m_arrowX = qint16(width() - m_arrow->width() - m_arrowRight);
    if (m_arrowY < 0)
        m_arrowY = qint16((height() - m_arrow->height() - m_arrowBottom) / 2);
    if (m_arrowMoveOnly)
        m_arrow->move(m_arrowX, m_arrowY);
    else
        m_arrow->setGeometry(m_arrowX, m_arrowY, width() - m_arrowRight - m_arrowX, height() - m_arrowBottom - m_arrowY);
}

void QVoComboBox::setTextColor(const QColor &color)
{
    QVoBaseRectImageDraw::setTextColors(color, color, color, color);
    if (isEditable() && lineEdit())
        lineEdit()->setStyleSheet(kEditSheet.arg(color.name()));
}

void QVoComboBox::setTextColors(const QColor &normal, const QColor &hover, const QColor &pressed, const QColor &disabled)
{
    QVoBaseRectImageDraw::setTextColors(normal, hover, pressed, disabled);
    if (m_rowColorsSet)
        return;
    m_rowColors[0] = normal;
    m_rowColors[1] = hover;
    m_rowColors[2] = pressed;
    m_rowColors[3] = disabled;
    for (int i = 0; i < count(); ++i)
        if (QVoComboBoxItem *row = rowWidget(i))
            row->setTextColors(normal, hover, pressed, disabled);
}

void QVoComboBox::setRowHeight(int height)
{
    m_rowHeight = height;
    updateRowSizes();
}

void QVoComboBox::setPopupBorder(int width, const QColor &color)
{
    m_popupBorder = width;
    replaceClause(QStringLiteral("QComboBox QAbstractItemView{background-color:gray; border: "), QStringLiteral("}"),
                  QStringLiteral("QComboBox QAbstractItemView{background-color:gray; border: %1px solid %2}").arg(width).arg(color.name()));
}

void QVoComboBox::setRowBackground(const QColor &color)
{
    replaceClause(QStringLiteral("QListView::item {background: "), QStringLiteral(";}"),
                  QStringLiteral("QListView::item {background: %1;}").arg(color.name()));
    m_template.normalBackground = color;
    for (int i = 0; i < count(); ++i)
        if (QVoComboBoxItem *row = rowWidget(i))
            row->setRowTemplate(m_template);
}

void QVoComboBox::setRowHoverBackground(const QColor &color)
{
    replaceClause(QStringLiteral("QListView::item:hover {background: "), QStringLiteral(";}"),
                  QStringLiteral("QListView::item:hover {background: %1;}").arg(color.name()));
    if (color == m_template.hoverBackground)
        return;
    m_template.hoverBackground = color;
    m_template.markCurrentRow = true;
    for (int i = 0; i < count(); ++i)
        if (QVoComboBoxItem *row = rowWidget(i))
            row->setRowTemplate(m_template);
}

void QVoComboBox::setRowSelectedBackground(const QColor &color)
{
    replaceClause(QStringLiteral("QListView::item:selected{background-color: "), QStringLiteral(";}"),
                  QStringLiteral("QListView::item:selected{background-color: %1;}").arg(color.name()));
    m_template.selectedBackground = color;
    for (int i = 0; i < count(); ++i)
        if (QVoComboBoxItem *row = rowWidget(i))
            row->setRowTemplate(m_template);
}

void QVoComboBox::setRowTextColor(const QColor &color) { setRowTextColors(color, color, color, color); }

void QVoComboBox::setRowTextColors(const QColor &normal, const QColor &hover, const QColor &pressed, const QColor &disabled)
{
    m_rowColors[0] = normal;
    m_rowColors[1] = hover;
    m_rowColors[2] = pressed;
    m_rowColors[3] = disabled;
    m_rowColorsSet = true;
    for (int i = 0; i < count(); ++i)
        if (QVoComboBoxItem *row = rowWidget(i))
            row->setTextColors(normal, hover, pressed, disabled);
}

void QVoComboBox::setFont(const QFont &font)
{
    QComboBox::setFont(font);
    if (m_rowFontSet)
        return;
    for (int i = 0; i < count(); ++i)
        if (QVoComboBoxItem *row = rowWidget(i))
            row->setFont(font);
}

void QVoComboBox::setRowFont(const QFont &font)
{
    m_rowFont = font;
    m_rowFontSet = true;
    for (int i = 0; i < count(); ++i)
        if (QVoComboBoxItem *row = rowWidget(i))
            row->setFont(font);
}

void QVoComboBox::setRowTextMargins(qint16 left, qint16 top, qint16 right, qint16 bottom)
{
    m_rowTextMargins = QMargins(left, top, right, bottom);
    for (int i = 0; i < count(); ++i)
        if (QVoComboBoxItem *row = rowWidget(i))
            row->setTextMargins(left, top, right, bottom);
}

void QVoComboBox::setSeparator(int width, const QColor &color)
{
    m_template.separatorWidth = width;
    m_template.separatorColor = color;
    for (int i = 0; i < count(); ++i)
        if (QVoComboBoxItem *row = rowWidget(i))
            row->setRowTemplate(m_template);
}

void QVoComboBox::setBottomLineColor(const QColor &color)
{
    m_template.bottomLineColor = color;
    for (int i = 0; i < count(); ++i)
        if (QVoComboBoxItem *row = rowWidget(i))
            row->setRowTemplate(m_template);
}

void QVoComboBox::setAttachedWidgetPosition(int x, int y)
{
    m_template.attachedX = x;
    m_template.attachedY = y;
    for (int i = 0; i < count(); ++i)
        if (QVoComboBoxItem *row = rowWidget(i)) {
            row->setRowTemplate(m_template);
            row->placeAttachedWidget();
        }
}

void QVoComboBox::setRowIconRect(int left, int top, int right, int bottom)
{
    m_rowIconRect = QRect(QPoint(left, top), QPoint(right, bottom));
    for (int i = 0; i < count(); ++i)
        if (QVoComboBoxItem *row = rowWidget(i))
            row->setIconRect(left, top, right, bottom);
}

void QVoComboBox::addItem(const QString &text, const QVariant &data)
{
    if (!m_list) {
        QComboBox::addItem(text, data);
        return;
    }
    insertItem(count(), QPixmap(), text, data);
}

void QVoComboBox::addItems(const QStringList &texts)
{
    for (const QString &text : texts)
        addItem(text);
}

void QVoComboBox::addItem(const QPixmap &picture, const QString &text, const QVariant &data)
{
    insertItem(count(), picture, text, data);
}

void QVoComboBox::insertItem(int index, const QPixmap &picture, const QString &text, const QVariant &data)
{
    if (!m_list) {
        QComboBox::insertItem(index, picture.isNull() ? QIcon() : QIcon(picture), text, data);
        return;
    }
    index = (index < 0 || index > m_list->count()) ? m_list->count() : index;
    auto *item = new QListWidgetItem;
    item->setText(text);
    item->setData(Qt::UserRole, data);
    if (m_popupWidth == 0)
        m_popupWidth = width();
    item->setSizeHint(QSize(m_popupWidth, m_rowHeight));
    m_list->insertItem(index, item);

    auto *row = new QVoComboBoxItem(m_list, item);
    row->setRowTemplate(m_template);
    row->setTextMargins(qint16(m_rowTextMargins.left()), qint16(m_rowTextMargins.top()), qint16(m_rowTextMargins.right()),
                        qint16(m_rowTextMargins.bottom()));
    row->setFont(rowFont());
    row->setTextColors(m_rowColors[0], m_rowColors[1], m_rowColors[2], m_rowColors[3]);
    if (!picture.isNull()) {
        row->setIconImage(picture);
        row->setIconRect(m_rowIconRect.left(), m_rowIconRect.top(), m_rowIconRect.right(), m_rowIconRect.bottom());
    }
    row->setDrawText(text);
    m_list->setItemWidget(item, row);
    rowAdded(index, row);
    if (m_list->count() == 1)
        drawTextChange(text);
}

void QVoComboBox::removeItem(int index)
{
    if (!m_list) {
        QComboBox::removeItem(index);
        return;
    }
    if (index < 0 || index >= m_list->count())
        return;
    QPointer<QVoComboBoxItem> row = rowWidget(index);
    rowRemoved(index, row);
    QListWidgetItem *item = m_list->item(index);
    m_list->removeItemWidget(item);
    // The view may already have released the row; otherwise it goes now.
    delete row.data();
    delete m_list->takeItem(m_list->row(item));
    if (m_list->count() == 0)
        drawTextChange(QString());
}

void QVoComboBox::clear()
{
    if (!m_list) {
        QComboBox::clear();
        return;
    }
    for (int i = m_list->count() - 1; i >= 0; --i)
        rowRemoved(i, rowWidget(i));
    m_list->clear();
    drawTextChange(QString());
}

void QVoComboBox::setItemText(int index, const QString &text)
{
    QComboBox::setItemText(index, text);
    if (QVoComboBoxItem *row = rowWidget(index))
        row->setDrawText(text);
    if (m_list && index == currentIndex())
        drawTextChange(text);
}

void QVoComboBox::markLastRow()
{
    if (QVoComboBoxItem *row = rowWidget(count() - 1))
        row->setBottomLine(1);
}

int QVoComboBox::rowLayoutHeight(int index) const
{
    const QVoComboBoxItem *row = rowWidget(index);
    if (!row)
        return 0;
    return m_rowHeight + row->separatorAbove() + row->separatorBelow() + row->bottomLine();
}

void QVoComboBox::updateRowSizes()
{
    if (!m_list)
        return;
    for (int i = 0; i < m_list->count(); ++i)
        m_list->item(i)->setSizeHint(QSize(m_popupWidth, rowLayoutHeight(i)));
}

void QVoComboBox::showPopup()
{
    setDrawState(imagestate::Normal);
    if (m_list) {
        int widest = width() - 2 * m_popupBorder;
        for (int i = 0; i < m_list->count(); ++i) {
            const QVoComboBoxItem *row = rowWidget(i);
            if (!row)
                continue;
            const QMargins margins = row->textMargins();
            widest = qMax(widest, QFontMetrics(row->font()).horizontalAdvance(row->drawText()) + margins.left() + margins.right() + 1);
        }
        m_popupWidth = widest;
        replaceClause(QStringLiteral("QComboBox QAbstractItemView { min-height: 10px; min-width: "), QStringLiteral("px}"),
                      QStringLiteral("QComboBox QAbstractItemView { min-height: 10px; min-width: %1px}").arg(widest));
        updateRowSizes();
    }
    QComboBox::showPopup();
    if (m_list) {
        if (isEditable() && lineEdit())
            lineEdit()->setStyleSheet(kEditSheet.arg(rowNormalTextColor().name()));
        m_list->scrollToTop();
    }
}

void QVoComboBox::hidePopup()
{
    if (m_list)
        m_list->scrollToTop();
    QComboBox::hidePopup();
}

void QVoComboBox::changeEditColor(const QString &)
{
    if (auto *edit = qobject_cast<QLineEdit *>(sender()))
        edit->setStyleSheet(kEditSheet.arg(rowNormalTextColor().name()));
}

void QVoComboBox::drawTextChange(const QString &text)
{
    setDrawText(text);
    setToolTip(text);
}

void QVoComboBox::currentIndexChangeSlot(int) {}

void QVoComboBox::rowAdded(int, QVoComboBoxItem *) {}

void QVoComboBox::rowRemoved(int, QVoComboBoxItem *) {}

int QVoComboBox::paintedFrame() const
{
    // A focused combo looks lit so keyboard users see where they are.
    const int frame = QVoBaseRectImageDraw::paintedFrame();
    return (frame == imagestate::Normal && hasFocus()) ? int(imagestate::Hover) : frame;
}

void QVoComboBox::replaceClause(const QString &start, const QString &end, const QString &clause)
{
    const int from = m_styleSheet.indexOf(start);
    if (from >= 0) {
        const int to = m_styleSheet.indexOf(end, from + start.size());
        if (to >= 0)
            m_styleSheet.remove(from, to + end.size() - from);
    }
    m_styleSheet += clause;
    applyStyleSheet();
}

void QVoComboBox::applyStyleSheet()
{
    if (m_list && styleSheet() != m_styleSheet)
        setStyleSheet(m_styleSheet);
}

void QVoComboBox::placeLineEdit()
{
    QLineEdit *edit = lineEdit();
    if (!edit)
        return;
    const QRect target = rect().marginsRemoved(textMargins());
    if (edit->geometry() != target) {
        edit->setGeometry(target);
        edit->setStyleSheet(kEditSheet.arg(rowNormalTextColor().name()));
    }
}

void QVoComboBox::paintEvent(QPaintEvent *event)
{
    if (!m_list) {
        QComboBox::paintEvent(event);
        return;
    }
    setTextShown(!isEditable() || (lineEdit() && lineEdit()->isHidden()));
    if (m_arrow && m_arrow->x() > width() / 2) {
        const QMargins m = textMargins();
        const int right = qMax(m.right(), width() - m_arrow->x());
        setTextMargins(qint16(m.left()), qint16(m.top()), qint16(right), qint16(m.bottom()));
    }
    if (isEditable())
        placeLineEdit();
    QPainter p(this);
    paintBackground(p);
    paintText(p);
}

void QVoComboBox::showEvent(QShowEvent *event)
{
    QComboBox::showEvent(event);
    placeArrow();
}

void QVoComboBox::resizeEvent(QResizeEvent *event)
{
    QComboBox::resizeEvent(event);
    placeArrow();
    if (m_list && isEditable())
        placeLineEdit();
}

void QVoComboBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QComboBox::mousePressEvent(event);
        return;
    }
    stateOnPress();
    if (!(m_arrow && isEditable()))
        QComboBox::mousePressEvent(event);
    emit emitClicked();
}

void QVoComboBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        stateOnRelease();
        if (lineEdit() && lineEdit()->isHidden())
            emit emitShowPopup();
    }
    QComboBox::mouseReleaseEvent(event);
}

void QVoComboBox::enterEvent(QEvent *event)
{
    stateOnEnter();
    QComboBox::enterEvent(event);
}

void QVoComboBox::leaveEvent(QEvent *event)
{
    stateOnLeave();
    QComboBox::leaveEvent(event);
}

void QVoComboBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        stateOnEnabledChange();
        if (m_arrow)
            m_arrow->setEnabled(isEnabled());
    }
    QComboBox::changeEvent(event);
}
