#pragma once
// The page "走势图": the trend chart of the kept draw history, and above it
// the selector of the history's range (which the chart's rows and summary
// and the omission figures on the controls count over), "转到期号", "复制统计",
// the result count and "开始缩水", so that the player sees what his clicks
// on the chart did without leaving it. A click on the chart ticks or
// unticks a kill of the panel; several at once are one change of the panel.

#include <QFrame>

#include "conditions/filter_input.h"
#include "ui/analysis/page_services.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace numsift {

class KeptHistory;
class Panel;
class RangeSelector;
class TrendChart;
struct ItemId;

class PageTrend : public QFrame {
    Q_OBJECT
public:
    // QFrame has a Panel of its own (a frame shape): the interface is named in full.
    PageTrend(KeptHistory* history, numsift::Panel& panel, PageServices services, QWidget* parent = nullptr);

    TrendChart* chart() const { return chart_; }
    RangeSelector* range() const { return range_; }
    QComboBox* windowChoice() const;
    QSpinBox* windowCount() const;
    QLabel* note() const { return note_; }
    QLabel* resultCount() const { return count_; }
    QPushButton* runButton() const { return run_; }
    QLineEdit* goToBox() const { return goTo_; }

    // The panel changed: the chart's ticks are read again when it paints.
    void panelChanged();
    // Shows the result area's count (after a run, or when the page shows).
    void showResultCount();
    // Ticks or unticks the kills of items as one change of the panel.
    void setKills(const std::vector<ItemId>& items, bool tick);
    // Copies the summary to the clipboard.
    void copySummary();
    // Keeps the page inside what viewport shows of the window (a screen
    // smaller than the window): the chart's summary rows and scroll bar
    // stay in sight.
    void followViewport(QWidget* viewport);

signals:
    // "开始缩水" on this page.
    void runRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showHistory();
    void showRange();
    void goToIssue();
    bool ticked(ItemId item);

    KeptHistory* history_;
    numsift::Panel& panel_;
    PageServices services_;
    RangeSelector* range_ = nullptr;
    QLineEdit* goTo_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* run_ = nullptr;
    QLabel* note_ = nullptr;
    TrendChart* chart_ = nullptr;
    FilterInput ticks_;  // the panel as last read, for the chart's header
    bool ticksStale_ = true;
    QWidget* viewport_ = nullptr;
    int designHeight_ = 0;
};

}  // namespace numsift
