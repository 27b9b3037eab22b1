#pragma once
// The right of "历史验证": the backtest's summary, one row per draw and one
// row per condition, or in the place of the condition table the what-if
// table ("假如表"): the result size and the share of draws kept at other
// tolerances and with each condition switched off.

#include <QWidget>

#include <cstdint>
#include <memory>

#include "analysis/backtest.h"
#include "analysis/what_if.h"
#include "engine/tolerance_groups.h"
#include "ui/analysis/page_services.h"

class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;

namespace numsift {

class ColumnTableModel;
class CopyTableView;
class DrawTableModel;

class BacktestTables : public QWidget {
    Q_OBJECT
public:
    explicit BacktestTables(PageServices services, QWidget* parent = nullptr);
    ~BacktestTables() override;

    // Shows a backtest of the panel, from the run over its base set with the
    // tolerance named in the summary.
    void showBacktest(const RunResult& run, std::shared_ptr<const BacktestReport> report);

    // "复制开奖表": the draw table and the summary; "复制条件表": the condition table.
    bool copyDrawTable();
    bool copyColumnTable();
    // Shows the what-if table in the place of the condition table, or back.
    void showWhatIf(bool shown);
    // "滚动验证": panel (walk_panel.h) in the draw table's place while its
    // button is down.
    void setWalkPanel(QWidget* panel);
    void showWalk(bool shown);
    QPushButton* walkButton() const { return walkButton_; }

    const BacktestReport* report() const { return report_.get(); }
    const WhatIf* whatIf() const { return whatIf_.get(); }
    QLabel* summaryLabel() const { return summaryLabel_; }
    CopyTableView* drawTable() const { return drawTable_; }
    CopyTableView* columnTable() const { return columnTable_; }
    CopyTableView* whatIfTable() const { return whatIfTable_; }

signals:
    // A row of the draw table was double-clicked: the number drawn.
    void drawActivated(std::uint32_t value);

private:
    void fillWhatIf(const RunResult& run);

    PageServices services_;
    std::shared_ptr<const BacktestReport> report_;
    std::unique_ptr<WhatIf> whatIf_;
    QLabel* summaryLabel_ = nullptr;
    CopyTableView* drawTable_ = nullptr;
    CopyTableView* columnTable_ = nullptr;
    DrawTableModel* drawModel_ = nullptr;
    ColumnTableModel* columnModel_ = nullptr;
    QSortFilterProxyModel* drawProxy_ = nullptr;
    QSortFilterProxyModel* columnProxy_ = nullptr;
    CopyTableView* whatIfTable_ = nullptr;
    QStandardItemModel* whatIfModel_ = nullptr;
    QPushButton* whatIfButton_ = nullptr;
    QPushButton* walkButton_ = nullptr;
    QWidget* walkPanel_ = nullptr;
};

}  // namespace numsift
