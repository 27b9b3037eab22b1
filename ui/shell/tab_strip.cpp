#include "ui/shell/tab_strip.h"

#include "controls/select_button.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

struct TabDesign {
    const char* caption;
    int left;   // twips within the strip
    int width;  // twips
};

// By index; the row reads 1, 4..11, 2, 3, 0 from left to right.
constexpr TabDesign kTabs[TabStrip::kTabCount] = {
    {"大底号码", 12270, 945},   {"杀直选号码", 30, 1095}, {"杀012路", 10500, 855}, {"交集功能", 11340, 945},
    {"杀垃圾复式", 1110, 1095}, {"杀两码", 2190, 945},    {"杀三码", 3120, 945},   {"杀四码", 4050, 945},
    {"必出两码", 4980, 945},    {"必出三码", 5910, 945},  {"必出四码", 6840, 945}, {"组合定位杀", 7770, 1095},
};
// After "大底号码", which ends at 13215.
constexpr TabDesign kBacktestTab = {"历史验证", 13200, 945};
// Placed by the window (window_layout.h), after "历史验证".
constexpr TabDesign kTrendTab = {"走势图", 14130, 810};
// In the strip's free place from 8865 to 10500, against "杀012路", so that
// "杀直选号码" and the compound tabs stay one block.
constexpr TabDesign kRulesTab = {"规则杀号", 9570, 945};
constexpr int kTabHeight = 375;

SelectButton* makeTab(QWidget* strip, const TabDesign& design, const QString& name) {
    auto* b = new SelectButton(ui::qs(design.caption), strip);
    b->setObjectName(name);
    b->setGeometry(ui::pxRect(design.left, 0, design.width, kTabHeight));
    return b;
}

}  // namespace

TabStrip::TabStrip(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("fraButton"));
    for (int i = 0; i < kTabCount; ++i) {
        tabs_[i] = makeTab(this, kTabs[i], ui::memberName("cmdTab", i));
        connect(tabs_[i], &QPushButton::clicked, this, [this, i] { emit tabClicked(i); });
    }
    backtestTab_ = makeTab(this, kBacktestTab, QStringLiteral("backtestTab"));
    connect(backtestTab_, &QPushButton::clicked, this, &TabStrip::backtestTabClicked);
    rulesTab_ = makeTab(this, kRulesTab, QStringLiteral("rulesTab"));
    connect(rulesTab_, &QPushButton::clicked, this, &TabStrip::rulesTabClicked);
    trendTab_ = makeTab(parentWidget() ? parentWidget() : this, kTrendTab, QStringLiteral("trendTab"));
    connect(trendTab_, &QPushButton::clicked, this, &TabStrip::trendTabClicked);
}

void TabStrip::resetAll() {
    for (SelectButton* b : tabs_) b->resetSelection();
    backtestTab_->resetSelection();
    trendTab_->resetSelection();
    rulesTab_->resetSelection();
}

void TabStrip::select(int index) {
    resetAll();
    if (index >= 0 && index < kTabCount) tabs_[index]->toggleSelection(false);
}

void TabStrip::selectBacktest() {
    resetAll();
    backtestTab_->toggleSelection(false);
}

void TabStrip::selectTrend() {
    resetAll();
    trendTab_->toggleSelection(false);
}

void TabStrip::selectRules() {
    resetAll();
    rulesTab_->toggleSelection(false);
}

int TabStrip::selected() const {
    for (int i = 0; i < kTabCount; ++i)
        if (tabs_[i]->isSelected()) return i;
    return -1;
}

}  // namespace numsift
