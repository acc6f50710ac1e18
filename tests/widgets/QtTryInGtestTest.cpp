// The waiting checks the tests are written with must be able to fail: left
// to Qt Test's own reporting they passed whatever happened.
#include <QTimer>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {
int g_value = 0; // the failure checks below cannot reach locals
}

TEST(QtTryInGtest, AConditionThatNeverComesTrueFailsTheTest)
{
    g_value = 1;
    EXPECT_FATAL_FAILURE(QTRY_VERIFY_WITH_TIMEOUT(g_value == 2, 50), "g_value == 2");
    EXPECT_FATAL_FAILURE(QTRY_COMPARE_WITH_TIMEOUT(g_value, 2, 50), "actual:   1");
    EXPECT_FATAL_FAILURE(QTRY_VERIFY2_WITH_TIMEOUT(g_value == 2, "why", 50), "why");
}

TEST(QtTryInGtest, AConditionThatComesTrueWhileWaitingPasses)
{
    int value = 1;
    QTimer::singleShot(20, [&] { value = 2; });
    QTRY_VERIFY_WITH_TIMEOUT(value == 2, 5000);
    QTimer::singleShot(20, [&] { value = 3; });
    QTRY_COMPARE(value, 3);
}
