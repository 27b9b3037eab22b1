#include "ui/conditions/frame_positional_kill.h"

#include "conditions/filter_input.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {
constexpr const char* kPositions[5] = {"万位", "千位", "百位", "十位", "个位"};
// Where the controls stand (pixels): one row a position, its name, the ten
// digit boxes and "清".
constexpr int kTop = 18, kRowHeight = 21, kBoxLeft = 42, kBoxWidth = 30, kBoxHeight = 18;
constexpr int kLabelLeft = 6, kLabelWidth = 34;
constexpr int kClearLeft = kBoxLeft + 10 * kBoxWidth + 4, kClearWidth = 34, kClearHeight = 20;
}  // namespace

FramePositionalKill::FramePositionalKill(QWidget* parent) : QGroupBox(ui::qs("定位杀"), parent) {
    setObjectName(ui::memberName("fraFilter", 0));
    for (int r = 0; r < 5; ++r) {
        const int y = kTop + r * kRowHeight;
        ui::placeLabel(this, ui::qs(kPositions[r]), QRect(kLabelLeft, y, kLabelWidth, kBoxHeight),
                       ui::memberName("lblDW", r));
        for (int d = 0; d < 10; ++d) {
            chkDW_[r * 10 + d] =
                ui::placeDigitCheck(this, d, QRect(kBoxLeft + d * kBoxWidth, y, kBoxWidth, kBoxHeight),
                                    ui::memberName("chkDW", r * 10 + d));
        }
        QPushButton* clear =
            ui::placeButton(this, ui::qs("清"), QRect(kClearLeft, y - 1, kClearWidth, kClearHeight),
                            ui::memberName("cmdDW", r));
        connect(clear, &QPushButton::clicked, this, [this, r] {
            for (int d = 0; d < 10; ++d) chkDW_[r * 10 + d]->setChecked(false);
        });
        cmdDW_[r] = clear;
    }
}

void FramePositionalKill::readInto(FilterInput& input) const {
    for (int r = 0; r < 5; ++r)
        for (int d = 0; d < 10; ++d) input.positionalKill[r][d] = chkDW_[r * 10 + d]->isChecked();
}

void FramePositionalKill::applyFrom(const FilterInput& input) {
    for (int r = 0; r < 5; ++r)
        for (int d = 0; d < 10; ++d) chkDW_[r * 10 + d]->setChecked(input.positionalKill[r][d]);
}

}  // namespace numsift
