#include "ui/conditions/frame_class_pattern.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QPushButton>

#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {
struct KindNames {
    int frameIndex;
    const char* boxes;
    const char* buttons;
};

KindNames namesOf(ClassKind kind) {
    switch (kind) {
        case ClassKind::BigSmall: return {5, "chkDX", "cmdDX"};
        case ClassKind::OddEven: return {6, "chkJO", "cmdJO"};
        case ClassKind::PrimeComposite: break;
    }
    return {7, "chkZH", "cmdZH"};
}

// Where the controls stand (pixels): the 32 boxes in rows of four, their
// column as wide as the caption needs; "全" above "清" to the right.
constexpr int kTop = 18, kRowHeight = 17, kLeft = 6;
constexpr int kButtonGap = 4, kButtonPitch = 26, kButtonWidth = 30, kButtonHeight = 22;
}  // namespace

FrameClassPattern::FrameClassPattern(ClassKind kind, QWidget* parent)
    : QGroupBox(ui::qs(classPatternConditionCaption(kind)), parent) {
    const KindNames names = namesOf(kind);
    setObjectName(ui::memberName("fraFilter", names.frameIndex));
    // Wide enough for five class symbols beside the tick box.
    const int kColumnWidth =
        QFontMetrics(font()).horizontalAdvance(ui::qs(classPatternCaption(kind, 0))) + 22;
    for (int i = 0; i < kClassPatternCount; ++i) {
        boxes_[i] = ui::placeCheck(
            this, ui::qs(classPatternCaption(kind, i)),
            QRect(kLeft + (i % 4) * kColumnWidth, kTop + (i / 4) * kRowHeight, kColumnWidth, kRowHeight),
            ui::memberName(names.boxes, i));
    }
    const char* captions[2] = {"全", "清"};
    for (int b = 0; b < 2; ++b) {
        QPushButton* button = ui::placeButton(this, ui::qs(captions[b]),
                                              QRect(kLeft + 4 * kColumnWidth + kButtonGap,
                                                    kTop + b * kButtonPitch, kButtonWidth, kButtonHeight),
                                              ui::memberName(names.buttons, b));
        const bool value = b == 0;
        connect(button, &QPushButton::clicked, this, [this, value] {
            for (QCheckBox* c : boxes_) c->setChecked(value);
        });
        buttons_[b] = button;
    }
}

ClassPatternSet FrameClassPattern::ticked() const {
    ClassPatternSet ticked;
    for (std::size_t i = 0; i < boxes_.size(); ++i) ticked[i] = boxes_[i]->isChecked();
    return ticked;
}

void FrameClassPattern::setTicked(const ClassPatternSet& ticked) {
    for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i]->setChecked(ticked.test(i));
}

}  // namespace numsift
