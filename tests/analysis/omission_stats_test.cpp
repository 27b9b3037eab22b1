#include "analysis/omission_stats.h"

#include <gtest/gtest.h>

#include <random>

namespace numsift {
namespace {

// Figures of one item: hits, current, longest, average (hundredths), streak.
ItemFigures figures(std::uint32_t hits, std::uint32_t current, std::uint32_t longest, std::uint32_t average,
                    std::uint32_t streak) {
    return {hits, current, longest, average, streak};
}

TEST(OmissionStats, HandMadeHistories) {
    // 万位 digits 1 2 1 1 3 3 3 1 (oldest first).
    const std::vector<std::uint32_t> draws = {10000, 20000, 10000, 10000, 30000, 30000, 30000, 10000};
    const OmissionStats s = omissionStats(draws);
    EXPECT_EQ(s.drawCount(), 8u);
    // Runs at both ends: 1 in draws 1, 3, 4, 8.
    EXPECT_EQ(s[positionItem(1, 1)], figures(4, 0, 3, 80, 2));  // (8 − 4) / 5 = 0.80
    // Seen only in the middle, three in a row.
    EXPECT_EQ(s[positionItem(1, 3)], figures(3, 1, 4, 125, 3));  // 5 / 4 = 1.25
    // Seen once, not in the newest.
    EXPECT_EQ(s[positionItem(1, 2)], figures(1, 6, 6, 350, 1));  // 7 / 2 = 3.50
    // Never seen: every figure says so.
    EXPECT_EQ(s[positionItem(1, 9)], figures(0, 8, 8, 800, 0));
    // Seen in every draw.
    EXPECT_EQ(s[positionItem(2, 0)], figures(8, 0, 0, 0, 8));

    // Seen only in the newest draw.
    const std::vector<std::uint32_t> newest = {11111, 11111, 22222};
    const OmissionStats n = omissionStats(newest);
    EXPECT_EQ(n[digitItem(2)], figures(1, 0, 2, 100, 1));
    EXPECT_EQ(n[digitItem(1)], figures(2, 1, 1, 33, 2));       // 1 / 3 = 0.33
    EXPECT_EQ(n[twoCodeItem(1, 1)], figures(2, 1, 1, 33, 2));  // 11111 holds 1 twice
    EXPECT_EQ(n[shapeItem(kShapeAAAAA)], figures(3, 0, 0, 0, 3));
    EXPECT_EQ(n[sumItem(10)], figures(1, 0, 2, 100, 1));

    // No draws: nothing seen, nothing missed.
    const OmissionStats empty = omissionStats({});
    EXPECT_EQ(empty.drawCount(), 0u);
    for (const ItemFigures& f : empty.all()) EXPECT_EQ(f, figures(0, 0, 0, 0, 0));
    EXPECT_EQ(empty[acItem(0)], figures(0, 0, 0, 0, 0));  // an item outside its family
}

TEST(OmissionStats, TheLastNDrawsAreAWindowOfTheirOwn) {
    const std::vector<std::uint32_t> draws = {10000, 20000, 10000, 10000, 30000, 30000, 30000, 10000};
    const std::span<const std::uint32_t> last3 = lastDraws(draws, 3);
    EXPECT_EQ(std::vector<std::uint32_t>(last3.begin(), last3.end()),
              (std::vector<std::uint32_t>{30000, 30000, 10000}));
    const OmissionStats s = omissionStats(last3);
    EXPECT_EQ(s[positionItem(1, 1)], figures(1, 0, 2, 100, 1));
    EXPECT_EQ(s[positionItem(1, 2)], figures(0, 3, 3, 300, 0));  // seen before the window only
    EXPECT_EQ(lastDraws(draws, 0).size(), 8u);
    EXPECT_EQ(lastDraws(draws, 100).size(), 8u);
}

TEST(OmissionStats, AverageOmissionIsRoundedHalfUpExactly) {
    EXPECT_EQ(averageOmissionHundredths(8, 1), 350u);
    EXPECT_EQ(averageOmissionHundredths(9, 1), 400u);
    EXPECT_EQ(averageOmissionHundredths(9, 7), 25u);    // 2 / 8
    EXPECT_EQ(averageOmissionHundredths(8, 7), 13u);    // 1 / 8 = 0.125: the half goes up
    EXPECT_EQ(averageOmissionHundredths(10, 2), 267u);  // 8 / 3
    EXPECT_EQ(averageOmissionHundredths(1000000, 2), 33333267u);
    // Every (N, hits) up to 300: q − ½ ≤ 100 (N − hits) / (hits + 1) < q + ½.
    for (std::uint64_t n = 0; n <= 300; ++n)
        for (std::uint64_t h = 0; h <= n; ++h) {
            const std::uint64_t q = averageOmissionHundredths(n, h), a = n - h, b = h + 1;
            ASSERT_LE((2 * q) * b, 200 * a + b) << n << " " << h;
            ASSERT_LT(200 * a + b, (2 * q + 2) * b) << n << " " << h;
        }
    EXPECT_EQ(hundredthsText(0), "0.00");
    EXPECT_EQ(hundredthsText(7), "0.07");
    EXPECT_EQ(hundredthsText(350), "3.50");
    EXPECT_EQ(hundredthsText(33333267), "333332.67");
}

// The five figures of a has/has-not sequence, counted the plain way.
ItemFigures plainFigures(const std::vector<bool>& has) {
    ItemFigures f;
    std::uint32_t without = 0, with = 0;
    for (bool h : has) {
        without = h ? 0 : without + 1;
        with = h ? with + 1 : 0;
        f.hits += h;
        f.longestOmission = std::max(f.longestOmission, without);
        f.longestStreak = std::max(f.longestStreak, with);
    }
    f.currentOmission = without;
    const double average = (static_cast<double>(has.size()) - f.hits) / (f.hits + 1.0);
    f.averageOmissionHundredths = static_cast<std::uint32_t>(average * 100 + 0.5 + 1e-9);
    return f;
}

TEST(OmissionStats, EveryItemAgreesWithAPlainCountOnRandomHistories) {
    std::mt19937 random(7);
    for (std::size_t size : {1u, 2u, 37u, 400u}) {
        // Few distinct numbers, so that items repeat in runs.
        std::vector<std::uint32_t> pool(6);
        for (std::uint32_t& v : pool) v = random() % 100000;
        std::vector<std::uint32_t> draws(size);
        for (std::uint32_t& v : draws) v = pool[random() % pool.size()];
        const OmissionStats s = omissionStats(draws);
        for (int flat = 0; flat < kItemCount; ++flat) {
            const ItemId item = itemAt(flat);
            std::vector<bool> has;
            for (std::uint32_t v : draws) has.push_back(hasItem(v, item));
            ASSERT_EQ(s[item], plainFigures(has)) << itemKey(item) << " over " << size;
            const std::vector<std::uint32_t> running = runningOmission(draws, item);
            ASSERT_EQ(running.size(), size);
            ASSERT_EQ(running.back(), s[item].currentOmission) << itemKey(item);
        }
    }
}

TEST(OmissionStats, RunningOmissionCountsFromTheLastDrawThatHadTheItem) {
    const std::vector<std::uint32_t> draws = {50000, 10000, 20000, 20000, 10000, 10000};
    EXPECT_EQ(runningOmission(draws, positionItem(1, 1)), (std::vector<std::uint32_t>{1, 0, 1, 2, 0, 0}));
    EXPECT_EQ(runningOmission(draws, positionItem(1, 7)), (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6}));
}

}  // namespace
}  // namespace numsift
