// Stacked schemes counted against running each scheme alone.
#include "conditions/scheme_stack.h"

#include <gtest/gtest.h>

#include "conditions/run_order.h"

namespace numsift {
namespace {

Scheme schemeOf(const char* json) {
    const SchemeLoad load = loadScheme(json);
    EXPECT_TRUE(load.ok) << load.error;
    return load.scheme;
}

std::vector<Scheme> threeSchemes() {
    return {
        schemeOf(R"({"numsift": 1, "tolerance": [0, 1], "sumTailKill": "05", "shapeKill": ["5连", "上山"]})"),
        schemeOf(R"({"numsift": 1, "tolerance": [0, 0], "compound": {"kill2": "23 45"}, "acKill": [1, 2],
                     "groups": [{"name": "A", "tolerance": [0, 1], "conditions": ["杀两码", "杀AC值"]}]})"),
        schemeOf(R"({"numsift": 1, "tolerance": [1, 1], "positionalKill": ["0", "", "", "", "9"]})"),
    };
}

// Each scheme run on its own, its result counted number by number.
std::vector<std::uint16_t> countedByHand(const std::vector<Scheme>& schemes, const NumberSet& base) {
    std::vector<std::uint16_t> counts(kNumberSpace, 0);
    for (const Scheme& s : schemes)
        for (std::uint32_t v : runFilter(s.input, base, s.grouping()).result) ++counts[v];
    return counts;
}

TEST(SchemeStack, CountsAreHowManySchemesKeepEachNumber) {
    const std::vector<Scheme> schemes = threeSchemes();
    const NumberSet some{{0, 5, 12345, 23450, 45678, 50000, 90009, 99999}};
    for (const NumberSet& base : {NumberSet{}, some}) {
        const StackCounts stack = stackSchemes(schemes, base);
        const std::vector<std::uint16_t> expected = countedByHand(schemes, base);
        ASSERT_EQ(stack.table.size(), base.empty() ? kNumberSpace : base.size());
        std::vector<std::size_t> histogram(schemes.size() + 1, 0);
        for (std::size_t i = 0; i < stack.table.size(); ++i) {
            ASSERT_EQ(stack.counts[i], expected[stack.table.values[i]]) << stack.table.values[i];
            ++histogram[stack.counts[i]];
        }
        EXPECT_EQ(stack.histogram, histogram);

        for (std::size_t lo = 0; lo <= 3; ++lo) {
            for (std::size_t hi = lo; hi <= 3; ++hi) {
                std::vector<std::uint32_t> byHand;
                for (std::uint32_t v : stack.table.values)
                    if (expected[v] >= lo && expected[v] <= hi) byHand.push_back(v);
                EXPECT_EQ(stackedResult(stack, lo, hi), byHand) << lo << "-" << hi;
            }
        }
    }
}

TEST(SchemeStack, AllAgreeingIsTheIntersection) {
    const std::vector<Scheme> schemes = threeSchemes();
    const StackCounts stack = stackSchemes(schemes, {});
    std::vector<std::uint32_t> both = runFilter(schemes[0].input, {}, schemes[0].grouping()).result;
    for (std::size_t k = 1; k < schemes.size(); ++k) {
        const std::vector<std::uint32_t> next = runFilter(schemes[k].input, {}, schemes[k].grouping()).result;
        std::vector<std::uint32_t> kept;
        std::set_intersection(both.begin(), both.end(), next.begin(), next.end(), std::back_inserter(kept));
        both = kept;
    }
    EXPECT_EQ(stackedResult(stack, 3, 3), both);
    EXPECT_FALSE(both.empty());
}

}  // namespace
}  // namespace numsift
