// The one range of the kept history, and the omission figures seen through
// it: 当前遗漏 over the whole history, the rest over the range.
#include "analysis/draw_range.h"

#include <gtest/gtest.h>

#include <random>

#include "analysis/omission_stats.h"

namespace numsift {
namespace {

DrawStore history(std::initializer_list<const char*> issues) {
    DrawStore store;
    for (const char* issue : issues) store.put({issue, "", 12345});
    return store;
}

TEST(DrawRange, EachKindTakesItsDraws) {
    const DrawStore h = history({"2025364", "2025365", "2026001", "2026002", "2026003"});
    EXPECT_EQ(DrawRange::all().in(h), (DrawSpan{0, 5}));
    EXPECT_EQ(DrawRange::newest(2).in(h), (DrawSpan{3, 5}));
    EXPECT_EQ(DrawRange::newest(30).in(h), (DrawSpan{0, 5}));  // fewer than asked: all
    EXPECT_EQ(DrawRange::issues("2025365", "2026002").in(h), (DrawSpan{1, 4}));
    EXPECT_EQ(DrawRange::issues("2026002", "2025365").in(h), (DrawSpan{1, 4}));   // either way round
    EXPECT_EQ(DrawRange::issues("02026001", "2026001").in(h), (DrawSpan{2, 3}));  // issues as numbers
    EXPECT_EQ(DrawRange::issues("2025366", "2025999").in(h).size(), 0u);          // between two draws
    EXPECT_EQ(DrawRange::issues("1", "9").in(h).size(), 0u);
    EXPECT_EQ(DrawRange::issues("1", "2025364").in(h), (DrawSpan{0, 1}));
}

TEST(DrawRange, NamedForTheWindowAndKeptByItsKey) {
    for (const DrawRange& r :
         {DrawRange::all(), DrawRange::newest(30), DrawRange::issues("2025001", "2025100")}) {
        const std::optional<DrawRange> back = DrawRange::fromKey(r.key());
        ASSERT_TRUE(back) << r.key();
        EXPECT_EQ(*back, r);
    }
    EXPECT_EQ(DrawRange::all().text(), "全部");
    EXPECT_EQ(DrawRange::newest(50).text(), "近50期");
    EXPECT_EQ(DrawRange::issues("2025001", "2025100").text(), "期号 2025001–2025100");
    for (const char* bad : {"", "last:", "last:0", "last:x", "issues:1", "issues:a-2", "recent"})
        EXPECT_FALSE(DrawRange::fromKey(bad)) << bad;
}

// A range narrows 出现次数, 平均遗漏, 最大遗漏 and 最大连出 but never 当前遗漏:
// an item missing for 529 draws is missing for 529 under 近30 too.
TEST(DrawRange, CurrentOmissionIsAlwaysOverTheWholeHistory) {
    std::mt19937 random(3);
    std::vector<std::uint32_t> draws(600);
    for (std::uint32_t& v : draws) v = random() % 100000;
    for (std::size_t i = 71; i < draws.size(); ++i) draws[i] = draws[i] / 10 * 10 + 1;  // 个位 1 from 71 on
    draws[70] = 12340;                                // the last 个位 0: missing for 529 draws
    const ItemId unitZero{ItemFamily::Position, 40};  // 个位0
    const OmissionStats whole = omissionStats(draws);
    ASSERT_EQ(whole[unitZero].currentOmission, 529u);
    for (const DrawSpan range :
         {DrawSpan{570, 600}, DrawSpan{0, 100}, DrawSpan{0, 600}, DrawSpan{600, 600}}) {
        const OmissionStats seen = omissionStats(draws, range);
        const OmissionStats inside = omissionStats(std::span(draws).subspan(range.begin, range.size()));
        EXPECT_EQ(seen.drawCount(), range.size());
        for (std::size_t f = 0; f < inside.all().size(); ++f) {
            ItemFigures expected = inside.all()[f];
            expected.currentOmission = whole.all()[f].currentOmission;
            ASSERT_EQ(seen.all()[f], expected) << range.begin << "-" << range.end << " item " << f;
        }
        // The same read off the whole history's figures.
        const OmissionStats fromWhole = omissionStats(draws, range, whole);
        EXPECT_EQ(fromWhole.drawCount(), range.size());
        EXPECT_TRUE(std::ranges::equal(fromWhole.all(), seen.all())) << range.begin << "-" << range.end;
    }
    EXPECT_EQ(omissionStats(draws, DrawSpan{570, 600})[unitZero].currentOmission, 529u);
    EXPECT_EQ(omissionStats(draws, DrawSpan{570, 600})[unitZero].longestOmission, 30u);
}

}  // namespace
}  // namespace numsift
