#pragma once
// The group editor ("分组容错"): up to eight named groups, each with a
// tolerance L–U and the conditions it holds, chosen from the columns the
// current panel's run produces. A condition is in one group at most; every
// other one stays with the rest, whose tolerance is txtWrong. The dialog
// works on a copy: only 确定 with every group valid changes the window.

#include <QDialog>

#include <vector>

#include "engine/tolerance_groups.h"
#include "platform/platform.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace numsift {

class GroupEditor : public QDialog {
    Q_OBJECT
public:
    // available: the columns the panel's run produces, in run order; columns
    // the groups hold beyond them are offered too, so none is dropped unseen.
    GroupEditor(std::vector<ToleranceGroup> groups, const std::vector<ColumnId>& available,
                MessageSink& messages, QWidget* parent = nullptr);

    // The groups as accepted (normalised tolerances).
    const std::vector<ToleranceGroup>& groups() const { return accepted_; }

    QListWidget* groupList() const { return groupList_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* removeButton() const { return remove_; }
    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* toleranceEdit(int index) const { return index ? upper_ : lower_; }
    // One checkable row per offered condition; a row another group holds is
    // disabled and names that group.
    QListWidget* conditionList() const { return conditions_; }
    // What grouped tolerance is, in two sentences with an example.
    QLabel* explanation() const { return explanation_; }
    // Beside the tolerance: that a lower bound above the upper one will be
    // taken as the upper one; hidden otherwise.
    QLabel* toleranceNote() const { return toleranceNote_; }
    // In place of the condition list while no condition is set: why it is empty.
    QLabel* emptyNote() const { return emptyNote_; }

    void accept() override;

private:
    struct Draft {
        QString name;
        QString lower = QStringLiteral("0");
        QString upper = QStringLiteral("0");
        std::vector<ColumnId> columns;
    };

    void addGroup();
    void removeGroup();
    void select(int row);
    void showConditions();
    void conditionToggled(int row, bool checked);
    void showToleranceNote();
    void refuse(const std::string& text);

    MessageSink& messages_;
    std::vector<ColumnId> offered_;
    std::vector<Draft> drafts_;
    int current_ = -1;
    bool loading_ = false;  // the fields are being filled from a draft
    std::vector<ToleranceGroup> accepted_;

    QListWidget* groupList_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* lower_ = nullptr;
    QLineEdit* upper_ = nullptr;
    QListWidget* conditions_ = nullptr;
    QLabel* explanation_ = nullptr;
    QLabel* toleranceNote_ = nullptr;
    QLabel* emptyNote_ = nullptr;
};

}  // namespace numsift
