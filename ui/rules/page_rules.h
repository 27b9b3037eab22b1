#pragma once
// The page "规则杀号": every built-in kill rule and the player's own
// formulas, each judged over the history's range as it would have been
// played — each draw on the kills made from the draws before it alone —
// beside the exact chance of the same kills, with a plain verdict; a chart
// of the chosen rule's rolling hit rate against its chance line; and the
// rules the panel uses for the next draw ("用于本期", "移出本期"), whose
// kills show on page 1 as set by a rule.
//
// The figures and the chart are computed off the window's thread
// (ui/kit/background_work.h) from copies of the draws, with progress and
// "取消"; a change of the range, the history or the list computes them
// again and drops what was being computed for the old ones. They are
// computed while the page is shown, and when it is shown again after a
// change.

#include <QFrame>

#include <memory>
#include <vector>

#include "conditions/kill_rules.h"
#include "ui/analysis/page_services.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableWidget;

namespace numsift {

class BackgroundWork;
class CopyTableView;
class KeptHistory;
class OwnRulesFile;
class Panel;
class RangeSelector;
class RuleTableModel;
class SeriesChart;

class PageRules : public QFrame {
    Q_OBJECT
public:
    // QFrame has a Panel of its own (a frame shape): the interface is named in full.
    PageRules(numsift::Panel& panel, KeptHistory* history, PageServices services, QWidget* parent = nullptr);
    ~PageRules() override;

    // Keeps the player's own formulas in the file at path from now on (and
    // lists those it holds); returns what the player must be told, empty
    // when nothing. An empty path keeps them until the window closes.
    QString keepOwnRulesIn(const QString& path);
    const std::vector<KillRule>& ownRules() const { return ownRules_; }

    // The panel's rules changed: the list below and the table's 本期 follow.
    void showPanelRules();

    // "用于本期": the chosen rule joins the panel's rules (one undo step).
    bool useChosenRule();
    // "移出本期": the rule chosen in the panel's list leaves it.
    bool removeChosenPanelRule();
    // "添加公式": the formula typed, for the family chosen, joins the
    // player's own rules once it reads; else a message says what is wrong.
    bool addOwnFormula();
    // "删除自编": the chosen own rule, once the player says yes.
    bool removeChosenOwnRule();
    // "复制规则表": the table as shown, tab-separated.
    bool copyTable();
    // Chooses the table's row of a rule (by its place in the list) and shows its chart.
    void chooseRule(int row);
    // The rule whose chart shows; -1 when none.
    int chosenRule() const;

    // "取消" while computing; "重新计算" once stopped.
    void computeOrCancel();
    bool computing() const;

    RuleTableModel* model() const { return model_; }
    CopyTableView* table() const { return table_; }
    QSortFilterProxyModel* proxy() const { return proxy_; }
    SeriesChart* chart() const { return chart_; }
    QTableWidget* panelRulesTable() const { return panelRules_; }
    QLabel* status() const { return status_; }
    QProgressBar* progress() const { return progress_; }
    QComboBox* ownFamily() const { return family_; }
    QLineEdit* ownFormula() const { return formula_; }
    QComboBox* rollingWidth() const { return rolling_; }
    BackgroundWork* figuresWork() const { return figuresWork_; }
    BackgroundWork* seriesWork() const { return seriesWork_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    // The rows: the library, then the player's own rules.
    void listRules();
    // The history or its range changed.
    void historyChanged();
    void computeFigures();
    void computeSeries();
    void showProgress(int permille);
    void jobStopped();
    std::vector<KillRule> panelRules() const;

    numsift::Panel& panel_;
    KeptHistory* history_;
    PageServices services_;
    std::vector<KillRule> ownRules_;
    std::unique_ptr<OwnRulesFile> ownFile_;
    bool stale_ = true;  // the figures are not those of the rows and range now

    RangeSelector* range_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* compute_ = nullptr;
    RuleTableModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    CopyTableView* table_ = nullptr;
    QComboBox* family_ = nullptr;
    QLineEdit* formula_ = nullptr;
    QTableWidget* panelRules_ = nullptr;
    QLabel* chartTitle_ = nullptr;
    QComboBox* rolling_ = nullptr;
    SeriesChart* chart_ = nullptr;
    BackgroundWork* figuresWork_ = nullptr;
    BackgroundWork* seriesWork_ = nullptr;
};

}  // namespace numsift
