#include "ui/results/set_stats_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include "analysis/analysis_text.h"
#include "analysis/condition_items.h"
#include "engine/number_list.h"
#include "ui/kit/copy_table_view.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

constexpr const char* kTitle = "结果统计";
// Each cell sorts by this role: the flat index for the item columns (the
// natural order), the figure for the count and share.
constexpr int kSortRole = Qt::UserRole + 1;

QStandardItem* cell(const QString& text, const QVariant& sortKey) {
    auto* item = new QStandardItem(text);
    item->setData(sortKey, kSortRole);
    return item;
}

}  // namespace

SetStatsDialog::SetStatsDialog(std::vector<std::uint32_t> result, Clipboard& clipboard, MessageSink& messages,
                               QWidget* parent)
    : QDialog(parent), result_(std::move(result)), clipboard_(clipboard), messages_(messages) {
    setWindowTitle(ui::qs(kTitle));
    numbers_ = new QPlainTextEdit(this);
    numbers_->setObjectName(QStringLiteral("statsNumbers"));
    numbers_->setPlaceholderText(ui::qs("可粘贴号码后点【统计】；空着则统计当前缩水结果"));
    numbers_->setMaximumHeight(80);
    auto* countButton = new QPushButton(ui::qs("统计"), this);
    countButton->setObjectName(QStringLiteral("statsCountButton"));
    auto* copyButton = new QPushButton(ui::qs("复制全部"), this);
    copyButton->setObjectName(QStringLiteral("statsCopyButton"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("statsSummary"));

    model_ = new QStandardItemModel(0, 4, this);
    model_->setHorizontalHeaderLabels({ui::qs("项目"), ui::qs("名称"), ui::qs("号码数"), ui::qs("占比")});
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(kSortRole);
    table_ = new CopyTableView(this);
    table_->setObjectName(QStringLiteral("statsTable"));
    table_->setModel(proxy_);
    table_->verticalHeader()->hide();
    // Each column as wide as its header and cells; the last takes the rest.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setCopySink([this](const std::string& text) { copyToClipboard(clipboard_, messages_, text); });

    auto* row = new QHBoxLayout;
    row->addWidget(countButton);
    row->addWidget(copyButton);
    row->addStretch();
    auto* whole = new QVBoxLayout(this);
    whole->addWidget(numbers_);
    whole->addLayout(row);
    whole->addWidget(summary_);
    whole->addWidget(table_);
    resize(480, 560);

    connect(countButton, &QPushButton::clicked, this, [this] { count(); });
    connect(copyButton, &QPushButton::clicked, this, [this] { copyAll(); });
    display(result_, ui::qs("当前结果"));
    table_->sortByColumn(-1, Qt::AscendingOrder);
}

bool SetStatsDialog::count() {
    const QString text = numbers_->toPlainText();
    if (text.trimmed().isEmpty()) {
        display(result_, ui::qs("当前结果"));
        return true;
    }
    const NumberSet numbers = parseNumbers(text.toStdString());
    if (numbers.empty()) {
        messages_.show(Message{kTitle, "没有找到五位号码", MessageIcon::Exclamation, MessageButtons::Ok});
        return false;
    }
    display(numbers.values, ui::qs("粘贴的号码"));
    return true;
}

void SetStatsDialog::display(const std::vector<std::uint32_t>& values, const QString& what) {
    counts_ = setItemCounts(values);
    summary_->setText(ui::qs("%1：共 %2 注").arg(what).arg(values.size()));
    model_->removeRows(0, model_->rowCount());
    for (int flat = 0; flat < kItemCount; ++flat) {
        const ItemId item = itemAt(flat);
        const std::uint32_t n = counts_[item];
        const double share = counts_.share(item);
        model_->appendRow({cell(ui::qs(itemKey(item)), flat), cell(ui::qs(itemCaption(item)), flat),
                           cell(QString::number(n), n), cell(ui::qs(percentText(100.0 * share)), share)});
    }
}

bool SetStatsDialog::copyAll() {
    // As the rows stand: sorted as the player sorted them.
    std::string text = "项目\t名称\t号码数\t占比\r\n";
    for (int r = 0; r < proxy_->rowCount(); ++r) {
        for (int c = 0; c < proxy_->columnCount(); ++c) {
            if (c) text += '\t';
            text += proxy_->index(r, c).data().toString().toStdString();
        }
        text += "\r\n";
    }
    return copyToClipboard(clipboard_, messages_, text);
}

}  // namespace numsift
