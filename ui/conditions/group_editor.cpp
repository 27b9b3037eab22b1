#include "ui/conditions/group_editor.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>

#include "conditions/condition_id.h"
#include "engine/tolerance.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

constexpr const char* kTitle = "分组容错";

bool holds(const std::vector<ColumnId>& columns, const ColumnId& column) {
    return std::find(columns.begin(), columns.end(), column) != columns.end();
}

QLineEdit* toleranceBox(QWidget* parent, const QString& name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaxLength(2);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), box));
    box->setFixedWidth(36);
    return box;
}

}  // namespace

GroupEditor::GroupEditor(std::vector<ToleranceGroup> groups, const std::vector<ColumnId>& available,
                         MessageSink& messages, QWidget* parent)
    : QDialog(parent), messages_(messages), offered_(available), accepted_(groups) {
    setWindowTitle(ui::qs(kTitle));
    for (const ToleranceGroup& g : groups) {
        Draft d;
        d.name = ui::qs(g.name);
        d.lower = QString::number(g.tolerance.lower);
        d.upper = QString::number(g.tolerance.upper);
        d.columns = g.columns;
        for (const ColumnId& c : g.columns)
            if (!holds(offered_, c)) offered_.push_back(c);
        drafts_.push_back(std::move(d));
    }

    groupList_ = new QListWidget(this);
    groupList_->setObjectName(QStringLiteral("groupList"));
    add_ = new QPushButton(ui::qs("添加分组"), this);
    add_->setObjectName(QStringLiteral("addGroupButton"));
    remove_ = new QPushButton(ui::qs("删除分组"), this);
    remove_->setObjectName(QStringLiteral("removeGroupButton"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("groupName"));
    name_->setMaxLength(20);
    lower_ = toleranceBox(this, QStringLiteral("groupLower"));
    upper_ = toleranceBox(this, QStringLiteral("groupUpper"));
    conditions_ = new QListWidget(this);
    conditions_->setObjectName(QStringLiteral("groupConditions"));
    explanation_ = new QLabel(
        ui::qs("分组容错让一组条件按自己的容错计错：一个号码在每个分组里错的项数都在该组的容错内，"
               "其余条件的错数也在容错级别内，才会保留。例如把大小比、奇偶比、质合比设为一组、容错 0-1，"
               "这三项最多错一项，其余条件仍按容错级别计。"),
        this);
    explanation_->setObjectName(QStringLiteral("groupExplanation"));
    explanation_->setWordWrap(true);
    toleranceNote_ = new QLabel(this);
    toleranceNote_->setObjectName(QStringLiteral("groupToleranceNote"));
    toleranceNote_->setWordWrap(true);
    QPalette red = toleranceNote_->palette();
    red.setColor(QPalette::WindowText, QColor(176, 0, 0));
    toleranceNote_->setPalette(red);
    toleranceNote_->hide();
    emptyNote_ = new QLabel(ui::qs("当前没有设置任何条件，所以没有可分组的条件：先在各页勾选或填写条件，"
                                   "再打开分组容错。"),
                            this);
    emptyNote_->setObjectName(QStringLiteral("groupEmptyNote"));
    emptyNote_->setWordWrap(true);
    emptyNote_->setVisible(offered_.empty());

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(ui::qs("分组（最多 8 组）"), this));
    left->addWidget(groupList_);
    auto* leftButtons = new QHBoxLayout;
    leftButtons->addWidget(add_);
    leftButtons->addWidget(remove_);
    left->addLayout(leftButtons);

    auto* right = new QVBoxLayout;
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(ui::qs("组名"), this));
    nameRow->addWidget(name_);
    nameRow->addSpacing(8);
    nameRow->addWidget(new QLabel(ui::qs("容错"), this));
    nameRow->addWidget(lower_);
    nameRow->addWidget(new QLabel(QStringLiteral("-"), this));
    nameRow->addWidget(upper_);
    right->addLayout(nameRow);
    right->addWidget(toleranceNote_);
    right->addWidget(new QLabel(ui::qs("本组条件（未分组的条件用容错级别）"), this));
    right->addWidget(emptyNote_);
    right->addWidget(conditions_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(ui::qs("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(ui::qs("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &GroupEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GroupEditor::reject);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 2);
    columns->addLayout(right, 3);
    auto* whole = new QVBoxLayout(this);
    whole->addWidget(explanation_);
    whole->addLayout(columns);
    whole->addWidget(buttons);
    resize(520, 440);

    connect(add_, &QPushButton::clicked, this, &GroupEditor::addGroup);
    connect(remove_, &QPushButton::clicked, this, &GroupEditor::removeGroup);
    connect(groupList_, &QListWidget::currentRowChanged, this, &GroupEditor::select);
    connect(name_, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (loading_ || current_ < 0) return;
        drafts_[current_].name = t;
        groupList_->item(current_)->setText(t);
    });
    connect(lower_, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!loading_ && current_ >= 0) drafts_[current_].lower = t;
        showToleranceNote();
    });
    connect(upper_, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!loading_ && current_ >= 0) drafts_[current_].upper = t;
        showToleranceNote();
    });
    connect(conditions_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!loading_) conditionToggled(conditions_->row(item), item->checkState() == Qt::Checked);
    });

    for (const Draft& d : drafts_) groupList_->addItem(d.name);
    if (!drafts_.empty()) groupList_->setCurrentRow(0);
    select(groupList_->currentRow());
}

void GroupEditor::addGroup() {
    if (drafts_.size() >= kMaxToleranceGroups) {
        refuse("最多只能设 " + std::to_string(kMaxToleranceGroups) + " 个分组");
        return;
    }
    // The first of 第1组, 第2组… that no group has.
    QString name;
    for (int n = 1;; ++n) {
        name = ui::qs("第%1组").arg(n);
        if (std::none_of(drafts_.begin(), drafts_.end(), [&](const Draft& d) { return d.name == name; }))
            break;
    }
    Draft d;
    d.name = name;
    drafts_.push_back(std::move(d));
    groupList_->addItem(name);
    groupList_->setCurrentRow(static_cast<int>(drafts_.size()) - 1);
}

void GroupEditor::removeGroup() {
    if (current_ < 0) return;
    const int row = current_;
    drafts_.erase(drafts_.begin() + row);
    current_ = -1;
    delete groupList_->takeItem(row);
    select(groupList_->currentRow());
}

void GroupEditor::select(int row) {
    current_ = row >= 0 && row < static_cast<int>(drafts_.size()) ? row : -1;
    const bool any = current_ >= 0;
    loading_ = true;
    name_->setText(any ? drafts_[current_].name : QString());
    lower_->setText(any ? drafts_[current_].lower : QString());
    upper_->setText(any ? drafts_[current_].upper : QString());
    loading_ = false;
    for (QWidget* w : std::initializer_list<QWidget*>{name_, lower_, upper_, conditions_, remove_})
        w->setEnabled(any);
    add_->setEnabled(drafts_.size() < kMaxToleranceGroups);
    showConditions();
    showToleranceNote();
}

void GroupEditor::showToleranceNote() {
    // A run takes L > U as U-U (engine/tolerance.h); the player is told
    // before, not surprised after.
    const NormalisedTolerance t =
        normaliseTolerance(lower_->text().toStdString(), upper_->text().toStdString());
    const bool swapped = current_ >= 0 && readToleranceBox(lower_->text().toStdString()) > t.tolerance.upper;
    toleranceNote_->setText(ui::qs("下限大于上限，将按 %1-%1 计").arg(int(t.tolerance.upper)));
    toleranceNote_->setVisible(swapped);
}

void GroupEditor::showConditions() {
    loading_ = true;
    conditions_->clear();
    for (const ColumnId& column : offered_) {
        QString text = ui::qs(columnCaption(column));
        auto* item = new QListWidgetItem(text, conditions_);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(Qt::Unchecked);
        for (std::size_t g = 0; g < drafts_.size(); ++g) {
            if (!holds(drafts_[g].columns, column)) continue;
            if (static_cast<int>(g) == current_) {
                item->setCheckState(Qt::Checked);
            } else {
                item->setText(ui::qs("%1（%2）").arg(text, drafts_[g].name));
                item->setFlags(Qt::ItemIsUserCheckable);  // another group's: shown, not changeable
            }
        }
    }
    loading_ = false;
}

void GroupEditor::conditionToggled(int row, bool checked) {
    if (current_ < 0 || row < 0 || row >= static_cast<int>(offered_.size())) return;
    std::vector<ColumnId>& columns = drafts_[current_].columns;
    const ColumnId& column = offered_[row];
    if (checked && !holds(columns, column)) columns.push_back(column);
    if (!checked) columns.erase(std::remove(columns.begin(), columns.end(), column), columns.end());
}

void GroupEditor::refuse(const std::string& text) {
    messages_.show(Message{kTitle, text, MessageIcon::Exclamation, MessageButtons::Ok});
}

void GroupEditor::accept() {
    std::vector<ToleranceGroup> groups;
    for (std::size_t g = 0; g < drafts_.size(); ++g) {
        const Draft& d = drafts_[g];
        const std::string name = d.name.trimmed().toStdString();
        const std::string which = "第" + std::to_string(g + 1) + "个分组";
        if (name.empty()) {
            groupList_->setCurrentRow(static_cast<int>(g));
            refuse(which + "没有组名");
            return;
        }
        for (const ToleranceGroup& earlier : groups)
            if (earlier.name == name) {
                groupList_->setCurrentRow(static_cast<int>(g));
                refuse("组名“" + name + "”重复了");
                return;
            }
        if (d.columns.empty()) {
            groupList_->setCurrentRow(static_cast<int>(g));
            refuse("分组“" + name + "”没有选条件");
            return;
        }
        ToleranceGroup group;
        group.name = name;
        group.tolerance = normaliseTolerance(d.lower.toStdString(), d.upper.toStdString()).tolerance;
        // In run order, as the scheme lists them.
        for (const ColumnId& c : offered_)
            if (holds(d.columns, c)) group.columns.push_back(c);
        groups.push_back(std::move(group));
    }
    accepted_ = std::move(groups);
    QDialog::accept();
}

}  // namespace numsift
