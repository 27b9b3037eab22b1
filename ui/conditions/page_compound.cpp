#include "ui/conditions/page_compound.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QTimer>

#include "conditions/captions.h"
#include "conditions/entry_syntax.h"
#include "conditions/filter_input.h"
#include "conditions/hint_texts.h"
#include "controls/entry_box.h"
#include "ui/sets/box_text.h"
#include "ui/conditions/entry_validation.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

struct ComposeDesign {
    const char* title;
    const char* format;
};

constexpr ComposeDesign kDesign[8] = {
    {"杀垃圾复式", "（格式见下方举例，双击清空）"},
    {"杀两码组合", "（格式 23 50 87 中间用空格隔开，双击清空）"},
    {"杀三码组合", "（格式 233 580 817 中间用空格隔开，双击清空）"},
    {"杀四码组合", "（格式见下方举例，双击清空）"},
    {"必出两码组合", "（格式 23 50 87 中间用空格隔开，双击清空）"},
    {"必出三码组合", "（格式 233 580 817 中间用空格隔开，双击清空）"},
    {"必出四码组合", "（格式见下方举例，双击清空）"},
    {"组合定位杀", "（格式见下方举例，双击清空）"},
};

// Boxes 0, 2, 4, 6 down the left column, 1, 3, 5, 7 down the right (twips).
constexpr int kColumnLeft[2] = {240, 6090};
constexpr int kRowTop[4] = {480, 2820, 5190, 7500};
constexpr int kBoxWidth = 5625, kBoxHeight = 1545;
// Above each box (pixels): its bold title, then its format note.
constexpr int kLabelRise = 20, kLabelHeight = 18, kTitleWidth = 90;

QColor windowBackground() { return QApplication::palette().color(QPalette::Active, QPalette::Base); }

}  // namespace

PageCompound::PageCompound(MessageSink* messages, QWidget* parent) : QFrame(parent) {
    setObjectName(ui::memberName("fraTab", 4));
    setFrameShape(QFrame::StyledPanel);
    for (int i = 0; i < 8; ++i) {
        const QRect r = ui::pxRect(kColumnLeft[i % 2], kRowTop[i / 2], kBoxWidth, kBoxHeight);
        auto* title = ui::placeLabel(this, ui::qs(kDesign[i].title),
                                     QRect(r.x(), r.y() - kLabelRise, kTitleWidth, kLabelHeight),
                                     ui::memberName("lblCompose", 2 * i));
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        ui::placeLabel(this, ui::qs(kDesign[i].format),
                       QRect(r.x() + kTitleWidth, r.y() - kLabelRise, r.width() - kTitleWidth, kLabelHeight),
                       ui::memberName("lblCompose", 2 * i + 1));
        auto* box = new EntryBox(this);
        box->setObjectName(ui::memberName("txtCompose", i));
        box->setGeometry(r);
        box->setFocusBackground(kComposeFocus);
        box->setHint(ui::boxText(hints::kCompose[i]));
        installEntryValidation(box, kComposeParams[i], messages);
        boxes_[i] = box;
    }

    shpFlash_ = new QFrame(this);
    shpFlash_->setObjectName(QStringLiteral("shpFlash"));
    shpFlash_->setFrameShape(QFrame::Box);
    shpFlash_->setLineWidth(kFlashBorder);
    QPalette p = shpFlash_->palette();
    p.setColor(QPalette::WindowText, QColor(255, 0, 0));
    shpFlash_->setPalette(p);
    shpFlash_->setAttribute(Qt::WA_TransparentForMouseEvents);
    shpFlash_->resize(boxes_[0]->width() + 2 * kFlashBorder, boxes_[0]->height() + 2 * kFlashBorder);
    shpFlash_->hide();

    tmrFlash_ = new QTimer(this);
    tmrFlash_->setObjectName(QStringLiteral("tmrFlash"));
    tmrFlash_->setInterval(kFlashIntervalMs);
    connect(tmrFlash_, &QTimer::timeout, this, &PageCompound::flashTick);
}

void PageCompound::setComposeMode(int mode) {
    if (mode < 0 || mode > 7) return;
    mode_ = mode;
    for (EntryBox* b : boxes_) {
        b->setBackgroundColour(windowBackground());
        b->setEnabled(false);
    }
    boxes_[mode]->setEnabled(true);
    boxes_[mode]->setBackgroundColour(kComposeFocus);
    flashCount_ = 0;
    tmrFlash_->start(kFlashIntervalMs);
}

void PageCompound::flashTick() {
    const EntryBox* box = boxes_[mode_];
    shpFlash_->move(box->x() - kFlashBorder, box->y() - kFlashBorder);
    shpFlash_->raise();
    shpFlash_->setVisible(!shpFlash_->isVisibleTo(this));
    ++flashCount_;
    if (flashCount_ > 5) {
        shpFlash_->setVisible(true);
        tmrFlash_->stop();
    }
}

void PageCompound::readInto(FilterInput& input) const {
    for (int i = 0; i < 8; ++i) input.compound.*kCompoundBoxes[i] = ui::hintedText(*boxes_[i]);
}

void PageCompound::applyFrom(const FilterInput& input) {
    for (int i = 0; i < 8; ++i) ui::setHintedText(*boxes_[i], input.compound.*kCompoundBoxes[i]);
}

}  // namespace numsift
