#include "ui/sets/box_text.h"

#include "conditions/entry_syntax.h"
#include "controls/entry_box.h"

namespace numsift::ui {

QString boxText(const std::string& crlf) {
    QString s = QString::fromStdString(crlf);
    s.remove(QLatin1Char('\r'));
    return s;
}

std::string conditionText(const QString& text) { return withCrLf(text.toStdString()); }

HintedText hintedText(const EntryBox& box) {
    return HintedText{conditionText(box.toPlainText()), conditionText(box.hint())};
}

void setHintedText(EntryBox& box, const HintedText& value) {
    if (countsAsEmpty(value)) {
        box.clearEntry();
        return;
    }
    box.setEntryText(boxText(value.text));
}

}  // namespace numsift::ui
