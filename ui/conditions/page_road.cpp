#include "ui/conditions/page_road.h"

#include <QCheckBox>
#include <QPushButton>

#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

// Box 0 near the top left, 1245 x 330 twips; the other 242 follow from it.
constexpr QRect kBox0(24, 22, ui::px(1245), ui::px(330));
// "全" and "清" in the title line.
constexpr QRect kButtons[2] = {{100, 0, 36, 19}, {140, 0, 36, 19}};

}  // namespace

PageRoad::PageRoad(QWidget* parent) : QGroupBox(ui::qs("杀012排列"), parent) {
    setObjectName(ui::memberName("fraTab", 2));
    // Every box after box 0 goes right of the one before it, and each ninth
    // starts a new row below the box nine places earlier.
    boxes_[0] = ui::placeCheck(this, QString(), kBox0, ui::memberName("chk012", 0));
    for (int i = 1; i < kRoadPatternCount; ++i) {
        QRect r;
        if (i % 9 != 0) {
            const QRect prev = boxes_[i - 1]->geometry();
            r = QRect(prev.x() + prev.width(), prev.y(), prev.width(), prev.height());
        } else {
            const QRect above = boxes_[i - 9]->geometry();
            r = QRect(boxes_[0]->x(), above.y() + above.height(), above.width(), above.height());
        }
        boxes_[i] = ui::placeCheck(this, QString(), r, ui::memberName("chk012", i));
    }
    for (int i = 0; i < kRoadPatternCount; ++i) boxes_[i]->setText(ui::qs(roadCaption(i)));

    const char* captions[2] = {"全", "清"};
    for (int b = 0; b < 2; ++b) {
        QPushButton* button =
            ui::placeButton(this, ui::qs(captions[b]), kButtons[b], ui::memberName("cmd012", b));
        const bool value = b == 0;
        connect(button, &QPushButton::clicked, this, [this, value] {
            for (QCheckBox* c : boxes_) c->setChecked(value);
        });
        buttons_[b] = button;
    }
}

RoadPatternSet PageRoad::ticked() const {
    RoadPatternSet ticked;
    for (std::size_t i = 0; i < boxes_.size(); ++i) ticked[i] = boxes_[i]->isChecked();
    return ticked;
}

void PageRoad::setTicked(const RoadPatternSet& ticked) {
    for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i]->setChecked(ticked.test(i));
}

}  // namespace numsift
