// Scroll-bar geometry: where arrows, track and thumb lie for a range, a drag and a hit, and the
// skin frames each part shows.
#include "ScrollGeometry.h"

#include <gtest/gtest.h>

namespace {

constexpr int Arrow = 17;

TEST(ScrollGeometry, ThePageSetsTheThumbLengthAndTheEndsMeetTheArrows) {
    // 100 long: a track of 66 between the arrows; a page of 11 in 0..100 takes a tenth of it
    const TScrollRange first{0, 100, 11, 0}, last{0, 100, 11, 90};
    EXPECT_EQ(ThumbSpan(100, Arrow, first), (TSpan{17, 24}));
    EXPECT_EQ(ThumbSpan(100, Arrow, last).End, 100 - Arrow) << "the last page ends at the second arrow";
    EXPECT_EQ(ThumbSpan(100, Arrow, {0, 100, 51, 25}).Length(), 33);
    // without a page the thumb is an arrow long and stops an arrow before the second one
    EXPECT_EQ(ThumbSpan(100, Arrow, {0, 10, 0, 0}), (TSpan{17, 34}));
    EXPECT_EQ(ThumbSpan(100, Arrow, {0, 10, 0, 10}), (TSpan{66, 83}));
    EXPECT_EQ(ThumbSpan(100, Arrow, {5, 15, 0, 99}), ThumbSpan(100, Arrow, {5, 15, 0, 15})) << "clamped";
}

// A range whose maximum equals its minimum would divide by zero.
TEST(ScrollGeometry, ARangeWithNothingToScrollKeepsTheThumbAtTheStart) {
    EXPECT_EQ(ThumbSpan(100, Arrow, {7, 7, 0, 7}), (TSpan{17, 34}));
    EXPECT_EQ(ThumbSpan(100, Arrow, {7, 7, 1, 7}), (TSpan{17, 83})) << "the page fills the track";
    EXPECT_EQ(ThumbSpan(100, Arrow, {9, 3, 2, 5}).Start, Arrow) << "an inverted range too";
    EXPECT_EQ(ThumbSpan(20, Arrow, {0, 0, 1, 0}).Length(), 0) << "no track, no thumb";
}

TEST(ScrollGeometry, ADraggedThumbStaysBetweenTheArrows) {
    const TSpan pressed{30, 50};
    EXPECT_EQ(DraggedThumb(pressed, 10, 200, Arrow), (TSpan{40, 60}));
    EXPECT_EQ(DraggedThumb(pressed, -500, 200, Arrow), (TSpan{17, 37}));
    EXPECT_EQ(DraggedThumb(pressed, 500, 200, Arrow), (TSpan{163, 183}));
    EXPECT_EQ(DraggedThumb({17, 83}, 5, 100, Arrow), (TSpan{17, 83})) << "a thumb as long as the track";
}

TEST(ScrollGeometry, ADragFarFromTheBarLetsTheThumbGoBack) {
    EXPECT_TRUE(DragKept(-20, 5, 200, Arrow)) << "just past the start";
    EXPECT_TRUE(DragKept(230, 5, 200, Arrow)) << "just past the end";
    EXPECT_FALSE(DragKept(240, 5, 200, Arrow));
    EXPECT_FALSE(DragKept(-40, 5, 200, Arrow));
    EXPECT_TRUE(DragKept(100, -130, 200, Arrow));
    EXPECT_FALSE(DragKept(100, 160, 200, Arrow)) << "far beside the bar";
}

TEST(ScrollGeometry, EveryPointOfTheBarBelongsToOnePart) {
    const TSpan thumb{40, 60};
    EXPECT_EQ(PartAt(0, 200, Arrow, thumb), spFirstArrow);
    EXPECT_EQ(PartAt(16, 200, Arrow, thumb), spFirstArrow);
    EXPECT_EQ(PartAt(17, 200, Arrow, thumb), spPageBefore);
    EXPECT_EQ(PartAt(40, 200, Arrow, thumb), spThumb);
    EXPECT_EQ(PartAt(59, 200, Arrow, thumb), spThumb);
    EXPECT_EQ(PartAt(60, 200, Arrow, thumb), spPageAfter);
    EXPECT_EQ(PartAt(183, 200, Arrow, thumb), spSecondArrow);
}

TEST(ScrollGeometry, ABarShorterThanTwoArrowsHasHalfArrowsAndNoTrack) {
    EXPECT_EQ(FirstArrowSpan(30, Arrow), (TSpan{0, 15}));
    EXPECT_EQ(SecondArrowSpan(30, Arrow), (TSpan{15, 30}));
    EXPECT_EQ(TrackSpan(30, Arrow).Length(), 0);
    EXPECT_EQ(TrackSpan(100, Arrow), (TSpan{17, 83}));
}

TEST(ScrollGeometry, SpansBecomeBoxesAcrossTheBar) {
    EXPECT_EQ(SpanBox({17, 40}, 15, true), (TBox{0, 17, 15, 40}));
    EXPECT_EQ(SpanBox({17, 40}, 15, false), (TBox{17, 0, 40, 15}));
    EXPECT_EQ(CentredBox({20, 60}, 16, 17, true), (TBox{0, 32, 17, 48}));
}

TEST(ScrollGeometry, StatesPickTheirFramesOfTheStrips) {
    EXPECT_EQ(ArrowFrame(false, false, spNone, false), 1);
    EXPECT_EQ(ArrowFrame(false, true, spSecondArrow, true), 6);
    EXPECT_EQ(ArrowFrame(true, false, spFirstArrow, false), 12) << "hot";
    EXPECT_EQ(ArrowFrame(true, true, spFirstArrow, true), 13) << "another part's press";
    EXPECT_EQ(ThumbFrame(spThumb, true), 2);
    EXPECT_EQ(ThumbFrame(spThumb, false), 3);
    EXPECT_EQ(ThumbFrame(spPageAfter, true), 1);
    EXPECT_EQ(GripFrame(false, spNone, false), 17);
    EXPECT_EQ(GripFrame(true, spThumb, false), 22);
    EXPECT_EQ(TrackFrame(false), 3);
}

} // namespace
