#pragma once
// The trend chart ("走势图"): one row per draw of the history's range, newest
// at the bottom — its issue and number, then the blocks of cells (万位…个位,
// 通杀码, 和尾, 跨度, 和值 0–45, AC, 大小比, 奇偶比, 质合比, 形态; ui/analysis/
// trend_columns.h) where a cell the draw has stands in colour and every
// other cell shows its running omission, then the draw's patterns and road
// as text. Two header rows stand above the rows and five summary rows
// (出现次数, 平均遗漏, 最大遗漏, 当前遗漏, 最大连出) below them; under the text
// columns the summary names the five patterns missing longest. The issue
// and number columns stay at the left while the rest scrolls across.
//
// The running omission is counted over the whole history, so a row shows
// the same figures whatever the range, and the newest row's omission is the
// item's 当前遗漏. The 当前遗漏 row and the running omission are tinted by
// how overdue the item is (its omission against its 平均遗漏), as the
// omission figures on the controls are.
//
// The chart is an input too: a click on a cell's header caption or one of
// its summary figures, or on a pattern named below a text column, asks for
// that item's kill to be ticked or unticked (cellClicked); a drag across
// header captions, or a shift-click after a click, asks for every cell
// between (cellsChosen), and a summary row's label offers "当前遗漏 ≥ n 的全部
// 勾选" and "出现次数最少的 k 个" for a block. A header cell whose kill is
// ticked is filled red.
//
// It paints only the rows in view, and a scroll moves what is already
// painted and paints only the rows or columns that came into view. Keys:
// Home/End, PgUp/PgDn and the arrows; Shift+wheel scrolls across.

#include <QAbstractScrollArea>

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/draw_range.h"
#include "analysis/omission_stats.h"
#include "analysis/trend_table.h"
#include "ui/analysis/trend_columns.h"
#include "ui/kit/fitted_text.h"

class QMenu;

namespace numsift {

class TrendChart : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kSummaryRows = 5;  // 出现次数, 平均遗漏, 最大遗漏, 当前遗漏, 最大连出
    static constexpr int kRowHeight = 18;
    // The patterns named under each text column, coldest first.
    static constexpr int kColdestShown = kSummaryRows;

    explicit TrendChart(QWidget* parent = nullptr);

    // The whole history (issues and their table, oldest first); the rows
    // shown and the summary's figures (setRows).
    void setHistory(std::vector<std::string> issues, TrendTable table);
    void setRows(DrawSpan rows, const OmissionStats& stats);
    // Both at once, every row shown.
    void setDraws(std::vector<std::string> issues, TrendTable table, const OmissionStats& stats);
    std::size_t rowCount() const { return rows_.size(); }
    DrawSpan rows() const { return rows_; }

    // Whether the kill of an item is ticked (asked when the header paints).
    void setTickedCheck(std::function<bool(ItemId)> ticked);
    // The kills changed: repaints the header and the text columns' summary.
    void ticksChanged();

    // Where things stand in the viewport (scrolled across into view first);
    // for clicks and tests.
    QRect headerCellRect(int cell);
    QRect summaryCellRect(int summaryRow, int cell);
    QRect summaryLabelRect(int summaryRow) const;
    QRect coldestRect(int textColumn, int place);
    // The tooltip of a point of the viewport: which kill a click toggles.
    QString toolTipAt(QPoint pos) const;

    // The patterns of a text column missing longest, coldest first.
    const std::array<ItemId, kColdestShown>& coldest(int textColumn) const {
        return coldest_[static_cast<std::size_t>(textColumn)];
    }
    // The cells of a block whose 当前遗漏 is at least n; the k cells of a
    // block seen least often (the earlier cell first among equals).
    std::vector<ItemId> overdueCells(int block, int n) const;
    std::vector<ItemId> rarestCells(int block, int k) const;

    // Scrolls the row of an issue to the middle and marks it; false when
    // the rows shown have no such issue.
    bool goToIssue(std::string_view issue);
    int markedRow() const { return markedRow_; }
    // The summary as tab-separated lines (CR LF), a header and one line per cell.
    std::string summaryText() const;

    // Body rows painted since the last reset: a scroll repaints few.
    int rowsPainted() const { return rowsPainted_; }
    void resetRowsPainted() { rowsPainted_ = 0; }

    QSize sizeHint() const override;

signals:
    // The header caption or a summary figure of a cell was clicked.
    void cellClicked(ItemId item);
    // Several items chosen at once, to be ticked (true) or unticked.
    void cellsChosen(std::vector<ItemId> items, bool tick);
    // Ctrl+C in the chart.
    void copyRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    int bodyTop() const { return 2 * kRowHeight; }
    int bodyBottom() const;  // first pixel row of the summary
    QRect bodyRect() const;
    int scrollX() const;
    // Content x of a viewport x, and back.
    int contentX(int x) const { return x - TrendColumns::kFrozenWidth + scrollX(); }
    int viewX(int content) const { return content + TrendColumns::kFrozenWidth - scrollX(); }
    int cellAt(QPoint pos) const;  // the cell under pos; -1 when none
    int textAt(QPoint pos) const;
    int summaryRowAt(QPoint pos) const;
    bool inHeaderCaptions(QPoint pos) const;
    bool inSummaryLabels(QPoint pos) const;
    ItemId clickableAt(QPoint pos, int* cell) const;
    void scrollIntoView(int left, int width);
    void updateScrollBars();
    void scrollToNewest();
    void findColdest();
    void showLabelMenu(QPoint at);
    void askAndChoose(int block, bool overdue);
    void paintHeader(QPainter& p, const QRect& dirty);
    void paintRows(QPainter& p, const QRect& dirty);
    void paintSummary(QPainter& p, const QRect& dirty);
    void paintColdest(QPainter& p, int top);

    TrendColumns columns_;
    std::array<QString, kTrendCellCount> captions_;          // the header's captions
    std::array<std::uint32_t, kTrendCellCount> averages_{};  // 平均遗漏 of each cell, for the tint
    std::vector<std::string> issues_;                        // of the whole history
    TrendTable table_;                                       // of the whole history
    DrawSpan rows_;                                          // the rows shown
    OmissionStats stats_;
    std::array<std::array<ItemId, kColdestShown>, kTrendTextCount> coldest_{};
    std::function<bool(ItemId)> ticked_;
    int pressedCell_ = -1;
    ItemId pressedItem_{ItemFamily::Position, -1};
    int anchorCell_ = -1;  // the last cell clicked in the header, for shift-click
    int markedRow_ = -1;   // the row 转到期号 found, in the rows shown
    bool shownOnce_ = false;
    int rowsPainted_ = 0;
    FittedText fitted_;  // the cells' texts, laid out once
};

}  // namespace numsift
