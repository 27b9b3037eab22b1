#include "analysis/rule_figures.h"

#include <algorithm>

#include "analysis/analysis_text.h"
#include "analysis/backtest.h"

namespace numsift {

std::vector<RuleOutcome> ruleOutcomes(RuleFamily family, std::span<const ValueMask> kills,
                                      std::span<const std::uint32_t> draws, DrawSpan range) {
    std::vector<RuleOutcome> out;
    const std::size_t end = std::min(range.end, draws.size());
    for (std::size_t t = std::max<std::size_t>(range.begin, 1); t < end; ++t) {
        const ValueMask k = kills[t - range.begin];
        out.push_back({t, k, (familyValues(family, draws[t]) & k) == 0, chanceRight(family, k)});
    }
    return out;
}

RuleFigures figuresOf(std::span<const RuleOutcome> outcomes, ValueMask nextKills) {
    RuleFigures f;
    f.nextKills = nextKills;
    f.judged = outcomes.size();
    double chanceSum = 0;
    std::size_t wrongRun = 0;
    for (const RuleOutcome& o : outcomes) {
        chanceSum += o.chance;
        if (o.right) {
            ++f.right;
            ++f.currentRightRun;
            wrongRun = 0;
        } else {
            f.currentRightRun = 0;
            f.longestWrongRun = std::max(f.longestWrongRun, ++wrongRun);
        }
    }
    if (f.judged > 0) {
        const double n = static_cast<double>(f.judged);
        f.hitRate = static_cast<double>(f.right) / n;
        f.chance = chanceSum / n;
        f.pValue = binomialUpperTail(f.judged, f.right, f.chance);
    }
    f.adjustedPValue = f.pValue;
    f.beatsChance = f.judged > 0 && f.hitRate > f.chance && f.adjustedPValue <= kOverKillLevel;
    return f;
}

void judgeTogether(std::span<RuleFigures> figures) {
    std::vector<double> p;
    for (const RuleFigures& f : figures) p.push_back(f.pValue);
    const std::vector<double> adjusted = holmAdjusted(p);
    for (std::size_t i = 0; i < figures.size(); ++i) {
        RuleFigures& f = figures[i];
        f.adjustedPValue = adjusted[i];
        f.beatsChance = f.judged > 0 && f.hitRate > f.chance && f.adjustedPValue <= kOverKillLevel;
    }
}

std::optional<std::vector<RuleFigures>> ruleFigures(std::span<const KillRule> rules,
                                                    std::span<const std::uint32_t> draws, DrawSpan range,
                                                    const ProgressFn& progress) {
    range.end = std::min(range.end, draws.size());
    range.begin = std::min(range.begin, range.end);
    // The kills over the range and, one step on, for the next draw: the
    // tracks run to the end of the history once.
    const std::size_t next = draws.size();
    auto kills = ruleKills(rules, draws, range.begin, next + 1, progress);
    if (!kills) return std::nullopt;
    std::vector<RuleFigures> figures;
    for (std::size_t r = 0; r < rules.size(); ++r) {
        const std::vector<ValueMask>& k = (*kills)[r];
        const std::vector<RuleOutcome> outcomes = ruleOutcomes(rules[r].family, k, draws, range);
        figures.push_back(figuresOf(outcomes, k.back()));
    }
    judgeTogether(figures);
    return figures;
}

std::string_view verdictText(const RuleFigures& figures) {
    return figures.beatsChance ? "优于随机" : "与随机无差别";
}

std::string valuesText(ValueMask values) {
    std::string s;
    for (int v = 0; v < 10; ++v)
        if (values >> v & 1) s += static_cast<char>('0' + v);
    return s;
}

std::vector<RollingPoint> rollingHitRate(std::span<const RuleOutcome> outcomes, std::size_t width) {
    width = std::max<std::size_t>(width, 1);
    std::vector<RollingPoint> points;
    points.reserve(outcomes.size());
    std::size_t right = 0;
    double chance = 0;
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        right += outcomes[i].right;
        chance += outcomes[i].chance;
        if (i >= width) {
            right -= outcomes[i - width].right;
            chance -= outcomes[i - width].chance;
        }
        const double n = static_cast<double>(std::min(i + 1, width));
        points.push_back({outcomes[i].draw, static_cast<double>(right) / n, chance / n});
    }
    return points;
}

std::string ruleFiguresTable(std::span<const KillRule> rules, std::span<const RuleFigures> figures,
                             std::string_view eol) {
    std::string s = "规则\tp值\t校正p值\t结论\t期数\t命中\t命中率\t理论命中率\t当前连对\t最长连错\t下期杀";
    s += eol;
    for (std::size_t i = 0; i < rules.size() && i < figures.size(); ++i) {
        const RuleFigures& f = figures[i];
        s += killRuleCaption(rules[i]) + "\t" + pValueText(f.pValue) + "\t" + pValueText(f.adjustedPValue) +
             "\t" + std::string(verdictText(f)) + "\t" + std::to_string(f.judged) + "\t" +
             std::to_string(f.right) + "\t" + percentText(100.0 * f.hitRate) + "\t" +
             percentText(100.0 * f.chance) + "\t" + std::to_string(f.currentRightRun) + "\t" +
             std::to_string(f.longestWrongRun) + "\t" + valuesText(f.nextKills);
        s += eol;
    }
    return s;
}

}  // namespace numsift
