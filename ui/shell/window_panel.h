#pragma once
// The window's Panel: the condition panel, the number sets and the result
// area behind the one interface pages and dialogs are given, and the
// actions of the five cmdFilter buttons that work on all three ("开始缩水",
// "清空所有条件" …).

#include <QObject>

#include <memory>

#include "ui/kit/panel.h"

class QWidget;

namespace numsift {

class ConditionPanel;
class NumberSetStore;
class PageBase;
class PanelRounds;
class ResultArea;
class TextEditorOpener;

class WindowPanel : public QObject, public Panel {
    Q_OBJECT
public:
    // window: every text box below it is checked before an action reads the
    // panel; the dialogs open over it.
    WindowPanel(QWidget* window, ConditionPanel& conditions, PanelRounds& rounds, NumberSetStore& store,
                PageBase& base, ResultArea& results, TextEditorOpener& editor, QObject* parent = nullptr);
    ~WindowPanel() override;

    // Panel
    bool commitEntries() override;
    Scheme scheme() const override;
    void applyScheme(const Scheme& scheme, const char* action) override;
    void beginStep(const char* action) override;
    void endStep() override;
    Scheme runScheme() const override;
    void setRules(std::vector<KillRule> rules, const char* action) override;
    const NumberSet& base() const override;
    const std::vector<std::uint32_t>& results() const override;
    const RunResult* lastRun() const override { return lastRun_.get(); }
    void showResult(std::vector<std::uint32_t> numbers, std::vector<std::uint16_t> keptBy = {}) override;
    std::vector<std::uint16_t> resultKeptBy() const override;

    // cmdFilter(index): 0 "开始缩水", 1 "转为组选", 2 "清空所有条件", 3 "复制全部号码",
    // 4 "导出全部号码"; every one but clearing first applies the edited box.
    void filterClicked(int index);
    void startRun();
    // Clears every condition, the groups and the base set, as one step undo
    // gives back.
    void clearAllConditions();
    // "分组": the group editor (modal); true when its groups were taken.
    bool editToleranceGroups();

private:
    QWidget* window_;
    ConditionPanel& conditions_;
    PanelRounds& rounds_;
    NumberSetStore& store_;
    PageBase& base_;
    ResultArea& results_;
    TextEditorOpener& editor_;
    std::unique_ptr<RunResult> lastRun_;
    // The last stacked result sent to the result area, with its counts.
    std::vector<std::uint32_t> stacked_;
    std::vector<std::uint16_t> keptBy_;
};

}  // namespace numsift
