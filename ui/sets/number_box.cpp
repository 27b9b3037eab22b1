#include "ui/sets/number_box.h"

#include "controls/cjk_font.h"

namespace numsift {

NumberBox::NumberBox(QWidget* parent) : EntryBox(parent) {
    setFont(cjkFont(10));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Long lists are laid out in lines of five or ten numbers; a box never
    // needs to wrap them, and unwrapped text lays out much faster.
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

void NumberBox::mouseDoubleClickEvent(QMouseEvent* event) { QPlainTextEdit::mouseDoubleClickEvent(event); }

}  // namespace numsift
