// Holding a spin box button repeats after a delay, on the real clock.
#include "QVoBaseButton.h"
#include "QVoDoubleSpinBox.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// Lets count ticks of the repeat's own 100 ms clock pass.
void letTicksPass(int count)
{
    int ticks = 0;
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, [&] { ++ticks; });
    clock.start(100);
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= count, 10000);
}
} // namespace

TEST(SpinRepeat, HoldingRepeatsAfterTheDelayAndStopsOnRelease)
{
    QVoDoubleSpinBox spin;
    spin.setRange(0, 1000);
    spin.setDecimals(0);
    spin.setValue(500);
    spin.setButtonImages("/VEditSource/spinBox_up.png", "/VEditSource/spinBox_down.png");
    ASSERT_NE(spin.upButton(), nullptr);
    spin.show();

    // Ticks at 100 ms; repeating from the seventh (700 ms) on, plus the
    // click itself on release. A loaded machine may deliver ticks late, so
    // the hold lasts until the fourth repeat rather than a fixed time; the
    // repeat must still not start early.
    for (QVoBaseButton *button : {spin.upButton(), spin.downButton()}) {
        const double sign = button == spin.upButton() ? 1.0 : -1.0;
        const double before = spin.value();
        QElapsedTimer held;
        held.start();
        QTest::mousePress(button, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return spin.value() != before; }, 10000));
        EXPECT_GE(held.elapsed(), 650);
        ASSERT_TRUE(QTest::qWaitFor([&] { return (spin.value() - before) * sign >= 4; }, 10000));
        QTest::mouseRelease(button, Qt::LeftButton);
        EXPECT_EQ(spin.value() - before, 5 * sign);
    }
    // A click is one step, and released means stopped: nothing moves
    // during the next ten ticks, more than the repeat's delay.
    const double before = spin.value();
    QTest::mouseClick(spin.upButton(), Qt::LeftButton);
    EXPECT_EQ(spin.value() - before, 1);
    letTicksPass(10);
    EXPECT_EQ(spin.value() - before, 1);
}
