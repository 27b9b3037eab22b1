#pragma once
// fraTab(1), the main condition panel: the straight-number kill list txtDan5
// with its labels and "导入" button, and the frames 定位杀, 和、跨、胆, the
// ratio and AC buttons, the banker groups and the three class patterns.

#include <QFrame>

#include <array>

class QPushButton;

namespace numsift {

struct FilterInput;
class EntryBox;
class MessageSink;
class FramePositionalKill;
class FrameSumSpan;
class FrameRatioAc;
class FrameBanker;
class FrameClassPattern;

class PageConditions : public QFrame {
    Q_OBJECT
public:
    PageConditions(MessageSink* messages, QWidget* parent = nullptr);

    EntryBox* straightKillBox() const { return txtDan5_; }
    QPushButton* importButton() const { return cmdImportDan5_; }
    FramePositionalKill* positionalKill() const { return positional_; }
    FrameSumSpan* sumSpan() const { return sumSpan_; }
    FrameRatioAc* ratioAc() const { return ratio_; }
    FrameBanker* banker() const { return banker_; }
    FrameClassPattern* classPattern(int kind) const { return patterns_[kind]; }  // 0 大小, 1 奇偶, 2 质合

    void readInto(FilterInput& input) const;
    void applyFrom(const FilterInput& input);

private:
    EntryBox* txtDan5_ = nullptr;
    QPushButton* cmdImportDan5_ = nullptr;
    FramePositionalKill* positional_ = nullptr;
    FrameSumSpan* sumSpan_ = nullptr;
    FrameRatioAc* ratio_ = nullptr;
    FrameBanker* banker_ = nullptr;
    std::array<FrameClassPattern*, 3> patterns_{};
};

}  // namespace numsift
