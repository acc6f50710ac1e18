#include "QUpdateDlg.h"

#include "QTextImageButton.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>

namespace {
constexpr int dialogWidth = 400;
constexpr int dialogHeight = 180;

QFont messageFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    return font;
}
} // namespace

QUpdateDlg::QUpdateDlg(QWidget *parent)
    : QNinePointsImageDialog(parent)
{
    setObjectName(QStringLiteral("QUpdateDlg"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setBackgroundImage(QStringLiteral("/image/Common_bg/bg_2.png"));
    setCornerSizes(50, 50, 50, 50, 50, 50, 50, 50);
    setFixedSize(dialogWidth, dialogHeight);
    setLogoImage(QStringLiteral("/image/Common_bg/main_logo.png"));
    setLogoRect(QRect(14, 9, 20, 20));
    setTitleRect(QRect(42, 9, 280, 20));
    setTitleColor(QColor(245, 245, 245));
    setDragAreaHeight(38);
    setCloseButton(QStringLiteral("/image/btn_close.png"));

    m_labMessage = new QLabel(this);
    m_labMessage->setObjectName(QStringLiteral("m_labMessage"));
    m_labMessage->setFont(messageFont());
    m_labMessage->setWordWrap(true);
    m_labMessage->setTextFormat(Qt::PlainText);
    m_labMessage->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
    m_labMessage->setGeometry(24, 52, dialogWidth - 48, 56);

    m_labNotes = new QLabel(this);
    m_labNotes->setObjectName(QStringLiteral("m_labNotes"));
    m_labNotes->setFont(messageFont());
    m_labNotes->setTextFormat(Qt::RichText);
    m_labNotes->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_labNotes->setOpenExternalLinks(false);
    m_labNotes->setGeometry(24, 110, dialogWidth - 150, 20);
    connect(m_labNotes, &QLabel::linkActivated, this, &QUpdateDlg::OnClickNotes);

    m_btnOk = new QTextImageButton(this);
    m_btnOk->setObjectName(QStringLiteral("m_btnOk"));
    m_btnOk->setImage(QStringLiteral("/image/Common_bg/btn_common.png"));
    m_btnOk->move(dialogWidth - 24 - m_btnOk->width(), dialogHeight - 18 - m_btnOk->height());
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);

    showChecking();
}

void QUpdateDlg::showChecking()
{
    m_checking = true;
    retranslateUi();
}

void QUpdateDlg::showResult(const UpdateResult &result, const QString &productName, const QString &currentVersion)
{
    m_checking = false;
    m_result = result;
    m_productName = productName;
    m_currentVersion = currentVersion;
    retranslateUi();
}

void QUpdateDlg::retranslateUi()
{
    const QString title = tr("Check for Updates");
    setTitleText(title);
    setWindowTitle(title);
    m_btnOk->setText(tr("OK"));
    m_notesUrl.clear();
    m_labNotes->clear();
    m_labNotes->hide();
    if (m_checking) {
        m_labMessage->setText(tr("Checking for updates..."));
        return;
    }
    switch (m_result.outcome) {
    case UpdateResult::UpToDate:
        m_labMessage->setText(tr("You are up to date: %1 %2 is the newest version.").arg(m_productName, m_currentVersion));
        break;
    case UpdateResult::NewVersion:
        m_labMessage->setText(tr("A new version %1 of %2 is available. You have version %3.")
                                  .arg(m_result.version, m_productName, m_currentVersion));
        if (m_result.notesUrl.isValid()) {
            m_notesUrl = m_result.notesUrl;
            m_labNotes->setText(QStringLiteral("<a href=\"notes\" style=\"color: rgb(238,156,80);\">%1</a>")
                                    .arg(tr("Release notes").toHtmlEscaped()));
            m_labNotes->show();
        }
        break;
    case UpdateResult::Failed:
        m_labMessage->setText(tr("The update information could not be retrieved. "
                                 "Please check your network connection and try again later."));
        break;
    }
}

void QUpdateDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QNinePointsImageDialog::changeEvent(event);
}

QString QUpdateDlg::messageText() const
{
    return m_labMessage->text();
}

void QUpdateDlg::OnClickNotes(const QString &)
{
    // Only the feed's own web link is ever opened, and only on request.
    if (m_notesUrl.isValid())
        QDesktopServices::openUrl(m_notesUrl);
}
