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
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

// Where the controls stand on the page (pixels). Left column: the kill list
// with its captions and import button, the frames of whole digits and
// ratios, then the prime/composite patterns; right column: the banker
// groups, then the big/small and odd/even patterns.
constexpr QRect kLblFilter0(6, 4, 44, 18);  // "杀直选"
constexpr QRect kLblFilter2(50, 4, 290, 18);
constexpr QRect kCmdImportDan5(342, 2, 48, 21);
constexpr QRect kTxtDan5(4, 25, 386, 80);
constexpr QRect kPositionalKill(4, 108, 386, 128);
constexpr QRect kSumSpan(4, 240, 386, 108);
constexpr QRect kRatioAc(4, 352, 386, 106);
constexpr QRect kBanker(398, 4, 397, 260);
constexpr QRect kClassPatterns[3] = {{398, 268, 397, 160}, {398, 432, 397, 160}, {4, 462, 386, 154}};

}  // namespace

PageConditions::PageConditions(MessageSink* messages, QWidget* parent) : QFrame(parent) {
    setObjectName(ui::memberName("fraTab", 1));
    setFrameShape(QFrame::NoFrame);

    ui::placeLabel(this, ui::qs("杀直选"), kLblFilter0, ui::memberName("lblFilter", 0));
    ui::placeLabel(this, ui::qs("（格式 12345 54321 中间用空格隔开，双击清空)"), kLblFilter2,
                   ui::memberName("lblFilter", 2));
    cmdImportDan5_ = ui::placeButton(this, ui::qs("导入"), kCmdImportDan5, QStringLiteral("cmdImportDan5"));
    txtDan5_ = new EntryBox(this);
    txtDan5_->setObjectName(QStringLiteral("txtDan5"));
    txtDan5_->setGeometry(kTxtDan5);
    txtDan5_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDan5_->setHint(ui::boxText(hints::kStraightKill));

    positional_ = new FramePositionalKill(this);
    positional_->setGeometry(kPositionalKill);
    sumSpan_ = new FrameSumSpan(messages, this);
    sumSpan_->setGeometry(kSumSpan);
    ratio_ = new FrameRatioAc(this);
    ratio_->setGeometry(kRatioAc);

    banker_ = new FrameBanker(messages, this);
    banker_->setGeometry(kBanker);
    const ClassKind kinds[3] = {ClassKind::BigSmall, ClassKind::OddEven, ClassKind::PrimeComposite};
    for (int k = 0; k < 3; ++k) {
        patterns_[k] = new FrameClassPattern(kinds[k], this);
        patterns_[k]->setGeometry(kClassPatterns[k]);
    }
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
