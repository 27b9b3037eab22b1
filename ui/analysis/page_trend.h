#pragma once
// The page "走势图": the trend chart of the kept draw history and, above it,
// the selector of the history's range, which the chart's rows and summary
// and the omission figures on the condition controls count over.

#include <QFrame>

class QComboBox;
class QLabel;
class QSpinBox;

namespace numsift {

class KeptHistory;
class RangeSelector;
class TrendChart;

class PageTrend : public QFrame {
    Q_OBJECT
public:
    PageTrend(KeptHistory* history, QWidget* parent = nullptr);

    TrendChart* chart() const { return chart_; }
    RangeSelector* range() const { return range_; }
    QComboBox* windowChoice() const;
    QSpinBox* windowCount() const;
    QLabel* note() const { return note_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showHistory();

    KeptHistory* history_;
    RangeSelector* range_ = nullptr;
    QLabel* note_ = nullptr;
    TrendChart* chart_ = nullptr;
};

}  // namespace numsift
