#include "QEditTipDlg.h"

#include "QImageButton.h"
#include "QVoBaseButton.h"
#include "QVoCheckBox.h"

#include <QLabel>

QEditTipDlg::QEditTipDlg(QWidget *parent) : QNinePointsImageDialog(parent)
{
    setBackgroundImage("/VEditSource/bg_3.png", true);
    setFixedSize(420, 190);
    setTitleText(tr("Video Edit"));
    setTitleColor(QColor(228, 228, 228));
    setCloseButton("/VEditSource/btn_close.png");
    setModal(true);
    m_labText = new QLabel(tr("Note: The currently selected output mode is High-Speed mode (Lossless). The edited "
                              "effect won't be applied to the output file."),
                           this);
    m_labText->setObjectName("m_labText");
    m_labText->setWordWrap(true);
    m_labText->setStyleSheet("color: rgb(228, 228, 228); font-family: Tahoma; font-size: 12px;");
    m_labText->setGeometry(24, 44, 372, 60);
    m_chkDontShow = new QVoCheckBox(tr("Don't show this window again"), this);
    m_chkDontShow->setObjectName("m_chkDontShow");
    m_chkDontShow->setGeometry(24, 112, 300, 22);
    m_btnOK = new QVoBaseButton(this);
    m_btnOK->setObjectName("m_btnOK");
    m_btnOK->setImage("/VEditSource/btn_common.png", true);
    m_btnOK->setText(tr("OK"));
    m_btnOK->setGeometry(200, 148, 90, 28);
    m_btnCancel = new QVoBaseButton(this);
    m_btnCancel->setObjectName("m_btnCancel");
    m_btnCancel->setImage("/VEditSource/btn_common.png", true);
    m_btnCancel->setText(tr("Cancel"));
    m_btnCancel->setGeometry(306, 148, 90, 28);
    connect(m_btnOK, &QVoBaseButton::clicked, this, &QEditTipDlg::accept);
    connect(m_btnCancel, &QVoBaseButton::clicked, this, &QEditTipDlg::reject);
    if (closeButton())
        connect(closeButton(), &QImageButton::clicked, this, &QEditTipDlg::reject);
}

bool QEditTipDlg::isDontShowAgain() const
{
    return m_chkDontShow->checkState() == Qt::Checked;
}
