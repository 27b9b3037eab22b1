#include "ui/play/ticket_dialog.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "io/atomic_save.h"
#include "results/result_copy.h"
#include "results/shop_file.h"
#include "ui/kit/copy_table_view.h"
#include "ui/kit/file_choice.h"
#include "ui/kit/widget_kit.h"
#include "ui/play/play_inputs.h"

namespace numsift {

namespace {

constexpr const char* kTitle = "生成复式";
constexpr const char* kEol = "\r\n";

// One ticket a row: its five digit sets, then its bets.
class TicketModel : public QAbstractTableModel {
public:
    TicketModel(const std::vector<Ticket>& tickets, QObject* parent)
        : QAbstractTableModel(parent), tickets_(tickets) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(tickets_.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 6; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
        if (role != Qt::DisplayRole || !index.isValid()) return {};
        const Ticket& t = tickets_[static_cast<std::size_t>(index.row())];
        if (index.column() == 5) return QString::number(t.bets());
        return QString::fromStdString(ticketText(t)).split(QLatin1Char(' ')).value(index.column());
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Vertical || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        static const char* const kHeaders[6] = {"万位", "千位", "百位", "十位", "个位", "注数"};
        return ui::qs(kHeaders[section]);
    }

private:
    const std::vector<Ticket>& tickets_;
};

}  // namespace

TicketDialog::TicketDialog(std::vector<std::uint32_t> numbers, const std::string& issue,
                           PageServices services, QWidget* parent)
    : QDialog(parent), numbers_(std::move(numbers)), tickets_(ticketsOf(numbers_)), services_(services) {
    setWindowTitle(ui::qs(kTitle));
    summary_ = new QLabel(ui::qs(ticketSummary(tickets_)), this);
    summary_->setObjectName(QStringLiteral("ticketSummary"));
    auto* note = new QLabel(ui::qs("每注号码恰在一张复式里，复式里也没有结果之外的号码。"), this);

    table_ = new CopyTableView(this);
    table_->setObjectName(QStringLiteral("ticketTable"));
    table_->setSortingEnabled(false);
    table_->setModel(new TicketModel(tickets_, this));
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->setCopySink([this](const std::string& text) { services_.copy(text); });

    auto* copy = ui::dialogButton(this, "复制复式", "copyTicketsButton");
    auto* exportList = ui::dialogButton(this, "导出复式", "exportTicketsButton");
    auto* close = ui::dialogButton(this, "关闭", "closeTicketsButton");
    auto* ticketRow = new QHBoxLayout;
    ticketRow->addWidget(copy);
    ticketRow->addWidget(exportList);
    ticketRow->addStretch();
    ticketRow->addWidget(close);

    // The shop file: one bet a line, for the issue and multiple in its name.
    issue_ = issueBox(this, issue);
    multiple_ = multipleBox(this);
    auto* exportShop = ui::dialogButton(this, "导出单式", "exportShopFileButton");
    auto* shopRow = new QHBoxLayout;
    shopRow->addWidget(new QLabel(ui::qs("期号"), this));
    shopRow->addWidget(issue_);
    shopRow->addWidget(new QLabel(ui::qs("倍数"), this));
    shopRow->addWidget(multiple_);
    shopRow->addWidget(exportShop);
    shopRow->addStretch();

    auto* whole = new QVBoxLayout(this);
    whole->addWidget(summary_);
    whole->addWidget(note);
    whole->addWidget(table_);
    whole->addLayout(ticketRow);
    whole->addLayout(shopRow);
    resize(520, 560);

    connect(copy, &QPushButton::clicked, this, [this] { copyTickets(); });
    connect(exportList, &QPushButton::clicked, this, [this] { exportTickets(); });
    connect(exportShop, &QPushButton::clicked, this, [this] { exportShopFile(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

bool TicketDialog::copyTickets() {
    if (tickets_.empty()) {
        services_.tell(kNoResultMessage, MessageIcon::Information, kTitle);
        return false;
    }
    return services_.copy(ticketsText(tickets_, kEol));
}

bool TicketDialog::exportTickets() {
    if (tickets_.empty()) {
        services_.tell(kNoResultMessage, MessageIcon::Information, kTitle);
        return false;
    }
    const QString path = chooseFile(*services_.files, "文本文件|*.txt", "复式.txt", "导出复式", true);
    if (path.isEmpty()) return false;
    return write(withDefaultSuffix(path, QStringLiteral(".txt")), ticketsText(tickets_, kEol),
                 std::to_string(tickets_.size()) + " 张复式");
}

bool TicketDialog::exportShopFile() {
    const ShopFile file = shopFile(numbers_, issue_->text().toStdString(), multiple_->value());
    if (!file.ok()) {
        services_.tell("无法导出单式：" + file.error, MessageIcon::Exclamation, "导出单式");
        return false;
    }
    const QString path = chooseFile(*services_.files, "单式文件|*.txt", file.name.c_str(), "导出单式", true);
    if (path.isEmpty()) return false;
    return write(withDefaultSuffix(path, QStringLiteral(".txt")), file.text,
                 "第 " + issue_->text().toStdString() + " 期 " + std::to_string(multiple_->value()) +
                     " 倍的单式，共 " + std::to_string(numbers_.size()) + " 注");
}

bool TicketDialog::write(const QString& path, const std::string& bytes, const std::string& what) {
    const AtomicSave saved = saveAtomically(path, bytes);
    if (!saved.ok) {
        services_.tell("导出失败：" + saveProblem(saved).toStdString() + kEol + path.toStdString(),
                       MessageIcon::Exclamation, kTitle);
        return false;
    }
    services_.tell(what + "，已导出到文件：" + kEol + path.toStdString(), MessageIcon::Information, kTitle);
    return true;
}

}  // namespace numsift
