#pragma once
// fraFilter(4): the ten banker groups. Per group ten digit buttons cmdDan and
// six hit-count buttons cmdDanCount (green when selected), "清" (cmdDanButton)
// and, for groups 0-5, "全" (cmdDanButton_all); the option "胆码计重" and the
// help button "胆组说明".

#include <QFrame>

#include <array>

class QCheckBox;
class QPushButton;

namespace numsift {

struct FilterInput;
class MessageSink;
class SelectButton;

class FrameBanker : public QFrame {
    Q_OBJECT
public:
    FrameBanker(MessageSink* messages, QWidget* parent = nullptr);

    QPushButton* clearButton(int group) const { return cmdDanButton_[group]; }
    SelectButton* helpButton() const { return cmdDanHelp_; }

    // cmdDanCount_Click: unselects, or selects when the group has enough
    // digits selected (any digit with repeat counting), else warns.
    void clickCount(int index);
    void showHelp();

    void readInto(FilterInput& input) const;
    void applyFrom(const FilterInput& input);

private:
    MessageSink* messages_;
    std::array<SelectButton*, 100> cmdDan_{};
    std::array<SelectButton*, 60> cmdDanCount_{};
    std::array<QPushButton*, 10> cmdDanButton_{};
    std::array<QPushButton*, 6> cmdDanButtonAll_{};
    QCheckBox* chkDanOption_ = nullptr;
    SelectButton* cmdDanHelp_ = nullptr;
};

}  // namespace numsift
