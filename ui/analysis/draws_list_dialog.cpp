#include "ui/analysis/draws_list_dialog.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QUndoStack>

#include <algorithm>

#include "analysis/draw_store.h"
#include "engine/number.h"
#include "ui/analysis/kept_history.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

constexpr QSize kDialogSize(420, 520);
constexpr QRect kGoToLabel(8, 8, 56, 24);
constexpr QRect kGoTo(64, 8, 110, 24);
constexpr QRect kTable(8, 38, 404, 378);
constexpr QRect kRemove(8, 422, 80, 26);
constexpr QRect kUndo(96, 422, 150, 26);
constexpr QRect kRedo(254, 422, 158, 26);
constexpr QRect kNote(8, 452, 404, 36);
constexpr QRect kClose(332, 490, 80, 26);

enum Column { kIssue, kDate, kNumber, kColumnCount };

// A number typed into the list: five digits, blanks between them allowed.
std::optional<std::uint32_t> typedNumber(const QString& text) {
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    if (digits.size() != 5) return std::nullopt;
    std::uint32_t v = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        v = v * 10 + static_cast<std::uint32_t>(c.unicode() - '0');
    }
    return v;
}

}  // namespace

// The kept draws, newest first; 日期 and 号码 edit a draw through the history.
class KeptDrawsModel : public QAbstractTableModel {
public:
    KeptDrawsModel(KeptHistory* history, QObject* parent) : QAbstractTableModel(parent), history_(history) {
        connect(history_, &KeptHistory::historyChanged, this, [this] {
            beginResetModel();
            endResetModel();
        });
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(history_->store().size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kColumnCount;
    }

    // The store's draw of a row.
    const KeptDraw& draw(int row) const {
        const std::vector<KeptDraw>& d = history_->store().draws();
        return d[d.size() - 1 - static_cast<std::size_t>(row)];
    }
    int rowOf(std::size_t storeIndex) const {
        return static_cast<int>(history_->store().size() - 1 - storeIndex);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
        const KeptDraw& d = draw(index.row());
        switch (index.column()) {
            case kIssue: return QString::fromStdString(d.issue);
            case kDate: return QString::fromStdString(d.date);
            default: return QString::fromStdString(numberText(d.value));
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        const char* titles[kColumnCount] = {"期号", "日期", "号码"};
        return ui::qs(titles[section]);
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = QAbstractTableModel::flags(index);
        if (index.column() != kIssue) f |= Qt::ItemIsEditable;
        return f;
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole || !index.isValid() || index.column() == kIssue) return false;
        const KeptDraw before = draw(index.row());
        KeptDraw after = before;
        const QString text = value.toString().trimmed();
        if (index.column() == kNumber) {
            const std::optional<std::uint32_t> v = typedNumber(text);
            if (!v) {
                refused(ui::qs("号码要 5 位数字，例如 35789；期号 %1 没有改动。")
                            .arg(QString::fromStdString(before.issue)));
                return false;
            }
            after.value = *v;
        } else {
            after.date = text.toStdString();
            if (!canKeep(after)) {
                refused(ui::qs("日期要写成 2026-05-01 或留空；期号 %1 没有改动。")
                            .arg(QString::fromStdString(before.issue)));
                return false;
            }
        }
        if (after == before) return false;
        const bool applied = history_->edit({DrawEdit{before.issue, before, after}},
                                            ui::qs("改正期号 ") + QString::fromStdString(before.issue));
        edited(applied);
        return applied;
    }

    std::function<void(const QString&)> refused;
    std::function<void(bool)> edited;

private:
    KeptHistory* history_;
};

DrawsListDialog::DrawsListDialog(KeptHistory* history, PageServices services, QWidget* parent)
    : QDialog(parent), history_(history), services_(services) {
    setObjectName(QStringLiteral("drawsListDialog"));
    setWindowTitle(ui::qs("修改开奖历史"));
    setFixedSize(kDialogSize);
    ui::placeLabel(this, ui::qs("转到期号"), kGoToLabel);
    goTo_ = new QLineEdit(this);
    goTo_->setObjectName(QStringLiteral("goToIssue"));
    goTo_->setGeometry(kGoTo);
    goTo_->setPlaceholderText(ui::qs("期号，回车"));
    model_ = new KeptDrawsModel(history_, this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("keptDrawsTable"));
    table_->setGeometry(kTable);
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setColumnWidth(kIssue, 120);
    table_->setColumnWidth(kDate, 130);
    remove_ = ui::placeButton(this, ui::qs("删除"), kRemove, QStringLiteral("removeDrawsButton"));
    undo_ = ui::placeButton(this, ui::qs("撤销"), kUndo, QStringLiteral("undoDrawButton"));
    redo_ = ui::placeButton(this, ui::qs("重做"), kRedo, QStringLiteral("redoDrawButton"));
    note_ = ui::placeLabel(this,
                           ui::qs("双击号码或日期改正，按回车确定；选中若干期后点【删除】。每一步都可撤销。"),
                           kNote, QStringLiteral("drawsListNote"));
    note_->setWordWrap(true);
    QPushButton* close =
        ui::placeButton(this, ui::qs("关闭"), kClose, QStringLiteral("closeDrawsListButton"));

    model_->refused = [this](const QString& why) {
        note_->setStyleSheet(QStringLiteral("color: #d01010;"));
        note_->setText(why);
    };
    model_->edited = [this](bool applied) { said(applied); };
    QUndoStack* stack = history_->undoStack();
    connect(remove_, &QPushButton::clicked, this, &DrawsListDialog::removeSelected);
    connect(undo_, &QPushButton::clicked, this, [this, stack] {
        stack->undo();
        said(history_->lastEditApplied());
    });
    connect(redo_, &QPushButton::clicked, this, [this, stack] {
        stack->redo();
        said(history_->lastEditApplied());
    });
    connect(stack, &QUndoStack::indexChanged, this, &DrawsListDialog::showStep);
    connect(goTo_, &QLineEdit::returnPressed, this, [this] {
        if (!goToIssue(goTo_->text().trimmed()))
            model_->refused(ui::qs("没有保存期号 %1 的开奖号码。").arg(goTo_->text().trimmed()));
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    showStep();
}

void DrawsListDialog::showStep() {
    QUndoStack* stack = history_->undoStack();
    undo_->setEnabled(stack->canUndo());
    redo_->setEnabled(stack->canRedo());
    undo_->setText(stack->canUndo() ? ui::qs("撤销 ") + stack->undoText() : ui::qs("撤销"));
    redo_->setText(stack->canRedo() ? ui::qs("重做 ") + stack->redoText() : ui::qs("重做"));
}

void DrawsListDialog::said(bool applied) {
    const SaveResult& save = history_->lastSave();
    if (!applied) {
        model_->refused(ui::qs("没有改动：这一期刚被另一个程序改过，列表已显示它现在的号码。"));
    } else if (!save.ok) {
        model_->refused(ui::qs("开奖历史未能保存：") + save.error);
        services_.tell("开奖历史未能保存：" + save.error.toStdString() +
                           "\r\n这次的改动只保留到关闭程序，下次改动时会再试着保存。",
                       MessageIcon::Exclamation, "开奖历史");
    } else {
        note_->setStyleSheet({});
        note_->setText(ui::qs("已保存。"));
    }
    showStep();
}

void DrawsListDialog::removeSelected() {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        model_->refused(ui::qs("请先选中要删除的期。"));
        return;
    }
    std::vector<DrawEdit> edits;
    for (const QModelIndex& row : rows) {
        const KeptDraw& d = model_->draw(row.row());
        edits.push_back(DrawEdit{d.issue, d, std::nullopt});
    }
    const QString name = edits.size() == 1 ? ui::qs("删除期号 ") + QString::fromStdString(edits[0].issue)
                                           : ui::qs("删除 %1 期").arg(edits.size());
    said(history_->edit(std::move(edits), name));
}

bool DrawsListDialog::goToIssue(const QString& issue) {
    const std::optional<std::size_t> at = history_->store().find(issue.toStdString());
    if (!at) return false;
    const QModelIndex index = model_->index(model_->rowOf(*at), kNumber);
    table_->setCurrentIndex(index);
    table_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    table_->setFocus();
    return true;
}

void DrawsListDialog::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo) && undo_->isEnabled()) {
        undo_->click();
        return;
    }
    if (event->matches(QKeySequence::Redo) && redo_->isEnabled()) {
        redo_->click();
        return;
    }
    if (event->key() == Qt::Key_Delete && table_->hasFocus()) {
        removeSelected();
        return;
    }
    // Enter in the issue box goes to it, not to the dialog's default button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && goTo_->hasFocus()) return;
    QDialog::keyPressEvent(event);
}

}  // namespace numsift
