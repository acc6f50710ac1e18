// The script pieces handed to the burn filter: a wrong byte here shows as
// a wrong colour, a missing line or an injected override in the picture.
#include "AssText.h"

#include <gtest/gtest.h>

using namespace subtitles;

TEST(AssText, TimesRoundDownToCentisecondsAndAnOpenEndLastsForever)
{
    EXPECT_EQ(assTime(0, false), "0:00:00.00");
    EXPECT_EQ(assTime(3723'456'789, false), "1:02:03.45");
    EXPECT_EQ(assTime(9'999, true), "0:00:00.00");
    EXPECT_EQ(assTime(0, true), "9:59:59.99");
}

TEST(AssText, DialogueKeepsLinesAndCannotOpenAnOverrideBlock)
{
    EXPECT_EQ(assText("one\r\ntwo\nthree"), "one\\Ntwo\\Nthree");
    EXPECT_EQ(assText("{\\b1}bold?"), "\\{\\b1\\}bold?");
    EXPECT_EQ(assText("Grüße"), "Grüße");
}

TEST(AssText, FontNamesLoseFieldBreakersAndNeverComeOutEmpty)
{
    EXPECT_EQ(assName("DejaVu Sans"), "DejaVu Sans");
    EXPECT_EQ(assName("Evil,\\fs99}{Font"), "Evilfs99Font");
    EXPECT_EQ(assName(",{}"), "Sans");
    EXPECT_EQ(assName(""), "Sans");
}

TEST(AssText, ColoursAreBlueGreenRedWithTransparencyFirst)
{
    // Opaque orange (ARGB ff ff 80 00) at full opacity.
    EXPECT_EQ(assColour(0xFFFF8000u, 1.0), "&H000080FF");
    // Half the opacity makes it half transparent; none makes it invisible.
    EXPECT_EQ(assColour(0xFF102030u, 0.5), "&H7F302010");
    EXPECT_EQ(assColour(0xFF102030u, 0.0), "&HFF302010");
    // The colour's own alpha counts too.
    EXPECT_EQ(assColour(0x00FFFFFFu, 1.0), "&HFFFFFFFF");
}
