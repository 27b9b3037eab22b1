#include "analysis/condition_items.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "engine/number.h"

namespace numsift {
namespace {

TEST(ConditionItems, EveryItemHasOneKeyAndCaptionFoundBothWays) {
    EXPECT_EQ(kItemCount, 561);
    std::set<std::string> keys, captions;
    for (int flat = 0; flat < kItemCount; ++flat) {
        const ItemId item = itemAt(flat);
        EXPECT_EQ(flatIndex(item), flat);
        const std::string& key = itemKey(item);
        EXPECT_EQ(itemOfKey(key), item) << key;
        keys.insert(key);
        captions.insert(itemCaption(item));
    }
    EXPECT_EQ(keys.size(), 561u);
    EXPECT_EQ(captions.size(), 561u);
    EXPECT_EQ(flatIndex(itemOfKey("pos1:0").value()), 0);
    EXPECT_EQ(flatIndex(itemOfKey("code2:99").value()), 560);
    EXPECT_EQ(itemOfKey("bigsmall:大大大大大"), classPatternItem(ClassKind::BigSmall, 0));
    EXPECT_EQ(itemOfKey("primecomposite:质质质质质"), classPatternItem(ClassKind::PrimeComposite, 0));
    EXPECT_EQ(itemOfKey("oddeven:偶偶偶偶偶"), classPatternItem(ClassKind::OddEven, 31));
    EXPECT_EQ(itemOfKey("road:00012"), roadItem(5));
    EXPECT_EQ(itemOfKey("shape:AAABB"), shapeItem(kShapeAAABB));
    EXPECT_EQ(itemOfKey("ratio-pc:2:3"), ratioItem(ClassKind::PrimeComposite, 2));
    EXPECT_EQ(itemOfKey("ac:1"), acItem(1));
    EXPECT_EQ(itemOfKey("code2:19"), twoCodeItem(9, 1));
    for (const char* bad :
         {"", "pos6:0", "pos1:10", "any:", "sum:46", "bigsmall:大大大大", "oddeven:大大大大大", "road:00003",
          "shape:6连", "ratio-bs:2:2", "ac:0", "code2:21", "code2:1", "POS1:0"})
        EXPECT_FALSE(itemOfKey(bad)) << bad;
    EXPECT_EQ(itemCaption(positionItem(1, 0)), "万位0");
    EXPECT_EQ(itemCaption(positionItem(5, 9)), "个位9");
    EXPECT_EQ(itemCaption(digitItem(3)), "含3");
    EXPECT_EQ(itemCaption(sumItem(45)), "和值45");
    EXPECT_EQ(itemCaption(roadItem(242)), "012路22222");
    EXPECT_EQ(itemCaption(ratioItem(ClassKind::OddEven, 5)), "奇偶比5:0");
    EXPECT_EQ(itemCaption(acItem(9)), "AC值9");
    EXPECT_EQ(itemCaption(twoCodeItem(1, 1)), "两码11");
    EXPECT_EQ(flatIndex(positionItem(0, 1)), -1);
    EXPECT_EQ(flatIndex(acItem(10)), -1);
    EXPECT_EQ(itemKey(sumItem(46)), "");
}

// The items of a number in their plain meaning, as keys: nothing here reads
// the program's tables.
std::set<std::string> plainKeys(std::uint32_t value) {
    int p[5];
    for (int k = 4, v = static_cast<int>(value); k >= 0; --k, v /= 10) p[k] = v % 10;
    auto d = [](int x) { return std::to_string(x); };
    auto isPrime = [](int x) { return x == 1 || x == 2 || x == 3 || x == 5 || x == 7; };
    std::set<std::string> keys;
    int sum = 0, big = 0, odd = 0, prime = 0;
    std::string bigSmall, oddEven, primeComposite, road;
    std::set<int> differences;
    int count[10] = {};
    for (int k = 0; k < 5; ++k) {
        keys.insert("pos" + d(k + 1) + ":" + d(p[k]));
        keys.insert("any:" + d(p[k]));
        sum += p[k];
        ++count[p[k]];
        big += p[k] >= 5;
        odd += p[k] % 2;
        prime += isPrime(p[k]);
        bigSmall += p[k] >= 5 ? "大" : "小";
        oddEven += p[k] % 2 ? "奇" : "偶";
        primeComposite += isPrime(p[k]) ? "质" : "合";
        road += static_cast<char>('0' + p[k] % 3);
        for (int j = k + 1; j < 5; ++j) {
            differences.insert(std::abs(p[k] - p[j]));
            keys.insert("code2:" + d(std::min(p[k], p[j])) + d(std::max(p[k], p[j])));
        }
    }
    keys.insert("sumtail:" + d(sum % 10));
    keys.insert("sum:" + d(sum));
    keys.insert("span:" + d(*std::max_element(p, p + 5) - *std::min_element(p, p + 5)));
    keys.insert("bigsmall:" + bigSmall);
    keys.insert("oddeven:" + oddEven);
    keys.insert("primecomposite:" + primeComposite);
    keys.insert("road:" + road);
    keys.insert("ratio-bs:" + d(big) + ":" + d(5 - big));
    keys.insert("ratio-oe:" + d(odd) + ":" + d(5 - odd));
    keys.insert("ratio-pc:" + d(prime) + ":" + d(5 - prime));
    keys.insert("ac:" + d(static_cast<int>(differences.size())));

    // Shapes: monotone positions, ring runs of the digits present, repeats.
    auto ringRuns = [&count](int n) {
        int runs = 0;
        for (int start = 0; start < 10; ++start) {
            bool all = true;
            for (int i = 0; i < n; ++i) all = all && count[(start + i) % 10] > 0;
            runs += all;
        }
        return runs;
    };
    std::vector<int> repeats;
    for (int c : count)
        if (c) repeats.push_back(c);
    std::sort(repeats.rbegin(), repeats.rend());
    bool rising = true, falling = true;
    for (int k = 0; k < 4; ++k) rising = rising && p[k] <= p[k + 1], falling = falling && p[k] >= p[k + 1];
    const std::pair<const char*, bool> shapes[] = {
        {"上山", rising && p[0] < p[4]},
        {"下山", falling && p[0] > p[4]},
        {"不连", ringRuns(2) == 0},
        {"2连", ringRuns(2) >= 1 && ringRuns(3) == 0},
        {"3连", ringRuns(3) == 1},
        {"4连", ringRuns(4) == 1},
        {"5连", ringRuns(5) == 1 && repeats.size() == 5},
        {"AAAAA", repeats == std::vector<int>{5}},
        {"AABCD", repeats == std::vector<int>{2, 1, 1, 1}},
        {"AABBC", repeats == std::vector<int>{2, 2, 1}},
        {"AAABC", repeats == std::vector<int>{3, 1, 1}},
        {"AAABB", repeats == std::vector<int>{3, 2}},
        {"AAAAB", repeats == std::vector<int>{4, 1}},
        {"ABCDE", repeats == std::vector<int>{1, 1, 1, 1, 1}},
    };
    for (const auto& [shape, has] : shapes)
        if (has) keys.insert(std::string("shape:") + shape);
    return keys;
}

TEST(ConditionItems, RandomDrawsHaveExactlyTheItemsOfThePlainRules) {
    std::mt19937 random(2026);
    std::vector<std::uint32_t> values = {0, 99999, 12345, 90123, 11222, 10550, 99229, 24061, 13579, 35789};
    for (int i = 0; i < 3000; ++i) values.push_back(random() % kNumberSpace);
    for (const std::uint32_t v : values) {
        const std::set<std::string> expected = plainKeys(v);
        std::set<std::string> had, listed;
        for (int flat = 0; flat < kItemCount; ++flat)
            if (hasItem(v, itemAt(flat))) had.insert(itemKey(itemAt(flat)));
        forEachItemOf(v, [&listed](int flat) { listed.insert(itemKey(itemAt(flat))); });
        ASSERT_EQ(had, expected) << numberText(v);
        ASSERT_EQ(listed, expected) << numberText(v);
    }
}

TEST(ConditionItems, TwoCodesNeedTwoPositionsAndEachFamilyPartitionsTheNumbers) {
    EXPECT_TRUE(hasItem(12345, twoCodeItem(2, 3)));
    EXPECT_TRUE(hasItem(32000, twoCodeItem(2, 3)));
    EXPECT_FALSE(hasItem(22222, twoCodeItem(2, 3)));
    EXPECT_FALSE(hasItem(12345, twoCodeItem(1, 1)));
    EXPECT_TRUE(hasItem(10001, twoCodeItem(1, 1)));
    EXPECT_FALSE(hasItem(100000, digitItem(0)));  // not a number

    // Over all numbers, each single-valued family gives every number exactly
    // one item, with the counts of the whole space.
    std::vector<int> perItem(kItemCount);
    for (std::uint32_t v = 0; v < kNumberSpace; ++v)
        forEachItemOf(v, [&perItem](int flat) { ++perItem[flat]; });
    auto countOf = [&perItem](ItemId item) { return perItem[static_cast<std::size_t>(flatIndex(item))]; };
    for (ItemFamily f : {ItemFamily::SumTail, ItemFamily::Sum, ItemFamily::Span, ItemFamily::BigSmall,
                         ItemFamily::Road, ItemFamily::BigSmallRatio, ItemFamily::Ac}) {
        int total = 0;
        for (int i = 0; i < itemCount(f); ++i) total += countOf({f, i});
        EXPECT_EQ(total, 100000) << static_cast<int>(f);
    }
    EXPECT_EQ(countOf(positionItem(3, 7)), 10000);
    EXPECT_EQ(countOf(digitItem(0)), 100000 - 59049);  // 9^5 numbers lack a 0
    EXPECT_EQ(countOf(acItem(1)), 10);
    EXPECT_EQ(countOf(acItem(9)), 480);
    EXPECT_EQ(countOf(shapeItem(kShapeNoRun)), 14800);
    EXPECT_EQ(countOf(classPatternItem(ClassKind::BigSmall, 31)), 3125);  // 小小小小小
    EXPECT_EQ(countOf(roadItem(0)), 1024);
    EXPECT_EQ(countOf(twoCodeItem(9, 9)), 100000 - 59049 - 5 * 6561);  // at least two 9s
}

}  // namespace
}  // namespace numsift
