#include "ui/play/ledger_dialog.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/number.h"
#include "ui/kit/copy_table_view.h"
#include "ui/kit/widget_kit.h"
#include "ui/play/balance_chart.h"
#include "ui/play/play_records.h"

namespace numsift {

// One record a row, in the order they were made, with its score.
class LedgerModel : public QAbstractTableModel {
public:
    LedgerModel(const PlayRecords& records, QObject* parent)
        : QAbstractTableModel(parent), records_(records) {}

    void reset() {
        beginResetModel();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(records_.records().size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 8; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const auto row = static_cast<std::size_t>(index.row());
        const PlayRecord& r = records_.records()[row];
        const std::vector<ScoredRecord>& rows = records_.ledger().rows;
        const ScoredRecord score = row < rows.size() ? rows[row] : ScoredRecord{};
        if (role == Qt::ForegroundRole && score.hit) return QColor(200, 0, 0);
        if (role == Qt::TextAlignmentRole)
            return int((index.column() == 1 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        if (role != Qt::DisplayRole) return {};
        switch (index.column()) {
            case 0: return QString::fromStdString(r.issue);
            case 1: return QString::fromStdString(r.time);
            case 2: return QString::number(r.bets());
            case 3: return QString::number(r.multiple);
            case 4: return QString::number(r.stake());
            case 5: return score.drawn ? QString::fromStdString(numberText(*score.drawn)) : ui::qs("待开奖");
            case 6: return !score.drawn ? ui::qs("—") : ui::qs(score.hit ? "是" : "否");
            default: return score.drawn ? QString::number(score.prize) : ui::qs("—");
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Vertical || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        static const char* const kHeaders[8] = {"期号", "记录时间", "注数", "倍数",
                                                "投入", "开奖号码", "中奖", "奖金"};
        return ui::qs(kHeaders[section]);
    }

private:
    const PlayRecords& records_;
};

namespace {

constexpr const char* kTitle = "投注记录";

QString signedYuan(std::int64_t amount) {
    return (amount > 0 ? QStringLiteral("+") : QString()) + QString::number(amount) + ui::qs(" 元");
}

}  // namespace

LedgerDialog::LedgerDialog(PlayRecords& records, PageServices services, QWidget* parent)
    : QDialog(parent), records_(records), services_(services) {
    setWindowTitle(ui::qs(kTitle));
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("ledgerProblem"));
    problem_->setWordWrap(true);
    QPalette red = problem_->palette();
    red.setColor(QPalette::WindowText, QColor(220, 0, 0));
    problem_->setPalette(red);
    QFont bold = problem_->font();
    bold.setBold(true);
    problem_->setFont(bold);
    totals_ = new QLabel(this);
    totals_->setObjectName(QStringLiteral("ledgerTotals"));
    totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    model_ = new LedgerModel(records_, this);
    table_ = new CopyTableView(this);
    table_->setObjectName(QStringLiteral("ledgerTable"));
    table_->setSortingEnabled(false);
    table_->setModel(model_);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    table_->setCopySink([this](const std::string& text) { services_.copy(text); });
    chart_ = new BalanceChart(this);

    auto* reload = ui::dialogButton(this, "重新读取", "reloadLedgerButton");
    reload->setToolTip(ui::qs("重新读取投注记录文件（另一个窗口或命令行可能已经追加了记录）"));
    auto* copy = ui::dialogButton(this, "复制", "copyLedgerButton");
    auto* close = ui::dialogButton(this, "关闭", "closeLedgerButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reload);
    buttons->addWidget(copy);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* whole = new QVBoxLayout(this);
    whole->addWidget(problem_);
    whole->addWidget(totals_);
    whole->addWidget(table_, 3);
    whole->addWidget(chart_, 2);
    whole->addLayout(buttons);
    resize(760, 600);

    connect(reload, &QPushButton::clicked, &records_, &PlayRecords::reload);
    connect(copy, &QPushButton::clicked, this, [this] { copyLedger(); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(&records_, &PlayRecords::changed, this, &LedgerDialog::refresh);
    refresh();
}

void LedgerDialog::refresh() {
    problem_->setText(records_.problem());
    problem_->setVisible(!records_.problem().isEmpty());
    const LedgerTotals& t = records_.ledger().totals;
    if (records_.records().empty()) {
        totals_->setText(records_.busy() ? ui::qs("正在读取投注记录…")
                                         : ui::qs("还没有记录：缩水后在【文件】菜单点【记录本期】，"
                                                  "开奖前记下要买的号码。"));
    } else {
        totals_->setText(ui::qs("已开奖 %1 条，中奖 %2 次　投入 %3 元　奖金 %4 元　盈亏 %5\n"
                                "回报率 %6（随机选号 %7%）　待开奖 %8 条，投入 %9 元")
                             .arg(t.drawn)
                             .arg(t.hits)
                             .arg(t.stake)
                             .arg(t.prize)
                             .arg(signedYuan(t.balance()))
                             .arg(ui::qs(returnRateText(t)))
                             .arg(kChanceReturnPercent)
                             .arg(t.pending)
                             .arg(t.pendingStake));
    }
    model_->reset();
    table_->scrollToBottom();
    chart_->setPoints(records_.ledger().balance);
}

bool LedgerDialog::copyLedger() {
    return services_.copy(ledgerText(records_.records(), records_.ledger(), "\r\n"));
}

}  // namespace numsift
