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

    QCheckBox* box(int index) const { return boxes_[index]; }
    QPushButton* clearButton() const { return buttons_[1]; }

    // Bit i: box i is ticked.
    ClassPatternSet ticked() const;
    void setTicked(const ClassPatternSet& ticked);

private:
    std::array<QCheckBox*, kClassPatternCount> boxes_{};  // chkDX, chkJO or chkZH: kill that pattern
    std::array<QPushButton*, 2> buttons_{};               // cmdDX, cmdJO or cmdZH: "全" and "清"
};

}  // namespace numsift
