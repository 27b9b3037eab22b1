#include "ui/analysis/trend_columns.h"

#include <algorithm>

namespace numsift {

namespace {

constexpr int kTextWidths[kTrendTextCount] = {80, 80, 80, 66};
constexpr const char* kTextTitles[kTrendTextCount] = {"大小", "奇偶", "质合", "012路"};

}  // namespace

ItemFamily trendTextFamily(int column) {
    switch (column) {
        case kTextBigSmall: return ItemFamily::BigSmall;
        case kTextOddEven: return ItemFamily::OddEven;
        case kTextPrimeComposite: return ItemFamily::PrimeComposite;
        default: return ItemFamily::Road;
    }
}

const char* trendTextTitle(int column) {
    return column >= 0 && column < kTrendTextCount ? kTextTitles[column] : "";
}

int TrendColumns::cellWidthOf(int block) {
    switch (block) {
        case kTrendBigSmallRatioBlock:
        case kTrendOddEvenRatioBlock:
        case kTrendPrimeCompositeRatioBlock: return 26;
        case kTrendShapeBlock: return 40;
        default: return 21;
    }
}

int TrendColumns::textWidth(int column) { return kTextWidths[column]; }

TrendColumns::TrendColumns() {
    int x = 0;
    for (int c = 0; c < kTrendCellCount; ++c) {
        cellLeft_[static_cast<std::size_t>(c)] = x;
        x += cellWidth(c);
    }
    cellLeft_[kTrendCellCount] = x;
    for (int t = 0; t < kTrendTextCount; ++t) {
        textLeft_[static_cast<std::size_t>(t)] = x;
        x += kTextWidths[t];
    }
    contentWidth_ = x;
}

int TrendColumns::cellAt(int x) const {
    if (x < 0 || x >= cellLeft_[kTrendCellCount]) return -1;
    const auto it = std::upper_bound(cellLeft_.begin(), cellLeft_.end(), x);
    return static_cast<int>(it - cellLeft_.begin()) - 1;
}

int TrendColumns::textAt(int x) const {
    for (int t = 0; t < kTrendTextCount; ++t)
        if (x >= textLeft(t) && x < textLeft(t) + kTextWidths[t]) return t;
    return -1;
}

std::pair<int, int> TrendColumns::cellsIn(int x0, int x1) const {
    const int blocksRight = cellLeft_[kTrendCellCount];
    if (x1 < 0 || x0 >= blocksRight) return {0, -1};
    return {cellAt(std::max(0, x0)), cellAt(std::min(x1, blocksRight - 1))};
}

}  // namespace numsift
