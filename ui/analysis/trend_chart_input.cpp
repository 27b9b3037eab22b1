// The trend chart as an input: clicks, drags and shift-clicks on the header,
// clicks on the summary, and the summary labels' menu.

#include <QInputDialog>
#include <QMenu>
#include <QMouseEvent>

#include <utility>

#include "ui/analysis/trend_chart.h"

namespace numsift {

void TrendChart::mousePressEvent(QMouseEvent* event) {
    pressedCell_ = -1;
    pressedItem_ = ItemId{ItemFamily::Position, -1};
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    if (inSummaryLabels(pos)) return;  // the menu opens on the release
    pressedItem_ = clickableAt(pos, &pressedCell_);
}

void TrendChart::mouseReleaseEvent(QMouseEvent* event) {
    const int pressedCell = std::exchange(pressedCell_, -1);
    const ItemId pressed = std::exchange(pressedItem_, ItemId{ItemFamily::Position, -1});
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    if (inSummaryLabels(pos)) {
        showLabelMenu(pos);
        return;
    }
    if (flatIndex(pressed) < 0) return;
    int cell = -1;
    const ItemId released = clickableAt(pos, &cell);
    const bool header = inHeaderCaptions(pos);
    // A drag across header captions, or a shift-click after a click on one:
    // every cell between, set as the first one becomes.
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    int from = -1;
    if (header && cell >= 0 && pressedCell >= 0 && cell != pressedCell)
        from = pressedCell;
    else if (header && shift && cell >= 0 && anchorCell_ >= 0 && cell == pressedCell && cell != anchorCell_)
        from = anchorCell_;
    if (from >= 0) {
        const bool tick = from == anchorCell_ && shift ? ticked_ && ticked_(trendCellItem(from))
                                                       : !(ticked_ && ticked_(trendCellItem(from)));
        std::vector<ItemId> items;
        for (int c = std::min(from, cell); c <= std::max(from, cell); ++c) items.push_back(trendCellItem(c));
        anchorCell_ = cell;
        emit cellsChosen(std::move(items), tick);
        return;
    }
    // A click is a press and a release on the same item.
    if (released == pressed && flatIndex(released) >= 0) {
        if (header && cell >= 0) anchorCell_ = cell;
        emit cellClicked(released);
    }
}

void TrendChart::showLabelMenu(QPoint at) {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("summaryLabelMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const bool overdue : {true, false}) {
        QMenu* sub = menu->addMenu(overdue ? QStringLiteral("当前遗漏 ≥ n 的全部勾选")
                                           : QStringLiteral("出现次数最少的 k 个"));
        sub->setObjectName(overdue ? QStringLiteral("overdueMenu") : QStringLiteral("rarestMenu"));
        for (int b = 0; b < kTrendAllBlocks; ++b) {
            QAction* a = sub->addAction(QString::fromUtf8(trendBlockTitle(b)));
            a->setObjectName(QStringLiteral("%1Block%2")
                                 .arg(overdue ? QStringLiteral("overdue") : QStringLiteral("rarest"))
                                 .arg(b));
            connect(a, &QAction::triggered, this, [this, b, overdue] { askAndChoose(b, overdue); });
        }
    }
    menu->popup(viewport()->mapToGlobal(at));
}

void TrendChart::askAndChoose(int block, bool overdue) {
    auto* ask = new QInputDialog(this);
    ask->setObjectName(QStringLiteral("chooseCellsDialog"));
    ask->setAttribute(Qt::WA_DeleteOnClose);
    ask->setInputMode(QInputDialog::IntInput);
    ask->setWindowTitle(QString::fromUtf8(trendBlockTitle(block)));
    const int size = kTrendBlockSizes[static_cast<std::size_t>(block)];
    if (overdue) {
        ask->setLabelText(QStringLiteral("勾选%1里当前遗漏不少于 n 期的全部：n =")
                              .arg(QString::fromUtf8(trendBlockTitle(block))));
        ask->setIntRange(0, 1000000);
        ask->setIntValue(10);
    } else {
        ask->setLabelText(QStringLiteral("勾选%1里出现次数最少的 k 个：k =")
                              .arg(QString::fromUtf8(trendBlockTitle(block))));
        ask->setIntRange(1, size);
        ask->setIntValue(1);
    }
    ask->setOkButtonText(QStringLiteral("勾选"));
    ask->setCancelButtonText(QStringLiteral("取消"));
    connect(ask, &QInputDialog::intValueSelected, this, [this, block, overdue](int n) {
        std::vector<ItemId> items = overdue ? overdueCells(block, n) : rarestCells(block, n);
        if (!items.empty()) emit cellsChosen(std::move(items), true);
    });
    ask->open();
}

}  // namespace numsift
