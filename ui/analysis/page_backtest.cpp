#include "ui/analysis/page_backtest.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QMimeData>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <functional>

#include "analysis/analysis_text.h"
#include "analysis/draw_history.h"
#include "analysis/draw_store.h"
#include "conditions/run_order.h"
#include "io/text_file.h"
#include "ui/analysis/backtest_models.h"
#include "ui/analysis/copy_table_view.h"
#include "ui/analysis/kept_history.h"
#include "ui/shell/widget_kit.h"

namespace numsift {

namespace {

constexpr const char* kNoDraws =
    "没有可验证的开奖号码。\r\n请在左边的框里输入、粘贴或导入历史开奖，每行一期，例如：2026120 35789";
constexpr const char* kBadNumber = "请输入一个五位数号码，例如 35789";
constexpr const char* kRunFirst = "请先点击【开始验证】";
constexpr const char* kImportTitle = "导入提示";
constexpr const char* kImportNoDraws =
    "选择的文件里没有开奖号码，历史开奖保持不变。\r\n每行一期，期号在前、号码在后，例如：2026120 35789";
constexpr const char* kDrawsUnchanged = "历史开奖保持不变。";
constexpr const char* kDrawsPlaceholder =
    "每行一期，期号在前、号码在后，例如：\n2026120 35789\n2026121 3 5 7 8 "
    "9\n2026122,02468\n\n可粘贴或点击【导入】读入 .txt 文件";
constexpr const char* kLegendText =
    "误杀偏多：该条件杀掉的历史开奖，明显多于按它所杀号码的比例应有的期数"
    "（二项检验，按全部条件 Holm 校正后 p ≤ 5%）。双击开奖表中的一行可诊断该号码。";
constexpr int kCountDelayMs = 250;

// Where the controls stand (pixels). Left column: the past draws with their
// buttons and count, then the diagnosis of one number; right column: the
// summary, the draw table, its copy buttons, the condition table, the legend.
constexpr QRect kDrawsTitle(8, 4, 240, 18);
constexpr QRect kDrawsBox(8, 24, 240, 286);
constexpr QRect kDrawsButtons[3] = {{8, 314, 56, 25}, {68, 314, 56, 25}, {128, 314, 120, 25}};
constexpr QRect kDrawsNote(8, 342, 240, 34);
constexpr QRect kExplainTitle(8, 382, 240, 18);
constexpr QRect kExplainBox(8, 402, 110, 24);
constexpr QRect kExplainButton(122, 402, 60, 24);
constexpr QRect kCopyExplanationButton(186, 402, 62, 24);
constexpr QRect kExplainLabel(8, 430, 240, 52);
constexpr QRect kExplainTable(8, 484, 240, 134);
constexpr QRect kSummaryLabel(256, 4, 533, 38);
constexpr QRect kDrawTable(256, 44, 533, 298);
constexpr QRect kCopyDrawTableButton(256, 346, 100, 25);
constexpr QRect kCopyColumnTableButton(360, 346, 100, 25);
constexpr QRect kWhatIfButton(464, 346, 100, 25);  // "假如表": in the condition table's place
constexpr QRect kColumnTable(256, 375, 533, 206);
constexpr QRect kLegend(256, 584, 533, 34);

const QColor kFailColour(176, 0, 0);

constexpr const char* kNotSaved = "开奖历史未能保存：";

// The draws box; a paste is first offered to the page, which merges the
// draws into the kept history.
class DrawsBox : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;
    std::function<bool(const QString&)> pasteHook;  // true: the paste is taken care of

protected:
    void insertFromMimeData(const QMimeData* source) override {
        if (pasteHook && source->hasText() && pasteHook(source->text())) return;
        QPlainTextEdit::insertFromMimeData(source);
    }
};

bool anyIssue(const DrawHistory& h) {
    return std::any_of(h.draws.begin(), h.draws.end(), [](const Draw& d) { return !d.issue.empty(); });
}
bool everyIssue(const DrawHistory& h) {
    return std::all_of(h.draws.begin(), h.draws.end(), [](const Draw& d) { return !d.issue.empty(); });
}

std::string boxUtf8(const QPlainTextEdit* box) { return box->toPlainText().toStdString(); }

QSortFilterProxyModel* sortedProxy(QAbstractItemModel* source, QObject* parent) {
    auto* proxy = new QSortFilterProxyModel(parent);
    proxy->setSourceModel(source);
    proxy->setSortRole(kSortRole);
    return proxy;
}

}  // namespace

PageBacktest::PageBacktest(PanelAccess access, PageServices services, QWidget* parent)
    : QFrame(parent), access_(std::move(access)), services_(services) {
    setObjectName(QStringLiteral("backtestPage"));
    setFrameShape(QFrame::NoFrame);

    // Left column: the past draws and the diagnosis of one number.
    ui::placeLabel(this, ui::qs("历史开奖（每行一期）"), kDrawsTitle, QStringLiteral("drawsTitle"));
    auto* drawsBox = new DrawsBox(this);
    drawsBox->pasteHook = [this](const QString& text) { return mergePasted(text); };
    drawsBox_ = drawsBox;
    drawsBox_->setObjectName(QStringLiteral("drawsBox"));
    drawsBox_->setGeometry(kDrawsBox);
    drawsBox_->setPlaceholderText(ui::qs(kDrawsPlaceholder));
    drawsBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    const char* drawCaptions[3] = {"清空", "导入", "开始验证"};
    const char* drawNames[3] = {"clearDrawsButton", "importDrawsButton", "runBacktestButton"};
    for (int i = 0; i < 3; ++i)
        drawsButtons_[i] = ui::placeButton(this, ui::qs(drawCaptions[i]), kDrawsButtons[i],
                                           QString::fromLatin1(drawNames[i]));
    QFont bold = drawsButtons_[2]->font();
    bold.setBold(true);
    drawsButtons_[2]->setFont(bold);
    drawsNote_ = ui::placeLabel(this, ui::qs("共 0 期"), kDrawsNote, QStringLiteral("drawsNote"));
    drawsNote_->setWordWrap(true);
    drawsNote_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* explainTitle =
        ui::placeLabel(this, ui::qs("号码诊断"), kExplainTitle, QStringLiteral("explainTitle"));
    explainTitle->setFont(bold);
    explainBox_ = new QLineEdit(this);
    explainBox_->setObjectName(QStringLiteral("explainBox"));
    explainBox_->setGeometry(kExplainBox);
    explainBox_->setMaxLength(20);
    explainBox_->setPlaceholderText(ui::qs("五位数号码"));
    auto* explainButton =
        ui::placeButton(this, ui::qs("诊断"), kExplainButton, QStringLiteral("explainButton"));
    auto* copyExplanationButton = ui::placeButton(this, ui::qs("复制"), kCopyExplanationButton,
                                                  QStringLiteral("copyExplanationButton"));
    explainLabel_ = ui::placeLabel(this, QString(), kExplainLabel, QStringLiteral("explainLabel"));
    explainLabel_->setWordWrap(true);
    explainLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    explainTable_ = new QTableWidget(0, 3, this);
    explainTable_->setObjectName(QStringLiteral("explainTable"));
    explainTable_->setGeometry(kExplainTable);
    explainTable_->setHorizontalHeaderLabels({ui::qs("步骤"), ui::qs("条件"), ui::qs("结果")});
    explainTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    explainTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    explainTable_->verticalHeader()->hide();
    explainTable_->verticalHeader()->setDefaultSectionSize(20);
    explainTable_->setColumnWidth(0, 36);
    explainTable_->setColumnWidth(1, 104);
    explainTable_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    explainTable_->horizontalHeader()->setStretchLastSection(true);

    // Right column: summary, the draw table and the condition table.
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
    connect(whatIfButton_, &QPushButton::toggled, this, &PageBacktest::showWhatIf);

    auto* legend = ui::placeLabel(this, ui::qs(kLegendText), kLegend, QStringLiteral("legend"));
    legend->setWordWrap(true);
    legend->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const auto copySink = [this](const std::string& text) { copyText(text); };
    drawTable_->setCopySink(copySink);
    columnTable_->setCopySink(copySink);
    whatIfTable_->setCopySink(copySink);

    countTimer_ = new QTimer(this);
    countTimer_->setSingleShot(true);
    countTimer_->setInterval(kCountDelayMs);
    connect(countTimer_, &QTimer::timeout, this, &PageBacktest::updateDrawCount);
    connect(drawsBox_, &QPlainTextEdit::textChanged, countTimer_, qOverload<>(&QTimer::start));
    connect(drawsBox_, &QPlainTextEdit::textChanged, this, [this] {
        if (!settingBox_) showsKept_ = false;
    });

    connect(drawsButtons_[0], &QPushButton::clicked, this, &PageBacktest::clearDraws);
    connect(drawsButtons_[1], &QPushButton::clicked, this, [this] { importDraws(); });
    connect(drawsButtons_[2], &QPushButton::clicked, this, [this] { runBacktest(); });
    connect(explainButton, &QPushButton::clicked, this, [this] { explainNumber(); });
    connect(explainBox_, &QLineEdit::returnPressed, this, [this] { explainNumber(); });
    connect(copyExplanationButton, &QPushButton::clicked, this, [this] { copyExplanation(); });
    connect(copyDraws, &QPushButton::clicked, this, [this] { copyDrawTable(); });
    connect(copyColumns, &QPushButton::clicked, this, [this] { copyColumnTable(); });
    connect(drawTable_, &QAbstractItemView::doubleClicked, this, &PageBacktest::drawRowActivated);
}

PageBacktest::~PageBacktest() = default;

void PageBacktest::showMessage(const std::string& text, MessageIcon icon, const char* title) {
    if (!services_.messages) return;
    services_.messages->show(Message{title ? title : kProductName, text, icon, MessageButtons::Ok});
}

bool PageBacktest::copyText(const std::string& text) {
    if (!services_.clipboard || !services_.messages) return false;
    return copyToClipboard(*services_.clipboard, *services_.messages, text);
}

void PageBacktest::updateDrawCount() { showDrawCount(parseDraws(boxUtf8(drawsBox_))); }

void PageBacktest::showDrawCount(const DrawHistory& h) {
    countTimer_->stop();
    std::string note = "共 " + std::to_string(h.draws.size()) + " 期";
    if (h.badLineCount > 0) note += "；" + badLinesNote(h);
    drawsNote_->setText(ui::qs(note));
}

void PageBacktest::clearDraws() {
    drawsBox_->clear();
    updateDrawCount();
}

bool PageBacktest::importDraws() {
    if (!services_.files) return false;
    FileDialogRequest request;
    request.filter = "文本文件|*.txt";
    request.dialogTitle = "导入历史开奖";
    const FileDialogResult choice = services_.files->run(request);
    if (choice.cancel || choice.fileName.empty()) return false;
    const TextFileResult file = readTextFile(QString::fromStdString(choice.fileName));
    if (!file.ok) {
        showMessage("无法导入文件：" + choice.fileName + "\r\n" + file.error.toStdString() + "\r\n\r\n" +
                        kDrawsUnchanged,
                    MessageIcon::Exclamation, kImportTitle);
        return false;
    }
    // A file without a single draw (a base-set file, a file in another
    // format) would only wipe the draws the player has typed: say so and
    // keep them.
    const DrawHistory h = parseDraws(file.text.toStdString());
    if (h.draws.empty()) {
        std::string text = kImportNoDraws;
        if (h.badLineCount > 0) text += "\r\n" + badLinesNote(h);
        showMessage(text, MessageIcon::Exclamation, kImportTitle);
        return false;
    }
    // Draws with issues join the kept history; the box then shows all of
    // it, unless some draws had no issue (they are not kept, and shown as
    // the file has them).
    if (history_ && anyIssue(h)) mergeIntoHistory(h);
    if (history_ && everyIssue(h) && !history_->store().empty()) {
        showKeptDraws();
    } else {
        drawsBox_->setPlainText(file.text);
        showDrawCount(h);
    }
    return true;
}

void PageBacktest::keepDrawsIn(KeptHistory* history) {
    history_ = history;
    // A history loaded from its file shows where the box is free for it.
    const auto loaded = [this] {
        if (!merging_ && (drawsBox_->document()->isEmpty() || showsKept_)) showKeptDraws();
    };
    connect(history_, &KeptHistory::historyChanged, this, loaded);
    if (!history_->store().empty()) loaded();
}

void PageBacktest::showKeptDraws() {
    settingBox_ = true;
    drawsBox_->setPlainText(QString::fromStdString(history_->drawsText()));
    settingBox_ = false;
    showsKept_ = !history_->store().empty();
    updateDrawCount();
}

bool PageBacktest::mergePasted(const QString& text) {
    if (!history_) return false;
    const DrawHistory h = parseDraws(text.toStdString());
    if (!anyIssue(h)) return false;
    const bool showedKept = showsKept_ || drawsBox_->document()->isEmpty();
    mergeIntoHistory(h);
    // The box showed the kept draws (or nothing): it shows them again, the
    // pasted ones in their places. Otherwise the paste goes in as it is.
    if (!showedKept || !everyIssue(h)) return false;
    showKeptDraws();
    return true;
}

void PageBacktest::mergeIntoHistory(const DrawHistory& parsed) {
    merging_ = true;
    const HistoryMerge merged = history_->merge(parsed);
    merging_ = false;
    const MergeReport& r = merged.report;
    std::string text;
    if (!r.conflicts.empty() || r.withoutIssue > 0) text = "开奖历史：" + mergeNote(r) + "。";
    if (!merged.save.ok) {
        if (!text.empty()) text += "\r\n";
        text += kNotSaved + merged.save.error.toStdString();
    }
    if (text.empty()) return;
    showMessage(text, merged.save.ok ? MessageIcon::Information : MessageIcon::Exclamation, kImportTitle);
}

bool PageBacktest::runBacktest() {
    if (access_.commitFocus && !access_.commitFocus()) return false;
    const DrawHistory h = parseDraws(boxUtf8(drawsBox_));
    showDrawCount(h);
    if (h.draws.empty()) {
        std::string text = kNoDraws;
        if (h.badLineCount > 0) text += "\r\n" + badLinesNote(h);
        showMessage(text, MessageIcon::Exclamation);
        return false;
    }
    const Tolerance tolerance = access_.tolerance ? access_.tolerance() : Tolerance{};
    const GroupedTolerance grouping(tolerance,
                                    access_.groups ? access_.groups() : std::vector<ToleranceGroup>{});
    const FilterInput input = access_.filterInput ? access_.filterInput() : FilterInput{};
    // One run serves the backtest and every row of the what-if table.
    const RunResult run = runFilter(input, access_.base ? access_.base() : NumberSet{}, grouping);
    auto report = std::make_shared<const BacktestReport>(backtestRun(run, runOrder(), input, h.draws));
    report_ = report;
    drawModel_->setReport(report);
    columnModel_->setReport(report);
    whatIf_ = std::make_unique<WhatIf>(numsift::whatIf(run, *report));
    fillWhatIf(run);
    std::string summary = backtestSummaryLine(*report) + "，容错 " + std::to_string(tolerance.lower) + "-" +
                          std::to_string(tolerance.upper);
    if (!grouping.groups.empty()) summary += "，另有 " + std::to_string(grouping.groups.size()) + " 个分组";
    if (report->columns.empty()) summary += "（没有生效的条件）";
    summaryLabel_->setText(ui::qs(summary));
    return true;
}

void PageBacktest::showWhatIf(bool shown) {
    if (whatIfButton_->isChecked() != shown) whatIfButton_->setChecked(shown);  // comes back here
    whatIfTable_->setVisible(shown);
    columnTable_->setVisible(!shown);
}

void PageBacktest::fillWhatIf(const RunResult& run) {
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

bool PageBacktest::explainNumber() {
    const std::optional<std::uint32_t> value = parseSingleNumber(explainBox_->text().toStdString());
    if (!value) {
        showMessage(kBadNumber, MessageIcon::Exclamation);
        return false;
    }
    if (access_.commitFocus && !access_.commitFocus()) return false;
    explainNumber(*value);
    return true;
}

void PageBacktest::explainNumber(std::uint32_t value) {
    const GroupedTolerance grouping(access_.tolerance ? access_.tolerance() : Tolerance{},
                                    access_.groups ? access_.groups() : std::vector<ToleranceGroup>{});
    explanation_ =
        std::make_unique<Explanation>(explain(access_.filterInput ? access_.filterInput() : FilterInput{},
                                              access_.base ? access_.base() : NumberSet{}, grouping, value));
    const Explanation& e = *explanation_;
    explainBox_->setText(QString::fromStdString(numberText(e.value)));

    std::string failed;
    for (const CheckVerdict& c : e.checks)
        if (c.failed) failed += (failed.empty() ? "" : "、") + c.caption;
    std::string line = numberText(e.value) + "：" + (e.survives ? "保留" : "淘汰") + "。错误 " +
                       std::to_string(e.failCount) + "/" + std::to_string(e.checks.size()) + " 项" +
                       (failed.empty() ? "" : "（" + failed + "）") + "，" +
                       (e.withinTolerance ? "在容错 " : "超出容错 ") + std::to_string(e.tolerance.lower) +
                       "-" + std::to_string(e.tolerance.upper) + (e.withinTolerance ? " 内" : "");
    if (e.baseUsed) line += e.inBase ? "，在大底中" : "，不在大底中";
    explainLabel_->setText(ui::qs(line));
    QPalette pal = explainLabel_->palette();
    pal.setColor(QPalette::WindowText, e.survives ? palette().color(QPalette::WindowText) : kFailColour);
    explainLabel_->setPalette(pal);

    explainTable_->setRowCount(static_cast<int>(e.checks.size()));
    for (int r = 0; r < static_cast<int>(e.checks.size()); ++r) {
        const CheckVerdict& c = e.checks[static_cast<std::size_t>(r)];
        const QString cells[3] = {QString::number(c.step), ui::qs(c.caption),
                                  ui::qs(c.failed ? "未通过" : "通过")};
        for (int k = 0; k < 3; ++k) {
            auto* item = new QTableWidgetItem(cells[k]);
            if (c.failed) item->setForeground(QBrush(kFailColour));
            explainTable_->setItem(r, k, item);
        }
    }
}

void PageBacktest::drawRowActivated(const QModelIndex& proxyIndex) {
    const QModelIndex source = drawProxy_->mapToSource(proxyIndex);
    if (!source.isValid()) return;
    explainNumber(drawModel_->numberAt(source.row()));
}

bool PageBacktest::copyDrawTable() {
    if (!report_) {
        showMessage(kRunFirst, MessageIcon::Information);
        return false;
    }
    return copyText(backtestDrawTable(*report_, "\r\n") + "\r\n" + backtestSummaryText(*report_, "\r\n"));
}

bool PageBacktest::copyColumnTable() {
    if (!report_) {
        showMessage(kRunFirst, MessageIcon::Information);
        return false;
    }
    return copyText(backtestColumnTable(*report_, "\r\n"));
}

bool PageBacktest::copyExplanation() {
    if (!explanation_) {
        showMessage(kBadNumber, MessageIcon::Information);
        return false;
    }
    return copyText(explainText(*explanation_, "\r\n"));
}

}  // namespace numsift
