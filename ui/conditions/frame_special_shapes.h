#pragma once
// fraFilterSpecial "特别排除": the fourteen shape boxes chkEx in their row
// order, "说明" (cmdEx(0), help text) and "清" (cmdEx(1)) in the title line.

#include <QGroupBox>

#include <array>

#include "conditions/captions.h"
#include "conditions/filter_input.h"

class QCheckBox;
class QPushButton;

namespace numsift {

class MessageSink;
class SelectButton;

class FrameSpecialShapes : public QGroupBox {
    Q_OBJECT
public:
    FrameSpecialShapes(MessageSink* messages, QWidget* parent = nullptr);

    QCheckBox* box(int index) const { return boxes_[index]; }
    SelectButton* helpButton() const { return cmdExHelp_; }
    QPushButton* clearButton() const { return buttons_[1]; }
    void showHelp();

    // Bit b: shape box b is ticked.
    ShapeSet ticked() const;
    void setTicked(const ShapeSet& ticked);

private:
    MessageSink* messages_;
    std::array<QCheckBox*, kShapeCount> boxes_{};  // chkEx: kill the numbers of that shape
    std::array<QPushButton*, 2> buttons_{};        // cmdEx: "说明" shows the help, "清" unticks all
    SelectButton* cmdExHelp_ = nullptr;            // "说明", which lights up under the cursor
};

}  // namespace numsift
