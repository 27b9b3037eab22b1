#include "ui/analysis/page_trend.h"

#include <QLabel>

#include "ui/analysis/kept_history.h"
#include "ui/analysis/range_selector.h"
#include "ui/analysis/trend_chart.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

constexpr QRect kWindowTitle(8, 6, 60, 22);
constexpr QRect kRange(68, 6, RangeSelector::kWidth, RangeSelector::kHeight);
constexpr QRect kNote(330, 6, 662, 22);
constexpr int kChartTop = 32;

}  // namespace

PageTrend::PageTrend(KeptHistory* history, QWidget* parent) : QFrame(parent), history_(history) {
    setObjectName(QStringLiteral("trendPage"));
    setFrameShape(QFrame::NoFrame);
    ui::placeLabel(this, ui::qs("统计范围"), kWindowTitle, QStringLiteral("windowTitle"));
    range_ = new RangeSelector(history_, this);
    range_->setGeometry(kRange);
    note_ = ui::placeLabel(this, QString(), kNote, QStringLiteral("trendNote"));

    chart_ = new TrendChart(this);

    connect(history_, &KeptHistory::windowChanged, this, &PageTrend::showHistory);
    showHistory();
}

QComboBox* PageTrend::windowChoice() const { return range_->choice(); }

QSpinBox* PageTrend::windowCount() const { return range_->count(); }

void PageTrend::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    chart_->setGeometry(0, kChartTop, width(), height() - kChartTop);
}

void PageTrend::showHistory() {
    const std::span<const std::uint32_t> draws = history_->windowDraws();
    const std::vector<KeptDraw>& kept = history_->store().draws();
    std::vector<std::string> issues;
    issues.reserve(draws.size());
    const DrawSpan span = history_->rangeSpan();
    for (std::size_t i = span.begin; i < span.end; ++i) issues.push_back(kept[i].issue);
    chart_->setDraws(std::move(issues), TrendTable(draws), history_->stats());
    if (kept.empty()) {
        note_->setText(
            ui::qs("还没有保存的开奖历史：请在【历史验证】页导入或粘贴开奖号码（每行一期，期号在前）。"));
    } else {
        note_->setText(
            history_->windowText() +
            ui::qs(
                "。点击表头数字或下方统计格，勾选或取消对应的杀号条件（定位杀、通杀码、杀和尾、杀跨度）。"));
    }
}

}  // namespace numsift
