#pragma once
// Texts at the window boundary: the boxes hold LF line breaks, the engine's
// texts (conditions, hints, number lists, messages) use CR LF.

#include <QString>

#include <string>
#include <string_view>

#include "conditions/filter_input.h"

namespace numsift {
class EntryBox;
}

namespace numsift::ui {

// An engine text (UTF-8, CR LF breaks) as a box shows it (LF breaks).
QString boxText(std::string_view engineText);
// A box text (LF breaks) as the engine reads it (UTF-8, CR LF breaks).
std::string engineText(const QString& boxText);

// The box's text and hint as a condition input.
HintedText hintedText(const EntryBox& box);
// Sets the box's text from a condition input; a text that counts as empty
// empties the box, which then shows its own hint.
void setHintedText(EntryBox& box, const HintedText& value);

}  // namespace numsift::ui
