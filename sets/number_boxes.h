#pragma once
// The five number boxes of the window and what each does with its text: the
// base box and the two boxes A and B fill a set of the store; the result box
// of the combination page and the kill list are only laid out again.

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/number_set_store.h"

namespace numsift::sets {

enum class NumberBox { Base, JoinA, JoinB, JoinResult, KillList };

// The box's text after a re-parse of text (CR LF breaks; ten numbers a line
// for the base box, five for the others). For Base, JoinA and JoinB the parsed
// set replaces the box's set; JoinA and JoinB become the current side first.
std::string reparseBox(NumberSetStore& store, NumberBox box, std::string_view text);

// Whether the box keeps a set in the store (and so has a count label fed
// from the store).
bool boxHasSet(NumberBox box);

// The count the box's label shows: the size of the box's set for Base, JoinA
// and JoinB. Other boxes keep no set; their count is counted from the text.
std::size_t storedCount(const NumberSetStore& store, NumberBox box);

// The number of five-digit numbers in a laid-out text: one pass, no parse.
std::size_t countLaidOut(std::string_view laidOutText);

// A paste into a box while it has the focus: the text before the selection,
// the clipboard text and the text after the selection, re-parsed as a whole.
// The box's own insertion does not take place; its text becomes the result.
std::string pasteIntoBox(NumberSetStore& store, NumberBox box, std::string_view before,
                         std::string_view clipboardText, std::string_view after);

}  // namespace numsift::sets
