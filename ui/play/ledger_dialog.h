#pragma once
// "投注记录": every record of the play record scored against the kept draw
// history (期号, 记录时间, 注数, 倍数, 投入, the drawn number or 待开奖, 中奖,
// 奖金), the running totals with the return rate beside the chance return,
// and the cumulative balance against the chance line. It follows the
// records as they change: a draw that arrives scores its record at once. A
// record file that was altered is said above the table, in red.

#include <QDialog>

#include "ui/analysis/page_services.h"

class QLabel;

namespace numsift {

class BalanceChart;
class CopyTableView;
class LedgerModel;
class PlayRecords;

class LedgerDialog : public QDialog {
    Q_OBJECT
public:
    LedgerDialog(PlayRecords& records, PageServices services, QWidget* parent = nullptr);

    // Shows the records, their scores and the file's problem as they stand.
    void refresh();
    // "复制": the ledger as tab-separated lines, then the totals.
    bool copyLedger();

    QLabel* problemLabel() const { return problem_; }
    QLabel* totalsLabel() const { return totals_; }
    CopyTableView* table() const { return table_; }
    BalanceChart* chart() const { return chart_; }

private:
    PlayRecords& records_;
    PageServices services_;

    QLabel* problem_ = nullptr;
    QLabel* totals_ = nullptr;
    CopyTableView* table_ = nullptr;
    BalanceChart* chart_ = nullptr;
    LedgerModel* model_ = nullptr;
};

}  // namespace numsift
