#include "analysis/explain.h"

#include <gtest/gtest.h>

#include "analysis/analysis_text.h"
#include "conditions/run_order.h"
#include "test_checks.h"

namespace numsift {
namespace {

using testing::kThreeChecks;

TEST(Explain, NumbersFailingNoneOneAndSeveralChecks) {
    const Tolerance tol{0, 1};
    const Explanation none = explain(kThreeChecks, FilterInput{}, NumberSet{}, tol, 98764);
    EXPECT_EQ(none.failCount, 0);
    EXPECT_TRUE(none.failedChecks().empty());
    ASSERT_EQ(none.checks.size(), 3u);
    EXPECT_TRUE(none.survives);
    EXPECT_FALSE(none.baseUsed);

    const Explanation one = explain(kThreeChecks, FilterInput{}, NumberSet{}, tol, 12345);
    EXPECT_EQ(one.failCount, 1);
    ASSERT_EQ(one.failedChecks().size(), 1u);
    EXPECT_EQ(one.failedChecks()[0].caption, "尾奇");
    EXPECT_EQ(one.failedChecks()[0].step, 3);
    EXPECT_TRUE(one.withinTolerance);
    EXPECT_TRUE(one.survives);

    const Explanation all = explain(kThreeChecks, FilterInput{}, NumberSet{}, tol, 1);  // 00001
    EXPECT_EQ(all.failCount, 3);
    ASSERT_EQ(all.failedChecks().size(), 3u);
    EXPECT_EQ(all.failedChecks()[0].caption, "首位0");
    EXPECT_EQ(all.failedChecks()[2].caption, "同首二");
    EXPECT_FALSE(all.withinTolerance);
    EXPECT_FALSE(all.survives);
    EXPECT_EQ(explainText(all, "\n"),
              "号码\t00001\n步骤\t条件\t结果\n2\t首位0\t未通过\n3\t尾奇\t未通过\n9\t同首二\t未通过\n"
              "错误数\t3（共 3 项条件）\n容错\t0-1\t超出容错\n大底\t未载入\n结论\t淘汰\n");
}

TEST(Explain, BaseSetAndLowerToleranceBound) {
    NumberSet base;
    base.values = {12345, 54321};
    const Explanation out = explain(kThreeChecks, FilterInput{}, base, Tolerance{0, 3}, 98764);
    EXPECT_TRUE(out.baseUsed);
    EXPECT_FALSE(out.inBase);
    EXPECT_TRUE(out.withinTolerance);
    EXPECT_FALSE(out.survives);
    EXPECT_NE(explainText(out, "\n").find("大底\t不在大底中\n结论\t淘汰\n"), std::string::npos);

    const Explanation in = explain(kThreeChecks, FilterInput{}, base, Tolerance{1, 1}, 54321);
    EXPECT_TRUE(in.inBase);
    EXPECT_EQ(in.failCount, 1);
    EXPECT_TRUE(in.survives);

    // A number that fails nothing is dropped when at least one fail is required.
    const Explanation clean = explain(kThreeChecks, FilterInput{}, NumberSet{}, Tolerance{1, 2}, 98764);
    EXPECT_FALSE(clean.withinTolerance);
    EXPECT_FALSE(clean.survives);
}

TEST(Explain, WithoutActiveConditionsEveryNumberPasses) {
    const Explanation e = explain(FilterInput{}, NumberSet{}, Tolerance{0, 0}, 0);
    EXPECT_TRUE(e.checks.empty());
    EXPECT_TRUE(e.survives);
    EXPECT_NE(explainText(e, "\n").find("没有生效的条件"), std::string::npos);
}

// The one-row evaluation must give the same marks as the number's row in a
// full run of the program's conditions.
TEST(Explain, AgreesWithTheFullRun) {
    FilterInput in;
    in.sumTailKill[3] = true;
    in.spanKill[0] = in.spanKill[9] = true;
    in.digitKill[7] = true;
    in.oddEvenRatio.set(2);
    const RunResult run = runFilter(in, NumberSet{}, Tolerance{0, 1});
    for (std::uint32_t v : {0u, 7u, 12345u, 55555u, 99999u, 40719u}) {
        const Explanation e = explain(in, NumberSet{}, Tolerance{0, 1}, v);
        ASSERT_EQ(e.checks.size(), run.matrix.columnCount());
        for (std::size_t c = 0; c < e.checks.size(); ++c)
            EXPECT_EQ(e.checks[c].failed, run.matrix.column(c).marks[v] != 0) << v << " " << c;
        EXPECT_EQ(e.failCount, run.failCounts[v]);
    }
}

TEST(Explain, ParsesOneTypedNumber) {
    EXPECT_EQ(parseSingleNumber("00042"), 42u);
    EXPECT_EQ(parseSingleNumber("  35789\r\n"), 35789u);
    EXPECT_EQ(parseSingleNumber("\xEF\xBC\x91\xEF\xBC\x92"
                                "345"),
              12345u);
    for (const char* bad : {"", "1234", "123456", "12 345", "12a45", "-1234", "１２３４", "\xEF\xBC"})
        EXPECT_FALSE(parseSingleNumber(bad).has_value()) << bad;
}

}  // namespace
}  // namespace numsift
