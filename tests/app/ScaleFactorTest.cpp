#include "ScaleFactor.h"

#include <gtest/gtest.h>

TEST(ScaleFactor, TextIsTheRatioInGeneralFormat)
{
    EXPECT_EQ(scaleFactorText(1536, 1920), "1.25");
    EXPECT_EQ(scaleFactorText(1280, 1920), "1.5");
    EXPECT_EQ(scaleFactorText(1920, 1920), "1");
    EXPECT_EQ(scaleFactorText(1440, 1920), "1.33333");
    EXPECT_EQ(scaleFactorText(0, 1920), "");
    EXPECT_EQ(scaleFactorText(1920, 0), "");
}

TEST(ScaleFactor, AppliedOnceOnly)
{
    qunsetenv("QT_SCALE_FACTOR");
    int asked = 0;
    applyScaleFactor([&] {
        ++asked;
        return ScreenWidths{1536, 1920};
    });
    EXPECT_EQ(qgetenv("QT_SCALE_FACTOR"), "1.25");
    applyScaleFactor([&] {
        ++asked;
        return ScreenWidths{1280, 1920};
    });
    EXPECT_EQ(qgetenv("QT_SCALE_FACTOR"), "1.25");
    EXPECT_EQ(asked, 1);
}

TEST(ScaleFactor, NoDisplayMeansUnknownWidths)
{
    const QByteArray display = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    const ScreenWidths w = queryScreenWidths();
    EXPECT_EQ(w.logical, 0);
    EXPECT_EQ(w.physical, 0);
    if (!display.isEmpty())
        qputenv("DISPLAY", display);
}
