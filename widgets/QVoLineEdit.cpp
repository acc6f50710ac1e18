#include "QVoLineEdit.h"

#include "ImageState.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

QVoLineEdit::QVoLineEdit(QWidget *parent)
    : QLineEdit(parent)
    , QVoBaseRectImageDraw(this)
    , m_textColor(palette().color(QPalette::Text))
{
    setAcceptDrops(false);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    if (!isEnabled())
        setDrawState(imagestate::Disabled);
}

bool QVoLineEdit::setBackgroundImage(const QString &path)
{
    if (!QVoBaseRectImageDraw::setBackgroundImage(path))
        return false;
    setStyleSheet(QStringLiteral("QLineEdit {background-color:transparent;border:none; padding: 0px 0px 1px -2px}"));
    QVoBaseRectImageDraw::setTextMargins(3, 0, 2, 0);
    return true;
}

void QVoLineEdit::setDigitsOnly()
{
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^[0-9]*[1-9][0-9]*$")), this));
}

void QVoLineEdit::setAlignment(Qt::Alignment alignment)
{
    QLineEdit::setAlignment(alignment);
    QVoBaseRectImageDraw::setTextAlignment(alignment);
}

void QVoLineEdit::setPalette(const QPalette &palette)
{
    QLineEdit::setPalette(palette);
    m_textColor = palette.color(QPalette::Text);
}

void QVoLineEdit::setPlaceholderMode(bool on, const QString &text, const QColor &color)
{
    m_placeholderMode = on;
    m_placeholderText = text;
    m_placeholderColor = color;
    if (!on) {
        setPlaceholderText(QString());
        return;
    }
    if (!hasFocus() && QLineEdit::text().isEmpty())
        showPlaceholder();
}

void QVoLineEdit::showPlaceholder()
{
    QPalette pal = palette();
    if (m_placeholderColor.isValid())
        pal.setColor(QPalette::PlaceholderText, m_placeholderColor);
    QLineEdit::setPalette(pal);
    setPlaceholderText(m_placeholderText);
}

void QVoLineEdit::paintEvent(QPaintEvent *event)
{
    {
        QPainter p(this);
        paintBackground(p);
    }
    QLineEdit::paintEvent(event);
}

void QVoLineEdit::focusInEvent(QFocusEvent *event)
{
    if (m_placeholderMode) {
        setPlaceholderText(QString());
        QPalette pal = palette();
        pal.setColor(QPalette::Text, m_textColor);
        QLineEdit::setPalette(pal);
    }
    QLineEdit::focusInEvent(event);
}

void QVoLineEdit::focusOutEvent(QFocusEvent *event)
{
    if (m_placeholderMode && text().isEmpty())
        showPlaceholder();
    QLineEdit::focusOutEvent(event);
}

void QVoLineEdit::enterEvent(QEvent *event)
{
    stateOnEnter();
    QLineEdit::enterEvent(event);
}

void QVoLineEdit::leaveEvent(QEvent *event)
{
    stateOnLeave();
    QLineEdit::leaveEvent(event);
}

void QVoLineEdit::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        stateOnPress();
    QLineEdit::mousePressEvent(event);
}

void QVoLineEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        stateOnRelease();
    QLineEdit::mouseReleaseEvent(event);
}

void QVoLineEdit::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        stateOnEnabledChange();
    QLineEdit::changeEvent(event);
}
