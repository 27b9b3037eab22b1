#pragma once
// Where the window's areas stand, as designed (twips, 15 to a pixel). All
// five pages share one place under the tab strip; page 3 alone is larger and
// reaches into the result area, which is hidden while page 3 shows. The
// backtest page takes the place of the others; the trend page that of page 3,
// hiding the result area as page 3 does.

#include <QPoint>
#include <QRect>
#include <QSize>

#include "ui/kit/widget_kit.h"

namespace numsift::ui::layout {

inline constexpr QRect kTabStrip = pxRect(60, 60, 14175, 405);
// The tab "走势图", after "历史验证" (which ends at 14145 in the strip), just
// outside the strip's right edge.
inline constexpr QRect kTrendTab = pxRect(60 + 14130, 60, 810, 375);
// Every page: left 30, and 90 below the strip.
inline constexpr QPoint kPageOrigin(px(30), kTabStrip.y() + kTabStrip.height() + px(90));
inline constexpr QSize kPageSize = pxSize(11955, 9315);
inline constexpr QSize kJoinPageSize = pxSize(15045, 10245);  // page 3
inline constexpr QRect kResultArea = pxRect(12000, 420, 3765, 10245);
inline constexpr QRect kSpecialShapes = pxRect(150, 9900, 11775, 735);
// The client area, which holds every control at its design place.
inline constexpr QSize kClientSize(1056, 724);

}  // namespace numsift::ui::layout
