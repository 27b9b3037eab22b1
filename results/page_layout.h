#pragma once
// Page arithmetic of the result groups: how many page buttons, in how many
// rows of five, where each button sits, its tooltip range, and how the page
// area and its scroll bar are sized. Everything is in pixels; the window
// applies the numbers to its widgets.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace numsift {

inline constexpr int kPagesPerRow = 5;
inline constexpr int kPageButtonHeight = 21;
inline constexpr int kPageButtonWidth = 39;        // up to five rows
inline constexpr int kPageButtonNarrowWidth = 37;  // six rows and more: room for the bar
inline constexpr int kVisiblePageRows = 5;

// Group j covers the 0-based result indexes first..last (inclusive).
struct GroupRange {
    int first = 0;
    int last = 0;
    bool operator==(const GroupRange&) const = default;
};

int pageCount(int count, int groupSize);  // P: count / groupSize rounded up, 0 for no result
int pageRowCount(int pages);              // R: pages / 5 rounded up
GroupRange groupRange(int page, int count, int groupSize);
// "first - last" with 1-based numbers, e.g. "6001 - 7250".
std::string groupToolTip(int page, int count, int groupSize);
// Reads a tooltip back into 0-based indexes; nothing for a malformed text.
std::optional<GroupRange> parseGroupToolTip(std::string_view text);
// The list row that shows the group's first number on top.
inline int groupTopRow(const GroupRange& g) { return g.first / 5; }

struct PageButtonPlace {
    int left = 0;
    int top = 0;
    std::string caption;  // 1-based number
    std::string toolTip;
};

struct PageScrollBar {
    bool visible = false;
    int min = 0;
    int max = 0;
    int smallChange = 1;
    int largeChange = kVisiblePageRows;
    int value = 0;
};

struct PageLayout {
    int count = 0;           // K
    int groupSize = 0;       // N
    int pages = 0;           // P
    int rows = 0;            // R
    bool showPages = false;  // false for no result: the panel ends above the copy tip
    int buttonWidth = kPageButtonWidth;
    int buttonHeight = kPageButtonHeight;
    std::vector<PageButtonPlace> buttons;  // one per page, inside the page area
    int pageAreaHeight = 0;                // R button heights
    int containerHeight = 0;               // visible part: R rows, or five with the bar
    PageScrollBar scrollBar;
};

// Lays out the page buttons for count results in groups of groupSize
// (groupSize below 1 is treated as 1).
PageLayout layoutPages(int count, int groupSize);

// Left edge of the page scroll bar inside a container of the given inner width.
inline int pageScrollBarLeft(int containerInnerWidth, int barWidth) {
    return containerInnerWidth - barWidth - 2;
}
// Top of the page area for a scroll value: button row `value` is first visible.
inline int pageAreaTop(int scrollValue, int buttonHeight = kPageButtonHeight) {
    return -scrollValue * buttonHeight;
}

}  // namespace numsift
