#include "QCommonButtonForm.h"

#include "QVoBaseButton.h"

#include <QHBoxLayout>

QCommonButtonForm::QCommonButtonForm(QWidget *parent) : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    m_btnApplyAll = new QVoBaseButton(this);
    m_btnApplyAll->setObjectName("m_btnApplyAll");
    m_btnApplyAll->setImage("/VEditSource/btn_common.png", true);
    m_btnApplyAll->setText(tr("Apply to all"));
    m_btnApplyAll->setFixedSize(110, 26);
    m_btnReset = new QVoBaseButton(this);
    m_btnReset->setObjectName("m_btnReset");
    m_btnReset->setImage("/VEditSource/btn_common.png", true);
    m_btnReset->setText(tr("Reset"));
    m_btnReset->setFixedSize(90, 26);
    row->addWidget(m_btnApplyAll);
    row->addWidget(m_btnReset);
    connect(m_btnApplyAll, &QVoBaseButton::clicked, this, &QCommonButtonForm::emitApplyToAll);
    connect(m_btnReset, &QVoBaseButton::clicked, this, &QCommonButtonForm::emitReset);
}
