#include "QCustomComboBox.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

QCustomComboBox::QCustomComboBox(QWidget *parent)
    : QCustomImageWidget(parent)
    , m_menu(new QMenu(this))
{
    m_minRowWidth = width() - 7;
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(m_itemPointSize);
    m_menu->setFont(font);
    // The press that opens the menu must finish first, or the menu would
    // take the release as a click on its first row.
    connect(this, &QCustomComboBox::emitShowItemMenu, this, &QCustomComboBox::ShowItemMenu, Qt::QueuedConnection);
}

void QCustomComboBox::addItem(const QString &text)
{
    Row row;
    row.text = text;
    row.action = m_menu->addAction(text);
    connect(row.action, &QAction::triggered, this, &QCustomComboBox::OnAction);
    m_rows.append(row);
    if (m_rows.size() == 1)
        setCurrentIndex(0);
    if (m_itemSizeMode) {
        const QFontMetrics fm(m_menu->font());
        m_rowHeight = fm.height() + 5;
        m_widestText = qMax(m_widestText, fm.horizontalAdvance(text));
        applyMenuStyle();
    }
}

void QCustomComboBox::applyMenuStyle()
{
    QString style = m_extraStyle;
    if (m_itemSizeMode && m_rowHeight > 0)
        style += QStringLiteral("QMenu:item{height:%1px;width:%2;}").arg(m_rowHeight).arg(qMax(m_widestText + 5, m_minRowWidth));
    m_menu->setStyleSheet(style);
}

void QCustomComboBox::setItemValue(int index, const QVariant &value)
{
    if (index >= 0 && index < m_rows.size())
        m_rows[index].value = value;
}

void QCustomComboBox::setItemText(int index, const QString &text)
{
    if (index < 0 || index >= m_rows.size())
        return;
    m_rows[index].text = text;
    m_rows[index].action->setText(text);
    if (index == m_current)
        setCurrentIndex(index);
}

void QCustomComboBox::removeItem(int index)
{
    if (m_rows.isEmpty())
        return;
    if (index < 0 || index >= m_rows.size())
        index = m_rows.size() - 1;
    QAction *action = m_rows[index].action;
    m_menu->removeAction(action);
    delete action;
    m_rows.removeAt(index);
    if (m_rows.isEmpty()) {
        m_current = -1;
        m_text.clear();
        setToolTip(QString());
    } else if (index < m_current) {
        --m_current;
    } else if (index == m_current) {
        setCurrentIndex(qMin(index, m_rows.size() - 1));
    }
    update();
}

void QCustomComboBox::clear()
{
    for (const Row &row : qAsConst(m_rows)) {
        m_menu->removeAction(row.action);
        delete row.action;
    }
    m_rows.clear();
    m_current = -1;
    m_text.clear();
    setToolTip(QString());
    update();
}

void QCustomComboBox::setCurrentIndex(int index)
{
    if (index < 0 || index >= m_rows.size())
        return;
    m_current = index;
    m_text = m_rows[index].text;
    setToolTip(m_text);
    update();
}

QString QCustomComboBox::itemText(int index) const
{
    return index >= 0 && index < m_rows.size() ? m_rows[index].text : QString();
}

QVariant QCustomComboBox::itemValue(int index) const
{
    return index >= 0 && index < m_rows.size() ? m_rows[index].value : QVariant();
}

QAction *QCustomComboBox::itemAction(int index) const
{
    return index >= 0 && index < m_rows.size() ? m_rows[index].action : nullptr;
}

void QCustomComboBox::setMenuStyleSheet(const QString &styleSheet)
{
    m_extraStyle = styleSheet;
    applyMenuStyle();
}

void QCustomComboBox::setMinRowWidth(int width)
{
    m_minRowWidth = width;
    applyMenuStyle();
}

void QCustomComboBox::setItemPointSize(int pointSize)
{
    m_itemPointSize = pointSize;
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(pointSize);
    m_menu->setFont(font);
}

void QCustomComboBox::OnAction()
{
    auto *action = qobject_cast<QAction *>(sender());
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].action != action)
            continue;
        if (i == m_current)
            return;
        setCurrentIndex(i);
        emit activated(i);
        emit currentIndexChanged(i);
        return;
    }
}

void QCustomComboBox::ShowItemMenu()
{
    if (m_rows.isEmpty())
        return;
    m_menu->popup(mapToGlobal(rect().bottomLeft() + QPoint(m_menuOffset, 1)));
}

void QCustomComboBox::mousePressEvent(QMouseEvent *event)
{
    QCustomImageWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled())
        emit emitShowItemMenu();
}

void QCustomComboBox::paintEvent(QPaintEvent *event)
{
    QCustomImageWidget::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // A small drop-down mark keeps the control recognisable as a choice.
    const int arrowRight = width() - 8;
    const QPointF c(arrowRight - 3.5, height() / 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(isEnabled() ? m_textColor : QColor(110, 110, 110));
    p.drawPolygon(QPolygonF(QVector<QPointF>{{c.x() - 3.5, c.y() - 2}, {c.x() + 3.5, c.y() - 2}, {c.x(), c.y() + 2.5}}));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(isEnabled() ? m_textColor : QColor(120, 120, 120));
    const QRect area(8, 0, width() - 8 - 20, height());
    p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, p.fontMetrics().elidedText(m_text, Qt::ElideRight, area.width()));
}
