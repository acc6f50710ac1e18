// The time edit as a user works it: the step buttons, the arrow keys and
// the wheel across section boundaries, and typing.
#include "QCustomTimeEdit.h"
#include "QImageButton.h"
#include "QTimeEditEx.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QWheelEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr uint64_t kMs = 1000;

uint64_t hms(int h, int m, int s, int ms)
{
    return ((uint64_t(h) * 3600 + uint64_t(m) * 60 + uint64_t(s)) * 1000 + uint64_t(ms)) * kMs;
}

struct TimeField {
    QCustomTimeEdit edit;
    QSignalSpy spy{&edit, &QCustomTimeEdit::emitTimeChange};
    TimeField(uint64_t min, uint64_t max, uint64_t shown)
    {
        edit.resize(137, 23);
        edit.setTimeRange(min, max);
        edit.setTime(shown);
        edit.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&edit));
    }
    void section(QDateTimeEdit::Section s) { edit.timeEdit()->setCurrentSection(s); }
    // As a double click or a tab into the field does.
    void selectSection(QDateTimeEdit::Section s) { edit.timeEdit()->setSelectedSection(s); }
    uint64_t lastEmitted() const { return spy.isEmpty() ? ~0ULL : spy.last().at(0).value<uint64_t>(); }
    QString text() const { return edit.timeEdit()->text(); }
};

} // namespace

TEST(TimeEdit, StepUpCarriesIntoTheNextUnit)
{
    struct Case {
        uint64_t from;
        QDateTimeEdit::Section section;
        uint64_t to;
        const char *text;
    };
    const Case cases[] = {
        {hms(0, 0, 59, 999), QDateTimeEdit::MSecSection, hms(0, 1, 0, 0), "00:01:00.000"},
        {hms(0, 59, 59, 999), QDateTimeEdit::MSecSection, hms(1, 0, 0, 0), "01:00:00.000"},
        {hms(0, 3, 59, 250), QDateTimeEdit::SecondSection, hms(0, 4, 0, 250), "00:04:00.250"},
        {hms(1, 59, 7, 5), QDateTimeEdit::MinuteSection, hms(2, 0, 7, 5), "02:00:07.005"},
        // No boundary: the ordinary step of the section.
        {hms(0, 0, 10, 500), QDateTimeEdit::MSecSection, hms(0, 0, 10, 501), "00:00:10.501"},
    };
    for (const Case &c : cases) {
        TimeField f(0, hms(5, 0, 0, 0), c.from);
        f.section(c.section);
        QTest::mouseClick(f.edit.upButton(), Qt::LeftButton);
        ASSERT_EQ(f.spy.count(), 1) << c.text;
        EXPECT_EQ(f.lastEmitted(), c.to) << c.text;
        EXPECT_EQ(f.text(), QString::fromLatin1(c.text));
        EXPECT_EQ(f.edit.time(), c.to);
    }
}

TEST(TimeEdit, StepDownBorrowsFromTheNextUnit)
{
    struct Case {
        uint64_t from;
        QDateTimeEdit::Section section;
        uint64_t to;
    };
    const Case cases[] = {
        {hms(1, 0, 10, 500), QDateTimeEdit::MinuteSection, hms(0, 59, 10, 500)},
        {hms(0, 1, 0, 0), QDateTimeEdit::MSecSection, hms(0, 0, 59, 999)},
        {hms(2, 0, 0, 0), QDateTimeEdit::MSecSection, hms(1, 59, 59, 999)},
        {hms(0, 5, 0, 40), QDateTimeEdit::SecondSection, hms(0, 4, 59, 40)},
        // At zero there is nothing to borrow from: the time stays, it never
        // jumps to a later one.
        {0, QDateTimeEdit::MSecSection, 0},
        {hms(0, 0, 30, 0), QDateTimeEdit::MinuteSection, hms(0, 0, 30, 0)},
    };
    for (const Case &c : cases) {
        TimeField f(0, hms(5, 0, 0, 0), c.from);
        f.section(c.section);
        QTest::mouseClick(f.edit.downButton(), Qt::LeftButton);
        ASSERT_EQ(f.spy.count(), 1);
        EXPECT_EQ(f.lastEmitted(), c.to) << f.text().toStdString();
        EXPECT_EQ(QCustomTimeEdit::toMicroseconds(f.edit.timeEdit()->time()), c.to);
    }
}

TEST(TimeEdit, CarriesStayInsideTheRange)
{
    // Up from 59.999 with the maximum at 59.999: the carry would leave the range.
    TimeField up(0, hms(0, 0, 59, 999), hms(0, 0, 59, 999));
    up.section(QDateTimeEdit::MSecSection);
    QTest::mouseClick(up.edit.upButton(), Qt::LeftButton);
    EXPECT_EQ(up.lastEmitted(), hms(0, 0, 59, 999));

    // Down from 1:00.000 with the minimum at 0:59.500: the borrow (0:59.000) is refused.
    TimeField down(hms(0, 0, 59, 500), hms(0, 10, 0, 0), hms(0, 1, 0, 0));
    down.section(QDateTimeEdit::SecondSection);
    QTest::mouseClick(down.edit.downButton(), Qt::LeftButton);
    EXPECT_GE(down.lastEmitted(), down.edit.minimumTime());
}

TEST(TimeEdit, ArrowKeysAndWheelStepWithTheSameCarry)
{
    TimeField f(0, hms(1, 0, 0, 0), hms(0, 0, 59, 0));
    f.edit.timeEdit()->setFocus();
    f.section(QDateTimeEdit::SecondSection);
    QTest::keyClick(f.edit.timeEdit(), Qt::Key_Up);
    EXPECT_EQ(f.lastEmitted(), hms(0, 1, 0, 0));
    f.section(QDateTimeEdit::SecondSection);
    QTest::keyClick(f.edit.timeEdit(), Qt::Key_Down);
    EXPECT_EQ(f.lastEmitted(), hms(0, 0, 59, 0));

    f.section(QDateTimeEdit::MSecSection);
    f.edit.setTime(hms(0, 0, 59, 999));
    f.section(QDateTimeEdit::MSecSection);
    const QPoint centre = f.edit.timeEdit()->rect().center();
    QWheelEvent wheel(centre, f.edit.timeEdit()->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.edit.timeEdit(), &wheel);
    EXPECT_EQ(f.lastEmitted(), hms(0, 1, 0, 0));
}

TEST(TimeEdit, TypedTimesAreReportedOnceConfirmedAndHeldToTheRange)
{
    QWidget window;
    window.resize(400, 120);
    auto *edit = new QCustomTimeEdit(&window);
    edit->setGeometry(10, 10, 137, 23);
    auto *other = new QLineEdit(&window);
    other->setGeometry(10, 60, 100, 23);
    QSignalSpy spy(edit, &QCustomTimeEdit::emitTimeChange);
    // An end field: the start at 12 s, the file 20 s long, showing the end.
    edit->setTimeRange(hms(0, 0, 12, 0), hms(0, 0, 20, 0));
    edit->setTime(hms(0, 0, 20, 0));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTimeEditEx *inner = edit->timeEdit();
    auto last = [&] { return spy.isEmpty() ? ~0ULL : spy.last().at(0).value<uint64_t>(); };
    auto selectAllAndType = [&](const QString &text) {
        QTest::mouseClick(inner->editor(), Qt::LeftButton, Qt::NoModifier, inner->editor()->rect().center());
        QTest::keyClick(inner, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(inner, text);
    };

    // The whole text typed over: nothing while typing ("1" on the way to
    // "17" lies below the start), the time once Return confirms it.
    selectAllAndType(QStringLiteral("00:00:17.000"));
    EXPECT_TRUE(spy.isEmpty());
    QTest::keyClick(inner, Qt::Key_Return);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(last(), hms(0, 0, 17, 0));
    EXPECT_EQ(inner->text(), QStringLiteral("00:00:17.000"));
    EXPECT_EQ(edit->time(), hms(0, 0, 17, 0));

    // One section, confirmed by leaving the field with Tab.
    inner->setSelectedSection(QDateTimeEdit::MSecSection);
    QTest::keyClicks(inner, QStringLiteral("5"));
    QTest::keyClick(inner, Qt::Key_Tab);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !inner->hasFocus(); }, 2000));
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(last(), hms(0, 0, 17, 500)); // the field reads ".5" as half a second
    EXPECT_EQ(inner->text(), QStringLiteral("00:00:17.500"));

    // Pasted over the whole text.
    QApplication::clipboard()->setText(QStringLiteral("00:00:13.250"));
    QTest::mouseClick(inner->editor(), Qt::LeftButton, Qt::NoModifier, inner->editor()->rect().center());
    QTest::keyClick(inner, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(inner, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(inner, Qt::Key_Enter);
    EXPECT_EQ(last(), hms(0, 0, 13, 250));

    // Below the allowed range: the earliest allowed time, and a note says so.
    selectAllAndType(QStringLiteral("00:00:05.000"));
    QTest::keyClick(inner, Qt::Key_Return);
    EXPECT_EQ(last(), hms(0, 0, 12, 0));
    EXPECT_EQ(inner->text(), QStringLiteral("00:00:12.000"));
    ASSERT_NE(edit->note(), nullptr);
    EXPECT_TRUE(edit->note()->isVisible());
    EXPECT_TRUE(edit->note()->text().contains(QStringLiteral("00:00:12.000"))) << edit->note()->text().toStdString();
    EXPECT_TRUE(window.rect().contains(edit->note()->geometry()))
        << edit->note()->geometry().x() << "," << edit->note()->geometry().y() << " " << edit->note()->width() << "x"
        << edit->note()->height();
    // Typing again takes the note away; past the end gives the end.
    selectAllAndType(QStringLiteral("00:01:00.000"));
    EXPECT_FALSE(edit->note()->isVisible());
    QTest::keyClick(inner, Qt::Key_Return);
    EXPECT_EQ(last(), hms(0, 0, 20, 0));
    EXPECT_TRUE(edit->note()->isVisible());
    EXPECT_TRUE(edit->note()->text().contains(QStringLiteral("00:00:20.000")));
    // The note goes by itself.
    QTRY_VERIFY_WITH_TIMEOUT(!edit->note()->isVisible(), 8000);

    // Escape drops what was typed; confirming an unchanged time reports nothing.
    const int reports = spy.count();
    selectAllAndType(QStringLiteral("00:00:14.000"));
    QTest::keyClick(inner, Qt::Key_Escape);
    EXPECT_EQ(inner->text(), QStringLiteral("00:00:20.000"));
    QTest::keyClick(inner, Qt::Key_Return);
    EXPECT_EQ(spy.count(), reports);
    EXPECT_EQ(edit->time(), hms(0, 0, 20, 0));
}

TEST(TimeEdit, ShortTypedFormsReadFromTheRight)
{
    const struct {
        const char *text;
        uint64_t ms;
    } cases[] = {
        {"00:00:17.000", 17000}, {"01:02:03.4", 3723400}, {"00:00:1.000", 1000}, {"17", 17000},
        {"17.25", 17250},        {"1:30", 90000},         {"12,5", 12500},       {" 0:00:09.05 ", 9050},
    };
    for (const auto &c : cases) {
        uint64_t ms = 0;
        ASSERT_TRUE(QCustomTimeEdit::parseTypedTime(QString::fromLatin1(c.text), &ms)) << c.text;
        EXPECT_EQ(ms, c.ms) << c.text;
    }
    uint64_t ms = 0;
    EXPECT_FALSE(QCustomTimeEdit::parseTypedTime(QString(), &ms));
    EXPECT_FALSE(QCustomTimeEdit::parseTypedTime(QStringLiteral("::."), &ms));
    EXPECT_FALSE(QCustomTimeEdit::parseTypedTime(QStringLiteral("12 s"), &ms));
}

TEST(TimeEdit, TextColourFollowsTheEnabledState)
{
    TimeField f(0, hms(0, 1, 0, 0), 0);
    EXPECT_EQ(f.edit.textColor(), QColor(159, 147, 147));
    f.edit.setEnabled(false);
    EXPECT_EQ(f.edit.textColor(), QColor(98, 120, 120));
    f.edit.setEnabled(true);
    EXPECT_EQ(f.edit.textColor(), QColor(69, 69, 69));
}

TEST(TimeEdit, ConversionDropsSubMillisecondsAndCapsAtADay)
{
    EXPECT_EQ(QCustomTimeEdit::fromMicroseconds(1999), QTime(0, 0, 0, 1));
    EXPECT_EQ(QCustomTimeEdit::fromMicroseconds(hms(30, 0, 0, 0)), QTime(23, 59, 59, 999));
    EXPECT_EQ(QCustomTimeEdit::toMicroseconds(QTime(1, 2, 3, 4)), hms(1, 2, 3, 4));
}
