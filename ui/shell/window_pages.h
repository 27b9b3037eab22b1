#pragma once
// Which page shows. The five pages fraTab(0..4) share one place under the
// tab strip (page 3 is larger and covers the result area); "历史验证" comes
// to the front where they stand, "走势图" and "规则杀号" where page 3 stands.
// The tab strip shows which, and the result area hides while page 3, the
// trend or the rules cover it.

#include <QObject>

#include <array>

class QWidget;

namespace numsift {

class PageCompound;
class PageRules;
class ResultArea;
class TabStrip;

class WindowPages : public QObject {
    Q_OBJECT
public:
    static constexpr int kPageCount = 5;

    WindowPages(TabStrip* strip, ResultArea* results, QObject* parent = nullptr);

    // Puts page fraTab(index) in its design place (0 base set, 1 conditions,
    // 2 roads, 3 two-set combination, 4 compound boxes).
    void place(QWidget* page, int index);
    // The pages that come to the front in the pages' place, and in page 3's.
    void placeAnalysis(QWidget* backtest, QWidget* trend);
    // The rules page, in page 3's place.
    void placeRules(PageRules* rules);
    PageRules* rulesPage() const { return rules_; }
    QWidget* page(int index) const { return pages_[static_cast<std::size_t>(index)]; }

    void selectTab(int index);  // cmdTab_Click; tabs 4 to 11 are page 4's compose modes
    void showBacktestPage();
    void showTrendPage();
    void showRulesPage();
    int composeMode() const { return composeMode_; }
    int currentTab() const { return currentTab_; }

private:
    void bringToFront(int pageIndex);

    TabStrip* strip_;
    ResultArea* results_;
    std::array<QWidget*, kPageCount> pages_{};
    QWidget* backtest_ = nullptr;
    QWidget* trend_ = nullptr;
    PageRules* rules_ = nullptr;
    int composeMode_ = 0;
    int currentTab_ = 1;
};

}  // namespace numsift
