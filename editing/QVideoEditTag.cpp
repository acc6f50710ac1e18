#include "QVideoEditTag.h"

#include "QTextImageButton.h"

#include <QHBoxLayout>

QVideoEditTag::QVideoEditTag(QWidget *parent)
    : QVideoEditTag({tr("Trim"), tr("Adjust"), tr("Effect"), tr("Watermark"), tr("Subtitle"), tr("Audio"), tr("Tag")},
                    parent)
{
}

QVideoEditTag::QVideoEditTag(const QStringList &titles, QWidget *parent) : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (int i = 0; i < titles.size(); ++i) {
        auto *b = new QTextImageButton(this);
        b->setImage("/VEditSource/tab_btn_bg_image.png");
        b->setText(titles[i]);
        b->setTextPixelSize(12);
        b->setTextColors(QColor(74, 74, 74), QColor(74, 74, 74), QColor(74, 74, 74), QColor(150, 150, 150));
        b->setCheckedColor(QColor(74, 74, 74));
        b->setObjectName(QString("m_btnTab%1").arg(i));
        connect(b, &QTextImageButton::clicked, this, &QVideoEditTag::onButton);
        row->addWidget(b);
        m_buttons << b;
    }
    row->addStretch();
    setCurrentIndex(0);
}

void QVideoEditTag::setCurrentIndex(int index)
{
    if (index < 0 || index >= m_buttons.size())
        return;
    m_current = index;
    for (int i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setSelected(i == index);
}

void QVideoEditTag::setTabEnabled(int index, bool enabled)
{
    if (auto *b = m_buttons.value(index))
        b->setEnabled(enabled);
}

bool QVideoEditTag::isTabEnabled(int index) const
{
    auto *b = m_buttons.value(index);
    return b && b->isEnabled();
}

void QVideoEditTag::onButton()
{
    const int index = m_buttons.indexOf(qobject_cast<QTextImageButton *>(sender()));
    if (index < 0)
        return;
    setCurrentIndex(index);
    emit emitSelectedTag(index);
}
