// The time edit as a user works it: the step buttons, the arrow keys and
// the wheel across section boundaries, and typing.
#include "QCustomTimeEdit.h"
#include "QImageButton.h"
#include "QTimeEditEx.h"

#include <QApplication>
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

TEST(TimeEdit, TypedTimesAreReportedExactlyAndHeldToTheRange)
{
    TimeField f(0, hms(0, 1, 35, 0), 0);
    QLineEdit *line = f.edit.timeEdit()->editor();
    f.edit.timeEdit()->setFocus();

    // Every keystroke's text is read as the time it shows.
    f.selectSection(QDateTimeEdit::SecondSection);
    QTest::keyClicks(f.edit.timeEdit(), QStringLiteral("42"));
    ASSERT_FALSE(f.spy.isEmpty()) << line->text().toStdString() << " focus " << f.edit.timeEdit()->hasFocus() << " cursor " << line->cursorPosition();
    EXPECT_EQ(f.lastEmitted(), hms(0, 0, 42, 0)) << line->text().toStdString();
    f.edit.timeTextEdited(QStringLiteral("00:01:02.345"));
    EXPECT_EQ(f.lastEmitted(), hms(0, 1, 2, 345));

    // Past the end of the file: the end of the file.
    f.edit.timeTextEdited(QStringLiteral("00:09:02.345"));
    EXPECT_EQ(f.lastEmitted(), hms(0, 1, 35, 0));
    EXPECT_EQ(f.text(), QStringLiteral("00:01:35.000"));
    // Below the minimum: the minimum.
    f.edit.setTimeRange(hms(0, 0, 20, 0), hms(0, 1, 35, 0));
    f.edit.timeTextEdited(QStringLiteral("00:00:05.000"));
    EXPECT_EQ(f.lastEmitted(), hms(0, 0, 20, 0));
    // Without a seconds part only hours and minutes count.
    f.edit.timeTextEdited(QStringLiteral("00:01"));
    EXPECT_EQ(f.lastEmitted(), hms(0, 1, 0, 0));

    // Real keystrokes: whatever the editor lets through stays in range.
    f.spy.clear();
    f.edit.setTime(0);
    f.selectSection(QDateTimeEdit::MinuteSection);
    QTest::keyClicks(f.edit.timeEdit(), QStringLiteral("59"));
    for (const QList<QVariant> &args : qAsConst(f.spy)) {
        EXPECT_LE(args.at(0).value<uint64_t>(), hms(0, 1, 35, 0));
        EXPECT_GE(args.at(0).value<uint64_t>(), hms(0, 0, 20, 0));
    }
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
