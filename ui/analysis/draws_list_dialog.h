#pragma once
// "修改开奖历史": the kept draws in a list, newest first, where the player
// corrects a draw's number or date (double-click or F2, then Enter) and
// removes draws ("删除", the Delete key). Each change is one step of the
// history's undo stack: "撤销" and "重做" (Ctrl+Z, Ctrl+Y) name the step,
// and a change another program has overtaken is refused and said. A save
// that fails is said at once; the change stays for the session.

#include <QDialog>

#include "ui/analysis/page_services.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace numsift {

class KeptHistory;
class KeptDrawsModel;

class DrawsListDialog : public QDialog {
    Q_OBJECT
public:
    DrawsListDialog(KeptHistory* history, PageServices services, QWidget* parent = nullptr);

    QTableView* table() const { return table_; }
    QPushButton* removeButton() const { return remove_; }
    QPushButton* undoButton() const { return undo_; }
    QPushButton* redoButton() const { return redo_; }
    QLabel* note() const { return note_; }

    // The selected rows' draws leave the history, as one step.
    void removeSelected();
    // Selects the draw of an issue ("转到期号"); false when none is kept.
    bool goToIssue(const QString& issue);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showStep();
    void said(bool applied);

    KeptHistory* history_;
    PageServices services_;
    KeptDrawsModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    QLineEdit* goTo_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* undo_ = nullptr;
    QPushButton* redo_ = nullptr;
    QLabel* note_ = nullptr;
};

}  // namespace numsift
