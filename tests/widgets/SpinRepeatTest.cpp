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

TEST(SpinRepeat, HoldingOneSecondStepsFiveTimes)
{
    QVoDoubleSpinBox spin;
    spin.setRange(0, 1000);
    spin.setDecimals(0);
    spin.setValue(500);
    spin.setButtonImages("/VEditSource/spinBox_up.png", "/VEditSource/spinBox_down.png");
    ASSERT_NE(spin.upButton(), nullptr);
    spin.show();

    // Ticks at 100 ms; repeating from the seventh (700 ms) to the tenth,
    // plus the click itself on release.
    EXPECT_EQ(holdFor(spin, spin.upButton(), 1050), 5);
    EXPECT_EQ(holdFor(spin, spin.downButton(), 1050), -5);
    // A short press is one click, no repeat.
    EXPECT_EQ(holdFor(spin, spin.upButton(), 300), 1);
    // Released means stopped: nothing moves afterwards.
    const double after = spin.value();
    QTest::qWait(300);
    EXPECT_EQ(spin.value(), after);
}
