#include "ui/analysis/page_backtest.h"

#include <QPushButton>

#include <memory>

#include "analysis/backtest.h"
#include "conditions/run_order.h"
#include "ui/analysis/backtest_tables.h"
#include "ui/analysis/diagnosis_panel.h"
#include "ui/analysis/draws_panel.h"
#include "ui/analysis/walk_panel.h"
#include "ui/kit/panel.h"

namespace numsift {

namespace {

// Where the panels stand (pixels): the draws and the diagnosis of one number
// in the left column, the tables in the right one.
constexpr QRect kDrawsPanel(8, 4, 240, 372);
constexpr QRect kDiagnosisPanel(8, 382, 240, 236);
constexpr QRect kTablesPanel(256, 4, 533, 614);

}  // namespace

PageBacktest::PageBacktest(numsift::Panel& panel, PageServices services, QWidget* parent)
    : QFrame(parent), panel_(panel) {
    setObjectName(QStringLiteral("backtestPage"));
    setFrameShape(QFrame::NoFrame);
    draws_ = new DrawsPanel(services, this);
    draws_->setGeometry(kDrawsPanel);
    diagnosis_ = new DiagnosisPanel(panel, services, this);
    diagnosis_->setGeometry(kDiagnosisPanel);
    tables_ = new BacktestTables(services, this);
    tables_->setGeometry(kTablesPanel);

    connect(draws_->runButton(), &QPushButton::clicked, this, [this] { runBacktest(); });
    connect(tables_, &BacktestTables::drawActivated, diagnosis_,
            qOverload<std::uint32_t>(&DiagnosisPanel::explainNumber));
}

bool PageBacktest::runBacktest() {
    if (!panel_.commitEntries()) return false;
    const std::optional<std::vector<Draw>> draws = draws_->drawsToCheck();
    if (!draws) return false;
    const Scheme scheme = panel_.runScheme();
    // One run serves the backtest and every row of the what-if table.
    const RunResult run = runFilter(scheme.input, panel_.base(), scheme.grouping());
    tables_->showBacktest(
        run, std::make_shared<const BacktestReport>(backtestRun(run, runOrder(), scheme.input, *draws)));
    if (walk_) walk_->panelChanged();
    return true;
}

void PageBacktest::keepDrawsIn(KeptHistory* history) {
    draws_->keepDrawsIn(history);
    if (walk_) return;
    walk_ = new WalkPanel(panel_, history, tables_);
    tables_->setWalkPanel(walk_);
}

}  // namespace numsift
