// Test entry: a QApplication exists for the whole run, so widget and
// settings tests can use Qt freely. Tests run on the offscreen platform
// (set by CTest) unless the caller chose another one.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
