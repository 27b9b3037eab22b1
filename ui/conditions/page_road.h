#pragma once
// fraTab(2) "杀012排列": the 243 road-pattern boxes chk012 in 27 rows of 9,
// captioned with their base-3 patterns, and "全" / "清" (cmd012) in the title.

#include <QGroupBox>

#include <array>

#include "conditions/captions.h"
#include "conditions/filter_input.h"

class QCheckBox;
class QPushButton;

namespace numsift {

class PageRoad : public QGroupBox {
    Q_OBJECT
public:
    explicit PageRoad(QWidget* parent = nullptr);

    QCheckBox* box(int index) const { return boxes_[index]; }
    QPushButton* clearButton() const { return buttons_[1]; }

    // Bit i: box i is ticked.
    RoadPatternSet ticked() const;
    void setTicked(const RoadPatternSet& ticked);

private:
    std::array<QCheckBox*, kRoadPatternCount> boxes_{};  // chk012: kill the pattern of its caption
    std::array<QPushButton*, 2> buttons_{};              // cmd012: "全" ticks every box, "清" none
};

}  // namespace numsift
