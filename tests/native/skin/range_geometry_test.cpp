// The rules behind the track-bar thumb's frame and the progress bar's fill.
#include "RangeGeometry.h"

#include <gtest/gtest.h>

#include <climits>

TEST(RangeGeometry, ThumbStatesFollowTheButtonPrecedenceAndTheStripsFrameOrder) {
    EXPECT_EQ(ThumbFrame(ThumbState(true, false, false, false)), 2);
    EXPECT_EQ(ThumbFrame(ThumbState(true, false, true, false)), 1);
    EXPECT_EQ(ThumbFrame(ThumbState(true, true, true, true)), 3);
    EXPECT_EQ(ThumbFrame(ThumbState(false, true, true, true)), 4);
    EXPECT_EQ(ThumbFrame(ThumbState(true, true, false, false)), 5);
}

TEST(RangeGeometry, APieceIsCentredOnlyWhenItIsShorterThanItsRoom) {
    EXPECT_EQ(CentredStart(20, 10, 6), 22);
    EXPECT_EQ(CentredStart(20, 4, 6), 20);
    EXPECT_EQ(CentredStart(20, 6, 6), 20);
    EXPECT_EQ(CentredStart(20, 9, 6), 21) << "an odd remainder rounds towards the start";
}

TEST(RangeGeometry, TheFillIsTheShareOfTheRangeAboveItsLowerLimit) {
    EXPECT_EQ(FilledLength(146, 0, 0, 100), 0);
    EXPECT_EQ(FilledLength(146, 50, 0, 100), 73);
    EXPECT_EQ(FilledLength(146, 100, 0, 100), 146);
    EXPECT_EQ(FilledLength(100, 100, 50, 150), 50) << "a lower limit above 0 counts";
    EXPECT_EQ(FilledLength(100, 20, 50, 150), 0) << "below the range: empty";
    EXPECT_EQ(FilledLength(100, 200, 50, 150), 100) << "never past the end";
    EXPECT_EQ(FilledLength(100, 5, 5, 5), 0) << "an empty range";
    EXPECT_EQ(FilledLength(100, 5, 9, 1), 0) << "an inverted range";
    EXPECT_EQ(FilledLength(0, 5, 0, 10), 0);
    EXPECT_EQ(FilledLength(100, 0, INT_MIN, INT_MAX), 50) << "no overflow";
    EXPECT_EQ(FilledLength(INT_MAX, INT_MAX, 0, INT_MAX), INT_MAX);
}
