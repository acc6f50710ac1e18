// What a search's findings become: the pieces kept between or inside the
// ranges found, cut at picture changes, with crumbs left out.
#include "DetectedCuts.h"

#include <gtest/gtest.h>

using namespace detectcuts;

namespace {
constexpr int64_t s = 1000000;
}

TEST(DetectedCuts, BetweenKeepsWhatNoRangeCoversAndInsideTheRanges)
{
    // The silences of the detect fixture: 2-3.5 s and 9 s to its end.
    const std::vector<Finding> silences{{2 * s, 35 * s / 10}, {9 * s, 12 * s}};
    EXPECT_EQ(pieces(silences, 12 * s, Keep::Between),
              (std::vector<Piece>{{0, 2 * s}, {35 * s / 10, 9 * s}}));
    EXPECT_EQ(pieces(silences, 12 * s, Keep::Inside), (std::vector<Piece>{{2 * s, 35 * s / 10}, {9 * s, 12 * s}}));
}

TEST(DetectedCuts, RangesOfSeveralSearchesOverlapUnorderedAndPastTheEnd)
{
    // Black 3-4 s overlapping a silence 2-3.5 s, given out of order, one
    // range reaching past the file's end and one from before its start.
    const std::vector<Finding> found{{9 * s, 15 * s}, {3 * s, 4 * s}, {2 * s, 35 * s / 10}, {-s, s / 2}};
    EXPECT_EQ(pieces(found, 12 * s, Keep::Between), (std::vector<Piece>{{s / 2, 2 * s}, {4 * s, 9 * s}}));
    // Inside: overlapping ranges make one segment.
    EXPECT_EQ(pieces(found, 12 * s, Keep::Inside), (std::vector<Piece>{{0, s / 2}, {2 * s, 4 * s}, {9 * s, 12 * s}}));
}

TEST(DetectedCuts, PictureChangesCutThePiecesAndAloneMakeTheScenes)
{
    const std::vector<Finding> changes{{3 * s, 3 * s}, {4 * s, 4 * s}, {7 * s, 7 * s}, {10 * s, 10 * s}};
    const std::vector<Piece> scenes{{0, 3 * s}, {3 * s, 4 * s}, {4 * s, 7 * s}, {7 * s, 10 * s}, {10 * s, 12 * s}};
    EXPECT_EQ(pieces(changes, 12 * s, Keep::Between), scenes);
    EXPECT_EQ(pieces(changes, 12 * s, Keep::Inside), scenes);

    // With a range, a change inside it cuts it; one outside cuts the rest.
    std::vector<Finding> mixed = changes;
    mixed.push_back({9 * s, 12 * s});
    EXPECT_EQ(pieces(mixed, 12 * s, Keep::Inside), (std::vector<Piece>{{9 * s, 10 * s}, {10 * s, 12 * s}}));
    EXPECT_EQ(pieces(mixed, 12 * s, Keep::Between),
              (std::vector<Piece>{{0, 3 * s}, {3 * s, 4 * s}, {4 * s, 7 * s}, {7 * s, 9 * s}}));
}

TEST(DetectedCuts, CrumbsAndEmptyFilesMakeNoPiece)
{
    // A silence ending 20 ms before the end, and two 0.1 s apart.
    const std::vector<Finding> found{{s, 2 * s}, {21 * s / 10, 5 * s}, {6 * s, 998 * s / 100}};
    EXPECT_EQ(pieces(found, 10 * s, Keep::Between), (std::vector<Piece>{{0, s}, {5 * s, 6 * s}}));
    EXPECT_TRUE(pieces({{0, 10 * s}}, 10 * s, Keep::Between).empty());
    EXPECT_TRUE(pieces(found, 0, Keep::Inside).empty());
    EXPECT_EQ(pieces({}, 10 * s, Keep::Between), (std::vector<Piece>{{0, 10 * s}}));
}

TEST(DetectedCuts, MarksAreTheEdgesAndChangesAwayFromTheFilesEnds)
{
    // Silence from 9 s to the end marks 9 s only; overlapping ranges mark
    // the edges of their union; a change at 0.1 s is too near the start.
    const std::vector<Finding> found{{9 * s, 12 * s}, {2 * s, 35 * s / 10}, {3 * s, 4 * s}, {7 * s, 7 * s},
                                     {s / 10, s / 10}};
    EXPECT_EQ(marks(found, 12 * s), (std::vector<int64_t>{2 * s, 4 * s, 7 * s, 9 * s}));
    EXPECT_TRUE(marks({{0, 12 * s}}, 12 * s).empty());
    EXPECT_TRUE(marks(found, 0).empty());
}
