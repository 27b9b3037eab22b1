#include "analysis/rule_library.h"

#include <algorithm>

namespace numsift {

std::vector<KillRule> builtInRules() {
    std::vector<KillRule> rules;
    rules.reserve(kRuleFamilyCount * kBuiltInRulesPerFamily);
    for (int f = 0; f < kRuleFamilyCount; ++f) {
        const auto family = static_cast<RuleFamily>(f);
        for (int count = 1; count <= 3; ++count) rules.push_back({family, RuleKind::Cold, count, 0, {}});
        for (int window : {10, 30, 100})
            for (int count = 1; count <= 3; ++count)
                rules.push_back({family, RuleKind::Hot, count, window, {}});
        rules.push_back({family, RuleKind::Repeat, 1, 0, {}});
        for (int window : {50, 100, 200}) rules.push_back({family, RuleKind::BestFormula, 1, window, {}});
    }
    return rules;
}

int builtInRuleIndex(const KillRule& rule) {
    const std::vector<KillRule> rules = builtInRules();
    const auto at = std::find(rules.begin(), rules.end(), rule);
    return at == rules.end() ? -1 : static_cast<int>(at - rules.begin());
}

}  // namespace numsift
