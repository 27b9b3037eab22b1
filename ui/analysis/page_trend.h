#pragma once
// The page "走势图": the trend chart of the kept draw history and, above it,
// the window the chart's summary rows and the omission figures on the
// condition controls count over ("全部", "近30期", "近50期", "近100期" or a
// number of the newest draws).

#include <QFrame>

class QComboBox;
class QLabel;
class QSpinBox;

namespace numsift {

class KeptHistory;
class TrendChart;

class PageTrend : public QFrame {
    Q_OBJECT
public:
    PageTrend(KeptHistory* history, QWidget* parent = nullptr);

    TrendChart* chart() const { return chart_; }
    QComboBox* windowChoice() const { return windowChoice_; }
    QSpinBox* windowCount() const { return windowCount_; }
    QLabel* note() const { return note_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void windowChosen();
    void showHistory();

    KeptHistory* history_;
    QComboBox* windowChoice_ = nullptr;  // 全部, 近30期, 近50期, 近100期, 自定
    QSpinBox* windowCount_ = nullptr;    // the draws of 自定
    QLabel* note_ = nullptr;
    TrendChart* chart_ = nullptr;
};

}  // namespace numsift
