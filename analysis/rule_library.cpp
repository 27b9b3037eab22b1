#include "analysis/rule_library.h"

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

}  // namespace numsift
