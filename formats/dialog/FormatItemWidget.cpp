#include "FormatItemWidget.h"

#include "FormatItem.h"
#include "ProfileCatalogue.h"
#include "StyleScrollBar.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

FormatItemWidget::FormatItemWidget(bool lossless, QWidget *parent)
    : QScrollArea(parent)
    , m_lossless(lossless)
{
    setObjectName(lossless ? QStringLiteral("m_formatItemLosslessDlg") : QStringLiteral("m_formatItemDlg"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *bar = new StyleScrollBar(this);
    bar->setUpArrowImages(QStringLiteral("/image/ScrollBar/btn_up.png"), QStringLiteral("/image/ScrollBar/btn_up2.png"));
    bar->setDownArrowImages(QStringLiteral("/image/ScrollBar/btn_down.png"),
                            QStringLiteral("/image/ScrollBar/btn_down2.png"));
    setVerticalScrollBar(bar);
    setStyleSheet(QStringLiteral("QScrollArea { background: transparent; }"));
    viewport()->setAutoFillBackground(false);

    m_content = new QWidget;
    m_content->setAutoFillBackground(false);
    m_content->installEventFilter(this);
    auto *row = new QHBoxLayout(m_content);
    row->setContentsMargins(8, 8, 8, 8);
    row->setSpacing(14);
    const char *names[] = {"m_LayoutL1", "m_LayoutL2", "m_LayoutM", "m_LayoutR2", "m_LayoutR1"};
    for (const char *name : names) {
        auto *column = new QVBoxLayout;
        column->setObjectName(QString::fromLatin1(name));
        column->setSpacing(10);
        column->setContentsMargins(0, 0, 0, 0);
        column->addStretch(1);
        row->addLayout(column);
        m_columns << column;
    }
    row->addStretch(1);
    setWidget(m_content);
    setWidgetResizable(true);
}

void FormatItemWidget::fill(ProfileCatalogue &catalogue, const QString &category)
{
    for (FormatItem *item : m_items)
        delete item;
    m_items.clear();
    m_selected = nullptr;
    m_category = category;
    const QVector<FormatItemInfo> infos = catalogue.getItems(category);
    for (int i = 0; i < infos.size(); ++i) {
        const FormatItemInfo &info = infos[i];
        auto *item = new FormatItem(info.id, info.category, info.ext, info.title, info.icon, m_lossless, m_content);
        connect(item, &FormatItem::emitOnSet, this, &FormatItemWidget::emitClickBtnSet);
        connect(item, &FormatItem::emitItemDoubleClick, this, &FormatItemWidget::emitDoubleClick);
        connect(item, &FormatItem::emitItemPress, this, &FormatItemWidget::ItemPress);
        QVBoxLayout *column = m_columns[i % m_columns.size()];
        column->insertWidget(column->count() - 1, item);
        // At once, not on the layout's next pass: a press may follow now.
        item->show();
        m_items << item;
    }
    verticalScrollBar()->setValue(0);
}

FormatItem *FormatItemWidget::item(const QString &id) const
{
    for (FormatItem *item : m_items)
        if (item->formatId() == id)
            return item;
    return nullptr;
}

void FormatItemWidget::selectItem(const QString &id)
{
    m_selected = nullptr;
    for (FormatItem *item : m_items) {
        if (item->formatId() == id) {
            item->setState(2);
            m_selected = item;
        } else {
            item->setState(0);
        }
    }
    if (m_selected != nullptr)
        ensureWidgetVisible(m_selected, 0, 8);
}

void FormatItemWidget::ItemPress(const QString &categories, const QString &itemID, bool all)
{
    if (!all)
        emit emitItemPress(categories, itemID);
    auto *source = qobject_cast<FormatItem *>(sender());
    if (source == nullptr)
        source = item(itemID);
    m_selected = source;
    for (FormatItem *item : m_items)
        if (item != source)
            item->setState(0);
}

bool FormatItemWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_content && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        emit emitClickFormatWgt();
    return QScrollArea::eventFilter(watched, event);
}
