#include "QMessageOpacityForm.h"

#include "QImageButton.h"
#include "SkinImage.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QUrl>

namespace {
constexpr int kWidth = 351;
constexpr int kHeight = 125;
} // namespace

QMessageOpacityForm::QMessageOpacityForm(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("QMessageOpacityForm");
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(kWidth, kHeight);
    m_background = skin::load(QStringLiteral("/VEditSource/bg_3.png"));
    m_lblText = new QLabel(this);
    m_lblText->setObjectName("m_lblText");
    m_lblText->setWordWrap(true);
    m_lblText->setAlignment(Qt::AlignCenter);
    m_lblText->setStyleSheet(QStringLiteral("color: rgb(228, 228, 228); font-family: Tahoma; font-size: 13px;"));
    m_lblText->setGeometry(20, 30, kWidth - 40, kHeight - 50);
    m_btnClose = new QImageButton(this);
    m_btnClose->setObjectName("m_btnClose");
    m_btnClose->setImage(QStringLiteral("/VEditSource/btn_close.png"));
    m_btnClose->move(kWidth - m_btnClose->width() - 6, 6);
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &QMessageOpacityForm::onTimer);
    connect(m_btnClose, &QImageButton::clicked, this, &QMessageOpacityForm::onClose);
    connect(m_lblText, &QLabel::linkActivated, this, &QMessageOpacityForm::openUrl);
}

void QMessageOpacityForm::showMessage(const QString &text)
{
    m_lblText->setText(text);
    setWindowOpacity(1.0);
    m_timer->start(1000);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() - width() - 10, area.bottom() - height() - 60);
    }
    show();
}

QString QMessageOpacityForm::text() const
{
    return m_lblText->text();
}

void QMessageOpacityForm::onTimer()
{
    if (windowOpacity() > 0.9)
        m_timer->start(50);
    if (windowOpacity() < 0.1) {
        m_timer->stop();
        close();
    } else {
        setWindowOpacity(windowOpacity() - 0.1);
    }
}

void QMessageOpacityForm::onClose()
{
    setWindowOpacity(1.0);
    m_timer->stop();
    close();
}

void QMessageOpacityForm::openUrl(const QString &url)
{
    QDesktopServices::openUrl(QUrl(url));
}

void QMessageOpacityForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_background.isNull())
        p.fillRect(rect(), QColor(51, 51, 51));
    else
        skin::drawNinePart(p, rect(), m_background, skin::NineCorners::thirds(skin::logicalSize(m_background)));
}

void QMessageOpacityForm::enterEvent(QEvent *)
{
    m_timer->stop();
    setWindowOpacity(1.0);
}

void QMessageOpacityForm::leaveEvent(QEvent *)
{
    m_timer->start(1000);
}
