#include "QCustomTimeEdit.h"

#include "QImageButton.h"
#include "QTimeEditEx.h"

#include <QEvent>
#include <QLineEdit>

namespace {

constexpr int kMsPerDay = 24 * 3600 * 1000;
constexpr int kMsPerHour = 3600 * 1000;
constexpr int kMsPerMinute = 60 * 1000;

} // namespace

QCustomTimeEdit::QCustomTimeEdit(QWidget *parent) : QImageWidget(parent)
{
    // Times cross queued connections and signal spies under this name.
    qRegisterMetaType<uint64_t>("uint64_t");
    setImage(QStringLiteral("/image/Common_bg/spin_rect.png"));
    resize(137, 23);

    m_timeEdit = new QTimeEditEx(this);
    m_timeEdit->setObjectName(QStringLiteral("m_timeEdit"));
    m_timeEdit->setDisplayFormat(QStringLiteral("hh:mm:ss.zzz"));
    m_timeEdit->setFrame(false);
    m_timeEdit->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_timeEdit->setStyleSheet(QStringLiteral(
        "QTimeEdit{background:transparent;border:none;padding:1 -15 1 1;}"
        "QTimeEdit::up-button {background:transparent;border:0px solid red;margin-bottom:0px sloid blue;height:0px;}"
        "QTimeEdit::down-button {background:transparent;border:0px solid red;width: 0px;height:0px;}"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    m_timeEdit->setFont(font);
    m_timeEdit->setTime(m_lastTime);
    setTextColor(QColor(159, 147, 147));

    m_btnUp = new QImageButton(this);
    m_btnUp->setObjectName(QStringLiteral("m_btnUp"));
    m_btnUp->setImage(QStringLiteral("/image/Common_bg/btn_up.png"));
    m_btnDown = new QImageButton(this);
    m_btnDown->setObjectName(QStringLiteral("m_btnDown"));
    m_btnDown->setImage(QStringLiteral("/image/Common_bg/btn_down.png"));

    connect(m_btnUp, &QImageButton::clicked, m_timeEdit, &QTimeEditEx::stepUp);
    connect(m_btnDown, &QImageButton::clicked, m_timeEdit, &QTimeEditEx::stepDown);
    connect(m_timeEdit, &QTimeEditEx::emitStepUp, this, &QCustomTimeEdit::OnBtnUp);
    connect(m_timeEdit, &QTimeEditEx::emitStepDown, this, &QCustomTimeEdit::OnBtnDown);
    connect(m_timeEdit, &QTimeEditEx::emitTextEdited, this, &QCustomTimeEdit::timeTextEdited);
    connect(m_timeEdit, &QTimeEditEx::emitTextChanged, this, &QCustomTimeEdit::timeTextChanged);
    connect(m_timeEdit, &QTimeEditEx::emitTextFinish, this, &QCustomTimeEdit::timeEditingFinished);
    connect(m_timeEdit, &QTimeEdit::timeChanged, this, &QCustomTimeEdit::onTimeChanged);
    setFocusProxy(m_timeEdit);
}

QCustomTimeEdit::~QCustomTimeEdit()
{
    // The inner editor outlives this part of the object: losing focus while
    // the widget tree is torn down finishes its editing, which must not
    // reach slots of an edit that is already half destroyed.
    if (m_timeEdit)
        m_timeEdit->disconnect(this);
}

uint64_t QCustomTimeEdit::toMicroseconds(const QTime &time)
{
    if (!time.isValid())
        return 0;
    return uint64_t(time.msecsSinceStartOfDay()) * 1000;
}

QTime QCustomTimeEdit::fromMicroseconds(uint64_t us)
{
    // The field cannot show a day or more; such times stop at its last value.
    const uint64_t ms = us / 1000;
    return QTime::fromMSecsSinceStartOfDay(ms >= uint64_t(kMsPerDay) ? kMsPerDay - 1 : int(ms));
}

void QCustomTimeEdit::setTime(uint64_t t)
{
    m_lastTime = fromMicroseconds(t);
    // The owner echoes every typed time back; rewriting the text then would
    // move the cursor out of the section the user is typing into.
    if (!m_reportingTyping)
        m_timeEdit->setTime(m_lastTime);
}

void QCustomTimeEdit::setTimeRange(uint64_t min, uint64_t max)
{
    const QTime lo = fromMicroseconds(min);
    const QTime hi = fromMicroseconds(max);
    m_timeEdit->setTimeRange(lo, hi < lo ? lo : hi);
}

uint64_t QCustomTimeEdit::time() const
{
    return toMicroseconds(m_lastTime);
}

uint64_t QCustomTimeEdit::minimumTime() const
{
    return toMicroseconds(m_timeEdit->minimumTime());
}

uint64_t QCustomTimeEdit::maximumTime() const
{
    return toMicroseconds(m_timeEdit->maximumTime());
}

QColor QCustomTimeEdit::textColor() const
{
    return m_timeEdit->palette().color(QPalette::Text);
}

void QCustomTimeEdit::setTextColor(const QColor &color)
{
    QPalette pal = m_timeEdit->palette();
    pal.setColor(QPalette::Text, color);
    pal.setColor(QPalette::WindowText, color);
    m_timeEdit->setPalette(pal);
}

void QCustomTimeEdit::produce(uint64_t t)
{
    m_lastTime = fromMicroseconds(t);
    if (m_timeEdit->time() != m_lastTime)
        m_timeEdit->setTime(m_lastTime);
    emit emitTimeChange(t);
}

void QCustomTimeEdit::timeTextEdited(QString text)
{
    const int firstColon = text.indexOf(QLatin1Char(':'));
    const int secondColon = firstColon < 0 ? -1 : text.indexOf(QLatin1Char(':'), firstColon + 1);
    const int hours = text.left(firstColon < 0 ? text.size() : firstColon).trimmed().toInt();
    int minutes = 0;
    int seconds = 0;
    int millis = 0;
    if (firstColon >= 0) {
        const QString rest = secondColon < 0 ? text.mid(firstColon + 1)
                                             : text.mid(firstColon + 1, secondColon - firstColon - 1);
        minutes = rest.trimmed().toInt();
    }
    if (secondColon >= 0) {
        const QString tail = text.mid(secondColon + 1);
        const int dot = tail.indexOf(QLatin1Char('.'));
        if (dot >= 0) {
            seconds = tail.left(dot).trimmed().toInt();
            millis = tail.mid(dot + 1).trimmed().toInt();
        }
    }
    uint64_t ms = ((uint64_t(qMax(hours, 0)) * 3600 + uint64_t(qMax(minutes, 0)) * 60 + uint64_t(qMax(seconds, 0))) * 1000
                   + uint64_t(qMax(millis, 0)));
    // A typed time outside the field's range would become a trim point
    // beyond the file or behind the other end; hold it to the range.
    const uint64_t lo = minimumTime() / 1000;
    const uint64_t hi = maximumTime() / 1000;
    const bool outside = ms < lo || ms > hi;
    ms = qBound(lo, ms, hi);
    m_lastTime = fromMicroseconds(ms * 1000);
    if (outside)
        m_timeEdit->setTime(m_lastTime);
    m_reportingTyping = true;
    emit emitTimeChange(ms * 1000);
    m_reportingTyping = false;
}

void QCustomTimeEdit::OnBtnUp()
{
    const int last = m_lastTime.msecsSinceStartOfDay();
    const int stepped = m_timeEdit->time().msecsSinceStartOfDay();
    int carried = -1;
    switch (m_timeEdit->currentSection()) {
    case QDateTimeEdit::MSecSection:
        if (m_lastTime.msec() == 999)
            carried = last - 999 + 1000;
        break;
    case QDateTimeEdit::SecondSection:
        if (m_lastTime.second() == 59)
            carried = last - 59 * 1000 + kMsPerMinute;
        break;
    case QDateTimeEdit::MinuteSection:
        if (m_lastTime.minute() == 59)
            carried = last - 59 * kMsPerMinute + kMsPerHour;
        break;
    default:
        break;
    }
    const int max = m_timeEdit->maximumTime().msecsSinceStartOfDay();
    const int result = (carried >= 0 && carried <= max) ? carried : stepped;
    produce(uint64_t(result) * 1000);
}

void QCustomTimeEdit::OnBtnDown()
{
    const int last = m_lastTime.msecsSinceStartOfDay();
    const int stepped = m_timeEdit->time().msecsSinceStartOfDay();
    // A borrow below zero would wrap to a later time; such a step simply
    // stays at the edit's own result (it cannot go below its minimum).
    int borrowed = -1;
    switch (m_timeEdit->currentSection()) {
    case QDateTimeEdit::MSecSection:
        if (m_lastTime.msec() == 0)
            borrowed = last - 1000 + 999;
        break;
    case QDateTimeEdit::SecondSection:
        if (m_lastTime.second() == 0)
            borrowed = last - kMsPerMinute + 59 * 1000;
        break;
    case QDateTimeEdit::MinuteSection:
        if (m_lastTime.minute() == 0)
            borrowed = last - kMsPerHour + 59 * kMsPerMinute;
        break;
    default:
        break;
    }
    const int min = m_timeEdit->minimumTime().msecsSinceStartOfDay();
    const int max = m_timeEdit->maximumTime().msecsSinceStartOfDay();
    const int result = (borrowed >= 0 && borrowed >= min && borrowed < max) ? borrowed : stepped;
    produce(uint64_t(result) * 1000);
}

void QCustomTimeEdit::onTimeChanged(QTime)
{
}

void QCustomTimeEdit::timeEditingFinished()
{
    // Half-typed sections are completed by the editor in its own way; the
    // field must end up showing the time that was reported.
    if (m_timeEdit->time() != m_lastTime)
        m_timeEdit->setTime(m_lastTime);
}

void QCustomTimeEdit::timeTextChanged(QString)
{
}

void QCustomTimeEdit::resizeEvent(QResizeEvent *event)
{
    QImageWidget::resizeEvent(event);
    const int bw = m_btnUp->width();
    m_btnUp->move(width() - bw - 2, 0);
    m_btnDown->move(width() - bw - 2, 12);
    m_timeEdit->setGeometry(2, 0, width() - bw - 4, height());
}

void QCustomTimeEdit::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        setTextColor(isEnabled() ? QColor(69, 69, 69) : QColor(98, 120, 120));
    QImageWidget::changeEvent(event);
}
