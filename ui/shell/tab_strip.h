#pragma once
// fraButton: the twelve tab buttons cmdTab(0)..cmdTab(11), after "大底号码"
// the tab "历史验证" of the backtest page, and "规则杀号" of the rules page
// in the free place between "组合定位杀" and "杀012路". The tab "走势图" of the
// trend page follows just outside the strip, which keeps its design width:
// it stands on the strip's parent, where the window places it. A click selects
// exactly the clicked tab (reset all, then toggle it in green) and asks the
// window to switch pages.

#include <QFrame>

#include <array>

namespace numsift {

class SelectButton;

class TabStrip : public QFrame {
    Q_OBJECT
public:
    static constexpr int kTabCount = 12;  // cmdTab(0)..cmdTab(11)

    explicit TabStrip(QWidget* parent = nullptr);

    SelectButton* tab(int index) const { return tabs_[index]; }
    SelectButton* backtestTab() const { return backtestTab_; }
    SelectButton* trendTab() const { return trendTab_; }
    SelectButton* rulesTab() const { return rulesTab_; }
    // The selection reset of every tab, then the toggle of index (green);
    // an index outside 0..11 leaves every tab unselected.
    void select(int index);
    // The same for the tab "历史验证".
    void selectBacktest();
    void selectTrend();
    void selectRules();
    // The selected one of the twelve tabs; -1 when none is.
    int selected() const;

signals:
    void tabClicked(int index);
    void backtestTabClicked();
    void trendTabClicked();
    void rulesTabClicked();

private:
    void resetAll();

    std::array<SelectButton*, kTabCount> tabs_{};
    SelectButton* backtestTab_ = nullptr;
    SelectButton* trendTab_ = nullptr;
    SelectButton* rulesTab_ = nullptr;
};

}  // namespace numsift
