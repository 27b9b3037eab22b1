#include "ui/shell/tab_strip.h"

#include "controls/select_button.h"
#include "ui/shell/widget_kit.h"

namespace numsift {

namespace {

struct TabDesign {
    const char* caption;
    int left;   // twips within the strip
    int width;  // twips
};

// By index; the row reads 1, 4..11, 2, 3, 0 from left to right.
constexpr TabDesign kTabs[TabStrip::kTabCount] = {
    {"大底号码", 12270, 945},   {"杀直选号码", 30, 1095}, {"杀012路", 10500, 855}, {"交集功能", 11340, 945},
    {"杀垃圾复式", 1110, 1095}, {"杀两码", 2190, 945},    {"杀三码", 3120, 945},   {"杀四码", 4050, 945},
    {"必出两码", 4980, 945},    {"必出三码", 5910, 945},  {"必出四码", 6840, 945}, {"组合定位杀", 7770, 1095},
};
constexpr int kTabHeight = 375;

}  // namespace

TabStrip::TabStrip(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("fraButton"));
    for (int i = 0; i < kTabCount; ++i) {
        auto* b = new SelectButton(ui::qs(kTabs[i].caption), this);
        b->setObjectName(ui::memberName("cmdTab", i));
        b->setGeometry(ui::pxRect(kTabs[i].left, 0, kTabs[i].width, kTabHeight));
        connect(b, &QPushButton::clicked, this, [this, i] { emit tabClicked(i); });
        tabs_[i] = b;
    }
}

void TabStrip::select(int index) {
    for (SelectButton* b : tabs_) b->resetSelection();
    if (index >= 0 && index < kTabCount) tabs_[index]->toggleSelection(false);
}

int TabStrip::selected() const {
    for (int i = 0; i < kTabCount; ++i)
        if (tabs_[i]->isSelected()) return i;
    return -1;
}

}  // namespace numsift
