#pragma once
// Qt Test's waiting checks (QTRY_VERIFY, QTRY_COMPARE and their _WITH_TIMEOUT
// forms) report to Qt Test's own log, which a GoogleTest run never reads: a
// condition that never came true passed silently. Every test executable
// includes this header first (a forced include), so the same macros wait as
// before and then fail the current GoogleTest test when the wait ran out.
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace snipwell_qtry {

template <typename A, typename B>
::testing::AssertionResult compare(const A &actual, const B &expected, const char *actualText,
                                   const char *expectedText)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    const std::unique_ptr<char[]> a(QTest::toString(actual));
    const std::unique_ptr<char[]> e(QTest::toString(expected));
    return ::testing::AssertionFailure() << "timed out waiting for " << actualText << " == " << expectedText
                                         << "\n  actual:   " << (a ? a.get() : "(not printable)")
                                         << "\n  expected: " << (e ? e.get() : "(not printable)");
}

} // namespace snipwell_qtry

#undef QTRY_VERIFY_WITH_TIMEOUT
#undef QTRY_VERIFY
#undef QTRY_VERIFY2_WITH_TIMEOUT
#undef QTRY_VERIFY2
#undef QTRY_COMPARE_WITH_TIMEOUT
#undef QTRY_COMPARE

#define QTRY_VERIFY_WITH_TIMEOUT(expr, timeout)                                                                        \
    do {                                                                                                               \
        if (!QTest::qWaitFor([&]() { return static_cast<bool>(expr); }, timeout))                                      \
            FAIL() << "timed out after " << (timeout) << " ms waiting for " #expr;                                     \
    } while (false)
#define QTRY_VERIFY(expr) QTRY_VERIFY_WITH_TIMEOUT(expr, 5000)

#define QTRY_VERIFY2_WITH_TIMEOUT(expr, message, timeout)                                                              \
    do {                                                                                                               \
        if (!QTest::qWaitFor([&]() { return static_cast<bool>(expr); }, timeout))                                      \
            FAIL() << "timed out after " << (timeout) << " ms waiting for " #expr ": " << (message);                   \
    } while (false)
#define QTRY_VERIFY2(expr, message) QTRY_VERIFY2_WITH_TIMEOUT(expr, message, 5000)

#define QTRY_COMPARE_WITH_TIMEOUT(actual, expected, timeout)                                                           \
    do {                                                                                                               \
        static_cast<void>(QTest::qWaitFor([&]() { return static_cast<bool>((actual) == (expected)); }, timeout));                         \
        ASSERT_TRUE(::snipwell_qtry::compare((actual), (expected), #actual, #expected));                               \
    } while (false)
#define QTRY_COMPARE(actual, expected) QTRY_COMPARE_WITH_TIMEOUT(actual, expected, 5000)
