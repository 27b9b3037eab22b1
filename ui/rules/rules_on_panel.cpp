#include "ui/rules/rules_on_panel.h"

#include <QAbstractButton>

#include "analysis/condition_items.h"
#include "controls/rule_mark.h"
#include "ui/analysis/kept_history.h"
#include "ui/conditions/condition_panel.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

// The condition item of a family's value: the control a rule's kill joins.
ItemId itemOf(RuleFamily family, int value) {
    switch (family) {
        case RuleFamily::Any: return {ItemFamily::Digit, value};
        case RuleFamily::SumTail: return {ItemFamily::SumTail, value};
        case RuleFamily::Span: return {ItemFamily::Span, value};
        default: return {ItemFamily::Position, 10 * static_cast<int>(family) + value};
    }
}

}  // namespace

RulesOnPanel::RulesOnPanel(ConditionPanel* conditions, const KeptHistory* history, QObject* parent)
    : QObject(parent), conditions_(conditions), history_(history) {
    for (int f = 0; f < kRuleFamilyCount; ++f) {
        std::vector<RuleMark*>& family = marks_.emplace_back();
        for (int v = 0; v < 10; ++v)
            family.push_back(new RuleMark(conditions_->itemControl(itemOf(static_cast<RuleFamily>(f), v))));
    }
    connect(conditions_, &ConditionPanel::rulesChanged, this, &RulesOnPanel::learn);
    connect(history_, &KeptHistory::historyChanged, this, &RulesOnPanel::learn);
    learn();
}

RuleMark* RulesOnPanel::markOf(const QAbstractButton* control) const {
    for (const std::vector<RuleMark*>& family : marks_)
        for (RuleMark* m : family)
            if (m->parentWidget() == control) return m;
    return nullptr;
}

void RulesOnPanel::learn() {
    const std::vector<KillRule>& rules = conditions_->rules();
    const std::vector<std::uint32_t> history = history_->store().values();
    kills_ = nextDrawKills(rules, history);
    conditions_->setRuleKills(killsByControl(rules, kills_));
    // Each value's mark names the rules that kill it.
    std::vector<std::vector<QString>> named(marks_.size(), std::vector<QString>(10));
    for (std::size_t r = 0; r < rules.size(); ++r)
        for (int v = 0; v < 10; ++v)
            if (kills_[r] >> v & 1) {
                QString& line = named[static_cast<std::size_t>(rules[r].family)][static_cast<std::size_t>(v)];
                line +=
                    (line.isEmpty() ? QString() : QStringLiteral("、")) + ui::qs(killRuleCaption(rules[r]));
            }
    for (std::size_t f = 0; f < marks_.size(); ++f)
        for (std::size_t v = 0; v < 10; ++v) marks_[f][v]->setRules(named[f][v]);
    emit killsChanged();
}

}  // namespace numsift
