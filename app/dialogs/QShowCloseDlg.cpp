#include "QShowCloseDlg.h"

#include "AppPaths.h"
#include "QCheckButton.h"
#include "QTextImageButton.h"

#include <QEvent>

namespace {
constexpr int dialogWidth = 325;
constexpr int dialogHeight = 184;

QCheckButton *choice(const QString &name, const QString &on, const QString &off, bool radio, QWidget *parent)
{
    auto *button = new QCheckButton(parent);
    button->setObjectName(name);
    button->setPictures(on, off);
    button->setRadioMode(radio);
    button->setTextFont(QStringLiteral("Tahoma"), false, 11);
    button->setTextColors(QColor(228, 228, 228), QColor(119, 108, 87));
    return button;
}
} // namespace

QShowCloseDlg::QShowCloseDlg(bool exitChosen, bool trayAvailable, QWidget *parent)
    : QNinePointsImageDialog(parent)
    , m_trayAvailable(trayAvailable)
{
    setObjectName(QStringLiteral("QShowCloseDlg"));
    setModal(true);
    setBackgroundImage(QStringLiteral("/image/Common_bg/bg_2.png"));
    setCornerSizes(50, 50, 50, 50, 50, 50, 50, 50);
    setFixedSize(dialogWidth, dialogHeight);
    setLogoImage(QStringLiteral("/image/Common_bg/main_logo.png"));
    setLogoRect(QRect(14, 9, 20, 20));
    setTitleRect(QRect(42, 9, 230, 20));
    setTitleColor(QColor(245, 245, 245));
    setDragAreaHeight(38);
    setCloseButton(QStringLiteral("/image/btn_close.png"));

    const QString radioOn = QStringLiteral("/image/Common_bg/Edit_selections_yes.png");
    const QString radioOff = QStringLiteral("/image/Common_bg/Edit_selections_no.png");
    m_radioMin = choice(QStringLiteral("m_radioMin"), radioOn, radioOff, true, this);
    m_radioMin->setGeometry(50, 55, dialogWidth - 70, 20);
    m_radioClose = choice(QStringLiteral("m_radioClose"), radioOn, radioOff, true, this);
    m_radioClose->setGeometry(50, 80, dialogWidth - 70, 20);
    m_chkNote = choice(QStringLiteral("m_chkNote"), QStringLiteral("/image/Common_bg/btn_check_on1.png"),
                       QStringLiteral("/image/Common_bg/btn_check_off1.png"), false, this);
    m_chkNote->setGeometry(50, 108, dialogWidth - 70, 20);

    m_btnCancel = new QTextImageButton(this);
    m_btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    m_btnCancel->setImage(QStringLiteral("/image/Common_bg/btn_common.png"));
    m_btnCancel->setTextPixelSize(11);
    m_btnCancel->move(dialogWidth - 16 - m_btnCancel->width(), dialogHeight - 16 - m_btnCancel->height());
    m_btnOk = new QTextImageButton(this);
    m_btnOk->setObjectName(QStringLiteral("m_btnOk"));
    m_btnOk->setImage(QStringLiteral("/image/Common_bg/btn_common.png"));
    m_btnOk->setTextPixelSize(11);
    m_btnOk->move(m_btnCancel->x() - 8 - m_btnOk->width(), m_btnCancel->y());

    m_radioClose->setChecked(exitChosen);
    m_radioMin->setChecked(!exitChosen);
    connect(m_radioMin, &QCheckButton::clicked, this, &QShowCloseDlg::OnChangeChoice);
    connect(m_radioClose, &QCheckButton::clicked, this, &QShowCloseDlg::OnChangeChoice);
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    retranslateUi();
}

void QShowCloseDlg::retranslateUi()
{
    setTitleText(productTitle());
    setWindowTitle(productTitle());
    m_radioMin->setText(m_trayAvailable ? tr("Minimize to Tray") : tr("Minimize (no system tray available)"));
    m_radioClose->setText(tr("Exit"));
    m_chkNote->setText(tr("Don't show this window again"));
    m_btnOk->setText(tr("OK"));
    m_btnCancel->setText(tr("Cancel"));
}

void QShowCloseDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QNinePointsImageDialog::changeEvent(event);
}

void QShowCloseDlg::OnChangeChoice()
{
    const bool exit = sender() == m_radioClose;
    m_radioClose->setChecked(exit);
    m_radioMin->setChecked(!exit);
}

bool QShowCloseDlg::isExitChosen() const { return m_radioClose->isChecked(); }
bool QShowCloseDlg::isNoteChecked() const { return m_chkNote->isChecked(); }
