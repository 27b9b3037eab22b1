#include "ui/conditions/frame_sum_span.h"

#include "conditions/filter_input.h"
#include "conditions/hint_texts.h"
#include "controls/entry_box.h"
#include "ui/sets/box_text.h"
#include "ui/conditions/entry_validation.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {
// Where the controls stand (pixels): one row each, its label, its ten digit
// boxes or the sum-value box, and "清".
constexpr int kTop = 18, kRowHeight = 22, kBoxLeft = 56, kBoxWidth = 29, kBoxHeight = 18;
constexpr int kLabelLeft = 6, kLabelWidth = 48;
constexpr int kTxtHkdHeight = 21;
constexpr int kClearLeft = kBoxLeft + 10 * kBoxWidth + 4, kClearWidth = 34, kClearHeight = 20;
}  // namespace

FrameSumSpan::FrameSumSpan(MessageSink* messages, QWidget* parent) : QGroupBox(ui::qs("和、跨、胆"), parent) {
    setObjectName(ui::memberName("fraFilter", 1));
    // Rows top to bottom: 杀和尾 (boxes 0-9, 清 0), 杀和值 (txtHKD, 清 3),
    // 杀跨度 (boxes 10-19, 清 1), 通杀码 (boxes 20-29, 清 2).
    const char* labels[4] = {"杀和尾", "杀和值", "杀跨度", "通杀码"};
    const int boxRow[4] = {0, -1, 1, 2};
    const int clearIndex[4] = {0, 3, 1, 2};
    for (int row = 0; row < 4; ++row) {
        const int y = kTop + row * kRowHeight;
        ui::placeLabel(this, ui::qs(labels[row]), QRect(kLabelLeft, y, kLabelWidth, kBoxHeight),
                       ui::memberName("lblHKD", row));
        const int group = boxRow[row];
        if (group >= 0) {
            for (int k = 0; k < 10; ++k) {
                const int index = group * 10 + k;
                chkHKD_[index] =
                    ui::placeDigitCheck(this, k, QRect(kBoxLeft + k * kBoxWidth, y, kBoxWidth, kBoxHeight),
                                        ui::memberName("chkHKD", index));
            }
        } else {
            txtHKD_ = new EntryBox(this);
            txtHKD_->setObjectName(QStringLiteral("txtHKD"));
            txtHKD_->setSingleLine(true);
            txtHKD_->setGeometry(kBoxLeft, y - 2, 10 * kBoxWidth - 4, kTxtHkdHeight);
            txtHKD_->setHint(ui::boxText(hints::kSumValue));
            installEntryValidation(txtHKD_, kSumValueParams, messages);
        }
        const int ci = clearIndex[row];
        QPushButton* clear =
            ui::placeButton(this, ui::qs("清"), QRect(kClearLeft, y - 1, kClearWidth, kClearHeight),
                            ui::memberName("cmdHKD", ci));
        if (ci < 3) {
            connect(clear, &QPushButton::clicked, this, [this, ci] {
                for (int k = 0; k < 10; ++k) chkHKD_[ci * 10 + k]->setChecked(false);
            });
        } else {
            connect(clear, &QPushButton::clicked, this, [this] { txtHKD_->clearEntry(); });
        }
        cmdHKD_[ci] = clear;
    }
}

void FrameSumSpan::readInto(FilterInput& input) const {
    for (int k = 0; k < 10; ++k) {
        input.sumTailKill[k] = chkHKD_[k]->isChecked();
        input.spanKill[k] = chkHKD_[10 + k]->isChecked();
        input.digitKill[k] = chkHKD_[20 + k]->isChecked();
    }
    input.sumValueKill = ui::hintedText(*txtHKD_);
}

void FrameSumSpan::applyFrom(const FilterInput& input) {
    for (int k = 0; k < 10; ++k) {
        chkHKD_[k]->setChecked(input.sumTailKill[k]);
        chkHKD_[10 + k]->setChecked(input.spanKill[k]);
        chkHKD_[20 + k]->setChecked(input.digitKill[k]);
    }
    ui::setHintedText(*txtHKD_, input.sumValueKill);
}

}  // namespace numsift
