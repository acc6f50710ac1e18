#include "QVoMessageDlg.h"

#include "QImageButton.h"
#include "QTextImageButton.h"
#include "SkinImage.h"

#include "AppPaths.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace {
// Geometry of the dialog at its default size. Text columns: with a type
// icon the text starts at 80 and the window is 113 wider than the text (at
// most 487 wide), without one at 48 and 81 wider (at most 519).
constexpr int defaultWidth = 360;
constexpr int defaultHeight = 176;
constexpr int textTop = 52;         // the text never starts above this (title band)
constexpr int belowText = 56;       // room for the buttons under the text
constexpr int rightMargin = 33;
constexpr int iconTextLeft = 80;
constexpr int plainTextLeft = 48;
constexpr int iconMaxText = 487;
constexpr int plainMaxText = 519;
constexpr int dragHeight = 39;
constexpr int buttonHeight = 30;
constexpr int buttonMinWidth = 80;
constexpr int buttonGap = 12;
constexpr int buttonBottom = 16;
const QColor textColour(228, 228, 228);
const QColor titleColour(245, 245, 245);
} // namespace

QVoMessageDlg::QVoMessageDlg(QWidget *parent)
    : QDialog(parent)
    , m_title(defaultTitle())
    , m_picFolder(appFolder() + QStringLiteral("/pic/"))
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    m_titleFont = QFont(QStringLiteral("Tahoma"));
    m_titleFont.setPixelSize(12);
    m_textFont = m_titleFont;
    m_background = skin::load(m_picFolder + QStringLiteral("bg_msg.png"));
    LoadTitleIconImg();
    InitButton();
    updateLayout();
}

QString QVoMessageDlg::defaultTitle() { return tr("Zelvane Video Cutter"); }

void QVoMessageDlg::reportLoadFailure(const QString &text)
{
    QMessageBox::information(nullptr, QString(), text);
}

void QVoMessageDlg::LoadTitleIconImg()
{
    m_titleIcon = skin::load(m_picFolder + QStringLiteral("msg_title_icon.png"));
    if (m_titleIcon.isNull())
        reportLoadFailure(tr("QVoMessageDlg::LoadTitleIconImg fail"));
}

void QVoMessageDlg::InitButton()
{
    m_btnClose = new QImageButton(this);
    if (!m_btnClose->setImage(m_picFolder + QStringLiteral("btn_close.png")))
        reportLoadFailure(tr("QVoMessageDlg::InitButton fail"));
    m_btnOk = new QTextImageButton(this);
    m_btnOk->setStretch(true);
    m_btnCancel = new QTextImageButton(this);
    m_btnCancel->setStretch(true);
    const QString common = m_picFolder + QStringLiteral("btn_common.png");
    if (!m_btnOk->setImage(common))
        reportLoadFailure(tr("QVoMessageDlg::InitButton Load Yes Image fail"));
    if (!m_btnCancel->setImage(common))
        reportLoadFailure(tr("QVoMessageDlg::InitButton Load Cancel Image fail"));
    connect(m_btnOk, &QPushButton::clicked, this, &QVoMessageDlg::OnBtnOk);
    connect(m_btnCancel, &QPushButton::clicked, this, &QVoMessageDlg::OnBtnCancel);
    connect(m_btnClose, &QPushButton::clicked, this, &QVoMessageDlg::OnBtnCancel);
}

void QVoMessageDlg::setTitle(const QString &title)
{
    m_title = title;
    update();
}

void QVoMessageDlg::setMessage(const QString &text)
{
    m_text = text;
    updateLayout();
}

void QVoMessageDlg::setFlags(int flags)
{
    m_flags = flags;
    m_typeIcon = QPixmap();
    const QString icon = typeIconPath();
    if (!icon.isEmpty()) {
        m_typeIcon = skin::load(appFolder() + icon);
        if (m_typeIcon.isNull())
            reportLoadFailure(tr("QVoMessageDlg::InitButton fail"));
    }
    updateLayout();
}

void QVoMessageDlg::setForcedPosition(const QPoint &pos)
{
    m_forcedPos = pos;
    m_hasForcedPos = true;
    move(pos);
}

QString QVoMessageDlg::typeIconPath() const
{
    if (!(m_flags & ShowIcon))
        return {};
    switch (m_flags & IconMask) {
    case WarningIcon: return QStringLiteral("/pic/warning.png");
    case SuccessIcon: return QStringLiteral("/pic/Success.png");
    case ErrorIcon: return QStringLiteral("/pic/error.png");
    default: return {};
    }
}

void QVoMessageDlg::updateLayout()
{
    // Buttons first: their texts follow the flags.
    if (m_flags & OkStopButtons) {
        m_btnOk->setText(tr("OK"));
        m_btnCancel->setText(tr("Stop"));
    } else if (m_flags & RestartButtons) {
        m_btnOk->setText(tr("Restart"));
        m_btnCancel->setText(tr("Restart Later"));
    } else if (m_flags & YesNoButtons) {
        m_btnOk->setText(tr("YES"));
        m_btnCancel->setText(tr("NO"));
    } else {
        m_btnOk->setText(tr("OK"));
    }
    const bool two = m_flags & (OkStopButtons | RestartButtons | YesNoButtons);
    m_btnCancel->setVisible(two);

    const bool icon = !m_typeIcon.isNull();
    const int textLeft = icon ? iconTextLeft : plainTextLeft;
    const int maxText = icon ? iconMaxText : plainMaxText;
    const int extra = textLeft + rightMargin;
    const QFontMetrics fm(m_textFont);
    int longest = 0;
    for (const QString &line : m_text.split('\n'))
        longest = qMax(longest, fm.horizontalAdvance(line));

    int w = defaultWidth;
    int textWidth = defaultWidth - extra;
    m_textAlignment = Qt::AlignCenter;
    bool grown = false;
    if (longest > textWidth) {
        textWidth = qMin(longest, maxText);
        w = textWidth + extra;
        m_textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        grown = true;
    }
    const int defaultTextHeight = defaultHeight - textTop - belowText;
    const int textHeight = fm.boundingRect(QRect(0, 0, textWidth, 100000), int(Qt::TextWordWrap), m_text).height();
    int h = defaultHeight;
    if (textHeight > defaultTextHeight) {
        h = textTop + textHeight + belowText;
        grown = true;
    }
    const int areaHeight = h - textTop - belowText;
    m_textRect = QRect(textLeft, textTop, textWidth, areaHeight);
    if (icon) {
        const QSize size = skin::logicalSize(m_typeIcon);
        // The icon stands left of the text it belongs to, centred on it.
        const QRect used = fm.boundingRect(m_textRect, int(m_textAlignment | Qt::TextWordWrap), m_text);
        m_iconRect = QRect(QPoint(used.left() - 10 - size.width(), m_textRect.center().y() - size.height() / 2), size);
    } else {
        m_iconRect = QRect();
    }

    setFixedSize(w, h);
    m_btnClose->move(w - 8 - m_btnClose->width(), 8);
    const QFontMetrics bfm(m_btnOk->font());
    const int okWidth = qMax(buttonMinWidth, bfm.horizontalAdvance(m_btnOk->text()) + 24);
    const int cancelWidth = qMax(buttonMinWidth, bfm.horizontalAdvance(m_btnCancel->text()) + 24);
    const int rowWidth = two ? okWidth + buttonGap + cancelWidth : okWidth;
    const int x = (w - rowWidth) / 2, y = h - buttonBottom - buttonHeight;
    m_btnOk->setGeometry(x, y, okWidth, buttonHeight);
    m_btnCancel->setGeometry(x + okWidth + buttonGap, y, cancelWidth, buttonHeight);

    if (m_hasForcedPos) {
        move(m_forcedPos);
    } else if (grown || !isVisible()) {
        const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        if (screen)
            move(screen->availableGeometry().center() - QPoint(w / 2, h / 2));
    }
    update();
}

void QVoMessageDlg::OnBtnOk()
{
    if (m_flags & RestartButtons)
        return; // the caller's own connection to the button restarts
    done(m_flags & YesNoButtons ? Yes : Ok);
}

void QVoMessageDlg::OnBtnCancel() { done(m_flags & YesNoButtons ? No : Cancel); }

int QVoMessageDlg::ShowMsg(const QString &text, const QString &title, int flags)
{
    QVoMessageDlg dlg;
    if (!title.isEmpty())
        dlg.setTitle(title);
    dlg.setFlags(flags);
    dlg.setMessage(text);
    return dlg.exec();
}

QVoMessageDlg *QVoMessageDlg::openMsg(QWidget *parent, const QString &text, const QString &title, int flags,
                                      std::function<void(int)> then)
{
    auto *dlg = new QVoMessageDlg(parent);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    if (!title.isEmpty())
        dlg->setTitle(title);
    dlg->setFlags(flags);
    dlg->setMessage(text);
    if (then)
        connect(dlg, &QDialog::finished, dlg, [then = std::move(then)](int result) { then(result); });
    dlg->open();
    return dlg;
}

void QVoMessageDlg::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    skin::drawNinePart(p, rect(), m_background, skin::NineCorners::thirds(skin::logicalSize(m_background)));
    if (!m_titleIcon.isNull())
        p.drawPixmap(QRect(QPoint(18, 13), skin::logicalSize(m_titleIcon)), m_titleIcon);
    p.setFont(m_titleFont);
    p.setPen(titleColour);
    const QRect titleArea(QPoint(47, 16), QPoint(qMin(339, width() - 40), 38));
    // Top-aligned: one line of 12-pixel text then sits level with the icon.
    p.drawText(titleArea, Qt::AlignLeft | Qt::AlignTop, p.fontMetrics().elidedText(m_title, Qt::ElideRight, titleArea.width()));
    if (!m_typeIcon.isNull())
        p.drawPixmap(m_iconRect, m_typeIcon);
    p.setFont(m_textFont);
    p.setPen(textColour);
    p.drawText(m_textRect, int(m_textAlignment | Qt::TextWordWrap), m_text);
}

void QVoMessageDlg::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && event->pos().y() < dragHeight) {
        if (windowHandle() && windowHandle()->startSystemMove())
            return;
        m_dragging = true;
        m_dragOffset = event->globalPos() - pos();
    }
    QDialog::mousePressEvent(event);
}

void QVoMessageDlg::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        move(event->globalPos() - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}

void QVoMessageDlg::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}
