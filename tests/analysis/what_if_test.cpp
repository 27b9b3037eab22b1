// What-if figures against actually running the filter again at each
// tolerance band and with each condition removed; grouped backtests and
// diagnoses against the plain count of fails per group.
#include "analysis/what_if.h"

#include <gtest/gtest.h>

#include "analysis/analysis_text.h"
#include "analysis/explain.h"
#include "conditions/filter_input.h"

namespace numsift {
namespace {

ColumnId condition(int k) { return ColumnId{static_cast<ConditionId>(k)}; }

template <int Id, typename Pred>
void markWhere(const CandidateTable& t, ConditionMatrix& m, Pred pred) {
    std::uint8_t* col = m.appendColumn(Id, "c" + std::to_string(Id), condition(Id));
    for (std::size_t i = 0; i < t.size(); ++i) col[i] = pred(t.digits(i)) ? 1 : 0;
}

void firstZero(const FilterInput&, const CandidateTable& t, ConditionMatrix& m) {
    markWhere<1>(t, m, [](const Digits& d) { return d[0] == 0; });
}
void lastOdd(const FilterInput&, const CandidateTable& t, ConditionMatrix& m) {
    markWhere<2>(t, m, [](const Digits& d) { return d[4] % 2 == 1; });
}
void firstTwoSame(const FilterInput&, const CandidateTable& t, ConditionMatrix& m) {
    markWhere<3>(t, m, [](const Digits& d) { return d[0] == d[1]; });
}
void sumTailThree(const FilterInput&, const CandidateTable& t, ConditionMatrix& m) {
    markWhere<4>(t, m, [](const Digits& d) { return (d[0] + d[1] + d[2] + d[3] + d[4]) % 10 == 3; });
}
void middleLow(const FilterInput&, const CandidateTable& t, ConditionMatrix& m) {
    markWhere<5>(t, m, [](const Digits& d) { return d[2] == 1 || d[2] == 2; });
}

const std::vector<RunStep> kSteps = {
    {1, "c1", firstZero},    {2, "c2", lastOdd},   {3, "c3", firstTwoSame},
    {4, "c4", sumTailThree}, {5, "c5", middleLow},
};

std::vector<Draw> someDraws(std::size_t n) {
    std::vector<Draw> draws;
    std::uint32_t x = 2026;
    for (std::size_t i = 0; i < n; ++i) {
        x = (x * 1103515245u + 12345u) & 0x7fffffffu;
        const std::string issue = std::to_string(i);
        draws.push_back(Draw{issue, (x >> 4) % kNumberSpace, static_cast<int>(i + 1), issue, ""});
    }
    return draws;
}

ToleranceGroup group(std::string name, Tolerance t, std::vector<int> ids) {
    ToleranceGroup g{std::move(name), t, {}};
    for (int id : ids) g.columns.push_back(condition(id));
    return g;
}

NumberSet everyThird() {
    NumberSet base;
    for (std::uint32_t v = 0; v < kNumberSpace; v += 3) base.values.push_back(v);
    return base;
}

// K and draws kept of a real run and backtest.
WhatIfFigures rerun(std::span<const RunStep> steps, const NumberSet& base, const GroupedTolerance& t,
                    std::span<const Draw> draws) {
    const RunResult run = runChecks(steps, FilterInput{}, base, t);
    const BacktestReport report = backtestRun(run, steps, FilterInput{}, draws);
    const auto share = [](std::size_t a, std::size_t b) {
        return static_cast<double>(a) / static_cast<double>(b);
    };
    return {run.result.size(), share(run.result.size(), run.table.size()), report.summary.survived,
            share(report.summary.survived, draws.size())};
}

class WhatIfTest : public ::testing::TestWithParam<int> {};

TEST_P(WhatIfTest, FiguresAreThoseOfARealRun) {
    const std::vector<Draw> draws = someDraws(400);
    const GroupedTolerance cases[] = {
        GroupedTolerance({0, 1}),
        GroupedTolerance({1, 2}),
        GroupedTolerance({0, 1}, {group("A", {0, 1}, {1, 2}), group("B", {1, 1}, {3})}),
        GroupedTolerance({0, 0}, {group("A", {2, 2}, {1, 2, 5}), group("none", {0, 1}, {9})}),
    };
    const GroupedTolerance& t = cases[GetParam() % 4];
    const NumberSet base = GetParam() < 4 ? NumberSet{} : everyThird();

    const RunResult run = runChecks(kSteps, FilterInput{}, base, t);
    const BacktestReport report = backtestRun(run, kSteps, FilterInput{}, draws);
    const WhatIf w = whatIf(run, report);
    EXPECT_EQ(w.current, rerun(kSteps, base, t, draws));
    EXPECT_EQ(w.current.resultSize, run.result.size());

    // Every band: that set's tolerance changed, the filter run again.
    std::vector<int> currentRows(t.setCount(), 0);
    for (const ToleranceBand& band : w.bands) {
        GroupedTolerance moved = t;
        (band.set < t.groups.size() ? moved.groups[band.set].tolerance : moved.rest) = band.tolerance;
        EXPECT_EQ(band.figures, rerun(kSteps, base, moved, draws))
            << band.set << " U=" << int(band.tolerance.upper);
        EXPECT_EQ(band.tolerance.lower, t.toleranceOf(band.set).lower);
        EXPECT_EQ(band.current, band.tolerance == t.toleranceOf(band.set));
        currentRows[band.set] += band.current;
    }
    for (std::size_t s = 0; s < t.setCount(); ++s) EXPECT_EQ(currentRows[s], 1) << s;

    // The last band of each set is the largest useful one: one more changes nothing.
    for (std::size_t i = 0; i < w.bands.size(); ++i) {
        const ToleranceBand& band = w.bands[i];
        if (i + 1 < w.bands.size() && w.bands[i + 1].set == band.set) continue;
        GroupedTolerance wider = t;
        Tolerance& bound = band.set < t.groups.size() ? wider.groups[band.set].tolerance : wider.rest;
        bound = {band.tolerance.lower, static_cast<std::uint8_t>(band.tolerance.upper + 1)};
        EXPECT_EQ(rerun(kSteps, base, wider, draws), band.figures) << band.set;
    }

    // Every condition: its step left out, the filter run again.
    ASSERT_EQ(w.conditions.size(), kSteps.size());
    for (const ConditionOff& off : w.conditions) {
        std::vector<RunStep> fewer = kSteps;
        fewer.erase(fewer.begin() + static_cast<long>(off.column));
        EXPECT_EQ(off.figures, rerun(fewer, base, t, draws)) << "without c" << off.column + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(PlainAndGroupedWithAndWithoutBase, WhatIfTest, ::testing::Range(0, 8));

TEST(GroupedBacktest, DrawsNameTheGroupsThatFailedThem) {
    const GroupedTolerance t({0, 0}, {group("A", {0, 1}, {1, 2}), group("B", {1, 1}, {3})});
    const std::vector<Draw> draws =
        parseDraws("1 12345\n2 00000\n3 24680\n4 11224\n5 55554\n6 01113\n").draws;
    const BacktestReport r = backtest(kSteps, FilterInput{}, NumberSet{}, t, draws);
    // Fails per set (A: c1 c2, B: c3, the rest: c4 c5), worked by hand.
    const std::vector<std::vector<int>> setFails = {{1, 0, 0}, {1, 1, 0}, {0, 0, 0},
                                                    {0, 1, 1}, {0, 1, 0}, {2, 0, 1}};
    const std::vector<std::vector<std::size_t>> failedSets = {{1}, {}, {1}, {2}, {}, {0, 1, 2}};
    for (std::size_t d = 0; d < draws.size(); ++d) {
        EXPECT_EQ(r.draws[d].setFails, setFails[d]) << d;
        EXPECT_EQ(r.draws[d].failedSets, failedSets[d]) << d;
        EXPECT_EQ(r.draws[d].survives, failedSets[d].empty()) << d;
        const Explanation e = explain(kSteps, FilterInput{}, NumberSet{}, t, draws[d].value);
        ASSERT_EQ(e.groups.size(), 3u);
        for (std::size_t s = 0; s < 3; ++s) EXPECT_EQ(e.groups[s].failCount, setFails[d][s]);
        EXPECT_EQ(e.survives, r.draws[d].survives);
    }
    EXPECT_EQ(r.summary.setFailedDraws, (std::vector<std::size_t>{1, 3, 2}));
    EXPECT_EQ(failedSetsText(r, r.draws[0]), "B");
    EXPECT_EQ(failedSetsText(r, r.draws[5]), "A、B、其余条件");

    const std::string table = backtestDrawTable(r, "\n");
    EXPECT_NE(table.find("\t超出容错的分组\n"), std::string::npos);
    EXPECT_NE(table.find("01113\t3\t淘汰\tc1、c2、c5\tA、B、其余条件\n"), std::string::npos) << table;
    const std::string summary = backtestSummaryText(r, "\n");
    EXPECT_NE(summary.find("分组 B\t容错 1-1，超出 3 期\n"), std::string::npos) << summary;
    const std::string text = explainText(explain(kSteps, FilterInput{}, NumberSet{}, t, 12345), "\n");
    EXPECT_NE(text.find("分组\tB\t错误数 0\t容错 1-1\t超出容错\n"), std::string::npos) << text;
    EXPECT_NE(text.find("2\tc2\t未通过\tA\n"), std::string::npos) << text;
}

TEST(GroupedBacktest, WithoutGroupsTheTextsAreUnchanged) {
    const std::vector<Draw> draws = parseDraws("1 12345\n2 00000\n").draws;
    const BacktestReport plain = backtest(kSteps, FilterInput{}, NumberSet{}, Tolerance{0, 1}, draws);
    EXPECT_EQ(backtestDrawTable(plain, "\n").find("分组"), std::string::npos);
    EXPECT_EQ(backtestSummaryText(plain, "\n").find("分组"), std::string::npos);
    EXPECT_EQ(backtestColumnTable(plain, "\n").find("分组"), std::string::npos);
    const Explanation e = explain(kSteps, FilterInput{}, NumberSet{}, Tolerance{0, 1}, 12345);
    EXPECT_TRUE(e.groups.empty());
    EXPECT_NE(explainText(e, "\n").find("容错\t0-1\t在容错内\n"), std::string::npos);
}

}  // namespace
}  // namespace numsift
