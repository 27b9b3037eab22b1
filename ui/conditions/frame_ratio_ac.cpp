#include "ui/conditions/frame_ratio_ac.h"

#include "conditions/captions.h"
#include "conditions/filter_input.h"
#include "controls/select_button.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {
// Where the controls stand (pixels): one row each for 大小比, 奇偶比, 质合比
// and the AC values: its label, its buttons, then "清" and "全".
constexpr int kTop = 6, kRowHeight = 25, kLeft = 56;
constexpr int kRatioWidth = 34, kAcWidth = 28, kButtonHeight = 22;
constexpr int kLabelLeft = 6, kLabelWidth = 50, kLabelHeight = 18;
constexpr int kClearLeft = 314, kAllLeft = 348, kRowButtonWidth = 32;

int rowFirst(int row) { return row * 6; }
int rowCount(int row) { return row < 3 ? 6 : 9; }
bool rowIsAc(int row) { return row == 3; }
}  // namespace

FrameRatioAc::FrameRatioAc(QWidget* parent) : QFrame(parent) {
    setObjectName(ui::memberName("fraFilter", 2));
    setFrameShape(QFrame::StyledPanel);
    const char* labels[4] = {ratioConditionCaption(ClassKind::BigSmall),
                             ratioConditionCaption(ClassKind::OddEven),
                             ratioConditionCaption(ClassKind::PrimeComposite), captions::kAcKill};
    for (int row = 0; row < 4; ++row) {
        const int y = kTop + row * kRowHeight;
        ui::placeLabel(this, ui::qs(labels[row]), QRect(kLabelLeft, y + 2, kLabelWidth, kLabelHeight),
                       ui::memberName("lblBi", row));
        const int width = rowIsAc(row) ? kAcWidth : kRatioWidth;
        for (int k = 0; k < rowCount(row); ++k) {
            const int index = rowFirst(row) + k;
            const QString caption = rowIsAc(row) ? ui::qs(acCaption(k + 1)) : ui::qs(ratioCaption(k));
            auto* b = new SelectButton(caption, this);
            b->setObjectName(ui::memberName("cmdBi", index));
            b->setGeometry(kLeft + k * width, y, width, kButtonHeight);
            const bool yellow = index >= 18;
            connect(b, &QPushButton::clicked, this, [b, yellow] { b->toggleSelection(yellow); });
            cmdBi_[index] = b;
        }
        QPushButton* clear =
            ui::placeButton(this, ui::qs("清"), QRect(kClearLeft, y, kRowButtonWidth, kButtonHeight),
                            ui::memberName("cmdBiButton", row));
        connect(clear, &QPushButton::clicked, this, [this, row] {
            for (int k = 0; k < rowCount(row); ++k) cmdBi_[rowFirst(row) + k]->resetSelection();
        });
        QPushButton* all =
            ui::placeButton(this, ui::qs("全"), QRect(kAllLeft, y, kRowButtonWidth, kButtonHeight),
                            ui::memberName("cmdBiButton_all", row));
        connect(all, &QPushButton::clicked, this, [this, row] {
            for (int k = 0; k < rowCount(row); ++k) cmdBi_[rowFirst(row) + k]->toggleSelection(rowIsAc(row));
        });
        cmdBiButton_[row] = clear;
        cmdBiButtonAll_[row] = all;
    }
}

// Ratio row r holds cmdBi(6r + k) for the ratio "k:5-k"; the AC row holds
// cmdBi(17 + v) for the AC value v.
void FrameRatioAc::readInto(FilterInput& input) const {
    RatioSet* rows[3] = {&input.bigSmallRatio, &input.oddEvenRatio, &input.primeCompositeRatio};
    for (int row = 0; row < 3; ++row)
        for (int k = 0; k <= 5; ++k) (*rows[row])[k] = cmdBi_[rowFirst(row) + k]->isSelected();
    for (int v = 1; v <= 9; ++v) input.acKill[v] = cmdBi_[rowFirst(3) + v - 1]->isSelected();
}

void FrameRatioAc::applyFrom(const FilterInput& input) {
    const RatioSet* rows[3] = {&input.bigSmallRatio, &input.oddEvenRatio, &input.primeCompositeRatio};
    for (int row = 0; row < 3; ++row)
        for (int k = 0; k <= 5; ++k) cmdBi_[rowFirst(row) + k]->setSelected(rows[row]->test(k), false);
    for (int v = 1; v <= 9; ++v) cmdBi_[rowFirst(3) + v - 1]->setSelected(input.acKill.test(v), true);
}

}  // namespace numsift
