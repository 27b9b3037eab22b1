#pragma once
// The condition panel as the pages and dialogs see it: what a run reads (the
// conditions with their tolerance and groups, the base set), the result area,
// and the ways they may change it. Each is given this interface rather than
// the window, so that it can be tried on a panel of its own
// (tests/fakes/fake_panel.h); the window's own is WindowPanel.

#include <cstdint>
#include <vector>

#include "conditions/scheme.h"
#include "engine/filter_run.h"
#include "engine/number_list.h"

namespace numsift {

class Panel {
public:
    virtual ~Panel() = default;

    // Runs the check of the box being edited, as leaving it would; false
    // when the box refuses its text and keeps the focus: the action that
    // asked does not run.
    virtual bool commitEntries() = 0;

    // The conditions, the tolerance as a run reads its boxes, and the
    // groups: what a scheme file holds.
    virtual Scheme scheme() const = 0;
    // Sets the conditions, the tolerance boxes and the groups from scheme,
    // as one undo step named action ("载入方案"). Base set and result stay.
    virtual void applyScheme(const Scheme& scheme, const char* action) = 0;

    // Undo: every change of the panel is one step ("撤销 …" gives back the
    // panel as it stood before it). A change of a control is one by itself
    // (a tick, a box left, a tolerance, the base set); the changes an action
    // makes between beginStep and endStep are one step named action (pairs
    // may nest: the outermost names the step). PanelStep pairs them.
    virtual void beginStep(const char* action) = 0;
    virtual void endStep() = 0;
    // The scheme as a run reads it: the kills its rules make for the next
    // draw (learned from the kept draw history) added to the controls they
    // name, beside the hand ticks; no rules left in it, their kills being in
    // its input. What 历史验证 and 号码诊断 check.
    virtual Scheme runScheme() const = 0;
    // Replaces the panel's kill rules ("用于本期", "移出本期") as one step
    // undo gives back; action names it. The rest of the panel stays.
    virtual void setRules(std::vector<KillRule> rules, const char* action) = 0;

    // The base set; empty: all 100,000 numbers.
    virtual const NumberSet& base() const = 0;

    // The numbers the result area holds.
    virtual const std::vector<std::uint32_t>& results() const = 0;
    // The last run of 开始缩水; null before the first. The result area may
    // since hold other numbers (a stacked or group-selection result).
    virtual const RunResult* lastRun() const = 0;
    // Puts numbers into the result area as a run's result would stand.
    // keptBy, for a stacked result: how many schemes keep each number.
    virtual void showResult(std::vector<std::uint32_t> numbers, std::vector<std::uint16_t> keptBy = {}) = 0;
    // How many schemes keep each number of the result area, while it holds
    // the stacked result that came with them; empty otherwise.
    virtual std::vector<std::uint16_t> resultKeptBy() const = 0;
};

// The changes made to panel while it lives are one undo step named action.
class PanelStep {
public:
    PanelStep(Panel& panel, const char* action) : panel_(panel) { panel_.beginStep(action); }
    ~PanelStep() { panel_.endStep(); }
    PanelStep(const PanelStep&) = delete;
    PanelStep& operator=(const PanelStep&) = delete;

private:
    Panel& panel_;
};

}  // namespace numsift
