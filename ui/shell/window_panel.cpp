#include "ui/shell/window_panel.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "conditions/run_order.h"
#include "controls/entry_box.h"
#include "engine/number_set_store.h"
#include "ui/conditions/condition_panel.h"
#include "ui/kit/widget_kit.h"
#include "ui/kit/window_texts.h"
#include "ui/results/result_area.h"
#include "ui/sets/page_base.h"
#include "ui/shell/panel_history.h"
#include "ui/shell/panel_rounds.h"

namespace numsift {

WindowPanel::WindowPanel(QWidget* window, ConditionPanel& conditions, PanelRounds& rounds,
                         NumberSetStore& store, PageBase& base, ResultArea& results, TextEditorOpener& editor,
                         QObject* parent)
    : QObject(parent),
      window_(window),
      conditions_(conditions),
      rounds_(rounds),
      store_(store),
      base_(base),
      results_(results),
      editor_(editor) {}

WindowPanel::~WindowPanel() = default;

bool WindowPanel::commitEntries() {
    if (!checkFocusedEntry(window_)) return false;
    // A box can hold an unchecked edit without the focus: a click while the
    // window was not active (after a message box, with no window manager to
    // activate it again) moves the focus without a focus-out. Check those
    // boxes now; a refused one takes the focus back.
    for (EntryBox* box : window_->findChildren<EntryBox*>()) {
        if (!box->hasUncheckedEdit()) continue;
        if (!box->validate()) {
            box->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

Scheme WindowPanel::scheme() const { return conditions_.scheme(); }

void WindowPanel::applyScheme(const Scheme& scheme, const char* action) {
    PanelStep step(*this, action);
    conditions_.applyScheme(scheme);
}

void WindowPanel::beginStep(const char* action) { rounds_.history().beginStep(ui::qs(action)); }

void WindowPanel::endStep() { rounds_.history().endStep(); }

Scheme WindowPanel::runScheme() const {
    Scheme s = conditions_.scheme();
    s.input = conditions_.runInput();
    s.rules.clear();
    return s;
}

void WindowPanel::setRules(std::vector<KillRule> rules, const char* action) {
    if (rules == conditions_.rules()) return;
    PanelStep step(*this, action);
    conditions_.setRules(std::move(rules));
}

const NumberSet& WindowPanel::base() const { return store_.base(); }

const std::vector<std::uint32_t>& WindowPanel::results() const { return results_.state().values(); }

void WindowPanel::showResult(std::vector<std::uint32_t> numbers, std::vector<std::uint16_t> keptBy) {
    stacked_ = keptBy.empty() ? std::vector<std::uint32_t>() : numbers;
    keptBy_ = std::move(keptBy);
    results_.state().showRunResult(std::move(numbers));
}

std::vector<std::uint16_t> WindowPanel::resultKeptBy() const {
    // The result area may have moved on (a run, 转为组选) since.
    if (keptBy_.empty() || stacked_ != results()) return {};
    return keptBy_;
}

void WindowPanel::filterClicked(int index) {
    ResultState& state = results_.state();
    // Clearing reads no box; every other action applies the edited one first.
    if (index != 2 && !results_.commitEntries()) return;
    switch (index) {
        case 0: startRun(); break;
        case 1: state.convertToGroupSelection(); break;
        case 2: clearAllConditions(); break;
        case 3: state.copyAll(); break;
        case 4: state.exportAll(editor_); break;
        default: break;
    }
}

void WindowPanel::startRun() {
    if (!commitEntries()) return;
    const NormalisedTolerance t = normaliseTolerance(conditions_.toleranceText(0).toStdString(),
                                                     conditions_.toleranceText(1).toStdString());
    conditions_.setToleranceTexts(QString::fromStdString(t.lowerBox), QString::fromStdString(t.upperBox));
    QLabel* status = results_.statusLabel();
    status->setText(ui::qs(ui::texts::kStatusRunning));
    if (status->isVisible()) status->repaint();

    auto run = std::make_unique<RunResult>(runFilter(
        conditions_.runInput(), store_.base(), GroupedTolerance(t.tolerance, conditions_.toleranceGroups())));
    std::vector<std::uint32_t> survivors = run->result;
    lastRun_ = std::move(run);
    results_.state().showRunResult(std::move(survivors));
    status->setText(ui::qs(ui::texts::kStatusDone));
}

void WindowPanel::clearAllConditions() {
    // Clearing empties the groups and the base set too: a condition left in
    // a group would keep its group's tolerance once ticked again.
    PanelStep step(*this, "清空所有条件");
    conditions_.clear();
    conditions_.setToleranceGroups({});
    base_.cmdBase(0)->click();  // "清空" of the base set
}

bool WindowPanel::editToleranceGroups() {
    if (!commitEntries()) return false;
    return conditions_.editToleranceGroups(window_);
}

}  // namespace numsift
