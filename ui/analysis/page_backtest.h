#pragma once
// The page "历史验证": past draws typed, pasted or imported on the left, the
// backtest of the current conditions over them on the right (a summary, one
// row per draw, one row per condition), and the diagnosis of one number
// ("号码诊断") below the draws. It reads the condition panel, the base set
// and the tolerance through PanelAccess and changes none of them.

#include <QFrame>

#include <functional>
#include <memory>

#include "analysis/backtest.h"
#include "analysis/draw_history.h"
#include "analysis/explain.h"
#include "conditions/filter_input.h"
#include "engine/number_list.h"
#include "engine/tolerance.h"
#include "platform/platform.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableWidget;
class QTimer;

namespace numsift {

class CopyTableView;
class DrawTableModel;
class ColumnTableModel;

// What the page reads of the window, at the moment it is asked.
struct PanelAccess {
    std::function<bool()> commitFocus;  // validate the focused entry; false keeps it
    std::function<FilterInput()> filterInput;
    std::function<NumberSet()> base;       // empty: all 100,000 numbers
    std::function<Tolerance()> tolerance;  // as the run would read the boxes
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

    // cmdDraws(0) "清空", cmdDraws(1) "导入", cmdDraws(2) "开始验证".
    void clearDraws();
    bool importDraws();
    bool runBacktest();
    // cmdExplain "诊断" on the text of txtExplain.
    bool explainNumber();
    void explainNumber(std::uint32_t value);
    // cmdCopyBacktest(0): the draw table and the summary; (1): the condition
    // table; cmdCopyExplain: the diagnosis.
    bool copyDrawTable();
    bool copyColumnTable();
    bool copyExplanation();

    const BacktestReport* report() const { return report_.get(); }
    const Explanation* explanation() const { return explanation_.get(); }

    QPlainTextEdit* drawsBox() const { return txtDraws_; }
    QLabel* drawsNote() const { return lblDrawsNote_; }
    QLabel* summaryLabel() const { return lblBacktest_; }
    CopyTableView* drawTable() const { return tblDraws_; }
    CopyTableView* columnTable() const { return tblColumns_; }
    QLineEdit* explainBox() const { return txtExplain_; }
    QLabel* explainLabel() const { return lblExplain_; }
    QTableWidget* explainTable() const { return tblExplain_; }

private:
    void showMessage(const std::string& text, MessageIcon icon, const char* title = nullptr);
    bool copyText(const std::string& text);
    void updateDrawCount();
    void showDrawCount(const DrawHistory& history);
    void drawRowActivated(const QModelIndex& proxyIndex);

    PanelAccess access_;
    PageServices services_;
    std::shared_ptr<const BacktestReport> report_;
    std::unique_ptr<Explanation> explanation_;

    QPlainTextEdit* txtDraws_ = nullptr;
    QLabel* lblDrawsNote_ = nullptr;
    QPushButton* cmdDraws_[3] = {};
    QLabel* lblBacktest_ = nullptr;
    CopyTableView* tblDraws_ = nullptr;
    CopyTableView* tblColumns_ = nullptr;
    DrawTableModel* drawModel_ = nullptr;
    ColumnTableModel* columnModel_ = nullptr;
    QSortFilterProxyModel* drawProxy_ = nullptr;
    QSortFilterProxyModel* columnProxy_ = nullptr;
    QLineEdit* txtExplain_ = nullptr;
    QLabel* lblExplain_ = nullptr;
    QTableWidget* tblExplain_ = nullptr;
    QTimer* countTimer_ = nullptr;
};

}  // namespace numsift
