// A rule's figures over a range against a count made draw by draw, the
// verdict against chance, and the rolling hit rate of the chart.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <random>

#include "analysis/backtest.h"
#include "analysis/rule_figures.h"
#include "analysis/rule_library.h"
#include "tests/analysis/rule_twins.h"

namespace numsift {
namespace {

double twinChance(RuleFamily f, ValueMask killed) {
    static std::map<std::pair<int, int>, double> known;
    const auto key = std::make_pair(static_cast<int>(f), static_cast<int>(killed));
    if (auto it = known.find(key); it != known.end()) return it->second;
    std::uint32_t count = 0;
    for (std::uint32_t v = 0; v < 100000; ++v) count += twin::right(f, v, killed);
    return known[key] = count / 100000.0;
}

TEST(RuleFigures, CountEachJudgedDrawOfTheRangeAsItsTwinDoes) {
    std::mt19937 rng(21);
    const std::vector<std::uint32_t> draws = twin::randomDraws(rng, 120, 6);
    const std::vector<KillRule> rules = {{RuleFamily::Pos2, RuleKind::Cold, 2, 0, {}},
                                         {RuleFamily::Any, RuleKind::Hot, 1, 10, {}},
                                         {RuleFamily::SumTail, RuleKind::Repeat, 1, 0, {}},
                                         {RuleFamily::Span, RuleKind::Repeat, 1, 0, {}},
                                         {RuleFamily::Span, RuleKind::BestFormula, 1, 8, {}}};
    for (const DrawSpan range : {DrawRange::all().in(draws.size()), DrawRange::newest(40).in(draws.size())}) {
        const auto figures = ruleFigures(rules, draws, range);
        ASSERT_TRUE(figures);
        std::vector<double> p;
        for (std::size_t r = 0; r < rules.size(); ++r) {
            const RuleFigures& f = (*figures)[r];
            std::size_t judged = 0, hits = 0, wrongRun = 0, longestWrong = 0, rightRun = 0;
            double chance = 0;
            for (std::size_t t = std::max<std::size_t>(range.begin, 1); t < range.end; ++t) {
                const ValueMask k = twin::kills(rules[r], draws, t);
                ++judged;
                chance += twinChance(rules[r].family, k);
                if (twin::right(rules[r].family, draws[t], k)) {
                    ++hits, ++rightRun, wrongRun = 0;
                } else {
                    rightRun = 0, longestWrong = std::max(longestWrong, ++wrongRun);
                }
            }
            const std::string where = killRuleCaption(rules[r]) + " from " + std::to_string(range.begin);
            EXPECT_EQ(f.judged, judged) << where;
            EXPECT_EQ(f.right, hits) << where;
            EXPECT_DOUBLE_EQ(f.hitRate, double(hits) / judged) << where;
            EXPECT_NEAR(f.chance, chance / judged, 1e-12) << where;
            EXPECT_EQ(f.currentRightRun, rightRun) << where;
            EXPECT_EQ(f.longestWrongRun, longestWrong) << where;
            EXPECT_EQ(f.nextKills, twin::kills(rules[r], draws, draws.size())) << where;
            EXPECT_DOUBLE_EQ(f.pValue, binomialUpperTail(judged, hits, f.chance)) << where;
            p.push_back(f.pValue);
        }
        const std::vector<double> adjusted = holmAdjusted(p);
        for (std::size_t r = 0; r < rules.size(); ++r)
            EXPECT_DOUBLE_EQ((*figures)[r].adjustedPValue, adjusted[r]);
    }
}

TEST(RuleFigures, OnlyARuleThatBeatsChanceAfterHolmSaysSo) {
    // 万位 is never 0 here, so killing the coldest 万位 digit (0, never
    // seen) is right every time: far beyond the 90 % of chance.
    std::mt19937 rng(4);
    std::vector<std::uint32_t> draws = twin::randomDraws(rng, 300);
    for (std::uint32_t& d : draws)
        if (d < 10000) d += 10000;
    const std::vector<KillRule> rules = {{RuleFamily::Pos1, RuleKind::Cold, 1, 0, {}},
                                         {RuleFamily::Pos5, RuleKind::Cold, 1, 0, {}},
                                         {RuleFamily::Any, RuleKind::Repeat, 1, 0, {}}};
    const auto figures = ruleFigures(rules, draws, DrawSpan{0, draws.size()});
    ASSERT_TRUE(figures);
    EXPECT_EQ((*figures)[0].right, 299u);
    EXPECT_NEAR((*figures)[0].chance, 0.9, 1e-12);
    EXPECT_LT((*figures)[0].adjustedPValue, 1e-6);
    EXPECT_EQ(verdictText((*figures)[0]), "优于随机");
    EXPECT_EQ(verdictText((*figures)[1]), "与随机无差别");
    EXPECT_EQ(verdictText((*figures)[2]), "与随机无差别");
    // A range of one draw judges nothing and says nothing for the rule.
    const auto none = ruleFigures(rules, draws, DrawSpan{0, 1});
    EXPECT_EQ((*none)[0].judged, 0u);
    EXPECT_EQ(verdictText((*none)[0]), "与随机无差别");
}

TEST(RuleFigures, RollingHitRateIsTheShareOfTheLastDrawsBesideTheirChance) {
    const std::vector<RuleOutcome> outcomes = {
        {1, 1, true, 0.9}, {2, 1, false, 0.9}, {3, 3, true, 0.8}, {4, 1, true, 0.9}};
    const std::vector<RollingPoint> points = rollingHitRate(outcomes, 2);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_DOUBLE_EQ(points[0].hitRate, 1.0);
    EXPECT_DOUBLE_EQ(points[1].hitRate, 0.5);
    EXPECT_DOUBLE_EQ(points[2].hitRate, 0.5);
    EXPECT_NEAR(points[2].chance, 0.85, 1e-12);
    EXPECT_DOUBLE_EQ(points[3].hitRate, 1.0);
    EXPECT_EQ(points[3].draw, 4u);
}

TEST(RuleLibrary, HoldsEachKindOfEveryFamilyOnce) {
    const std::vector<KillRule> rules = builtInRules();
    ASSERT_EQ(rules.size(), 128u);
    std::set<std::string> captions;
    for (const KillRule& r : rules) captions.insert(killRuleCaption(r));
    EXPECT_EQ(captions.size(), 128u);
    EXPECT_TRUE(captions.count("跨度 热号 3 个（近 100 期）"));
    EXPECT_TRUE(captions.count("通杀码 最优公式（近 200 期）"));
    EXPECT_TRUE(captions.count("十位 重复上期"));
    EXPECT_EQ(builtInRuleIndex(rules[77]), 77);
    EXPECT_EQ(builtInRuleIndex(KillRule{RuleFamily::Pos1, RuleKind::Hot, 1, 20, {}}), -1);
}

}  // namespace
}  // namespace numsift
