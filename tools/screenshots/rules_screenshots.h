#pragma once
// Pictures of the 规则杀号 page, of page 1 with the kills of the rules in
// use, and of 滚动验证 beside today's check, over a file of real past
// draws, for the documentation.

#include <QString>

namespace numsift {

// Reads the draws file into the window's history (nothing is saved) and
// saves window-rules.png, window-rule-marks.png and window-walk.png into
// folder; 0 on success.
int takeRulesScreenshots(const QString& drawsFile, const QString& folder);

}  // namespace numsift
