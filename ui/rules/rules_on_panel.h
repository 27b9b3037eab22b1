#pragma once
// The panel's kill rules at work on page 1: what each kills at the next
// draw, learned from the whole kept history, set on the condition panel for
// the run (ConditionPanel::setRuleKills) and shown on the check boxes of
// 定位杀, 通杀码, 杀和尾 and 杀跨度 as set by a rule (controls/rule_mark.h),
// apart from the hand ticks. Learned again whenever the rules or the
// history change, so a draw added moves them at once. Only a best-formula
// rule's window is searched for the next draw, so this is quick enough for
// the window's thread.

#include <QObject>

#include <vector>

#include "analysis/rule_kills.h"

class QAbstractButton;

namespace numsift {

class ConditionPanel;
class KeptHistory;
class RuleMark;

class RulesOnPanel : public QObject {
    Q_OBJECT
public:
    RulesOnPanel(ConditionPanel* conditions, const KeptHistory* history, QObject* parent = nullptr);

    // Each of the panel's rules' kills for the next draw, in the panel's order.
    const std::vector<ValueMask>& kills() const { return kills_; }
    // The mark of a control; nullptr when the control can never be marked.
    RuleMark* markOf(const QAbstractButton* control) const;

signals:
    // The kills were learned anew (the rules or the history changed).
    void killsChanged();

private:
    void learn();

    ConditionPanel* conditions_;
    const KeptHistory* history_;
    std::vector<ValueMask> kills_;
    // The marks of every value of each family, in the order of RuleFamily.
    std::vector<std::vector<RuleMark*>> marks_;
};

}  // namespace numsift
