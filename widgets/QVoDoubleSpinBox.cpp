#include "QVoDoubleSpinBox.h"

#include "ImageState.h"
#include "QVoBaseButton.h"
#include "SkinImage.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

QVoDoubleSpinBox::QVoDoubleSpinBox(QWidget *parent)
    : QDoubleSpinBox(parent)
    , QVoBaseRectImageDraw(this)
{
    if (!isEnabled())
        setDrawState(imagestate::Disabled);
}

bool QVoDoubleSpinBox::setBackgroundImage(const QString &path)
{
    if (!QVoBaseRectImageDraw::setBackgroundImage(path))
        return false;
    setStyleSheet(QStringLiteral("QDoubleSpinBox {background-color:transparent;border:none}"));
    return true;
}

void QVoDoubleSpinBox::setButtonImages(const QString &upPath, const QString &downPath)
{
    releseBtn();
    delete m_btnUp;
    delete m_btnDown;
    m_btnUp = m_btnDown = nullptr;
    const QString up = skin::path(upPath);
    if (up.isEmpty() || !QFileInfo::exists(up)) {
        setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        return;
    }
    m_btnUp = new QVoBaseButton(this);
    m_btnDown = new QVoBaseButton(this);
    m_btnUp->setImage(up);
    m_btnDown->setImage(downPath);
    for (QVoBaseButton *button : {m_btnUp, m_btnDown}) {
        // The spin box keeps the focus and its arrow keys.
        button->setFocusPolicy(Qt::NoFocus);
        button->setEnabled(isEnabled());
        connect(button, &QAbstractButton::pressed, this, &QVoDoubleSpinBox::pressBtn);
        connect(button, &QAbstractButton::released, this, &QVoDoubleSpinBox::releseBtn);
        button->show();
    }
    connect(m_btnUp, &QAbstractButton::clicked, this, [this] { stepBy(1); });
    connect(m_btnDown, &QAbstractButton::clicked, this, [this] { stepBy(-1); });
    // The drawn buttons replace the style's; the text gets the room.
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    placeButtons();
}

void QVoDoubleSpinBox::setButtonMargins(qint16 top, qint16 right, qint16 bottom)
{
    m_top = top;
    m_right = right;
    m_bottom = bottom;
    placeButtons();
}

void QVoDoubleSpinBox::placeButtons()
{
    if (!m_btnUp)
        return;
    if (m_buttonX < 0)
        m_buttonX = qint16(width() - m_right - m_btnUp->width());
    m_btnUp->move(m_buttonX, m_top);
    m_btnDown->move(m_buttonX, height() - m_bottom - m_btnDown->height());
    // Keep the typed text clear of the buttons.
    if (QLineEdit *edit = lineEdit()) {
        QRect r = edit->geometry();
        if (r.right() >= m_buttonX)
            r.setRight(m_buttonX - 1);
        edit->setGeometry(r);
    }
}

void QVoDoubleSpinBox::pressBtn()
{
    m_repeatUp = sender() == m_btnUp;
    m_ticks = 0;
    if (m_timerId)
        killTimer(m_timerId);
    m_timerId = startTimer(kRepeatIntervalMs, Qt::CoarseTimer);
}

void QVoDoubleSpinBox::releseBtn()
{
    if (m_timerId)
        killTimer(m_timerId);
    m_timerId = 0;
}

void QVoDoubleSpinBox::timerEvent(QTimerEvent *event)
{
    if (m_timerId == 0 || event->timerId() != m_timerId) {
        QDoubleSpinBox::timerEvent(event);
        return;
    }
    if (m_ticks > kRepeatDelayTicks)
        stepBy(m_repeatUp ? 1 : -1);
    ++m_ticks;
}

void QVoDoubleSpinBox::paintEvent(QPaintEvent *event)
{
    {
        QPainter p(this);
        paintBackground(p);
    }
    if (!m_btnUp)
        QDoubleSpinBox::paintEvent(event);
}

void QVoDoubleSpinBox::showEvent(QShowEvent *event)
{
    QDoubleSpinBox::showEvent(event);
    placeButtons();
}

void QVoDoubleSpinBox::resizeEvent(QResizeEvent *event)
{
    QDoubleSpinBox::resizeEvent(event);
    placeButtons();
}

void QVoDoubleSpinBox::enterEvent(QEvent *event)
{
    stateOnEnter();
    QDoubleSpinBox::enterEvent(event);
}

void QVoDoubleSpinBox::leaveEvent(QEvent *event)
{
    stateOnLeave();
    QDoubleSpinBox::leaveEvent(event);
}

void QVoDoubleSpinBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        stateOnPress();
    QDoubleSpinBox::mousePressEvent(event);
}

void QVoDoubleSpinBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        stateOnRelease();
    QDoubleSpinBox::mouseReleaseEvent(event);
}

void QVoDoubleSpinBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        stateOnEnabledChange();
        if (m_btnUp) {
            m_btnUp->setEnabled(isEnabled());
            m_btnDown->setEnabled(isEnabled());
        }
        if (!isEnabled())
            releseBtn();
    }
    QDoubleSpinBox::changeEvent(event);
}
