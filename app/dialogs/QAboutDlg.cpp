#include "QAboutDlg.h"

#include "AppPaths.h"
#include "ProductInfo.h"
#include "SkinImage.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>

namespace {
QFont tahoma(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel *label(const QString &name, const QFont &font, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setFont(font);
    l->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
    return l;
}
} // namespace

QAboutDlg::QAboutDlg(QWidget *parent)
    : QNinePointsImageDialog(parent)
{
    setObjectName(QStringLiteral("QAboutDlg"));
    setModal(true);
    setBackgroundImage(QStringLiteral("/image/Common_bg/bg_2.png"));
    setCornerSizes(50, 50, 50, 50, 50, 50, 50, 50);
    setDragAreaHeight(38);
    setCloseButton(QStringLiteral("/image/btn_close.png"));

    setLogoImage(QStringLiteral("/image/Common_bg/main_logo.png"));
    setLogoRect(QRect(14, 9, 20, 20));
    setTitleRect(QRect(42, 9, 230, 20));
    setTitleColor(QColor(245, 245, 245));

    // The mark, large, from the sharper twin of the tray picture.
    m_labLogo = new QLabel(this);
    m_labLogo->setObjectName(QStringLiteral("m_labLogo"));
    QPixmap logo = skin::load(QStringLiteral("/image/Common_bg/no_title_logo.png"), 2.0);
    if (!logo.isNull()) {
        logo = logo.scaled(QSize(96, 96), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        logo.setDevicePixelRatio(2.0);
        m_labLogo->setPixmap(logo);
    }
    m_labLogo->setGeometry(28, 56, 48, 48);

    m_labProject = label(QStringLiteral("m_labProject"), tahoma(16, true), this);
    m_labProject->setGeometry(92, 52, 220, 24);
    m_labProjectVersion = label(QStringLiteral("m_labProjectVersion"), tahoma(12), this);
    m_labProjectVersion->setGeometry(92, 78, 220, 18);
    m_labVisit = label(QStringLiteral("m_labVisit"), tahoma(12), this);
    m_labVisit->setGeometry(92, 110, 40, 18);
    m_labHome = label(QStringLiteral("m_labHome"), tahoma(12), this);
    m_labHome->setTextFormat(Qt::RichText);
    m_labHome->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_labHome->setOpenExternalLinks(false);
    m_labHome->setGeometry(136, 110, 180, 18);
    connect(m_labHome, &QLabel::linkActivated, this, &QAboutDlg::OnClickHome);
    retranslateUi();
}

void QAboutDlg::retranslateUi()
{
    const QString title = tr("About");
    setTitleText(title);
    setWindowTitle(title);
    m_labProject->setText(productTitle());
    m_labProjectVersion->setText(QStringLiteral("%1 %2").arg(tr("Version"), product::version()));
    m_labVisit->setText(tr("Visit:"));
    m_labVisit->adjustSize();
    m_labHome->move(m_labVisit->x() + m_labVisit->width() + 4, m_labHome->y());
    const QUrl home = product::homePageUrl();
    m_labHome->setText(QStringLiteral("<a href=\"%1\" style=\"color: rgb(238,156,80);\">%2</a>")
                           .arg(home.toString(QUrl::FullyEncoded).toHtmlEscaped(), home.host().toHtmlEscaped()));
}

void QAboutDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QNinePointsImageDialog::changeEvent(event);
}

void QAboutDlg::OnClickHome(const QString &link)
{
    QDesktopServices::openUrl(QUrl(link));
}
