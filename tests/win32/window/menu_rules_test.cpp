// The menu rules on their own: bar layout, wrap-around and separator tidying.
#include "MenuRules.h"

#include <gtest/gtest.h>

namespace {
std::vector<bool> Tidy(std::initializer_list<TMenuEntry> entries) {
    return TidySeparators(entries);
}
constexpr TMenuEntry Item{false, true}, Line{true, true}, HiddenItem{false, false}, HiddenLine{true, false};
} // namespace

TEST(MenuRulesTest, SeparatorsAtTheEndsGoAndARowOfThemShowsAsOne) {
    EXPECT_EQ(Tidy({Line, Item, Line, Line, Item, Line}),
              (std::vector<bool>{false, true, false, true, true, false}));
    EXPECT_EQ(Tidy({Item, Line, HiddenItem, Line, Item}),
              (std::vector<bool>{true, false, false, true, true}));
    // A separator before only hidden items is a trailing one.
    EXPECT_EQ(Tidy({Item, Line, HiddenItem}), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(Tidy({Line, Line}), (std::vector<bool>{false, false}));
    EXPECT_EQ(Tidy({HiddenLine, Item}), (std::vector<bool>{false, true}));
    EXPECT_TRUE(Tidy({}).empty());
}

TEST(MenuRulesTest, BarIndexWrapsBothWays) {
    EXPECT_EQ(WrapBarIndex(2, 3, 1), 0);
    EXPECT_EQ(WrapBarIndex(0, 3, -1), 2);
    EXPECT_EQ(WrapBarIndex(1, 3, 1), 2);
    EXPECT_EQ(WrapBarIndex(0, 1, 1), 0);
    EXPECT_EQ(WrapBarIndex(0, 0, 1), -1);
}

TEST(MenuRulesTest, ItemsFollowEachOtherFromTheStartOrFromTheRight) {
    RECT strip{4, 30, 204, 49};
    std::vector<RECT> r = BarItemRects({20, -1, 0, 30}, strip, 6, false);
    EXPECT_EQ(r[0].left, 10);
    EXPECT_EQ(r[0].right, 40);
    EXPECT_EQ(r[0].top, 30);
    EXPECT_EQ(r[0].bottom, 48);
    EXPECT_TRUE(IsRectEmpty(&r[1]));
    EXPECT_EQ(r[2].left, r[2].right); // an empty caption takes no room
    EXPECT_EQ(r[3].left, 40);
    EXPECT_EQ(r[3].right, 80);
    std::vector<RECT> rtl = BarItemRects({20, 30}, strip, 8, true);
    EXPECT_EQ(rtl[0].right, 196);
    EXPECT_EQ(rtl[0].left, 166);
    EXPECT_EQ(rtl[1].right, 166);
}

TEST(MenuRulesTest, TheBarStartsPastTheImagesMargin) {
    EXPECT_EQ(BarStartX(300, false, 9, 9, false), 6);
    EXPECT_EQ(BarStartX(300, true, 5, 7, false), 9);
    EXPECT_EQ(BarStartX(300, true, 5, 7, true), 15);
    EXPECT_EQ(BarStartX(8, true, 5, 7, false), 12);
}

TEST(MenuRulesTest, MenuItemFrames) {
    EXPECT_EQ(MenuItemFrame(false, false), 1);
    EXPECT_EQ(MenuItemFrame(false, true), 4);
    EXPECT_EQ(MenuItemFrame(true, false), 2);
    EXPECT_EQ(MenuItemFrame(true, true), 2);
}
