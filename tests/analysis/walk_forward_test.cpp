// Walk-forward against its twin, a full run of the panel with the rules'
// kills of each draw; no look-ahead (the rows of a cut history stay the same);
// the summary's money.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "analysis/walk_forward.h"
#include "conditions/condition_id.h"
#include "conditions/run_order.h"
#include "tests/analysis/rule_twins.h"

namespace numsift {
namespace {

// What walk-forward means: at every draw, run the whole panel again with the
// rules' kills of that draw.
std::vector<WalkDraw> twinWalk(const Scheme& s, const NumberSet& base, std::span<const std::uint32_t> draws,
                               DrawSpan range) {
    std::vector<WalkDraw> rows;
    for (std::size_t t = range.begin; t < range.end; ++t) {
        std::vector<ValueMask> kills;
        for (const KillRule& r : s.rules) kills.push_back(twin::kills(r, draws, t));
        const FilterInput panel = withRuleKills(s.input, killsByControl(s.rules, kills));
        const RunResult run = runFilter(panel, base, s.grouping());
        const bool kept = std::binary_search(run.result.begin(), run.result.end(), draws[t]);
        rows.push_back({t, draws[t], run.result.size(), kept});
    }
    return rows;
}

void expectSameRows(const std::vector<WalkDraw>& a, const std::vector<WalkDraw>& b, const char* what,
                    bool varied = true) {
    ASSERT_EQ(a.size(), b.size()) << what;
    // A case worth comparing keeps numbers, and not the same count at every draw.
    if (varied) {
        EXPECT_TRUE(std::any_of(b.begin(), b.end(), [&](const WalkDraw& d) {
            return d.resultSize != b[0].resultSize;
        })) << what;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].draw, b[i].draw) << what << " row " << i;
        EXPECT_EQ(a[i].value, b[i].value) << what << " row " << i;
        EXPECT_EQ(a[i].resultSize, b[i].resultSize) << what << " row " << i;
        EXPECT_EQ(a[i].kept, b[i].kept) << what << " row " << i;
    }
}

NumberSet randomBase(std::mt19937& rng, std::size_t n, std::span<const std::uint32_t> alsoSome) {
    NumberSet base;
    for (std::size_t i = 0; i < n; ++i) base.values.push_back(rng() % 100000);
    for (std::size_t i = 0; i < alsoSome.size(); i += 2) base.values.push_back(alsoSome[i]);
    std::sort(base.values.begin(), base.values.end());
    base.values.erase(std::unique(base.values.begin(), base.values.end()), base.values.end());
    return base;
}

// A panel with hand ticks on every control the rules feed, conditions
// beside them, and rules of every family and kind.
Scheme panelWithRules() {
    Scheme s = emptyScheme();
    s.input.positionalKill[0][3] = s.input.positionalKill[4][9] = true;
    s.input.digitKill[4] = true;
    s.input.sumTailKill[0] = true;
    s.input.spanKill[9] = true;
    s.input.acKill.set(1);
    s.input.shapeKill.set(0);
    s.input.oddEvenRatio.set(1).set(2).set(3);
    s.tolerance = {0, 2};
    s.rules = {{RuleFamily::Pos1, RuleKind::Cold, 2, 0, {}},
               {RuleFamily::Pos3, RuleKind::Hot, 1, 5, {}},
               {RuleFamily::Any, RuleKind::Hot, 1, 10, {}},
               {RuleFamily::SumTail, RuleKind::Repeat, 1, 0, {}},
               {RuleFamily::Span, RuleKind::Formula, 1, 0, {{3, 0, 0, 0, 1}, 7}},
               {RuleFamily::Pos5, RuleKind::BestFormula, 1, 6, {}}};
    return s;
}

TEST(WalkForward, EachDrawIsAFullRunOfThePanelWithThatDrawsKills) {
    std::mt19937 rng(8);
    const std::vector<std::uint32_t> draws = twin::randomDraws(rng, 14);
    const Scheme s = panelWithRules();
    const NumberSet base = randomBase(rng, 3000, draws);
    for (const NumberSet& b : {base, NumberSet{}}) {
        const auto report = walkForward(s, b, draws, DrawSpan{0, draws.size()});
        ASSERT_TRUE(report);
        expectSameRows(report->draws, twinWalk(s, b, draws, DrawSpan{0, draws.size()}),
                       b.empty() ? "all" : "base");
    }
}

TEST(WalkForward, GroupedToleranceAndALowerBoundHoldForTheChangingColumns) {
    std::mt19937 rng(9);
    const std::vector<std::uint32_t> draws = twin::randomDraws(rng, 12, 5);
    Scheme s = panelWithRules();
    s.groups = {
        {"位", {1, 1}, {{ConditionId::PositionalKill}, {ConditionId::AcKill}}},
        {"码", {0, 1}, {{ConditionId::DigitKill}, {ConditionId::SpanKill}, {ConditionId::OddEvenRatio}}}};
    s.tolerance = {1, 2};
    const NumberSet base = randomBase(rng, 4000, draws);
    const auto report = walkForward(s, base, draws, DrawSpan{3, 12});
    ASSERT_TRUE(report);
    expectSameRows(report->draws, twinWalk(s, base, draws, DrawSpan{3, 12}), "groups");
    // Rules alone, on a panel with nothing else: every number fails at most
    // the rules' own columns.
    Scheme bare = emptyScheme();
    bare.rules = s.rules;
    bare.tolerance = {1, 3};
    const auto alone = walkForward(bare, base, draws, DrawSpan{0, draws.size()});
    expectSameRows(alone->draws, twinWalk(bare, base, draws, DrawSpan{0, draws.size()}), "rules alone");
}

TEST(WalkForward, ARowIsTheSameWhetherOrNotLaterDrawsAreThere) {
    std::mt19937 rng(10);
    const std::vector<std::uint32_t> draws = twin::randomDraws(rng, 260);
    Scheme s = panelWithRules();
    s.rules.push_back({RuleFamily::Any, RuleKind::BestFormula, 1, 100, {}});
    const auto whole = walkForward(s, {}, draws, DrawSpan{0, draws.size()});
    ASSERT_TRUE(whole);
    for (std::size_t cut : {1u, 2u, 120u, 259u}) {
        const std::span<const std::uint32_t> first(draws.data(), cut);
        const auto part = walkForward(s, {}, first, DrawRange::newest(50).in(cut));
        const std::size_t from = cut > 50 ? cut - 50 : 0;
        expectSameRows(part->draws,
                       std::vector<WalkDraw>(whole->draws.begin() + static_cast<long>(from),
                                             whole->draws.begin() + static_cast<long>(cut)),
                       "cut", false);
    }
}

TEST(WalkForward, SummaryCountsMoneyAgainstTheChanceReturn) {
    const std::vector<WalkDraw> rows = {
        {0, 1, 1000, true}, {1, 2, 2000, false}, {2, 3, 0, false}, {3, 4, 3000, true}};
    const WalkSummary s = walkSummary(rows);
    EXPECT_EQ(s.drawCount, 4u);
    EXPECT_EQ(s.kept, 2u);
    EXPECT_DOUBLE_EQ(s.keptShare, 0.5);
    EXPECT_DOUBLE_EQ(s.averageSize, 1500.0);
    EXPECT_DOUBLE_EQ(s.theory, 0.015);
    EXPECT_EQ(s.cost, 12000u);
    EXPECT_EQ(s.prize, 200000u);
    EXPECT_DOUBLE_EQ(s.returnRate, 200000.0 / 12000);
    EXPECT_EQ(s.longestMissRun, 2u);
    EXPECT_EQ(
        walkSummaryText(s, "\n"),
        "期数\t4\n保留期数\t2/4（50.00%）\n理论\t1.50%\n平均注数\t1500.0\n投入\t12000 元\n奖金\t200000 元\n"
        "回报率\t1666.67%（随机 50.00%）\n最长连续未中\t2\n");
    // Nothing bought: no return to speak of.
    EXPECT_NE(walkSummaryText(walkSummary({}), "\n").find("\n回报率\t—（随机 50.00%）\n"), std::string::npos);
}

TEST(WalkForward, ProgressCanStopIt) {
    std::mt19937 rng(12);
    const std::vector<std::uint32_t> draws = twin::randomDraws(rng, 400);
    std::size_t calls = 0;
    EXPECT_FALSE(
        walkForward(panelWithRules(), {}, draws, DrawSpan{0, 400}, [&](std::size_t, std::size_t total) {
            EXPECT_EQ(total, 800u);
            return ++calls < 9;
        }));
}

}  // namespace
}  // namespace numsift
