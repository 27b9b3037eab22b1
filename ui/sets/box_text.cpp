#include "ui/sets/box_text.h"

#include "conditions/entry_syntax.h"
#include "controls/entry_box.h"
#include "engine/line_breaks.h"

namespace numsift::ui {

QString boxText(std::string_view engineText) { return QString::fromStdString(withLf(engineText)); }

std::string engineText(const QString& boxText) { return withCrLf(boxText.toStdString()); }

HintedText hintedText(const EntryBox& box) {
    return HintedText{engineText(box.toPlainText()), engineText(box.hint())};
}

void setHintedText(EntryBox& box, const HintedText& value) {
    if (countsAsEmpty(value)) {
        box.clearEntry();
        return;
    }
    box.setEntryText(boxText(value.text));
}

}  // namespace numsift::ui
