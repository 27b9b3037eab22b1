#include "ui/analysis/backtest_tables.h"

#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include "analysis/analysis_text.h"
#include "ui/analysis/backtest_models.h"
#include "ui/kit/copy_table_view.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

constexpr const char* kRunFirst = "请先点击【开始验证】";
constexpr const char* kLegendText =
    "误杀偏多：该条件杀掉的历史开奖，明显多于按它所杀号码的比例应有的期数"
    "（二项检验，按全部条件 Holm 校正后 p ≤ 5%）。双击开奖表中的一行可诊断该号码。";

// Where the controls stand in the panel (pixels; the panel stands at 256, 4
// of the page): the summary, the draw table, its copy buttons, the
// condition table, the legend.
constexpr QRect kSummaryLabel(0, 0, 533, 38);
constexpr QRect kDrawTable(0, 40, 533, 298);
constexpr QRect kCopyDrawTableButton(0, 342, 100, 25);
constexpr QRect kCopyColumnTableButton(104, 342, 100, 25);
constexpr QRect kWhatIfButton(208, 342, 100, 25);  // "假如表": in the condition table's place
constexpr QRect kWalkButton(312, 342, 100, 25);    // "滚动验证": in the draw table's place
constexpr QRect kColumnTable(0, 371, 533, 206);
constexpr QRect kLegend(0, 580, 533, 34);

QSortFilterProxyModel* sortedProxy(QAbstractItemModel* source, QObject* parent) {
    auto* proxy = new QSortFilterProxyModel(parent);
    proxy->setSourceModel(source);
    proxy->setSortRole(kSortRole);
    return proxy;
}

}  // namespace

BacktestTables::BacktestTables(PageServices services, QWidget* parent)
    : QWidget(parent), services_(services) {
    setObjectName(QStringLiteral("backtestTables"));
    QFont bold = font();
    bold.setBold(true);
    summaryLabel_ =
        ui::placeLabel(this, ui::qs("输入历史开奖后点击【开始验证】，看当前条件在过去各期能否保留开奖号码。"),
                       kSummaryLabel, QStringLiteral("summaryLabel"));
    summaryLabel_->setWordWrap(true);
    summaryLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    summaryLabel_->setFont(bold);

    drawModel_ = new DrawTableModel(this);
    drawProxy_ = sortedProxy(drawModel_, this);
    drawTable_ = new CopyTableView(this);
    drawTable_->setObjectName(QStringLiteral("drawTable"));
    drawTable_->setModel(drawProxy_);
    drawTable_->setGeometry(kDrawTable);
    drawTable_->sortByColumn(-1, Qt::AscendingOrder);  // the order of the text until a header is clicked
    const int drawWidths[DrawTableModel::ColumnCount] = {110, 60, 50, 62, 200};
    for (int c = 0; c < DrawTableModel::ColumnCount; ++c) drawTable_->setColumnWidth(c, drawWidths[c]);
    drawTable_->horizontalHeader()->setStretchLastSection(true);

    auto* copyDraws = ui::placeButton(this, ui::qs("复制开奖表"), kCopyDrawTableButton,
                                      QStringLiteral("copyDrawTableButton"));
    auto* copyColumns = ui::placeButton(this, ui::qs("复制条件表"), kCopyColumnTableButton,
                                        QStringLiteral("copyColumnTableButton"));

    columnModel_ = new ColumnTableModel(this);
    columnProxy_ = sortedProxy(columnModel_, this);
    columnTable_ = new CopyTableView(this);
    columnTable_->setObjectName(QStringLiteral("columnTable"));
    columnTable_->setModel(columnProxy_);
    columnTable_->setGeometry(kColumnTable);
    columnTable_->sortByColumn(-1, Qt::AscendingOrder);
    // Ten columns in the table's width: the step column numbers the rows.
    columnTable_->verticalHeader()->hide();
    const int columnWidths[ColumnTableModel::ColumnCount] = {30, 72, 56, 56, 56, 56, 38, 56, 44, 52};
    for (int c = 0; c < ColumnTableModel::ColumnCount; ++c) columnTable_->setColumnWidth(c, columnWidths[c]);
    columnTable_->horizontalHeader()->setStretchLastSection(true);

    // The what-if table: other tolerances, and each condition switched off.
    whatIfButton_ = ui::placeButton(this, ui::qs("假如表"), kWhatIfButton, QStringLiteral("whatIfButton"));
    whatIfButton_->setCheckable(true);
    whatIfButton_->setToolTip(ui::qs("换个容错、或关掉某个条件，结果注数和保留开奖的比例会怎样"));
    whatIfModel_ = new QStandardItemModel(0, 6, this);
    whatIfModel_->setHorizontalHeaderLabels({ui::qs("假如"), ui::qs("设置"), ui::qs("结果注数"),
                                             ui::qs("占候选"), ui::qs("保留期数"), ui::qs("保留率")});
    whatIfTable_ = new CopyTableView(this);
    whatIfTable_->setObjectName(QStringLiteral("whatIfTable"));
    whatIfTable_->setModel(whatIfModel_);
    whatIfTable_->setSortingEnabled(false);
    whatIfTable_->setGeometry(kColumnTable);
    whatIfTable_->verticalHeader()->hide();
    const int whatIfWidths[6] = {64, 150, 72, 72, 72, 60};
    for (int c = 0; c < 6; ++c) whatIfTable_->setColumnWidth(c, whatIfWidths[c]);
    whatIfTable_->horizontalHeader()->setStretchLastSection(true);
    whatIfTable_->hide();
    connect(whatIfButton_, &QPushButton::toggled, this, &BacktestTables::showWhatIf);
    walkButton_ = ui::placeButton(this, ui::qs("滚动验证"), kWalkButton, QStringLiteral("walkToggleButton"));
    walkButton_->setCheckable(true);
    walkButton_->setToolTip(
        ui::qs("逐期只用此前的开奖算出规则杀号，看过去各期能否保留、投入和奖金，与今日条件并列"));
    walkButton_->hide();  // until there is a walk panel
    connect(walkButton_, &QPushButton::toggled, this, &BacktestTables::showWalk);

    auto* legend = ui::placeLabel(this, ui::qs(kLegendText), kLegend, QStringLiteral("legend"));
    legend->setWordWrap(true);
    legend->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const auto copySink = [this](const std::string& text) { services_.copy(text); };
    drawTable_->setCopySink(copySink);
    columnTable_->setCopySink(copySink);
    whatIfTable_->setCopySink(copySink);

    connect(copyDraws, &QPushButton::clicked, this, [this] { copyDrawTable(); });
    connect(copyColumns, &QPushButton::clicked, this, [this] { copyColumnTable(); });
    connect(drawTable_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& proxyIndex) {
        const QModelIndex source = drawProxy_->mapToSource(proxyIndex);
        if (source.isValid()) emit drawActivated(drawModel_->numberAt(source.row()));
    });
}

BacktestTables::~BacktestTables() = default;

void BacktestTables::showBacktest(const RunResult& run, std::shared_ptr<const BacktestReport> report) {
    report_ = report;
    drawModel_->setReport(report);
    columnModel_->setReport(report);
    whatIf_ = std::make_unique<WhatIf>(numsift::whatIf(run, *report));
    fillWhatIf(run);
    const GroupedTolerance grouping = run.grouping();
    const Tolerance tolerance = grouping.rest;
    std::string summary = backtestSummaryLine(*report) + "，容错 " + std::to_string(tolerance.lower) + "-" +
                          std::to_string(tolerance.upper);
    if (!grouping.groups.empty()) summary += "，另有 " + std::to_string(grouping.groups.size()) + " 个分组";
    if (report->columns.empty()) summary += "（没有生效的条件）";
    summaryLabel_->setText(ui::qs(summary));
}

void BacktestTables::showWhatIf(bool shown) {
    if (whatIfButton_->isChecked() != shown) whatIfButton_->setChecked(shown);  // comes back here
    whatIfTable_->setVisible(shown);
    columnTable_->setVisible(!shown);
}

void BacktestTables::setWalkPanel(QWidget* panel) {
    walkPanel_ = panel;
    walkPanel_->setGeometry(kDrawTable);
    walkPanel_->hide();
    walkButton_->show();
}

void BacktestTables::showWalk(bool shown) {
    if (walkButton_->isChecked() != shown) walkButton_->setChecked(shown);  // comes back here
    if (!walkPanel_) return;
    walkPanel_->setVisible(shown);
    drawTable_->setVisible(!shown);
}

void BacktestTables::fillWhatIf(const RunResult& run) {
    const WhatIf& w = *whatIf_;
    const GroupedTolerance grouping = run.grouping();
    whatIfModel_->removeRows(0, whatIfModel_->rowCount());
    const auto addRow = [this](const QString& kind, const QString& setting, const WhatIfFigures& f,
                               bool bold) {
        QList<QStandardItem*> row;
        for (const QString& text :
             {kind, setting, QString::number(f.resultSize), ui::qs(percentText(100.0 * f.resultShare)),
              QString::number(f.drawsKept), ui::qs(percentText(100.0 * f.drawShare))}) {
            auto* item = new QStandardItem(text);
            if (bold) {
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            row << item;
        }
        whatIfModel_->appendRow(row);
    };
    for (const ToleranceBand& band : w.bands) {
        QString setting = ui::qs("%1 %2-%3")
                              .arg(ui::qs(setName(grouping, band.set)))
                              .arg(int(band.tolerance.lower))
                              .arg(int(band.tolerance.upper));
        if (band.current) setting += ui::qs("（当前）");
        addRow(ui::qs("容错"), setting, band.figures, band.current);
    }
    const std::vector<CheckColumn>& columns = run.matrix.columns();
    for (const ConditionOff& off : w.conditions) {
        const QString caption = off.column < columns.size() ? ui::qs(columns[off.column].caption)
                                                            : QString::number(off.column + 1);
        addRow(ui::qs("关掉条件"), caption, off.figures, false);
    }
}

bool BacktestTables::copyDrawTable() {
    if (!report_) {
        services_.tell(kRunFirst, MessageIcon::Information);
        return false;
    }
    return services_.copy(backtestDrawTable(*report_, "\r\n") + "\r\n" +
                          backtestSummaryText(*report_, "\r\n"));
}

bool BacktestTables::copyColumnTable() {
    if (!report_) {
        services_.tell(kRunFirst, MessageIcon::Information);
        return false;
    }
    return services_.copy(backtestColumnTable(*report_, "\r\n"));
}

}  // namespace numsift
