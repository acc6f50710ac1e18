#include "CategoriesBtnWgt.h"

#include <QHBoxLayout>

CategoriesBtnWgt::CategoriesBtnWgt(QWidget *parent)
    : QWidget(parent)
    , m_layout(new QHBoxLayout(this))
{
    m_layout->setSpacing(0);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addStretch(1);
}

void CategoriesBtnWgt::addButton(QWidget *button)
{
    // Tabs line up from the left; the stretch stays last.
    m_layout->insertWidget(m_layout->count() - 1, button);
}
