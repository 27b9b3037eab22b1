#pragma once
// The control of a condition item as the panel's state holds it: whether an
// item is ticked (a kill: 定位杀, 通杀码, 杀和尾, 杀跨度, 杀和值, a pattern, a
// road, a shape, an AC value; a ratio button selected to keep), and ticking
// it, so that the trend chart sets several at once as one change of the
// panel. 杀和值 is a box of two-digit values ("03 27"): ticking adds the
// value, unticking takes it out, and the rest of the box stays as typed.

#include "analysis/condition_items.h"
#include "conditions/filter_input.h"

namespace numsift {

// Whether the item's control is ticked; false for an item without one (two-digit codes).
bool itemTicked(const FilterInput& input, ItemId item);
// Ticks or unticks it; false (nothing changed) for an item without a control.
bool setItemTicked(FilterInput& input, ItemId item, bool ticked);

}  // namespace numsift
