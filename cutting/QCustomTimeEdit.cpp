#include "QCustomTimeEdit.h"

#include "QImageButton.h"
#include "QTimeEditEx.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

namespace {

constexpr int kMsPerDay = 24 * 3600 * 1000;
constexpr int kMsPerHour = 3600 * 1000;
constexpr int kMsPerMinute = 60 * 1000;
// Long enough to read a line, short enough not to linger over the panel.
constexpr int kNoteMs = 5000;

QString clockText(const QTime &t)
{
    return t.toString(QStringLiteral("hh:mm:ss.zzz"));
}

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
    connect(m_timeEdit, &QTimeEditEx::emitTextConfirmed, this, &QCustomTimeEdit::commitTypedText);
    connect(m_timeEdit, &QTimeEditEx::emitTextCancelled, this, &QCustomTimeEdit::cancelTypedText);
    setFocusProxy(m_timeEdit);
    m_noteTimer.setSingleShot(true);
    m_noteTimer.setInterval(kNoteMs);
    connect(&m_noteTimer, &QTimer::timeout, this, &QCustomTimeEdit::hideNote);
}

QCustomTimeEdit::~QCustomTimeEdit()
{
    // The inner editor outlives this part of the object: losing focus while
    // the widget tree is torn down finishes its editing, which must not
    // reach slots of an edit that is already half destroyed.
    if (m_timeEdit)
        m_timeEdit->disconnect(this);
    delete m_note.data();
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
    m_typing = false;
    m_timeEdit->setTime(m_lastTime);
}

void QCustomTimeEdit::setTimeRange(uint64_t min, uint64_t max)
{
    m_timeEdit->setAllowedRange(fromMicroseconds(min), fromMicroseconds(max));
    // The shown time follows a range that moved past it, as a plain time
    // edit's does; text the user is still typing is left alone.
    const QTime lo = m_timeEdit->allowedMinimum();
    const QTime hi = m_timeEdit->allowedMaximum();
    if (!m_typing && (m_lastTime < lo || m_lastTime > hi)) {
        m_lastTime = m_lastTime < lo ? lo : hi;
        m_timeEdit->setTime(m_lastTime);
    }
}

uint64_t QCustomTimeEdit::time() const
{
    return toMicroseconds(m_lastTime);
}

uint64_t QCustomTimeEdit::minimumTime() const
{
    return toMicroseconds(m_timeEdit->allowedMinimum());
}

uint64_t QCustomTimeEdit::maximumTime() const
{
    return toMicroseconds(m_timeEdit->allowedMaximum());
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
    m_typing = false;
    hideNote();
    m_lastTime = fromMicroseconds(t);
    if (m_timeEdit->time() != m_lastTime)
        m_timeEdit->setTime(m_lastTime);
    emit emitTimeChange(t);
}

bool QCustomTimeEdit::parseTypedTime(const QString &text, uint64_t *ms)
{
    static const QRegularExpression shape(QStringLiteral(
        "^\\s*(?:(?:(\\d*)\\s*:)?\\s*(\\d*)\\s*:)?\\s*(\\d*)(?:[.,](\\d*))?\\s*$"));
    const QRegularExpressionMatch m = shape.match(text);
    if (!m.hasMatch() || !text.contains(QRegularExpression(QStringLiteral("\\d"))))
        return false;
    // Each part is capped so that a run of digits cannot overflow; the
    // result is held to the field's range afterwards anyway.
    auto part = [&](int i) { return qMin(m.captured(i).left(9).toULongLong(), 99999999ULL); };
    const uint64_t hours = part(1), minutes = part(2), seconds = part(3);
    // The field reads "12.5" as 12.500 s, so a confirmed text must too.
    const QString fraction = (m.captured(4) + QStringLiteral("000")).left(3);
    *ms = ((hours * 60 + minutes) * 60 + seconds) * 1000 + fraction.toULongLong();
    return true;
}

void QCustomTimeEdit::timeTextEdited(QString)
{
    // Half-typed texts are not times yet: "1" on the way to "17" would
    // move the segment's end before its start. The text is read when the
    // user confirms it (commitTypedText).
    m_typing = true;
    hideNote();
}

void QCustomTimeEdit::commitTypedText(QString text)
{
    if (!m_typing)
        return;
    m_typing = false;
    uint64_t typed = 0;
    if (!parseTypedTime(text, &typed)) {
        m_timeEdit->setTime(m_lastTime);
        return;
    }
    const uint64_t lo = minimumTime() / 1000;
    const uint64_t hi = maximumTime() / 1000;
    const uint64_t held = qBound(lo, typed, hi);
    const bool changed = fromMicroseconds(held * 1000) != m_lastTime;
    m_lastTime = fromMicroseconds(held * 1000);
    m_timeEdit->setTime(m_lastTime);
    if (changed)
        emit emitTimeChange(held * 1000);
    // The owner may have moved the time further (a neighbouring segment in
    // the way); what the field shows now is what counts.
    const uint64_t result = toMicroseconds(m_lastTime) / 1000;
    if (result == typed)
        return;
    const QString when = clockText(m_lastTime);
    showNote(result < typed ? tr("Set to %1, the latest time allowed here.").arg(when)
                            : tr("Set to %1, the earliest time allowed here.").arg(when));
}

void QCustomTimeEdit::cancelTypedText()
{
    if (!m_typing)
        return;
    m_typing = false;
    m_timeEdit->setTime(m_lastTime);
}

void QCustomTimeEdit::showNote(const QString &text)
{
    QWidget *host = window();
    if (!m_note || m_note->parentWidget() != host) {
        delete m_note.data();
        m_note = new QLabel(host);
        m_note->setObjectName(QStringLiteral("m_labTimeNote"));
        m_note->setStyleSheet(QStringLiteral(
            "QLabel{background: rgb(255,244,204); color: rgb(51,51,51);"
            " border: 1px solid rgb(222,132,52); padding: 2px 5px;}"));
        m_note->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_note->setWordWrap(true);
        QFont small(QStringLiteral("Tahoma"));
        small.setPixelSize(11);
        m_note->setFont(small);
    }
    m_note->setText(text);
    // One line where the window allows it, wrapped in a narrow one.
    const int wanted = m_note->fontMetrics().horizontalAdvance(text) + 14;
    const int w = qMax(60, qMin(wanted, qMin(320, host->width())));
    m_note->setFixedWidth(w);
    m_note->setFixedHeight(m_note->heightForWidth(w));
    // Under the field, or above it when the window ends first; never past
    // the window's sides.
    QPoint at = mapTo(host, QPoint(0, height() + 2));
    if (at.y() + m_note->height() > host->height())
        at.setY(mapTo(host, QPoint(0, 0)).y() - m_note->height() - 2);
    at.setX(qBound(0, at.x(), qMax(0, host->width() - m_note->width())));
    m_note->move(at);
    m_note->show();
    m_note->raise();
    m_noteTimer.start();
}

void QCustomTimeEdit::hideNote()
{
    m_noteTimer.stop();
    if (m_note)
        m_note->hide();
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
    const int min = m_timeEdit->allowedMinimum().msecsSinceStartOfDay();
    const int max = m_timeEdit->allowedMaximum().msecsSinceStartOfDay();
    const int result = (carried >= 0 && carried <= max) ? carried : qBound(min, stepped, max);
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
    const int min = m_timeEdit->allowedMinimum().msecsSinceStartOfDay();
    const int max = m_timeEdit->allowedMaximum().msecsSinceStartOfDay();
    const int result = (borrowed >= 0 && borrowed >= min && borrowed < max) ? borrowed : qBound(min, stepped, max);
    produce(uint64_t(result) * 1000);
}

void QCustomTimeEdit::onTimeChanged(QTime)
{
}

void QCustomTimeEdit::timeEditingFinished()
{
    // The typed text was taken over just before (commitTypedText); the
    // editor's own completion of it must not leave another time showing.
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
