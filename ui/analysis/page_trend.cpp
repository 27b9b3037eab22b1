#include "ui/analysis/page_trend.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include "ui/analysis/kept_history.h"
#include "ui/analysis/trend_chart.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

// The choices of the window, by index; 0 draws is all of them, -1 the
// spin box's number.
constexpr const char* kWindowCaptions[] = {"全部", "近30期", "近50期", "近100期", "自定期数"};
constexpr int kWindowDraws[] = {0, 30, 50, 100, -1};
constexpr int kCustomChoice = 4;

constexpr QRect kWindowTitle(8, 6, 60, 22);
constexpr QRect kWindowChoice(68, 6, 90, 22);
constexpr QRect kWindowCount(162, 6, 80, 22);
constexpr QRect kNote(252, 6, 740, 22);
constexpr int kChartTop = 32;

}  // namespace

PageTrend::PageTrend(KeptHistory* history, QWidget* parent) : QFrame(parent), history_(history) {
    setObjectName(QStringLiteral("trendPage"));
    setFrameShape(QFrame::NoFrame);
    ui::placeLabel(this, ui::qs("统计范围"), kWindowTitle, QStringLiteral("windowTitle"));
    windowChoice_ = new QComboBox(this);
    windowChoice_->setObjectName(QStringLiteral("windowChoice"));
    windowChoice_->setGeometry(kWindowChoice);
    for (const char* caption : kWindowCaptions) windowChoice_->addItem(ui::qs(caption));
    windowCount_ = new QSpinBox(this);
    windowCount_->setObjectName(QStringLiteral("windowCount"));
    windowCount_->setGeometry(kWindowCount);
    windowCount_->setRange(1, 100000);
    windowCount_->setValue(200);
    windowCount_->setSuffix(ui::qs(" 期"));
    windowCount_->setEnabled(false);
    note_ = ui::placeLabel(this, QString(), kNote, QStringLiteral("trendNote"));

    chart_ = new TrendChart(this);

    connect(windowChoice_, &QComboBox::currentIndexChanged, this, &PageTrend::windowChosen);
    connect(windowCount_, &QSpinBox::valueChanged, this, &PageTrend::windowChosen);
    connect(history_, &KeptHistory::windowChanged, this, &PageTrend::showHistory);
    showHistory();
}

void PageTrend::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    chart_->setGeometry(0, kChartTop, width(), height() - kChartTop);
}

void PageTrend::windowChosen() {
    const int choice = windowChoice_->currentIndex();
    windowCount_->setEnabled(choice == kCustomChoice);
    const int draws = choice == kCustomChoice ? windowCount_->value() : kWindowDraws[choice];
    history_->setWindow(static_cast<std::size_t>(draws));
}

void PageTrend::showHistory() {
    const std::span<const std::uint32_t> draws = history_->windowDraws();
    const std::vector<KeptDraw>& kept = history_->store().draws();
    std::vector<std::string> issues;
    issues.reserve(draws.size());
    for (std::size_t i = kept.size() - draws.size(); i < kept.size(); ++i) issues.push_back(kept[i].issue);
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
