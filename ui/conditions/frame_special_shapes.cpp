#include "ui/conditions/frame_special_shapes.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QPushButton>

#include <algorithm>

#include "controls/select_button.h"
#include "platform/platform.h"
#include "ui/kit/help_hover.h"
#include "ui/kit/widget_kit.h"
#include "ui/kit/window_layout.h"
#include "ui/kit/window_texts.h"

namespace numsift {

namespace {
// Where the controls stand (pixels): "说明" and "清" in the title line, the
// fourteen boxes in one row below it, spread over the frame's width.
constexpr QRect kCmdEx[2] = {{80, 0, 44, 19}, {128, 0, 32, 19}};
constexpr int kBoxLeft = 8, kBoxTop = 22, kBoxHeight = 20;
constexpr int kRowWidth = ui::layout::kSpecialShapes.width() - 2 * kBoxLeft;
}  // namespace

FrameSpecialShapes::FrameSpecialShapes(MessageSink* messages, QWidget* parent)
    : QGroupBox(ui::qs(captions::kShapes), parent), messages_(messages) {
    setObjectName(QStringLiteral("fraFilterSpecial"));
    for (int i = 0; i < kShapeCount; ++i) boxes_[i] = nullptr;
    // One row, left to right; the space left over is shared out as gaps.
    const QFontMetrics fm(font());
    std::array<int, kShapeCount> widths{};
    int total = 0;
    for (int i = 0; i < kShapeCount; ++i) {
        widths[i] = fm.horizontalAdvance(ui::qs(shapeCaption(kShapeLeftToRight[i]))) + 22;
        total += widths[i];
    }
    const int gap = std::max(0, (kRowWidth - total) / (kShapeCount - 1));
    int x = kBoxLeft;
    for (int i = 0; i < kShapeCount; ++i) {
        const int index = kShapeLeftToRight[i];
        boxes_[index] =
            ui::placeCheck(this, ui::qs(shapeCaption(index)), QRect(x, kBoxTop, widths[i], kBoxHeight),
                           ui::memberName("chkEx", index));
        x += widths[i] + gap;
    }
    cmdExHelp_ = new SelectButton(ui::qs("说明"), this);
    cmdExHelp_->setGeometry(kCmdEx[0]);
    cmdExHelp_->setObjectName(ui::memberName("cmdEx", 0));
    ui::highlightWhileHovered(cmdExHelp_);
    buttons_[0] = cmdExHelp_;
    connect(buttons_[0], &QPushButton::clicked, this, &FrameSpecialShapes::showHelp);
    buttons_[1] = ui::placeButton(this, ui::qs("清"), kCmdEx[1], ui::memberName("cmdEx", 1));
    connect(buttons_[1], &QPushButton::clicked, this, [this] {
        for (QCheckBox* c : boxes_) c->setChecked(false);
    });
}

void FrameSpecialShapes::showHelp() {
    if (messages_)
        messages_->show(
            Message{kProductName, ui::texts::kShapesHelp, MessageIcon::Information, MessageButtons::Ok});
}

ShapeSet FrameSpecialShapes::ticked() const {
    ShapeSet ticked;
    for (std::size_t b = 0; b < boxes_.size(); ++b) ticked[b] = boxes_[b]->isChecked();
    return ticked;
}

void FrameSpecialShapes::setTicked(const ShapeSet& ticked) {
    for (std::size_t b = 0; b < boxes_.size(); ++b) boxes_[b]->setChecked(ticked.test(b));
}

}  // namespace numsift
