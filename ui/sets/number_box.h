#pragma once
// A number box (base set, sets A and B, the combination result): an entry
// box without a hint whose double-click selects a word as in any text box,
// because a whole list of numbers must not vanish by a slip of the mouse.

#include "controls/entry_box.h"

namespace numsift {

class NumberBox : public EntryBox {
    Q_OBJECT
public:
    explicit NumberBox(QWidget* parent = nullptr);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace numsift
