#pragma once
// "结果统计": how many numbers of the current result (or of a list pasted into
// the dialog) have each condition item, with their share, in a sortable
// table whose rows copy as tab-separated lines.

#include <QDialog>

#include <cstdint>
#include <vector>

#include "analysis/set_stats.h"
#include "platform/platform.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;

namespace numsift {

class CopyTableView;

class SetStatsDialog : public QDialog {
    Q_OBJECT
public:
    // result: the window's current result, counted when the box is empty.
    SetStatsDialog(std::vector<std::uint32_t> result, Clipboard& clipboard, MessageSink& messages,
                   QWidget* parent = nullptr);

    // "统计": the numbers in the box, or the result when the box is empty;
    // false (and a message) for a box without a five-digit number.
    bool count();
    // "复制全部": every item in the table's present order, with its header.
    bool copyAll();

    const SetItemCounts& counts() const { return counts_; }
    QPlainTextEdit* numbersBox() const { return numbers_; }
    QLabel* summaryLabel() const { return summary_; }
    CopyTableView* table() const { return table_; }
    QSortFilterProxyModel* sortedModel() const { return proxy_; }

private:
    void display(const std::vector<std::uint32_t>& values, const QString& what);

    std::vector<std::uint32_t> result_;
    Clipboard& clipboard_;
    MessageSink& messages_;
    SetItemCounts counts_;

    QPlainTextEdit* numbers_ = nullptr;
    QLabel* summary_ = nullptr;
    QStandardItemModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    CopyTableView* table_ = nullptr;
};

}  // namespace numsift
