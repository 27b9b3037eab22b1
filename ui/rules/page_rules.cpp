#include "ui/rules/page_rules.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSortFilterProxyModel>
#include <QTableWidget>

#include <algorithm>

#include "analysis/analysis_text.h"
#include "analysis/rule_figures.h"
#include "analysis/rule_library.h"
#include "io/own_rules_file.h"
#include "ui/analysis/backtest_models.h"
#include "ui/analysis/kept_history.h"
#include "ui/analysis/range_selector.h"
#include "ui/kit/background_work.h"
#include "ui/kit/copy_table_view.h"
#include "ui/kit/panel.h"
#include "ui/kit/series_chart.h"
#include "ui/kit/widget_kit.h"
#include "ui/rules/rule_table_model.h"

namespace numsift {

namespace {

// Where the controls stand on the page (pixels; the page is 1003 × 683).
constexpr QRect kRangeTitle(8, 6, 60, 22);
constexpr QRect kRange(68, 6, RangeSelector::kWidth, RangeSelector::kHeight);
constexpr QRect kStatus(330, 6, 476, 22);
constexpr QRect kProgress(810, 8, 100, 18);
constexpr QRect kCompute(914, 5, 81, 24);
constexpr QRect kTable(8, 34, 987, 330);
constexpr QRect kUseButton(8, 370, 90, 25);
constexpr QRect kCopyButton(102, 370, 90, 25);
constexpr QRect kOwnTitle(214, 370, 58, 25);
constexpr QRect kOwnFamily(272, 371, 76, 23);
constexpr QRect kOwnFormula(352, 371, 220, 23);
constexpr QRect kAddButton(576, 370, 80, 25);
constexpr QRect kRemoveOwnButton(660, 370, 80, 25);
constexpr QRect kLegend(8, 397, 987, 24);
constexpr QRect kPanelTitle(8, 422, 330, 20);
constexpr QRect kPanelRules(8, 444, 330, 202);
constexpr QRect kRemovePanelButton(8, 651, 90, 25);
constexpr QRect kPanelNote(104, 651, 234, 25);
constexpr QRect kChartTitle(346, 422, 545, 20);
constexpr QRect kRolling(899, 421, 96, 22);
constexpr QRect kChart(346, 444, 649, 232);

constexpr int kColumnWidths[RuleTableModel::ColumnCount] = {200, 40, 50, 50, 64, 76, 62,
                                                            62,  52, 64, 64, 96, 40};
constexpr int kRollingWidths[] = {10, 30, 100};

constexpr const char* kLegendText =
    "每期只用它之前的开奖算杀号，再看该期是否杀对；理论命中率：同样的杀号随机开奖时杀对的机会。"
    "p值：单侧二项检验，校正p值按表中全部规则 Holm 校正，≤ 5% 才算优于随机，否则“与随机无差别”。";
constexpr const char* kChooseRule = "在上表中选择一条规则，这里画出它逐期的滚动命中率和理论命中率";
constexpr const char* kNoHistory =
    "还没有保存的开奖历史：请在【历史验证】页导入或粘贴开奖号码（每行一期，期号在前）。";

QString percent(double v) { return QString::number(v, 'f', 1) + QLatin1Char('%'); }

}  // namespace

PageRules::PageRules(numsift::Panel& panel, KeptHistory* history, PageServices services, QWidget* parent)
    : QFrame(parent), panel_(panel), history_(history), services_(services) {
    setObjectName(QStringLiteral("rulesPage"));
    setFrameShape(QFrame::NoFrame);
    figuresWork_ = new BackgroundWork(this);
    seriesWork_ = new BackgroundWork(this);
    buildControls();

    for (BackgroundWork* work : {figuresWork_, seriesWork_}) {
        connect(work, &BackgroundWork::progressed, this, &PageRules::showProgress);
        connect(work, &BackgroundWork::done, this, &PageRules::jobStopped);
        connect(work, &BackgroundWork::cancelled, this, &PageRules::jobStopped);
    }
    connect(history_, &KeptHistory::windowChanged, this, &PageRules::historyChanged);
    listRules();
    showPanelRules();
}

PageRules::~PageRules() = default;

void PageRules::buildControls() {
    ui::placeLabel(this, ui::qs("统计范围"), kRangeTitle, QStringLiteral("rulesRangeTitle"));
    range_ = new RangeSelector(history_, this);
    range_->setGeometry(kRange);
    status_ = ui::placeLabel(this, QString(), kStatus, QStringLiteral("rulesStatus"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("rulesProgress"));
    progress_->setGeometry(kProgress);
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);
    progress_->hide();
    compute_ = ui::placeButton(this, ui::qs("重新计算"), kCompute, QStringLiteral("rulesComputeButton"));
    connect(compute_, &QPushButton::clicked, this, &PageRules::computeOrCancel);

    model_ = new RuleTableModel(this);
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(kSortRole);
    table_ = new CopyTableView(this);
    table_->setObjectName(QStringLiteral("rulesTable"));
    table_->setModel(proxy_);
    table_->setGeometry(kTable);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->sortByColumn(-1, Qt::AscendingOrder);  // the library's order until a header is clicked
    table_->verticalHeader()->hide();
    for (int c = 0; c < RuleTableModel::ColumnCount; ++c) table_->setColumnWidth(c, kColumnWidths[c]);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setCopySink([this](const std::string& text) { services_.copy(text); });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { computeSeries(); });

    auto* use = ui::placeButton(this, ui::qs("用于本期"), kUseButton, QStringLiteral("useRuleButton"));
    use->setToolTip(
        ui::qs("把选中的规则加入本期条件：它对下一期的杀号显示在【杀直选号码】页（蓝框），缩水时生效"));
    auto* copy = ui::placeButton(this, ui::qs("复制规则表"), kCopyButton, QStringLiteral("copyRulesButton"));
    ui::placeLabel(this, ui::qs("自编公式"), kOwnTitle, QStringLiteral("ownRuleTitle"));
    family_ = new QComboBox(this);
    family_->setObjectName(QStringLiteral("ownRuleFamily"));
    family_->setGeometry(kOwnFamily);
    for (int f = 0; f < kRuleFamilyCount; ++f)
        family_->addItem(ui::qs(std::string(ruleFamilyCaption(static_cast<RuleFamily>(f)))));
    formula_ = new QLineEdit(this);
    formula_->setObjectName(QStringLiteral("ownRuleFormula"));
    formula_->setGeometry(kOwnFormula);
    formula_->setPlaceholderText(ui::qs("例如 3*d1 + d5 + 7"));
    formula_->setToolTip(
        ui::qs("用上一期开奖：d1…d5（万位…个位）、sum（和值）、span（跨度）、tail（和尾），"
               "写成 系数*项 或 常数，用 + 连接；结果取个位"));
    auto* add = ui::placeButton(this, ui::qs("添加公式"), kAddButton, QStringLiteral("addOwnRuleButton"));
    auto* removeOwn =
        ui::placeButton(this, ui::qs("删除自编"), kRemoveOwnButton, QStringLiteral("removeOwnRuleButton"));
    auto* legend = ui::placeLabel(this, ui::qs(kLegendText), kLegend, QStringLiteral("rulesLegend"));
    QFont small = legend->font();
    small.setPixelSize(10);
    legend->setFont(small);
    legend->setWordWrap(true);

    ui::placeLabel(this, ui::qs("本期使用的规则（下期杀号，已加到杀直选号码页）"), kPanelTitle,
                   QStringLiteral("panelRulesTitle"));
    panelRules_ = new QTableWidget(0, 2, this);
    panelRules_->setObjectName(QStringLiteral("panelRulesTable"));
    panelRules_->setGeometry(kPanelRules);
    panelRules_->setHorizontalHeaderLabels({ui::qs("规则"), ui::qs("下期杀")});
    panelRules_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    panelRules_->setSelectionBehavior(QAbstractItemView::SelectRows);
    panelRules_->setSelectionMode(QAbstractItemView::SingleSelection);
    panelRules_->verticalHeader()->hide();
    panelRules_->setColumnWidth(0, 240);
    panelRules_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    panelRules_->horizontalHeader()->setStretchLastSection(true);
    auto* removePanel = ui::placeButton(this, ui::qs("移出本期"), kRemovePanelButton,
                                        QStringLiteral("removePanelRuleButton"));
    auto* note = ui::placeLabel(this, ui::qs("页1上蓝框的格子由规则所杀"), kPanelNote,
                                QStringLiteral("panelRulesNote"));
    note->setFont(small);

    chartTitle_ = ui::placeLabel(this, QString(), kChartTitle, QStringLiteral("ruleChartTitle"));
    rolling_ = new QComboBox(this);
    rolling_->setObjectName(QStringLiteral("rollingWidth"));
    rolling_->setGeometry(kRolling);
    for (int w : kRollingWidths) rolling_->addItem(ui::qs("滚动 %1 期").arg(w));
    rolling_->setCurrentIndex(1);
    chart_ = new SeriesChart(this);
    chart_->setObjectName(QStringLiteral("ruleChart"));
    chart_->setGeometry(kChart);
    chart_->setFromZero(false);
    chart_->setValueText(percent);
    chart_->showMessage(ui::qs(kChooseRule));

    connect(use, &QPushButton::clicked, this, [this] { useChosenRule(); });
    connect(copy, &QPushButton::clicked, this, [this] { copyTable(); });
    connect(add, &QPushButton::clicked, this, [this] { addOwnFormula(); });
    connect(formula_, &QLineEdit::returnPressed, this, [this] { addOwnFormula(); });
    connect(removeOwn, &QPushButton::clicked, this, [this] { removeChosenOwnRule(); });
    connect(removePanel, &QPushButton::clicked, this, [this] { removeChosenPanelRule(); });
    connect(rolling_, &QComboBox::currentIndexChanged, this, [this] { computeSeries(); });
}

QString PageRules::keepOwnRulesIn(const QString& path) {
    QString message;
    ownFile_ = path.isEmpty() ? nullptr : std::make_unique<OwnRulesFile>(path);
    if (ownFile_) ownRules_ = ownFile_->load(&message);
    listRules();
    return message;
}

void PageRules::listRules() {
    std::vector<RuleRow> rows;
    for (const KillRule& r : builtInRules()) rows.push_back({r, false});
    for (const KillRule& r : ownRules_) rows.push_back({r, true});
    model_->setRows(std::move(rows));
    model_->setPanelRules(panelRules());
    stale_ = true;
    if (isVisible()) computeFigures();
    computeSeries();
}

void PageRules::historyChanged() {
    stale_ = true;
    if (!isVisible()) return;
    computeFigures();
    computeSeries();
}

void PageRules::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    if (!stale_) return;
    computeFigures();
    computeSeries();
}

void PageRules::computeFigures() {
    stale_ = false;
    if (history_->store().empty()) {
        figuresWork_->cancel();
        model_->setFigures({});
        status_->setText(ui::qs(kNoHistory));
        jobStopped();
        return;
    }
    const std::vector<KillRule> rules = model_->rules();
    const DrawSpan span = history_->rangeSpan();
    const QString window = history_->windowText();
    figuresWork_->start([this, rules, span, window, draws = history_->store().values()](
                            const ProgressFn& progress) -> BackgroundWork::Delivery {
        std::optional<std::vector<RuleFigures>> figures = ruleFigures(rules, draws, span, progress);
        if (!figures) return {};
        return [this, window, figures = std::move(*figures)]() mutable {
            const auto better = std::count_if(figures.begin(), figures.end(),
                                              [](const RuleFigures& f) { return f.beatsChance; });
            const std::size_t count = figures.size();
            model_->setFigures(std::move(figures));
            status_->setText(
                ui::qs("%1：%2 条规则，优于随机 %3 条，其余与随机无差别").arg(window).arg(count).arg(better));
        };
    });
    status_->setText(history_->windowText() + ui::qs("：计算中…"));
    progress_->setValue(0);
    progress_->show();
    compute_->setText(ui::qs("取消"));
}

void PageRules::computeSeries() {
    const int row = chosenRule();
    if (row < 0 || history_->store().empty()) {
        seriesWork_->cancel();
        chartTitle_->clear();
        chart_->showMessage(ui::qs(history_->store().empty() ? kNoHistory : kChooseRule));
        jobStopped();
        return;
    }
    const KillRule rule = model_->rows()[static_cast<std::size_t>(row)].rule;
    const auto width = static_cast<std::size_t>(kRollingWidths[std::max(0, rolling_->currentIndex())]);
    const DrawSpan span = history_->rangeSpan();
    std::vector<std::string> issues;
    issues.reserve(span.size());
    for (std::size_t i = span.begin; i < span.end; ++i) issues.push_back(history_->store().draws()[i].issue);
    chartTitle_->setText(ui::qs(killRuleCaption(rule)) +
                         ui::qs("：滚动命中率（每点为此前 %1 期）").arg(width));
    chart_->showMessage(ui::qs("计算中…"));
    seriesWork_->start(
        [this, rule, width, span, issues = std::move(issues),
         draws = history_->store().values()](const ProgressFn& progress) -> BackgroundWork::Delivery {
            const auto kills =
                ruleKills(std::span<const KillRule>(&rule, 1), draws, span.begin, span.end, progress);
            if (!kills) return {};
            const std::vector<RuleOutcome> outcomes = ruleOutcomes(rule.family, kills->front(), draws, span);
            std::vector<RollingPoint> points = rollingHitRate(outcomes, width);
            // Drawn from the first full stretch, where there are enough draws.
            if (points.size() > 2 * width)
                points.erase(points.begin(), points.begin() + static_cast<long>(width) - 1);
            std::vector<SeriesChart::Series> series = {{ui::qs("滚动命中率"), QColor(30, 90, 220), false, {}},
                                                       {ui::qs("理论命中率"), QColor(220, 40, 40), true, {}}};
            QStringList labels;
            for (const RollingPoint& p : points) {
                series[0].values.push_back(100.0 * p.hitRate);
                series[1].values.push_back(100.0 * p.chance);
                labels << QString::fromStdString(issues[p.draw - span.begin]);
            }
            return [this, series = std::move(series), labels = std::move(labels)]() mutable {
                if (labels.isEmpty())
                    chart_->showMessage(ui::qs("范围内没有可评估的期：每期之前至少要有一期开奖"));
                else
                    chart_->setSeries(std::move(series), std::move(labels));
            };
        });
    progress_->show();
    compute_->setText(ui::qs("取消"));
}

void PageRules::showProgress(int permille) {
    if (sender() == seriesWork_ && figuresWork_->running()) return;
    progress_->setValue(permille);
}

void PageRules::jobStopped() {
    if (computing()) return;
    progress_->hide();
    compute_->setText(ui::qs("重新计算"));
}

bool PageRules::computing() const { return figuresWork_->running() || seriesWork_->running(); }

void PageRules::computeOrCancel() {
    if (!computing()) {
        computeFigures();
        computeSeries();
        return;
    }
    const bool figures = figuresWork_->running();
    figuresWork_->cancel();
    seriesWork_->cancel();
    if (figures) {
        stale_ = true;  // shown again, the page computes them
        status_->setText(history_->windowText() + ui::qs("：已取消。点【重新计算】再算。"));
    }
    if (chart_->series().empty() && chosenRule() >= 0) chart_->showMessage(ui::qs("已取消"));
}

int PageRules::chosenRule() const {
    const QModelIndex current = table_->selectionModel()->currentIndex();
    if (!current.isValid()) return -1;
    return proxy_->mapToSource(current).row();
}

void PageRules::chooseRule(int row) {
    const QModelIndex source = model_->index(row, 0);
    if (!source.isValid()) return;
    const QModelIndex shown = proxy_->mapFromSource(source);
    table_->selectionModel()->setCurrentIndex(
        shown, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->scrollTo(shown);
}

std::vector<KillRule> PageRules::panelRules() const { return panel_.scheme().rules; }

void PageRules::showPanelRules() {
    const std::vector<KillRule> rules = panelRules();
    const std::vector<ValueMask> kills = nextDrawKills(rules, history_->store().values());
    panelRules_->setRowCount(static_cast<int>(rules.size()));
    for (std::size_t r = 0; r < rules.size(); ++r) {
        panelRules_->setItem(static_cast<int>(r), 0, new QTableWidgetItem(ui::qs(killRuleCaption(rules[r]))));
        panelRules_->setItem(static_cast<int>(r), 1, new QTableWidgetItem(ui::qs(valuesText(kills[r]))));
    }
    model_->setPanelRules(rules);
}

bool PageRules::useChosenRule() {
    const int row = chosenRule();
    if (row < 0) {
        services_.tell("请先在表中选择一条规则。", MessageIcon::Information);
        return false;
    }
    std::vector<KillRule> rules = panelRules();
    const KillRule& rule = model_->rows()[static_cast<std::size_t>(row)].rule;
    if (std::find(rules.begin(), rules.end(), rule) != rules.end()) {
        services_.tell("这条规则已用于本期。", MessageIcon::Information);
        return false;
    }
    if (rules.size() >= kMaxKillRules) {
        services_.tell("本期最多使用 " + std::to_string(kMaxKillRules) + " 条规则。",
                       MessageIcon::Exclamation);
        return false;
    }
    if (!panel_.commitEntries()) return false;
    rules.push_back(rule);
    panel_.setRules(std::move(rules), "用于本期");
    showPanelRules();
    return true;
}

bool PageRules::removeChosenPanelRule() {
    std::vector<KillRule> rules = panelRules();
    const int row = panelRules_->currentRow();
    if (row < 0 || row >= static_cast<int>(rules.size())) {
        services_.tell("请先在“本期使用的规则”中选择一条。", MessageIcon::Information);
        return false;
    }
    if (!panel_.commitEntries()) return false;
    rules.erase(rules.begin() + row);
    panel_.setRules(std::move(rules), "移出本期");
    showPanelRules();
    return true;
}

bool PageRules::addOwnFormula() {
    const std::string text = formula_->text().trimmed().toStdString();
    if (text.empty()) {
        services_.tell("请输入杀码公式，例如 3*d1 + d5 + 7。", MessageIcon::Information);
        return false;
    }
    const FormulaRead read = readKillFormula(text);
    if (!read.formula) {
        services_.tell("公式有误：" + read.error +
                           "。\n写法：d1…d5（万位…个位）、sum（和值）、span（跨度）、tail（和尾）乘以系数，"
                           "或常数，用 + 连接，例如 3*d1 + d5 + 7。",
                       MessageIcon::Exclamation);
        return false;
    }
    const KillRule rule{static_cast<RuleFamily>(family_->currentIndex()), RuleKind::Formula, 1, 0,
                        *read.formula};
    const std::vector<KillRule> listed = model_->rules();
    if (const auto at = std::find(listed.begin(), listed.end(), rule); at != listed.end()) {
        chooseRule(static_cast<int>(at - listed.begin()));
        services_.tell("这条公式已在列表中：" + killRuleCaption(rule) + "。", MessageIcon::Information);
        return false;
    }
    if (ownRules_.size() >= kMaxOwnRules) {
        services_.tell("自编公式最多 " + std::to_string(kMaxOwnRules) + " 条，请先删除不用的。",
                       MessageIcon::Exclamation);
        return false;
    }
    const auto add = [&rule](std::vector<KillRule>& rules) {
        if (std::find(rules.begin(), rules.end(), rule) == rules.end() && rules.size() < kMaxOwnRules)
            rules.push_back(rule);
    };
    if (ownFile_) {
        const OwnRulesUpdate kept = ownFile_->update(add);
        ownRules_ = kept.rules;
        if (!kept.save.ok) {
            listRules();
            services_.tell(kept.save.error.toStdString(), MessageIcon::Exclamation);
            return false;
        }
    } else {
        add(ownRules_);
    }
    formula_->clear();
    listRules();
    const std::vector<KillRule> now = model_->rules();
    chooseRule(static_cast<int>(std::find(now.begin(), now.end(), rule) - now.begin()));
    return true;
}

bool PageRules::removeChosenOwnRule() {
    const int row = chosenRule();
    if (row < 0 || !model_->rows()[static_cast<std::size_t>(row)].own) {
        services_.tell("请先在表中选择一条自编公式。", MessageIcon::Information);
        return false;
    }
    const KillRule rule = model_->rows()[static_cast<std::size_t>(row)].rule;
    const MessageAnswer answer =
        services_.messages->show(Message{kProductName, "删除自编公式“" + killRuleCaption(rule) + "”？",
                                         MessageIcon::Question, MessageButtons::YesNo});
    if (answer != MessageAnswer::Yes) return false;
    const auto remove = [&rule](std::vector<KillRule>& rules) { std::erase(rules, rule); };
    if (ownFile_) {
        const OwnRulesUpdate kept = ownFile_->update(remove);
        ownRules_ = kept.rules;
        if (!kept.save.ok) services_.tell(kept.save.error.toStdString(), MessageIcon::Exclamation);
    } else {
        remove(ownRules_);
    }
    listRules();
    return true;
}

bool PageRules::copyTable() {
    std::vector<int> order;
    for (int r = 0; r < proxy_->rowCount(); ++r)
        order.push_back(proxy_->mapToSource(proxy_->index(r, 0)).row());
    return services_.copy(ruleTableText(*model_, order, "\r\n"));
}

}  // namespace numsift
