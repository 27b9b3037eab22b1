#include "analysis/trend_table.h"

#include <gtest/gtest.h>

#include <random>

#include "analysis/omission_stats.h"

namespace numsift {
namespace {

std::array<int, 5> digitsOf(std::uint32_t v) {
    return {int(v / 10000), int(v / 1000 % 10), int(v / 100 % 10), int(v / 10 % 10), int(v % 10)};
}

// Whether a draw has a cell's item, by the plain rules of the chart's blocks.
bool hasCell(std::uint32_t v, int cell) {
    const std::array<int, 5> d = digitsOf(v);
    const int sum = d[0] + d[1] + d[2] + d[3] + d[4];
    // The right part: the sum by hand, the rest as the statistics read it.
    if (cell >= kTrendDigitCells)
        return cell < trendBlockStart(kTrendAcBlock) ? sum == cell - trendBlockStart(kTrendSumBlock)
                                                     : hasItem(v, trendCellItem(cell));
    const int block = cell / 10, k = cell % 10;
    if (block < 5) return d[static_cast<std::size_t>(block)] == k;
    if (block == 5) return std::find(d.begin(), d.end(), k) != d.end();
    const auto [lo, hi] = std::minmax_element(d.begin(), d.end());
    return block == 6 ? sum % 10 == k : *hi - *lo == k;
}

// The running omission counted by hand: look back from the row to the last
// row that had the item.
std::uint32_t countBack(const std::vector<std::uint32_t>& draws, std::size_t row, int cell) {
    std::uint32_t n = 0;
    for (std::size_t r = row + 1; r-- > 0;) {
        if (hasCell(draws[r], cell)) return n;
        ++n;
    }
    return n;
}

TEST(TrendTable, RunningOmissionOfEveryCellIsCountedBackToItsLastHit) {
    // 万位 1 2 1 1 3 …: runs at both ends, digits never drawn, repeats.
    const std::vector<std::uint32_t> draws = {10019, 20019, 10000, 11111, 30958, 30958, 39999, 10000, 98765};
    const TrendTable t(draws);
    ASSERT_EQ(t.rowCount(), draws.size());
    for (std::size_t r = 0; r < draws.size(); ++r)
        for (int c = 0; c < kTrendCellCount; ++c)
            ASSERT_EQ(t.omission(r, c), countBack(draws, r, c)) << "row " << r << " cell " << c;
    // A few by hand: 万位1 in rows 0, 2, 3, 7.
    EXPECT_EQ(t.omission(1, 1), 1u);
    EXPECT_EQ(t.omission(6, 1), 3u);
    EXPECT_EQ(t.omission(8, 1), 1u);
    EXPECT_EQ(t.omission(8, 9), 0u);  // 万位9 only in the newest
    EXPECT_EQ(t.omission(7, 9), 8u);  // never before: counted from the first row
}

TEST(TrendTable, AgreesWithTheStatisticsOnRandomHistories) {
    std::mt19937 rng(12);
    std::vector<std::uint32_t> draws(400);
    for (auto& v : draws) v = rng() % 100000;
    const TrendTable t(draws);
    const OmissionStats s = omissionStats(draws);
    for (int c = 0; c < kTrendCellCount; ++c) {
        const ItemId item = trendCellItem(c);
        EXPECT_EQ(trendCellOf(item), c);
        const std::vector<std::uint32_t> running = runningOmission(draws, item);
        std::uint32_t longest = 0;
        for (std::size_t r = 0; r < draws.size(); ++r) {
            ASSERT_EQ(t.omission(r, c), running[r]);
            ASSERT_EQ(t.omission(r, c) == 0, hasCell(draws[r], c));
            longest = std::max(longest, running[r]);
        }
        // The newest row's omission is 当前遗漏, the longest 最大遗漏.
        EXPECT_EQ(t.omission(draws.size() - 1, c), s[item].currentOmission);
        EXPECT_EQ(longest, s[item].longestOmission);
    }
    EXPECT_EQ(trendCellOf(twoCodeItem(1, 2)), -1);
    EXPECT_EQ(trendCellOf(roadItem(5)), -1);
    EXPECT_EQ(trendCellOf(positionItem(6, 0)), -1);
    // Each block holds its family's items in order, each cell its caption.
    EXPECT_EQ(trendBlockOf(trendBlockStart(kTrendSumBlock) + 45), int(kTrendSumBlock));
    EXPECT_EQ(trendCellItem(trendBlockStart(kTrendAcBlock)), acItem(1));
    EXPECT_EQ(trendCellCaption(trendBlockStart(kTrendOddEvenRatioBlock) + 2), "2:3");
    EXPECT_EQ(trendCellCaption(trendBlockStart(kTrendShapeBlock) + kShapeAABCD), "AABCD");
    EXPECT_EQ(trendBlockOf(kTrendCellCount), -1);
}

TEST(TrendTable, RowsCarryTheDrawsOwnFigures) {
    const TrendTable t(std::vector<std::uint32_t>{13579, 22345, 0});
    const TrendRow& a = t.row(0);
    EXPECT_EQ(a.value, 13579u);
    EXPECT_EQ(a.sum, 25);
    EXPECT_EQ(a.span, 8);
    EXPECT_TRUE(hasItem(13579, acItem(a.ac)));
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(hasItem(13579, classPatternItem(kClassKinds[static_cast<std::size_t>(k)],
                                                    a.classPattern[static_cast<std::size_t>(k)])));
    EXPECT_EQ(roadCaption(a.road), "10210");
    EXPECT_TRUE(a.shapes & 1u << kShapeUphill);
    const TrendRow& zero = t.row(2);
    EXPECT_EQ(zero.sum, 0);
    EXPECT_EQ(zero.shapes & 1u << kShapeAAAAA, 1u << kShapeAAAAA);
    EXPECT_EQ(t.omission(2, 0), 0u);   // 万位0
    EXPECT_EQ(t.omission(2, 1), 2u);   // 万位1, drawn in row 0
    EXPECT_EQ(t.omission(2, 60), 0u);  // sum tail 0
    EXPECT_EQ(TrendTable().rowCount(), 0u);
}

}  // namespace
}  // namespace numsift
