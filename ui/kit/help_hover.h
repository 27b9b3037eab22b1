#pragma once
// The hover highlight of the two help buttons ("胆组说明" and "说明"): red
// while the cursor is strictly inside the button (its edge counts as
// outside), light blue otherwise. The button's own enter, move and leave
// events drive it; a button that is hidden goes back to light blue.

namespace numsift {

class SelectButton;

namespace ui {

// Starts the highlight on button (light blue now); it lasts as long as the
// button.
void highlightWhileHovered(SelectButton* button);

}  // namespace ui
}  // namespace numsift
