#include "ui/kit/copy_table_view.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QKeySequence>

#include <algorithm>
#include <map>
#include <vector>

namespace numsift {

CopyTableView::CopyTableView(QWidget* parent) : QTableView(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSortingEnabled(true);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
}

std::string CopyTableView::selectionText() const {
    if (!model() || !selectionModel()) return {};
    // Visual row -> visual columns, so the text reads as the table is shown.
    std::map<int, std::vector<int>> cells;
    for (const QModelIndex& i : selectionModel()->selectedIndexes())
        cells[verticalHeader()->visualIndex(i.row())].push_back(horizontalHeader()->visualIndex(i.column()));
    std::string out;
    for (auto& [visualRow, visualColumns] : cells) {
        std::sort(visualColumns.begin(), visualColumns.end());
        const int row = verticalHeader()->logicalIndex(visualRow);
        for (std::size_t k = 0; k < visualColumns.size(); ++k) {
            if (k) out += '\t';
            const int col = horizontalHeader()->logicalIndex(visualColumns[k]);
            out += model()->index(row, col).data(Qt::DisplayRole).toString().toStdString();
        }
        out += "\r\n";
    }
    return out;
}

void CopyTableView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        const std::string text = selectionText();
        if (sink_ && !text.empty()) sink_(text);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace numsift
