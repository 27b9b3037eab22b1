#pragma once
// fraResult: the count, the result list, the page buttons with their scroll
// bar and legend, the group-size box, the prize check, the tolerance boxes,
// the status label and the five cmdFilter buttons. It renders what the
// result state decides and forwards the buttons' clicks.

#include <QFrame>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "controls/entry_box.h"
#include "results/result_state.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace numsift {

class ResultList;
class SelectButton;
class TScroll;

class ResultArea : public QFrame, public ResultDisplay {
    Q_OBJECT
public:
    ResultArea(Clipboard& clipboard, MessageSink& messages, QWidget* parent = nullptr);
    ~ResultArea() override;

    ResultState& state() { return state_; }
    const ResultState& state() const { return state_; }

    ResultList* list() const { return lstResult_; }
    QLabel* statusLabel() const { return lblStatus_; }
    QLineEdit* toleranceBox(int index) const { return txtWrong_[index]; }
    QLineEdit* groupSizeBox() const { return txtPage_; }
    QPushButton* filterButton(int index) const { return cmdFilter_[index]; }
    // "分组": opens the group editor; shows how many groups the panel has.
    QPushButton* groupButton() const { return groupButton_; }
    TScroll* pageScroll() const { return scrPage_; }
    int pageButtonCount() const { return static_cast<int>(cmdPage_.size()); }
    QPushButton* pageButton(int index) const;

    // Checks the box being edited before an action reads the boxes (the
    // window's own rule); false keeps the action from running.
    void setCommitHook(std::function<bool()> hook) { commitHook_ = std::move(hook); }
    // That check, then a group size typed without leaving its box.
    bool commitEntries();

    // Enter in the group-size box or leaving it.
    void applyGroupSize();
    // "兑奖匹配" and the drawn-number box's check on leaving.
    void checkPrize();
    bool validateDrawnNumber();

    // ResultDisplay
    void hideNote() override;
    void showNote(const std::string& text) override;
    void layoutPages(const PageLayout& layout) override;
    void setCount(int count) override;
    void clearList() override;
    void fillList(std::span<const std::uint32_t> values) override;
    void paintPage(int page, PageColour colour) override;
    void scrollListTo(int row) override;
    void setGroupSizeText(const std::string& text) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stackPanels();
    SelectButton* makePageButton(int index);
    void pageClicked(int index);
    void clickPageAfterCommit(int index);
    LeaveAnswer leaveGroupSize(bool mayAsk);
    LeaveAnswer leaveDrawnNumber(bool mayAsk);

    MessageSink& messages_;
    ResultState state_;
    std::function<bool()> commitHook_;

    QLabel* lblCount_ = nullptr;
    ResultList* lstResult_ = nullptr;
    QPlainTextEdit* T_nonb_ = nullptr;
    QWidget* picResult_ = nullptr;
    QLineEdit* txtPage_ = nullptr;
    QLabel* lblCopyTip_ = nullptr;
    QWidget* picPageContainer_ = nullptr;
    QWidget* picPage_ = nullptr;
    TScroll* scrPage_ = nullptr;
    QWidget* picGroup_ = nullptr;
    QWidget* picFilter_ = nullptr;
    QLineEdit* txtLottoNumber_ = nullptr;
    QPushButton* cmdBonus_ = nullptr;
    QPushButton* groupButton_ = nullptr;
    std::array<QLineEdit*, 2> txtWrong_{};
    QLabel* lblStatus_ = nullptr;
    std::array<QPushButton*, 5> cmdFilter_{};
    std::vector<SelectButton*> cmdPage_;
};

}  // namespace numsift
