#include "ui/conditions/page_conditions.h"

#include <QPushButton>

#include "conditions/filter_input.h"
#include "conditions/hint_texts.h"
#include "controls/entry_box.h"
#include "ui/sets/box_text.h"
#include "ui/conditions/frame_banker.h"
#include "ui/conditions/frame_class_pattern.h"
#include "ui/conditions/frame_positional_kill.h"
#include "ui/conditions/frame_ratio_ac.h"
#include "ui/conditions/frame_sum_span.h"
#include "ui/shell/widget_kit.h"

namespace numsift {

PageConditions::PageConditions(MessageSink* messages, QWidget* parent) : QFrame(parent) {
    setObjectName(ui::memberName("fraTab", 1));
    setFrameShape(QFrame::NoFrame);

    // Left column: the kill list and the frames of whole digits and ratios,
    // then the prime/composite patterns.
    ui::placeLabel(this, ui::qs("杀直选"), QRect(6, 4, 44, 18), ui::memberName("lblFilter", 0));
    ui::placeLabel(this, ui::qs("（格式 12345 54321 中间用空格隔开，双击清空)"), QRect(50, 4, 290, 18),
                   ui::memberName("lblFilter", 2));
    cmdImportDan5_ =
        ui::placeButton(this, ui::qs("导入"), QRect(342, 2, 48, 21), QStringLiteral("cmdImportDan5"));
    txtDan5_ = new EntryBox(this);
    txtDan5_->setObjectName(QStringLiteral("txtDan5"));
    txtDan5_->setGeometry(4, 25, 386, 80);
    txtDan5_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDan5_->setHint(ui::boxText(hints::kStraightKill));

    positional_ = new FramePositionalKill(this);
    positional_->setGeometry(4, 108, 386, 128);
    sumSpan_ = new FrameSumSpan(messages, this);
    sumSpan_->setGeometry(4, 240, 386, 108);
    ratio_ = new FrameRatioAc(this);
    ratio_->setGeometry(4, 352, 386, 106);

    // Right column: banker groups, then the big/small and odd/even patterns.
    banker_ = new FrameBanker(messages, this);
    banker_->setGeometry(398, 4, 397, 260);
    patterns_[0] = new FrameClassPattern(ClassKind::BigSmall, this);
    patterns_[0]->setGeometry(398, 268, 397, 160);
    patterns_[1] = new FrameClassPattern(ClassKind::OddEven, this);
    patterns_[1]->setGeometry(398, 432, 397, 160);
    patterns_[2] = new FrameClassPattern(ClassKind::PrimeComposite, this);
    patterns_[2]->setGeometry(4, 462, 386, 154);
}

void PageConditions::readInto(FilterInput& input) const {
    input.straightKill = ui::hintedText(*txtDan5_);
    positional_->readInto(input);
    sumSpan_->readInto(input);
    banker_->readInto(input);
    input.bigSmallKill = patterns_[0]->ticked();
    input.oddEvenKill = patterns_[1]->ticked();
    input.primeCompositeKill = patterns_[2]->ticked();
    ratio_->readInto(input);
}

void PageConditions::applyFrom(const FilterInput& input) {
    ui::setHintedText(*txtDan5_, input.straightKill);
    positional_->applyFrom(input);
    sumSpan_->applyFrom(input);
    banker_->applyFrom(input);
    patterns_[0]->setTicked(input.bigSmallKill);
    patterns_[1]->setTicked(input.oddEvenKill);
    patterns_[2]->setTicked(input.primeCompositeKill);
    ratio_->applyFrom(input);
}

}  // namespace numsift
