#include "results/page_marks.h"

namespace numsift {

void PageMarks::reset(int pages) {
    const auto n = static_cast<std::size_t>(pages > 0 ? pages : 0);
    colours_.assign(n, PageColour::Untouched);
    marks_.assign(n, false);
}

PageColour PageMarks::colour(int page) const {
    if (page < 0 || page >= pages()) return PageColour::Untouched;
    return colours_[static_cast<std::size_t>(page)];
}

bool PageMarks::marked(int page) const {
    if (page < 0 || page >= pages()) return false;
    return marks_[static_cast<std::size_t>(page)];
}

std::vector<int> PageMarks::releaseOthers(int page) {
    std::vector<int> released;
    auto release = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (marks_[k]) {
                marks_[k] = false;
                colours_[k] = PageColour::Visited;
                released.push_back(i);
                return;
            }
        }
    };
    const int n = pages();
    const int split = page < 0 ? 0 : (page > n ? n : page);
    release(0, split);
    release(split + 1 > n ? n : split + 1, n);
    return released;
}

void PageMarks::makeCurrent(int page) {
    if (page < 0 || page >= pages()) return;
    const auto k = static_cast<std::size_t>(page);
    marks_[k] = true;
    colours_[k] = PageColour::Current;
}

}  // namespace numsift
