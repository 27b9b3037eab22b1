#include "results/page_layout.h"

#include <charconv>

namespace numsift {

int pageCount(int count, int groupSize) {
    if (count <= 0) return 0;
    if (groupSize < 1) groupSize = 1;
    return count / groupSize + (count % groupSize > 0 ? 1 : 0);
}

int pageRowCount(int pages) {
    if (pages <= 0) return 0;
    return pages / kPagesPerRow + (pages % kPagesPerRow > 0 ? 1 : 0);
}

GroupRange groupRange(int page, int count, int groupSize) {
    if (groupSize < 1) groupSize = 1;
    const long long first = static_cast<long long>(page) * groupSize;
    long long end = first + groupSize;
    if (end > count) end = count;
    return {static_cast<int>(first), static_cast<int>(end - 1)};
}

std::string groupToolTip(int page, int count, int groupSize) {
    const GroupRange g = groupRange(page, count, groupSize);
    return std::to_string(g.first + 1) + " - " + std::to_string(g.last + 1);
}

std::optional<GroupRange> parseGroupToolTip(std::string_view text) {
    const std::size_t dash = text.find(" - ");
    if (dash == std::string_view::npos) return std::nullopt;
    auto number = [](std::string_view s) -> std::optional<int> {
        int v = 0;
        const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec != std::errc() || ptr != s.data() + s.size() || v < 1) return std::nullopt;
        return v;
    };
    const auto a = number(text.substr(0, dash));
    const auto b = number(text.substr(dash + 3));
    if (!a || !b || *b < *a) return std::nullopt;
    return GroupRange{*a - 1, *b - 1};
}

PageLayout layoutPages(int count, int groupSize) {
    PageLayout layout;
    layout.count = count > 0 ? count : 0;
    layout.groupSize = groupSize < 1 ? 1 : groupSize;
    if (layout.count == 0) return layout;

    layout.showPages = true;
    layout.pages = pageCount(layout.count, layout.groupSize);
    layout.rows = pageRowCount(layout.pages);
    const bool scrolled = layout.rows > kVisiblePageRows;
    layout.buttonWidth = scrolled ? kPageButtonNarrowWidth : kPageButtonWidth;
    layout.buttons.reserve(static_cast<std::size_t>(layout.pages));
    for (int i = 0; i < layout.pages; ++i) {
        PageButtonPlace b;
        b.left = (i % kPagesPerRow) * layout.buttonWidth;
        b.top = (i / kPagesPerRow) * layout.buttonHeight;
        b.caption = std::to_string(i + 1);
        b.toolTip = groupToolTip(i, layout.count, layout.groupSize);
        layout.buttons.push_back(std::move(b));
    }
    layout.pageAreaHeight = layout.rows * layout.buttonHeight;
    if (scrolled) {
        layout.containerHeight = kVisiblePageRows * layout.buttonHeight;
        layout.scrollBar.visible = true;
        layout.scrollBar.max = layout.rows - kVisiblePageRows;
    } else {
        layout.containerHeight = layout.rows * layout.buttonHeight;
    }
    return layout;
}

}  // namespace numsift
