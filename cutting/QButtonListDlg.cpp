#include "QButtonListDlg.h"

#include "QTextImageButton.h"

#include <QEvent>
#include <QHBoxLayout>

namespace {

constexpr int buttonSize = 19;
constexpr int spacing = 3;

QTextImageButton *makeArrow(QWidget *parent, const QString &image)
{
    auto *b = new QTextImageButton(parent);
    b->setImage(image, QRect(0, 0, buttonSize, buttonSize));
    b->setTextPixelSize(8);
    return b;
}

} // namespace

QButtonListDlg::QButtonListDlg(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("QButtonListDlg"));
    resize((spacing * 7 + buttonSize * 8 + 6), buttonSize);

    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(25, 0, 25, 0);
    outer->setSpacing(0);
    m_buttonLayout = new QHBoxLayout();
    m_buttonLayout->setContentsMargins(0, 0, 0, 0);
    m_buttonLayout->setSpacing(spacing);
    outer->addLayout(m_buttonLayout);
    outer->addStretch(1);

    m_btnPrevious = makeArrow(this, QStringLiteral("/image/CutToolDlg/btn_left.png"));
    m_btnPrevious->setObjectName(QStringLiteral("m_btnPrevious"));
    m_btnNext = makeArrow(this, QStringLiteral("/image/CutToolDlg/btn_right.png"));
    m_btnNext->setObjectName(QStringLiteral("m_btnNext"));
    connect(m_btnPrevious, &QTextImageButton::clicked, this, &QButtonListDlg::OnPreviousBtn);
    connect(m_btnNext, &QTextImageButton::clicked, this, &QButtonListDlg::OnNextBtn);
    refresh();
}

void QButtonListDlg::refresh()
{
    const int n = m_buttons.size();
    if (n < visibleCount)
        m_firstVisible = 0;
    if (n - m_firstVisible < visibleCount)
        m_firstVisible = n - visibleCount;
    if (m_firstVisible < 0)
        m_firstVisible = 0;
    for (int i = 0; i < n; ++i) {
        QTextImageButton *b = m_buttons.at(i);
        b->setVisible(!(i < m_firstVisible || i - m_firstVisible + 1 > visibleCount));
        b->setText(QString::number(i + 1));
        b->setToolTip(tr("Segment %1").arg(i + 1));
        b->setFocusPolicy(Qt::TabFocus);
    }
    m_btnPrevious->setToolTip(tr("Previous Segments"));
    m_btnNext->setToolTip(tr("Next Segments"));
    m_btnPrevious->setVisible(m_firstVisible != 0);
    m_btnNext->setVisible(m_firstVisible + visibleCount < n);
    placeArrows();
}

void QButtonListDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        refresh();
    QWidget::changeEvent(event);
}

void QButtonListDlg::placeArrows()
{
    m_btnPrevious->move(0, 0);
    m_btnNext->move(width() - m_btnNext->width(), 0);
    m_btnPrevious->raise();
    m_btnNext->raise();
}

void QButtonListDlg::setSelected(QTextImageButton *button)
{
    if (m_selected)
        m_selected->setSelected(false);
    m_selected = button;
    if (m_selected)
        m_selected->setSelected(true);
}

void QButtonListDlg::add(bool select)
{
    auto *b = new QTextImageButton(this);
    b->setImage(QStringLiteral("/image/Common_bg/btn_common3.png"));
    b->setStretch(true);
    b->setFixedSize(buttonSize, buttonSize);
    b->setTextPixelSize(8);
    b->setTextColors(Qt::white, Qt::white, Qt::white, QColor(160, 160, 160));
    if (select)
        setSelected(b);
    connect(b, &QTextImageButton::clicked, this, &QButtonListDlg::OnClickBtn);
    m_buttonLayout->addWidget(b);
    m_buttons.append(b);
    m_firstVisible = qMax(0, m_buttons.size() - visibleCount);
    refresh();
}

void QButtonListDlg::OnClickBtn()
{
    auto *b = qobject_cast<QTextImageButton *>(sender());
    if (!b || b == m_selected)
        return;
    const int index = m_buttons.indexOf(b);
    if (index < 0)
        return;
    setSelected(b);
    emit ClickIndex(index);
}

void QButtonListDlg::OnPreviousBtn()
{
    if (m_buttons.size() < visibleCount)
        m_firstVisible = 0;
    else
        m_firstVisible = qMax(0, m_firstVisible - 1);
    refresh();
}

void QButtonListDlg::OnNextBtn()
{
    if (m_buttons.size() < visibleCount)
        m_firstVisible = 0;
    else if (m_firstVisible + visibleCount - 1 < m_buttons.size())
        ++m_firstVisible;
    refresh();
}

void QButtonListDlg::showLastItem()
{
    m_firstVisible = qMax(0, m_buttons.size() - visibleCount);
    refresh();
}

void QButtonListDlg::select(int index)
{
    if (index < 0 || index >= m_buttons.size())
        return;
    setSelected(m_buttons.at(index));
}

void QButtonListDlg::remove(int index)
{
    if (index < 0 || index >= m_buttons.size())
        return;
    QTextImageButton *b = m_buttons.at(index);
    if (b == m_selected) {
        QTextImageButton *neighbour = nullptr;
        if (m_buttons.size() > 1)
            neighbour = m_buttons.at(index == 0 ? 1 : index - 1);
        setSelected(neighbour);
    }
    m_buttonLayout->removeWidget(b);
    m_buttons.removeAt(index);
    delete b;
    refresh();
}

void QButtonListDlg::clear()
{
    for (QTextImageButton *b : qAsConst(m_buttons)) {
        m_buttonLayout->removeWidget(b);
        delete b;
    }
    m_buttons.clear();
    m_selected = nullptr;
    m_firstVisible = 0;
    refresh();
}

void QButtonListDlg::paintEvent(QPaintEvent *)
{
    placeArrows();
}

void QButtonListDlg::resizeEvent(QResizeEvent *)
{
    placeArrows();
}
