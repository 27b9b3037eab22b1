#pragma once
// The four combinations of two number sets A and B on the combination page,
// over two flat membership tables of 100,000 flags.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/number_set_store.h"
#include "platform/platform.h"

namespace numsift::sets {

// Codes as the four operation buttons pass them (button index minus 3).
enum class SetOperation { Intersection = 0, Union = 1, AWithoutB = 2, BWithoutA = 3 };

// Membership flags come from numsift::markNumbers (engine/number_list.h).
using numsift::markNumbers;

// The numbers of the combination of A and B, ascending, from the two box
// texts: one pass over each text and one over the 100,000 numbers.
std::vector<std::uint32_t> combine(std::string_view textA, std::string_view textB, SetOperation op);

struct SetOperationOutcome {
    enum class Status { MissingA, MissingB, EmptyResult, Done };
    Status status = Status::MissingA;
    std::string resultText;  // the result box's new text (Done: the numbers; EmptyResult: empty)
    std::size_t count = 0;   // the result count label
    int focusSide = -1;      // MissingA: 0, MissingB: 1 (the box to focus), else -1
    bool changesResult() const { return status == Status::EmptyResult || status == Status::Done; }
};

// One press of an operation button: A's count is checked first, then B's
// (each with its message); otherwise the combination of the two box texts,
// its message, and the result text laid out width numbers a line (width < 1:
// all on one line).
// apply puts a result (or the emptied result) into the result box before
// the message is shown.
using ApplySetOperation = std::function<void(const SetOperationOutcome&)>;
SetOperationOutcome runSetOperation(const NumberSetStore& store, SetOperation op, std::string_view textA,
                                    std::string_view textB, MessageSink& messages, int width,
                                    const ApplySetOperation& apply = {});

// The copy of the result box: its text to the clipboard with "号码已复制。",
// or the note that there is nothing to copy. A failed clipboard write shows
// its error instead of the success message. Returns whether text was copied.
bool copyJoinResult(std::string_view resultText, Clipboard& clipboard, MessageSink& messages);

}  // namespace numsift::sets
