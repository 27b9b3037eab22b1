#pragma once
// Entry syntax of the compound boxes txtCompose(0..7) and the sum-value box
// txtHKD: separator canonicalisation, the equivalence test, the entry
// normaliser with its seven parameters, the validation decision on leaving a
// box and the lost-focus display. Texts are UTF-8; a lone LF counts as a line
// break like CR LF (the window's boxes deliver LF), results use CR LF.

#include <string>
#include <string_view>

#include "conditions/filter_input.h"
#include "engine/line_breaks.h"

namespace numsift {

struct NormaliserParams {
    int itemsPerLine = 0;  // line break after every this many kept items; 0 = one line
    int maxValue = 0;      // without a marker: items above it are dropped; 0 = no limit
    int minLength = 0;     // bounds on the item length, markers included
    int maxLength = 0;
    char marker = 0;      // 0 or '*'
    int markerCount = 0;  // exact number of markers required; 0 = any
};

// Parameter rows: txtCompose(0..7) and txtHKD.
extern const NormaliserParams kComposeParams[8];
extern const NormaliserParams kSumValueParams;

// Trim, CR LF / "," / "，" / ";" / "；" to blanks, "." deleted, two passes of
// two blanks to one, trim.
std::string canonicaliseSeparators(std::string_view text);

bool entriesEquivalent(std::string_view a, std::string_view b);

std::string normaliseEntry(std::string_view text, const NormaliserParams& params);

// "输入的内容不符合格式要求！是否自动清空？" ... with the hint appended when
// the box has one.
std::string validationQuestionText(std::string_view hint);
inline constexpr const char* kValidationTitle = "条件提示";

struct ValidationDecision {
    bool accepted = true;    // true: replace the text by normalised and let focus go
    std::string normalised;  // the normalised text (also the Yes outcome)
    std::string question;    // message text when !accepted (ask Yes/No)
};

// What leaving a box decides. On a refused entry the caller asks the question
// (exclamation icon, Yes/No, title 条件提示): Yes replaces the text by
// normalised, No keeps the text and the focus.
ValidationDecision validateEntry(std::string_view text, const NormaliserParams& params,
                                 std::string_view hint);

struct LostFocusDisplay {
    bool grey = false;  // show in the grey-text colour (the hint is shown)
    std::string text;   // the box's text afterwards (the hint when grey)
};

// Lost-focus display: the hint comes back when the text is empty or differs
// from the hint only in blanks and line breaks.
LostFocusDisplay lostFocusDisplay(std::string_view text, std::string_view hint);

// Whether a box counts as empty for the conditions: its text is empty or
// equal to its hint text (LF and CR LF line breaks compared alike).
bool countsAsEmpty(const HintedText& box);

}  // namespace numsift
