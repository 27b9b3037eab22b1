#include "ui/analysis/page_trend.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <algorithm>

#include "ui/analysis/item_kills.h"
#include "ui/analysis/kept_history.h"
#include "ui/analysis/range_selector.h"
#include "ui/analysis/trend_chart.h"
#include "ui/kit/panel.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

constexpr QRect kWindowTitle(8, 6, 60, 22);
constexpr QRect kRange(68, 6, RangeSelector::kWidth, RangeSelector::kHeight);
constexpr QRect kGoToTitle(316, 6, 54, 22);
constexpr QRect kGoTo(370, 6, 80, 22);
constexpr QRect kCopy(456, 5, 70, 24);
constexpr QRect kCount(534, 6, 150, 22);
constexpr QRect kRun(688, 5, 84, 24);
constexpr QRect kNote(780, 6, 219, 22);
constexpr int kChartTop = 32;
constexpr int kMinHeight = 240;

constexpr const char* kHowTo =
    "点击表头的数字或下方的统计格，勾选或取消对应的条件（定位杀、通杀码、杀和尾、杀跨度、杀和值、AC值、比例、"
    "形态，"
    "以及下方列出的排列和012路）；在表头拖过几格或按住 Shift 点击，一次勾选多个；点统计行左边的名称，"
    "按当前遗漏或出现次数成批勾选。键盘：Home/End、PgUp/PgDn，Shift+滚轮左右移动。";

}  // namespace

PageTrend::PageTrend(KeptHistory* history, numsift::Panel& panel, PageServices services, QWidget* parent)
    : QFrame(parent), history_(history), panel_(panel), services_(services) {
    setObjectName(QStringLiteral("trendPage"));
    setFrameShape(QFrame::NoFrame);
    ui::placeLabel(this, ui::qs("统计范围"), kWindowTitle, QStringLiteral("windowTitle"));
    range_ = new RangeSelector(history_, this);
    range_->setGeometry(kRange);
    ui::placeLabel(this, ui::qs("转到期号"), kGoToTitle, QStringLiteral("goToTitle"));
    goTo_ = new QLineEdit(this);
    goTo_->setObjectName(QStringLiteral("goToIssue"));
    goTo_->setGeometry(kGoTo);
    goTo_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,12}")), goTo_));
    goTo_->setPlaceholderText(ui::qs("期号，回车"));
    QPushButton* copy = ui::placeButton(this, ui::qs("复制统计"), kCopy, QStringLiteral("copySummaryButton"));
    copy->setToolTip(ui::qs("把下方五行统计复制到剪贴板（制表符分隔，可贴进表格）"));
    count_ = ui::placeLabel(this, QString(), kCount, QStringLiteral("trendResultCount"));
    run_ = ui::placeButton(this, ui::qs("开始缩水"), kRun, QStringLiteral("trendRunButton"));
    QFont bold = run_->font();
    bold.setBold(true);
    run_->setFont(bold);
    note_ = ui::placeLabel(this, QString(), kNote, QStringLiteral("trendNote"));
    note_->setToolTip(ui::qs(kHowTo));

    chart_ = new TrendChart(this);
    chart_->setTickedCheck([this](ItemId item) { return ticked(item); });

    connect(history_, &KeptHistory::historyChanged, this, &PageTrend::showHistory);
    connect(history_, &KeptHistory::windowChanged, this, &PageTrend::showRange);
    connect(goTo_, &QLineEdit::returnPressed, this, &PageTrend::goToIssue);
    connect(copy, &QPushButton::clicked, this, &PageTrend::copySummary);
    connect(chart_, &TrendChart::copyRequested, this, &PageTrend::copySummary);
    connect(run_, &QPushButton::clicked, this, &PageTrend::runRequested);
    connect(chart_, &TrendChart::cellClicked, this, [this](ItemId item) { setKills({item}, !ticked(item)); });
    connect(chart_, &TrendChart::cellsChosen, this, &PageTrend::setKills);
    showHistory();
    showRange();
    showResultCount();
}

QComboBox* PageTrend::windowChoice() const { return range_->choice(); }

QSpinBox* PageTrend::windowCount() const { return range_->count(); }

void PageTrend::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    chart_->setGeometry(0, kChartTop, width(), height() - kChartTop);
}

void PageTrend::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    showResultCount();
    panelChanged();
}

void PageTrend::followViewport(QWidget* viewport) {
    viewport_ = viewport;
    designHeight_ = height();
    viewport_->installEventFilter(this);
}

bool PageTrend::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport_ && event->type() == QEvent::Resize)
        resize(width(), std::clamp(viewport_->height() - y(), kMinHeight, designHeight_));
    return QFrame::eventFilter(watched, event);
}

bool PageTrend::ticked(ItemId item) {
    if (ticksStale_) {
        ticks_ = panel_.scheme().input;
        ticksStale_ = false;
    }
    return itemTicked(ticks_, item);
}

void PageTrend::panelChanged() {
    ticksStale_ = true;
    chart_->ticksChanged();
}

void PageTrend::setKills(const std::vector<ItemId>& items, bool tick) {
    if (items.empty() || !panel_.commitEntries()) return;
    Scheme scheme = panel_.scheme();
    bool changed = false;
    for (const ItemId& item : items)
        if (itemTicked(scheme.input, item) != tick)
            changed = setItemTicked(scheme.input, item, tick) || changed;
    if (!changed) return;
    panel_.applyScheme(scheme, tick ? "走势图勾选" : "走势图取消勾选");
    panelChanged();
}

void PageTrend::showResultCount() {
    const QString count = QString::number(static_cast<qulonglong>(panel_.results().size()));
    count_->setText(panel_.lastRun() ? ui::qs("结果注数 ") + count : ui::qs("结果注数 —（未缩水）"));
}

void PageTrend::copySummary() { services_.copy(chart_->summaryText()); }

void PageTrend::goToIssue() {
    const QString issue = goTo_->text().trimmed();
    if (issue.isEmpty()) return;
    if (chart_->goToIssue(issue.toStdString())) {
        note_->setText(ui::qs("期号 ") + issue + ui::qs(" 已标黄。"));
        chart_->setFocus();
        return;
    }
    note_->setText(ui::qs("统计范围里没有期号 ") + issue + ui::qs("。"));
}

void PageTrend::showHistory() {
    const std::vector<KeptDraw>& kept = history_->store().draws();
    std::vector<std::string> issues;
    issues.reserve(kept.size());
    for (const KeptDraw& d : kept) issues.push_back(d.issue);
    // The rows follow at windowChanged, which comes after every change of the store.
    chart_->setHistory(std::move(issues), TrendTable(history_->values()));
}

void PageTrend::showRange() {
    chart_->setRows(history_->rangeSpan(), history_->stats());
    if (history_->store().empty())
        note_->setText(ui::qs("还没有开奖历史：请在【历史验证】页导入。"));
    else
        note_->setText(history_->windowText() + ui::qs("（悬停看用法）"));
}

}  // namespace numsift
