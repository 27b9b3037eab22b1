#pragma once
// The trend chart ("走势图"): one row per draw, newest at the bottom — its
// issue and number, then eight blocks of ten cells (万位…个位, 通杀码, 和尾,
// 跨度) where a cell the draw has shows its digit in colour and every other
// cell its running omission, then the draw's sum, span, AC value, patterns,
// road and shapes. Two header rows stand above the rows and five summary
// rows (出现次数, 平均遗漏, 最大遗漏, 当前遗漏, 最大连出) below them; the
// issue and number columns stay at the left while the rest scrolls across.
//
// The chart is an input too: clicking a cell's header digit or one of its
// summary figures asks (cellClicked) for the kill of that cell's item to be
// ticked or unticked; a header cell whose kill is ticked is filled red.
//
// It paints only the rows in view from the table built once per change of
// the draws (analysis/trend_table.h), and a scroll moves what is already
// painted and paints only the rows or columns that came into view.

#include <QAbstractScrollArea>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "analysis/omission_stats.h"
#include "analysis/trend_table.h"

namespace numsift {

class TrendChart : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kSummaryRows = 5;  // 出现次数, 平均遗漏, 最大遗漏, 当前遗漏, 最大连出

    explicit TrendChart(QWidget* parent = nullptr);

    // The draws (issues and their table, oldest first) and the figures of
    // the summary rows; scrolls to the newest draw.
    void setDraws(std::vector<std::string> issues, TrendTable table, const OmissionStats& stats);
    std::size_t rowCount() const { return table_.rowCount(); }

    // Whether the kill of an item is ticked (asked when the header paints).
    void setTickedCheck(std::function<bool(ItemId)> ticked);
    // The kills changed: repaints the header.
    void ticksChanged();

    // Where a cell's header digit and its summary figures stand in the
    // viewport (scrolled across into view first); for clicks and tests.
    QRect headerCellRect(int cell);
    QRect summaryCellRect(int summaryRow, int cell);
    // The tooltip of a point of the viewport: which kill a click toggles.
    QString toolTipAt(QPoint pos) const;

    // Body rows painted since the last reset: a scroll repaints few.
    int rowsPainted() const { return rowsPainted_; }
    void resetRowsPainted() { rowsPainted_ = 0; }

    QSize sizeHint() const override;

signals:
    // The header digit or a summary figure of a cell was clicked.
    void cellClicked(ItemId item);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // A column that scrolls across: a digit cell, or one of the draw's figures.
    int contentWidth() const;
    int bodyTop() const;
    int bodyBottom() const;  // first pixel row of the summary
    QRect bodyRect() const;
    int cellLeft(int cell) const;  // in the viewport
    int cellAt(QPoint pos) const;  // the digit cell under pos; -1 when none
    int summaryRowAt(QPoint pos) const;
    bool inHeaderDigits(QPoint pos) const;
    void scrollCellIntoView(int cell);
    void updateScrollBars();
    void scrollToNewest();
    void paintHeader(QPainter& p, const QRect& dirty);
    void paintRows(QPainter& p, const QRect& dirty);
    void paintSummary(QPainter& p, const QRect& dirty);

    std::vector<std::string> issues_;
    TrendTable table_;
    OmissionStats stats_;
    std::function<bool(ItemId)> ticked_;
    int pressedCell_ = -1;
    int rowsPainted_ = 0;
};

}  // namespace numsift
