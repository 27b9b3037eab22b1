#include "ui/analysis/walk_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include <bitset>
#include <memory>

#include "analysis/analysis_text.h"
#include "conditions/run_order.h"
#include "engine/number.h"
#include "ui/analysis/kept_history.h"
#include "ui/kit/background_work.h"
#include "ui/kit/panel.h"
#include "ui/kit/series_chart.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

// Where the controls stand (pixels; the panel is 533 × 298, the draw
// table's place).
constexpr QRect kStatus(0, 0, 350, 24);
constexpr QRect kProgress(354, 4, 90, 16);
constexpr QRect kButton(448, 0, 85, 24);
constexpr QRect kTable(0, 28, 268, 226);
constexpr QRect kNote(0, 257, 268, 41);
constexpr QRect kChart(274, 28, 259, 270);

// Each rate beside its chance figure: 保留率 beside 理论, 回报率 beside 随机回报率.
constexpr const char* kRows[] = {"期数", "保留期数", "保留率", "理论保留率", "平均注数",
                                 "投入", "奖金",     "回报率", "随机回报率", "最长连续未中"};
constexpr const char* kNoHistory = "还没有保存的开奖历史：请先导入或粘贴开奖号码。";

// 元 in a few figures: "3.41 亿元", "2716.0 万元", "980 元".
QString yuan(double v) {
    if (v >= 1e8) return QString::number(v / 1e8, 'f', 2) + QStringLiteral(" 亿元");
    if (v >= 1e4) return QString::number(v / 1e4, 'f', 1) + QStringLiteral(" 万元");
    return QString::number(v, 'f', 0) + QStringLiteral(" 元");
}

// The same on the chart's axis, shorter.
QString axisYuan(double v) {
    if (v >= 1e8) return QString::number(v / 1e8, 'f', 1) + QStringLiteral("亿");
    if (v >= 1e4) return QString::number(v / 1e4, 'f', 0) + QStringLiteral("万");
    return QString::number(v, 'f', 0);
}

std::uint64_t hashOf(std::span<const std::uint32_t> values, std::uint64_t h = 1469598103934665603ull) {
    for (std::uint32_t v : values) h = (h ^ v) * 1099511628211ull;
    return h;
}

// The column of one summary, in the table's row order.
QStringList columnOf(const WalkSummary& s) {
    char average[32];
    std::snprintf(average, sizeof average, "%.1f", s.averageSize);
    const auto percent = [](double share) { return QString::fromStdString(percentText(100.0 * share)); };
    return {QString::number(s.drawCount),
            QStringLiteral("%1/%2").arg(s.kept).arg(s.drawCount),
            percent(s.keptShare),
            percent(s.theory),
            QString::fromLatin1(average),
            yuan(static_cast<double>(s.cost)),
            yuan(static_cast<double>(s.prize)),
            s.cost > 0 ? percent(s.returnRate) : QStringLiteral("—"),
            percent(kChanceReturn),
            QString::number(s.longestMissRun)};
}

}  // namespace

WalkPanel::WalkPanel(numsift::Panel& panel, KeptHistory* history, QWidget* parent)
    : QWidget(parent), panel_(panel), history_(history) {
    setObjectName(QStringLiteral("walkPanel"));
    work_ = new BackgroundWork(this);
    status_ = ui::placeLabel(this, QString(), kStatus, QStringLiteral("walkStatus"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("walkProgress"));
    progress_->setGeometry(kProgress);
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);
    progress_->hide();
    button_ = ui::placeButton(this, ui::qs("重新验证"), kButton, QStringLiteral("walkButton"));

    table_ = new QTableWidget(static_cast<int>(std::size(kRows)), 3, this);
    table_->setObjectName(QStringLiteral("walkTable"));
    table_->setGeometry(kTable);
    table_->setHorizontalHeaderLabels({ui::qs("指标"), ui::qs("今日条件"), ui::qs("滚动验证")});
    table_->horizontalHeaderItem(1)->setToolTip(
        ui::qs("当前条件原样检验过去各期：规则的杀号按全部开奖算出（用到了被检验的开奖）"));
    table_->horizontalHeaderItem(2)->setToolTip(ui::qs("每期只用它之前的开奖算出规则的杀号，如实逐期投注"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(20);
    table_->horizontalHeader()->setFixedHeight(22);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setColumnWidth(0, 84);
    table_->setColumnWidth(1, 90);
    table_->horizontalHeader()->setStretchLastSection(true);
    for (int r = 0; r < table_->rowCount(); ++r)
        table_->setItem(r, 0, new QTableWidgetItem(ui::qs(kRows[r])));
    QFont small = font();
    small.setPixelSize(11);
    table_->setFont(small);

    note_ = ui::placeLabel(this,
                           ui::qs("今日条件用全部开奖学出的杀号检验过去各期（规则看过答案）；"
                                  "滚动验证每期只用此前的开奖，如实逐期投注。"),
                           kNote, QStringLiteral("walkNote"));
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note_->setFont(small);

    chart_ = new SeriesChart(this);
    chart_->setObjectName(QStringLiteral("walkChart"));
    chart_->setGeometry(kChart);
    chart_->setValueText(axisYuan);
    chart_->showMessage(ui::qs("滚动验证的累计投入和奖金"));

    connect(button_, &QPushButton::clicked, this, &WalkPanel::walkOrCancel);
    connect(work_, &BackgroundWork::progressed, progress_, &QProgressBar::setValue);
    connect(work_, &BackgroundWork::done, this, &WalkPanel::stopped);
    connect(work_, &BackgroundWork::cancelled, this, [this] {
        walkedKey_.clear();  // walked again when asked or shown
        status_->setText(ui::qs("已取消。点【重新验证】再算。"));
        stopped();
    });
    connect(history_, &KeptHistory::windowChanged, this, [this] {
        if (isVisible()) walk();
    });
}

std::string WalkPanel::inputKey() const {
    const DrawSpan span = history_->rangeSpan();
    const std::vector<std::uint32_t> draws = history_->store().values();
    return saveScheme(panel_.scheme()) + "\n" + std::to_string(hashOf(panel_.base().values)) + " " +
           std::to_string(hashOf(draws)) + " " + std::to_string(span.begin) + "-" + std::to_string(span.end);
}

void WalkPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    walk();
}

void WalkPanel::panelChanged() {
    if (isVisible()) walk();
}

bool WalkPanel::walking() const { return work_->running(); }

void WalkPanel::walkOrCancel() {
    if (walking())
        work_->cancel();
    else
        walk(true);
}

void WalkPanel::walk(bool again) {
    if (history_->store().empty()) {
        work_->cancel();
        walkedKey_.clear();
        status_->setText(ui::qs(kNoHistory));
        return;
    }
    std::string key = inputKey();
    if (!again && key == walkedKey_) return;
    walkedKey_ = std::move(key);

    // Copies of all the walk reads: the panel may change while it runs.
    const Scheme scheme = panel_.scheme();
    const Scheme today = panel_.runScheme();
    const DrawSpan span = history_->rangeSpan();
    std::vector<std::string> issues;
    issues.reserve(span.size());
    for (std::size_t i = span.begin; i < span.end; ++i) issues.push_back(history_->store().draws()[i].issue);
    const QString window = history_->windowText();
    work_->start(
        [this, scheme, today, span, window, issues = std::move(issues), base = panel_.base(),
         draws = history_->store().values()](const ProgressFn& progress) -> BackgroundWork::Delivery {
            const std::optional<WalkReport> report = walkForward(scheme, base, draws, span, progress);
            if (!report) return {};
            // Today's check: the panel as it stands now, every draw against its result.
            const RunResult run = runFilter(today.input, base, today.grouping());
            auto kept = std::make_unique<std::bitset<kNumberSpace>>();
            for (std::uint32_t v : run.result) kept->set(v);
            std::vector<WalkDraw> todayRows;
            std::vector<SeriesChart::Series> series = {{ui::qs("累计投入"), QColor(220, 40, 40), false, {}},
                                                       {ui::qs("累计奖金"), QColor(0, 140, 60), false, {}}};
            QStringList labels;
            std::uint64_t cost = 0, prize = 0;
            for (const WalkDraw& d : report->draws) {
                todayRows.push_back({d.draw, d.value, run.result.size(), kept->test(d.value)});
                cost += d.resultSize * kPriceYuan;
                prize += d.kept ? kPrizeYuan : 0;
                series[0].values.push_back(static_cast<double>(cost));
                series[1].values.push_back(static_cast<double>(prize));
                labels << QString::fromStdString(issues[d.draw - span.begin]);
            }
            const WalkSummary walked = report->summary, checked = walkSummary(todayRows);
            const bool rules = !scheme.rules.empty();
            return [this, walked, checked, rules, window, series = std::move(series),
                    labels = std::move(labels)]() mutable {
                showFigures(walked, checked, rules);
                status_->setText(window + ui::qs("：保留 %1/%2 期，回报率 %3（随机 50%）")
                                              .arg(walked.kept)
                                              .arg(walked.drawCount)
                                              .arg(walked.cost > 0
                                                       ? ui::qs(percentText(100.0 * walked.returnRate))
                                                       : QStringLiteral("—")));
                if (labels.isEmpty())
                    chart_->showMessage(ui::qs("范围内没有开奖"));
                else
                    chart_->setSeries(std::move(series), std::move(labels));
            };
        });
    status_->setText(history_->windowText() + ui::qs("：滚动验证中…"));
    progress_->setValue(0);
    progress_->show();
    button_->setText(ui::qs("取消"));
}

void WalkPanel::showFigures(const WalkSummary& walked, const WalkSummary& today, bool rules) {
    walked_ = walked;
    today_ = today;
    const QStringList columns[2] = {columnOf(today), columnOf(walked)};
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < table_->rowCount(); ++r)
            table_->setItem(r, c + 1, new QTableWidgetItem(columns[c][r]));
    // The exact figures behind the short ones.
    for (int c = 0; c < 2; ++c) {
        const WalkSummary& s = c ? walked : today;
        table_->item(5, c + 1)->setToolTip(QStringLiteral("%1 元").arg(s.cost));
        table_->item(6, c + 1)->setToolTip(QStringLiteral("%1 元").arg(s.prize));
    }
    table_->horizontalHeaderItem(1)->setText(ui::qs(rules ? "今日条件" : "今日条件（同）"));
}

void WalkPanel::stopped() {
    if (walking()) return;
    progress_->hide();
    button_->setText(ui::qs("重新验证"));
}

}  // namespace numsift
