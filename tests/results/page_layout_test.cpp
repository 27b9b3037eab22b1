#include "results/page_layout.h"

#include <gtest/gtest.h>

namespace numsift {
namespace {

TEST(PageLayout, GroupBoundariesAndToolTips) {
    // K = N: one button covering everything.
    PageLayout one = layoutPages(3000, 3000);
    ASSERT_EQ(one.pages, 1);
    EXPECT_EQ(one.buttons[0].toolTip, "1 - 3000");

    // K = N + 1: the second group holds just the last number.
    PageLayout two = layoutPages(3001, 3000);
    ASSERT_EQ(two.pages, 2);
    EXPECT_EQ(two.buttons[1].toolTip, "3001 - 3001");
    EXPECT_EQ(two.buttons[1].caption, "2");

    PageLayout three = layoutPages(7250, 3000);
    ASSERT_EQ(three.pages, 3);
    EXPECT_EQ(three.buttons[0].toolTip, "1 - 3000");
    EXPECT_EQ(three.buttons[1].toolTip, "3001 - 6000");
    EXPECT_EQ(three.buttons[2].toolTip, "6001 - 7250");
    EXPECT_EQ(groupRange(2, 7250, 3000), (GroupRange{6000, 7249}));
}

TEST(PageLayout, RowsWidthAndScrollBar) {
    // 25 pages: five full rows, no bar, wide buttons.
    PageLayout p25 = layoutPages(25000, 1000);
    EXPECT_EQ(p25.pages, 25);
    EXPECT_EQ(p25.rows, 5);
    EXPECT_FALSE(p25.scrollBar.visible);
    EXPECT_EQ(p25.buttonWidth, 39);
    EXPECT_EQ(p25.containerHeight, 5 * 21);

    // 26 pages: a sixth row, the bar with Max 1, narrower buttons.
    PageLayout p26 = layoutPages(25001, 1000);
    EXPECT_EQ(p26.pages, 26);
    EXPECT_EQ(p26.rows, 6);
    EXPECT_TRUE(p26.scrollBar.visible);
    EXPECT_EQ(p26.scrollBar.max, 1);
    EXPECT_EQ(p26.scrollBar.largeChange, 5);
    EXPECT_EQ(p26.buttonWidth, 37);
    EXPECT_EQ(p26.containerHeight, 5 * 21);
    EXPECT_EQ(p26.pageAreaHeight, 6 * 21);
    // Button 26 starts the sixth row at the left edge.
    EXPECT_EQ(p26.buttons[25].left, 0);
    EXPECT_EQ(p26.buttons[25].top, 5 * 21);
}

TEST(PageLayout, FullSpaceInGroupsOfThousand) {
    PageLayout p = layoutPages(100000, 1000);
    ASSERT_EQ(p.pages, 100);
    ASSERT_EQ(p.buttons.size(), 100u);
    EXPECT_EQ(p.rows, 20);
    EXPECT_EQ(p.scrollBar.max, 15);
    EXPECT_EQ(p.buttons.back().toolTip, "99001 - 100000");
    EXPECT_EQ(p.buttons.back().left, 4 * 37);
    EXPECT_EQ(p.buttons.back().top, 19 * 21);
    EXPECT_EQ(pageAreaTop(15), -15 * 21);
    EXPECT_EQ(pageScrollBarLeft(200, 15), 183);
}

TEST(PageLayout, NoResultHasNoPages) {
    PageLayout p = layoutPages(0, 3000);
    EXPECT_FALSE(p.showPages);
    EXPECT_EQ(p.pages, 0);
    EXPECT_TRUE(p.buttons.empty());
    EXPECT_EQ(pageCount(0, 1000), 0);
    EXPECT_EQ(pageRowCount(0), 0);
}

TEST(PageLayout, ToolTipParsing) {
    EXPECT_EQ(parseGroupToolTip("6001 - 7250"), (GroupRange{6000, 7249}));
    EXPECT_EQ(parseGroupToolTip(groupToolTip(99, 100000, 1000)), (GroupRange{99000, 99999}));
    for (const char* bad : {"", "1-3", "3 - 1", "a - b", "0 - 5", "1 - 3x", " - 4"})
        EXPECT_FALSE(parseGroupToolTip(bad).has_value()) << bad;
}

}  // namespace
}  // namespace numsift
