#include "QCustomSpinBox.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

QCustomSpinButton::QCustomSpinButton(QWidget *parent)
    : QImageButton(parent)
{
    setAutoRepeat(true);
}

QCustomSpinBox::QCustomSpinBox(QWidget *parent)
    : QCustomImageWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_up(new QCustomSpinButton(this))
    , m_down(new QCustomSpinButton(this))
{
    m_edit->setFrame(false);
    m_edit->setStyleSheet(QStringLiteral("QLineEdit{background:transparent;border:none;color:rgb(228,228,228);}"));
    // Any integer may be typed, so out-of-range input can be corrected to the
    // nearest limit rather than silently refused.
    m_edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,9}")), m_edit));
    m_edit->setText(QStringLiteral("0"));
    connect(m_edit, &QLineEdit::textEdited, this, &QCustomSpinBox::editTextChange);
    connect(m_up, &QPushButton::clicked, this, &QCustomSpinBox::OnBtnUp);
    connect(m_down, &QPushButton::clicked, this, &QCustomSpinBox::OnBtnDown);
    layoutChildren();
}

void QCustomSpinBox::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = qMax(maximum, minimum + 1);
    setValue(m_value);
}

void QCustomSpinBox::setValue(int value)
{
    if (value < m_minimum)
        value = m_minimum;
    else if (value >= m_maximum)
        value = m_maximum - 1;
    showValue(value);
}

void QCustomSpinBox::showValue(int value)
{
    const bool changed = value != m_value;
    m_value = value;
    const QString text = QString::number(value);
    if (m_edit->text() != text)
        m_edit->setText(text);
    if (changed)
        emit valueChanged(value);
}

bool QCustomSpinBox::setImages(const QString &background, const QString &up, const QString &down)
{
    const bool ok = setImage(background) & m_up->setImage(up) & m_down->setImage(down);
    layoutChildren();
    return ok;
}

void QCustomSpinBox::setTextColor(const QColor &color)
{
    m_edit->setStyleSheet(QStringLiteral("QLineEdit{background:transparent;border:none;color:%1;}").arg(color.name()));
}

void QCustomSpinBox::OnBtnUp()
{
    if (m_value + 1 < m_maximum)
        showValue(m_value + 1);
}

void QCustomSpinBox::OnBtnDown()
{
    if (m_value - 1 >= m_minimum)
        showValue(m_value - 1);
}

void QCustomSpinBox::editTextChange(QString str)
{
    if (str.isEmpty()) {
        m_edit->setText(QStringLiteral("0"));
        str = QStringLiteral("0");
    }
    if (str == QLatin1String("-"))
        return; // the start of a negative number: wait for its digits
    bool ok = false;
    const int value = str.toInt(&ok);
    setValue(ok ? value : m_value);
    // setValue only rewrites the text when the value changes; typing "015"
    // over 15 must still show the value, not the raw text.
    if (m_edit->text() != QString::number(m_value))
        m_edit->setText(QString::number(m_value));
}

void QCustomSpinBox::resizeEvent(QResizeEvent *event)
{
    QCustomImageWidget::resizeEvent(event);
    layoutChildren();
}

void QCustomSpinBox::layoutChildren()
{
    const QSize upSize = m_up->hasImage() ? m_up->size() : QSize(14, height() / 2);
    const QSize downSize = m_down->hasImage() ? m_down->size() : QSize(14, height() / 2);
    const int buttonsWidth = qMax(upSize.width(), downSize.width());
    const int x = width() - buttonsWidth - 2;
    const int top = (height() - upSize.height() - downSize.height()) / 2;
    m_up->setGeometry(QRect(QPoint(x, top), upSize));
    m_down->setGeometry(QRect(QPoint(x, top + upSize.height()), downSize));
    m_edit->setGeometry(4, 1, qMax(0, x - 6), height() - 2);
}
