#pragma once
// The page "历史验证": past draws typed, pasted or imported on the left, the
// backtest of the current conditions over them on the right (a summary, one
// row per draw, one row per condition), and the diagnosis of one number
// ("号码诊断") below the draws. It reads the condition panel, the base set
// and the tolerance through PanelAccess and changes none of them.

#include <QFrame>

#include <functional>
#include <memory>
#include <vector>

#include "analysis/backtest.h"
#include "analysis/draw_history.h"
#include "analysis/explain.h"
#include "analysis/what_if.h"
#include "conditions/filter_input.h"
#include "engine/number_list.h"
#include "engine/tolerance.h"
#include "engine/tolerance_groups.h"
#include "platform/platform.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableWidget;
class QTimer;

namespace numsift {

class CopyTableView;
class DrawTableModel;
class KeptHistory;
class ColumnTableModel;

// What the page reads of the window, at the moment it is asked.
struct PanelAccess {
    std::function<bool()> commitFocus;  // validate the focused entry; false keeps it
    std::function<FilterInput()> filterInput;
    std::function<NumberSet()> base;                      // empty: all 100,000 numbers
    std::function<Tolerance()> tolerance;                 // as the run would read the boxes
    std::function<std::vector<ToleranceGroup>()> groups;  // grouped tolerance; unset or empty: none
};

struct PageServices {
    MessageSink* messages = nullptr;
    Clipboard* clipboard = nullptr;
    FileDialogs* files = nullptr;
};

class PageBacktest : public QFrame {
    Q_OBJECT
public:
    PageBacktest(PanelAccess access, PageServices services, QWidget* parent = nullptr);
    ~PageBacktest() override;

    // The buttons under the draws: "清空", "导入", "开始验证".
    void clearDraws();
    bool importDraws();
    bool runBacktest();
    // "诊断" on the number in the diagnosis box.
    bool explainNumber();
    void explainNumber(std::uint32_t value);
    // "复制开奖表": the draw table and the summary; "复制条件表": the condition
    // table; "复制" under the diagnosis: the diagnosis.
    bool copyDrawTable();
    bool copyColumnTable();
    bool copyExplanation();

    // Imported and pasted draws with issues are merged into history from
    // now on, and the box shows the kept draws where it is empty or showed
    // them before.
    void keepDrawsIn(KeptHistory* history);
    // Merges the draws of a text into the kept history, as a paste does;
    // true when the box now shows the kept draws (every draw had an issue
    // and the box showed the kept draws before).
    bool mergePasted(const QString& text);

    const BacktestReport* report() const { return report_.get(); }
    // The what-if figures of the last backtest ("假如表").
    const WhatIf* whatIf() const { return whatIf_.get(); }
    CopyTableView* whatIfTable() const { return whatIfTable_; }
    // Shows the what-if table in the place of the condition table, or back.
    void showWhatIf(bool shown);
    const Explanation* explanation() const { return explanation_.get(); }

    QPlainTextEdit* drawsBox() const { return drawsBox_; }
    QLabel* drawsNote() const { return drawsNote_; }
    QLabel* summaryLabel() const { return summaryLabel_; }
    CopyTableView* drawTable() const { return drawTable_; }
    CopyTableView* columnTable() const { return columnTable_; }
    QLineEdit* explainBox() const { return explainBox_; }
    QLabel* explainLabel() const { return explainLabel_; }
    QTableWidget* explainTable() const { return explainTable_; }

private:
    void showMessage(const std::string& text, MessageIcon icon, const char* title = nullptr);
    bool copyText(const std::string& text);
    void updateDrawCount();
    void showDrawCount(const DrawHistory& history);
    void drawRowActivated(const QModelIndex& proxyIndex);
    void showKeptDraws();
    // Merges parsed draws into the kept history and says what the player
    // must know (conflicts, draws without an issue, a failed save).
    void mergeIntoHistory(const DrawHistory& parsed);
    void fillWhatIf(const RunResult& run);

    PanelAccess access_;
    PageServices services_;
    std::shared_ptr<const BacktestReport> report_;
    std::unique_ptr<Explanation> explanation_;
    std::unique_ptr<WhatIf> whatIf_;

    QPlainTextEdit* drawsBox_ = nullptr;
    QLabel* drawsNote_ = nullptr;
    QPushButton* drawsButtons_[3] = {};  // "清空", "导入", "开始验证"
    QLabel* summaryLabel_ = nullptr;
    CopyTableView* drawTable_ = nullptr;
    CopyTableView* columnTable_ = nullptr;
    DrawTableModel* drawModel_ = nullptr;
    ColumnTableModel* columnModel_ = nullptr;
    QSortFilterProxyModel* drawProxy_ = nullptr;
    QSortFilterProxyModel* columnProxy_ = nullptr;
    QLineEdit* explainBox_ = nullptr;
    QLabel* explainLabel_ = nullptr;
    QTableWidget* explainTable_ = nullptr;
    QTimer* countTimer_ = nullptr;
    KeptHistory* history_ = nullptr;
    bool showsKept_ = false;  // the box holds the kept draws as they were shown
    bool settingBox_ = false;
    bool merging_ = false;  // the page's own merge: it shows the outcome itself
    CopyTableView* whatIfTable_ = nullptr;
    QStandardItemModel* whatIfModel_ = nullptr;
    QPushButton* whatIfButton_ = nullptr;
};

}  // namespace numsift
