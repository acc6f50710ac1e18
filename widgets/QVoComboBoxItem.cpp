#include "QVoComboBoxItem.h"

#include "ImageState.h"

#include <QListWidget>
#include <QPainter>

QVoComboBoxItem::QVoComboBoxItem(QListWidget *list, QListWidgetItem *item, QWidget *parent)
    : QWidget(parent)
    , QVoBaseRectImageDraw(this)
    , m_list(list)
    , m_item(item)
    , m_appliedAlignment(textAlignment())
{
    setTextMargins(5, 0, 0, 0);
    setStateFrames(true);
    // The popup's own view keeps the keyboard; rows only paint.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover, true);
}

void QVoComboBoxItem::setRowTemplate(const ComboRowTemplate &rowTemplate)
{
    m_template = rowTemplate;
    update();
}

void QVoComboBoxItem::setAttachedWidget(QWidget *widget)
{
    m_attached = widget;
    placeAttachedWidget();
}

void QVoComboBoxItem::setBottomLine(int height)
{
    m_bottomLine = qMax(0, height);
    update();
}

void QVoComboBoxItem::placeAttachedWidget()
{
    if (!m_attached)
        return;
    const int x = m_template.attachedX < 0 ? 2 : m_template.attachedX;
    const int y = m_template.attachedY < 0 ? (height() - m_attached->height()) / 2 : m_template.attachedY;
    m_attached->move(x, y);
}

int QVoComboBoxItem::rowIndex() const { return m_list ? m_list->row(m_item) : -1; }

bool QVoComboBoxItem::isLastRow() const { return m_list && rowIndex() == m_list->count() - 1; }

int QVoComboBoxItem::separatorAbove() const
{
    const int width = m_template.separatorWidth;
    return (width >= 2 && rowIndex() > 0) ? width / 2 : 0;
}

int QVoComboBoxItem::separatorBelow() const
{
    const int width = m_template.separatorWidth;
    return (width > 0 && !isLastRow()) ? (width + 1) / 2 : 0;
}

void QVoComboBoxItem::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(Qt::NoPen);
    const bool current = m_list && m_list->currentItem() == m_item;
    QColor background = m_template.normalBackground;
    if (m_template.markCurrentRow) {
        if (current)
            background = m_template.selectedBackground;
        else if (m_hovered)
            background = m_template.hoverBackground;
    } else if (m_hovered || current) {
        // The popup's view moves its current row with the mouse and with
        // the arrow keys alike; showing it keeps keyboard choice visible.
        background = m_template.selectedBackground;
    }
    p.fillRect(rect(), background);
    // The current row reads as pressed while rows mark it.
    setSelected(m_template.markCurrentRow && current);

    const int above = separatorAbove();
    const int below = separatorBelow();
    if (above > 0)
        p.fillRect(QRect(0, 0, width(), above), m_template.separatorColor);
    if (below > 0)
        p.fillRect(QRect(0, height() - m_bottomLine - below, width(), below), m_template.separatorColor);

    if (m_appliedAlignment != m_template.textAlignment) {
        m_appliedAlignment = m_template.textAlignment;
        setTextAlignment(m_appliedAlignment);
    }
    paintIcon(p);
    paintText(p);

    if (m_bottomLine > 0)
        p.fillRect(QRect(1, height() - m_bottomLine, width() - 2, m_bottomLine), m_template.bottomLineColor);
}

void QVoComboBoxItem::enterEvent(QEvent *event)
{
    m_hovered = true;
    update();
    QWidget::enterEvent(event);
}

void QVoComboBoxItem::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QWidget::leaveEvent(event);
}

void QVoComboBoxItem::showEvent(QShowEvent *event)
{
    placeAttachedWidget();
    QWidget::showEvent(event);
}
