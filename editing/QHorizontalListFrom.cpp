#include "QHorizontalListFrom.h"

#include "QHorizontalListItem.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>

QHorizontalListFrom::QHorizontalListFrom(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName("m_scrollArea");
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scroll->setStyleSheet("QScrollArea, QWidget#m_row { background: transparent; }"
                            "QScrollBar:horizontal { height: 6px; background: rgb(40, 40, 40); border: none; }"
                            "QScrollBar::handle:horizontal { background: rgb(110, 110, 110); border-radius: 3px;"
                            " min-width: 24px; }"
                            "QScrollBar::add-line, QScrollBar::sub-line { width: 0; }");
    m_row = new QWidget;
    m_row->setObjectName("m_row");
    m_rowLayout = new QHBoxLayout(m_row);
    m_rowLayout->setContentsMargins(2, 0, 2, 0);
    m_rowLayout->setSpacing(6);
    m_rowLayout->addStretch();
    m_scroll->setWidget(m_row);
    layout->addWidget(m_scroll);
}

void QHorizontalListFrom::clear()
{
    qDeleteAll(m_items);
    m_items.clear();
    m_current = -1;
}

QHorizontalListItem *QHorizontalListFrom::addItem(const QString &picture, const QString &title)
{
    auto *item = new QHorizontalListItem(m_row);
    item->setObjectName(QString("m_item%1").arg(m_items.size()));
    item->setPicture(picture);
    item->setTitle(title);
    m_rowLayout->insertWidget(m_items.size(), item);
    connect(item, &QHorizontalListItem::emitMousePress, this, &QHorizontalListFrom::itemMousePress);
    connect(item, &QHorizontalListItem::emitMouseShiftPress, this, &QHorizontalListFrom::itemMouseShiftPress);
    connect(item, &QHorizontalListItem::emitMouseCtrlPress, this, &QHorizontalListFrom::itemMouseCtrlPress);
    connect(item, &QHorizontalListItem::emitShowTreeMenu, this, &QHorizontalListFrom::itemShowTreeMenu);
    m_items << item;
    return item;
}

void QHorizontalListFrom::setCurrentIndex(int index)
{
    m_current = index >= 0 && index < m_items.size() ? index : -1;
    for (int i = 0; i < m_items.size(); ++i)
        m_items[i]->setHighlighted(i == m_current);
    if (m_current >= 0)
        m_scroll->ensureWidgetVisible(m_items[m_current], 8, 0);
}

void QHorizontalListFrom::itemMousePress()
{
    const int index = m_items.indexOf(qobject_cast<QHorizontalListItem *>(sender()));
    if (index < 0 || index == m_current)
        return;
    setCurrentIndex(index);
    emit currentIndexChanged(index);
}

// Only a plain press chooses; the other presses are offered for lists that
// choose several items, which these lists do not.
void QHorizontalListFrom::itemMouseShiftPress() {}

void QHorizontalListFrom::itemMouseCtrlPress() {}

void QHorizontalListFrom::itemShowTreeMenu() {}
