#include "ui/analysis/page_backtest.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableWidget>
#include <QTimer>

#include "analysis/analysis_text.h"
#include "analysis/draw_history.h"
#include "io/text_file.h"
#include "ui/analysis/backtest_models.h"
#include "ui/analysis/copy_table_view.h"
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
constexpr const char* kLegend =
    "误杀偏多：该条件杀掉的历史开奖，明显多于按它所杀号码的比例应有的期数"
    "（二项检验，按全部条件 Holm 校正后 p ≤ 5%）。双击开奖表中的一行可诊断该号码。";
constexpr int kCountDelayMs = 250;

const QColor kFailColour(176, 0, 0);

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
    setObjectName(QStringLiteral("fraBacktest"));
    setFrameShape(QFrame::NoFrame);

    // Left column: the past draws and the diagnosis of one number.
    ui::placeLabel(this, ui::qs("历史开奖（每行一期）"), QRect(8, 4, 240, 18), ui::memberName("lblDraws", 0));
    txtDraws_ = new QPlainTextEdit(this);
    txtDraws_->setObjectName(QStringLiteral("txtDraws"));
    txtDraws_->setGeometry(8, 24, 240, 286);
    txtDraws_->setPlaceholderText(ui::qs(kDrawsPlaceholder));
    txtDraws_->setLineWrapMode(QPlainTextEdit::NoWrap);
    const char* drawCaptions[3] = {"清空", "导入", "开始验证"};
    const QRect drawPlaces[3] = {QRect(8, 314, 56, 25), QRect(68, 314, 56, 25), QRect(128, 314, 120, 25)};
    for (int i = 0; i < 3; ++i)
        cmdDraws_[i] =
            ui::placeButton(this, ui::qs(drawCaptions[i]), drawPlaces[i], ui::memberName("cmdDraws", i));
    QFont bold = cmdDraws_[2]->font();
    bold.setBold(true);
    cmdDraws_[2]->setFont(bold);
    lblDrawsNote_ =
        ui::placeLabel(this, ui::qs("共 0 期"), QRect(8, 342, 240, 34), ui::memberName("lblDraws", 1));
    lblDrawsNote_->setWordWrap(true);
    lblDrawsNote_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* explainTitle =
        ui::placeLabel(this, ui::qs("号码诊断"), QRect(8, 382, 240, 18), QStringLiteral("lblExplainTitle"));
    explainTitle->setFont(bold);
    txtExplain_ = new QLineEdit(this);
    txtExplain_->setObjectName(QStringLiteral("txtExplain"));
    txtExplain_->setGeometry(8, 402, 110, 24);
    txtExplain_->setMaxLength(20);
    txtExplain_->setPlaceholderText(ui::qs("五位数号码"));
    auto* cmdExplain =
        ui::placeButton(this, ui::qs("诊断"), QRect(122, 402, 60, 24), QStringLiteral("cmdExplain"));
    auto* cmdCopyExplain =
        ui::placeButton(this, ui::qs("复制"), QRect(186, 402, 62, 24), QStringLiteral("cmdCopyExplain"));
    lblExplain_ = ui::placeLabel(this, QString(), QRect(8, 430, 240, 52), QStringLiteral("lblExplain"));
    lblExplain_->setWordWrap(true);
    lblExplain_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tblExplain_ = new QTableWidget(0, 3, this);
    tblExplain_->setObjectName(QStringLiteral("tblExplain"));
    tblExplain_->setGeometry(8, 484, 240, 134);
    tblExplain_->setHorizontalHeaderLabels({ui::qs("步骤"), ui::qs("条件"), ui::qs("结果")});
    tblExplain_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblExplain_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblExplain_->verticalHeader()->hide();
    tblExplain_->verticalHeader()->setDefaultSectionSize(20);
    tblExplain_->setColumnWidth(0, 36);
    tblExplain_->setColumnWidth(1, 104);
    tblExplain_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tblExplain_->horizontalHeader()->setStretchLastSection(true);

    // Right column: summary, the draw table and the condition table.
    lblBacktest_ =
        ui::placeLabel(this, ui::qs("输入历史开奖后点击【开始验证】，看当前条件在过去各期能否保留开奖号码。"),
                       QRect(256, 4, 533, 38), QStringLiteral("lblBacktest"));
    lblBacktest_->setWordWrap(true);
    lblBacktest_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblBacktest_->setFont(bold);

    drawModel_ = new DrawTableModel(this);
    drawProxy_ = sortedProxy(drawModel_, this);
    tblDraws_ = new CopyTableView(this);
    tblDraws_->setObjectName(QStringLiteral("tblDraws"));
    tblDraws_->setModel(drawProxy_);
    tblDraws_->setGeometry(256, 44, 533, 298);
    tblDraws_->sortByColumn(-1, Qt::AscendingOrder);  // the order of the text until a header is clicked
    const int drawWidths[DrawTableModel::ColumnCount] = {110, 60, 50, 62, 200};
    for (int c = 0; c < DrawTableModel::ColumnCount; ++c) tblDraws_->setColumnWidth(c, drawWidths[c]);
    tblDraws_->horizontalHeader()->setStretchLastSection(true);

    auto* copyDraws = ui::placeButton(this, ui::qs("复制开奖表"), QRect(256, 346, 100, 25),
                                      ui::memberName("cmdCopyBacktest", 0));
    auto* copyColumns = ui::placeButton(this, ui::qs("复制条件表"), QRect(360, 346, 100, 25),
                                        ui::memberName("cmdCopyBacktest", 1));

    columnModel_ = new ColumnTableModel(this);
    columnProxy_ = sortedProxy(columnModel_, this);
    tblColumns_ = new CopyTableView(this);
    tblColumns_->setObjectName(QStringLiteral("tblColumns"));
    tblColumns_->setModel(columnProxy_);
    tblColumns_->setGeometry(256, 375, 533, 206);
    tblColumns_->sortByColumn(-1, Qt::AscendingOrder);
    // Ten columns in the table's width: the step column numbers the rows.
    tblColumns_->verticalHeader()->hide();
    const int columnWidths[ColumnTableModel::ColumnCount] = {30, 72, 56, 56, 56, 56, 38, 56, 44, 52};
    for (int c = 0; c < ColumnTableModel::ColumnCount; ++c) tblColumns_->setColumnWidth(c, columnWidths[c]);
    tblColumns_->horizontalHeader()->setStretchLastSection(true);

    auto* legend =
        ui::placeLabel(this, ui::qs(kLegend), QRect(256, 584, 533, 34), QStringLiteral("lblBacktestLegend"));
    legend->setWordWrap(true);
    legend->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const auto copySink = [this](const std::string& text) { copyText(text); };
    tblDraws_->setCopySink(copySink);
    tblColumns_->setCopySink(copySink);

    countTimer_ = new QTimer(this);
    countTimer_->setSingleShot(true);
    countTimer_->setInterval(kCountDelayMs);
    connect(countTimer_, &QTimer::timeout, this, &PageBacktest::updateDrawCount);
    connect(txtDraws_, &QPlainTextEdit::textChanged, countTimer_, qOverload<>(&QTimer::start));

    connect(cmdDraws_[0], &QPushButton::clicked, this, &PageBacktest::clearDraws);
    connect(cmdDraws_[1], &QPushButton::clicked, this, [this] { importDraws(); });
    connect(cmdDraws_[2], &QPushButton::clicked, this, [this] { runBacktest(); });
    connect(cmdExplain, &QPushButton::clicked, this, [this] { explainNumber(); });
    connect(txtExplain_, &QLineEdit::returnPressed, this, [this] { explainNumber(); });
    connect(cmdCopyExplain, &QPushButton::clicked, this, [this] { copyExplanation(); });
    connect(copyDraws, &QPushButton::clicked, this, [this] { copyDrawTable(); });
    connect(copyColumns, &QPushButton::clicked, this, [this] { copyColumnTable(); });
    connect(tblDraws_, &QAbstractItemView::doubleClicked, this, &PageBacktest::drawRowActivated);
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

void PageBacktest::updateDrawCount() { showDrawCount(parseDraws(boxUtf8(txtDraws_))); }

void PageBacktest::showDrawCount(const DrawHistory& h) {
    countTimer_->stop();
    std::string note = "共 " + std::to_string(h.draws.size()) + " 期";
    if (h.badLineCount > 0) note += "；" + badLinesNote(h);
    lblDrawsNote_->setText(ui::qs(note));
}

void PageBacktest::clearDraws() {
    txtDraws_->clear();
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
    txtDraws_->setPlainText(file.text);
    showDrawCount(h);
    return true;
}

bool PageBacktest::runBacktest() {
    if (access_.commitFocus && !access_.commitFocus()) return false;
    const DrawHistory h = parseDraws(boxUtf8(txtDraws_));
    showDrawCount(h);
    if (h.draws.empty()) {
        std::string text = kNoDraws;
        if (h.badLineCount > 0) text += "\r\n" + badLinesNote(h);
        showMessage(text, MessageIcon::Exclamation);
        return false;
    }
    const Tolerance tolerance = access_.tolerance ? access_.tolerance() : Tolerance{};
    auto report = std::make_shared<const BacktestReport>(
        backtest(access_.filterInput ? access_.filterInput() : FilterInput{},
                 access_.base ? access_.base() : NumberSet{}, tolerance, h.draws));
    report_ = report;
    drawModel_->setReport(report);
    columnModel_->setReport(report);
    std::string summary = backtestSummaryLine(*report) + "，容错 " + std::to_string(tolerance.lower) + "-" +
                          std::to_string(tolerance.upper);
    if (report->columns.empty()) summary += "（没有生效的条件）";
    lblBacktest_->setText(ui::qs(summary));
    return true;
}

bool PageBacktest::explainNumber() {
    const std::optional<std::uint32_t> value = parseSingleNumber(txtExplain_->text().toStdString());
    if (!value) {
        showMessage(kBadNumber, MessageIcon::Exclamation);
        return false;
    }
    if (access_.commitFocus && !access_.commitFocus()) return false;
    explainNumber(*value);
    return true;
}

void PageBacktest::explainNumber(std::uint32_t value) {
    const Tolerance tolerance = access_.tolerance ? access_.tolerance() : Tolerance{};
    explanation_ =
        std::make_unique<Explanation>(explain(access_.filterInput ? access_.filterInput() : FilterInput{},
                                              access_.base ? access_.base() : NumberSet{}, tolerance, value));
    const Explanation& e = *explanation_;
    txtExplain_->setText(QString::fromStdString(numberText(e.value)));

    std::string failed;
    for (const CheckVerdict& c : e.checks)
        if (c.failed) failed += (failed.empty() ? "" : "、") + c.caption;
    std::string line = numberText(e.value) + "：" + (e.survives ? "保留" : "淘汰") + "。错误 " +
                       std::to_string(e.failCount) + "/" + std::to_string(e.checks.size()) + " 项" +
                       (failed.empty() ? "" : "（" + failed + "）") + "，" +
                       (e.withinTolerance ? "在容错 " : "超出容错 ") + std::to_string(e.tolerance.lower) +
                       "-" + std::to_string(e.tolerance.upper) + (e.withinTolerance ? " 内" : "");
    if (e.baseUsed) line += e.inBase ? "，在大底中" : "，不在大底中";
    lblExplain_->setText(ui::qs(line));
    QPalette pal = lblExplain_->palette();
    pal.setColor(QPalette::WindowText, e.survives ? palette().color(QPalette::WindowText) : kFailColour);
    lblExplain_->setPalette(pal);

    tblExplain_->setRowCount(static_cast<int>(e.checks.size()));
    for (int r = 0; r < static_cast<int>(e.checks.size()); ++r) {
        const CheckVerdict& c = e.checks[static_cast<std::size_t>(r)];
        const QString cells[3] = {QString::number(c.step), ui::qs(c.caption),
                                  ui::qs(c.failed ? "未通过" : "通过")};
        for (int k = 0; k < 3; ++k) {
            auto* item = new QTableWidgetItem(cells[k]);
            if (c.failed) item->setForeground(QBrush(kFailColour));
            tblExplain_->setItem(r, k, item);
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
