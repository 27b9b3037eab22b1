#include "ui/shell/window_pages.h"

#include <QWidget>

#include "controls/select_button.h"
#include "ui/conditions/page_compound.h"
#include "ui/kit/window_layout.h"
#include "ui/results/result_area.h"
#include "ui/rules/page_rules.h"
#include "ui/shell/tab_strip.h"

namespace numsift {

WindowPages::WindowPages(TabStrip* strip, ResultArea* results, QObject* parent)
    : QObject(parent), strip_(strip), results_(results) {
    connect(strip_, &TabStrip::tabClicked, this, &WindowPages::selectTab);
    connect(strip_, &TabStrip::backtestTabClicked, this, &WindowPages::showBacktestPage);
    connect(strip_, &TabStrip::trendTabClicked, this, &WindowPages::showTrendPage);
    connect(strip_, &TabStrip::rulesTabClicked, this, &WindowPages::showRulesPage);
}

void WindowPages::place(QWidget* page, int index) {
    const QSize size = index == 3 ? ui::layout::kJoinPageSize : ui::layout::kPageSize;
    page->setGeometry(QRect(ui::layout::kPageOrigin, size));
    page->setAutoFillBackground(true);
    pages_[static_cast<std::size_t>(index)] = page;
}

void WindowPages::placeAnalysis(QWidget* backtest, QWidget* trend) {
    backtest_ = backtest;
    backtest_->setGeometry(QRect(ui::layout::kPageOrigin, ui::layout::kPageSize));
    backtest_->setAutoFillBackground(true);
    backtest_->hide();
    trend_ = trend;
    trend_->setGeometry(QRect(ui::layout::kPageOrigin, ui::layout::kJoinPageSize));
    trend_->setAutoFillBackground(true);
    trend_->hide();
}

void WindowPages::placeRules(PageRules* rules) {
    rules_ = rules;
    rules_->setGeometry(QRect(ui::layout::kPageOrigin, ui::layout::kJoinPageSize));
    rules_->setAutoFillBackground(true);
    rules_->hide();
}

void WindowPages::bringToFront(int pageIndex) {
    backtest_->hide();
    trend_->hide();
    if (rules_) rules_->hide();
    for (int i = 0; i < kPageCount; ++i)
        if (i != pageIndex && i != 3) page(i)->hide();
    page(pageIndex)->show();
    page(pageIndex)->raise();
}

void WindowPages::selectTab(int index) {
    if (index < 0 || index >= TabStrip::kTabCount) return;
    strip_->select(index);
    currentTab_ = index;
    if (index < 4) {
        bringToFront(index);
    } else {
        bringToFront(4);
        composeMode_ = index - 4;
        static_cast<PageCompound*>(page(4))->setComposeMode(composeMode_);
    }
    if (index == 3) {
        page(3)->show();
        page(3)->raise();
        results_->hide();
    } else {
        page(3)->hide();
        results_->show();
    }
    strip_->raise();
    strip_->trendTab()->raise();
}

void WindowPages::showBacktestPage() {
    strip_->selectBacktest();
    for (QWidget* p : pages_) p->hide();
    trend_->hide();
    if (rules_) rules_->hide();
    results_->show();
    backtest_->show();
    backtest_->raise();
    strip_->raise();
    strip_->trendTab()->raise();
}

void WindowPages::showTrendPage() {
    strip_->selectTrend();
    for (QWidget* p : pages_) p->hide();
    backtest_->hide();
    if (rules_) rules_->hide();
    results_->hide();
    trend_->show();
    trend_->raise();
    strip_->raise();
    strip_->trendTab()->raise();
}

void WindowPages::showRulesPage() {
    strip_->selectRules();
    for (QWidget* p : pages_) p->hide();
    backtest_->hide();
    trend_->hide();
    results_->hide();
    rules_->show();
    rules_->raise();
    strip_->raise();
    strip_->trendTab()->raise();
}

}  // namespace numsift
