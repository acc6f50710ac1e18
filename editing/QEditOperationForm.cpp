#include "QEditOperationForm.h"

#include "QCommonButtonForm.h"

#include <QLabel>
#include <QVBoxLayout>

QEditOperationForm::QEditOperationForm(QVideoEditingSettings *settings, bool commonButtons, QWidget *parent)
    : QWidget(parent), m_settings(settings)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 8, 12, 8);
    m_labCaption = new QLabel(this);
    m_labCaption->setObjectName("m_labCaption");
    m_labCaption->setStyleSheet("color: rgb(246, 246, 246); font-family: Tahoma; font-size: 12px;");
    m_labCaption->setWordWrap(true);
    column->addWidget(m_labCaption);
    column->addStretch();
    if (commonButtons) {
        m_common = new QCommonButtonForm(this);
        column->addWidget(m_common);
        connect(m_common, &QCommonButtonForm::emitApplyToAll, this, &QEditOperationForm::emitApplyToAll);
        connect(m_common, &QCommonButtonForm::emitReset, this, &QEditOperationForm::onReset);
    }
}

void QEditOperationForm::loadOnce()
{
    if (m_loaded)
        return;
    m_loaded = true;
    loadSettings();
}
