#pragma once
// Application-wide look: Simplified Chinese locale, Qt's own Chinese texts,
// a font that draws Simplified Chinese glyphs, and the Fusion style (which
// honours the button colours set through palettes).

class QApplication;

namespace numsift {

void setUpApplication(QApplication& app);

}  // namespace numsift
