#include "ui/conditions/frame_banker.h"

#include "conditions/filter_input.h"
#include "controls/select_button.h"
#include "platform/platform.h"
#include "ui/kit/help_hover.h"
#include "ui/kit/widget_kit.h"
#include "ui/kit/window_texts.h"

namespace numsift {

namespace {
// Where the controls stand (pixels): "胆码计重" and the help button in the
// top line, the two column titles, then one row a group: ten digit buttons,
// six count buttons, "清" and, for groups 0-5, "全".
constexpr int kDigitLeft = 8, kCountLeft = 222, kClearLeft = 346, kAllLeft = 370;
constexpr QRect kChkDanOption(kDigitLeft, 4, 90, 18);
constexpr QRect kCmdDanHelp(kCountLeft, 2, 80, 21);
constexpr QRect kLblDan[2] = {{kDigitLeft, 26, 100, 16}, {kCountLeft, 26, 120, 16}};
constexpr int kTop = 44, kRowHeight = 21, kButton = 20, kRowButtonWidth = 22;
}  // namespace

FrameBanker::FrameBanker(MessageSink* messages, QWidget* parent) : QFrame(parent), messages_(messages) {
    setObjectName(ui::memberName("fraFilter", 4));
    setFrameShape(QFrame::StyledPanel);

    chkDanOption_ = ui::placeCheck(this, ui::qs("胆码计重"), kChkDanOption, QStringLiteral("chkDanOption"));
    cmdDanHelp_ = new SelectButton(ui::qs("胆组说明"), this);
    cmdDanHelp_->setGeometry(kCmdDanHelp);
    cmdDanHelp_->setObjectName(QStringLiteral("cmdDanHelp"));
    ui::highlightWhileHovered(cmdDanHelp_);
    connect(cmdDanHelp_, &QPushButton::clicked, this, &FrameBanker::showHelp);

    ui::placeLabel(this, ui::qs("胆组"), kLblDan[0], ui::memberName("lblDan", 0));
    ui::placeLabel(this, ui::qs("胆码开出个数"), kLblDan[1], ui::memberName("lblDan", 1));

    for (int g = 0; g < 10; ++g) {
        const int y = kTop + g * kRowHeight;
        for (int d = 0; d < 10; ++d) {
            auto* b = new SelectButton(QString::number(d), this);
            b->setObjectName(ui::memberName("cmdDan", g * 10 + d));
            b->setGeometry(kDigitLeft + d * kButton, y, kButton, kButton);
            connect(b, &QPushButton::clicked, this, [b] { b->toggleSelection(false); });
            cmdDan_[g * 10 + d] = b;
        }
        for (int n = 0; n < 6; ++n) {
            const int index = g * 6 + n;
            auto* b = new SelectButton(QString::number(n), this);
            b->setObjectName(ui::memberName("cmdDanCount", index));
            b->setGeometry(kCountLeft + n * kButton, y, kButton, kButton);
            connect(b, &QPushButton::clicked, this, [this, index] { clickCount(index); });
            cmdDanCount_[index] = b;
        }
        QPushButton* clear =
            ui::placeButton(this, ui::qs("清"), QRect(kClearLeft, y, kRowButtonWidth, kButton),
                            ui::memberName("cmdDanButton", g));
        connect(clear, &QPushButton::clicked, this, [this, g] {
            for (int d = 0; d < 10; ++d) cmdDan_[g * 10 + d]->resetSelection();
            for (int n = 0; n < 6; ++n) cmdDanCount_[g * 6 + n]->resetSelection();
        });
        cmdDanButton_[g] = clear;
        if (g < 6) {
            QPushButton* all =
                ui::placeButton(this, ui::qs("全"), QRect(kAllLeft, y, kRowButtonWidth, kButton),
                                ui::memberName("cmdDanButton_all", g));
            connect(all, &QPushButton::clicked, this, [this, g] {
                for (int d = 0; d < 10; ++d) cmdDan_[g * 10 + d]->toggleSelection(false);
                for (int n = 1; n < 6; ++n) cmdDanCount_[g * 6 + n]->toggleSelection(false);
            });
            cmdDanButtonAll_[g] = all;
        }
    }
}

void FrameBanker::clickCount(int index) {
    SelectButton* b = cmdDanCount_[index];
    if (b->isSelected()) {
        b->resetSelection();
        return;
    }
    const int g = index / 6, n = index % 6;
    int s = 0;
    for (int d = 0; d < 10; ++d) s += cmdDan_[g * 10 + d]->isSelected() ? 1 : 0;
    if (s >= n || (chkDanOption_->isChecked() && s > 0)) {
        b->setSelected(true);
        return;
    }
    if (messages_)
        messages_->show(Message{kProductName, ui::texts::kBankerCountRefused, MessageIcon::Exclamation,
                                MessageButtons::Ok});
}

void FrameBanker::showHelp() {
    if (messages_)
        messages_->show(Message{kProductName, ui::texts::kBankerHelp, MessageIcon::None, MessageButtons::Ok});
}

void FrameBanker::readInto(FilterInput& input) const {
    input.countRepeats = chkDanOption_->isChecked();
    for (int g = 0; g < 10; ++g) {
        for (int d = 0; d < 10; ++d) input.banker[g].digits[d] = cmdDan_[g * 10 + d]->isSelected();
        for (int n = 0; n < 6; ++n) input.banker[g].counts[n] = cmdDanCount_[g * 6 + n]->isSelected();
    }
}

void FrameBanker::applyFrom(const FilterInput& input) {
    chkDanOption_->setChecked(input.countRepeats);
    for (int g = 0; g < 10; ++g) {
        for (int d = 0; d < 10; ++d) cmdDan_[g * 10 + d]->setSelected(input.banker[g].digits[d]);
        for (int n = 0; n < 6; ++n) cmdDanCount_[g * 6 + n]->setSelected(input.banker[g].counts[n]);
    }
}

}  // namespace numsift
