// The kills of every rule kind against their plain-meaning twins on random
// histories, the exact chance of a kill, and the kills put on the panel.
#include <gtest/gtest.h>

#include <random>

#include "analysis/rule_kills.h"
#include "tests/analysis/rule_twins.h"

namespace numsift {
namespace {

KillFormula randomFormula(std::mt19937& rng) {
    KillFormula f;
    for (auto& c : f.coefficients) c = rng() % 3 == 0 ? static_cast<std::uint8_t>(rng() % 10) : 0;
    f.constant = static_cast<std::uint8_t>(rng() % 10);
    return f;
}

TEST(RuleKills, ColdHotRepeatAndFormulaMatchTheirTwinsAtEveryDraw) {
    std::mt19937 rng(7);
    std::vector<KillRule> rules;
    for (int f = 0; f < kRuleFamilyCount; ++f) {
        const auto family = static_cast<RuleFamily>(f);
        for (int count : {1, 2, 3, 9}) rules.push_back({family, RuleKind::Cold, count, 0, {}});
        for (int window : {1, 7, 30})
            for (int count : {1, 3}) rules.push_back({family, RuleKind::Hot, count, window, {}});
        rules.push_back({family, RuleKind::Repeat, 1, 0, {}});
        for (int k = 0; k < 3; ++k) rules.push_back({family, RuleKind::Formula, 1, 0, randomFormula(rng)});
    }
    // Few digits make ties, which the order of the values decides.
    for (int digits : {10, 3}) {
        const std::vector<std::uint32_t> draws = twin::randomDraws(rng, 90, digits);
        const auto kills = ruleKills(rules, draws, 0, draws.size() + 1);
        ASSERT_TRUE(kills);
        for (std::size_t r = 0; r < rules.size(); ++r)
            for (std::size_t t = 0; t <= draws.size(); ++t)
                ASSERT_EQ((*kills)[r][t], twin::kills(rules[r], draws, t))
                    << killRuleCaption(rules[r]) << " at " << t << ", digits " << digits;
        // A later start gives the same kills: the history before it counts.
        const auto tail = ruleKills(rules, draws, 60, 75);
        for (std::size_t r = 0; r < rules.size(); ++r)
            EXPECT_EQ((*tail)[r], std::vector<ValueMask>((*kills)[r].begin() + 60, (*kills)[r].begin() + 75));
    }
}

TEST(RuleKills, BestFormulaIsTheFirstFormulaWithTheMostRightKills) {
    std::mt19937 rng(11);
    for (int digits : {10, 4}) {
        const std::vector<std::uint32_t> draws = twin::randomDraws(rng, 18, digits);
        for (RuleFamily family : {RuleFamily::Pos3, RuleFamily::Any, RuleFamily::Span})
            for (int window : {1, 5, 25}) {
                const KillRule rule{family, RuleKind::BestFormula, 1, window, {}};
                const std::vector<ValueMask> kills = ruleKills(rule, draws, 0, draws.size() + 1);
                const std::vector<BestFormulaPick> picks =
                    bestFormulaPicks(family, window, draws, 0, draws.size() + 1);
                for (std::size_t t = 0; t <= draws.size(); ++t) {
                    const std::string where = killRuleCaption(rule) + " at " + std::to_string(t);
                    ASSERT_EQ(kills[t], twin::kills(rule, draws, t)) << where;
                    if (t == 0) continue;
                    const KillFormula best = twin::bestFormula(family, window, draws, t);
                    ASSERT_EQ(picks[t].formula, best) << where;
                    int right = 0, judged = 0;
                    for (std::size_t s = std::max<int>(1, static_cast<int>(t) - window); s < t; ++s, ++judged)
                        right += !twin::has(family, draws[s], twin::formula(best, draws[s - 1]));
                    EXPECT_EQ(picks[t].right, right) << where;
                    EXPECT_EQ(picks[t].judged, judged) << where;
                }
            }
    }
}

TEST(RuleKills, BestFormulaOverMoreThan255DrawsCountsPastAByte) {
    std::mt19937 rng(5);
    const std::vector<std::uint32_t> draws = twin::randomDraws(rng, 300, 10);
    const KillRule rule{RuleFamily::Pos1, RuleKind::BestFormula, 1, 280, {}};
    const std::vector<BestFormulaPick> picks = bestFormulaPicks(rule.family, rule.window, draws, 298, 301);
    for (std::size_t t : {298u, 300u}) {
        EXPECT_EQ(picks[t - 298].formula, twin::bestFormula(rule.family, rule.window, draws, t)) << t;
        EXPECT_EQ(picks[t - 298].judged, 280);
        EXPECT_GT(picks[t - 298].right, 255);  // one digit killed is right about 90 % of the time
    }
}

TEST(RuleKills, TheNextDrawsBestFormulaReadsOnlyItsWindow) {
    // nextDrawKills runs a best-formula rule over its window's draws alone;
    // the kills are those of the whole history's walk, ties included.
    std::mt19937 rng(13);
    for (int digits : {10, 3}) {
        const std::vector<std::uint32_t> draws = twin::randomDraws(rng, 60, digits);
        std::vector<KillRule> rules;
        for (int window : {1, 2, 9, 58, 59, 60, 200})
            for (RuleFamily family : {RuleFamily::Pos1, RuleFamily::Any, RuleFamily::SumTail})
                rules.push_back({family, RuleKind::BestFormula, 1, window, {}});
        rules.push_back({RuleFamily::Pos4, RuleKind::Cold, 2, 0, {}});
        const auto whole = ruleKills(rules, draws, draws.size(), draws.size() + 1);
        const std::vector<ValueMask> next = nextDrawKills(rules, draws);
        for (std::size_t r = 0; r < rules.size(); ++r)
            EXPECT_EQ(next[r], (*whole)[r].front()) << killRuleCaption(rules[r]) << ", digits " << digits;
    }
}

TEST(RuleKills, AnEmptyHistoryKillsNothing) {
    const std::vector<std::uint32_t> none;
    const std::vector<KillRule> rules = {{RuleFamily::Pos1, RuleKind::Cold, 3, 0, {}},
                                         {RuleFamily::Any, RuleKind::Hot, 2, 30, {}},
                                         {RuleFamily::Span, RuleKind::Repeat, 1, 0, {}},
                                         {RuleFamily::SumTail, RuleKind::Formula, 1, 0, {{}, 7}},
                                         {RuleFamily::Pos5, RuleKind::BestFormula, 1, 100, {}}};
    EXPECT_EQ(nextDrawKills(rules, none), std::vector<ValueMask>(5, 0));
    // One draw: cold kills the values it lacks, from the smallest.
    const std::vector<std::uint32_t> one = {12345};
    EXPECT_EQ(nextDrawKills(rules, one)[0], 0b1101);  // 0, 2 and 3 never seen; 1 was just drawn
}

TEST(RuleChance, IsTheExactShareOfNumbersWithNoneOfTheKills) {
    EXPECT_EQ(numbersWithout(RuleFamily::Pos1, 0b1), 90000u);
    EXPECT_DOUBLE_EQ(chanceRight(RuleFamily::Pos4, 0b1000000001), 0.8);
    EXPECT_EQ(numbersWithout(RuleFamily::Any, 0b1), 59049u);  // 59.05 %
    EXPECT_EQ(numbersWithout(RuleFamily::Any, 0b11000), 32768u);
    EXPECT_EQ(numbersWithout(RuleFamily::SumTail, 0b100), 90000u);
    // The span by its true counts: span 0 has 10 numbers, span 9 the 14,670
    // holding both a 0 and a 9.
    EXPECT_EQ(numbersWithout(RuleFamily::Span, 0b1), 99990u);
    EXPECT_EQ(numbersWithout(RuleFamily::Span, 0b1000000000), 85330u);
    std::mt19937 rng(3);
    for (int family = 0; family < kRuleFamilyCount; ++family)
        for (int k = 0; k < 3; ++k) {
            const auto f = static_cast<RuleFamily>(family);
            const auto killed = static_cast<ValueMask>(rng() % 1024);
            std::uint32_t count = 0;
            for (std::uint32_t v = 0; v < 100000; ++v) count += twin::right(f, v, killed);
            EXPECT_EQ(numbersWithout(f, killed), count) << family << " " << killed;
        }
}

TEST(RuleKillsOnThePanel, JoinTheHandTicksOfTheirControl) {
    const std::vector<KillRule> rules = {{RuleFamily::Pos2, RuleKind::Repeat, 1, 0, {}},
                                         {RuleFamily::Pos2, RuleKind::Formula, 1, 0, {{}, 0}},
                                         {RuleFamily::Any, RuleKind::Repeat, 1, 0, {}},
                                         {RuleFamily::SumTail, RuleKind::Repeat, 1, 0, {}},
                                         {RuleFamily::Span, RuleKind::Repeat, 1, 0, {}}};
    const std::vector<std::uint32_t> history = {99999, 13358};  // 千位 3, sum 20, span 7
    const RuleKillsByControl k = killsByControl(rules, nextDrawKills(rules, history));
    EXPECT_EQ(k.position, (std::array<ValueMask, 5>{0, 0b1001, 0, 0, 0}));
    EXPECT_EQ(k.digit, 0b100101010);
    EXPECT_EQ(k.sumTail, 0b1);
    EXPECT_EQ(k.span, 0b10000000);
    FilterInput hand;
    hand.positionalKill[1][5] = hand.spanKill[7] = hand.digitKill[0] = true;
    const FilterInput panel = withRuleKills(hand, rules, history);
    EXPECT_EQ(panel.positionalKill[1], (std::array<bool, 10>{true, false, false, true, false, true}));
    EXPECT_EQ(panel.digitKill,
              (std::array<bool, 10>{true, true, false, true, false, true, false, false, true}));
    EXPECT_EQ(panel.sumTailKill, (std::array<bool, 10>{true}));
    EXPECT_EQ(panel.spanKill, (std::array<bool, 10>{false, false, false, false, false, false, false, true}));
    EXPECT_EQ(withRuleKills(hand, std::span<const KillRule>(), history), hand);
}

TEST(RuleKills, ProgressCanStopTheWork) {
    std::mt19937 rng(1);
    const std::vector<std::uint32_t> draws = twin::randomDraws(rng, 500);
    const std::vector<KillRule> rules = {{RuleFamily::Any, RuleKind::BestFormula, 1, 100, {}}};
    std::size_t calls = 0, lastDone = 0;
    EXPECT_FALSE(ruleKills(rules, draws, 0, 501, [&](std::size_t done, std::size_t total) {
        EXPECT_EQ(total, 501u);
        lastDone = done;
        return ++calls < 3;
    }));
    EXPECT_EQ(calls, 3u);
    EXPECT_LT(lastDone, 501u);
}

}  // namespace
}  // namespace numsift
