#include "FormatItem.h"

#include "QImageButton.h"
#include "SkinImage.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

FormatItem::FormatItem(const QString &id, const QString &category, const QString &ext, const QString &title,
                       const QString &icon, bool noSetButton, QWidget *parent)
    : QWidget(parent)
    , m_id(id)
    , m_category(category)
    , m_ext(ext)
    , m_title(title)
    , m_noSetButton(noSetButton)
{
    setObjectName(QStringLiteral("FormatItem_") + id);
    setFixedSize(98, 76);
    setAttribute(Qt::WA_TranslucentBackground);
    m_icon = skin::load(iconPath(icon));
    m_background = skin::load(QStringLiteral("/image/Format_Dlg/format_item.png"));

    m_labName = new QLabel(title, this);
    m_labName->setObjectName(QStringLiteral("m_labName"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(10);
    m_labName->setFont(font);
    m_labName->setWordWrap(true);
    m_labName->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    m_labName->setStyleSheet(QStringLiteral("color: rgb(228,228,228); background: transparent;"));
    m_labName->setGeometry(3, 44, 92, 30);
    // Presses on the title are presses on the tile.
    m_labName->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_labName->setToolTip(title);
    setToolTip(title);

    m_btnSet = new QImageButton(this);
    m_btnSet->setObjectName(QStringLiteral("m_btnSet"));
    m_btnSet->setImage(QStringLiteral("/image/Format_Dlg/btn_settings.png"));
    m_btnSet->move(width() - m_btnSet->width() - 4, 4);
    m_btnSet->setToolTip(tr("Set"));
    m_btnSet->hide();
    connect(m_btnSet, &QPushButton::clicked, this, &FormatItem::OnBtnSet);
}

QString FormatItem::iconPath(const QString &icon)
{
    return QStringLiteral("/image/Format/icon_%1.png").arg(icon);
}

void FormatItem::setState(int state)
{
    m_state = state;
    m_btnSet->setVisible(state == 2 && !m_noSetButton);
    update();
}

void FormatItem::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_background.isNull())
        skin::drawFrame(p, rect(), m_background, qBound(0, m_state, 2));
    if (!m_icon.isNull()) {
        const QSize fitted = skin::logicalSize(m_icon).scaled(37, 37, Qt::KeepAspectRatio);
        p.drawPixmap(QRect(QPoint((width() - fitted.width()) / 2, 8), fitted), m_icon);
    }
}

void FormatItem::BtnEnter()
{
    if (m_state != 2)
        setState(1);
}

void FormatItem::BtnLeave()
{
    if (m_state != 2)
        setState(0);
}

void FormatItem::BtnPress()
{
    setState(2);
    emit emitItemPress(m_category, m_id, false);
}

void FormatItem::OnBtnSet()
{
    emit emitOnSet(m_id);
}

void FormatItem::enterEvent(QEvent *event)
{
    BtnEnter();
    QWidget::enterEvent(event);
}

void FormatItem::leaveEvent(QEvent *event)
{
    BtnLeave();
    QWidget::leaveEvent(event);
}

void FormatItem::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        BtnPress();
    QWidget::mousePressEvent(event);
}

void FormatItem::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit emitItemDoubleClick();
}
