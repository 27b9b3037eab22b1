#include "conditions/number_traits.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "conditions/captions.h"
#include "tests/conditions/check_helpers.h"

namespace numsift {
namespace {

using checktest::num;

TEST(NumberTraits, AcValueDistributionAndExamples) {
    const NumberTraits& t = numberTraits();
    int counts[10] = {};
    for (std::uint32_t v = 0; v < kNumberSpace; ++v) ++counts[t.ac[v]];
    const int expected[10] = {0, 10, 1350, 3000, 18840, 15840, 30000, 25440, 5040, 480};
    for (int a = 0; a < 10; ++a) EXPECT_EQ(counts[a], expected[a]) << "AC " << a;
    EXPECT_EQ(t.ac[num("00001")], 2);
    EXPECT_EQ(t.ac[num("01249")], 8);
    EXPECT_EQ(t.ac[num("01269")], 9);
    EXPECT_EQ(t.ac[num("77777")], 1);
}

TEST(NumberTraits, ShapeClassesSplitAllNumbers) {
    const NumberTraits& t = numberTraits();
    int count[kShapeCount] = {};
    for (std::uint32_t v = 0; v < kNumberSpace; ++v) {
        const std::uint16_t s = t.shapes[v];
        int runs = 0, reps = 0;
        for (int b : {kShapeNoRun, kShapeRun2, kShapeRun3, kShapeRun4, kShapeRun5}) runs += s >> b & 1;
        for (int b :
             {kShapeABCDE, kShapeAABCD, kShapeAABBC, kShapeAAABC, kShapeAAABB, kShapeAAAAB, kShapeAAAAA})
            reps += s >> b & 1;
        ASSERT_EQ(runs, 1) << v;
        ASSERT_EQ(reps, 1) << v;
        for (int b = 0; b < kShapeCount; ++b) count[b] += s >> b & 1;
    }
    EXPECT_EQ(count[kShapeNoRun], 14800);
    EXPECT_EQ(count[kShapeRun2], 51300);
    EXPECT_EQ(count[kShapeRun3], 25500);
    EXPECT_EQ(count[kShapeRun4], 7200);
    EXPECT_EQ(count[kShapeRun5], 1200);
    EXPECT_EQ(count[kShapeABCDE], 30240);
    EXPECT_EQ(count[kShapeAABCD], 50400);
    EXPECT_EQ(count[kShapeAABBC], 10800);
    EXPECT_EQ(count[kShapeAAABC], 7200);
    EXPECT_EQ(count[kShapeAAABB], 900);
    EXPECT_EQ(count[kShapeAAAAB], 450);
    EXPECT_EQ(count[kShapeAAAAA], 10);
}

// Apart from 上山 and 下山, a shape is about which digits occur how often:
// every ordering of a number's digits has its shapes.
TEST(NumberTraits, OnlyUphillAndDownhillDependOnTheOrder) {
    const NumberTraits& t = numberTraits();
    const unsigned ordered = 1u << kShapeUphill | 1u << kShapeDownhill;
    for (std::uint32_t v = 0; v < kNumberSpace; ++v) {
        Digits s = digitsOf(v);
        std::sort(s.begin(), s.end());
        ASSERT_EQ(t.shapes[v] & ~ordered, t.shapes[valueOf(s)] & ~ordered) << v;
    }
}

bool has(const char* n, int box) { return numberTraits().shapes[num(n)] >> box & 1; }

TEST(NumberTraits, ShapeExamples) {
    for (const char* n : {"00003", "12578", "01233", "12345"}) EXPECT_TRUE(has(n, kShapeUphill)) << n;
    for (const char* n : {"00000", "12321"}) EXPECT_FALSE(has(n, kShapeUphill)) << n;
    for (const char* n : {"30000", "87521"}) EXPECT_TRUE(has(n, kShapeDownhill)) << n;
    EXPECT_FALSE(has("55555", kShapeDownhill));

    for (const char* n : {"13579", "02468", "11111"}) EXPECT_TRUE(has(n, kShapeNoRun)) << n;
    EXPECT_FALSE(has("90246", kShapeNoRun));
    for (const char* n : {"01357", "01346", "90555"}) EXPECT_TRUE(has(n, kShapeRun2)) << n;
    EXPECT_FALSE(has("01235", kShapeRun2));
    for (const char* n : {"01245", "89035"}) EXPECT_TRUE(has(n, kShapeRun3)) << n;
    for (const char* n : {"01234", "90123", "89013"}) EXPECT_FALSE(has(n, kShapeRun3)) << n;
    for (const char* n : {"01236", "90125"}) EXPECT_TRUE(has(n, kShapeRun4)) << n;
    EXPECT_FALSE(has("01234", kShapeRun4));
    for (const char* n : {"43210", "67890", "90123"}) EXPECT_TRUE(has(n, kShapeRun5)) << n;
    EXPECT_FALSE(has("01235", kShapeRun5));

    const struct {
        int box;
        const char* a;
        const char* b;
    } reps[] = {{kShapeABCDE, "21684", "12345"}, {kShapeAABCD, "11546", "14561"},
                {kShapeAABBC, "11225", "12152"}, {kShapeAAABC, "11154", "15141"},
                {kShapeAAABB, "11155", "15115"}, {kShapeAAAAB, "11115", "15111"},
                {kShapeAAAAA, "11111", "88888"}};
    for (const auto& r : reps) {
        EXPECT_TRUE(has(r.a, r.box)) << r.a;
        EXPECT_TRUE(has(r.b, r.box)) << r.b;
    }
}

TEST(NumberTraits, PatternsAndMultisets) {
    const NumberTraits& t = numberTraits();
    EXPECT_EQ(t.road[num("34534")], *roadPatternOfCaption("01201"));
    EXPECT_EQ(t.classPattern[0][num("07215")], *classPatternOfCaption(ClassKind::BigSmall, "小大小小大"));
    EXPECT_EQ(t.multisets.size(), static_cast<std::size_t>(kMultisetCount));
    EXPECT_EQ(t.multiset[num("12345")], t.multiset[num("54321")]);
    EXPECT_NE(t.multiset[num("12345")], t.multiset[num("12344")]);
    EXPECT_EQ(t.span[num("05550")], 5);
    EXPECT_EQ(t.sum[num("99999")], 45);
}

}  // namespace
}  // namespace numsift
