#include "analysis/trend_table.h"

#include <algorithm>

namespace numsift {

namespace {

constexpr const char* kBlockTitles[kTrendAllBlocks] = {"万位",   "千位",   "百位",   "十位", "个位",
                                                       "通杀码", "和尾",   "跨度",   "和值", "AC",
                                                       "大小比", "奇偶比", "质合比", "形态"};

}  // namespace

int trendBlockOf(int cell) {
    if (cell < 0) return -1;
    for (int b = 0; b < kTrendAllBlocks; ++b) {
        cell -= kTrendBlockSizes[static_cast<std::size_t>(b)];
        if (cell < 0) return b;
    }
    return -1;
}

const char* trendBlockTitle(int block) {
    return block >= 0 && block < kTrendAllBlocks ? kBlockTitles[block] : "";
}

std::string trendCellCaption(int cell) {
    const int block = trendBlockOf(cell);
    if (block < 0) return {};
    const int k = cell - trendBlockStart(block);
    switch (block) {
        case kTrendAcBlock: return acCaption(k + 1);
        case kTrendBigSmallRatioBlock:
        case kTrendOddEvenRatioBlock:
        case kTrendPrimeCompositeRatioBlock: return ratioCaption(k);
        case kTrendShapeBlock: return shapeCaption(k);
        default: return std::to_string(k);
    }
}

ItemId trendCellItem(int cell) {
    const int block = trendBlockOf(cell);
    if (block < 0) return ItemId{ItemFamily::Position, -1};
    const int k = cell - trendBlockStart(block);
    if (block < 5) return positionItem(block + 1, k);
    switch (block) {
        case 5: return digitItem(k);
        case 6: return sumTailItem(k);
        case 7: return spanItem(k);
        case kTrendSumBlock: return sumItem(k);
        case kTrendAcBlock: return acItem(k + 1);
        case kTrendBigSmallRatioBlock: return ratioItem(ClassKind::BigSmall, k);
        case kTrendOddEvenRatioBlock: return ratioItem(ClassKind::OddEven, k);
        case kTrendPrimeCompositeRatioBlock: return ratioItem(ClassKind::PrimeComposite, k);
        default: return shapeItem(k);
    }
}

int trendCellOf(ItemId item) {
    if (flatIndex(item) < 0) return -1;
    switch (item.family) {
        case ItemFamily::Position: return item.index;
        case ItemFamily::Digit: return 50 + item.index;
        case ItemFamily::SumTail: return 60 + item.index;
        case ItemFamily::Span: return 70 + item.index;
        case ItemFamily::Sum: return trendBlockStart(kTrendSumBlock) + item.index;
        case ItemFamily::Ac: return trendBlockStart(kTrendAcBlock) + item.index;
        case ItemFamily::BigSmallRatio: return trendBlockStart(kTrendBigSmallRatioBlock) + item.index;
        case ItemFamily::OddEvenRatio: return trendBlockStart(kTrendOddEvenRatioBlock) + item.index;
        case ItemFamily::PrimeCompositeRatio:
            return trendBlockStart(kTrendPrimeCompositeRatioBlock) + item.index;
        case ItemFamily::Shape: return trendBlockStart(kTrendShapeBlock) + item.index;
        default: return -1;
    }
}

TrendTable::TrendTable(std::span<const std::uint32_t> draws) {
    rows_.resize(draws.size());
    omissions_.resize(draws.size() * kTrendCellCount);
    // The chart's cells by flat item index, to read a draw's items once.
    std::vector<std::int16_t> cellOfFlat(kItemCount, -1);
    for (int c = 0; c < kTrendCellCount; ++c)
        cellOfFlat[static_cast<std::size_t>(flatIndex(trendCellItem(c)))] = static_cast<std::int16_t>(c);

    std::array<std::uint32_t, kTrendCellCount> since{};  // rows since the cell's item, this one counted
    ItemsOfNumber items;
    for (std::size_t r = 0; r < draws.size(); ++r) {
        TrendRow& row = rows_[r];
        row.value = draws[r];
        for (std::uint32_t& s : since) ++s;
        itemsOf(draws[r], items);
        for (int k = 0; k < items.count; ++k) {
            const int flat = items.flat[static_cast<std::size_t>(k)];
            const ItemId item = itemAt(flat);
            const auto index = static_cast<std::uint8_t>(item.index);
            switch (item.family) {
                case ItemFamily::Sum: row.sum = index; break;
                case ItemFamily::Span: row.span = index; break;
                case ItemFamily::Ac: row.ac = static_cast<std::uint8_t>(index + 1); break;
                case ItemFamily::BigSmall: row.classPattern[0] = index; break;
                case ItemFamily::OddEven: row.classPattern[1] = index; break;
                case ItemFamily::PrimeComposite: row.classPattern[2] = index; break;
                case ItemFamily::Road: row.road = index; break;
                case ItemFamily::Shape:
                    row.shapes = static_cast<std::uint16_t>(row.shapes | 1u << index);
                    break;
                default: break;
            }
            if (const int c = cellOfFlat[static_cast<std::size_t>(flat)]; c >= 0)
                since[static_cast<std::size_t>(c)] = 0;
        }
        std::copy(since.begin(), since.end(),
                  omissions_.begin() + static_cast<std::ptrdiff_t>(r * kTrendCellCount));
    }
}

}  // namespace numsift
