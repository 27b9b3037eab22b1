#pragma once
// Conversions at the window boundary: the boxes hold LF line breaks, the
// condition texts and hints use CR LF.

#include <QString>

#include <string>

#include "conditions/filter_input.h"

namespace numsift {
class EntryBox;
}

namespace numsift::ui {

// A CR LF text as a box shows it (LF breaks).
QString boxText(const std::string& crlf);
// A box text (LF breaks) as the conditions read it (CR LF breaks).
std::string conditionText(const QString& boxText);

// The box's text and hint as a condition input.
HintedText hintedText(const EntryBox& box);
// Sets the box's text from a condition input; a text that counts as empty
// empties the box, which then shows its own hint.
void setHintedText(EntryBox& box, const HintedText& value);

}  // namespace numsift::ui
