#include "ui/results/stack_dialog.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "io/scheme_file.h"
#include "ui/kit/file_choice.h"
#include "ui/kit/panel.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

constexpr const char* kTitle = "方案叠加";

QPushButton* button(QWidget* parent, const char* caption, const char* name) {
    auto* b = new QPushButton(ui::qs(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

StackDialog::StackDialog(Panel& panel, FileDialogs& files, MessageSink& messages, QWidget* parent)
    : QDialog(parent), panel_(panel), files_(files), messages_(messages) {
    setWindowTitle(ui::qs(kTitle));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("stackSchemes"));
    auto* addFile = button(this, "添加方案文件", "addSchemeFileButton");
    auto* addPanel = button(this, "添加当前条件", "addCurrentPanelButton");
    auto* remove = button(this, "删除", "removeSchemeButton");
    auto* run = button(this, "开始叠加", "runStackButton");
    send_ = button(this, "送到结果区", "sendStackButton");
    send_->setEnabled(false);
    lowest_ = new QSpinBox(this);
    lowest_->setObjectName(QStringLiteral("stackLowest"));
    highest_ = new QSpinBox(this);
    highest_->setObjectName(QStringLiteral("stackHighest"));
    for (QSpinBox* box : {lowest_, highest_}) box->setRange(0, 0);
    histogram_ = new QTableWidget(0, 2, this);
    histogram_->setObjectName(QStringLiteral("stackHistogram"));
    histogram_->setHorizontalHeaderLabels({ui::qs("被几个方案保留"), ui::qs("号码数")});
    histogram_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    histogram_->verticalHeader()->hide();
    // Each column as wide as its header and figures; the last takes the rest.
    histogram_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    histogram_->horizontalHeader()->setStretchLastSection(true);
    summary_ = new QLabel(
        ui::qs("添加两个以上方案，选择保留次数范围（开始为被全部方案保留），点【开始叠加】。"), this);
    summary_->setObjectName(QStringLiteral("stackSummary"));
    summary_->setWordWrap(true);

    auto* listButtons = new QHBoxLayout;
    for (QPushButton* b : {addFile, addPanel, remove}) listButtons->addWidget(b);
    listButtons->addStretch();
    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel(ui::qs("保留被"), this));
    range->addWidget(lowest_);
    range->addWidget(new QLabel(QStringLiteral("-"), this));
    range->addWidget(highest_);
    range->addWidget(new QLabel(ui::qs("个方案保留的号码"), this));
    range->addStretch();
    range->addWidget(run);
    range->addWidget(send_);
    auto* whole = new QVBoxLayout(this);
    whole->addWidget(new QLabel(ui::qs("方案（2-20 个，各用自己的容错和分组）"), this));
    whole->addWidget(list_);
    whole->addLayout(listButtons);
    whole->addLayout(range);
    whole->addWidget(summary_);
    whole->addWidget(histogram_);
    resize(520, 560);

    connect(addFile, &QPushButton::clicked, this, [this] { addSchemeFile(); });
    connect(addPanel, &QPushButton::clicked, this, [this] { addCurrentPanel(); });
    connect(remove, &QPushButton::clicked, this, [this] { removeSelected(); });
    connect(run, &QPushButton::clicked, this, [this] { runStack(); });
    connect(send_, &QPushButton::clicked, this, [this] { sendResult(); });
    for (QSpinBox* box : {lowest_, highest_})
        connect(box, &QSpinBox::valueChanged, this, [this] { showChosen(); });
}

StackDialog::~StackDialog() = default;

void StackDialog::tell(const std::string& text, MessageIcon icon) {
    messages_.show(Message{kTitle, text, icon, MessageButtons::Ok});
}

bool StackDialog::addSchemeFile() {
    const QString path = chooseFile(files_, kSchemeFilter, "", "添加方案文件", false);
    if (path.isEmpty()) return false;
    return addSchemeFrom(path);
}

bool StackDialog::addSchemeFrom(const QString& path) {
    if (schemes_.size() >= kMaxStackedSchemes) {
        tell("最多叠加 " + std::to_string(kMaxStackedSchemes) + " 个方案");
        return false;
    }
    const SchemeFileRead read = readSchemeFile(path);
    if (read.problem == SchemeFileRead::Problem::Unreadable) {
        tell("无法读取方案：" + read.error + "\r\n" + path.toStdString());
        return false;
    }
    if (!read.ok()) {
        tell("方案文件有错误，没有添加：\r\n" + read.error);
        return false;
    }
    add(read.scheme, QFileInfo(path).fileName());
    return true;
}

bool StackDialog::addCurrentPanel() {
    if (schemes_.size() >= kMaxStackedSchemes) {
        tell("最多叠加 " + std::to_string(kMaxStackedSchemes) + " 个方案");
        return false;
    }
    if (!panel_.commitEntries()) return false;
    add(panel_.runScheme(), ui::qs("当前条件"));
    return true;
}

void StackDialog::add(Scheme scheme, const QString& label) {
    const Tolerance t = scheme.tolerance;
    QString text = ui::qs("%1（容错 %2-%3").arg(label).arg(int(t.lower)).arg(int(t.upper));
    if (!scheme.groups.empty()) text += ui::qs("，%1 个分组").arg(scheme.groups.size());
    list_->addItem(text + ui::qs("）"));
    schemes_.push_back(std::move(scheme));
    schemesChanged();
}

void StackDialog::removeSelected() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(schemes_.size())) return;
    schemes_.erase(schemes_.begin() + row);
    delete list_->takeItem(row);
    schemesChanged();
}

void StackDialog::schemesChanged() {
    // A count is out of date once the list changes.
    stack_.reset();
    histogram_->setRowCount(0);
    send_->setEnabled(false);
    // The range starts as N-N, the numbers every scheme keeps; a bound the
    // player left at the top follows the top as schemes come and go.
    const int n = static_cast<int>(schemes_.size());
    for (QSpinBox* box : {lowest_, highest_}) {
        const bool followTop = box->value() == box->maximum();
        box->setMaximum(n);
        if (followTop) box->setValue(n);
    }
    summary_->setText(ui::qs("共 %1 个方案。").arg(n));
}

bool StackDialog::runStack() {
    if (schemes_.size() < kMinStackedSchemes) {
        tell("至少要有 " + std::to_string(kMinStackedSchemes) + " 个方案才能叠加");
        return false;
    }
    stack_ = std::make_unique<StackCounts>(stackSchemes(schemes_, panel_.base()));
    histogram_->setRowCount(static_cast<int>(stack_->histogram.size()));
    for (std::size_t c = 0; c < stack_->histogram.size(); ++c) {
        const int row = static_cast<int>(c);
        histogram_->setItem(row, 0, new QTableWidgetItem(QString::number(c)));
        histogram_->setItem(row, 1, new QTableWidgetItem(QString::number(stack_->histogram[c])));
    }
    showChosen();
    return true;
}

std::vector<std::uint32_t> StackDialog::chosenNumbers() const {
    if (!stack_) return {};
    const auto low = static_cast<std::size_t>(std::min(lowest_->value(), highest_->value()));
    const auto high = static_cast<std::size_t>(std::max(lowest_->value(), highest_->value()));
    return stackedResult(*stack_, low, high);
}

std::vector<std::uint16_t> StackDialog::chosenCounts() const {
    if (!stack_) return {};
    const int low = std::min(lowest_->value(), highest_->value());
    const int high = std::max(lowest_->value(), highest_->value());
    std::vector<std::uint16_t> counts;
    for (std::uint16_t c : stack_->counts)
        if (c >= low && c <= high) counts.push_back(c);
    return counts;
}

void StackDialog::showChosen() {
    if (!stack_) return;
    const int low = std::min(lowest_->value(), highest_->value());
    const int high = std::max(lowest_->value(), highest_->value());
    std::size_t kept = 0;
    for (int c = low; c <= high && c < static_cast<int>(stack_->histogram.size()); ++c)
        kept += stack_->histogram[static_cast<std::size_t>(c)];
    for (int row = 0; row < histogram_->rowCount(); ++row) {
        const bool in = row >= low && row <= high;
        for (int col = 0; col < 2; ++col)
            if (QTableWidgetItem* item = histogram_->item(row, col))
                item->setBackground(in ? QBrush(QColor(200, 240, 200)) : QBrush());
    }
    summary_->setText(ui::qs("%1 个方案叠加，候选 %2 注；被 %3-%4 个方案保留的号码共 %5 注。")
                          .arg(stack_->schemeCount)
                          .arg(stack_->table.size())
                          .arg(low)
                          .arg(high)
                          .arg(kept));
    send_->setEnabled(kept > 0);
}

bool StackDialog::sendResult() {
    std::vector<std::uint32_t> numbers = chosenNumbers();
    if (numbers.empty()) {
        tell(stack_ ? "所选范围内没有号码" : "请先点【开始叠加】", MessageIcon::Information);
        return false;
    }
    panel_.showResult(std::move(numbers), chosenCounts());
    return true;
}

}  // namespace numsift
