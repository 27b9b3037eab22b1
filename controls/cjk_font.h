#pragma once
// The font of the number displays: "宋体" 9 pt where it is installed (every
// Chinese Windows has it), else an installed font that draws Simplified
// Chinese glyphs (Windows' own first, then WenQuanYi Micro Hei: Noto CJK
// picks Japanese glyph forms under a C locale).

#include <QFont>
#include <QString>

namespace numsift {

// The family chosen for Chinese text; empty when no such font is installed.
QString cjkFamily();

// cjkFamily() at the given point size (the application font's family when
// no Chinese font is installed).
QFont cjkFont(double pointSize = 9.0);

}  // namespace numsift
