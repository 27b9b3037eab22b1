#pragma once
// Marks and colours of the page buttons: the group clicked last is current
// (green), groups clicked before are visited (red), the rest untouched.
// The window paints the buttons from this state.

#include <cstdint>
#include <vector>

namespace numsift {

enum class PageColour { Untouched, Current, Visited };

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kCurrentPageColour{0, 255, 0};
inline constexpr Rgb kVisitedPageColour{255, 0, 0};

class PageMarks {
public:
    // Every button untouched and unmarked (after a rebuild).
    void reset(int pages);

    int pages() const { return static_cast<int>(colours_.size()); }
    PageColour colour(int page) const;
    bool marked(int page) const;

    // Looks for a marked button other than page, first among the buttons
    // before it and separately among those after it, each search stopping at
    // its first hit; the buttons found turn visited. Returns them in order.
    std::vector<int> releaseOthers(int page);
    // page becomes the current, marked button.
    void makeCurrent(int page);

private:
    std::vector<PageColour> colours_;
    std::vector<bool> marks_;
};

}  // namespace numsift
