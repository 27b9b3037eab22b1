#pragma once
// The check a compound box or the sum-value box runs when it is left: an
// entry that normalises without loss is re-laid out silently; otherwise the
// "条件提示" question offers to drop the invalid items (Yes) or to go back and
// correct them (No, the focus stays).

#include "conditions/entry_syntax.h"
#include "controls/entry_box.h"

namespace numsift {

class MessageSink;

void installEntryValidation(EntryBox* box, const NormaliserParams& params, MessageSink* messages);

// The same check run once on box: Stay when the user chose to correct it;
// without mayAsk, NeedsAnswer instead of asking.
LeaveAnswer validateEntryBox(EntryBox& box, const NormaliserParams& params, MessageSink* messages,
                             bool mayAsk);

}  // namespace numsift
