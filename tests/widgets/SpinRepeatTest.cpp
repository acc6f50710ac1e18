// Holding a spin box button repeats after a delay, on the real clock.
#include "QVoBaseButton.h"
#include "QVoDoubleSpinBox.h"

#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

namespace {
double holdFor(QVoDoubleSpinBox &spin, QVoBaseButton *button, int ms)
{
    const double before = spin.value();
    QTest::mousePress(button, Qt::LeftButton);
    QTest::qWait(ms);
    QTest::mouseRelease(button, Qt::LeftButton);
    return spin.value() - before;
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
    // A short press is one click, no repeat.
    EXPECT_EQ(holdFor(spin, spin.upButton(), 300), 1);
    // Released means stopped: nothing moves afterwards.
    const double after = spin.value();
    QTest::qWait(300);
    EXPECT_EQ(spin.value(), after);
}
