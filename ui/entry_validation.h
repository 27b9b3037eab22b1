#pragma once
// The check a compound box or the sum-value box runs when it is left: an
// entry that normalises without loss is re-laid out silently; otherwise the
// "条件提示" question offers to drop the invalid items (Yes) or to go back and
// correct them (No, the focus stays).

#include "conditions/entry_syntax.h"

namespace numsift {

class EntryBox;
class MessageSink;

void installEntryValidation(EntryBox* box, const NormaliserParams& params, MessageSink* messages);

// The same check run once on box; false when the user chose to correct it.
bool validateEntryBox(EntryBox& box, const NormaliserParams& params, MessageSink* messages);

}  // namespace numsift
