#include "analysis/backtest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "analysis/analysis_text.h"
#include "analysis/explain.h"
#include "conditions/condition_id.h"
#include "conditions/run_order.h"
#include "test_checks.h"

namespace numsift {
namespace {

using testing::kThreeChecks;

std::vector<Draw> fiveDraws() {
    return parseDraws(
               "2026001 12345\n"      // 尾奇 only: 1 fail
               "2026002 00246\n"      // 首位0, 同首二: 2
               "2026003 0 7 7 7 1\n"  // 首位0, 尾奇: 2
               "2026004,98764\n"      // none: 0
               "55555\n")             // 尾奇, 同首二: 2
        .draws;
}

// Worked by hand: a number fails two or more of the three checks with
// P(A∧C) + P(A∧B) + P(B∧C) − 2·P(A∧B∧C) = 0.01 + 0.05 + 0.05 − 0.01 = 10 %,
// so 90,000 numbers survive tolerance 0-1.
TEST(Backtest, HandWorkedCaseOfThreeChecksAndFiveDraws) {
    const std::vector<Draw> draws = fiveDraws();
    const BacktestReport r = backtest(kThreeChecks, FilterInput{}, NumberSet{}, Tolerance{0, 1}, draws);

    ASSERT_EQ(r.draws.size(), 5u);
    const std::vector<int> fails = {1, 2, 2, 0, 2};
    const std::vector<bool> kept = {true, false, false, true, false};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(r.draws[i].failCount, fails[i]) << i;
        EXPECT_EQ(r.draws[i].survives, kept[i]) << i;
        EXPECT_TRUE(r.draws[i].inBase);
    }
    EXPECT_EQ(r.draws[1].failedColumns, (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(r.draws[2].failedColumns, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(r.draws[1].label, "2026002");

    const BacktestSummary& s = r.summary;
    EXPECT_EQ(s.drawCount, 5u);
    EXPECT_EQ(s.survived, 2u);
    EXPECT_DOUBLE_EQ(s.survivedPercent, 40.0);
    EXPECT_EQ(s.longestMissRun, 2u);
    EXPECT_EQ(s.resultSize, 90000u);
    EXPECT_DOUBLE_EQ(s.resultShare, 0.9);
    EXPECT_EQ(s.candidateCount, 100000u);
    EXPECT_EQ(s.outsideBase, 0u);

    ASSERT_EQ(r.columns.size(), 3u);
    EXPECT_EQ(r.columns[0].caption, "首位0");
    EXPECT_EQ(r.columns[0].step, 2);
    EXPECT_EQ(r.columns[0].candidatesMarked, 10000u);
    EXPECT_EQ(r.columns[1].candidatesMarked, 50000u);
    EXPECT_EQ(r.columns[2].candidatesMarked, 10000u);
    EXPECT_EQ(r.columns[0].drawsMarked, 2u);
    EXPECT_EQ(r.columns[1].drawsMarked, 3u);
    EXPECT_EQ(r.columns[2].drawsMarked, 2u);
    EXPECT_DOUBLE_EQ(r.columns[0].drawShare, 0.4);
    EXPECT_DOUBLE_EQ(r.columns[0].expectedDraws, 0.5);
    // P(X >= 2 | n = 5, p = 0.1) = 1 − 0.9^5 − 5·0.1·0.9^4 = 0.08146: not
    // enough to blame the condition on five draws.
    EXPECT_NEAR(r.columns[0].tailProbability, 0.08146, 1e-9);
    EXPECT_FALSE(r.columns[0].overKills);
    EXPECT_FALSE(r.columns[1].overKills);

    EXPECT_EQ(backtestDrawTable(r, "\n"),
              "期号\t号码\t错误数\t结果\t未通过的条件\n"
              "2026001\t12345\t1\t保留\t尾奇\n"
              "2026002\t00246\t2\t淘汰\t首位0、同首二\n"
              "2026003\t07771\t2\t淘汰\t首位0、尾奇\n"
              "2026004\t98764\t0\t保留\t\n"
              "\t55555\t2\t淘汰\t尾奇、同首二\n");
    EXPECT_EQ(
        backtestSummaryText(r, "\r\n"),
        "验证期数\t5\r\n保留\t2（40.00%）\r\n最长连续未中\t2\r\n结果注数\t90000（90.00%）\r\n容错\t0-1\r\n");
}

TEST(Backtest, ToleranceLowerBoundAlsoDropsDrawsThatFailTooFew) {
    const BacktestReport r = backtest(kThreeChecks, FilterInput{}, NumberSet{}, Tolerance{2, 3}, fiveDraws());
    std::vector<bool> kept;
    for (const DrawOutcome& d : r.draws) kept.push_back(d.survives);
    EXPECT_EQ(kept, (std::vector<bool>{false, true, true, false, true}));
    EXPECT_EQ(r.summary.longestMissRun, 1u);
    EXPECT_EQ(r.summary.resultSize, 10000u);
}

TEST(Backtest, DrawOutsideTheBaseSetIsNotKeptButStillDiagnosed) {
    NumberSet base;
    base.values = {11111, 12345, 98764};
    const std::vector<Draw> draws = parseDraws("a 12345\nb 55555\nc 55555\nd 98764\n").draws;
    const BacktestReport r = backtest(kThreeChecks, FilterInput{}, base, Tolerance{0, 2}, draws);
    ASSERT_EQ(r.draws.size(), 4u);
    EXPECT_TRUE(r.draws[0].survives);
    EXPECT_FALSE(r.draws[1].inBase);
    EXPECT_FALSE(r.draws[1].survives);  // fails only two checks, within 0-2, yet not a candidate
    EXPECT_EQ(r.draws[1].failedColumns, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(drawVerdictText(r.draws[1]), "不在大底");
    EXPECT_TRUE(r.draws[3].survives);
    EXPECT_EQ(r.summary.outsideBase, 2u);
    EXPECT_EQ(r.summary.longestMissRun, 2u);
    EXPECT_EQ(r.summary.candidateCount, 3u);
    EXPECT_EQ(r.summary.resultSize, 3u);  // 11111 fails 尾奇 and 同首二: 2, kept
    // Candidate shares are over the base set: 尾奇 marks 11111 and 12345.
    EXPECT_EQ(r.columns[1].candidatesMarked, 2u);
    EXPECT_EQ(r.columns[1].drawsMarked, 3u);
    EXPECT_NE(backtestSummaryText(r, "\n").find("不在大底\t2\n"), std::string::npos);
}

TEST(Backtest, FlagsAConditionThatKillsDrawsFarBeyondItsShareOfCandidates) {
    const std::array<RunStep, 2> steps = {
        {{3, "尾奇", testing::lastOdd}, {9, "三同首", testing::firstThreeSame}}};
    // 三同首 marks 1 % of the numbers but three of six draws.
    const std::vector<Draw> draws = parseDraws("11112\n22203\n33314\n12345\n54320\n67890\n").draws;
    const BacktestReport r = backtest(steps, FilterInput{}, NumberSet{}, Tolerance{0, 0}, draws);
    ASSERT_EQ(r.columns.size(), 2u);
    EXPECT_EQ(r.columns[1].drawsMarked, 3u);
    EXPECT_TRUE(r.columns[1].overKills);
    EXPECT_LT(r.columns[1].tailProbability, 1e-4);
    // 尾奇 marks half of everything and two of six draws: no blame.
    EXPECT_EQ(r.columns[0].drawsMarked, 2u);
    EXPECT_FALSE(r.columns[0].overKills);
    // P(X >= 3 | n = 6, p = 0.01) = 1.9554e-5, times two by Holm's rule.
    EXPECT_NEAR(r.columns[1].tailProbability, 1.955359e-5, 1e-11);
    EXPECT_NEAR(r.columns[1].adjustedProbability, 2 * 1.955359e-5, 2e-11);
    EXPECT_NE(
        backtestColumnTable(r, "\n").find("9\t三同首\t1000\t1.00%\t3\t50.00%\t0.1\t是\t2.0e-05\t3.9e-05\n"),
        std::string::npos);
}

TEST(Backtest, HolmAdjustsEachPValueByItsRankAmongAllOfThem) {
    // Ascending: 0.005·4 = 0.02, 0.01·3 = 0.03, 0.03·2 = 0.06, then 0.04·1
    // = 0.04 is raised to the 0.06 before it: an adjusted value never falls
    // below that of a smaller p-value.
    const std::vector<double> p = {0.01, 0.04, 0.03, 0.005};
    const std::vector<double> want = {0.03, 0.06, 0.06, 0.02};
    const std::vector<double> got = holmAdjusted(p);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(got[i], want[i], 1e-15) << i;
    // Capped at 1; equal p-values get equal adjusted values.
    const std::vector<double> tied = holmAdjusted(std::vector<double>{0.6, 0.2, 0.6});
    ASSERT_EQ(tied.size(), 3u);
    EXPECT_DOUBLE_EQ(tied[0], 1.0);
    EXPECT_NEAR(tied[1], 0.6, 1e-15);
    EXPECT_DOUBLE_EQ(tied[2], 1.0);
    EXPECT_TRUE(holmAdjusted({}).empty());
    EXPECT_EQ(holmAdjusted(std::vector<double>{0.03}), (std::vector<double>{0.03}));
}

// 首位0 marks 10 % of the numbers and four of ten draws: P(X >= 4 | 10, 0.1)
// = 0.0127951984. Tested alone that is below 5 %; among the four conditions
// of one backtest Holm's rule makes it 4 × 0.0128 = 0.0512, no flag.
TEST(Backtest, AConditionFlaggedAloneIsNotFlaggedAmongSeveral) {
    const std::vector<Draw> draws =
        parseDraws("01234\n02468\n03571\n04563\n12345\n23456\n34567\n45678\n56789\n77890\n").draws;
    const std::array<RunStep, 1> alone = {{{2, "首位0", testing::firstZero}}};
    const BacktestReport one = backtest(alone, FilterInput{}, NumberSet{}, Tolerance{0, 0}, draws);
    ASSERT_EQ(one.columns.size(), 1u);
    EXPECT_EQ(one.columns[0].drawsMarked, 4u);
    EXPECT_NEAR(one.columns[0].tailProbability, 0.0127951984, 1e-12);
    EXPECT_NEAR(one.columns[0].adjustedProbability, 0.0127951984, 1e-12);
    EXPECT_TRUE(one.columns[0].overKills);

    const std::array<RunStep, 4> four = {{{2, "首位0", testing::firstZero},
                                          {3, "尾奇", testing::lastOdd},
                                          {9, "同首二", testing::firstTwoSame},
                                          {9, "三同首", testing::firstThreeSame}}};
    const BacktestReport r = backtest(four, FilterInput{}, NumberSet{}, Tolerance{0, 0}, draws);
    ASSERT_EQ(r.columns.size(), 4u);
    EXPECT_NEAR(r.columns[0].tailProbability, 0.0127951984, 1e-12);
    EXPECT_NEAR(r.columns[0].adjustedProbability, 4 * 0.0127951984, 1e-12);
    EXPECT_NEAR(r.columns[1].tailProbability, 0.623046875, 1e-12);   // 尾奇: 5 of 10 at 50 %
    EXPECT_NEAR(r.columns[2].tailProbability, 0.6513215599, 1e-10);  // 同首二: 1 of 10 at 10 %
    EXPECT_DOUBLE_EQ(r.columns[3].tailProbability, 1.0);             // 三同首: none
    for (const ColumnOutcome& c : r.columns) {
        EXPECT_FALSE(c.overKills) << c.caption;
        EXPECT_GE(c.adjustedProbability, c.tailProbability) << c.caption;
    }
    EXPECT_DOUBLE_EQ(r.columns[1].adjustedProbability, 1.0);  // 3 × 0.62, capped
    const std::string table = backtestColumnTable(r, "\n");
    EXPECT_EQ(table.substr(0, table.find('\n')),
              "步骤\t条件\t标记候选\t候选占比\t标记开奖\t开奖占比\t期望\t误杀偏多\tp值\t校正p值");
    EXPECT_NE(table.find("\n2\t首位0\t10000\t10.00%\t4\t40.00%\t1.0\t\t0.0128\t0.0512\n"), std::string::npos)
        << table;
}

template <int Position>
void digitIsZero(const FilterInput&, const CandidateTable& t, ConditionMatrix& m) {
    testing::markWhere(t, m, 2, "位0", [](const Digits& d) { return d[Position] == 0; });
}

// Eight conditions over random draws: tested one by one at 5 % at least one
// of them is flagged in a good share of backtests; with Holm's rule the
// share of backtests with any flag stays at about 5 % or below.
TEST(Backtest, RandomDrawsRarelyFlagAnyOfEightConditions) {
    const std::array<RunStep, 8> steps = {{{2, "万位0", digitIsZero<0>},
                                           {2, "千位0", digitIsZero<1>},
                                           {2, "百位0", digitIsZero<2>},
                                           {2, "十位0", digitIsZero<3>},
                                           {2, "个位0", digitIsZero<4>},
                                           {3, "尾奇", testing::lastOdd},
                                           {9, "同首二", testing::firstTwoSame},
                                           {9, "三同首", testing::firstThreeSame}}};
    const RunResult run = runChecks(steps, FilterInput{}, NumberSet{}, Tolerance{0, 8});

    std::mt19937 random(20260101);
    std::uniform_int_distribution<std::uint32_t> number(0, kNumberSpace - 1);
    constexpr int kBacktests = 400;
    int anyRaw = 0, anyAdjusted = 0;
    for (int b = 0; b < kBacktests; ++b) {
        std::vector<Draw> draws(200);
        for (Draw& d : draws) d.value = number(random);
        const BacktestReport r = backtestRun(run, steps, FilterInput{}, draws);
        bool raw = false, adjusted = false;
        for (const ColumnOutcome& c : r.columns) {
            raw |= double(c.drawsMarked) > c.expectedDraws && c.tailProbability <= kOverKillLevel;
            adjusted |= c.overKills;
        }
        anyRaw += raw;
        anyAdjusted += adjusted;
    }
    EXPECT_GT(anyRaw, kBacktests / 7);        // about a fifth to a third
    EXPECT_LE(anyAdjusted, kBacktests / 14);  // about 5 % or less
}

TEST(Backtest, NoDrawsAndNoConditions) {
    const BacktestReport empty = backtest(kThreeChecks, FilterInput{}, NumberSet{}, Tolerance{0, 0}, {});
    EXPECT_EQ(empty.summary.drawCount, 0u);
    EXPECT_DOUBLE_EQ(empty.summary.survivedPercent, 0.0);
    EXPECT_EQ(empty.summary.longestMissRun, 0u);
    EXPECT_FALSE(empty.columns[0].overKills);

    const BacktestReport none = backtest({}, FilterInput{}, NumberSet{}, Tolerance{0, 0}, fiveDraws());
    EXPECT_EQ(none.summary.survived, 5u);
    EXPECT_EQ(none.summary.resultSize, 100000u);
    EXPECT_TRUE(none.columns.empty());
}

TEST(Backtest, BinomialTailMatchesKnownValues) {
    EXPECT_DOUBLE_EQ(binomialUpperTail(10, 0, 0.3), 1.0);
    EXPECT_DOUBLE_EQ(binomialUpperTail(10, 11, 0.3), 0.0);
    EXPECT_DOUBLE_EQ(binomialUpperTail(10, 1, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(binomialUpperTail(10, 10, 1.0), 1.0);
    EXPECT_NEAR(binomialUpperTail(10, 10, 0.5), 1.0 / 1024, 1e-15);
    EXPECT_NEAR(binomialUpperTail(4, 2, 0.5), 11.0 / 16, 1e-12);
    // Both sides of the mean against the plain sum of the probabilities.
    for (std::size_t k = 0; k <= 21; ++k) {
        double direct = 0, choose = 1;  // C(20, i)
        for (std::size_t i = 0; i <= 20; ++i) {
            if (i >= k) direct += choose * std::pow(0.3, double(i)) * std::pow(0.7, double(20 - i));
            choose = choose * double(20 - i) / double(i + 1);
        }
        EXPECT_NEAR(binomialUpperTail(20, k, 0.3), direct, 1e-12) << k;
    }
    // Far tails of many draws neither overflow nor lose the order of magnitude.
    const double t = binomialUpperTail(100000, 2000, 0.01);
    EXPECT_GT(t, 0.0);
    EXPECT_LT(t, 1e-100);
    EXPECT_NEAR(binomialUpperTail(100000, 1000, 0.01), 0.5, 0.02);
}

// Backtest columns and diagnosis verdicts name the condition of their column,
// and a draw outside the base set is diagnosed by the same columns.
TEST(Backtest, ColumnsAndVerdictsNameTheirConditions) {
    FilterInput in;
    in.sumTailKill[0] = true;
    in.shapeKill.set(kShapeAAAAA);
    const NumberSet base{{12345, 22222}};
    const std::vector<Draw> draws = {Draw{"1", 11111, 1, "", ""}, Draw{"2", 12345, 2, "", ""}};
    const BacktestReport r = backtest(in, base, Tolerance{0, 0}, draws);
    ASSERT_EQ(r.columns.size(), 2u);
    EXPECT_EQ(r.columns[0].id, (ColumnId{ConditionId::SumTailKill}));
    EXPECT_EQ(r.columns[1].id, (ColumnId{ConditionId::Shapes, kShapeAAAAA}));
    ASSERT_EQ(r.draws.size(), 2u);
    EXPECT_FALSE(r.draws[0].inBase);
    EXPECT_EQ(r.draws[0].failedColumns, (std::vector<std::size_t>{1}));

    const Explanation e = explain(in, base, Tolerance{0, 0}, 11111);
    ASSERT_EQ(e.checks.size(), 2u);
    EXPECT_EQ(e.checks[0].id, r.columns[0].id);
    EXPECT_EQ(e.checks[1].id, r.columns[1].id);
    EXPECT_TRUE(e.checks[1].failed);
}

// The backtest looks draws up in one run; what it calls kept must be exactly
// what the full run keeps, for the program's own conditions.
TEST(Backtest, AgreesWithTheFullRunOfTheProgramsConditions) {
    FilterInput in;
    in.sumTailKill[0] = in.sumTailKill[7] = true;
    in.spanKill[9] = true;
    in.digitKill[4] = true;
    in.positionalKill[0][3] = in.positionalKill[4][8] = true;
    in.bigSmallRatio.set(2).set(3);
    in.acKill.set(4);
    std::vector<Draw> draws;
    for (std::uint32_t v = 7; v < kNumberSpace; v += 997) draws.push_back(Draw{"", v, 0, "", ""});
    const Tolerance tol{0, 1};
    const RunResult run = runFilter(in, NumberSet{}, tol);
    const BacktestReport r = backtestRun(run, runOrder(), in, draws);
    EXPECT_EQ(r.summary.resultSize, run.result.size());
    EXPECT_EQ(r.columns.size(), run.matrix.columnCount());
    for (const DrawOutcome& d : r.draws) {
        const bool inResult = std::binary_search(run.result.begin(), run.result.end(), d.value);
        EXPECT_EQ(d.survives, inResult) << d.value;
        EXPECT_EQ(d.failCount, run.failCounts[d.value]) << d.value;
    }
}

}  // namespace
}  // namespace numsift

namespace numsift {
namespace {

// Judged a batch at a time, the draws give the summary and the columns one
// backtest over all of them gives (the longest miss run across batches too).
TEST(BacktestBatches, BatchesAddUpToOneBacktest) {
    FilterInput input;
    input.sumTailKill[0] = true;
    input.spanKill[9] = true;
    const RunResult run = runFilter(input, NumberSet{}, GroupedTolerance(Tolerance{0, 0}, {}));
    std::mt19937 random(5);
    std::vector<Draw> draws;
    for (int i = 0; i < 300; ++i)
        draws.push_back(Draw{"", static_cast<std::uint32_t>(random() % 100000), i + 1, "", ""});
    const BacktestReport whole = backtestRun(run, runOrder(), input, draws);
    for (const std::size_t size : {std::size_t{1}, std::size_t{7}, std::size_t{300}}) {
        BacktestBatches batches(run, runOrder(), input);
        std::size_t rows = 0;
        for (std::size_t at = 0; at < draws.size(); at += size)
            rows += batches.add(std::span(draws).subspan(at, std::min(size, draws.size() - at))).draws.size();
        const BacktestReport report = batches.finish();
        EXPECT_EQ(rows, draws.size());
        EXPECT_EQ(backtestSummaryText(report, "\n"), backtestSummaryText(whole, "\n")) << size;
        EXPECT_EQ(backtestColumnTable(report, "\n"), backtestColumnTable(whole, "\n")) << size;
    }
}

}  // namespace
}  // namespace numsift
