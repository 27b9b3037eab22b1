#pragma once
// A panel of its own for a page or a dialog under test: the scheme, base set,
// result and last run the test sets, what the check of the edited box
// answers, and what the page or dialog did to the panel.

#include <memory>
#include <string>
#include <vector>

#include "analysis/rule_kills.h"
#include "ui/kit/panel.h"

namespace numsift {

class FakePanel : public Panel {
public:
    Scheme panelScheme = emptyScheme();
    NumberSet baseSet;
    std::vector<std::uint32_t> result;
    std::vector<std::uint16_t> keptBy;  // what showResult was given with the result
    std::unique_ptr<RunResult> run;
    bool entriesAccepted = true;  // what commitEntries answers
    int commits = 0;
    RuleKillsByControl ruleKills;      // what the scheme's rules kill at the next draw
    std::vector<std::string> applied;  // the action of each applyScheme and setRules
    std::vector<std::string> steps;    // the action of each outermost beginStep
    int openSteps = 0;
    std::vector<std::vector<std::uint32_t>> shown;  // each showResult

    bool commitEntries() override {
        ++commits;
        return entriesAccepted;
    }
    Scheme scheme() const override { return panelScheme; }
    void applyScheme(const Scheme& scheme, const char* action) override {
        panelScheme = scheme;
        applied.emplace_back(action);
    }
    void beginStep(const char* action) override {
        if (openSteps++ == 0) steps.emplace_back(action);
    }
    void endStep() override { --openSteps; }
    Scheme runScheme() const override {
        Scheme s = panelScheme;
        s.input = withRuleKills(s.input, ruleKills);
        s.rules.clear();
        return s;
    }
    void setRules(std::vector<KillRule> rules, const char* action) override {
        panelScheme.rules = std::move(rules);
        applied.emplace_back(action);
    }
    const NumberSet& base() const override { return baseSet; }
    const std::vector<std::uint32_t>& results() const override { return result; }
    const RunResult* lastRun() const override { return run.get(); }
    void showResult(std::vector<std::uint32_t> numbers, std::vector<std::uint16_t> counts = {}) override {
        result = numbers;
        keptBy = std::move(counts);
        shown.push_back(std::move(numbers));
    }
    std::vector<std::uint16_t> resultKeptBy() const override { return keptBy; }
};

}  // namespace numsift
