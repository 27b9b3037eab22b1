#pragma once
// fraFilter(5/6/7): "杀大小排列", "杀奇偶排列", "杀质合排列". Thirty-two pattern
// boxes four to a row (chkDX / chkJO / chkZH) and "全" / "清" (cmdDX ...).

#include <QGroupBox>

#include <array>

#include "conditions/captions.h"
#include "conditions/filter_input.h"

class QCheckBox;
class QPushButton;

namespace numsift {

class FrameClassPattern : public QGroupBox {
    Q_OBJECT
public:
    FrameClassPattern(ClassKind kind, QWidget* parent = nullptr);

    ClassKind kind() const { return kind_; }
    QCheckBox* box(int index) const { return boxes_[index]; }
    QPushButton* allButton() const { return buttons_[0]; }
    QPushButton* clearButton() const { return buttons_[1]; }

    // Bit i: box i is ticked.
    ClassPatternSet ticked() const;
    void setTicked(const ClassPatternSet& ticked);

private:
    ClassKind kind_;
    std::array<QCheckBox*, kClassPatternCount> boxes_{};
    std::array<QPushButton*, 2> buttons_{};
};

}  // namespace numsift
