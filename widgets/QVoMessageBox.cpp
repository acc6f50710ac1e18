#include "QVoMessageBox.h"

#include "QImageButton.h"
#include "QTextImageButton.h"

#include "AppPaths.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {
constexpr int titleBar = 44;     // height of the title band of the background
constexpr int margin = 24;       // left and right of the content
constexpr int iconGap = 14;      // between the kind icon and the text
constexpr int bodyTop = titleBar + 22;
constexpr int bodyToButtons = 22;
constexpr int buttonHeight = 30;
constexpr int buttonMinWidth = 80;
constexpr int buttonGap = 10;
constexpr int bottomMargin = 18;
constexpr int boxMinimumWidth = 320;
const QColor textColour(228, 228, 228);

QString &defaultTitleStorage()
{
    static QString title;
    return title;
}
} // namespace

QVoMessageBox::QVoMessageBox(QWidget *parent)
    : QVoDialog(parent)
{
    setBackgroundImage(QStringLiteral("/pic/bg_msg.png"));
    setCornerSizes(58, 58, 58, 58, 58, 58, 58, 58);
    setTitleIcon(QStringLiteral("/pic/msg_title_icon.png"));
    setTitleBarHeight(titleBar);
    setTitleColor(QColor(245, 245, 245));
    setTitleText(defaultTitle());
    m_btnClose = new QImageButton(this);
    m_btnClose->setImage(QStringLiteral("/pic/btn_close.png"));
    connect(m_btnClose, &QPushButton::clicked, this, &QVoMessageBox::OnBtnClose);
    addTitleBarButton(m_btnClose);
    m_buttonTexts[Ok] = tr("OK");
    m_buttonTexts[Cancel] = tr("Cancel");
    m_buttonTexts[Yes] = tr("Yes");
    m_buttonTexts[No] = tr("No");
}

void QVoMessageBox::setDefaultTitle(const QString &title) { defaultTitleStorage() = title; }

QString QVoMessageBox::defaultTitle()
{
    return defaultTitleStorage().isNull() ? productTitle() : defaultTitleStorage();
}

void QVoMessageBox::setTitle(const QString &title)
{
    setTitleText(title);
    setWindowTitle(title);
}

void QVoMessageBox::setMessage(const QString &text)
{
    m_text = text;
    m_prepared = false;
}

QString QVoMessageBox::iconPath(int kind)
{
    switch (kind) {
    case Warning: return QStringLiteral("/pic/warning.png");
    case Success: return QStringLiteral("/pic/Success.png");
    case Error: return QStringLiteral("/pic/error.png");
    case Help: return QStringLiteral("/pic/help.png");
    default: return {};
    }
}

void QVoMessageBox::prepare()
{
    m_prepared = true;
    const QString icon = iconPath(m_kind);
    m_icon = icon.isEmpty() ? QPixmap() : skin::load(icon);

    qDeleteAll(m_buttons);
    m_buttons.clear();
    QList<int> results;
    if (m_buttonSet == YesNoButtons)
        results = {Yes, No};
    else if (m_buttonSet == YesNoCancelButtons)
        results = {Yes, No, Cancel};
    else if (m_buttonSet == CancelButton)
        results = {Cancel};
    else
        results = {Ok};
    for (int result : results) {
        auto *button = new QTextImageButton(this);
        button->setStretch(true);
        button->setImage(QStringLiteral("/pic/btn_common.png"));
        button->setText(m_buttonTexts.value(result));
        button->setProperty("result", result);
        connect(button, &QPushButton::clicked, this, &QVoMessageBox::OnBtnDone);
        m_buttons.append(button);
    }

    // Text wrapped to the maximum line width, the icon beside it.
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    setFont(font);
    const QFontMetrics fm(font);
    int longest = 0;
    for (const QString &line : m_text.split('\n'))
        longest = qMax(longest, fm.horizontalAdvance(line));
    const int textWidth = qMax(1, qMin(longest, m_maxLineWidth));
    const int textHeight = fm.boundingRect(QRect(0, 0, textWidth, 100000), int(Qt::TextWordWrap), m_text).height();
    const QSize iconSize = skin::logicalSize(m_icon);
    const int textLeft = margin + (m_icon.isNull() ? 0 : iconSize.width() + iconGap);
    const int bodyHeight = qMax(textHeight, iconSize.height());

    QFontMetrics bfm(font);
    int rowWidth = 0;
    QList<int> widths;
    for (QTextImageButton *b : qAsConst(m_buttons)) {
        widths << qMax(buttonMinWidth, bfm.horizontalAdvance(b->text()) + 24);
        rowWidth += widths.last();
    }
    rowWidth += buttonGap * (m_buttons.size() - 1);

    const int w = std::max({textLeft + textWidth + margin, rowWidth + 2 * margin, boxMinimumWidth});
    const int h = bodyTop + bodyHeight + bodyToButtons + buttonHeight + bottomMargin;
    setFixedSize(w, h);
    m_textRect = QRect(textLeft, bodyTop + (bodyHeight - textHeight) / 2, w - textLeft - margin, textHeight);
    m_iconRect = m_icon.isNull() ? QRect() : QRect(QPoint(margin, bodyTop + (bodyHeight - iconSize.height()) / 2), iconSize);
    int x = (w - rowWidth) / 2;
    for (int i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->setGeometry(x, h - bottomMargin - buttonHeight, widths[i], buttonHeight);
        m_buttons[i]->show();
        x += widths[i] + buttonGap;
    }
    layoutTitleBar();

    // Centre on the parent window, or on the screen without one.
    QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    QRect around;
    if (owner) {
        around = owner->frameGeometry();
        if (owner->windowFlags() & Qt::WindowStaysOnTopHint)
            setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    } else {
        const QScreen *screen = QGuiApplication::primaryScreen();
        around = screen ? screen->availableGeometry() : QRect(0, 0, w, h);
    }
    int left = around.center().x() - w / 2;
    int top = around.center().y() - h / 2;
    if (left <= 0)
        left = 50;
    if (top <= 0)
        top = 50;
    move(left, top);
    update();
}

void QVoMessageBox::showEvent(QShowEvent *event)
{
    if (!m_prepared)
        prepare();
    QVoDialog::showEvent(event);
}

void QVoMessageBox::keyPressEvent(QKeyEvent *event)
{
    // The buttons take no focus, so no default button exists for the
    // dialog to press: Return answers with the first one (OK, Yes, Save),
    // the answer a box offers first. Escape stays the dialog's own.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!m_prepared)
            prepare();
        if (!m_buttons.isEmpty()) {
            m_buttons.first()->click();
            return;
        }
    }
    QVoDialog::keyPressEvent(event);
}

void QVoMessageBox::OnBtnClose() { done(Close); }

void QVoMessageBox::OnBtnDone()
{
    const QObject *button = sender();
    done(button ? button->property("result").toInt() : Ok);
}

int QVoMessageBox::ShowMessage(QWidget *parent, const QString &text, const QString &title, int kind, int buttonSet)
{
    QVoMessageBox box(parent);
    box.setTitle(title.isNull() ? defaultTitle() : title);
    box.setMessage(text);
    box.setKind(kind);
    box.setButtons(buttonSet);
    return box.exec();
}

QVoMessageBox *QVoMessageBox::openBoxNamed(const QWidget *parent, const QString &name)
{
    if (!parent || name.isEmpty())
        return nullptr;
    const QList<QVoMessageBox *> boxes = parent->findChildren<QVoMessageBox *>(name, Qt::FindDirectChildrenOnly);
    // A box already answered is hidden while it waits for deletion.
    for (QVoMessageBox *box : boxes)
        if (box->isVisible())
            return box;
    return nullptr;
}

void QVoMessageBox::openBox(QVoMessageBox *box, std::function<void(int)> then)
{
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (then)
        connect(box, &QDialog::finished, box, [then = std::move(then)](int answer) { then(answer); });
    // open() and not exec(): modal to the parent's window, no loop of its own.
    box->open();
}

QVoMessageBox *QVoMessageBox::showMessage(QWidget *parent, const QString &text, const QString &title, int kind,
                                          int buttonSet, std::function<void(int)> then, const QString &name)
{
    if (QVoMessageBox *earlier = openBoxNamed(parent, name))
        earlier->done(Close);
    auto *box = new QVoMessageBox(parent);
    if (!name.isEmpty())
        box->setObjectName(name);
    box->setTitle(title.isNull() ? defaultTitle() : title);
    box->setMessage(text);
    box->setKind(kind);
    box->setButtons(buttonSet);
    openBox(box, std::move(then));
    return box;
}

void QVoMessageBox::paintEvent(QPaintEvent *event)
{
    QVoDialog::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_icon.isNull())
        p.drawPixmap(m_iconRect, m_icon);
    p.setPen(textColour);
    p.setFont(font());
    p.drawText(m_textRect, int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap), m_text);
}
