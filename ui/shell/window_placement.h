#pragma once
// Where a window opens: inside the part of its screen that task bars and
// panels leave free, centred there, and never above or left of that part, so
// its title bar and its top-left controls can always be reached. The one
// centring helper of every window the program opens.

#include <QMargins>
#include <QRect>

class QWidget;

namespace numsift {

// The frame a window system puts around a window, allowed for while the
// window has none it knows of (before it is shown, or while no window manager
// has framed it): a title bar of 32 pixels and borders of 8.
inline constexpr QMargins kFrameAllowance(8, 32, 8, 8);

// The window's frame margins once it has a frame, else the allowance.
QMargins frameMarginsOf(const QWidget* window);

// The free area of the screen the window is on (or of the primary screen);
// an empty rectangle when there is no screen.
QRect availableArea(const QWidget* window);

// Moves the window so that its frame is centred in area; a frame wider or
// taller than the area starts at the area's left or top edge.
void centreIn(QWidget* window, const QRect& area);
void centreOnScreen(QWidget* window);

}  // namespace numsift
