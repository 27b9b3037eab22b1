#pragma once
// The selector of the history's one range ("统计范围"): 全部, 近30期, 近50期,
// 近100期, 近N期 (a spin box) or 期号 a–b (two issue boxes). Every page that
// counts over the history shows one; each sets the range of the kept
// history (ui/analysis/kept_history.h) and follows it when another sets it,
// so a change in one place is a change everywhere.
//
// Its controls keep their names wherever it stands: windowChoice, windowCount,
// rangeFromIssue and rangeToIssue.

#include <QWidget>

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace numsift {

class KeptHistory;
struct DrawRange;

class RangeSelector : public QWidget {
    Q_OBJECT
public:
    // The choices of windowChoice, by index.
    enum Choice { All, Last30, Last50, Last100, LastN, Issues };
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 20;

    explicit RangeSelector(KeptHistory* history, QWidget* parent = nullptr);

    QComboBox* choice() const { return choice_; }
    QSpinBox* count() const { return count_; }
    QLineEdit* fromIssue() const { return from_; }
    QLineEdit* toIssue() const { return to_; }

    QSize sizeHint() const override { return {kWidth, kHeight}; }

private:
    // The player changed a control: the range he chose, set on the history.
    void chosen();
    // The history's range, shown (another selector may have set it).
    void showRange();
    void showControls(int choice);

    KeptHistory* history_;
    QComboBox* choice_ = nullptr;
    QSpinBox* count_ = nullptr;  // the N of 近N期
    QLineEdit* from_ = nullptr;  // 期号 a–b
    QLineEdit* to_ = nullptr;
    bool showing_ = false;  // the controls are being set from the history
};

}  // namespace numsift
