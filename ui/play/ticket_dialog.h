#pragma once
// "生成复式": the result as positional 复式 tickets (results/tickets.h): every
// number of it on exactly one ticket and nothing else, with their count,
// bets and cost; the tickets copied or exported one a line. "导出单式" writes
// the result as the shop's 单式 file (results/shop_file.h), named for the 期号
// and the multiple, checked before it is written, replaced atomically.

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

#include "results/tickets.h"
#include "ui/analysis/page_services.h"

class QLabel;
class QLineEdit;
class QSpinBox;

namespace numsift {

class CopyTableView;

class TicketDialog : public QDialog {
    Q_OBJECT
public:
    // numbers: the result; issue: the 期号 the shop file is proposed for.
    TicketDialog(std::vector<std::uint32_t> numbers, const std::string& issue, PageServices services,
                 QWidget* parent = nullptr);

    const std::vector<Ticket>& tickets() const { return tickets_; }

    // "复制复式": the tickets one a line.
    bool copyTickets();
    // "导出复式": the same lines to a text file chosen in the file dialog.
    bool exportTickets();
    // "导出单式": the result as the shop file for the 期号 and 倍数 boxes.
    // False after a refusal (said), a cancel or a failed write (said).
    bool exportShopFile();

    QLabel* summaryLabel() const { return summary_; }
    CopyTableView* table() const { return table_; }
    QLineEdit* issueEdit() const { return issue_; }
    QSpinBox* multipleEdit() const { return multiple_; }

private:
    bool write(const QString& path, const std::string& bytes, const std::string& what);

    std::vector<std::uint32_t> numbers_;
    std::vector<Ticket> tickets_;
    PageServices services_;

    QLabel* summary_ = nullptr;
    CopyTableView* table_ = nullptr;
    QLineEdit* issue_ = nullptr;
    QSpinBox* multiple_ = nullptr;
};

}  // namespace numsift
